// The content report: header, legend, the lines of each record by class,
// the warning count, and the question before a long report.
#include "report_fixture.h"

namespace trelvane::test {
namespace {

const std::vector<std::string> kTwoDossiers = {
    "UNA:+,? ",
    "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+REF00000001+++++KTV001",
    "UNH+1+KTV:D:00B:UN:KTV001",
    "NAD+DT+1750175123456:ZZ:ZZ++DURAN:DURAND JEAN+8 PLACE BELLECOUR+LYON++69002+FR",
    "UNT+3+1",
    "UNH+2+KTV:D:00B:UN:KTV001",
    "DTM+137:2006:102",
    "NAD+DT+2850175123456:ZZ:ZZ++MARTIN:MARTIN ANNE+3 RUE HAUTE+LYON++69003+FR",
    "UNT+4+2",
    "UNZ+2+REF00000001",
};

class ContentReport : public ReportTest {
  protected:
    void SetUp() override {
        ReportTest::SetUp();
        SetSegments(kTwoDossiers);
        State().DossierInfo = {{"1", "2", "4", "1750175123456"}, {"2", "5", "8", "2850175123456"}};
    }
    void Errors(std::vector<std::string> records) {
        State().ContentErrors = {"[Contenu]"};
        for (auto& r : records)
            State().ContentErrors.push_back(W(r));
    }
};

TEST_F(ContentReport, NoRecordSaysSo) {
    Errors({});
    SetWarningCount(5);
    EXPECT_TRUE(Display_Content_Errors());
    EXPECT_EQ(Describe(content),
              std::vector<std::string>{"\r\nCONTROLES DE CONTENU OK\r\n|50,50,50|B|0|1500"});
    EXPECT_EQ(GetWarningCount(), 0);
    EXPECT_EQ(U(platform.statuses.back()), "Préparation de l'affichage...(contenu)");
}

TEST_F(ContentReport, OneRejectShowsEveryLineOfTheRecord) {
    REQUIRE_LABELS();
    Errors({"6,4 attendue(s).,d3,2,008"});
    EXPECT_TRUE(Display_Content_Errors());
    EXPECT_EQ(Describe(content),
              (std::vector<std::string>{
                  "\r\n|50,50,50|B|0|1500",
                  "1 ERREUR DE CONTENU TROUVEE !\r\n(Rejets en noir, Signalements en vert)"
                  "\r\n\r\n\r\n|255,0,0|B|0|1500",
                  "008 - Valeur non conforme : 4 attendue(s).\r\n|50,50,50|B|9|0",
                  "Segment n°7\r\nPosition de la donnée erronée : 3\r\nDossier n° 2\r\n"
                  "NIR du déclarant : 2850175123456\r\nDTM+137:2006:102\r\n\r\n"
                  "|100,100,100|-|8|300",
              }));
    EXPECT_EQ(content.Caret(), 0u);
    EXPECT_EQ(GetWarningCount(), 0);
}

TEST_F(ContentReport, HiddenWarningCountsButShowsNothing) {
    REQUIRE_LABELS();
    platform.showWarnings = false;
    Errors({"6,4,d1:1,2,080", "6,,d1:2,2,008"});
    EXPECT_TRUE(Display_Content_Errors());
    EXPECT_EQ(GetWarningCount(), 1);
    const std::string text = U(content.PlainText());
    EXPECT_EQ(text.substr(0, 71),
              "\r\n2 ERREURS DE CONTENU TROUVEES !\r\n(Signalements non visibles)\r\n\r\n\r\n008");
    EXPECT_EQ(text.find("080"), std::string::npos);
    EXPECT_NE(text.find("Position de la donnée erronée : 1:2\r\n"), std::string::npos);
}

TEST_F(ContentReport, ShownWarningIsGreen) {
    REQUIRE_LABELS();
    Errors({"6,4,d1:1,2,080"});
    EXPECT_TRUE(Display_Content_Errors());
    EXPECT_EQ(GetWarningCount(), 1);
    ASSERT_GE(content.Runs().size(), 3u);
    EXPECT_EQ(Describe(content.Runs()[2]),
              "080 - Longueur de la donnée incorrecte : 4\r\n|153,202,153|B|9|0");
}

TEST_F(ContentReport, SirRecordIsShownWithRejectedDossierLineWhateverTheOption) {
    REQUIRE_LABELS();
    platform.showWarnings = false;
    Errors({"7,,d2,2,612"});
    EXPECT_TRUE(Display_Content_Errors());
    EXPECT_EQ(GetWarningCount(), 1);
    EXPECT_EQ(Describe(content),
              (std::vector<std::string>{
                  "\r\n|50,50,50|B|0|1500",
                  "1 ERREUR DE CONTENU TROUVEE !\r\n(Signalements non visibles)"
                  "\r\n\r\n\r\n|255,0,0|B|0|1500",
                  "612 - Montant incohérent avec l'annexe : \r\n|153,202,153|B|9|0",
                  "Le dossier sera rejeté par la VRK.\r\n|255,0,0|-|8|300",
                  "Segment n°8\r\nPosition de la donnée erronée : 2\r\nDossier n° 2\r\n"
                  "NIR du déclarant : 2850175123456\r\n" +
                      kTwoDossiers[7] + "\r\n\r\n|100,100,100|-|8|300",
              }));
}

TEST_F(ContentReport, PositionDossierAndDetailSpecialCases) {
    REQUIRE_LABELS();
    Errors({
        "0,;? ,d1,0,008",  // before the first message: no dossier lines
        "1,11 ou 12 attendue(s).,ERR,0,402",
        "3,,d0,1,008",  // the tag: no position line
        "3,,l4,1,444",
        "6,,d2:1,2,700",  // a class the report does not show
        "6,,d2:2,2,999",  // a code without label
    });
    EXPECT_TRUE(Display_Content_Errors());
    const std::string text = U(content.PlainText());
    EXPECT_EQ(text,
              "\r\n6 ERREURS DE CONTENU TROUVEES !\r\n(Rejets en noir, Signalements en vert)"
              "\r\n\r\n\r\n"
              "008 - Valeur non conforme : ,? \r\nSegment n°1\r\n"
              "Position de la donnée erronée : 1\r\nUNA:+,? \r\n\r\n"
              "402 - Nombre de données incorrect : 11 ou 12 attendue(s).\r\nSegment n°2\r\n" +
                  kTwoDossiers[1] +
                  "\r\n\r\n"
                  "008 - Valeur non conforme : \r\nSegment n°4\r\nDossier n° 1\r\n"
                  "NIR du déclarant : 1750175123456\r\n" +
                  kTwoDossiers[3] +
                  "\r\n\r\n"
                  "444 - Donnée simple attendue : \r\nSegment n°4\r\n"
                  "Position de la donnée erronée : 4\r\nDossier n° 1\r\n"
                  "NIR du déclarant : 1750175123456\r\n" +
                  kTwoDossiers[3] + "\r\n\r\n");
    EXPECT_EQ(GetWarningCount(), 0);
}

TEST_F(ContentReport, DossierWithoutTableRowShowsEmptyNir) {
    REQUIRE_LABELS();
    State().DossierInfo = {DossierRow{}};
    Errors({"6,,d1,2,008"});
    EXPECT_TRUE(Display_Content_Errors());
    EXPECT_NE(U(content.PlainText()).find("Dossier n° 2\r\nNIR du déclarant : \r\nDTM"),
              std::string::npos);
}

std::vector<std::string> ManyRecords(std::size_t n) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < n; ++i)
        out.push_back("6,,d" + std::to_string(i % 3) + ",2,008");
    return out;
}

TEST_F(ContentReport, ThreeThousandNineHundredNinetyNineRecordsAskNothing) {
    REQUIRE_LABELS();
    Errors(ManyRecords(3999));
    EXPECT_TRUE(Display_Content_Errors());
    EXPECT_TRUE(platform.messages.empty());
    const std::string text = content.PlainText();
    std::size_t lines = 0;
    for (std::size_t p = 0; (p = text.find("008 - ", p)) != std::string::npos; ++p)
        ++lines;
    EXPECT_EQ(lines, 3999u);
}

TEST_F(ContentReport, FourThousandRecordsAskAndExplainWhenDeclined) {
    Errors(ManyRecords(4000));
    platform.answers = {MsgAnswer::No};
    EXPECT_FALSE(Display_Content_Errors());
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(U(platform.messages[0].title), "4000 erreurs sur dossiers");
    EXPECT_EQ(U(platform.messages[0].text),
              "En raison du nombre important d'erreurs trouvées, la génération du rapport peut "
              "durer plusieurs minutes.\r\nContinuer tout de même ?");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::None);
    EXPECT_EQ(platform.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(platform.messages[1].title, kProgramTitle);
    EXPECT_EQ(U(platform.messages[1].text),
              "Le rapport d'erreur sur contenu ne sera pas affiché dans la fenêtre résultat.\r\n"
              "Note : un fichier contenant des années erronées entraîne souvent un nombre "
              "important d'erreurs.");
    EXPECT_EQ(platform.messages[1].icon, MsgIcon::Information);
    EXPECT_EQ(platform.messages[1].buttons, MsgButtons::Ok);
    EXPECT_EQ(U(content.PlainText()),
              "\r\n4000 ERREURS DE CONTENU TROUVEES !\r\n\r\nRapport non affiché à votre demande.");

    platform.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(Display_Content_Errors());
    EXPECT_EQ(U(content.PlainText()).substr(0, 36), "\r\n4000 ERREURS DE CONTENU TROUVEES !");
}

}  // namespace
}  // namespace trelvane::test

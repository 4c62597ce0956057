// The syntax report: its runs for each shape of the syntax error list, and
// the question before a long report.
#include "report_fixture.h"

namespace trelvane::test {
namespace {

const std::vector<std::string> kFile = {
    "UNA:+,? ",
    "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+REF00000001+++++KTV001",
    "UNH+1+KTV:D:00B:UN:KTV001",
    "BGM+KTV::ZZ+DOC0001",
    "DTM+137:20251215:102",
    "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS++75001+FR",
    "NAD+MR+CSEKTV:ZZ:ZZ",
    "XYZ+1",
    "NAD+DT+1750175123456:ZZ:ZZ++DURAN:DURAND JEAN+8 PLACE BELLECOUR+LYON++69002+FR",
    "UNT+8+1",
    "UNZ+1+REF00000001",
};

using SyntaxReport = ReportTest;

TEST_F(SyntaxReport, NoErrorSaysSoInDarkGreyBold) {
    SetSegments(kFile);
    State().SyntaxErrors = {"[Branchement]"};
    EXPECT_TRUE(Display_Syntax_Errors());
    EXPECT_EQ(Describe(syntax),
              std::vector<std::string>{"\r\nCONTROLES DE SYNTAXE OK|50,50,50|B|0|1500"});
    EXPECT_EQ(syntax.Caret(), 0u);
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_FALSE(platform.statuses.empty());
    EXPECT_EQ(U(platform.statuses.back()), "Préparation de l'affichage...(syntaxe)");
}

TEST_F(SyntaxReport, OneBranchingErrorShowsLabelSegmentNumberAndText) {
    REQUIRE_LABELS();
    SetSegments(kFile);
    State().SyntaxErrors = {"[Branchement]", "7,XYZ,901"};
    EXPECT_TRUE(Display_Syntax_Errors());
    EXPECT_EQ(Describe(syntax), (std::vector<std::string>{
                                    "\r\n|50,50,50|B|0|1500",
                                    "1 ERREUR SYNTAXIQUE TROUVEE !\r\n\r\n\r\n|255,0,0|B|0|1500",
                                    "901 - Segment inconnu : XYZ\r\n|50,50,50|B|9|0",
                                    "Segment n°8\r\nXYZ+1\r\n\r\n|100,100,100|-|8|300",
                                }));
}

TEST_F(SyntaxReport, SeveralErrorsInListOrderAndUnknownCodeGivesEmptyMessage) {
    REQUIRE_LABELS();
    SetSegments(kFile);
    State().SyntaxErrors = {"[Branchement]", "7,XYZ,901", "8,NAD,900", "9,3,555"};
    EXPECT_TRUE(Display_Syntax_Errors());
    const std::string text = U(syntax.PlainText());
    EXPECT_EQ(text,
              "\r\n3 ERREURS SYNTAXIQUES TROUVEES !\r\n\r\n\r\n"
              "901 - Segment inconnu : XYZ\r\nSegment n°8\r\nXYZ+1\r\n\r\n"
              "900 - Segment non autorisé à cet endroit : NAD\r\nSegment n°9\r\n" +
                  kFile[8] +
                  "\r\n\r\n"
                  "555 -  : 3\r\nSegment n°10\r\nUNT+8+1\r\n\r\n");
    EXPECT_EQ(Describe(syntax.Runs()[1]),
              "3 ERREURS SYNTAXIQUES TROUVEES !\r\n\r\n\r\n|255,0,0|B|0|1500");
}

TEST_F(SyntaxReport, EnvelopeErrorShowsCodeAndWholeLabel) {
    REQUIRE_LABELS();
    SetSegments({"UNB+UNOC:3", "UNH+1", "UNZ+1"});
    State().SyntaxErrors = {"[Base_N0]", "003,0"};
    EXPECT_TRUE(Display_Syntax_Errors());
    EXPECT_EQ(Describe(syntax), (std::vector<std::string>{
                                    "\r\n|50,50,50|B|0|1500",
                                    "ERREUR SUR UN SERVICE DE BASE !\r\n\r\n|255,0,0|B|0|1500",
                                    "003 - rej Le premier segment doit être UNA|50,50,50|B|0|0",
                                }));
}

TEST_F(SyntaxReport, EnvelopeErrorWithUnknownCodeEndsWithDash) {
    SetSegments({"UNA", "UNB"});
    State().SyntaxErrors = {"[Base_N0]", "123,0"};
    EXPECT_TRUE(Display_Syntax_Errors());
    EXPECT_EQ(U(syntax.PlainText()), "\r\nERREUR SUR UN SERVICE DE BASE !\r\n\r\n123 - ");
}

StringList ManyErrors(std::size_t n) {
    StringList list{"[Branchement]"};
    for (std::size_t i = 0; i < n; ++i)
        list.push_back(std::to_string(i % 11) + ",XYZ,901");
    return list;
}

TEST_F(SyntaxReport, ThreeThousandNineHundredNinetyNineErrorsAskNothing) {
    SetSegments(kFile);
    State().SyntaxErrors = ManyErrors(3999);
    EXPECT_TRUE(Display_Syntax_Errors());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(U(syntax.PlainText()).substr(0, 40), "\r\n3999 ERREURS SYNTAXIQUES TROUVEES !\r\n\r");
}

TEST_F(SyntaxReport, FourThousandErrorsAskFirstAndStopOnNo) {
    SetSegments(kFile);
    State().SyntaxErrors = ManyErrors(4000);
    platform.answers = {MsgAnswer::No};
    EXPECT_FALSE(Display_Syntax_Errors());
    ASSERT_EQ(platform.messages.size(), 1u);
    const ShownMessage& m = platform.messages[0];
    EXPECT_EQ(U(m.title), "4000 erreurs de syntaxe");
    EXPECT_EQ(U(m.text),
              "En raison du nombre important d'erreurs trouvées, la génération du rapport peut "
              "durer plusieurs minutes.\r\nContinuer tout de même ?");
    EXPECT_EQ(m.icon, MsgIcon::None);
    EXPECT_EQ(m.buttons, MsgButtons::YesNo);
    EXPECT_EQ(
        U(syntax.PlainText()),
        "\r\n4000 ERREURS SYNTAXIQUES TROUVEES !\r\n\r\nRapport non affiché à votre demande.");

    platform.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(Display_Syntax_Errors());
    EXPECT_EQ(U(syntax.PlainText()).substr(0, 40), "\r\n4000 ERREURS SYNTAXIQUES TROUVEES !\r\n\r");
}

}  // namespace
}  // namespace trelvane::test

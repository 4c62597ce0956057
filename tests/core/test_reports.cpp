// The reports beyond what the golden files show: the question before a long
// report, and the coloured file segment by segment (every shape of line,
// ranges, the large-file warning).
#include <gtest/gtest.h>

#include "config/Cp1252.h"
#include "driver/MainTest.h"
#include "reports/RecordingSink.h"
#include "reports/modDisplayFunctions.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"
#include "support/Samples.h"

namespace trelvane::test {
namespace {

class Reports : public ::testing::Test {
  protected:
    void SetUp() override {
        platform.yearCamp = kCampaign;
        State().Delimiters = {"'", "+", ":", "?"};
        SetReportPanes({&syntax, &content, &coloured});
    }
    void TearDown() override { SetReportPanes(saved); }
    void Run(const Segs& segs) {
        platform.filePath = platform.Directory() + "/f.edi";
        WriteBytes(platform.filePath, FileText(segs));
        MainTest();
    }
    // The runs as "colour letter, * when bold, text" joined by "|".
    std::string Runs() const {
        std::string out;
        for (const TextRun& r : coloured.Runs()) {
            const char* letters = "grvbot?";
            const Rgb colours[] = {kDarkGrey,       kRed,        kBlueViolet,
                                   kCornflowerBlue, kDarkOrange, kTagGreen};
            std::size_t k = 0;
            while (k < 6 && !(colours[k] == r.color))
                ++k;
            out += (out.empty() ? "" : "|") + std::string(1, letters[k]) + (r.bold ? "*" : "") +
                   U(r.text);
        }
        return out;
    }
    ScriptedPlatform platform;
    RecordingSink syntax, content, coloured;
    ReportPanes saved = CurrentReportPanes();
};

TEST_F(Reports, LongReportsAskFirst) {
    auto unknown = [](int count) {
        return Recount(
            Insert(Envelope(), kMOA1 + 1, Segs(static_cast<std::size_t>(count), "XYZ+1")));
    };
    Run(unknown(3999));
    EXPECT_TRUE(platform.messages.empty());
    platform.answers = {MsgAnswer::No};
    Run(unknown(4000));
    ASSERT_EQ(platform.MessageTitlesUtf8(), std::vector<std::string>{"4000 erreurs de syntaxe"});
    EXPECT_EQ(platform.MessageTextsUtf8()[0],
              "En raison du nombre important d'erreurs trouvées, la génération du rapport peut "
              "durer plusieurs minutes.\r\nContinuer tout de même ?");
    EXPECT_EQ(platform.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(
        U(syntax.PlainText()),
        "\r\n4000 ERREURS SYNTAXIQUES TROUVEES !\r\n\r\nRapport non affiché à votre demande.");
    // Nothing of the previous run is left in the coloured file.
    EXPECT_EQ(U(coloured.PlainText()),
              "\r\nFichier non affiché : un rapport d'erreur n'a pas été "
              "affiché à votre demande.");

    // 999 amounts of zero without their sign in four dossiers, and the code
    // they repeat.
    Groups zeros;
    for (int i = 0; i < 999; ++i)
        zeros.Add("KTVECE", 0, "0010", "MOA", {"MOA+203:0"});
    platform.messages.clear();
    platform.answers = {MsgAnswer::No};
    Run(Envelope({Dossier(1, zeros, "1000000000001"), Dossier(2, zeros, "1000000000002"),
                  Dossier(3, zeros, "1000000000003"), Dossier(4, zeros, "1000000000004")}));
    ASSERT_EQ(platform.MessageTitlesUtf8(),
              (std::vector<std::string>{"4000 erreurs sur dossiers", "Trelvane"}));
    EXPECT_EQ(platform.MessageTextsUtf8()[1],
              "Le rapport d'erreur sur contenu ne sera pas affiché dans la fenêtre résultat.\r\n"
              "Note : un fichier contenant des années erronées entraîne souvent un nombre "
              "important d'erreurs.");
    EXPECT_EQ(U(content.PlainText()),
              "\r\n4000 ERREURS DE CONTENU TROUVEES !\r\n\r\nRapport non affiché à votre demande.");
}

// Each line shape of the coloured file, for a segment and the marks of its
// errors as "SOK" or "ERR" and the positions of its content errors.
TEST_F(Reports, ColouredFileLineShapes) {
    const std::tuple<const char*, const char*, const char*> lines[] = {
        {"UNA:+,? ", "SOK", "g1  UNA:+,? \r\n"},
        {"UNB+UNOC:3", "ERR", "r*1  UNB+UNOC:3\r\n"},
        {"UNH+1", "ERR,ERR", "v*1  UNH+1\r\n"},
        {"BGM+KTV", "SOK,ERR", "b*1  BGM+KTV\r\n"},
        {"DTM+137:2006", "ERR,d1", "r*1  DTM+137:2006\r\n"},
        {"UNH+1+KTV:D", "SOK,d0", "g*1 |t*UNH|g*+1+KTV:D\r\n"},
        {"NAD+DT+1:ZZ+X:Y:Z+LYON", "SOK,d2,d3:1", "g*1 NAD+DT+|o*1:ZZ|g*+X:|o*Y|g*:Z+LYON\r\n"},
        {"NAD+DT+1:ZZ+X:Y:Z+LYON", "SOK,l3", "g*1 NAD+DT+1:ZZ+|b*X:Y:Z|g*+LYON\r\n"},
        {"NAD+DT+1:ZZ+X:Y:Z+LYON", "SOK,d3:0,d3:2,d4",
         "g*1 NAD+DT+1:ZZ+|o*X|g*:Y:|o*Z|g*+|o*LYON|g*\r\n"},
        {"NAD+DT+1:ZZ+X:Y:Z+LYON", "SOK,d3,d1,d4", "g*1 NAD+DT+1:ZZ+|o*X:Y:Z|g*+LYON\r\n"},
        {"NAD+DT+1:ZZ+X:Y:Z+LYON", "SOK,d1,d1,d4", "g*1 NAD+|o*DT|g*+1:ZZ+X:Y:Z+LYON\r\n"},
        {"FTX+A?+B+C", "SOK,d2", "g*1 FTX+A?+B+|o*C|g*\r\n"},
        {"NAD+DT+1:ZZ+X:Y:Z", "SOK,d2:0,d3:1", "g*1 NAD+DT+|o*1|g*:ZZ+X:|o*Y|g*:Z\r\n"},
    };
    const auto show = [&](const std::string& segment, std::string_view marks) {
        State().Segments = ToSegmentList({segment});
        State().ErrorsBySegment.Reset(1);
        if (marks.starts_with("ERR")) State().ErrorsBySegment.MarkSyntaxError(0);
        for (std::size_t at = 3, next; at < marks.size(); at = next) {
            next = std::min(marks.find(',', at + 1), marks.size());
            State().ErrorsBySegment.AddPosition(0, marks.substr(at + 1, next - at - 1));
        }
        DisplayColouredFile(false, 0, -1);
        return Runs();
    };
    for (const auto& [segment, marks, runs] : lines)
        EXPECT_EQ(show(segment, marks), runs) << segment << " " << marks;
    // Elements are walked up to the 254th.
    std::string wide = "FTX";
    for (int i = 1; i <= 300; ++i)
        wide += "+" + std::to_string(i);
    EXPECT_NE(show(wide, "SOK,d2,d254,d270").find("+253+|o*254|g*+255+"), std::string::npos);
    EXPECT_EQ(show(wide, "SOK,d270").find("|o*"), std::string::npos);
}

TEST_F(Reports, ColouredFileRangesAndLimits) {
    State().Segments = ToSegmentList(Segs(20001, "MOA+203:1"));
    State().ErrorsBySegment.Reset(4);
    State().ErrorsBySegment.MarkSyntaxError(1);
    DisplayColouredFile(false, 600, 601);
    EXPECT_EQ(Runs(), "g601  MOA+203:1\r\n602  MOA+203:1\r\n");
    DisplayColouredFile(true, 0, -1);  // segments past the table are sound
    EXPECT_EQ(Runs(), "r*2  MOA+203:1\r\n");
    EXPECT_TRUE(platform.messages.empty());
    platform.statuses.clear();
    DisplayColouredFile(false, 1, 601);  // a status after 500 segments, as a share of the rest
    EXPECT_EQ(U(platform.statuses.back()), "Préparation de l'affichage...(84%)");
    platform.statuses.clear();
    DisplayColouredFile(false, 0, 1999);
    // Said in the display, not in a box that would hold the run up.
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(U(coloured.PlainText())
                    .starts_with("Seuls les 20 000 premiers segments du fichier seront affichés."
                                 "\r\n\r\n1  MOA+203:1\r\n"));
    EXPECT_TRUE(U(coloured.PlainText()).ends_with("\r\n2000  MOA+203:1\r\n"));
    EXPECT_EQ(platform.statuses,
              (std::vector<std::string>{W("Préparation de l'affichage...(colorisation)"),
                                        W("Préparation de l'affichage...(25%)"),
                                        W("Préparation de l'affichage...(50%)"),
                                        W("Préparation de l'affichage...(75%)")}));
    State().Segments = ToSegmentList(Segs(20000, "MOA+203:1"));
    DisplayColouredFile(false, 0, 19999);
    EXPECT_TRUE(coloured.PlainText().starts_with("1  MOA"));
}

}  // namespace
}  // namespace trelvane::test

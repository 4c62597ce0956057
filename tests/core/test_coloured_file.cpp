// The coloured file display: every line shape, the element walk and its
// consumption of positions, ranges, errors-only mode, the large-file warning
// and the progress texts.
#include <fstream>
#include <sstream>

#include "config/modIOfunctions.h"
#include "report_fixture.h"

namespace trelvane::test {
namespace {

class ColouredFile : public ReportTest {
  protected:
    // Elements of ErrorsBySegment as text ("SOK,d2,d3:1").
    static void SetTable(const std::vector<std::string>& elements) {
        SegmentErrorTable& table = State().ErrorsBySegment;
        table.Reset(elements.size());
        for (std::size_t i = 0; i < elements.size(); ++i) {
            if (elements[i].starts_with("ERR")) table.MarkSyntaxError(i);
            // The tail ",d2,d3:1" names one position after each comma.
            std::string_view tail = std::string_view(elements[i]).substr(3);
            while (!tail.empty()) {
                tail.remove_prefix(1);
                const std::size_t comma = tail.find(',');
                table.AddPosition(i, tail.substr(0, comma));
                tail = comma == std::string_view::npos ? std::string_view() : tail.substr(comma);
            }
        }
    }
    // One segment and its table element, shown alone.
    std::vector<std::string> One(const std::string& segment, const std::string& element) {
        SetSegments({segment});
        SetTable({element});
        DisplayColouredFile(false, 0, 0);
        return Describe(coloured);
    }
};

const std::string kNad = "NAD+DT+1750175123456:ZZ:ZZ+X:Y:Z+LYON";

TEST_F(ColouredFile, EveryLineShape) {
    SetSegments({"UNA:+,? ", "UNB+UNOC:3", "UNH+1", "BGM+KTV", "DTM+137:2006:102", kNad});
    SetTable({"SOK", "ERR", "ERR,ERR", "SOK,ERR", "ERR,d2", "SOK,d2,d3:1"});
    DisplayColouredFile(false, 0, -1);
    EXPECT_EQ(Describe(coloured), (std::vector<std::string>{
                                      "1  UNA:+,? \r\n|50,50,50|-|0|0",
                                      "2  UNB+UNOC:3\r\n|255,0,0|B|0|0",
                                      "3  UNH+1\r\n|138,43,226|B|0|0",
                                      "4  BGM+KTV\r\n|100,149,237|B|0|0",
                                      "5  DTM+137:2006:102\r\n|255,0,0|B|0|0",
                                      "6 NAD+DT+|50,50,50|B|0|0",
                                      "1750175123456:ZZ:ZZ|255,140,0|B|0|0",
                                      "+X:|50,50,50|B|0|0",
                                      "Y|255,140,0|B|0|0",
                                      ":Z+LYON\r\n|50,50,50|B|0|0",
                                  }));
    EXPECT_EQ(coloured.Caret(), 0u);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.statuses,
              std::vector<std::string>{W("Préparation de l'affichage...(colorisation)")});
}

TEST_F(ColouredFile, TagErrorIsGreen) {
    EXPECT_EQ(One("UNH+1+KTV:D", "SOK,d0"), (std::vector<std::string>{
                                                "1 |50,50,50|B|0|0",
                                                "UNH|102,202,102|B|0|0",
                                                "+1+KTV:D\r\n|50,50,50|B|0|0",
                                            }));
}

TEST_F(ColouredFile, ComponentListIsCornflowerBlue) {
    EXPECT_EQ(One(kNad, "SOK,l3"), (std::vector<std::string>{
                                       "1 NAD+DT+1750175123456:ZZ:ZZ+|50,50,50|B|0|0",
                                       "X:Y:Z|100,149,237|B|0|0",
                                       "+LYON\r\n|50,50,50|B|0|0",
                                   }));
}

TEST_F(ColouredFile, SuccessiveComponentsOfOneElementThenTheNextElement) {
    EXPECT_EQ(One(kNad, "SOK,d3:0,d3:2,d4"), (std::vector<std::string>{
                                                 "1 NAD+DT+1750175123456:ZZ:ZZ+|50,50,50|B|0|0",
                                                 "X|255,140,0|B|0|0",
                                                 ":Y:|50,50,50|B|0|0",
                                                 "Z|255,140,0|B|0|0",
                                                 "+|50,50,50|B|0|0",
                                                 "LYON|255,140,0|B|0|0",
                                                 "\r\n|50,50,50|B|0|0",
                                             }));
}

TEST_F(ColouredFile, PositionsOutOfOrderAreNotMatched) {
    // d1 lies left of d3, already reached: neither it nor anything after it matches.
    EXPECT_EQ(One(kNad, "SOK,d3,d1,d4"), (std::vector<std::string>{
                                             "1 NAD+DT+1750175123456:ZZ:ZZ+|50,50,50|B|0|0",
                                             "X:Y:Z|255,140,0|B|0|0",
                                             "+LYON\r\n|50,50,50|B|0|0",
                                         }));
    // Two positions on one element: the second and later ones stay unmatched.
    coloured.Clear();
    EXPECT_EQ(One(kNad, "SOK,d1,d1,d4"), (std::vector<std::string>{
                                             "1 NAD+|50,50,50|B|0|0",
                                             "DT|255,140,0|B|0|0",
                                             "+1750175123456:ZZ:ZZ+X:Y:Z+LYON\r\n|50,50,50|B|0|0",
                                         }));
}

TEST_F(ColouredFile, ReleasedSeparatorsAreCutLikeTheChecksCutThem) {
    // The released "+" stays inside element 1, shown as the file has it;
    // element 2 is the one in error.
    EXPECT_EQ(One("FTX+A?+B+C", "SOK,d2"), (std::vector<std::string>{
                                               "1 FTX+A?+B+|50,50,50|B|0|0",
                                               "C|255,140,0|B|0|0",
                                               "\r\n|50,50,50|B|0|0",
                                           }));
}

TEST_F(ColouredFile, TooManyElementsOrComponentsDoNotStopTheDisplay) {
    std::string wide = "FTX";
    for (int i = 1; i <= 300; ++i)
        wide += "+" + std::to_string(i);
    std::string manyComponents = "FTX+A+";
    for (int i = 0; i < 300; ++i)
        manyComponents += (i ? ":" : "") + std::to_string(i);
    SetSegments({wide, manyComponents, "UNZ+1"});
    SetTable({"SOK,d2,d270", "SOK,d2:260", "SOK"});
    DisplayColouredFile(false, 0, -1);
    const auto runs = Describe(coloured);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[1], "2|255,140,0|B|0|0");
    EXPECT_EQ(U(coloured.PlainText()),
              "1 " + wide + "\r\n2 " + manyComponents + "\r\n3  UNZ+1\r\n");
}

TEST_F(ColouredFile, ErrorsOnlyLeavesSoundSegmentsOut) {
    SetSegments({"UNA:+,? ", "UNB+UNOC:3", "UNH+1", "UNZ+1"});
    SetTable({"SOK", "SOK", "SOK", "SOK"});
    DisplayColouredFile(true, 0, -1);
    EXPECT_TRUE(coloured.Runs().empty());

    SetTable({"SOK", "ERR", "SOK", "SOK,ERR"});
    DisplayColouredFile(true, 0, -1);
    EXPECT_EQ(U(coloured.PlainText()), "2  UNB+UNOC:3\r\n4  UNZ+1\r\n");
}

TEST_F(ColouredFile, OneSegmentRangeAndRangeEnds) {
    std::vector<std::string> segments;
    for (int i = 0; i < 1000; ++i)
        segments.push_back("MOA+203:" + std::to_string(i));
    SetSegments(segments);
    SetTable(std::vector<std::string>(1000, "SOK"));
    DisplayColouredFile(false, 600, 600);
    EXPECT_EQ(U(coloured.PlainText()), "601  MOA+203:600\r\n");
    EXPECT_EQ(platform.statuses.size(), 1u);

    DisplayColouredFile(false, 997, 5000);
    EXPECT_EQ(U(coloured.PlainText()),
              "998  MOA+203:997\r\n999  MOA+203:998\r\n1000  MOA+203:999\r\n");
}

TEST_F(ColouredFile, ProgressEveryFiveHundredSegments) {
    SetSegments(std::vector<std::string>(2000, "MOA+203:1"));
    SetTable(std::vector<std::string>(2000, "SOK"));
    DisplayColouredFile(false, 0, 1999);
    EXPECT_EQ(platform.statuses, (std::vector<std::string>{
                                     W("Préparation de l'affichage...(colorisation)"),
                                     W("Préparation de l'affichage...(25%)"),
                                     W("Préparation de l'affichage...(50%)"),
                                     W("Préparation de l'affichage...(75%)"),
                                 }));
}

TEST_F(ColouredFile, LargeFileWarningFromTwentyThousandAndOneSegments) {
    SetSegments(std::vector<std::string>(20000, "MOA+203:1"));
    SetTable(std::vector<std::string>(20000, "SOK"));
    DisplayColouredFile(false, 0, 19999);
    EXPECT_TRUE(platform.messages.empty());

    SetSegments(std::vector<std::string>(20001, "MOA+203:1"));
    std::vector<std::string> table(20001, "SOK");
    table[20000] = "SOK,d1";
    SetTable(table);
    DisplayColouredFile(false, 0, 19999);
    // Said in the display, not in a box that would hold the run up.
    EXPECT_TRUE(platform.messages.empty());
    const std::string all = U(coloured.PlainText());
    EXPECT_TRUE(all.starts_with(
        "Seuls les 20 000 premiers segments du fichier seront affichés.\r\n\r\n1  MOA+203:1\r\n"));
    EXPECT_TRUE(all.ends_with("20000  MOA+203:1\r\n"));

    DisplayColouredFile(true, 0, -1);
    EXPECT_EQ(U(coloured.PlainText()), "20001 MOA+203:1\r\n");
}

TEST_F(ColouredFile, SegmentsBeyondAShorterTableAreShownSound) {
    // A run with the second profile replaces the segments only.
    SetSegments({"UNA:+,? ", "UNB+UNOC:3", "UNH+1", "UNZ+1"});
    SetTable({"SOK", "ERR"});
    DisplayColouredFile(false, 0, -1);
    EXPECT_EQ(Describe(coloured), (std::vector<std::string>{
                                      "1  UNA:+,? \r\n|50,50,50|-|0|0",
                                      "2  UNB+UNOC:3\r\n|255,0,0|B|0|0",
                                      "3  UNH+1\r\n4  UNZ+1\r\n|50,50,50|-|0|0",
                                  }));
    DisplayColouredFile(true, 0, -1);
    EXPECT_EQ(U(coloured.PlainText()), "2  UNB+UNOC:3\r\n");
}

TEST_F(ColouredFile, TraceLineNamesTheModule) {
    MakeDir(platform.Directory() + "/logs", "de traces");
    platform.trace = true;
    SetSegments({"UNA:+,? "});
    SetTable({"SOK"});
    DisplayColouredFile(false, 0, -1);
    const std::string log = ReadBytes(CurrentTraceFilePath());
    EXPECT_NE(log.find(W("[modDisplayFunctions >> DisplayColouredFile]")), std::string::npos);
    EXPECT_NE(log.find(W("Génération du compte-rendu en coloration syntaxique")),
              std::string::npos);
}

}  // namespace
}  // namespace trelvane::test

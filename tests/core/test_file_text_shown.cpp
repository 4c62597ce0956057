// What the user is shown of a segment is the file's own text, released
// separators and all, while the checks read it resolved: the coloured line,
// the content report and the run state's segments, for a released
// separator in each position.
#include <gtest/gtest.h>

#include <string>

#include "driver/MainTest.h"
#include "reports/RecordingSink.h"
#include "reports/modDisplayFunctions.h"
#include "run/modMainFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane::test {
namespace {

constexpr std::string_view kSound = "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS";

TEST(FileTextShown, ReleasedSeparatorsStayInWhatIsShown) {
    struct Case {
        std::string_view released;  // written inside the sender's name
        std::string_view resolved;  // what the checks read in its place in the segment
    };
    // A released component separator and a doubled release character are
    // resolved only when the element is cut into components.
    const Case cases[] = {{"?+", "+"}, {"?:", "?:"}, {"??", "??"}, {"?'", "'"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.released));
        ScriptedPlatform platform;
        platform.yearCamp = "2025";
        platform.filePath = platform.Directory() + "/essai.edi";
        RecordingSink syntax, content, coloured;
        const ReportPanes saved = CurrentReportPanes();
        SetReportPanes({&syntax, &content, &coloured});
        // The name holds the released separator; the country after it is
        // too long, so that the coloured line picks out one element.
        const std::string name = "CABINET" + std::string(c.released) + "DUPONT";
        const std::string segment =
            "NAD+MS+SENDER01:ZZ:ZZ++" + name + "+12 RUE DES LILAS+PARIS" + "++75001+FRANCE";
        std::string file = ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/valide.edi");
        const std::size_t at = file.find(kSound);
        ASSERT_NE(at, std::string::npos);
        file.replace(at, file.find('\'', at) - at, segment);
        WriteBytes(platform.filePath, file);
        MainTest();
        SetReportPanes(saved);

        const RunState& state = State();
        ASSERT_EQ(state.Segments.FileText(5), segment);
        EXPECT_NE(state.Segments[5].find("CABINET" + std::string(c.resolved) + "DUPONT"),
                  std::string_view::npos);
        // The coloured line is the file's text, the country in orange.
        EXPECT_NE(coloured.PlainText().find("6 " + segment + "\r\n"), std::string::npos)
            << coloured.PlainText();
        std::string orange;
        for (const TextRun& run : coloured.Runs())
            if (run.color == kDarkOrange) orange += run.text;
        EXPECT_EQ(orange, "FRANCE");
        // The content report prints the segment of each error as written.
        EXPECT_NE(content.PlainText().find(segment), std::string::npos);
    }
}

}  // namespace
}  // namespace trelvane::test

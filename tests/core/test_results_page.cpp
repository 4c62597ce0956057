// The results page: rendered again after the run, as the results window
// saves it, it is the very page the batch front end writes from its panes.
#include <gtest/gtest.h>

#include "config/Sha256.h"
#include "reports/ResultsPage.h"
#include "reports/modDisplayFunctions.h"
#include "run/modMainFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane::test {
namespace {

TEST(ResultsPageTest, RenderedAgainWithoutQuestionsItIsThePageOfTheRun) {
    ScriptedPlatform platform;
    platform.yearCamp = "2025";
    platform.filePath = TRELVANE_SAMPLES_DIR "/rejets.edi";
    HtmlSink syntax, content, coloured;
    SetReportPanes({&syntax, &content, &coloured});
    MainTest();
    SetReportPanes({});
    const std::string page = ResultsPage(syntax, content, coloured);
    const auto shown = platform.messages.size();
    EXPECT_EQ(RenderResultsPage(false, 0, kDisplayedSegments - 1), page);
    EXPECT_EQ(platform.messages.size(), shown);
    EXPECT_NE(page.find("SHA-256 du fichier testé : " + Sha256Hex(ReadBytes(platform.filePath))),
              std::string::npos);
    EXPECT_NE(page.find("5 ERREURS DE CONTENU TROUVEES !"), std::string::npos);
}

}  // namespace
}  // namespace trelvane::test

// The run driver: stage order, status texts, trace lines, and what a run with
// the second profile leaves behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "config/Cp1252.h"
#include "driver/MainTest.h"
#include "reports/modDisplayFunctions.h"
#include "run/modMainFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return out;
}

class MainTestRun : public ::testing::Test {
  protected:
    void SetUp() override {
        file = platform.Directory() + "/essai.edi";
        platform.filePath = file;
    }
    ScriptedPlatform platform;
    std::string file;
};

TEST_F(MainTestRun, StatusTextsComeInStageOrder) {
    WriteBytes(file, ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/valide.edi"));
    MainTest();
    const std::vector<std::string> expected = {
        "Lecture du fichier EDI...", "Extraction des segments du fichier EDI...",
        "Tests de syntaxe en cours...", "Tests de contenu en cours...",
        W("Préparation de l'affichage...")};
    std::size_t at = 0;
    for (const auto& s : platform.statuses)
        if (at < expected.size() && s == expected[at]) ++at;
    EXPECT_EQ(at, expected.size());
    EXPECT_EQ(State().Segments.size(), 17u);
    EXPECT_EQ(State().Segments[0], "UNA:+,? ");
    EXPECT_EQ(State().Delimiters, (std::array<std::string, 4>{"'", "+", ":", "?"}));
}

TEST_F(MainTestRun, TraceOpensAndClosesEveryRun) {
    platform.trace = true;
    fs::create_directory(platform.Directory() + "/logs");
    platform.profileIndex = 1;  // no checks: only the driver's own lines
    WriteBytes(file, "UNA:+,? 'UNB'");
    MainTest();
    std::vector<std::string> lines =
        Lines(ReadBytes(platform.Directory() + "/logs/05122026_trace.log"));
    std::vector<std::string> driver;
    for (const auto& l : lines)
        if (l.find("[modMainFunctions >> MainTest]") != std::string::npos)
            driver.push_back(l.substr(l.find("]") + 1));
    const std::string dashes(59, '-');
    const std::string dots(29, '.');
    ASSERT_EQ(driver.size(), 4u);
    EXPECT_EQ(driver[0], dots + dashes);
    EXPECT_EQ(driver[1], dots + "DEBUT DES TESTS DE " + file);
    EXPECT_EQ(driver[2], dots + "FIN DES TESTS OK POUR " + file);
    EXPECT_EQ(driver[3], dots + dashes);
}

TEST_F(MainTestRun, SecondProfileLeavesNoResultOfTheEarlierRun) {
    WriteBytes(file, ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/rejets.edi"));
    MainTest();
    EXPECT_EQ(State().Withheld, WithheldReason::None);
    EXPECT_GT(GetContentErrors().size(), 1u);

    platform.profileIndex = 1;
    WriteBytes(platform.Directory() + "/autre.edi", "AAA'BBB'");
    platform.filePath = platform.Directory() + "/autre.edi";
    MainTest();
    EXPECT_EQ(GetSegments().ToStringList(), (StringList{"AAA", "BBB"}));
    EXPECT_TRUE(GetSyntaxErrors().empty());
    EXPECT_TRUE(GetContentErrors().empty());
    EXPECT_TRUE(State().DossierInfo.empty());
    EXPECT_EQ(State().Withheld, WithheldReason::NotChecked);
    EXPECT_EQ(U(CurrentReportPanes().content->PlainText()),
              "\r\nAucun contrôle n'est fait avec ce profil de test.");
}

TEST_F(MainTestRun, NoProfileSelectedRunsTheChecks) {
    platform.profileIndex = -1;
    State().SyntaxErrors.clear();
    State().ContentErrors.clear();
    WriteBytes(file, "UNA:+,? '");
    MainTest();
    EXPECT_FALSE(GetSyntaxErrors().empty());
    EXPECT_EQ(GetContentErrors().at(0), "[Contenu]");
}

TEST_F(MainTestRun, UnreadableFileRunsOnAnEmptySegmentList) {
    platform.filePath = platform.Directory() + "/absent.edi";
    MainTest();
    EXPECT_TRUE(State().Segments.empty());
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(U(platform.messages[0].title), "Lecture du fichier impossible");
}

}  // namespace
}  // namespace trelvane::test

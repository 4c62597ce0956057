// Public EDIFACT files of other message types, line ends and service
// strings, through the whole run: no crash, no hang, and results that make
// sense for what the files hold. The corpus is read where it lies.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/RunInvariants.h"
#include "driver/MainTest.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles() {
    std::vector<fs::path> out;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(TRELVANE_CORPUS_DIR, ec))
        if (e.is_regular_file() && e.path().filename() != "SOURCES.md") out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
}

class Corpus : public ::testing::Test {
  protected:
    void SetUp() override {
        files_ = CorpusFiles();
        if (files_.empty()) GTEST_SKIP() << "no corpus in " << TRELVANE_CORPUS_DIR;
        platform_.yearCamp = "2025";
        SetFacChecksEnabled(true);
    }
    void Run(const fs::path& file) {
        platform_.filePath = file.string();
        MainTest();
    }
    std::vector<fs::path> files_;
    test::ScriptedPlatform platform_;
};

TEST_F(Corpus, EveryFileGivesSoundResults) {
    for (const auto& file : files_) {
        Run(file);
        test::ExpectSoundRunState(file.filename().string());
    }
}

// The results depend on the file alone, not on the run before it.
TEST_F(Corpus, RunningAFileTwiceGivesTheSameResults) {
    for (const auto& file : files_) {
        SCOPED_TRACE(file.filename().string());
        Run(file);
        const StringList syntax = State().SyntaxErrors, content = State().ContentErrors;
        const DossierTable dossiers = State().DossierInfo;
        Run(files_.front());
        Run(file);
        EXPECT_EQ(State().SyntaxErrors, syntax);
        EXPECT_EQ(State().ContentErrors, content);
        EXPECT_EQ(State().DossierInfo, dossiers);
    }
}

TEST_F(Corpus, EnvelopeVerdictsOfKnownFiles) {
    struct Expect {
        const char* file;
        const char* record;
    };
    // No UNA: the first segment is the UNB. A byte order mark or a wrong
    // header tag changes nothing to that.
    for (const Expect& e : {Expect{"edifabric__Edifact_INVOIC_D00A.txt", "003,0"},
                            Expect{"edifabric__Edifact_INVOIC_D00A_BOM.txt", "003,0"},
                            Expect{"edifabric__Edifact_INVOIC_D00A_InvalidHeader.txt", "003,0"},
                            Expect{"php-edifact__D95BCOARRI.edi", "003,0"}}) {
        const fs::path file = fs::path(TRELVANE_CORPUS_DIR) / e.file;
        if (!fs::exists(file)) continue;
        SCOPED_TRACE(e.file);
        Run(file);
        EXPECT_EQ(State().SyntaxErrors, (StringList{"[Base_N0]", e.record}));
    }
}

// A message whose segments are cut by bare CR line ends is read like the
// same message with CR LF: the line ends vanish when the lines are joined.
TEST_F(Corpus, BareCrLineEndsReadLikeCrLf) {
    const fs::path crlf = fs::path(TRELVANE_CORPUS_DIR) / "edifabric__Edifact_INVOIC_D00A.txt";
    const fs::path cr = fs::path(TRELVANE_CORPUS_DIR) / "edifabric__Edifact_INVOIC_D00A_CR.txt";
    if (!fs::exists(crlf) || !fs::exists(cr)) GTEST_SKIP() << "corpus files missing";
    Run(crlf);
    const SegmentTexts a = State().Segments;
    Run(cr);
    ASSERT_EQ(State().Segments.size(), a.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(State().Segments[i], a[i]);
}

}  // namespace
}  // namespace trelvane

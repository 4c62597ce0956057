// Generated interchanges through the whole run: valid files give no error at
// all, each injected fault gives exactly the error it stands for, and the
// samples are what the generator writes.
#include "GenKtv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "conversion/ConversionCommand.h"
#include "conversion/modKTVConversionFunctions.h"
#include "core/RunInvariants.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane {
namespace {

using test::Codes;
using test::ScriptedPlatform;

class GeneratedFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        platform_.yearCamp = "2025";
        SetFacChecksEnabled(true);
    }

    std::string Generate(std::vector<std::string> args, const std::string& name = "gen.edi") {
        const std::string path = platform_.Directory() + "/" + name;
        std::vector<const char*> argv{"gen_ktv", "-o", path.c_str()};
        for (const auto& a : args)
            argv.push_back(a.c_str());
        EXPECT_EQ(GenKtvMain(static_cast<int>(argv.size()), argv.data()), 0);
        return path;
    }

    void Run(const std::string& path) {
        platform_.filePath = path;
        MainTest();
    }

    static std::string Head(const StringList& list) {
        std::string out;
        for (std::size_t i = 0; i < list.size() && i < 8; ++i)
            out += list[i] + "\n";
        return out;
    }

    ScriptedPlatform platform_;
};

std::set<std::string> Distinct(const std::vector<std::string>& v) {
    return {v.begin(), v.end()};
}

TEST_F(GeneratedFiles, ValidFilesHaveNoErrorAndConvertEveryDossier) {
    struct Case {
        std::vector<std::string> args;
        std::size_t dossiers;
    };
    const std::vector<Case> cases = {
        {{"--dossiers", "150", "--seed", "1"}, 150},
        {{"--dossiers", "120", "--interchanges", "3", "--seed", "2", "--no-crlf"}, 120},
        {{"--dossiers", "60", "--seed", "3", "--lean"}, 60},
        // The two campaigns before the chosen one are accepted too.
        {{"--dossiers", "40", "--seed", "4", "--year", "2024"}, 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1] + " dossiers, seed " + c.args[c.args.size() - 1]);
        Run(Generate(c.args));
        const RunState& st = State();
        EXPECT_EQ(st.SyntaxErrors, StringList{"[Branchement]"}) << Head(st.SyntaxErrors);
        EXPECT_EQ(st.ContentErrors, StringList{"[Contenu]"}) << Head(st.ContentErrors);
        test::ExpectSoundRunState("valid");
        ASSERT_EQ(st.DossierInfo.size(), c.dossiers);
        std::set<std::string> nirs;
        for (const auto& row : st.DossierInfo) {
            EXPECT_EQ(row[3].size(), 13u);
            EXPECT_EQ(row[3].find_first_not_of("0123456789"), std::string::npos) << row[3];
            nirs.insert(row[3]);
        }
        EXPECT_EQ(nirs.size(), c.dossiers);
        EXPECT_TRUE(FailedConversions().empty());
        EXPECT_TRUE(IsFileConvertible());
        const StringList lines = GetFNS3Lines();
        std::size_t ans1 = 0;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            if (lines[i] != "ANS310") {
                EXPECT_EQ(lines[i].size(), 255u) << lines[i];
            }
            ans1 += lines[i].rfind("ANS1", 0) == 0;
        }
        EXPECT_EQ(ans1, c.dossiers);
    }
}

TEST_F(GeneratedFiles, SizeTargetIsReachedAndStaysValid) {
    const std::string path = Generate({"--size-mb", "1", "--seed", "5"});
    const auto size = std::filesystem::file_size(path);
    EXPECT_GE(size, 1024u * 1024u);
    EXPECT_LT(size, 1024u * 1024u + 64u * 1024u);
    Run(path);
    EXPECT_EQ(State().SyntaxErrors, StringList{"[Branchement]"}) << Head(State().SyntaxErrors);
    EXPECT_EQ(State().ContentErrors, StringList{"[Contenu]"}) << Head(State().ContentErrors);
}

TEST_F(GeneratedFiles, GenerationIsDeterministic) {
    const std::string a = test::ReadBytes(Generate({"--dossiers", "30", "--seed", "8"}, "a.edi"));
    const std::string b = test::ReadBytes(Generate({"--dossiers", "30", "--seed", "8"}, "b.edi"));
    const std::string c = test::ReadBytes(Generate({"--dossiers", "30", "--seed", "9"}, "c.edi"));
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

// Each content fault breaks one rule and nothing else, whatever the dossier
// it lands in.
TEST_F(GeneratedFiles, EachContentFaultGivesItsOwnCode) {
    const std::vector<std::pair<std::string, std::string>> faults = {
        {"bad-date", "415"},    {"zero-amount", "411"}, {"negative-amount", "434"},
        {"seq-number", "406"},  {"dup-nir", "010"},     {"ftx-over-six", "447"},
        {"fac-no-0139", "428"}, {"fac-0046", "234"},    {"fac-balance", "237"},
        {"fac-0124", "20K"},    {"facis-code", "2OL"},  {"main-exclusive", "212"},
    };
    for (const auto& [kind, code] : faults) {
        for (const char* seed : {"11", "12", "13"}) {
            SCOPED_TRACE(kind + " seed " + seed);
            Run(Generate({"--dossiers", "3", "--seed", seed, "--fault", kind}));
            EXPECT_EQ(State().SyntaxErrors, StringList{"[Branchement]"})
                << Head(State().SyntaxErrors);
            EXPECT_EQ(Distinct(Codes(State().ContentErrors)), std::set<std::string>{code})
                << Head(State().ContentErrors);
        }
    }
}

TEST_F(GeneratedFiles, DuplicateNirIsReportedOnBothDossiers) {
    Run(Generate({"--dossiers", "3", "--seed", "14", "--fault", "dup-nir"}));
    const auto codes = Codes(State().ContentErrors);
    EXPECT_EQ(codes, (std::vector<std::string>{"010", "010"})) << Head(State().ContentErrors);
}

TEST_F(GeneratedFiles, SyntaxFaultsAreFoundByTheBranchingCheck) {
    const std::vector<std::pair<std::string, std::string>> faults = {
        {"unknown-tag", "901"}, {"unt-count", "400"}, {"unz-count", "401"}};
    for (const auto& [kind, code] : faults) {
        SCOPED_TRACE(kind);
        Run(Generate({"--dossiers", "4", "--seed", "15", "--fault", kind}));
        ASSERT_EQ(State().SyntaxErrors.at(0), "[Branchement]");
        const auto codes = Codes(State().SyntaxErrors);
        EXPECT_NE(std::find(codes.begin(), codes.end(), code), codes.end())
            << Head(State().SyntaxErrors);
    }
    // A dropped or repeated segment always breaks the order somewhere.
    for (const char* kind : {"drop-segment", "dup-segment"}) {
        for (const char* seed : {"16", "17", "18", "19"}) {
            SCOPED_TRACE(std::string(kind) + " seed " + seed);
            Run(Generate({"--dossiers", "2", "--seed", seed, "--fault", kind}));
            EXPECT_GT(State().SyntaxErrors.size(), 1u);
            test::ExpectSoundRunState(kind);
        }
    }
}

TEST_F(GeneratedFiles, FaultRateSpreadsFaultsAcrossTheFile) {
    Run(Generate({"--dossiers", "200", "--seed", "20", "--fault-rate", "0.05"}));
    EXPECT_GT(State().SyntaxErrors.size(), 20u);
    test::ExpectSoundRunState("5 % faulty segments");
    Run(Generate({"--dossiers", "200", "--seed", "21", "--fault-rate", "0.02", "--fault",
                  "bad-date,seq-number,fac-0046,fac-balance,facis-code"}));
    EXPECT_EQ(State().SyntaxErrors, StringList{"[Branchement]"}) << Head(State().SyntaxErrors);
    const auto codes = Distinct(Codes(State().ContentErrors));
    EXPECT_EQ(codes, (std::set<std::string>{"415", "406", "234", "237", "2OL"}));
}

// The samples are the generator's output for the commands that made them.
TEST_F(GeneratedFiles, SamplesAreReproducibleAndHoldTheirErrors) {
    struct Sample {
        const char* name;
        std::vector<std::string> args;
        std::set<std::string> syntax;
        std::set<std::string> content;
    };
    const std::vector<Sample> samples = {
        {"rejets.edi",
         {"--lean", "--dossiers", "4", "--seed", "3", "--fault",
          "bad-date,negative-amount,seq-number,dup-nir"},
         {},
         {"415", "434", "406", "010"}},
        {"signalements.edi",
         {"--lean", "--dossiers", "1", "--seed", "4", "--fault", "ftx-over-six"},
         {},
         {"447"}},
        {"annexes.edi",
         {"--lean", "--dossiers", "6", "--seed", "5", "--fault",
          "fac-no-0139,fac-0046,fac-balance,fac-0124,facis-code,main-exclusive"},
         {},
         {"428", "234", "237", "20K", "2OL", "212"}},
        {"syntaxe.edi",
         {"--lean", "--dossiers", "4", "--seed", "6", "--fault",
          "drop-segment,unknown-tag,unt-count,unz-count"},
         {"901", "400", "401"},
         {}},
    };
    for (const auto& s : samples) {
        SCOPED_TRACE(s.name);
        const std::string committed = std::string(TRELVANE_SAMPLES_DIR) + "/" + s.name;
        EXPECT_EQ(test::ReadBytes(Generate(s.args, s.name)), test::ReadBytes(committed));
        Run(committed);
        const auto syntax = Distinct(Codes(State().SyntaxErrors));
        for (const auto& code : s.syntax)
            EXPECT_TRUE(syntax.count(code)) << code;
        if (s.syntax.empty()) {
            EXPECT_EQ(State().SyntaxErrors, StringList{"[Branchement]"})
                << Head(State().SyntaxErrors);
        }
        if (!s.content.empty()) {
            EXPECT_EQ(Distinct(Codes(State().ContentErrors)), s.content)
                << Head(State().ContentErrors);
        }
        test::ExpectSoundRunState(s.name);
    }
}

// Seven free texts in one annex is only a warning: the file still converts.
TEST_F(GeneratedFiles, WarningOnlySampleIsConvertible) {
    Run(std::string(TRELVANE_SAMPLES_DIR) + "/signalements.edi");
    EXPECT_EQ(Codes(State().ContentErrors), std::vector<std::string>{"447"});
    EXPECT_EQ(GetWarningCount(), 1);
    EXPECT_TRUE(IsFileConvertible());
    Run(std::string(TRELVANE_SAMPLES_DIR) + "/rejets.edi");
    EXPECT_FALSE(IsFileConvertible());
}

}  // namespace
}  // namespace trelvane

// Generated interchanges through the whole run: valid files give no error and
// convert every dossier, each injected fault gives exactly the error it
// stands for, and the delivered samples are what the generator writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "GenKtv.h"
#include "conversion/ConversionCommand.h"
#include "conversion/modKTVConversionFunctions.h"
#include "driver/MainTest.h"
#include "run/modMainFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane::test {
namespace {

std::set<std::string> Codes(const StringList& list) {
    std::set<std::string> out;
    for (std::size_t i = 1; i < list.size(); ++i)
        out.insert(list[i].substr(list[i].rfind(',') + 1));
    return out;
}

class Generated : public ::testing::Test {
  protected:
    void SetUp() override { platform.yearCamp = "2025"; }
    // Generates with the options and runs the file.
    std::string Run(const std::string& options, const std::string& name = "gen.edi") {
        std::vector<std::string> args{"gen_ktv", "-o", platform.Directory() + "/" + name};
        for (std::size_t at = 0; at < options.size();) {
            const std::size_t space = std::min(options.find(' ', at), options.size());
            args.push_back(options.substr(at, space - at));
            at = space + 1;
        }
        std::vector<const char*> argv;
        for (const std::string& a : args)
            argv.push_back(a.c_str());
        EXPECT_EQ(GenKtvMain(static_cast<int>(argv.size()), argv.data()), 0) << options;
        platform.filePath = args[2];
        MainTest();
        return args[2];
    }
    ScriptedPlatform platform;
};

TEST_F(Generated, ValidFilesConvertEveryDossier) {
    const std::pair<const char*, std::size_t> files[] = {
        {"--dossiers 150 --seed 1", 150},
        {"--dossiers 120 --interchanges 3 --seed 2 --no-crlf", 120},
        {"--dossiers 60 --seed 3 --lean", 60},
        {"--dossiers 40 --seed 4 --year 2024", 40},  // the campaign before is accepted too
        {"--size-mb 1 --seed 5", 0},
    };
    for (const auto& [options, dossiers] : files) {
        const std::string path = Run(options);
        EXPECT_EQ(State().SyntaxErrors, StringList{"[Branchement]"}) << options;
        EXPECT_EQ(State().ContentErrors, StringList{"[Contenu]"}) << options;
        EXPECT_TRUE(IsFileConvertible());
        std::set<std::string> nirs;
        for (const DossierRow& row : State().DossierInfo)
            nirs.insert(row[3]);
        EXPECT_EQ(nirs.size(), State().DossierInfo.size());
        std::size_t ans1 = 0;
        for (const std::string& line : GetFNS3Lines())
            ans1 += line.starts_with("ANS1");
        EXPECT_EQ(ans1, State().DossierInfo.size());
        EXPECT_EQ(ans1, dossiers ? dossiers : ans1) << options;
    }
    EXPECT_NEAR(static_cast<double>(std::filesystem::file_size(platform.filePath)), 1 << 20,
                64 << 10);
}

// Each fault breaks its rule and nothing else, whatever the dossier it lands in.
TEST_F(Generated, EachFaultGivesItsOwnCode) {
    const std::pair<const char*, const char*> faults[] = {
        {"bad-date", "415"},    {"zero-amount", "411"}, {"negative-amount", "434"},
        {"seq-number", "406"},  {"dup-nir", "010"},     {"ftx-over-six", "447"},
        {"fac-no-0139", "428"}, {"fac-0046", "234"},    {"fac-balance", "237"},
        {"fac-0124", "20K"},    {"facis-code", "2OL"},  {"main-exclusive", "212"}};
    for (const auto& [kind, code] : faults) {
        for (const char* seed : {"11", "12", "13"}) {
            Run(std::string("--dossiers 3 --seed ") + seed + " --fault " + kind);
            EXPECT_EQ(State().SyntaxErrors, StringList{"[Branchement]"}) << kind << " " << seed;
            EXPECT_EQ(Codes(State().ContentErrors), std::set<std::string>{code}) << kind << seed;
        }
    }
    for (const auto& [kind, code] :
         {std::pair{"unknown-tag", "901"}, {"unt-count", "400"}, {"unz-count", "401"}}) {
        Run(std::string("--dossiers 4 --seed 15 --fault ") + kind);
        EXPECT_TRUE(Codes(State().SyntaxErrors).count(code)) << kind;
    }
    for (const char* seed : {"16", "17", "18"}) {
        Run(std::string("--dossiers 2 --fault drop-segment,dup-segment --seed ") + seed);
        EXPECT_GT(State().SyntaxErrors.size(), 1u) << seed;
    }
    Run("--dossiers 200 --seed 21 --fault-rate 0.02 --fault "
        "bad-date,seq-number,fac-0046,fac-balance,facis-code");
    EXPECT_EQ(State().SyntaxErrors, StringList{"[Branchement]"});
    EXPECT_EQ(Codes(State().ContentErrors),
              (std::set<std::string>{"415", "406", "234", "237", "2OL"}));
}

// The samples are the generator's output for the commands that made them.
TEST_F(Generated, SamplesAreReproducible) {
    const std::pair<const char*, const char*> samples[] = {
        {"rejets.edi",
         "--lean --dossiers 4 --seed 3 --fault "
         "bad-date,negative-amount,seq-number,dup-nir"},
        {"signalements.edi", "--lean --dossiers 1 --seed 4 --fault ftx-over-six"},
        {"annexes.edi",
         "--lean --dossiers 6 --seed 5 --fault "
         "fac-no-0139,fac-0046,fac-balance,fac-0124,facis-code,main-exclusive"},
        {"syntaxe.edi",
         "--lean --dossiers 4 --seed 6 --fault "
         "drop-segment,unknown-tag,unt-count,unz-count"}};
    for (const auto& [name, options] : samples)
        EXPECT_EQ(ReadBytes(Run(options, name)),
                  ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/" + name))
            << name;
    const std::string a = ReadBytes(Run("--dossiers 30 --seed 8", "a.edi"));
    EXPECT_NE(ReadBytes(Run("--dossiers 30 --seed 9", "c.edi")), a);
}

}  // namespace
}  // namespace trelvane::test

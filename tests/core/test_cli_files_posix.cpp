// The batch front end's inputs and outputs as a shell user meets them: a
// pipe or the standard input reads as the file does, what is not a file is
// refused, a conversion that cannot write its file says so with a status of
// its own, and parallel conversions into one directory keep every FNS3 file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "support/TestFiles.h"

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int code = -1;
    std::string out;
};

class CliFiles : public ::testing::Test {
  protected:
    void SetUp() override { dir = MakeTempDir(); }
    void TearDown() override { RemoveTree(dir); }
    // A shell command line; "CHECK" stands for the batch front end.
    Outcome Shell(std::string command) {
        for (std::size_t at; (at = command.find("CHECK")) != std::string::npos;)
            command.replace(at, 5, "'" TRELVANE_CHECK_EXE "'");
        const int status = std::system((command + " >'" + dir + "/out' 2>/dev/null").c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(dir + "/out")};
    }
    std::string dir;
    const std::string samples = std::string(TRELVANE_SAMPLES_DIR);
    const std::string sample = "'" + samples + "/signalements.edi'";
};

TEST_F(CliFiles, PipesAndTheStandardInputReadAsTheFile) {
    const Outcome file = Shell("CHECK --json -a 2025 " + sample);
    ASSERT_EQ(file.code, 0);
    for (const std::string& way :
         {"cat " + sample + " | CHECK --json -a 2025 -", "CHECK --json -a 2025 - <" + sample,
          "cat " + sample + " | CHECK --json -a 2025 /dev/stdin",
          "bash -c \"CHECK --json -a 2025 <(cat " + sample + ")\""}) {
        const Outcome piped = Shell(way);
        EXPECT_EQ(piped.code, file.code) << way;
        EXPECT_EQ(piped.out, file.out) << way;
    }
    EXPECT_EQ(Shell("CHECK -q /dev/zero").code, 2);
    EXPECT_EQ(Shell("printf '' | CHECK -q -").code, 2);
}

TEST_F(CliFiles, AConversionThatCannotWriteItsFileExitsWithFour) {
    // The names of the output directories are taken by files.
    WriteBytes(dir + "/FNS3", "");
    WriteBytes(dir + "/CR_Erreurs", "");
    Outcome r = Shell("CHECK -q -a 2025 --convertir='" + dir + "' " + sample);
    EXPECT_EQ(r.code, 4);
    EXPECT_TRUE(r.out.ends_with(" convertible, conversion échouée : fichier FNS3 non écrit\n"))
        << r.out;
    r = Shell("CHECK -q -a 2025 --convertir='" + dir + "' '" + samples + "/rejets.edi'");
    EXPECT_EQ(r.code, 4);
    EXPECT_TRUE(r.out.ends_with("non convertible, conversion échouée : compte-rendu non écrit\n"))
        << r.out;
}

TEST_F(CliFiles, TenParallelConversionsKeepTenFns3Files) {
    const std::string text = ReadBytes(samples + "/signalements.edi");
    std::string command;
    for (char c = 'A'; c < 'K'; ++c) {
        std::string changed = text;
        changed.replace(changed.find("CABINET DUPONT"), 14, std::string("CABINET DUPON") + c);
        WriteBytes(dir + "/" + c + ".edi", changed);
        command += "CHECK -q -a 2025 --convertir='" + dir + "/lot' '" + dir + "/" + c + ".edi' & ";
    }
    Shell(command + "wait");
    std::set<std::string> contents;
    for (const auto& e : fs::directory_iterator(dir + "/lot/FNS3")) {
        contents.insert(ReadBytes(e.path().string()));
        EXPECT_EQ(fs::file_size(e.path()), 10u * 257) << e.path();
    }
    EXPECT_EQ(contents.size(), 10u);
}

}  // namespace
}  // namespace trelvane::test

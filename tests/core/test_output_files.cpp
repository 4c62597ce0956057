// The files a conversion leaves, as a user finds them on disk: an FNS3 file
// never replaces another, reports written at once never mix, the temporary
// files of an interrupted write go away, inputs that are not files are
// refused, and a name Windows-1252 cannot spell is tested all the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "config/Cp1252.h"
#include "config/modIOfunctions.h"
#include "conversion/ConversionCommand.h"
#include "conversion/modKTVConversionFunctions.h"
#include "driver/MainTest.h"
#include "reports/ReportDocument.h"
#include "run/modMainFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

Names NamesIn(const std::string& dir) {
    Names names;
    for (const auto& e : fs::directory_iterator(FsPath(dir))) {
        const std::u8string name = e.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class OutputFiles : public ::testing::Test {
  protected:
    std::string Dir(const std::string& name) {
        const std::string dir = platform.Directory() + "/" + name;
        fs::create_directories(FsPath(dir));
        return dir;
    }
    ScriptedPlatform platform;
};

TEST_F(OutputFiles, AnFns3FileNeverReplacesAnother) {
    const std::string dir = Dir("FNS3");
    WriteBytes(JoinPath(dir, "20261205_174538_FNS3.oth"), "premier");
    fs::create_directory(FsPath(JoinPath(dir, "20261205_174538_FNS3_2.oth")));
    InitFNS3Lines();
    AppendFNS3Line("ANS310");
    EXPECT_EQ(WriteFNS3File(dir), JoinPath(dir, "20261205_174538_FNS3_3.oth"));
    EXPECT_EQ(ReadBytes(JoinPath(dir, "20261205_174538_FNS3.oth")), "premier");
    EXPECT_EQ(ReadBytes(JoinPath(dir, "20261205_174538_FNS3_3.oth")), "ANS310\r\n");
}

// Reports of one second share one file: each is appended in one write, so
// reports written at once never mix.
TEST_F(OutputFiles, ReportsWrittenAtOnceStayWhole) {
    const std::string dir = Dir("CR_Erreurs");
    std::vector<std::thread> writers;
    for (int i = 0; i < 8; ++i)
        writers.emplace_back(
            [&, i] { WriteCRFile(std::string(200000, static_cast<char>('A' + i)), dir); });
    for (auto& w : writers)
        w.join();
    ASSERT_EQ(NamesIn(dir), Names{"174538_05122026_CRErreur.txt"});
    std::string all = ReadBytes(JoinPath(dir, "174538_05122026_CRErreur.txt"));
    ASSERT_EQ(all.size(), 8u * 200002);
    for (std::size_t at = 0; at < all.size(); at += 200002) {
        EXPECT_EQ(all.substr(at, 200000), std::string(200000, all[at])) << at;
        EXPECT_EQ(all.substr(at + 200000, 2), "\r\n");
    }
}

TEST_F(OutputFiles, ConversionsRemoveTheirOwnStaleTemporaryFiles) {
    const std::string fns3 = Dir("FNS3"), cr = Dir("CR_Erreurs");
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(2);
    auto plant = [&](const std::string& dir, const std::string& name, bool stale) {
        WriteBytes(JoinPath(dir, name), "part");
        if (stale) fs::last_write_time(FsPath(JoinPath(dir, name)), old);
    };
    plant(fns3, "20250101_101010_FNS3.oth.part-a1B2c3", true);
    plant(fns3, "20250101_101010_FNS3_12.oth.part-Zz09aa", true);
    plant(fns3, "20250101_101010_FNS3.oth.part-fresh1", false);  // a write going on
    plant(fns3, "notes.oth.part-a1B2c3", true);                  // not ours
    plant(fns3, "20250101_101010_FNS3.oth.part-a1B2c3x", true);
    plant(cr, "101010_01012025_CRErreur.txt.part-q1w2e3", true);
    InitFNS3Lines();
    WriteFNS3File(fns3);
    WriteCRFile("rapport", cr);
    EXPECT_EQ(NamesIn(fns3), (Names{"20250101_101010_FNS3.oth.part-a1B2c3x",
                                    "20250101_101010_FNS3.oth.part-fresh1",
                                    "20261205_174538_FNS3.oth", "notes.oth.part-a1B2c3"}));
    EXPECT_EQ(NamesIn(cr), Names{"174538_05122026_CRErreur.txt"});
}

TEST_F(OutputFiles, WhatIsNotAFileIsRefusedWithItsReason) {
#if defined(_WIN32)
    const std::string device = "NUL";
#else
    const std::string device = "/dev/zero";
#endif
    std::string text = "x";
    EXPECT_FALSE(ImportFileContent(device, text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(ImportFileContent(platform.Directory(), text));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(U(platform.messages[0].text),
              "54 - Ce n'est pas un fichier ordinaire mais un périphérique");
    EXPECT_EQ(U(platform.messages[1].text), "75 - Erreur d'accès au chemin ou au fichier");
}

TEST_F(OutputFiles, AFileNamedOutsideWindows1252IsTestedAndConverted) {
    const std::string path = Dir("répertoire") + "/Ωμέγα 申告.edi";
    WriteBytes(path, ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/signalements.edi"));
    platform.filePath = path;
    platform.yearCamp = "2025";
    ASSERT_TRUE(FileExists(path));
    MainTest();
    EXPECT_EQ(State().Segments.size(), 53u);
    EXPECT_NE(ReportDocumentHeaderText().find(W("testé : ") + DisplayPath(path)),
              std::string::npos);
    EXPECT_TRUE(DisplayPath(path).ends_with(W("répertoire/????? ??.edi")));
    const ConversionOutcome outcome = RunConversionCommand("", Dir("sortie é"));
    EXPECT_EQ(outcome.result, ConversionResult::Fns3Written);
    EXPECT_TRUE(ReadBytes(outcome.path).starts_with("ANS0"));
}

}  // namespace
}  // namespace trelvane::test

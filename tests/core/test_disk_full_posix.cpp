// Files written when the disk is full, on a small file system mounted for
// the test: the trace keeps whole lines, the FNS3 file is whole or absent,
// the error report is never cut in the middle.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "config/modIOfunctions.h"
#include "conversion/ConversionCommand.h"
#include "conversion/modKTVConversionFunctions.h"
#include "run/modMainFunctions.h"
#include "support/Samples.h"

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;

// A tmpfs of 64 KB, where the system lets the test mount one.
class DiskFull : public ::testing::Test {
  protected:
    void SetUp() override {
        if (::geteuid() != 0 || ::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "mounting a small file system needs root and the permission to";
        mounted = true;
    }
    void TearDown() override {
        if (mounted) ::umount2(dir.c_str(), MNT_DETACH);
        RemoveTree(dir);
    }
    // Takes every free byte but leave.
    void Fill(std::size_t leave) {
        std::FILE* f = std::fopen((dir + "/filler").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::setvbuf(f, nullptr, _IONBF, 0);
        while (std::fwrite("F", 1, 1, f) == 1) {
        }
        std::fclose(f);
        fs::resize_file(dir + "/filler", fs::file_size(dir + "/filler") - leave);
    }
    std::string dir = MakeTempDir();
    bool mounted = false;
};

TEST_F(DiskFull, FilesAreWholeOrAbsent) {
    CopyDataFiles(dir);
    ScriptedPlatform platform(dir);
    platform.yearCamp = kCampaign;
    platform.trace = true;
    fs::create_directory(dir + "/logs");
    std::vector<Segs> dossiers;
    for (int d = 1; d <= 80; ++d)
        dossiers.push_back(
            Dossier(d, Groups("E0010=15000 E0055=15000"), std::to_string(2000000000000LL + d)));
    platform.filePath = dir + "/f.edi";
    WriteBytes(platform.filePath, FileText(Envelope(dossiers)));
    Fill(4 << 10);
    MainTest();  // the trace runs out of room: its lines stay whole
    const std::string log = ReadBytes(CurrentTraceFilePath());
    EXPECT_TRUE(log.empty() || log.ends_with("\r\n")) << log.size();
    fs::remove(platform.filePath);
    fs::remove(CurrentTraceFilePath());
    platform.trace = false;
    ASSERT_GT(FNS3Lines().size() * 255, 64u << 10);
    Fill(16 << 10);
    EXPECT_EQ(WriteFNS3File(dir), "");
    std::vector<std::string> left;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"filler", "logs", "parametres.ini",
                                              "tbl_code_erreur_libelle.txt", "tbl_code_segment.txt",
                                              "tbl_data_format.txt"}));
    fs::remove(dir + "/filler");
    const std::string report(8 << 10, 'R');
    const std::string cr = WriteCRFile(report, dir);
    ASSERT_NE(cr, "");
    Fill(2 << 10);
    WriteCRFile(report, dir);
    EXPECT_EQ(ReadBytes(cr), report + "\r\n");
}

}  // namespace
}  // namespace trelvane::test

// Output files on a POSIX system: on a full disk (a small file system
// mounted for the test) the trace keeps whole lines, the FNS3 file is whole
// or absent, the error report is never cut in the middle; new files follow
// the umask, a link at an output name is never followed, and a name that is
// not UTF-8 is tested all the same.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "config/modIOfunctions.h"
#include "conversion/ConversionCommand.h"
#include "conversion/modKTVConversionFunctions.h"
#include "driver/MainTest.h"
#include "reports/ReportDocument.h"
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

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
}

class PosixOutputFiles : public ::testing::Test {
  protected:
    ScriptedPlatform platform;
    const std::string dir = platform.Directory();
};

TEST_F(PosixOutputFiles, NewFilesFollowTheUmask) {
    InitFNS3Lines();
    for (const mode_t mask : {0022u, 0027u, 0077u, 0u}) {
        ++platform.now.second;
        const mode_t before = ::umask(mask);
        const std::string fns3 = WriteFNS3File(dir), cr = WriteCRFile("r", dir);
        ::umask(before);
        EXPECT_EQ(ModeOf(fns3), 0666 & ~mask) << mask;
        EXPECT_EQ(ModeOf(cr), 0666 & ~mask) << mask;
    }
}

TEST_F(PosixOutputFiles, ALinkAtAnOutputNameIsNeverFollowed) {
    const std::string target = dir + "/cible.txt";
    WriteBytes(target, "intact");
    fs::create_directory(dir + "/logs");
    for (const char* name :
         {"/174538_05122026_CRErreur.txt", "/20261205_174538_FNS3.oth", "/logs/05122026_trace.log"})
        fs::create_symlink(target, dir + name);
    EXPECT_EQ(WriteCRFile("rapport", dir), "");
    InitFNS3Lines();
    EXPECT_EQ(WriteFNS3File(dir), dir + "/20261205_174538_FNS3_2.oth");  // the name is taken
    WriteTrace("ligne", "m", "p");
    EXPECT_EQ(ReadBytes(target), "intact");
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(U(platform.messages[0].text),
              "75 - Ecriture du fichier CRErreur impossible.\r\n"
              "Ce nom est celui d'un lien symbolique, qui n'est jamais suivi.");
    EXPECT_TRUE(U(platform.messages[1].text).ends_with("qui n'est jamais suivi."));
}

TEST_F(PosixOutputFiles, ANameThatIsNotUtf8IsTested) {
    const std::string path = dir +
                             "/d\xE9"
                             "claration.edi";  // Latin-1
    WriteBytes(path, ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/valide.edi"));
    platform.filePath = path;
    ASSERT_TRUE(FileExists(path));
    MainTest();
    EXPECT_EQ(State().Segments.size(), 17u);
    EXPECT_NE(ReportDocumentHeaderText().find("/d?claration.edi\r\n"), std::string::npos);
}

}  // namespace
}  // namespace trelvane::test

// Output files on a POSIX system: modes, links, and names that are not
// UTF-8.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

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

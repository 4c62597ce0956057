// What trelvane-check refuses to test: a configuration it cannot use (exit 3)
// and an HTML page that would overwrite the file under test (exit 2). A
// message says why, and nothing is printed or written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TestFiles.h"
#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int code = -1;
    std::string out, err;
};

// A copy of trelvane-check beside its own data files, and the sample with warnings only.
class BatchRefusals : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(bin);
        fs::copy_file(TRELVANE_CHECK_EXE, exe);
        fs::copy_file(std::string(TRELVANE_SAMPLES_DIR) + "/signalements.edi", sample);
    }
    void TearDown() override { RemoveTree(dir); }

    Outcome Run(const std::string& args) {
        const std::string out = dir + "/out.txt", err = dir + "/err.txt";
        const int rc = std::system(
            ("\"" + exe + "\" -a 2025 " + args + " >\"" + out + "\" 2>\"" + err + "\"").c_str());
#if defined(_WIN32)
        return {rc, ReadBytes(out), ReadBytes(err)};
#else
        return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, ReadBytes(out), ReadBytes(err)};
#endif
    }

    std::string dir = MakeTempDir(), bin = dir + "/bin", sample = dir + "/signalements.edi";
    std::string exe = bin + "/" + fs::path(TRELVANE_CHECK_EXE).filename().string();
};

TEST_F(BatchRefusals, UnusableConfigurationStopsBeforeAnyCheck) {
    const std::string binary("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\xff\xfe", 18);
    struct Fault {
        const char* file;
        std::string bytes;  // "-": the file is removed
        const char* says;   // part of the message
    };
    const std::vector<Fault> faults = {
        {"tbl_data_format.txt", "-", "introuvable"},
        {"tbl_data_format.txt", "", "est vide"},
        {"tbl_data_format.txt", "\"UNA_0001\",\"fa\",4,\"UNA:\"\n\"UNB_S0", "ligne 2 : "},
        {"tbl_data_format.txt", "\"UNA_0001\",\"fa\",4,\n", "ligne 1 : "},
        {"tbl_data_format.txt", binary, "ligne 1 : "},
        {"tbl_code_erreur_libelle.txt", "-", "introuvable"},
        {"tbl_code_erreur_libelle.txt", "\r\n\r\n", "est vide"},
        {"tbl_code_erreur_libelle.txt", "003 rej Premier segment\r\n447 s", "ligne 2 : "},
        {"tbl_code_erreur_libelle.txt", binary, "ligne 1 : "},
        {"tbl_code_segment.txt", "-", "introuvable"},
        {"tbl_code_segment.txt", "", "est vide"},
        {"tbl_code_segment.txt", "0000 ZZZ\n0001 MOA\n0010 M", "ligne 3 : "},
        {"tbl_code_segment.txt", binary, "ligne 1 : "},
        {"parametres.ini", "[Parametres]\r\ndelimiter1='\r\ndelimiter3=:\r\ndelimiter_escape=?\r\n",
         "delimiter2"},
        {"parametres.ini", "delimiter1='\r\ndelimiter2=+\r\ndelimiter3=+\r\ndelimiter_escape=?\r\n",
         "delimiter2 et delimiter3"},
        {"parametres.ini", binary, "delimiter1"},
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(std::string(f.file) + " " + f.says);
        CopyDataFiles(bin);
        if (f.bytes == "-")
            fs::remove(bin + "/" + f.file);
        else
            WriteBytes(bin + "/" + f.file, f.bytes);
        const Outcome o = Run("--convertir=\"" + dir + "/sortie\" \"" + sample + "\"");
        EXPECT_EQ(o.code, 3);
        EXPECT_EQ(o.out, "");
        EXPECT_NE(o.err.find(bin + "/" + f.file), std::string::npos) << o.err;
        EXPECT_NE(o.err.find(f.says), std::string::npos) << o.err;
        EXPECT_FALSE(fs::exists(dir + "/sortie/FNS3") || fs::exists(dir + "/sortie/CR_Erreurs"));
    }
    CopyDataFiles(bin);
    EXPECT_EQ(Run("-q \"" + sample + "\"").code, 0);
}

TEST_F(BatchRefusals, HtmlPageNeverOverwritesTheFileUnderTest) {
    CopyDataFiles(bin);
    const std::string bytes = ReadBytes(sample);
    fs::create_hard_link(sample, dir + "/lien.edi");
    for (const std::string& page : {sample, dir + "/./signalements.edi", dir + "/lien.edi"}) {
        const Outcome o = Run("--html \"" + page + "\" \"" + sample + "\"");
        EXPECT_EQ(o.code, 2) << page;
        EXPECT_NE(o.err.find("--html"), std::string::npos) << o.err;
        EXPECT_EQ(ReadBytes(sample), bytes);
    }
    EXPECT_EQ(Run("--html \"" + dir + "/page.html\" \"" + sample + "\"").code, 0);
    EXPECT_TRUE(fs::exists(dir + "/page.html"));
}

}  // namespace
}  // namespace trelvane::test

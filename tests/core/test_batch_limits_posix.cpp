// What trelvane-check refuses or holds back: a configuration it cannot use
// (exit 3) and an HTML page that would overwrite the file under test (exit 2)
// get one message and nothing printed or written; a line of megabytes is cut
// in the coloured file only.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TestFiles.h"

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int code = -1;
    std::string out, err;
};

// A copy of trelvane-check beside its own data files, and the sample with warnings only.
class BatchLimits : public ::testing::Test {
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
        return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, ReadBytes(out), ReadBytes(err)};
    }

    std::string dir = MakeTempDir(), bin = dir + "/bin", sample = dir + "/signalements.edi";
    std::string exe = bin + "/" + fs::path(TRELVANE_CHECK_EXE).filename().string();
};

TEST_F(BatchLimits, UnusableConfigurationStopsBeforeAnyCheck) {
    std::string binary;
    for (int b = 0; b < 256; ++b)
        binary += static_cast<char>(b);
    struct Fault {
        const char* file;
        std::string bytes;  // "-": the file is removed, "/": a directory in its place
        const char* says;   // part of the message
    };
    const std::vector<Fault> faults = {
        {"tbl_data_format.txt", "-", "introuvable"},
        {"tbl_data_format.txt", "", "est vide"},
        {"tbl_data_format.txt", "\"UNA_0001\",\"fa\",4,\"UNA:\"\n\"UNB_S001_0001\",\"fa\",4,\"UN",
         "ligne 2 : "},
        {"tbl_data_format.txt", "/", "tbl_data_format.txt : "},
        {"tbl_data_format.txt", "\"UNA_0001\",\"fa\",4,\n", "ligne 1 : "},
        {"tbl_data_format.txt", binary, "ligne 1 : "},
        {"tbl_code_erreur_libelle.txt", "-", "introuvable"},
        {"tbl_code_erreur_libelle.txt", "\r\n\r\n", "est vide"},
        {"tbl_code_erreur_libelle.txt", "003 rej Premier segment\r\n447 s", "ligne 2 : "},
        {"tbl_code_erreur_libelle.txt", binary, "ligne 1 : "},
        {"tbl_code_segment.txt", "-", "introuvable"},
        {"tbl_code_segment.txt", "", "est vide"},
        {"tbl_code_segment.txt", "0000 ZZZ\n0001 MOA\n0010 MO", "ligne 3 : "},
        {"tbl_code_segment.txt", binary, "ligne 1 : "},
        {"parametres.ini", "[Parametres]\r\ndelimiter1='\r\ndelimiter3=:\r\ndelimiter_escape=?\r\n",
         "delimiter2"},
        {"parametres.ini", "delimiter1='\r\ndelimiter2=+\r\ndelimiter3=+\r\ndelimiter_escape=?\r\n",
         "delimiter2 et delimiter3"},
        {"parametres.ini", binary, "delimiter1"},
        {"parametres.ini", "/", "Lecture du fichier ini impossible"},
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(std::string(f.file) + " " + f.says);
        CopyDataFiles(bin);
        fs::remove(bin + "/" + f.file);
        if (f.bytes == "/")
            fs::create_directory(bin + "/" + f.file);
        else if (f.bytes != "-")
            WriteBytes(bin + "/" + f.file, f.bytes);
        const Outcome o = Run("--convertir=\"" + dir + "/sortie\" \"" + sample + "\"");
        EXPECT_EQ(o.code, 3);
        EXPECT_EQ(o.out, "");
        EXPECT_NE(o.err.find(bin + "/" + f.file), std::string::npos) << o.err;
        EXPECT_NE(o.err.find(f.says), std::string::npos) << o.err;
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
        EXPECT_FALSE(fs::exists(dir + "/sortie/FNS3") || fs::exists(dir + "/sortie/CR_Erreurs"));
        fs::remove_all(bin + "/" + f.file);
    }
    CopyDataFiles(bin);
    EXPECT_EQ(Run("-q \"" + sample + "\"").code, 0);
}

TEST_F(BatchLimits, HtmlPageNeverOverwritesTheFileUnderTest) {
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

// The coloured file shows the start of the line and its length; the syntax
// report shows the segment whole.
TEST_F(BatchLimits, ColouredFileCutsALineOfMegabytes) {
    CopyDataFiles(bin);
    std::string text = ReadBytes(sample);
    const std::string segment = "FTX+AAA+++" + std::string(3000000, 'X');
    text.insert(text.find("SEQ++1'"), segment + "'\r\n");
    WriteBytes(sample, text);
    ASSERT_EQ(Run("--html \"" + dir + "/page.html\" \"" + sample + "\"").code, 1);
    const std::string page = ReadBytes(dir + "/page.html");
    const std::string cut = "[...] (ligne coupée à l&#39;affichage : 3000010 caractères)";
    const auto at = page.find(cut);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(page.find("[...]", at + cut.size()), std::string::npos);
    EXPECT_NE(page.find(segment), std::string::npos);
}

}  // namespace
}  // namespace trelvane::test

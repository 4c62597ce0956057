// The three reference tables read from the program's directory: their
// capacities, quoting and line ends, the failures and the partial tables
// they leave. The delivered tables are read by every golden run.
#include <gtest/gtest.h>

#include "content/ReferenceTables.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane::test {
namespace {

// A program directory holding only the tables a test writes.
class Tables : public ::testing::Test {
  protected:
    void Write(const std::string& name, std::string_view bytes) {
        WriteBytes(dir + "/" + name, bytes);
    }
    // The first line of the last message: the error number and the table.
    std::string LastFault() const {
        const std::string text = platform.MessageTextsUtf8().back();
        return text.substr(0, text.find("\r\n"));
    }
    void TearDown() override { RemoveTree(dir); }
    std::string dir = MakeTempDir();
    ScriptedPlatform platform{dir};
};

std::string Formats(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "\"K" + std::to_string(i) + "\",\"va\"," + std::to_string(i % 256) + ",\"any\"\r\n";
    return text;
}

// Each message names the file it expected and says the test cannot run.
TEST_F(Tables, MissingFilesLeaveEmptyTables) {
    Initialise_Table_Formats();
    Initialise_Table_Erreurs_Lib();
    Initialise_Table_Codes_Segments_Lib();
    const std::pair<const char*, const char*> missing[] = {
        {"Le fichier de format des données est introuvable.", "tbl_data_format.txt"},
        {"Le fichier des codes erreur est introuvable.", "tbl_code_erreur_libelle.txt"},
        {"Le fichier des codes segment est introuvable.", "tbl_code_segment.txt"}};
    ASSERT_EQ(platform.messages.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(platform.MessageTextsUtf8()[k],
                  std::string(missing[k].first) + "\r\nFichier attendu : " + dir + "/" +
                      missing[k].second + "\r\nLe test ne peut pas être lancé.");
        EXPECT_EQ(platform.messages[k].title, "Erreur critique");
    }
    EXPECT_EQ(FindDataFormat("UNB_S001_0001"), nullptr);
    EXPECT_EQ(GetErrorLabel("402"), "");
    EXPECT_EQ(GetSegmentCode("10"), "");
}

TEST_F(Tables, Formats) {
    Write("tbl_data_format.txt", Formats(101));
    Initialise_Table_Formats();
    ASSERT_NE(FindDataFormat("K100"), nullptr);
    EXPECT_EQ(FindDataFormat("K100")->length, 100);
    Write("tbl_data_format.txt",
          "\"UNA_0001\",\"fa\",4,\"UNA:\"\n\"X_1\",\"va\",3,\",? \"\rX_2,fn,2,any\r\n"
          "\"X_1\",\"fn\",9,\"any\"\nS,va,+0,any\n");
    Initialise_Table_Formats();  // a reload starts from an empty table
    EXPECT_EQ(FindDataFormat("K0"), nullptr);
    auto format = [](const char* key) {
        const DataFormat* f = FindDataFormat(key);
        return f ? f->formatClass + " " + std::to_string(f->length) + " " + f->expected : "-";
    };
    EXPECT_EQ(format("X_1"), "va 3 ,? ");  // the first of two rows with one key
    EXPECT_EQ(format("X_2"), "fn 2 any");
    EXPECT_EQ(format("x_2"), "-");
    EXPECT_EQ(format("S"), "va 0 any");  // a signed length
    EXPECT_TRUE(platform.messages.empty());
    // Failures name the line at fault and keep the rows read before it.
    const std::pair<std::string, const char*> failures[] = {
        {Formats(102), "9 - Lecture fichier formats impossible."},
        {"\"A\",\"va\",255,\"any\"\r\n\"B\",\"va\",256,\"any\"\r\n\"C\",\"va\",1,\"any\"\r\n",
         "6 - Lecture fichier formats impossible."},
        {"\"A\",\"va\",3,\"any\"\r\n\"B\",\"va\",x,\"any\"\r\n",
         "13 - Lecture fichier formats impossible."},
    };
    for (const auto& [table, message] : failures) {
        Write("tbl_data_format.txt", table);
        Initialise_Table_Formats();
        EXPECT_EQ(LastFault(), message);
        EXPECT_EQ(platform.messages.back().title, "Erreur.");
    }
    EXPECT_NE(platform.MessageTextsUtf8().back().find("tbl_data_format.txt, ligne 2 : "),
              std::string::npos);
    EXPECT_NE(FindDataFormat("A"), nullptr);
    EXPECT_EQ(FindDataFormat("B"), nullptr);
}

TEST_F(Tables, LabelsAndSegmentCodes) {
    std::string labels = "001 rej Un  \n002\tsig   Deux\r003 sir\r\n";  // a label may be empty
    for (int i = 4; i < 202; ++i)                                       // 201 lines: the capacity
        labels += std::to_string(1000 + i).substr(1) + " rej Libre\r\n";
    Write("tbl_code_erreur_libelle.txt", labels);
    EXPECT_TRUE(Initialise_Table_Erreurs_Lib());
    const std::pair<const char*, const char*> found[] = {
        {"001", "rej Un"}, {"002", "sig   Deux"}, {"003", "sir"}, {"202", ""}, {"201", "rej Libre"},
    };
    for (const auto& [code, label] : found)
        EXPECT_EQ(GetErrorLabel(code), label) << code;
    EXPECT_TRUE(platform.messages.empty());
    Write("tbl_code_erreur_libelle.txt", labels + "999 rej Trop\r\n");
    EXPECT_FALSE(Initialise_Table_Erreurs_Lib());
    EXPECT_EQ(LastFault(), "9 - Lecture fichier Erreurs impossible.");
    EXPECT_EQ(GetErrorLabel("003"), "sir");
    // A line without its class is reported; the lookups still answer.
    Write("tbl_code_erreur_libelle.txt", "402 rej Nombre\r\n40\r\n413\r\n");
    EXPECT_FALSE(Initialise_Table_Erreurs_Lib());
    EXPECT_NE(platform.MessageTextsUtf8().back().find("tbl_code_erreur_libelle.txt, ligne 2 : "),
              std::string::npos);
    EXPECT_EQ(GetErrorLabel("402"), "rej Nombre");
    EXPECT_EQ(GetErrorLabel("40"), "");

    Write("tbl_code_segment.txt", "0000 ZZZ\n0010 MOA\r\n0255 FTX\r0010 RFF\n011 PCD\n");
    Initialise_Table_Codes_Segments_Lib();
    const std::pair<const char*, const char*> codes[] = {
        {"0010", "RFF"}, {"10", "RFF"}, {"0", "ZZZ"},   {"255", "FTX"}, {"256", ""},  {"abc", ""},
        {"-1", ""},      {"", ""},      {"9,6", "RFF"}, {"+10", "RFF"}, {"+256", ""}, {"11", "PCD"},
    };
    for (const auto& [code, segment] : codes)
        EXPECT_EQ(GetSegmentCode(code), segment) << code;
    Write("tbl_code_segment.txt", "0010 MOA\r\n0300 RFF\r\n0011 FTX\r\n");
    Initialise_Table_Codes_Segments_Lib();
    EXPECT_EQ(LastFault(), "6 - Lecture fichier Codes impossible.");
    Write("tbl_code_segment.txt", "0012 MOA\r\nABCD RFF\r\n");
    Initialise_Table_Codes_Segments_Lib();
    EXPECT_EQ(LastFault(), "13 - Lecture fichier Codes impossible.");
    EXPECT_EQ(GetSegmentCode("12"), "MOA");
    EXPECT_EQ(GetSegmentCode("10"), "");
}

}  // namespace
}  // namespace trelvane::test

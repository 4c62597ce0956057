// The three reference tables: loading real files from the program directory
// (capacities, quoting, line ends, failures and the partial tables they
// leave) and the lookups answered from them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/Cp1252.h"
#include "config/modIOfunctions.h"
#include "content/ReferenceTables.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane {
namespace {

using test::ReadBytes;
using test::ScriptedPlatform;
using test::U;
using test::W;
using test::WriteBytes;

// A platform whose program directory holds only the files a test writes.
struct EmptyDir {
    std::string dir = test::MakeTempDir();
    ScriptedPlatform platform{dir};
    ~EmptyDir() { test::RemoveTree(dir); }
    void Write(const std::string& name, std::string_view bytes) {
        WriteBytes(dir + "/" + name, bytes);
    }
};

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find("\r\n"));
}

std::string FormatRecords(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "\"K" + std::to_string(i) + "\",\"va\"," + std::to_string(i % 256) + ",\"any\"\r\n";
    return text;
}

TEST(ReferenceTables, MissingFilesAreReportedAndLeaveEmptyTables) {
    EmptyDir env;
    Initialise_Table_Formats();
    Initialise_Table_Erreurs_Lib();
    Initialise_Table_Codes_Segments_Lib();
    ASSERT_EQ(env.platform.messages.size(), 3u);
    for (const auto& m : env.platform.messages) {
        EXPECT_EQ(m.title, "Erreur critique");
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    }
    // Each names the file it expected and says the test cannot run.
    const char* first[] = {"Le fichier de format des données est introuvable.",
                           "Le fichier des codes erreur est introuvable.",
                           "Le fichier des codes segment est introuvable."};
    const char* file[] = {"tbl_data_format.txt", "tbl_code_erreur_libelle.txt",
                          "tbl_code_segment.txt"};
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_EQ(U(env.platform.messages[k].text),
                  std::string(first[k]) + "\r\nFichier attendu : " + env.dir + "/" + file[k] +
                      "\r\nLe test ne peut pas être lancé.");
    EXPECT_EQ(FindDataFormat("UNB_0020"), nullptr);
    EXPECT_EQ(GetErrorLabel("402"), "");
    EXPECT_EQ(GetSegmentCode("10"), "");
}

TEST(ReferenceTables, ShippedTablesLoadSilently) {
    ScriptedPlatform platform;
    Initialise_Table_Formats();
    Initialise_Table_Erreurs_Lib();
    Initialise_Table_Codes_Segments_Lib();
    EXPECT_TRUE(platform.messages.empty());
    const DataFormat* f = FindDataFormat("UNB_S001_0001");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->formatClass, "fa");
    EXPECT_EQ(f->length, 4);
    EXPECT_EQ(f->expected, "UNOC");
    EXPECT_EQ(GetSegmentCode("0010"), "MOA");
}

TEST(ReferenceTables, ShippedLabelsCoverEveryCode) {
    ScriptedPlatform platform;
    Initialise_Table_Erreurs_Lib();
    const char* codes[] = {"003", "004", "005", "006", "007", "001", "002", "100", "400", "401",
                           "900", "901", "402", "404", "405", "406", "409", "410", "411", "412",
                           "413", "414", "415", "416", "417", "418", "419", "421", "422", "423",
                           "424", "425", "426", "427", "428", "429", "431", "432", "433", "434",
                           "444", "445", "447", "448", "449", "450", "008", "080", "800", "880",
                           "777", "010", "212", "213", "214", "219", "234", "237", "239", "240",
                           "20C", "20D", "20H", "20K", "21H", "2OL", "2OM", "2OP"};
    for (const char* code : codes) {
        const std::string label = GetErrorLabel(code);
        ASSERT_GE(label.size(), 6u) << code;
        const std::string cls = label.substr(0, 3);
        const std::string c = code;
        if (c == "447" || c == "448" || c == "2OP" || c == "416" || c == "433")
            EXPECT_EQ(cls, "sig") << code;
        else if (c == "010" || c == "237")
            EXPECT_EQ(cls, "sir") << code;
        else
            EXPECT_EQ(cls, "rej") << code;
        EXPECT_EQ(label.find(','), std::string::npos) << code;
    }
    // The file is Windows-1252 with CR LF line ends.
    const std::string bytes = ReadBytes(platform.Directory() + "/tbl_code_erreur_libelle.txt");
    EXPECT_EQ(bytes.find("\xC3"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n"), std::string::npos);
    std::size_t lf = 0, crlf = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            ++lf;
            crlf += i > 0 && bytes[i - 1] == '\r';
        }
    EXPECT_EQ(lf, crlf);
}

TEST(ReferenceTables, FormatTableHoldsExactly101Records) {
    EmptyDir env;
    env.Write("tbl_data_format.txt", FormatRecords(101));
    Initialise_Table_Formats();
    EXPECT_TRUE(env.platform.messages.empty());
    ASSERT_NE(FindDataFormat("K100"), nullptr);
    EXPECT_EQ(FindDataFormat("K100")->length, 100);

    env.Write("tbl_data_format.txt", FormatRecords(102));
    Initialise_Table_Formats();
    ASSERT_EQ(env.platform.messages.size(), 1u);
    EXPECT_EQ(env.platform.messages[0].title, "Erreur.");
    EXPECT_EQ(env.platform.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(FirstLine(env.platform.messages[0].text), "9 - Lecture fichier formats impossible.");
    EXPECT_NE(FindDataFormat("K0"), nullptr);
    EXPECT_NE(FindDataFormat("K100"), nullptr);
    EXPECT_EQ(FindDataFormat("K101"), nullptr);
}

TEST(ReferenceTables, FormatFieldsQuotingDuplicatesAndLineEnds) {
    EmptyDir env;
    env.Write("tbl_data_format.txt",
              "\"UNA_0001\",\"fa\",4,\"UNA:\"\n"
              "\"X_1\",\"va\",3,\",? \"\r"
              "X_2,fn,2,any\r\n"
              "\"X_1\",\"fn\",9,\"any\"\n");
    Initialise_Table_Formats();
    EXPECT_TRUE(env.platform.messages.empty());
    const DataFormat* a = FindDataFormat("X_1");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->formatClass, "va");  // the first of two rows with one key
    EXPECT_EQ(a->length, 3);
    EXPECT_EQ(a->expected, ",? ");
    const DataFormat* b = FindDataFormat("X_2");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->formatClass, "fn");
    EXPECT_EQ(b->length, 2);
    EXPECT_EQ(b->expected, "any");
    EXPECT_EQ(FindDataFormat("x_2"), nullptr);  // case-sensitive

    // A reload starts from an empty table.
    env.Write("tbl_data_format.txt", "\"Y\",\"va\",1,\"any\"\r\n");
    Initialise_Table_Formats();
    EXPECT_EQ(FindDataFormat("X_1"), nullptr);
    EXPECT_NE(FindDataFormat("Y"), nullptr);
}

TEST(ReferenceTables, FormatLengthFailuresKeepEarlierRows) {
    EmptyDir env;
    env.Write("tbl_data_format.txt",
              "\"A\",\"va\",255,\"any\"\r\n\"B\",\"va\",256,\"any\"\r\n\"C\",\"va\",1,\"any\"\r\n");
    Initialise_Table_Formats();
    ASSERT_EQ(env.platform.messages.size(), 1u);
    EXPECT_EQ(FirstLine(env.platform.messages[0].text), "6 - Lecture fichier formats impossible.");
    ASSERT_NE(FindDataFormat("A"), nullptr);
    EXPECT_EQ(FindDataFormat("A")->length, 255);
    EXPECT_EQ(FindDataFormat("B"), nullptr);
    EXPECT_EQ(FindDataFormat("C"), nullptr);

    env.Write("tbl_data_format.txt", "\"A\",\"va\",3,\"any\"\r\n\"B\",\"va\",x,\"any\"\r\n");
    Initialise_Table_Formats();
    ASSERT_EQ(env.platform.messages.size(), 2u);
    EXPECT_EQ(FirstLine(env.platform.messages[1].text), "13 - Lecture fichier formats impossible.");
    EXPECT_NE(FindDataFormat("A"), nullptr);
}

TEST(ReferenceTables, LabelTableCapacityAndLookup) {
    EmptyDir env;
    std::string lines = "402 rej Nombre de segments erroné\r\n40\r\n413\r\n";
    for (int i = 3; i < 201; ++i)
        lines += "X" + std::to_string(i) + " rej Libre\r\n";
    env.Write("tbl_code_erreur_libelle.txt", lines);
    // A line without its class is reported, and the lookups still answer.
    EXPECT_FALSE(Initialise_Table_Erreurs_Lib());
    ASSERT_EQ(env.platform.messages.size(), 1u);
    EXPECT_NE(env.platform.messages[0].text.find("tbl_code_erreur_libelle.txt, ligne 2 : "),
              std::string::npos);
    EXPECT_EQ(GetErrorLabel("402"), "rej Nombre de segments erroné");
    EXPECT_EQ(GetErrorLabel("40"), "");   // a line shorter than a code never matches
    EXPECT_EQ(GetErrorLabel("413"), "");  // a code alone gives an empty label
    EXPECT_EQ(GetErrorLabel("X200"), "");
    EXPECT_EQ(GetErrorLabel("X20"), "rej Libre");

    env.Write("tbl_code_erreur_libelle.txt", lines + "999 rej Trop\r\n");
    Initialise_Table_Erreurs_Lib();
    ASSERT_EQ(env.platform.messages.size(), 2u);
    EXPECT_EQ(env.platform.messages[1].title, "Erreur.");
    EXPECT_EQ(FirstLine(env.platform.messages[1].text), "9 - Lecture fichier Erreurs impossible.");
    EXPECT_EQ(GetErrorLabel("402"), "rej Nombre de segments erroné");
    EXPECT_EQ(GetErrorLabel("999"), "");
}

TEST(ReferenceTables, LabelLinesWithEveryLineEnd) {
    EmptyDir env;
    env.Write("tbl_code_erreur_libelle.txt",
              "001 rej Un  \n002\tsig   Deux\r003 sir Trois\r\n402 rej Second\r\n");
    Initialise_Table_Erreurs_Lib();
    EXPECT_EQ(GetErrorLabel("001"), "rej Un");
    EXPECT_EQ(GetErrorLabel("002"), "sig   Deux");
    EXPECT_EQ(GetErrorLabel("003"), "sir Trois");
    EXPECT_EQ(GetErrorLabel("402"), "rej Second");
}

TEST(ReferenceTables, SegmentCodes) {
    EmptyDir env;
    env.Write("tbl_code_segment.txt", "0000 ZZZ\n0010 MOA\r\n0255 FTX\r0010 RFF\n");
    Initialise_Table_Codes_Segments_Lib();
    EXPECT_TRUE(env.platform.messages.empty());
    EXPECT_EQ(GetSegmentCode("0010"), "RFF");  // a later line replaces the entry
    EXPECT_EQ(GetSegmentCode("10"), "RFF");
    EXPECT_EQ(GetSegmentCode("0"), "ZZZ");
    EXPECT_EQ(GetSegmentCode("255"), "FTX");
    EXPECT_EQ(GetSegmentCode("256"), "");
    EXPECT_EQ(GetSegmentCode("abc"), "");
    EXPECT_EQ(GetSegmentCode("301"), "");
    EXPECT_EQ(GetSegmentCode("-1"), "");
    EXPECT_EQ(GetSegmentCode(""), "");
    EXPECT_EQ(GetSegmentCode("9,6"), "RFF");  // rounded to entry 10
}

TEST(ReferenceTables, SegmentCodeFailures) {
    EmptyDir env;
    env.Write("tbl_code_segment.txt", "0010 MOA\r\n0300 RFF\r\n0011 FTX\r\n");
    Initialise_Table_Codes_Segments_Lib();
    ASSERT_EQ(env.platform.messages.size(), 1u);
    EXPECT_EQ(env.platform.messages[0].title, "Erreur.");
    EXPECT_EQ(FirstLine(env.platform.messages[0].text), "6 - Lecture fichier Codes impossible.");
    EXPECT_EQ(GetSegmentCode("10"), "MOA");
    EXPECT_EQ(GetSegmentCode("11"), "");

    env.Write("tbl_code_segment.txt", "0012 MOA\r\nABCD RFF\r\n");
    Initialise_Table_Codes_Segments_Lib();
    ASSERT_EQ(env.platform.messages.size(), 2u);
    EXPECT_EQ(FirstLine(env.platform.messages[1].text), "13 - Lecture fichier Codes impossible.");
    EXPECT_EQ(GetSegmentCode("12"), "MOA");
    EXPECT_EQ(GetSegmentCode("10"), "");
}

TEST(ReferenceTables, LoadersTraceInTraceMode) {
    ScriptedPlatform platform;
    platform.trace = true;
    std::filesystem::create_directory(platform.Directory() + "/logs");
    Initialise_Table_Formats();
    Initialise_Table_Erreurs_Lib();
    Initialise_Table_Codes_Segments_Lib();
    const std::string log = ReadBytes(CurrentTraceFilePath());
    EXPECT_NE(log.find("Initialise_Table_Formats"), std::string::npos);
    EXPECT_NE(log.find("Chargement du fichier de formats."), std::string::npos);
    EXPECT_NE(log.find(W("Chargement du fichier des erreur/libellé.")), std::string::npos);
    EXPECT_NE(log.find("Chargement du fichier des code/segment."), std::string::npos);
    EXPECT_NE(log.find("modIOfunctions"), std::string::npos);
}

}  // namespace
}  // namespace trelvane

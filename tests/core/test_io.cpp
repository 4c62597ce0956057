// Parameter file, trace log and file helpers, on real files in a temporary
// program directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "config/Cp1252.h"
#include "config/modIOfunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;

class IoTest : public ::testing::Test {
  protected:
    void WriteIni(std::string_view content) {
        WriteBytes(platform.Directory() + "/parametres.ini", content);
    }
    std::string TraceFile() const { return platform.Directory() + "/logs/05122026_trace.log"; }
    ScriptedPlatform platform;
};

TEST_F(IoTest, IniLookupsFollowTheLineRules) {
    WriteIni(
        "[Parametres]\r\n"
        "delimiter1 = '\r\n"
        "Profil_CR=1 \n"
        "ConversionEnabled=01\r"
        "Equation=a=b\r\n"
        "delimiter2extra=X\n"
        "delimiter2=+\n"
        "Tabbed=\tv\n"
        "delimiter3=:\n"
        "delimiter3=;\n"
        "NoEquals\n"
        "Last=end");
    EXPECT_EQ(RetrieveInINIFile("delimiter1"), "'");
    EXPECT_EQ(RetrieveInINIFile("Profil_CR"), "1");
    EXPECT_EQ(RetrieveInINIFile("ConversionEnabled"), "01");
    EXPECT_EQ(RetrieveInINIFile("Equation"), "a=b");
    // A longer key that starts with the searched one answers it, first line wins.
    EXPECT_EQ(RetrieveInINIFile("delimiter2"), "X");
    EXPECT_EQ(RetrieveInINIFile("Tabbed"), "\tv");
    EXPECT_EQ(RetrieveInINIFile("delimiter3"), ":");
    EXPECT_EQ(RetrieveInINIFile("profil_cr"), "");
    EXPECT_EQ(RetrieveInINIFile("NoEquals"), "");
    EXPECT_EQ(RetrieveInINIFile("Last"), "end");
    EXPECT_EQ(RetrieveInINIFile("LastFileUsed"), "");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(IoTest, MissingParameterFileEndsTheApplication) {
    fs::remove(platform.Directory() + "/parametres.ini");
    EXPECT_EQ(RetrieveInINIFile("delimiter1"), "");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(U(platform.messages[0].title), "Erreur critique");
    EXPECT_EQ(U(platform.messages[0].text),
              "Le fichier de paramétrage INI est introuvable.\r\n"
              "L'application va s'arrêter car elle ne peut pas fonctionner correctement.\r\n"
              "Fichier attendu : " +
                  U(platform.Directory()) + "/parametres.ini");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(platform.endApplicationCalls, 1);
}

TEST_F(IoTest, TraceLineFormatAndBytesOnDisk) {
    platform.trace = true;
    fs::create_directory(platform.Directory() + "/logs");
    WriteTrace("DEBUT DES TESTS DE C:\\test.edi", "modMainFunctions", "MainTest");
    WriteTrace(W("Création"), "modIOfunctions", "Initialise_Table_Codes_Segments_Lib");
    const std::string bytes = ReadBytes(TraceFile());
    const std::string expected =
        W("05/12/2026 à 17:45:38 :  [modMainFunctions >> MainTest]") + std::string(29, '.') +
        "DEBUT DES TESTS DE C:\\test.edi\r\n" +
        W("05/12/2026 à 17:45:38 :  [modIOfunctions >> Initialise_Table_Codes_Segments_Lib]") +
        "...." + W("Création") + "\r\n";
    EXPECT_EQ(bytes, expected);
    // Windows-1252 on disk: one byte per accented letter.
    EXPECT_NE(bytes.find(std::string("Cr\xE9"
                                     "ation")),
              std::string::npos);
}

TEST_F(IoTest, TraceSwitchesFileAtMidnightAndTagsPastSixtyGetNoDots) {
    fs::create_directory(platform.Directory() + "/logs");
    platform.now = {2026, 12, 5, 23, 59, 59};
    WriteTrace("avant", "m", "p");
    platform.now = {2026, 12, 6, 0, 0, 0};
    const std::string longProcedure(70, 'x');
    WriteTrace(W("après"), "m", longProcedure);
    EXPECT_EQ(
        ReadBytes(platform.Directory() + "/logs/05122026_trace.log"),
        "05/12/2026 " + W("à") + " 23:59:59 :  [m >> p]" + std::string(51, '.') + "avant\r\n");
    EXPECT_EQ(
        ReadBytes(platform.Directory() + "/logs/06122026_trace.log"),
        "06/12/2026 " + W("à") + " 00:00:00 :  [m >> " + longProcedure + "]" + W("après") + "\r\n");
}

TEST_F(IoTest, TraceOnlyInTraceModeAndFailureWithoutLogsDirectory) {
    Trace("silencieux", "m", "p");
    EXPECT_FALSE(fs::exists(platform.Directory() + "/logs"));
    EXPECT_TRUE(platform.messages.empty());
    platform.trace = true;
    Trace("perdu", "m", "p");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(U(platform.messages[0].title), "Erreur en écriture");
    EXPECT_EQ(U(platform.messages[0].text),
              "76 - Ecriture dans fichier trace impossible.\r\n"
              "Les droit d'accès sont peut-être insuffisants.");
}

TEST_F(IoTest, ImportJoinsLinesOnCrAndCrLfButKeepsLoneLf) {
    const std::string path = platform.Directory() + "/f.edi";
    WriteBytes(path, "UNA\r\nUNB\rUNH\nBGM\r\n\r\nEND");
    EXPECT_EQ(ImportFileContent(path), "UNAUNBUNH\nBGMEND");
    WriteBytes(path, "");
    EXPECT_EQ(ImportFileContent(path), "");
    WriteBytes(path, std::string("A\0B\r\n", 5));
    EXPECT_EQ(ImportFileContent(path), std::string("A\0B", 3));
    EXPECT_TRUE(platform.messages.empty());
}

// A big file is read in pieces: a CR that ends one piece still takes the LF
// that begins the next. Every position of a line end is compared with the
// rule applied to the whole text at once.
TEST_F(IoTest, ImportJoinsLinesWhereverTheyFallInABigFile) {
    auto joined = [](const std::string& text) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '\r') {
                out += text[i];
            } else if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        }
        return out;
    };
    std::string text;
    unsigned state = 12345;
    while (text.size() < (std::size_t{3} << 20)) {
        state = state * 1103515245u + 12345u;
        const unsigned pick = (state >> 16) % 40;
        text += pick == 0   ? "\r\n"
                : pick == 1 ? "\r"
                : pick == 2 ? "\n"
                : pick == 3 ? "\r\r\n"
                            : "SEG'";
    }
    // Line ends astride every power-of-two boundary a reader might use.
    for (std::size_t boundary = 4096; boundary < text.size(); boundary *= 2) {
        text.replace(boundary - 1, 2, "\r\n");
        text.replace(boundary + 7, 3, "\r\r\n");
    }
    text += "END\r";
    const std::string path = platform.Directory() + "/big.edi";
    WriteBytes(path, text);
    EXPECT_EQ(ImportFileContent(path), joined(text));
    EXPECT_TRUE(platform.messages.empty());
}

// Paths are held in the system's own form (UTF-8 here): a name that
// Windows-1252 cannot spell reaches its file too, and is shown with "?".
TEST_F(IoTest, PathsReachTheirFileWhateverTheirLetters) {
    for (const std::string name : {"/déclaration.edi", "/Ωμέγα_申告.edi"}) {
        WriteBytes(platform.Directory() + name, "UNA\r\n");
        EXPECT_TRUE(FileExists(platform.Directory() + name));
        EXPECT_EQ(ImportFileContent(platform.Directory() + name), "UNA");
    }
    MakeDir(platform.Directory() + "/répertoire", "FNS3");
    EXPECT_TRUE(fs::is_directory(FsPath(platform.Directory() + "/répertoire")));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(DisplayPath("/données/Ωμ.edi"), W("/données/??.edi"));
}

TEST_F(IoTest, ImportOfAMissingFileReportsAndGivesNothing) {
    EXPECT_EQ(ImportFileContent(platform.Directory() + "/absent.edi"), "");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(U(platform.messages[0].title), "Lecture du fichier impossible");
    EXPECT_EQ(U(platform.messages[0].text), "53 - Fichier introuvable");
}

TEST_F(IoTest, FileExistsMakeDirAndWriteInFile) {
    const std::string dir = platform.Directory() + "/CR_Erreurs";
    EXPECT_FALSE(FileExists(dir));
    EXPECT_FALSE(FileExists(""));
    MakeDir(dir, "d'erreurs");
    EXPECT_TRUE(FileExists(dir));
    EXPECT_TRUE(FileExists(dir + "/"));
    EXPECT_TRUE(platform.messages.empty());

    MakeDir(platform.Directory() + "/absent/sous", "FNS3");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(U(platform.messages[0].text),
              "76 - Création du répertoire FNS3 impossible.\r\n"
              "Les droit d'écriture sont peut-être insuffisants.");

    const std::string file = dir + "/cr.txt";
    EXPECT_TRUE(WriteInFile(W("Résultat"), file, "CRErreur"));
    EXPECT_TRUE(WriteInFile("suite", file, "CRErreur"));
    EXPECT_EQ(ReadBytes(file), W("Résultat") + "\r\nsuite\r\n");

    EXPECT_FALSE(WriteInFile("x", platform.Directory() + "/absent/cr.txt", "CRErreur"));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(U(platform.messages[1].text),
              "76 - Ecriture du fichier CRErreur impossible.\r\n"
              "Les droit d'accès sont peut-être insuffisants.");
}

TEST_F(IoTest, AtomicWriteLeavesTheFileWholeOrAbsent) {
    const std::string path = platform.Directory() + "/out.oth";
    EXPECT_EQ(WriteFileAtomically(path, "ligne\r\n"), 0);
    EXPECT_EQ(ReadBytes(path), "ligne\r\n");
    EXPECT_EQ(WriteFileAtomically(path, "autre\r\n"), 0);  // replaced, never appended
    EXPECT_EQ(ReadBytes(path), "autre\r\n");
    EXPECT_NE(WriteFileAtomically(platform.Directory() + "/absent/out.oth", "x"), 0);
    for (const auto& e : fs::directory_iterator(platform.Directory()))
        EXPECT_EQ(e.path().string().find(".part-"), std::string::npos) << e.path();
}

// A file handed over in pieces is the pieces one after the other; an empty
// first piece gives an empty file.
TEST_F(IoTest, AtomicWriteInPieces) {
    const std::string path = platform.Directory() + "/pieces.oth";
    const std::vector<std::string> pieces = {std::string(3u << 20, 'a') + "\r\n", "b\r\n",
                                             std::string(70000, 'c')};
    std::size_t given = 0;
    EXPECT_EQ(WriteFileAtomically(path,
                                  [&]() -> std::string_view {
                                      return given < pieces.size() ? pieces[given++]
                                                                   : std::string_view();
                                  }),
              0);
    EXPECT_EQ(ReadBytes(path), pieces[0] + pieces[1] + pieces[2]);
    EXPECT_EQ(WriteFileAtomically(path, [] { return std::string_view(); }), 0);
    EXPECT_EQ(ReadBytes(path), "");
}

}  // namespace
}  // namespace trelvane::test

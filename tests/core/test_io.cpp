// The parameter file, the trace log and the file helpers, on real files in
// the program's directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <new>

#include "config/modIOfunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;

class Io : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return platform.Directory() + "/" + name; }
    ScriptedPlatform platform;
};

TEST_F(Io, ParameterFileLines) {
    WriteBytes(Path("parametres.ini"),
               "[Parametres]\r\ndelimiter1 = '\r\nProfil_CR=1 \nConversionEnabled=01\rEquation=a=b"
               "\r\ndelimiter2extra=X\ndelimiter2=+\nTabbed=\tv\ndelimiter3=:\ndelimiter3=;\n"
               "NoEquals\nLast=end");
    // A longer key that starts with the one looked for answers it; the first line wins.
    const std::pair<const char*, const char*> keys[] = {
        {"delimiter1", "'"}, {"Profil_CR", "1"}, {"ConversionEnabled", "01"}, {"Equation", "a=b"},
        {"delimiter2", "X"}, {"Tabbed", "\tv"},  {"delimiter3", ":"},         {"profil_cr", ""},
        {"NoEquals", ""},    {"Last", "end"},    {"LastFileUsed", ""},
    };
    for (const auto& [key, value] : keys)
        EXPECT_EQ(RetrieveInINIFile(key), value) << key;
    EXPECT_TRUE(platform.messages.empty());
    fs::remove(Path("parametres.ini"));
    EXPECT_EQ(RetrieveInINIFile("delimiter1"), "");
    ASSERT_EQ(platform.MessageTitlesUtf8(), std::vector<std::string>{"Erreur critique"});
    EXPECT_EQ(platform.MessageTextsUtf8()[0],
              "Le fichier de paramétrage INI est introuvable.\r\n"
              "L'application va s'arrêter car elle ne peut pas fonctionner correctement.\r\n"
              "Fichier attendu : " +
                  U(platform.Directory()) + "/parametres.ini");
    EXPECT_EQ(platform.endApplicationCalls, 1);
}

TEST_F(Io, TraceLines) {
    Trace("silencieux", "m", "p");  // out of trace mode: nothing, no directory
    EXPECT_FALSE(fs::exists(Path("logs")));
    platform.trace = true;
    Trace("perdu", "m", "p");
    EXPECT_EQ(platform.MessageTextsUtf8(),
              std::vector<std::string>{"76 - Ecriture dans fichier trace impossible.\r\n"
                                       "Les droit d'accès sont peut-être insuffisants."});
    fs::create_directory(Path("logs"));
    platform.now = {2026, 12, 5, 23, 59, 59};
    Trace("DEBUT DES TESTS DE C:\\test.edi", "modMainFunctions", "MainTest");
    platform.now = {2026, 12, 6, 0, 0, 0};  // a new day, a new file
    WriteTrace(W("après"), "m", std::string(70, 'x'));
    EXPECT_EQ(U(ReadBytes(Path("logs/05122026_trace.log"))),
              "05/12/2026 à 23:59:59 :  [modMainFunctions >> MainTest]" + std::string(29, '.') +
                  "DEBUT DES TESTS DE C:\\test.edi\r\n");
    // Past sixty characters the tag takes no dots.
    EXPECT_EQ(U(ReadBytes(Path("logs/06122026_trace.log"))),
              "06/12/2026 à 00:00:00 :  [m >> " + std::string(70, 'x') + "]après\r\n");
}

TEST_F(Io, ImportJoinsLinesOnCrAndCrLfOnly) {
    const std::pair<std::string, std::string> files[] = {
        {"UNA\r\nUNB\rUNH\nBGM\r\n\r\nEND", "UNAUNBUNH\nBGMEND"},
        {"", ""},
        {std::string("A\0B\r\n", 5), std::string("A\0B", 3)},
    };
    for (const auto& [bytes, text] : files) {
        WriteBytes(Path("f.edi"), bytes);
        EXPECT_EQ(ImportFileContent(Path("f.edi")), text);
    }
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(ImportFileContent(Path("absent.edi")), "");
    EXPECT_EQ(platform.MessageTitlesUtf8(),
              std::vector<std::string>{"Lecture du fichier impossible"});
    // What is not a file is refused with its reason.
#if defined(_WIN32)
    const std::string device = "NUL";
#else
    const std::string device = "/dev/zero";
#endif
    std::string text = "x";
    EXPECT_FALSE(ImportFileContent(device, text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(ImportFileContent(platform.Directory(), text));
    EXPECT_EQ(
        platform.MessageTextsUtf8(),
        (std::vector<std::string>{"53 - Fichier introuvable",
                                  "54 - Ce n'est pas un fichier ordinaire mais un périphérique",
                                  "75 - Erreur d'accès au chemin ou au fichier"}));
}

// A big file is read in pieces: a CR that ends one piece still takes the LF
// that begins the next, wherever the line ends fall.
TEST_F(Io, ImportOfABigFileJoinsLinesAcrossItsPieces) {
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
    for (std::size_t boundary = 4096; boundary < text.size(); boundary *= 2) {
        text.replace(boundary - 1, 2, "\r\n");
        text.replace(boundary + 7, 3, "\r\r\n");
    }
    text += "END\r";
    std::string joined;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            joined += text[i];
        else if (i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    WriteBytes(Path("big.edi"), text);
    EXPECT_TRUE(ImportFileContent(Path("big.edi")) == joined);
}

// Paths are held in the system's own form (UTF-8 here): a name that
// Windows-1252 cannot spell reaches its file too, and is shown with "?".
TEST_F(Io, FileHelpers) {
    for (const std::string name : {"déclaration.edi", "Ωμέγα_申告.edi"}) {
        WriteBytes(Path(name), "UNA\r\n");
        EXPECT_TRUE(FileExists(Path(name)));
        EXPECT_EQ(ImportFileContent(Path(name)), "UNA");
    }
    EXPECT_EQ(DisplayPath("/données/Ωμ.edi"), W("/données/??.edi"));
    EXPECT_FALSE(FileExists(Path("CR_Erreurs")));
    EXPECT_TRUE(GetFileFacts(Path("déclaration.edi")).exists);
    EXPECT_FALSE(GetFileFacts(Path("déclaration.edi")).directory);
    EXPECT_TRUE(GetFileFacts(platform.Directory()).directory);
    EXPECT_FALSE(FileExists(""));
    MakeDir(Path("répertoire"), "d'erreurs");
    EXPECT_TRUE(FileExists(Path("répertoire") + "/"));
    EXPECT_TRUE(fs::is_directory(FsPath(Path("répertoire"))));
    MakeDir(Path("répertoire"), "d'erreurs");  // as a parallel run finds it: made meanwhile
    EXPECT_TRUE(platform.messages.empty());
    MakeDir(Path("absent/sous"), "FNS3");
    EXPECT_EQ(platform.MessageTextsUtf8(),
              std::vector<std::string>{"76 - Création du répertoire FNS3 impossible.\r\n"
                                       "Les droit d'écriture sont peut-être insuffisants."});
    EXPECT_TRUE(WriteInFile(W("Résultat"), Path("cr.txt"), "CRErreur"));
    EXPECT_TRUE(WriteInFile("suite", Path("cr.txt"), "CRErreur"));
    EXPECT_EQ(ReadBytes(Path("cr.txt")), W("Résultat") + "\r\nsuite\r\n");
    EXPECT_FALSE(WriteInFile("x", Path("absent/cr.txt"), "CRErreur"));

    // A file written whole under another name, then put in place: replaced,
    // never appended, and nothing left beside it.
    EXPECT_EQ(WriteFileAtomically(Path("out.oth"), "ligne\r\n"), 0);
    EXPECT_EQ(WriteFileAtomically(Path("out.oth"), "autre\r\n"), 0);
    EXPECT_EQ(ReadBytes(Path("out.oth")), "autre\r\n");
    EXPECT_NE(WriteFileAtomically(Path("absent/out.oth"), "x"), 0);
    const std::vector<std::string> pieces = {std::string(3u << 20, 'a'), "b\r\n",
                                             std::string(70000, 'c')};
    std::size_t given = 0;
    EXPECT_EQ(WriteFileAtomically(Path("out.oth"),
                                  [&] {
                                      return given < pieces.size()
                                                 ? std::string_view(pieces[given++])
                                                 : std::string_view();
                                  }),
              0);
    EXPECT_TRUE(ReadBytes(Path("out.oth")) == pieces[0] + pieces[1] + pieces[2]);
    // A piece that cannot be made for lack of memory: nothing half written stays.
    EXPECT_THROW(WriteFileAtomically(Path("oom.oth"),
                                     [&]() -> std::string_view {
                                         if (++given == 6) throw std::bad_alloc();
                                         return "ANS1";
                                     }),
                 std::bad_alloc);
    EXPECT_FALSE(fs::exists(Path("oom.oth")));
    for (const auto& e : fs::directory_iterator(platform.Directory()))
        EXPECT_EQ(e.path().string().find(".part-"), std::string::npos) << e.path();
}

}  // namespace
}  // namespace trelvane::test

// The batch front end run as a shell user runs it, from a copy of the
// program with its tables in a directory of its own: options long and short,
// the output on the console, pipes, the files it writes and those it refuses
// to write over, configurations it cannot use, lack of memory, and its exit
// statuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "content/ReferenceTables.h"
#include "driver/MainTest.h"
#include "run/modMainFunctions.h"
#include "support/Samples.h"

int GenKtvMain(int argc, const char* const* argv);  // the generator, built into the tests

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;

class Cli : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::copy_file(TRELVANE_CHECK_EXE, exe);
        CopyDataFiles(dir);
    }
    void TearDown() override { RemoveTree(dir); }
    // Runs a shell command line in the program's directory, "CHECK" standing
    // for the program; standard output and error are kept.
    int Shell(std::string command) {
        for (std::size_t at; (at = command.find("CHECK")) != std::string::npos;)
            command.replace(at, 5, Quoted(exe));
        return RunCommand("cd " + Quoted(dir) + " && (" + command + ") >out.txt 2>err.txt");
    }
    int Run(const std::string& args) { return Shell("CHECK " + args); }
    std::string Out() const { return ReadBytes(dir + "/out.txt"); }
    std::string Err() const { return ReadBytes(dir + "/err.txt"); }
    std::string File(const std::string& name, const std::string& bytes) const {
        WriteBytes(dir + "/" + name, bytes);
        return name;
    }
    std::string Sample(const std::string& name) const {
        return File(name, ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/" + name));
    }
    std::string dir = MakeTempDir();
    std::string exe = dir + "/" + fs::path(TRELVANE_CHECK_EXE).filename().string();
};

TEST_F(Cli, ExitStatuses) {
    EXPECT_EQ(Run(""), 2);
    EXPECT_EQ(Run("--nimporte " + Sample("valide.edi")), 2);
    EXPECT_EQ(Run("-a 25 valide.edi"), 2);
    EXPECT_EQ(Run("valide.edi autre.edi"), 2);
    EXPECT_EQ(Run("absent.edi"), 2);
    EXPECT_EQ(Err(), "trelvane-check : Le fichier indiqué est introuvable.\n");
    EXPECT_EQ(Run(File("vide.edi", "")), 2);
    EXPECT_EQ(Run("-q /dev/zero"), 2);
    EXPECT_EQ(Shell("printf '' | CHECK -q -"), 2);
    EXPECT_EQ(Run("--help"), 0);
    EXPECT_NE(Out().find("Codes de sortie"), std::string::npos);
    EXPECT_EQ(Run("-a 2025 valide.edi"), 0);
    EXPECT_EQ(Run("--annee 2025 " + Sample("rejets.edi")), 1);
    // Never written over the file under test, whatever its name.
    fs::create_hard_link(dir + "/valide.edi", dir + "/lien.edi");
    for (const char* onto :
         {"--html valide.edi", "--html ./valide.edi", "--html lien.edi", "--dossiers valide.edi"}) {
        EXPECT_EQ(Run(std::string("-a 2025 ") + onto + " valide.edi"), 2) << onto;
        EXPECT_NE(Err().find(std::string(onto).substr(0, 6)), std::string::npos) << Err();
    }
    EXPECT_EQ(ReadBytes(dir + "/valide.edi"),
              ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/valide.edi"));
    // Output directories whose names are taken by files: the conversion fails.
    WriteBytes(dir + "/FNS3", "");
    WriteBytes(dir + "/CR_Erreurs", "");
    EXPECT_EQ(Run("-q -a 2025 -c valide.edi"), 4);
    EXPECT_TRUE(Out().ends_with(" convertible, conversion échouée : fichier FNS3 non écrit\n"));
    EXPECT_EQ(Run("-q -a 2025 --convertir rejets.edi"), 4);
    EXPECT_TRUE(Out().ends_with("non convertible, conversion échouée : compte-rendu non écrit\n"));
}

// A configuration it cannot use stops it before any check: one line naming
// the file and what is wrong with it, nothing printed or written.
TEST_F(Cli, UnusableConfigurationsExitWithThree) {
    std::string binary;
    for (int b = 0; b < 256; ++b)
        binary += static_cast<char>(b);
    const std::tuple<const char*, std::string, const char*> faults[] = {
        // "-": the file is removed, "/": a directory in its place
        {"tbl_data_format.txt", "-", "introuvable"},
        {"tbl_data_format.txt", "", "est vide"},
        {"tbl_data_format.txt", "\"UNA_0001\",\"fa\",4,\"UNA:\"\n\"UNB_S001_0001\",\"fa\",4,\"UN",
         "ligne 2 : "},
        {"tbl_data_format.txt", "/", "tbl_data_format.txt : "},
        {"tbl_data_format.txt", "\"UNA_0001\",\"fa\",4,\n", "ligne 1 : "},
        {"tbl_code_erreur_libelle.txt", "\r\n\r\n", "est vide"},
        {"tbl_code_erreur_libelle.txt", "003 rej Premier segment\r\n447 s", "ligne 2 : "},
        {"tbl_code_erreur_libelle.txt", binary, "ligne 1 : "},
        {"tbl_code_segment.txt", "-", "introuvable"},
        {"tbl_code_segment.txt", "0000 ZZZ\n0001 MOA\n0010 MO", "ligne 3 : "},
        {"parametres.ini", "[Parametres]\r\ndelimiter1='\r\ndelimiter3=:\r\ndelimiter_escape=?\r\n",
         "delimiter2"},
        {"parametres.ini", "delimiter1='\r\ndelimiter2=+\r\ndelimiter3=+\r\ndelimiter_escape=?\r\n",
         "delimiter2 et delimiter3"},
        {"parametres.ini", binary, "delimiter1"},
        {"parametres.ini", "/", "Lecture du fichier ini impossible"},
    };
    Sample("signalements.edi");
    for (const auto& [file, bytes, says] : faults) {
        SCOPED_TRACE(std::string(file) + " " + says);
        CopyDataFiles(dir);
        fs::remove(dir + "/" + file);
        if (bytes == "/")
            fs::create_directory(dir + "/" + file);
        else if (bytes != "-")
            WriteBytes(dir + "/" + file, bytes);
        EXPECT_EQ(Run("-a 2025 --convertir=sortie signalements.edi"), 3);
        EXPECT_EQ(Out(), "");
        const std::string err = Err();
        EXPECT_NE(err.find(dir + "/" + file), std::string::npos) << err;
        EXPECT_NE(err.find(says), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_FALSE(fs::exists(dir + "/sortie"));
        fs::remove_all(dir + "/" + file);
    }
}

// With too little memory it says "7 - Mémoire insuffisante", exits 5 and
// neither prints nor writes anything.
TEST_F(Cli, OutOfMemoryExitsWithFive) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves more address space than any limit allows";
#endif
    // About 20 MB of dossiers: the run needs several times that.
    const std::string sample = ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/valide.edi");
    const std::size_t unh = sample.find("UNH+"), unz = sample.find("UNZ+");
    std::string text = sample.substr(0, unh);
    while (text.size() < (std::size_t{20} << 20))
        text += sample.substr(unh, unz - unh);
    File("gros.edi", text + sample.substr(unz));
    EXPECT_EQ(Shell("ulimit -v 32768 && CHECK -q -a 2025 --convertir=sortie gros.edi"), 5);
    EXPECT_EQ(Out(), "");
    EXPECT_NE(Err().find("7 - Mémoire insuffisante"), std::string::npos) << Err();
    EXPECT_FALSE(fs::exists(dir + "/sortie"));
}

TEST_F(Cli, ConsoleOutput) {
    Sample("signalements.edi");
    EXPECT_EQ(Run("-q -a 2025 signalements.edi"), 0);
    EXPECT_EQ(Out(),
              "53 segments, 0 erreur(s) de syntaxe, 1 erreur(s) de contenu, 1 signalement(s), "
              "convertible\n");
    EXPECT_EQ(Run("--resume -a 2030 signalements.edi"), 1);
    EXPECT_TRUE(Out().ends_with(" non convertible\n")) << Out();
    // The reports as text, with the system's line ends; hidden warnings.
    EXPECT_EQ(Run("-a 2025 -s signalements.edi"), 0);
    EXPECT_EQ(Out().find('\r'), std::string::npos);
    EXPECT_TRUE(
        Out().ends_with("\nCONTROLES DE SYNTAXE OK\n\n\n1 ERREUR DE CONTENU TROUVEE !\n"
                        "(Signalements non visibles)\n\n\n\n"))
        << Out();
    // A warning that rejects its dossier is shown all the same.
    EXPECT_EQ(Run("-a 2025 -s " + Sample("rejets.edi")), 1);
    EXPECT_NE(Out().find(": 1196216193283\nLe dossier sera rejeté par la VRK.\n"),
              std::string::npos);
    // Errors only: the coloured file holds the segments in error alone.
    EXPECT_EQ(Run("-a 2025 -e --html e.html rejets.edi"), 1);
    EXPECT_EQ(ReadBytes(dir + "/e.html").find("UNA:+"), std::string::npos);
    // A question is answered yes, its text on one line.
    EXPECT_EQ(Run(File("long.edi",
                       FileText(Recount(Insert(Envelope(), kMOA1 + 1, Segs(4000, "XYZ+1")))))),
              1);
    EXPECT_TRUE(
        Err().starts_with("4000 erreurs de syntaxe : En raison du nombre important "
                          "d'erreurs trouvées, la génération du rapport peut durer "
                          "plusieurs minutes. Continuer tout de même ?\n-> Oui\n"))
        << Err();
}

// Segments as the file writes them, and the same for a file read from a pipe
// or the standard input.
TEST_F(Cli, JsonKeepsSegmentsAsWrittenWhereverTheyComeFrom) {
    File("f.edi", "UNA:+,? '\r\nUNB+UNOC:3'\r\nZZZ+A?'B+C??D'\nUNZ+1'\r\nreste");
    EXPECT_EQ(Run("--json f.edi"), 1);
    const std::string file = Out();
    EXPECT_NE(
        file.find("{\"Segments\":[\"UNA:+,? \",\"UNB+UNOC:3\",\"ZZZ+A?'B+C??D\",\"\\nUNZ+1\"],"
                  "\"Delimiters\":[\"'\",\"+\",\":\",\"?\"],"),
        std::string::npos)
        << file;
    for (const char* way :
         {"cat f.edi | CHECK --json -", "CHECK --json - <f.edi",
          "cat f.edi | CHECK --json /dev/stdin", "bash -c \"CHECK --json <(cat f.edi)\""}) {
        EXPECT_EQ(Shell(way), 1) << way;
        EXPECT_EQ(Out(), file) << way;
    }
}

TEST_F(Cli, ConversionsAndTrace) {
    Sample("rejets.edi");
    EXPECT_EQ(Run("-q -a 2025 -t --convertir=sortie/lot rejets.edi"), 1);
    const fs::path report = fs::directory_iterator(dir + "/sortie/lot/CR_Erreurs")->path();
    EXPECT_TRUE(Out().ends_with("\nsortie/lot/CR_Erreurs/" + report.filename().string() + "\n"))
        << Out();
    EXPECT_TRUE(U(ReadBytes(report.string())).starts_with("Résultat de l'analyse EDI du "));
    EXPECT_FALSE(fs::is_empty(dir + "/logs"));
    // Ten conversions at once into one directory keep ten FNS3 files.
    const std::string text = ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/signalements.edi");
    std::string command;
    for (char c = 'A'; c < 'K'; ++c) {
        std::string changed = text;
        File(std::string(1, c) + ".edi", changed.replace(changed.find("CABINET DUPONT"), 14,
                                                         "CABINET DUPON" + std::string(1, c)));
        command += "CHECK -q -a 2025 -c " + std::string(1, c) + ".edi & ";
    }
    Shell(command + "wait");
    std::set<std::string> contents;
    for (const auto& e : fs::directory_iterator(dir + "/FNS3")) {
        contents.insert(ReadBytes(e.path().string()));
        EXPECT_EQ(fs::file_size(e.path()), 10u * 257) << e.path();
    }
    EXPECT_EQ(contents.size(), 10u);
}

// A line of megabytes: the coloured file shows its start and its length, the
// syntax report the segment whole.
TEST_F(Cli, HtmlPageCutsOnlyTheColouredLine) {
    std::string text = ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/signalements.edi");
    const std::string segment = "FTX+AAA+++" + std::string(3000000, 'X');
    File("f.edi", text.insert(text.find("SEQ++1'"), segment + "'\r\n"));
    ASSERT_EQ(Run("-a 2025 --html page.html f.edi"), 1);
    const std::string page = ReadBytes(dir + "/page.html");
    const std::string cut = "[...] (ligne coupée à l&#39;affichage : 3000010 caractères)";
    const auto at = page.find(cut);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(page.find("[...]", at + cut.size()), std::string::npos);
    EXPECT_NE(page.find(segment), std::string::npos);
}

// The rows counted straight from the run state, as the content report shows them.
std::string DirectCount() {
    const RunState& s = State();
    std::string out;
    for (const DossierRow& d : s.DossierInfo) {
        if (d[1].empty()) continue;
        const long last = d[2].empty() ? static_cast<long>(s.Segments.size()) : std::stol(d[2]);
        int rejects = 0, warnings = 0, sir = 0;
        for (std::size_t k = 1; k < s.ContentErrors.size(); ++k) {
            const std::string& r = s.ContentErrors[k];
            const auto code = r.rfind(','), number = r.rfind(',', code - 1) + 1;
            if (std::stol(r) < std::stol(d[1]) || std::stol(r) > last ||
                r.substr(number, code - number) != d[0])
                continue;
            const std::string label = GetErrorLabel(r.substr(code + 1));
            label.starts_with("si") ? ++warnings : ++rejects;
            sir += label.starts_with("sir");
        }
        out += d[0] + ";" + d[3] + ";" + std::to_string(rejects) + ";" + std::to_string(warnings) +
               (s.SyntaxErrors.size() > 1 || rejects + sir > 0 ? ";Rejeté\n"
                : warnings > 0                                 ? ";Accepté avec signalements\n"
                                                               : ";Accepté\n");
    }
    return out;
}

// The dossier list as a CSV file and as a JSON array agrees with a direct
// count of the content records, on every sample and on a generated faulty file.
TEST_F(Cli, DossierListsAgreeWithTheRecords) {
    ScriptedPlatform platform(dir);
    platform.yearCamp = "2025";
    const std::string gen = dir + "/gen.edi";
    const char* faults = "bad-date,zero-amount,dup-nir,ftx-over-six,fac-balance,seq-number";
    const char* args[] = {"gen_ktv", "-o",           gen.c_str(), "--dossiers", "60",  "--seed",
                          "22",      "--fault-rate", "0.03",      "--fault",    faults};
    ASSERT_EQ(GenKtvMain(static_cast<int>(std::size(args)), args), 0);
    const std::regex json(
        "\\{\"number\":\"(\\d*)\",\"nir\":\"(.*?)\",\"name\":\"(.*?)\","
        "\"rejects\":(\\d+),\"warnings\":(\\d+),\"verdict\":\"(.*?)\"\\}");
    const std::regex csv("([^;\r\n]*;[^;]*;)([^;]*);([^;]*;[^;]*;[^;]*)\r\n");
    // The rows as the count writes them, or the names alone.
    auto pick = [](const std::string& text, const std::regex& row, const char* format) {
        return std::regex_replace(text, row, format, std::regex_constants::format_no_copy);
    };
    const std::string header =
        "\xEF\xBB\xBF"
        "Dossier;NIR;Nom du déclarant;Rejets;Signalements;Verdict\r\n";
    std::string all;
    for (const std::string file :
         {"annexes", "rejets", "signalements", "syntaxe", "valide", "gen"}) {
        const std::string name = file == "gen" ? "gen.edi" : Sample(file + ".edi");
        const int listed = Run("-a 2025 --dossiers d.csv --json " + name);
        const std::string dump = Out();
        EXPECT_EQ(Run("-a 2025 -q " + name), listed);  // the list changes nothing of the outcome
        platform.filePath = dir + "/" + name;
        MainTest();
        const std::string table = ReadBytes(dir + "/d.csv");
        const std::string expected = DirectCount(), names = pick(dump, json, "$3\n");
        ASSERT_TRUE(table.starts_with(header)) << table.substr(0, 80);
        EXPECT_EQ(pick(table.substr(header.size()), csv, "$1$3\n"), expected) << file;
        EXPECT_EQ(pick(dump, json, "$1;$2;$4;$5;$6\n"), expected) << file;
        EXPECT_EQ(pick(table.substr(header.size()), csv, "$2\n"), names) << file;
        EXPECT_EQ(("\n" + names).find("\n\n"), std::string::npos) << "a dossier without a name";
        all += expected;
    }
    for (const char* verdict : {";Accepté\n", ";Accepté avec signalements\n", ";Rejeté\n"})
        EXPECT_NE(all.find(verdict), std::string::npos) << verdict;
}

}  // namespace
}  // namespace trelvane::test

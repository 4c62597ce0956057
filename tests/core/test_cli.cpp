// The batch front end run as a user runs it, from a copy of the program with
// its tables in a directory of its own: options long and short, the output
// on the console, the files it writes, its exit statuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/Samples.h"

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;

class Cli : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::copy_file(TRELVANE_CHECK_EXE,
                      dir + "/" + fs::path(TRELVANE_CHECK_EXE).filename().string());
        CopyDataFiles(dir);
    }
    void TearDown() override { RemoveTree(dir); }
    // Runs the program in its directory; standard output and error are kept.
    int Run(const std::string& args) {
        const std::string exe = fs::path(TRELVANE_CHECK_EXE).filename().string();
        return RunCommand("cd " + Quoted(dir) + " && " + Quoted(dir + "/" + exe) + " " + args +
                          " >out.txt 2>err.txt");
    }
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
};

TEST_F(Cli, ExitStatuses) {
    EXPECT_EQ(Run(""), 2);
    EXPECT_EQ(Run("--nimporte " + Sample("valide.edi")), 2);
    EXPECT_EQ(Run("-a 25 valide.edi"), 2);
    EXPECT_EQ(Run("valide.edi autre.edi"), 2);
    EXPECT_EQ(Run("absent.edi"), 2);
    EXPECT_EQ(Err(), "trelvane-check : Le fichier indiqué est introuvable.\n");
    EXPECT_EQ(Run(File("vide.edi", "")), 2);
    EXPECT_EQ(Run("--help"), 0);
    EXPECT_NE(Out().find("Codes de sortie"), std::string::npos);
    EXPECT_EQ(Run("-a 2025 valide.edi"), 0);
    EXPECT_EQ(Run("--annee 2025 " + Sample("rejets.edi")), 1);
    fs::remove(dir + "/parametres.ini");
    EXPECT_EQ(Run("valide.edi"), 3);
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
    EXPECT_NE(Out().find("\nCONTROLES DE SYNTAXE OK\n\n\n1 ERREUR DE CONTENU TROUVEE !\n"
                         "(Signalements non visibles)\n\n\n\n\n"),
              std::string::npos)
        << Out();
    // A warning that rejects its dossier is shown all the same.
    EXPECT_EQ(Run("-a 2025 -s " + Sample("rejets.edi")), 1);
    EXPECT_NE(Out().find("1750175123456\nLe dossier sera rejeté par la VRK.\n"), std::string::npos);
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

TEST_F(Cli, JsonKeepsSegmentsAsCut) {
    File("f.edi", "UNA:+,? '\r\nUNB+UNOC:3'\r\nZZZ+A?'B+C??D'\nUNZ+1'\r\nreste");
    EXPECT_EQ(Run("--json f.edi"), 1);
    EXPECT_NE(
        Out().find("{\"Segments\":[\"UNA:+,? \",\"UNB+UNOC:3\",\"ZZZ+A'B+C??D\",\"\\nUNZ+1\"],"
                   "\"Delimiters\":[\"'\",\"+\",\":\",\"?\"],"),
        std::string::npos)
        << Out();
}

TEST_F(Cli, ConversionAndTrace) {
    Sample("rejets.edi");
    EXPECT_EQ(Run("-q -a 2025 -t --convertir=sortie/lot rejets.edi"), 1);
    const fs::path report = fs::directory_iterator(dir + "/sortie/lot/CR_Erreurs")->path();
    EXPECT_TRUE(Out().ends_with("\nsortie/lot/CR_Erreurs/" + report.filename().string() + "\n"))
        << Out();
    EXPECT_TRUE(U(ReadBytes(report.string())).starts_with("Résultat de l'analyse EDI du "));
    EXPECT_FALSE(fs::is_empty(dir + "/logs"));
    Sample("valide.edi");
    EXPECT_EQ(Run("-q -a 2025 -c valide.edi"), 0);
    const fs::path fns3 = fs::directory_iterator(dir + "/FNS3")->path();
    EXPECT_TRUE(Out().ends_with("/FNS3/" + fns3.filename().string() + "\n")) << Out();
    EXPECT_TRUE(ReadBytes(fns3.string()).starts_with("ANS0"));
}

}  // namespace
}  // namespace trelvane::test

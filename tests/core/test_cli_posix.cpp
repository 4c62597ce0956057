// The batch front end run as a user runs it: segments and delimiters in the
// JSON state, the one-line summary, the HTML page and the exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TestFiles.h"

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int code = -1;
    std::string out;
};

Outcome RunCheck(const std::string& exe, const std::string& args) {
    const std::string command = "'" + exe + "' " + args + " 2>/dev/null";
    Outcome o;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return o;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        o.out.append(buf, n);
    const int status = ::pclose(pipe);
    o.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return o;
}

// The strings of a JSON array of strings under a key (escapes of the dump).
std::vector<std::string> JsonStrings(const std::string& json, const std::string& key) {
    std::vector<std::string> out;
    std::size_t p = json.find("\"" + key + "\":[");
    if (p == std::string::npos) return out;
    p += key.size() + 4;
    while (p < json.size() && json[p] != ']') {
        if (json[p] != '"') {
            ++p;
            continue;
        }
        std::string s;
        for (++p; p < json.size() && json[p] != '"'; ++p) {
            if (json[p] == '\\') {
                const char e = json[++p];
                s += e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e;
            } else {
                s += json[p];
            }
        }
        ++p;
        out.push_back(s);
    }
    return out;
}

class Cli : public ::testing::Test {
  protected:
    void SetUp() override { dir = MakeTempDir(); }
    void TearDown() override { RemoveTree(dir); }
    std::string File(const std::string& name, const std::string& bytes) {
        const std::string path = dir + "/" + name;
        WriteBytes(path, bytes);
        return "'" + path + "'";
    }
    std::vector<std::string> Segments(const std::string& bytes) {
        Outcome o = RunCheck(TRELVANE_CHECK_EXE, "--json " + File("f.edi", bytes));
        EXPECT_TRUE(o.code == 0 || o.code == 1) << o.code;
        EXPECT_EQ(JsonStrings(o.out, "Delimiters"), (std::vector<std::string>{"'", "+", ":", "?"}));
        return JsonStrings(o.out, "Segments");
    }
    std::string dir;
};

using Strings = std::vector<std::string>;

TEST_F(Cli, JsonSegmentsHonourReleaseCharactersAndLineEnds) {
    // Each segment as the file holds it: released terminators and doubled
    // release characters as they are written.
    EXPECT_EQ(Segments("UNA:+,? '\r\nUNB+UNOC:3'\r\nZZZ+A?'B+C??D+E???'F'\r\nUNZ+1'\r\n"),
              (Strings{"UNA:+,? ", "UNB+UNOC:3", "ZZZ+A?'B+C??D+E???'F", "UNZ+1"}));
    // Lines ending in a lone LF are not joined: the LF stays in the text.
    EXPECT_EQ(Segments("UNA:+,? '\nUNB+UNOC:3'\nUNZ+1'\n"),
              (Strings{"UNA:+,? ", "\nUNB+UNOC:3", "\nUNZ+1"}));
    // Text after the last terminator is dropped.
    EXPECT_EQ(Segments("UNA:+,? 'UNB+UNOC:3'UNZ+1"), (Strings{"UNA:+,? ", "UNB+UNOC:3"}));
    EXPECT_EQ(Segments("UNA:+,? '\r\nUNB+UNOC:3'\r\nUNZ+1'"),
              (Strings{"UNA:+,? ", "UNB+UNOC:3", "UNZ+1"}));
}

TEST_F(Cli, SummaryLineAgreesWithExitCode) {
    const std::string sample = ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/valide.edi");
    Outcome o = RunCheck(TRELVANE_CHECK_EXE, "-q " + File("valide.edi", sample));
    ASSERT_TRUE(o.code == 0 || o.code == 1) << o.code;
    EXPECT_TRUE(o.out.starts_with("17 segments, ")) << o.out;
    EXPECT_EQ(o.out.find('\n'), o.out.size() - 1);
    EXPECT_EQ(o.out.ends_with(" non convertible\n"), o.code == 1) << o.out;
}

TEST_F(Cli, DefaultOutputIsBothReportsAsText) {
    const std::string sample = ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/valide.edi");
    Outcome o = RunCheck(TRELVANE_CHECK_EXE, File("valide.edi", sample));
    ASSERT_TRUE(o.code == 0 || o.code == 1) << o.code;
    EXPECT_EQ(o.out.find('\r'), std::string::npos);
    EXPECT_NE(o.out.find("CONTENU"), std::string::npos) << o.out;
}

// --convertir: the FNS3 file for a file with warnings only, the error report
// for a file with rejects, in a directory the option names (made when missing).
TEST_F(Cli, ConversionWritesTheFns3FileOrTheErrorReport) {
    const std::string out = dir + "/sortie/lot";
    const std::string samples = std::string(TRELVANE_SAMPLES_DIR);
    Outcome o = RunCheck(TRELVANE_CHECK_EXE,
                         "-q -a 2025 --convertir='" + out + "' '" + samples + "/signalements.edi'");
    EXPECT_EQ(o.code, 0) << o.out;
    std::vector<fs::path> fns3;
    for (const auto& e : fs::directory_iterator(out + "/FNS3"))
        fns3.push_back(e.path());
    ASSERT_EQ(fns3.size(), 1u);
    EXPECT_NE(o.out.find(fns3[0].string()), std::string::npos) << o.out;
    const std::string lines = ReadBytes(fns3[0].string());
    EXPECT_TRUE(lines.starts_with("ANS0")) << lines.substr(0, 20);
    EXPECT_EQ(lines.substr(255, 2), "\r\n");

    o = RunCheck(TRELVANE_CHECK_EXE,
                 "-q -a 2025 --convertir='" + out + "' '" + samples + "/rejets.edi'");
    EXPECT_EQ(o.code, 1);
    std::vector<fs::path> reports;
    for (const auto& e : fs::directory_iterator(out + "/CR_Erreurs"))
        reports.push_back(e.path());
    ASSERT_EQ(reports.size(), 1u);
    const std::string report = U(ReadBytes(reports[0].string()));
    EXPECT_TRUE(report.starts_with("Résultat de l'analyse EDI du ")) << report.substr(0, 60);
    EXPECT_NE(report.find("5 ERREURS DE CONTENU TROUVEES !"), std::string::npos);
}

TEST_F(Cli, HtmlPageColoursEachLineAsTheStateSays) {
    const std::string edi =
        "UNA:+,? '\r\nUNB+UNOC:3+S:ZZ+R:ZZ+251215:1030+REF1'\r\nUNH+1+KTV:D:00B:UN:KTV001'\r\n"
        "XYZ+<b>&'\r\nUNT+3+1'\r\nUNZ+1+REF1'\r\n";
    const std::string file = File("f.edi", edi);
    Outcome json = RunCheck(TRELVANE_CHECK_EXE, "--json " + file);
    const Strings segments = JsonStrings(json.out, "Segments");
    const Strings marks = JsonStrings(json.out, "ErrorsBySegment");
    const std::string page = dir + "/page.html";
    Outcome o = RunCheck(TRELVANE_CHECK_EXE, "--html '" + page + "' " + file);
    EXPECT_EQ(o.code, json.code);
    const std::string html = ReadBytes(page);
    ASSERT_TRUE(html.starts_with("<!DOCTYPE html>"));
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    // The legend: five bullets in their colours.
    for (const char* color : {"ff0000", "6495ed", "8a2be2", "ff8c00", "66ca66"})
        EXPECT_NE(html.find("color:#" + std::string(color) + "\">\xE2\x97\x8F </span>"),
                  std::string::npos)
            << color;
    EXPECT_NE(html.find("Documents du dossier en anomalie"), std::string::npos);
    EXPECT_NE(html.find("XYZ+&lt;b&gt;&amp;"), std::string::npos);
    ASSERT_EQ(marks.size(), segments.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const std::string line = std::to_string(i + 1) + "  ";
        if (marks[i] == "SOK") {
            EXPECT_NE(html.find("<span style=\"color:#323232\">" + line), std::string::npos) << i;
        } else if (marks[i] == "ERR") {
            EXPECT_NE(html.find("<span style=\"color:#ff0000;font-weight:bold\">" + line),
                      std::string::npos)
                << i;
        }
    }
}

TEST_F(Cli, ExitCodesForUsageAndMissingParameterFile) {
    EXPECT_EQ(RunCheck(TRELVANE_CHECK_EXE, "").code, 2);
    EXPECT_EQ(RunCheck(TRELVANE_CHECK_EXE, "--nimporte " + File("f.edi", "UNA'")).code, 2);
    EXPECT_EQ(RunCheck(TRELVANE_CHECK_EXE, "'" + dir + "/absent.edi'").code, 2);
    EXPECT_EQ(RunCheck(TRELVANE_CHECK_EXE, File("vide.edi", "")).code, 2);

    const std::string lonely = dir + "/bin";
    fs::create_directory(lonely);
    fs::copy_file(TRELVANE_CHECK_EXE, lonely + "/trelvane-check");
    fs::permissions(lonely + "/trelvane-check", fs::perms::owner_all);
    EXPECT_EQ(RunCheck(lonely + "/trelvane-check", File("f.edi", "UNA:+,? 'UNB'UNZ'")).code, 3);
}

}  // namespace
}  // namespace trelvane::test

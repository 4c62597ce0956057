// The dossier list of the batch front end: its CSV file and its JSON array
// agree with a direct count of the content records, on every sample and on a
// generated faulty file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <regex>

#include "content/ReferenceTables.h"
#include "driver/MainTest.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

int GenKtvMain(int argc, const char* const* argv);  // the generator, built into the tests

namespace trelvane::test {
namespace {

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

TEST(DossierListFiles, CsvAndJsonOfTheBatchFrontEndAgreeWithTheRecords) {
    ScriptedPlatform platform;
    platform.yearCamp = "2025";
    SetFacChecksEnabled(true);
    const std::string dir = platform.Directory(), gen = dir + "/gen.edi";
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
        platform.filePath = file == "gen" ? gen : TRELVANE_SAMPLES_DIR "/" + file + ".edi";
        const std::string command = "'" TRELVANE_CHECK_EXE "' -a 2025 '" + platform.filePath + "'";
        // Writing the list changes nothing of the outcome.
        EXPECT_EQ(
            std::system(
                (command + " --dossiers '" + dir + "/d.csv' --json >'" + dir + "/d.json'").c_str()),
            std::system((command + " -q >/dev/null").c_str()));
        MainTest();
        const std::string table = ReadBytes(dir + "/d.csv"), dump = ReadBytes(dir + "/d.json");
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
    // Never written over the file it describes.
    const std::string before = ReadBytes(gen), onto = "'" + gen + "' --dossiers '" + gen + "'";
    EXPECT_EQ(
        WEXITSTATUS(std::system(("'" TRELVANE_CHECK_EXE "' " + onto + " 2>/dev/null").c_str())), 2);
    EXPECT_EQ(ReadBytes(gen), before);
}

}  // namespace
}  // namespace trelvane::test

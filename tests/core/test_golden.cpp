// Whole runs compared with golden files (tests/data/golden): each delivered
// sample, and three interchanges built here to reach what the samples do not
// (every kind of detail, annex cuts, failed conversions, a file without its
// UNA), run as the Test
// button runs them. For each: the report document, the run state as the
// batch front end dumps it in JSON, the file the conversion writes (FNS3 or
// CR), and the batch front end's HTML page.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "cli/JsonDump.h"
#include "conversion/ConversionCommand.h"
#include "driver/MainTest.h"
#include "reports/ReportDocument.h"
#include "run/modMainFunctions.h"
#include "support/Golden.h"
#include "support/Samples.h"

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;

// Every detail segment, addresses of three lines, header references, annex
// companies, more than ten informations, a dossier of complementary income
// only, an empty declaration, a second interchange; warnings only.
Segs Rich() {
    Groups main("E0010=1250 E0012=100 E0014=200 E0016=30 E0124=20");
    main.Add("KTVECE", 0, "0020", "RFF", {"RFF+ABC:REF-0001"})
        .Add("KTVECE", 0, "0021", "DTM", {"DTM+194:20250115:102"})
        .Add("E0022")
        .Add("KTVECE", 0, "0023", "CCI", {"CCI+++FAC::ZZ", "CAV+X:ABC:ZZ"})
        .Add("KTVECE", 0, "0051", "PCD", {"PCD+16:12.5"})
        .Add("E0061=7 E0120 E0129=9 E0131=-11 E0055=1000")
        .Add("FACCE", 1, "0050", "NAD", {"NAD+CO+123456789:ZZ:ZZ++GARAGE DU CENTRE ET FILS"})
        .Add("C1.0035=300 C1.0045=200 C1.0046=500 C1.0120 C1.0120 C1.0139")
        .Add("C2.0035=50 C2.0028=5 C2.0139 I1.0235=80 I1.0236=40 I1.0139");
    Segs first = Dossier(1, main);
    first = With(first, 3, "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS++75001");
    first = Insert(first, 5, {"RFF+AHP:CONTRAT-42"});
    first = With(first, 6,
                 "NAD+EM+EMP00001:ZZ:ZZ++Société Martin € Œ+3 avenue Foch:Bâtiment ?+B:Escalier 2+"
                 "LYON++69001+FR");
    first = Insert(first, 8, {"RFF+ABO:DOSSIER-7"});
    const Groups facis("I1.0235=120 I1.0139 I2.0236=40 I2.0139");
    Segs one = Envelope({Recount(first), Dossier(2, facis, "2800175123456")});
    one[kUNB] += "+1";
    one[kUNB].replace(one[kUNB].find("SENDER01"), 8, "  SENDER01  ");
    Groups texts("E0010=15000 E0055=14000 C1.0035=1000");
    for (int i = 0; i < 7; ++i)
        texts.Add("C1.0120");
    Segs two = Envelope(
        {With(Dossier(1, Groups("E0000"), "1990175123456"), kBGM - kUNH, "BGM+KTV::ZZ+DOC0001+9"),
         Dossier(2, texts.Add("C1.0139"), "2990175123456")});
    return Insert(one, one.size(), two);
}

// Dossiers whose records cannot all be built, and one whose last group is
// the 99th.
Segs Failures() {
    Groups full;
    for (int i = 0; i < 97; ++i)
        full.Add("E0010=1");
    full.Add("C1.0035=5 C1.0139");
    Groups percent;
    percent.Add("KTVECE", 0, "0051", "PCD", {"PCD+16:1234"});
    return Envelope({Dossier(1, full, "1500000000001"), Dossier(2, percent, "1500000000002"),
                     Dossier(3, Groups().Add("KTVECE", 0, "0051", "PCD"), "1500000000003"),
                     Dossier(4, Groups("E0016"), "1500000000004")});
}

std::string Json() {
    std::FILE* f = std::tmpfile();
    WriteRunStateJson(f, IsFileConvertible());
    std::string out(static_cast<std::size_t>(std::ftell(f)), '\0');
    std::rewind(f);
    out.resize(std::fread(out.data(), 1, out.size(), f));
    std::fclose(f);
    return out;
}

class Golden : public ::testing::TestWithParam<const char*> {};

TEST_P(Golden, WholeRun) {
    const std::string name = GetParam();
    ScriptedPlatform platform;
    platform.yearCamp = kCampaign;
    const std::string dir = platform.Directory();
    const std::string file = dir + "/" + name + ".edi";
    if (name == "riche") {
        WriteBytes(file, FileText(Rich()));
    } else if (name == "enveloppe") {
        WriteBytes(file, FileText(Changed({kUNA, "", "", ""})));  // no UNA
    } else if (name == "echecs") {
        WriteBytes(file, FileText(Failures()));
        fs::create_directory(dir + "/logs");  // the failures are logged even out of trace mode
    } else {
        fs::copy_file(std::string(TRELVANE_SAMPLES_DIR) + "/" + name + ".edi", file);
    }
    platform.filePath = file;
    MainTest();
    // The program's directory is a new one at every run.
    const auto local = [&](std::string text) {
        for (std::size_t at; (at = text.find(dir)) != std::string::npos;)
            text.replace(at, dir.size(), "<dossier>");
        return text;
    };
    ExpectGolden(name + ".rapport.txt", local(ReportDocumentText()));
    ExpectGolden(name + ".json", Json());
    const ConversionOutcome outcome = RunConversionCommand(ReportDocumentText(), dir);
    ExpectGolden(name + (outcome.result == ConversionResult::Fns3Written ? ".fns3" : ".cr.txt"),
                 local(ReadBytes(outcome.path)));
    if (name == "echecs") ExpectGolden(name + ".log", ReadBytes(dir + "/logs/05122026_trace.log"));

    if (name == "annexes" || name == "riche") return;  // pages of little more than the file
#ifndef _WIN32  // the Windows batch front end is held to the Linux one by windows_matches_linux
    const int status = RunCommand("cd " + Quoted(dir) + " && " + Quoted(TRELVANE_CHECK_EXE) +
                                  " -a 2025 --html page.html " + name + ".edi >out.txt");
    EXPECT_EQ(status, IsFileConvertible() ? 0 : 1);
    ExpectGolden(name + ".html", ReadBytes(dir + "/page.html"));
#endif
}

INSTANTIATE_TEST_SUITE_P(Samples, Golden,
                         ::testing::Values("valide", "signalements", "rejets", "annexes", "syntaxe",
                                           "riche", "echecs", "enveloppe"));

}  // namespace
}  // namespace trelvane::test

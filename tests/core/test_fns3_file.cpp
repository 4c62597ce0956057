// The FNS3 file and the conversion command: what is written where, the
// decision between an FNS3 file and an error report, and writes that fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "config/modIOfunctions.h"
#include "content/ReferenceTables.h"
#include "content/modKTVContentSEQ.h"
#include "content/modKTVFacChecks.h"
#include "conversion/ConversionCommand.h"
#include "conversion/Fns3Records.h"
#include "conversion/modKTVConversionFunctions.h"
#include "driver/MainTest.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane {
namespace {

namespace fs = std::filesystem;
using test::W;

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Fns3File : public ::testing::Test {
  protected:
    test::ScriptedPlatform platform;
    std::string fns3Dir;

    void SetUp() override {
        fs::create_directory(platform.Directory() + "/logs");
        fns3Dir = platform.Directory() + "/FNS3";
        fs::create_directory(fns3Dir);
        State().Delimiters = {"'", "+", ":", "?"};
        State().Segments =
            SegmentTexts::FromStringList({"UNA:+,? ", "UNB+UNOC:3+SENDER01:ZZ", "UNH+1", "UNT+3+1",
                                          "UNH+2", "UNT+3+2", "UNZ+2+REF1"});
        State().SyntaxErrors = {"[Branchement]"};
        State().ContentErrors = {"[Contenu]"};
        SetWarningCount(0);
        Initialise_Table_Codes_Segments_Lib();
        InitFNS3Lines();
        ClearFailedConversions();
        SetFacisOnlyDossier(false);
        SaveInterchData(2, 2, 0, "SENDER01");
        SaveInterchData(2, 4, 0, "251215");
        SaveInterchData(2, 4, 1, "1030");
        SaveInterchData(2, 5, 0, "REF1");
        SaveInterchData(2, 10, 0, "KTV001");
        SaveInterchData(2, 11, 0, "T");
    }

    // A FACIS-only dossier (so its records include the bare marker line).
    static void ConvertDossier(std::int64_t number, const std::string& badDocument = {}) {
        ResetDossData();
        SaveDossData(0, 2, 1, 2, 0,
                     badDocument.empty() ? "DOC" + std::to_string(number) : badDocument);
        SaveDossData(0, 5, 3, 1, 0, "EM");
        SaveDossData(0, 5, 3, 4, 0, W("Société Générale des Eaux"));
        SaveDossData(0, 5, 4, 2, 0, "1750175123456");
        SaveDossData(1, 8, 1, 2, 0, "FACIS   250001000235MOA");
        SaveDossData(1, 9, 1, 1, 1, "120");
        SaveDossData(2, 8, 1, 2, 0, "FACIS   250001000139CCI");
        SaveDossData(2, 13, 1, 1, 0, "O");
        SetFacisOnlyDossier(true);
        ConvertDossierToFNS3(number, 1);
    }
};

TEST_F(Fns3File, WritesEveryRecordAsOneWindows1252LineEndedByCrLf) {
    ConvertDossier(1);
    ConvertDossier(2);
    const std::string path = WriteFNS3File(fns3Dir);
    EXPECT_EQ(path, JoinPath(fns3Dir, "20261205_174538_FNS3.oth"));
    EXPECT_TRUE(platform.messages.empty());

    const std::string bytes = test::ReadBytes(path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    const std::vector<std::string> lines = SplitCrLf(bytes);
    const Fns3LineList& list = FNS3Lines();
    ASSERT_EQ(lines.size(), list.size() - 1);  // "[FNS3]" is not written
    ASSERT_EQ(lines.size(), 15u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], list[i + 1]) << i;
        if (lines[i] == "ANS310") continue;
        EXPECT_EQ(lines[i].size(), 255u) << i;
        EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos) << i;
    }
    EXPECT_EQ(lines[6], "ANS310");
    // É is one byte in the file.
    EXPECT_NE(bytes.find("SOCI\xC9T\xC9 G\xC9N\xC9RALE DES EAUX"), std::string::npos);
    EXPECT_EQ(bytes.find("[FNS3]"), std::string::npos);
}

TEST_F(Fns3File, NameFollowsTheClockAndDefaultsToTheProgramsFns3Directory) {
    platform.now = {2027, 1, 2, 3, 4, 5};
    platform.trace = true;
    const std::string path = WriteFNS3File();
    EXPECT_EQ(path, JoinPath(ProgramPath("FNS3"), "20270102_030405_FNS3.oth"));
    // Nothing converted: an empty file.
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);
    const std::string trace = test::ReadBytes(CurrentTraceFilePath());
    EXPECT_NE(trace.find("[modIOfunctions >> WriteFNS3File]"), std::string::npos);
    EXPECT_NE(trace.find("Ecriture du fichier FNS3.\r\n"), std::string::npos);
}

TEST_F(Fns3File, TwoConversionsInOneSecondGiveTwoFiles) {
    ConvertDossier(1);
    const std::string first = WriteFNS3File(fns3Dir);
    const std::string once = test::ReadBytes(first);
    const std::string second = WriteFNS3File(fns3Dir);
    EXPECT_EQ(second, JoinPath(fns3Dir, "20261205_174538_FNS3_2.oth"));
    EXPECT_EQ(test::ReadBytes(first), once);
    EXPECT_EQ(test::ReadBytes(second), once);
    EXPECT_EQ(FilesIn(fns3Dir),
              (std::vector<std::string>{"20261205_174538_FNS3.oth", "20261205_174538_FNS3_2.oth"}));

    // Later: a file with the same content under the time's own name.
    platform.now.second = 39;
    const std::string third = WriteFNS3File(fns3Dir);
    EXPECT_EQ(third, JoinPath(fns3Dir, "20261205_174539_FNS3.oth"));
    EXPECT_EQ(test::ReadBytes(third), once);
}

TEST_F(Fns3File, AFailedWriteShowsTheMessageAndLeavesNoFile) {
    ConvertDossier(1);
    const std::string missing = platform.Directory() + "/absent";
    EXPECT_EQ(WriteFNS3File(missing), "");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, W("Erreur en écriture"));
    EXPECT_EQ(platform.messages[0].text,
              W("76 - Ecriture du fichier FNS3 impossible\r\nLes droit d'accès sont peut-être "
                "insuffisants."));
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(fs::exists(missing));
    // The list is kept for another try.
    EXPECT_EQ(FNS3Lines().size(), 9u);
}

class ConversionCommand : public Fns3File {
  protected:
    std::string base;
    void SetUp() override {
        Fns3File::SetUp();
        base = platform.Directory() + "/sortie";
        fs::create_directory(base);
    }
};

TEST_F(ConversionCommand, AFileWithWarningsOnlyIsConvertedIntoTheFns3Directory) {
    platform.trace = true;
    State().ContentErrors = {"[Contenu]", "5,,d2,1,2OM", "9,,d0,1,241"};
    SetWarningCount(2);
    ConvertDossier(1);
    ASSERT_TRUE(IsFileConvertible());

    const ConversionOutcome outcome = RunConversionCommand("rapport", base);
    EXPECT_EQ(outcome.result, ConversionResult::Fns3Written);
    EXPECT_EQ(outcome.path, JoinPath(OutputDirectory("FNS3", base), "20261205_174538_FNS3.oth"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Conversion");
    EXPECT_EQ(platform.messages[0].text,
              W("Le fichier converti va être produit dans le dossier 'FNS3'\r\n") + outcome.path);
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(SplitCrLf(test::ReadBytes(outcome.path)).size(), 8u);
    EXPECT_FALSE(fs::exists(base + "/CR_Erreurs"));
    const std::string trace = test::ReadBytes(CurrentTraceFilePath());
    EXPECT_NE(trace.find("[frmTests >> cmdConvertir_Click]"), std::string::npos);
    EXPECT_NE(trace.find("** BOUTON CONVERSION EN FNS3 **"), std::string::npos);

    // Without a directory of its own, the program's.
    const ConversionOutcome again = RunConversionCommand("rapport");
    EXPECT_EQ(again.path, JoinPath(ProgramPath("FNS3"), "20261205_174538_FNS3.oth"));
}

TEST_F(ConversionCommand, ErrorsLeftGiveAnErrorReportFile) {
    const std::string expectedText =
        W("La conversion du fichier EDI est impossible car il contient encore des erreurs\r\n"
          "Un compte-rendu d'erreur va être créé dans le répertoire 'CR_Erreurs'");
    const std::string report = W("Résultat de l'analyse EDI du 05/12/2026\r\n\r\n\r\nfin");

    // One reject among two errors.
    State().ContentErrors = {"[Contenu]", "5,,d2,1,2OM", "9,,d2,1,406"};
    SetWarningCount(1);
    EXPECT_FALSE(IsFileConvertible());
    ConversionOutcome outcome = RunConversionCommand(report, base);
    EXPECT_EQ(outcome.result, ConversionResult::ReportWritten);
    EXPECT_EQ(outcome.path,
              JoinPath(OutputDirectory("CR_Erreurs", base), "174538_05122026_CRErreur.txt"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Conversion impossible");
    EXPECT_EQ(platform.messages[0].text, expectedText + "\r\n" + outcome.path);
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(test::ReadBytes(outcome.path), report + "\r\n");

    // A syntax error, the same second: appended to the same report file.
    State().ContentErrors = {"[Contenu]"};
    SetWarningCount(0);
    State().SyntaxErrors = {"[Base_N0]", "UNB+3,120"};
    EXPECT_FALSE(IsFileConvertible());
    outcome = RunConversionCommand(report, base);
    EXPECT_EQ(outcome.result, ConversionResult::ReportWritten);
    EXPECT_EQ(test::ReadBytes(outcome.path), report + "\r\n" + report + "\r\n");
    EXPECT_EQ(platform.messages.back().text, expectedText + "\r\n" + outcome.path);
    EXPECT_FALSE(fs::exists(base + "/FNS3"));
}

TEST_F(ConversionCommand, ADossierWhoseConversionFailedBlocksTheFns3File) {
    ConvertDossier(1);
    ConvertDossier(2, std::string(40, 'X'));  // a document number too wide for its field
    ASSERT_EQ(FailedConversions().size(), 1u);
    EXPECT_FALSE(IsFileConvertible());

    const ConversionOutcome outcome = RunConversionCommand("rapport", base);
    EXPECT_EQ(outcome.result, ConversionResult::ReportWritten);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Conversion impossible");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Information);
    EXPECT_NE(platform.messages[0].text.find(W("a échoué pour les dossiers n° 2\r\n")),
              std::string::npos);
    EXPECT_FALSE(fs::exists(base + "/FNS3"));
    EXPECT_TRUE(
        fs::exists(JoinPath(OutputDirectory("CR_Erreurs", base), "174538_05122026_CRErreur.txt")));

    // A new check starts from a clean slate.
    ClearFailedConversions();
    EXPECT_TRUE(IsFileConvertible());
}

// A whole test run of a two-interchange file fills the line list through
// the content checks, one interchange header before each interchange.
TEST_F(ConversionCommand, ATestRunFillsTheLineListForEveryDossier) {
    std::string sample = test::ReadBytes(TRELVANE_SAMPLES_DIR "/valide.edi");
    const std::size_t unz = sample.find("UNZ+");
    ASSERT_NE(unz, std::string::npos);
    const std::string head = sample.substr(0, sample.find("UNH+"));
    const std::string message = sample.substr(sample.find("UNH+"), unz - sample.find("UNH+"));
    const std::string file = sample + head + message + message + "UNZ+2+REF00000001'\r\n";
    const std::string path = platform.Directory() + "/deux_echanges.edi";
    test::WriteBytes(path, file);
    platform.filePath = path;
    platform.yearCamp = "2026";
    SetFacChecksEnabled(true);

    MainTest();

    std::vector<std::string> kinds;
    const Fns3LineList& list = FNS3Lines();
    ASSERT_GE(list.size(), 1u);
    EXPECT_EQ(list[0], "[FNS3]");
    std::vector<std::string> counts;
    for (std::size_t i = 1; i < list.size(); ++i) {
        const std::string line(list[i]);
        if (line != "ANS310") {
            EXPECT_EQ(line.size(), 255u) << i;
        }
        if (line.rfind("ANS3", 0) == 0) continue;
        kinds.push_back(line.substr(0, 4));
        if (kinds.back() == "ANS0") counts.push_back(line.substr(57, 8));
    }
    const std::vector<std::string> expected = {"ANS0", "ANS1", "ANS2", "ANS2", "ANS2", "ANS2",
                                               "ANS0", "ANS1", "ANS2", "ANS2", "ANS2", "ANS2",
                                               "ANS1", "ANS2", "ANS2", "ANS2", "ANS2"};
    EXPECT_EQ(kinds, expected);
    EXPECT_EQ(counts, (std::vector<std::string>{"00000001", "00000002"}));

    // The values the envelope and header rule sets kept, at their columns.
    auto rec = [](std::initializer_list<std::pair<std::size_t, std::string>> fields) {
        std::string line(255, ' ');
        for (const auto& [column, text] : fields)
            line.replace(column - 1, text.size(), text);
        return line;
    };
    ASSERT_GE(list.size(), 7u);
    EXPECT_EQ(list[1], rec({{1, "ANS0"},
                            {5, "SENDER01"},
                            {19, "CSEKTV"},
                            {33, "20251215"},
                            {41, "1030"},
                            {45, "R"},
                            {46, "KTV"},
                            {52, "D"},
                            {55, "00B"},
                            {58, "00000001"},
                            {66, "REF00000001"},
                            {80, "KTV001"},
                            {86, "0"},
                            {87, "EDI"}}));
    const std::string ans1(list[2]);
    EXPECT_EQ(ans1.substr(0, 22), "ANS11750175123456DURAN");
    EXPECT_EQ(ans1.substr(26), rec({{27, "20261205"}, {35, "DOC0001"}}).substr(26));
    EXPECT_EQ(list[3], rec({{1, "ANS2"},
                            {5, "MS"},
                            {8, "SENDER01"},
                            {32, "CABINET DUPONT"},
                            {67, "12 RUE DES LILAS"},
                            {172, "PARIS"},
                            {207, "75001"}}));
    EXPECT_EQ(list[4], rec({{1, "ANS2"}, {5, "MR"}, {8, "CSEKTV"}}));
    EXPECT_EQ(list[6], rec({{1, "ANS2"},
                            {5, "DT"},
                            {8, "1750175123456"},
                            {32, "DURAND JEAN"},
                            {67, "8 PLACE BELLECOUR"},
                            {172, "LYON"},
                            {207, "69002"}}));

    const bool convertible = IsFileConvertible();
    const ConversionOutcome outcome = RunConversionCommand("rapport", base);
    EXPECT_EQ(outcome.result,
              convertible ? ConversionResult::Fns3Written : ConversionResult::ReportWritten);
    EXPECT_TRUE(fs::exists(outcome.path));
}

// Out of trace mode the records are built on a second thread beside the
// walk, in trace mode in place: both give the same lines, the same failed
// dossiers and the same failure lines in the log, over several batches of
// dossiers, two interchanges, and dossiers whose records fail.
TEST_F(ConversionCommand, RecordsBuiltBesideTheWalkEqualThoseBuiltInPlace) {
    const std::string sample = test::ReadBytes(TRELVANE_SAMPLES_DIR "/valide.edi");
    const std::string head = sample.substr(0, sample.find("UNH+"));
    const std::size_t unh = sample.find("UNH+");
    const std::string message = sample.substr(unh, sample.find("UNZ+") - unh);
    auto dossier = [&](int n) {
        std::string m = message;
        m.replace(m.find("DOC0001"), 7, "DOC" + std::to_string(n));
        if (n % 50 == 7) {
            // A percentage announced without its PCD segment: the records fail.
            const std::size_t ind = m.find("250000000055MOA'");
            m.replace(ind, 16, "250000000051PCD'");
            m.erase(m.find("MOA+", ind), std::string("MOA+203:15000'\r\n").size());
        }
        return m;
    };
    std::string file = head;
    for (int n = 1; n <= 150; ++n)
        file += dossier(n);
    file += "UNZ+150+REF00000001'\r\n" + head;
    for (int n = 151; n <= 160; ++n)
        file += dossier(n);
    file += "UNZ+10+REF00000001'\r\n";
    const std::string path = platform.Directory() + "/lots.edi";
    test::WriteBytes(path, file);
    platform.filePath = path;
    platform.yearCamp = "2026";
    SetFacChecksEnabled(true);

    auto run = [&](bool trace) {
        const std::string log = CurrentTraceFilePath();
        fs::remove(log);
        platform.trace = trace;
        MainTest();
        std::vector<std::string> failureLines;
        std::istringstream in(fs::exists(log) ? test::ReadBytes(log) : std::string());
        for (std::string line; std::getline(in, line);)
            if (line.find("ConvertDossierToFNS3") != std::string::npos)
                failureLines.push_back(line);
        std::vector<std::pair<std::int64_t, std::int64_t>> failed;
        for (const FailedConversion& f : FailedConversions())
            failed.emplace_back(f.interchange, f.dossier);
        return std::make_tuple(GetFNS3Lines(), failed, failureLines);
    };
    const auto [besideLines, besideFailed, besideLog] = run(false);
    const auto [inPlaceLines, inPlaceFailed, inPlaceLog] = run(true);
    EXPECT_GT(besideLines.size(), 160u * 5);
    EXPECT_TRUE(besideLines == inPlaceLines);
    const std::vector<std::pair<std::int64_t, std::int64_t>> expected = {
        {1, 7}, {1, 57}, {1, 107}, {2, 7}};
    EXPECT_EQ(besideFailed, expected);
    EXPECT_EQ(inPlaceFailed, expected);
    ASSERT_EQ(besideLog.size(), 4u);
    EXPECT_EQ(besideLog, inPlaceLog);
    EXPECT_NE(besideLog[1].find(W("dossier n°57")), std::string::npos);
}

}  // namespace
}  // namespace trelvane

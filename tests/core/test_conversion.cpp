// The conversion command after a test run: the FNS3 file for a file with
// warnings only, the error report otherwise, where and under which names they
// are written (never over another file), reports written at once, writes that
// fail, the temporary files they leave, and the records built beside the walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "config/modIOfunctions.h"
#include "conversion/ConversionCommand.h"
#include "conversion/modKTVConversionFunctions.h"
#include "driver/MainTest.h"
#include "run/modMainFunctions.h"
#include "support/Samples.h"

namespace trelvane::test {
namespace {

// An output path with "/" wherever the system joined with its own separator.
std::string Slashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

namespace fs = std::filesystem;

std::vector<std::string> Listing(const std::string& dir) {
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(FsPath(dir), ec)) {
        const std::u8string name = fs::relative(e.path(), FsPath(dir)).generic_u8string();
        out.emplace_back(name.begin(), name.end());
    }
    std::sort(out.begin(), out.end());
    return out;
}

class Conversion : public ::testing::Test {
  protected:
    void SetUp() override {
        platform.yearCamp = kCampaign;
        base = platform.Directory() + "/sortie é";
        fs::create_directory(FsPath(base));
    }
    void Run(const std::string& sample) {
        platform.filePath = std::string(TRELVANE_SAMPLES_DIR) + "/" + sample;
        MainTest();
    }
    ScriptedPlatform platform;
    std::string base;
};

TEST_F(Conversion, Fns3FileNamedByTheClock) {
    Run("signalements.edi");
    ASSERT_TRUE(IsFileConvertible());
    const ConversionOutcome first = RunConversionCommand("rapport", base);
    EXPECT_EQ(first.result, ConversionResult::Fns3Written);
    EXPECT_EQ(Slashes(first.path), Slashes(base) + "/FNS3/20261205_174538_FNS3.oth");
    EXPECT_EQ(platform.MessageTitlesUtf8(), std::vector<std::string>{"Conversion"});
    EXPECT_EQ(platform.MessageTextsUtf8(),
              std::vector<std::string>{
                  "Le fichier converti va être produit dans le dossier 'FNS3'\r\n" + first.path});
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Information);
    const std::string once = ReadBytes(first.path);
    // The same second: a file of its own, never one replaced.
    fs::create_directory(FsPath(base + "/FNS3/20261205_174538_FNS3_2.oth"));
    EXPECT_EQ(Slashes(RunConversionCommand("rapport", base).path),
              Slashes(base) + "/FNS3/20261205_174538_FNS3_3.oth");
    platform.now.second = 39;
    EXPECT_EQ(ReadBytes(RunConversionCommand("rapport", base).path), once);
    EXPECT_EQ(Listing(base),
              (std::vector<std::string>{
                  "FNS3", "FNS3/20261205_174538_FNS3.oth", "FNS3/20261205_174538_FNS3_2.oth",
                  "FNS3/20261205_174538_FNS3_3.oth", "FNS3/20261205_174539_FNS3.oth"}));
    EXPECT_EQ(ReadBytes(first.path), once);
    // Without a directory of its own, the program's.
    EXPECT_EQ(Slashes(RunConversionCommand("rapport").path),
              Slashes(platform.Directory()) + "/FNS3/20261205_174539_FNS3.oth");
}

TEST_F(Conversion, ErrorsLeftGiveAnErrorReport) {
    Run("rejets.edi");
    ASSERT_FALSE(IsFileConvertible());
    const ConversionOutcome outcome = RunConversionCommand("rapport", base);
    EXPECT_EQ(outcome.result, ConversionResult::ReportWritten);
    EXPECT_EQ(Slashes(outcome.path), Slashes(base) + "/CR_Erreurs/174538_05122026_CRErreur.txt");
    EXPECT_EQ(platform.MessageTitlesUtf8(), std::vector<std::string>{"Conversion impossible"});
    EXPECT_EQ(platform.MessageTextsUtf8()[0],
              "La conversion du fichier EDI est impossible car il contient encore des erreurs\r\n"
              "Un compte-rendu d'erreur va être créé dans le répertoire 'CR_Erreurs'\r\n" +
                  outcome.path);
    // Two reports in one second go into one file, one after the other.
    RunConversionCommand("second", base);
    EXPECT_EQ(ReadBytes(outcome.path), "rapport\r\nsecond\r\n");
    EXPECT_FALSE(fs::exists(base + "/FNS3"));
}

TEST_F(Conversion, FailedWritesLeaveNothingBehind) {
    Run("signalements.edi");
    EXPECT_EQ(RunConversionCommand("rapport", base + "/absent/sous").result,
              ConversionResult::Failed);
    EXPECT_EQ(platform.MessageTextsUtf8()[0],
              "76 - Création du répertoire FNS3 impossible.\r\nLes droit d'écriture sont "
              "peut-être insuffisants.");
    EXPECT_EQ(platform.MessageTextsUtf8().back(),
              "76 - Ecriture du fichier FNS3 impossible\r\nLes droit d'accès sont peut-être "
              "insuffisants.");
    EXPECT_EQ(platform.messages.back().title, W("Erreur en écriture"));
    EXPECT_EQ(Listing(base), std::vector<std::string>{});
    Run("rejets.edi");
    EXPECT_EQ(RunConversionCommand("rapport", base + "/absent").result, ConversionResult::Failed);
    EXPECT_EQ(platform.MessageTextsUtf8().back(),
              "76 - Ecriture du fichier CRErreur impossible.\r\nLes droit d'accès sont peut-être "
              "insuffisants.");
}

// Reports of one second share one file: each is appended in one write, so
// reports written at once never mix.
TEST_F(Conversion, ReportsWrittenAtOnceStayWhole) {
    std::vector<std::thread> writers;
    for (int i = 0; i < 8; ++i)
        writers.emplace_back(
            [&, i] { WriteCRFile(std::string(200000, static_cast<char>('A' + i)), base); });
    for (auto& w : writers)
        w.join();
    ASSERT_EQ(Listing(base), std::vector<std::string>{"174538_05122026_CRErreur.txt"});
    const std::string all = ReadBytes(base + "/174538_05122026_CRErreur.txt");
    ASSERT_EQ(all.size(), 8u * 200002);
    for (std::size_t at = 0; at < all.size(); at += 200002)
        EXPECT_EQ(all.substr(at, 200002), std::string(200000, all[at]) + "\r\n") << at;
}

TEST_F(Conversion, ConversionsRemoveTheirOwnStaleTemporaryFiles) {
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(2);
    fs::create_directories(FsPath(base + "/FNS3"));
    fs::create_directories(FsPath(base + "/CR_Erreurs"));
    const std::pair<const char*, bool> planted[] = {
        {"FNS3/20250101_101010_FNS3.oth.part-a1B2c3", true},
        {"FNS3/20250101_101010_FNS3_12.oth.part-Zz09aa", true},
        {"FNS3/20250101_101010_FNS3.oth.part-fresh1", false},  // a write going on
        {"FNS3/notes.oth.part-a1B2c3", true},                  // not ours
        {"FNS3/20250101_101010_FNS3.oth.part-a1B2c3x", true},
        {"CR_Erreurs/101010_01012025_CRErreur.txt.part-q1w2e3", true}};
    for (const auto& [name, stale] : planted) {
        WriteBytes(base + "/" + name, "part");
        if (stale) fs::last_write_time(FsPath(base + "/" + name), old);
    }
    InitFNS3Lines();
    WriteFNS3File(OutputDirectory("FNS3", base));
    WriteCRFile("rapport", OutputDirectory("CR_Erreurs", base));
    EXPECT_EQ(Listing(base), (std::vector<std::string>{
                                 "CR_Erreurs", "CR_Erreurs/174538_05122026_CRErreur.txt", "FNS3",
                                 "FNS3/20250101_101010_FNS3.oth.part-a1B2c3x",
                                 "FNS3/20250101_101010_FNS3.oth.part-fresh1",
                                 "FNS3/20261205_174538_FNS3.oth", "FNS3/notes.oth.part-a1B2c3"}));
}

// Out of trace mode the records are built on a second thread beside the
// walk, in trace mode in place: the same lines, failed dossiers and failure
// lines in the log, over several batches of dossiers and two interchanges.
TEST_F(Conversion, RecordsBuiltBesideTheWalkEqualThoseBuiltInPlace) {
    std::vector<Segs> first, second;
    for (int n = 1; n <= 160; ++n) {
        const std::string nir = std::to_string(1000000000000LL + n);
        // A percentage announced without its segment: the records fail.
        Segs d = n % 50 == 7 ? Dossier(n, Groups().Add("KTVECE", 0, "0051", "PCD"), nir)
                             : Dossier(n, Groups("E0010=15000 E0055=15000"), nir);
        (n <= 150 ? first : second).push_back(d);
    }
    const std::string path = platform.Directory() + "/lots.edi";
    WriteBytes(path, FileText(Insert(Envelope(first), 0, Envelope(second))));
    platform.filePath = path;
    fs::create_directory(platform.Directory() + "/logs");
    auto run = [&](bool trace) {
        fs::remove(CurrentTraceFilePath());
        platform.trace = trace;
        MainTest();
        std::vector<std::string> failures;
        std::istringstream log(ReadBytes(CurrentTraceFilePath()));
        for (std::string line; std::getline(log, line);)
            if (line.find("ConvertDossierToFNS3") != std::string::npos) failures.push_back(line);
        std::vector<std::pair<std::int64_t, std::int64_t>> failed;
        for (const FailedConversion& f : FailedConversions())
            failed.emplace_back(f.interchange, f.dossier);
        return std::make_tuple(GetFNS3Lines(), failed, failures);
    };
    const auto [besideLines, besideFailed, besideLog] = run(false);
    EXPECT_NE(std::find(platform.statuses.begin(), platform.statuses.end(),
                        "Tests de contenu en cours... dossier 1 / 160"),
              platform.statuses.end());
    const auto [inPlaceLines, inPlaceFailed, inPlaceLog] = run(true);
    EXPECT_GT(besideLines.size(), 900u);
    EXPECT_TRUE(besideLines == inPlaceLines);
    const std::vector<std::pair<std::int64_t, std::int64_t>> expected = {
        {1, 7}, {2, 7}, {2, 57}, {2, 107}};
    EXPECT_EQ(besideFailed, expected);
    EXPECT_EQ(inPlaceFailed, expected);
    ASSERT_EQ(besideLog.size(), 4u);
    EXPECT_EQ(besideLog, inPlaceLog);
}

}  // namespace
}  // namespace trelvane::test

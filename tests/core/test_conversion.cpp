// The conversion command after a test run: the FNS3 file for a file with
// warnings only, the error report otherwise, where and under which names they
// are written, writes that fail, and the records built beside the walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "config/modIOfunctions.h"
#include "conversion/ConversionCommand.h"
#include "conversion/modKTVConversionFunctions.h"
#include "run/modMainFunctions.h"
#include "support/Samples.h"

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Listing(const std::string& dir) {
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(dir, ec))
        out.push_back(fs::relative(e.path(), dir).generic_string());
    std::sort(out.begin(), out.end());
    return out;
}

class Conversion : public ::testing::Test {
  protected:
    void SetUp() override {
        platform.yearCamp = kCampaign;
        base = platform.Directory() + "/sortie";
        fs::create_directory(base);
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
    EXPECT_EQ(first.path, base + "/FNS3/20261205_174538_FNS3.oth");
    EXPECT_EQ(platform.MessageTitlesUtf8(), std::vector<std::string>{"Conversion"});
    EXPECT_EQ(
        platform.MessageTextsUtf8(),
        std::vector<std::string>{"Le fichier converti va être produit dans le dossier 'FNS3'"});
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Information);
    const std::string once = ReadBytes(first.path);
    // The same second: the same file, the lines once.
    EXPECT_EQ(RunConversionCommand("rapport", base).path, first.path);
    EXPECT_EQ(ReadBytes(first.path), once);
    platform.now.second = 39;
    EXPECT_EQ(ReadBytes(RunConversionCommand("rapport", base).path), once);
    EXPECT_EQ(Listing(base), (std::vector<std::string>{"FNS3", "FNS3/20261205_174538_FNS3.oth",
                                                       "FNS3/20261205_174539_FNS3.oth"}));
    // Without a directory of its own, the program's.
    EXPECT_EQ(RunConversionCommand("rapport").path,
              platform.Directory() + "/FNS3/20261205_174539_FNS3.oth");
}

TEST_F(Conversion, ErrorsLeftGiveAnErrorReport) {
    Run("rejets.edi");
    ASSERT_FALSE(IsFileConvertible());
    const ConversionOutcome outcome = RunConversionCommand("rapport", base);
    EXPECT_EQ(outcome.result, ConversionResult::ReportWritten);
    EXPECT_EQ(outcome.path, base + "/CR_Erreurs/174538_05122026_CRErreur.txt");
    EXPECT_EQ(platform.MessageTitlesUtf8(), std::vector<std::string>{"Conversion impossible"});
    EXPECT_EQ(platform.MessageTextsUtf8()[0],
              "La conversion du fichier EDI est impossible car il contient encore des erreurs\r\n"
              "Un compte-rendu d'erreur va être créé dans le répertoire 'CR_Erreurs'");
    // Two reports in one second go into one file, one after the other.
    RunConversionCommand("second", base);
    EXPECT_EQ(ReadBytes(outcome.path), "rapport\r\nsecond\r\n");
    EXPECT_FALSE(fs::exists(base + "/FNS3"));
}

TEST_F(Conversion, FailedWritesLeaveNothingBehind) {
    Run("signalements.edi");
    EXPECT_EQ(RunConversionCommand("rapport", base + "/absent/sous").result,
              ConversionResult::Failed);
    EXPECT_EQ(platform.MessageTextsUtf8()[1],
              "76 - Création du répertoire FNS3 impossible.\r\nLes droit d'écriture sont "
              "peut-être insuffisants.");
    EXPECT_EQ(platform.MessageTextsUtf8().back(),
              "76 - Ecriture du fichier FNS3 impossible\r\nLes droit d'accès sont peut-être "
              "insuffisants.");
    EXPECT_EQ(platform.messages.back().title, W("Erreur en écriture"));
    // The name is taken by a directory: the file cannot be put in place.
    fs::create_directories(base + "/FNS3/20261205_174538_FNS3.oth/dedans");
    EXPECT_EQ(RunConversionCommand("rapport", base).path, "");
    EXPECT_EQ(Listing(base), (std::vector<std::string>{"FNS3", "FNS3/20261205_174538_FNS3.oth",
                                                       "FNS3/20261205_174538_FNS3.oth/dedans"}));
    Run("rejets.edi");
    EXPECT_EQ(RunConversionCommand("rapport", base + "/absent").result, ConversionResult::Failed);
    EXPECT_EQ(platform.MessageTextsUtf8().back(),
              "76 - Ecriture du fichier CRErreur impossible.\r\nLes droit d'accès sont peut-être "
              "insuffisants.");
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

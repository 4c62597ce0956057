// The run driver: its stages as the status line shows them, its trace, and
// what a run with the second profile or an unreadable file leaves.
#include <gtest/gtest.h>

#include <filesystem>

#include "config/modIOfunctions.h"
#include "driver/MainTest.h"
#include "reports/modDisplayFunctions.h"
#include "run/modMainFunctions.h"
#include "support/Samples.h"

namespace trelvane::test {
namespace {

class Driver : public ::testing::Test {
  protected:
    void SetUp() override {
        platform.yearCamp = kCampaign;
        platform.filePath = std::string(TRELVANE_SAMPLES_DIR) + "/rejets.edi";
    }
    ScriptedPlatform platform;
};

TEST_F(Driver, StagesAndTrace) {
    platform.trace = true;
    std::filesystem::create_directory(platform.Directory() + "/logs");
    MainTest();
    std::vector<std::string> stages;
    for (const std::string& s : platform.statuses)
        if (s.ends_with("...")) stages.push_back(U(s));
    EXPECT_EQ(stages, (std::vector<std::string>{
                          "Lecture du fichier EDI...", "Extraction des segments du fichier EDI...",
                          "Tests de syntaxe en cours...", "Tests de contenu en cours...",
                          "Préparation de l'affichage..."}));
    EXPECT_EQ(State().Delimiters, (std::array<std::string, 4>{"'", "+", ":", "?"}));
    EXPECT_EQ(State().Segments.size(), 113u);
    std::vector<std::string> own;
    std::istringstream log(ReadBytes(CurrentTraceFilePath()));
    for (std::string line; std::getline(log, line);)
        if (line.find("[modMainFunctions >> MainTest]") != std::string::npos)
            own.push_back(line.substr(line.find(']') + 30));
    EXPECT_EQ(own, (std::vector<std::string>{std::string(59, '-') + "\r",
                                             "DEBUT DES TESTS DE " + platform.filePath + "\r",
                                             "FIN DES TESTS OK POUR " + platform.filePath + "\r",
                                             std::string(59, '-') + "\r"}));
}

// The second profile runs no check: the results of an earlier run are not
// left to be shown as if they were this file's.
TEST_F(Driver, ProfilesAndUnreadableFiles) {
    MainTest();
    EXPECT_EQ(State().Withheld, WithheldReason::None);
    ASSERT_GT(State().ContentErrors.size(), 1u);
    platform.profileIndex = 1;
    platform.filePath = platform.Directory() + "/autre.edi";
    WriteBytes(platform.filePath, "AAA'BBB'");
    MainTest();
    EXPECT_EQ(State().Segments.ToStringList(), (StringList{"AAA", "BBB"}));
    EXPECT_TRUE(State().SyntaxErrors.empty());
    EXPECT_TRUE(State().ContentErrors.empty());
    EXPECT_TRUE(State().DossierInfo.empty());
    EXPECT_EQ(State().Withheld, WithheldReason::NotChecked);
    EXPECT_EQ(U(CurrentReportPanes().content->PlainText()),
              "\r\nAucun contrôle n'est fait avec ce profil de test.");
    platform.profileIndex = -1;  // no profile chosen: the checks run
    MainTest();
    EXPECT_EQ(State().SyntaxErrors, (StringList{"[Base_N0]", "007,0"}));
    EXPECT_EQ(State().ContentErrors, StringList{"[Contenu]"});
    platform.filePath = platform.Directory() + "/absent.edi";
    MainTest();
    EXPECT_TRUE(State().Segments.empty());
    EXPECT_EQ(platform.MessageTitlesUtf8(),
              std::vector<std::string>{"Lecture du fichier impossible"});
}

// Failures met along the run are gathered into one box that counts them.
TEST_F(Driver, UnexpectedFailuresCountedInOneBox) {
    Groups groups;
    for (int k = 0; k < 1234; ++k)
        groups.Add("KTVECE", 0, "0010", "MOA", {"MOA+203:150.00"});
    platform.filePath = platform.Directory() + "/points.edi";
    WriteBytes(platform.filePath, FileText(Envelope({Dossier(1, groups)})));
    MainTest();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(U(platform.messages[0].text)
                    .ends_with("En tout, 1 234 erreurs inattendues se sont produites pendant les "
                               "tests ; le rapport de contenu les liste sous le code 777."));
}

}  // namespace
}  // namespace trelvane::test

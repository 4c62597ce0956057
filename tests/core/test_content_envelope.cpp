// The content check driver (dispatch, element counts, dossier numbering,
// status line) and the rule sets of the interchange and message envelope.
#include <gtest/gtest.h>

#include <string>

#include "config/Cp1252.h"
#include "content/modKTVContentChecker.h"
#include "run/modMainFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"
#include "syntax/modKTVSpecifications.h"

namespace trelvane {
namespace {

using test::ScriptedPlatform;
using test::W;

SegmentList Segs(const std::vector<std::string>& texts) {
    SegmentList list;
    for (const auto& t : texts)
        list.push_back(t);
    return list;
}

// The driver names segments with the structure module's qualifier.
bool QualifierAvailable() {
    QualifyCounters c;
    std::string tag = "UNH";
    QualifySegmentTag(tag, c);
    return c.message == 1;
}

class ContentDriver : public ::testing::Test {
  protected:
    void SetUp() override { State().Delimiters = {"'", "+", ":", "?"}; }
    ScriptedPlatform platform;
};

TEST_F(ContentDriver, EmptyFileGivesHeaderOnly) {
    SegmentList segments;
    EXPECT_EQ(ManageCContentKTV(segments), StringList{"[Contenu]"});
}

TEST_F(ContentDriver, ElementCountErrorsSkipTheRuleSet) {
    // UNB with 9 data elements, UNA with 2, BGM with 4 (the BGM is in dossier 0
    // here since no UNH precedes it); FOO is no segment of the message.
    SegmentList segments = Segs({"UNA:+,? +X", "UNB+UNOC:3+S+R+251215:1030+REF++++",
                                 "BGM+KTV::ZZ+DOC+9+1", "FOO+1", "UNZ+1"});
    const StringList errors = ManageCContentKTV(segments);
    ASSERT_EQ(errors.size(), 5u);
    EXPECT_EQ(errors[1], "0,1 attendue(s).,ERR,0,402");
    EXPECT_EQ(errors[2], "1,10 ou 11 attendue(s).,ERR,0,402");
    EXPECT_EQ(errors[3], "2,2 ou 3 attendue(s).,ERR,0,402");
    EXPECT_EQ(errors[4], "4,2 attendue(s).,ERR,0,402");
}

TEST_F(ContentDriver, StatusAtEachUnhAndNumberingPerInterchange) {
    if (!QualifierAvailable()) GTEST_SKIP() << "segment qualifier not available yet";
    SegmentList segments =
        Segs({"UNA:+,? ", "UNH", "UNT", "UNH", "UNT", "UNZ", "UNA:+,? ", "UNH", "UNT", "UNZ"});
    const StringList errors = ManageCContentKTV(segments);
    std::vector<std::string> progress;
    for (const auto& s : platform.statuses)
        if (s.rfind("Tests de contenu", 0) == 0) progress.push_back(s);
    ASSERT_EQ(progress.size(), 3u);
    EXPECT_EQ(progress[0], W("Tests de contenu en cours...(dossier n°1)"));
    EXPECT_EQ(progress[1], W("Tests de contenu en cours...(dossier n°2)"));
    EXPECT_EQ(progress[2], W("Tests de contenu en cours...(dossier n°1)"));
    // Every UNH, UNT and UNZ lacks its elements: the records carry the dossier.
    ASSERT_EQ(errors.size(), 9u);
    EXPECT_EQ(errors[1], "1,2 attendue(s).,ERR,1,402");
    EXPECT_EQ(errors[4], "4,2 attendue(s).,ERR,2,402");
    EXPECT_EQ(errors[5], "5,2 attendue(s).,ERR,2,402");
    EXPECT_EQ(errors[6], "7,2 attendue(s).,ERR,1,402");
}

}  // namespace
}  // namespace trelvane

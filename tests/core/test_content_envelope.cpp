// The content check driver (dispatch, element counts, dossier numbering,
// status line) and the rule sets of the interchange and message envelope.
#include <gtest/gtest.h>

#include <string>

#include "config/Cp1252.h"
#include "content/modKTVContentChecker.h"
#include "content/modKTVContentENT1.h"
#include "conversion/modKTVConversionFunctions.h"
#include "run/modMainFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"
#include "syntax/modKTVSpecifications.h"

namespace trelvane {
namespace {

using test::ScriptedPlatform;
using test::W;

SegmentTexts Segs(const std::vector<std::string>& texts) {
    SegmentTexts list;
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
    void SetUp() override {
        State().Delimiters = {"'", "+", ":", "?"};
        platform.yearCamp = "2025";  // the campaign of the sample's declarations
    }
    ScriptedPlatform platform;
};

TEST_F(ContentDriver, EmptyFileGivesHeaderOnly) {
    SegmentTexts segments;
    EXPECT_EQ(ManageCContentKTV(segments), StringList{"[Contenu]"});
}

TEST_F(ContentDriver, ElementCountErrorsSkipTheRuleSet) {
    // UNB with 9 data elements, UNA with 2, BGM with 4 (the BGM is in dossier 0
    // here since no UNH precedes it); FOO is no segment of the message.
    SegmentTexts segments = Segs({"UNA:+,? +X", "UNB+UNOC:3+S+R+251215:1030+REF++++",
                                  "BGM+KTV::ZZ+DOC+9+1", "FOO+1", "UNZ+1"});
    const StringList errors = ManageCContentKTV(segments);
    ASSERT_EQ(errors.size(), 5u);
    EXPECT_EQ(errors[1], "0,1 attendue(s).,ERR,0,402");
    EXPECT_EQ(errors[2], "1,10 ou 11 attendue(s).,ERR,0,402");
    EXPECT_EQ(errors[3], "2,2 ou 3 attendue(s).,ERR,0,402");
    EXPECT_EQ(errors[4], "4,2 attendue(s).,ERR,0,402");
}

// The walk counts a segment's elements on the cut its rule set then uses: a
// released separator is one element for both, and the segment is rewritten
// only when its rule set runs.
TEST_F(ContentDriver, ReleasedSeparatorCountedAndCutOnce) {
    if (!QualifierAvailable()) GTEST_SKIP() << "segment qualifier not available yet";
    SetFacChecksEnabled(true);
    SegmentTexts segments = Segs({
        "UNA:+,? ",
        "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+REF00000001+++++KTV001",
        "UNH+1+KTV:D:00B:UN:KTV001",
        "BGM+KTV::ZZ+DOC0001",
        "DTM+137:20251215:102",
        "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT?+FILS+12 RUE DES LILAS+PARIS++75001+FR",
        "NAD+MR+CSEKTV:ZZ:ZZ",
        "NAD+EM+EMP00001:ZZ:ZZ++SOCIETE MARTIN+3 AVENUE FOCH+LYON++69001+FR",
        "NAD+DT+1750175123456:ZZ:ZZ++DURAN:DURAND JEAN+8 PLACE BELLECOUR+LYON++69002+FR",
        "SEQ++1",
        "IND++KTVECE  250000000010MOA",
        "MOA+203:15000",
        "SEQ++2",
        "IND++KTVECE  250000000055MOA",
        "MOA+203:15000",
        "UNT+14+1",
        "UNZ+1+REF00000001",
        // Too many elements once the released one is counted as one: the
        // count fails, no rule set runs, the text stays as it was.
        "UNZ+1?+2+3+4",
    });
    const StringList errors = ManageCContentKTV(segments);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[1], "17,2 attendue(s).,ERR,1,402");
    EXPECT_EQ(segments[5],
              "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+FILS+12 RUE DES LILAS+PARIS++75001+FR");
    EXPECT_EQ(segments[17], "UNZ+1?+2+3+4");
    EXPECT_EQ(Doss(0, 5, 1, 4, 0), "CABINET DUPONT+FILS");
    EXPECT_TRUE(FailedConversions().empty());
}

TEST_F(ContentDriver, StatusAtEachUnhAndNumberingPerInterchange) {
    if (!QualifierAvailable()) GTEST_SKIP() << "segment qualifier not available yet";
    SegmentTexts segments =
        Segs({"UNA:+,? ", "UNH", "UNT", "UNH", "UNT", "UNZ", "UNA:+,? ", "UNH", "UNT", "UNZ"});
    const StringList errors = ManageCContentKTV(segments);
    std::vector<std::string> progress;
    for (const auto& s : platform.statuses)
        if (s.rfind("Tests de contenu", 0) == 0) progress.push_back(s);
    ASSERT_EQ(progress.size(), 3u);
    EXPECT_EQ(progress[0], "Tests de contenu en cours... dossier 1 / 3");
    EXPECT_EQ(progress[1], "Tests de contenu en cours... dossier 2 / 3");
    EXPECT_EQ(progress[2], "Tests de contenu en cours... dossier 3 / 3");
    // Every UNH, UNT and UNZ lacks its elements: the records carry the dossier.
    ASSERT_EQ(errors.size(), 9u);
    EXPECT_EQ(errors[1], "1,2 attendue(s).,ERR,1,402");
    EXPECT_EQ(errors[4], "4,2 attendue(s).,ERR,2,402");
    EXPECT_EQ(errors[5], "5,2 attendue(s).,ERR,2,402");
    EXPECT_EQ(errors[6], "7,2 attendue(s).,ERR,1,402");
}

}  // namespace
}  // namespace trelvane

namespace trelvane {
namespace {

// The valid sample, segment by segment (index in the comment).
std::vector<std::string> ValidInterchange() {
    return {
        "UNA:+,? ",  // 0
        "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+REF00000001+++++KTV001",
        "UNH+1+KTV:D:00B:UN:KTV001",                                               // 2
        "BGM+KTV::ZZ+DOC0001",                                                     // 3
        "DTM+137:20251215:102",                                                    // 4
        "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS++75001+FR",  // 5
        "NAD+MR+CSEKTV:ZZ:ZZ",                                                     // 6
        "NAD+EM+EMP00001:ZZ:ZZ++SOCIETE MARTIN+3 AVENUE FOCH+LYON++69001+FR",      // 7
        "NAD+DT+1750175123456:ZZ:ZZ++DURAN:DURAND JEAN+8 PLACE BELLECOUR+LYON++69002+FR",
        "SEQ++1",  // 9
        "IND++KTVECE  250000000010MOA",
        "MOA+203:15000",
        "SEQ++2",
        "IND++KTVECE  250000000055MOA",
        "MOA+203:15000",
        "UNT+14+1",           // 15
        "UNZ+1+REF00000001",  // 16
    };
}

constexpr std::size_t kUNB = 1, kUNH = 2, kBGM = 3, kUNT = 15, kUNZ = 16;

// The records of one segment.
StringList Of(const StringList& records, std::size_t index) {
    StringList out;
    const std::string prefix = std::to_string(index) + ",";
    for (const auto& r : records)
        if (r.rfind(prefix, 0) == 0) out.push_back(r);
    return out;
}

class Envelope : public ::testing::Test {
  protected:
    void SetUp() override {
        State().Delimiters = {"'", "+", ":", "?"};
        platform.yearCamp = "2025";  // the campaign of the sample's declarations
    }

    StringList Run(const std::vector<std::string>& texts) {
        segments = Segs(texts);
        const StringList errors = ManageCContentKTV(segments);
        return StringList(errors.begin() + 1, errors.end());
    }
    StringList RunWith(std::size_t index, const std::string& text) {
        auto texts = ValidInterchange();
        texts[index] = text;
        return Run(texts);
    }

    ScriptedPlatform platform;
    SegmentTexts segments;
};

TEST_F(Envelope, ValidSampleIsCleanAndStored) {
    SaveInterchData(2, 11, 0, "");
    EXPECT_EQ(Run(ValidInterchange()), StringList{});
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Inte(1, 0, 0), "UNA:");
    EXPECT_EQ(Inte(2, 1, 0), "UNOC");
    EXPECT_EQ(Inte(2, 1, 1), "3");
    EXPECT_EQ(Inte(2, 2, 0), "SENDER01");
    EXPECT_EQ(Inte(2, 2, 2), "ROUTE");
    EXPECT_EQ(Inte(2, 3, 0), "CSEKTV");
    EXPECT_EQ(Inte(2, 4, 0), "251215");
    EXPECT_EQ(Inte(2, 4, 1), "1030");
    EXPECT_EQ(Inte(2, 5, 0), "REF00000001");
    EXPECT_EQ(Inte(2, 10, 0), "KTV001");
    EXPECT_EQ(Inte(2, 11, 0), "R");  // no test indicator: a real interchange
    EXPECT_EQ(Inte(3, 1, 0), "1");
    EXPECT_EQ(Inte(3, 2, 0), "REF00000001");
    EXPECT_EQ(Doss(0, 1, 1, 1, 1), "1");
    EXPECT_EQ(Doss(0, 1, 1, 2, 0), "KTV");
    EXPECT_EQ(Doss(0, 1, 1, 2, 4), "KTV001");
    EXPECT_EQ(Doss(0, 2, 1, 1, 0), "KTV");
    EXPECT_EQ(Doss(0, 2, 1, 1, 1), "");
    EXPECT_EQ(Doss(0, 2, 1, 1, 2), "ZZ");
    EXPECT_EQ(Doss(0, 2, 1, 2, 0), "DOC0001");
    EXPECT_EQ(Doss(0, 2, 1, 3, 0), " ");
    EXPECT_FALSE(BgmFunctionPresent());
    EXPECT_EQ(Doss(0, 3, 1, 1, 0), "14");
    EXPECT_EQ(Doss(0, 3, 1, 2, 0), "1");
    EXPECT_EQ(CurrentInterchangeReference(), "REF00000001");
    EXPECT_EQ(CurrentMessageReference(), "1");
}

TEST_F(Envelope, ServiceStringAdvice) {
    SaveInterchData(1, 0, 0, "");
    EXPECT_EQ(RunWith(0, "UNA:+.? "), StringList{"0,;? ,d1,0,008"});
    EXPECT_EQ(Inte(1, 0, 0), "UNA:");
    SaveInterchData(1, 0, 0, "");
    EXPECT_EQ(RunWith(0, "UNA;+,? "), StringList{"0,UNA:,d0,0,008"});
    EXPECT_EQ(Inte(1, 0, 0), "");
}

TEST_F(Envelope, InterchangeHeaderDateAndTime) {
    const std::string head = "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+";
    const std::string tail = "+REF00000001+++++KTV001";
    EXPECT_EQ(RunWith(kUNB, head + "251315:1030" + tail), StringList{"1,AAMMJJ,d4:0,0,415"});
    EXPECT_EQ(RunWith(kUNB, head + "251231:2359" + tail), StringList{});
    EXPECT_EQ(RunWith(kUNB, head + "240229:0000" + tail), StringList{});
    EXPECT_EQ(RunWith(kUNB, head + "250229:0000" + tail), StringList{"1,AAMMJJ,d4:0,0,415"});
    EXPECT_EQ(RunWith(kUNB, head + "251215:1060" + tail), StringList{"1,,d4:1,0,414"});
    EXPECT_EQ(RunWith(kUNB, head + "251215:2400" + tail), StringList{"1,,d4:1,0,414"});
    // Letters: the format check speaks, the time rule stays silent.
    EXPECT_EQ(RunWith(kUNB, head + "251215:AB30" + tail),
              StringList{"1," + W("Numérique Attendu") + ",d4:1,0,800"});
    // A date that fails its format still goes through the date rule.
    EXPECT_EQ(RunWith(kUNB, head + "2513:1030" + tail),
              (StringList{"1,6,d4:0,0,080", "1,AAMMJJ,d4:0,0,415"}));
    // A composite of the wrong size gets no rule on its components.
    EXPECT_EQ(RunWith(kUNB, head + "251315" + tail), StringList{"1,2 attendue(s).,l4,0,404"});
    EXPECT_EQ(RunWith(kUNB, head + tail), StringList{"1,2 attendue(s).,l4,0,404"});
}

TEST_F(Envelope, InterchangeHeaderElements) {
    // Syntax identifier of three components: one record, no format check.
    EXPECT_EQ(RunWith(kUNB,
                      "UNB+UNOX:3:9+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+"
                      "REF00000001+++++KTV001"),
              StringList{"1,2 attendue(s).,l1,0,404"});
    EXPECT_EQ(RunWith(kUNB,
                      "UNB+UNOX:4+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+"
                      "REF00000001+++++KTV001"),
              (StringList{"1,UNOC,d1:0,0,008", "1,3,d1:1,0,008"}));
    // The sender is checked without its padding and stored as received.
    EXPECT_EQ(RunWith(kUNB,
                      "UNB+UNOC:3+  SENDER0123456  :ZZ:ROUTE+CSEKTV:ZZ:ROUTE+"
                      "251215:1030+REF00000001+++++KTV001"),
              StringList{});
    EXPECT_EQ(Inte(2, 2, 0), "  SENDER0123456  ");
    // Elements 6 to 9 must stay empty.
    EXPECT_EQ(RunWith(kUNB,
                      "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+"
                      "REF00000001++X+++KTV001"),
              StringList{"1,,l7,0,445"});
    // Test indicator: a valid one stores "T", a wrong one nothing.
    EXPECT_EQ(RunWith(kUNB,
                      "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+"
                      "REF00000001+++++KTV001+1"),
              StringList{});
    EXPECT_EQ(Inte(2, 11, 0), "T");
    SaveInterchData(2, 11, 0, "");
    EXPECT_EQ(RunWith(kUNB,
                      "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+"
                      "REF00000001+++++KTV001+2"),
              StringList{"1,1,d11,0,008"});
    EXPECT_EQ(Inte(2, 11, 0), "");
    // Communications agreement with components.
    EXPECT_EQ(RunWith(kUNB,
                      "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+"
                      "REF00000001+++++KTV:001"),
              StringList{"1,,d10,0,444"});
}

TEST_F(Envelope, NegativeHourStopsTheUnbRuleSet) {
    RunWith(kUNB,
            "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+REF00000001+++++KTV001");
    ASSERT_EQ(CurrentInterchangeReference(), "REF00000001");
    platform.messages.clear();
    // "-130" passes its numeric format; its hour cannot be held. The rest of
    // the UNB is not checked (no 445 for element 7) and its reference is not
    // taken, so the UNZ compares with the previous one and agrees.
    const StringList records = RunWith(
        kUNB, "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:-130+OTHERREF++X+++KTV001");
    EXPECT_EQ(records, StringList{"1,!6!,d4,0,777"});
    EXPECT_EQ(CurrentInterchangeReference(), "REF00000001");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, W("Erreur non gérée"));
    EXPECT_EQ(platform.messages[0].text,
              W("6 : Une erreur inattendue s'est produite sur un segment UNB dans le "
                "dossier n°0"));
}

TEST_F(Envelope, MessageReferences) {
    auto texts = ValidInterchange();
    // A second message whose reference is 3, its UNT saying 4.
    std::vector<std::string> second(texts.begin() + 2, texts.begin() + 16);
    second.front() = "UNH+3+KTV:D:00B:UN:KTV001";
    second.back() = "UNT+14+4";
    second[6] = "NAD+DT+1750175123457:ZZ:ZZ++DURAN:DURAND JEAN+8 PLACE BELLECOUR+LYON++69002+FR";
    texts.insert(texts.begin() + 16, second.begin(), second.end());
    texts.back() = "UNZ+2+REF00000001";
    const StringList records = Run(texts);
    EXPECT_EQ(records, (StringList{"16,,d1,2,405", "29,3,d2,2,417"}));

    // Not a number: no rank rule, only the format check.
    EXPECT_EQ(RunWith(kUNH, "UNH+A1+KTV:D:00B:UN:KTV001"),
              (StringList{"2," + W("Numérique Attendu") + ",d1,1,800", "15,A1,d2,1,417"}));
    EXPECT_EQ(CurrentMessageReference(), "A1");
    EXPECT_EQ(RunWith(kUNH, "UNH+1+KTV:D:00B:UN"), StringList{"2,5 attendue(s).,l2,1,404"});
    EXPECT_EQ(RunWith(kUNH, "UNH+1+KTW:D:00A:UN:KTV001"),
              (StringList{"2,KTV,d2:0,1,008", "2,00B,d2:2,1,008"}));
    EXPECT_EQ(Doss(0, 1, 1, 2, 0), "");
    EXPECT_EQ(Doss(0, 1, 1, 2, 1), "D");
}

TEST_F(Envelope, BeginningOfMessage) {
    EXPECT_EQ(RunWith(kBGM, "BGM+KTV:X:ZZ+DOC0001"), StringList{"3,,d1:1,1,445"});
    EXPECT_EQ(Doss(0, 2, 1, 1, 0), "KTV");
    EXPECT_EQ(Doss(0, 2, 1, 1, 2), "ZZ");
    EXPECT_EQ(RunWith(kBGM, "BGM+KTV:ZZ+DOC0001"), StringList{"3,3 attendue(s).,l1,1,404"});
    EXPECT_EQ(Doss(0, 2, 1, 1, 0), "");

    // With a message function the declaration must be the end marker: the
    // detail rules speak about the INDs, the BGM itself is sound.
    EXPECT_EQ(Of(RunWith(kBGM, "BGM+KTV::ZZ+DOC0001+9"), kBGM), StringList{});
    EXPECT_TRUE(BgmFunctionPresent());
    EXPECT_EQ(Doss(0, 2, 1, 3, 0), "O");
    EXPECT_EQ(Of(RunWith(kBGM, "BGM+KTV::ZZ+DOC0001+ABCD"), kBGM), StringList{"3,3,d3,1,080"});
    EXPECT_TRUE(BgmFunctionPresent());  // present, whatever its check gave
    EXPECT_EQ(Doss(0, 2, 1, 3, 0), "");
    EXPECT_EQ(RunWith(kBGM, "BGM+KTV::ZZ+" + std::string(36, 'D')), StringList{"3,35,d2,1,080"});
    EXPECT_FALSE(BgmFunctionPresent());
    EXPECT_EQ(Doss(0, 2, 1, 2, 0), "");
    EXPECT_EQ(Doss(0, 2, 1, 3, 0), " ");
}

TEST_F(Envelope, MessageTrailer) {
    EXPECT_EQ(RunWith(kUNT, "UNT+14+2"), StringList{"15,1,d2,1,417"});
    EXPECT_EQ(Doss(0, 3, 1, 2, 0), "2");
    EXPECT_EQ(RunWith(kUNT, "UNT+1A+1"), StringList{"15," + W("Numérique Attendu") + ",d1,1,800"});
    EXPECT_EQ(Doss(0, 3, 1, 1, 0), "");
    EXPECT_EQ(RunWith(kUNT, "UNT+14"), StringList{"15,2 attendue(s).,ERR,1,402"});
}

TEST_F(Envelope, InterchangeTrailer) {
    EXPECT_EQ(RunWith(kUNZ, "UNZ+2+REF00000001"), StringList{"16,1,d1,1,413"});
    EXPECT_EQ(Inte(3, 1, 0), "2");
    EXPECT_EQ(RunWith(kUNZ, "UNZ+1+REF2"), StringList{"16,REF00000001,d2,1,418"});
    EXPECT_EQ(Inte(3, 2, 0), "REF2");
    // A reference holding a comma is shown with ";".
    EXPECT_EQ(RunWith(kUNB,
                      "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+"
                      "REF,1+++++KTV001"),
              StringList{"16,REF;1,d2,1,418"});

    // A count that is no number stops the rule set.
    EXPECT_EQ(RunWith(kUNZ, "UNZ+X+REF2"),
              (StringList{"16," + W("Numérique Attendu") + ",d1,1,800", "16,!13!,d1,1,777"}));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(platform.messages[0].text,
              W("13 : Une erreur inattendue s'est produite sur un segment UNZ dans le "
                "dossier n°1"));
}

TEST_F(Envelope, UnnamedSegmentsAreNotChecked) {
    auto texts = ValidInterchange();
    // A second DTM in a detail group is DTM3 and a sixth NAD is NAD6: no node,
    // no check. The fifth NAD (NAD5) is checked, and lacks its elements.
    texts.insert(texts.begin() + 12, {"DTM+194:20251215:102", "DTM"});
    texts.insert(texts.begin() + 9, {"NAD", "NAD"});
    EXPECT_EQ(Run(texts), StringList{"9,4 attendue(s).,ERR,1,402"});
}

TEST_F(Envelope, UnexpectedFailuresOfEachRuleSet) {
    // Segments handed over without their element count check.
    SegmentTexts list;
    StringList errors{"[Contenu]"};
    SegmentContext ctx{errors, list, 0, 4, {}, {}, -1, {}};
    struct Case {
        const char* segment;
        void (*rule)(SegmentContext&);
        const char* record;
        const char* name;
    };
    const Case cases[] = {{"UNA:", Traite_UNA, "0,!9!,d1,4,777", "UNA"},
                          {"UNB+UNOC:3", Traite_UNB, "1,!9!,d2,4,777", "UNB"},
                          {"UNH", Traite_UNH, "2,!9!,d1,4,777", "UNH"},
                          {"BGM+KTV::ZZ", Traite_BGM, "3,!9!,d2,4,777", "BGM"},
                          {"UNT+14", Traite_UNT, "4,!9!,d2,4,777", "UNT"},
                          {"UNZ+4", Traite_UNZ, "5,!9!,d2,4,777", "UNZ"}};
    for (const Case& c : cases) {
        list.push_back(c.segment);
        ctx.index = static_cast<std::int64_t>(list.size()) - 1;
        c.rule(ctx);
        EXPECT_EQ(errors.back(), c.record) << c.segment;
        EXPECT_EQ(platform.messages.back().text,
                  W("9 : Une erreur inattendue s'est produite sur un segment ") + c.name +
                      W(" dans le dossier n°4"));
    }
    EXPECT_EQ(platform.messages.size(), 6u);
}

TEST_F(Envelope, ThreeMessagesCountedTwo) {
    auto texts = ValidInterchange();
    std::vector<std::string> message(texts.begin() + 2, texts.begin() + 16);
    for (int k = 2; k <= 3; ++k) {
        message.front() = "UNH+" + std::to_string(k) + "+KTV:D:00B:UN:KTV001";
        message.back() = "UNT+14+" + std::to_string(k);
        message[6] = "NAD+DT+175017512345" + std::to_string(k) +
                     ":ZZ:ZZ++DURAN:DURAND JEAN+8 PLACE BELLECOUR+LYON++69002+FR";
        texts.insert(texts.end() - 1, message.begin(), message.end());
    }
    texts.back() = "UNZ+2+REF00000001";
    EXPECT_EQ(Run(texts), StringList{"44,3,d1,3,413"});
}

}  // namespace
}  // namespace trelvane

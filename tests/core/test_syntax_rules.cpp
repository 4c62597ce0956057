// The syntax checks, one case a line: the envelope check, then the walk of
// the segments against the message structure. Records are joined by " | "
// after the list's header.
#include <gtest/gtest.h>

#include "support/Samples.h"

namespace trelvane::test {
namespace {

void ExpectSyntax(const std::string& what, const Segs& segs, const char* expected) {
    EXPECT_EQ(SyntaxRecords(segs), expected) << what;
}

class SyntaxRules : public ::testing::Test {
  protected:
    ScriptedPlatform platform;
};

// Files too short or without their first segments.
const std::pair<Segs, const char*> kEnvelopes[] = {{{}, "[Base_N0] | 007,0"},
                                                   {{"UNA:+,? "}, "[Base_N0] | 007,0"},
                                                   {{"XXX", "YYY"}, "[Base_N0] | 007,0"},
                                                   {{"UNB", "BGM", "NAD"}, "[Base_N0] | 003,0"}};

// Counts are the sender's: the sample changed as it is.
const Change kCounts[] = {
    {kUNA, "", "", "[Base_N0] | 003,0"},
    {kUNA, "", "una:+,? ", "[Base_N0] | 003,0"},
    {kUNB, "", "UNH+1", "[Base_N0] | 004,1"},
    {kUNZ, "", "", "[Base_N0] | 005,15"},
    {kUNZ, "", "UNX+1", "[Base_N0] | 005,16"},
    {kUNT, "14", "13", "[Branchement] | 15,14,400"},
    {kUNT, "14", "1A", "[Branchement] | 15,14,400"},
    {kUNT, "14+", "", "[Branchement] | 15,14,400"},
    {kUNT, "+14+1", "", "[Branchement] | 15,14,400"},
    {kUNZ, "1+", "2+", "[Branchement] | 16,1,401"},
    {kUNZ, "+REF00000001", "", "[Branchement]"},
    {kUNZ, "1+", "X+", "[Branchement] | 16,1,401"},
    {kUNZ, "+1+REF00000001", "", "[Branchement] | 16,1,401"},
    {kUNZ, "1+", "10+", "[Branchement] | 16,1,401"},
};

// The structure: the changed sample with its counts made right again.
const Change kStructure[] = {
    {kDTM, "", "", "[Branchement] | 4,DTM,100"},
    {kUNH, "", "", "[Branchement] | 2,UNH,100 | 14,14,400 | 15,1,401"},
    {kIND2, "", "", "[Branchement] | 13,IND,100"},
    {kDTM, "", "DTM+137:20251215:102'DTM+137:20251215:102", "[Branchement] | 5,DTM,900"},
    {kMOA1, "", "MOA+203:1'XYZ+1", "[Branchement] | 12,XYZ,901"},
    {kMOA1, "", "MOA+203:1'CAV+A'A,B+1", "[Branchement] | 12,CAV,900 | 13,A B,901"},
    {kNAD2, "", "NAD+MR+CSEKTV:ZZ:ZZ'RFF+AHZ:REF1", "[Branchement]"},
    {kNAD4, "", "NAD+DT+1750175123456:ZZ'RFF+ABC:REF2", "[Branchement]"},
    {kNAD3, "", "RFF+AHZ:REF1'NAD+EM+X", "[Branchement]"},
    {kMOA2, "", "FTX+AAA+++TEXTE LIBRE", "[Branchement] | 14,MOA,002"},
    {kIND2, "0055MOA", "0055ABC", "[Branchement] | 13,ABC,001"},
    {kIND2, "", "IND++KTV,XY", "[Branchement] | 13, XY,001"},
    {kIND2, "MOA", "PCD", "[Branchement] | 14,PCD,002"},
    {kIND2, "MOA", "ZZZ", "[Branchement] | 14,UNT,002"},
    {kUNZ, "",
     "UNZ+1+REF00000001'UNA:+,? '"
     "UNB+UNOC:3+S:ZZ+R:ZZ+251215:1030+R2'UNZ+0+R2",
     "[Branchement] | 19,UNZ,900"},
};

TEST_F(SyntaxRules, EnvelopeAndCounts) {
    for (const auto& [segs, records] : kEnvelopes)
        ExpectSyntax(std::to_string(segs.size()) + " segments", segs, records);
    for (const Change& c : kCounts)
        ExpectSyntax(std::to_string(c.at) + " " + c.from + " -> " + c.to, Changed(c), c.records);
}

TEST_F(SyntaxRules, Structure) {
    for (const Change& c : kStructure)
        ExpectSyntax(std::to_string(c.at) + " " + c.from + " -> " + c.to, Recount(Changed(c)),
                     c.records);
}

// Detail groups of every kind in place of the sample's.
const std::pair<const char*, const char*> kGroups[] = {
    {"SEQ++1'IND++KTVECE  250000000020RFF'RFF+ACD:X'SEQ++2'IND++KTVECE  250000000023CCI'"
     "CCI+++KTV'CAV+A'SEQ++3'IND++KTVECE  250000000022FTX'FTX+AAA+++TEXTE'SEQ++4'"
     "IND++KTVECE  250000000021DTM'DTM+194:20250101:102'SEQ++5'IND++KTVECE  250000000051PCD'"
     "PCD+1:12,5'SEQ++6'IND++KTVECE  250000000050NAD'NAD+ZZ+X'SEQ++7'"
     "IND++KTVECE  250000000000ZZZ'",
     "[Branchement]"},
    {"SEQ++1'IND++KTVECE  250000000000ZZZ'SEQ++2'IND++KTVECE  250000000010MOA'MOA+203:1'",
     "[Branchement] | 11,UNT,100"},
    {"SEQ++1'IND++KTVECE  250000000051PCD'CAV+A'", "[Branchement] | 11,PCD,100"},
    {"SEQ++1'IND++KTVECE  250000000010MOA'XYZ+1'MOA+203:1'", "[Branchement] | 11,XYZ,901"},
    {"SEQ++1'IND++KTVECE  250000000010MOA'XYZ+1'FTX+AAA'",
     "[Branchement] | 11,XYZ,901 | 12,MOA,002"},
    {"SEQ++1'IND++KTVECE  250000000010MOA'CAV+A'FTX+AAA'ABC'",
     "[Branchement] | 11,MOA,100 | 12,FTX,900 | 13,ABC,901"},
    {"SEQ++1'MOA+203:1'", "[Branchement] | 10,IND,100"},
};

TEST_F(SyntaxRules, DetailGroups) {
    for (const auto& [groups, records] : kGroups)
        ExpectSyntax(groups, WithGroups(groups), records);
}

Segs Moas(int groups) {
    Groups g;
    for (int k = 0; k < groups; ++k)
        g.Add("KTVECE", 0, "0010", "MOA", {"MOA+203:1"});
    return Dossier(1, g);
}

// A message of fewer than ten segments is always reported; from a hundred on
// the count is read over its own digits.
TEST_F(SyntaxRules, CountsOfEverySize) {
    Segs nine = WithGroups("SEQ++1'IND++KTVECE  250000000000ZZZ'");
    ExpectSyntax("ten", nine, "[Branchement]");
    nine.erase(nine.begin() + kDTM);
    ExpectSyntax("nine", Recount(nine), "[Branchement] | 4,DTM,100 | 10,9,400");
    const Segs big = Envelope({Moas(31)});
    ExpectSyntax("101", big, "[Branchement]");
    ExpectSyntax("101 as 10", With(big, big.size() - 2, "UNT+10+1"), "[Branchement] | 102,101,400");
    const Segs huge = Envelope({Moas(400)});
    ExpectSyntax("1208", huge, "[Branchement]");
    ExpectSyntax("1208 as 1209", With(huge, huge.size() - 2, "UNT+1209+1"),
                 "[Branchement] | 1209,1208,400");
    ExpectSyntax("1208 as 120", With(huge, huge.size() - 2, "UNT+120+1"),
                 "[Branchement] | 1209,1208,400");
    std::vector<Segs> hundred;
    for (int k = 1; k <= 100; ++k)
        hundred.push_back(Dossier(k));
    const Segs many = Envelope(hundred);
    ExpectSyntax("100 messages", With(many, many.size() - 1, "UNZ+7+REF"), "[Branchement]");
    // Two interchanges: the count starts again after UNA, records come in
    // segment order.
    Segs two = Envelope({Dossier(1), Dossier(2)});
    const std::size_t unz = two.size() - 1;
    two = Insert(two, two.size(), Envelope());
    ExpectSyntax("two", two, "[Branchement]");
    two[unz] = "UNZ+3+REF";
    two.back() = "UNZ+2+REF";
    two.erase(two.begin() + static_cast<std::ptrdiff_t>(unz + 5));
    ExpectSyntax("two with faults", Recount(two), "[Branchement] | 35,DTM,100");
}

TEST_F(SyntaxRules, ProgressEveryFiveHundredSegments) {
    ExpectSyntax("1211", Envelope({Moas(400)}), "[Branchement]");
    EXPECT_EQ(platform.statuses, (std::vector<std::string>{"Test de syntaxe en cours...(41%)",
                                                           "Test de syntaxe en cours...(83%)"}));
}
}  // namespace
}  // namespace trelvane::test

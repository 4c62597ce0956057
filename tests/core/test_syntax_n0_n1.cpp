// The envelope check N0 and the branching walk N1 on interchanges built from
// the segments of the valid sample, each broken in one known way.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "config/Cp1252.h"
#include "config/modIOfunctions.h"
#include "run/SegmentTexts.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"
#include "syntax/modKTVSyntaxChecker.h"

namespace trelvane {
namespace {

using Segs = std::vector<std::string>;

const std::string kUNA = "UNA:+,? ";
const std::string kUNB =
    "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+REF00000001+++++KTV001";

std::string Ind(const std::string& announced) {
    return "IND++KTVECE  250000000010" + announced;
}

// One dossier as the sample writes it: header, `groups` amount groups, UNT
// (its count is set by Finish).
Segs Message(int ref, int groups, const std::string& nir = "1750175123456") {
    Segs m = {"UNH+" + std::to_string(ref) + "+KTV:D:00B:UN:KTV001",
              "BGM+KTV::ZZ+DOC0001",
              "DTM+137:20251215:102",
              "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS++75001+FR",
              "NAD+MR+CSEKTV:ZZ:ZZ",
              "NAD+EM+EMP00001:ZZ:ZZ++SOCIETE MARTIN+3 AVENUE FOCH+LYON++69001+FR",
              "NAD+DT+" + nir + ":ZZ:ZZ++DURAN:DURAND JEAN+8 PLACE BELLECOUR+LYON++69002+FR"};
    for (int g = 1; g <= groups; ++g) {
        m.push_back("SEQ++" + std::to_string(g));
        m.push_back(Ind("MOA"));
        m.push_back("MOA+203:15000");
    }
    m.push_back("UNT+0+" + std::to_string(ref));
    return m;
}

Segs Append(Segs a, const Segs& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Writes the real counts into every UNT (segments since the last UNH) and
// UNZ (UNH since the last UNA), keeping the reference after them.
Segs Finish(Segs s) {
    long unh = -1, messages = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::string tag = s[i].substr(0, 3);
        if (tag == "UNA") messages = 0;
        if (tag == "UNH") {
            unh = static_cast<long>(i);
            ++messages;
        }
        long count = tag == "UNT" ? static_cast<long>(i) - unh + 1 : tag == "UNZ" ? messages : -1;
        if (count < 0) continue;
        const std::size_t plus = s[i].find('+', 4);
        const std::string rest = plus == std::string::npos ? "" : s[i].substr(plus);
        s[i] = tag + "+" + std::to_string(count) + rest;
    }
    return s;
}

// A whole interchange: UNA, UNB, the messages, UNZ.
Segs Interchange(const std::vector<Segs>& messages) {
    Segs s = {kUNA, kUNB};
    for (const Segs& m : messages)
        s = Append(s, m);
    s.push_back("UNZ+0+REF00000001");
    return Finish(s);
}

StringList Check(const Segs& segs) {
    return ManageCSyntaxKTV(SegmentTexts::FromStringList(segs));
}

StringList Branch(const std::vector<std::string>& records) {
    StringList out;
    out.reserve(records.size() + 1);
    out.emplace_back("[Branchement]");
    for (const std::string& r : records)
        out.push_back(r);
    return out;
}

std::size_t IndexOf(const Segs& s, const std::string& text, std::size_t from = 0) {
    for (std::size_t i = from; i < s.size(); ++i)
        if (s[i] == text) return i;
    ADD_FAILURE() << "no segment " << text;
    return 0;
}

class SyntaxTest : public ::testing::Test {
  protected:
    test::ScriptedPlatform platform;
};

TEST_F(SyntaxTest, SampleFileAndBuiltInterchangesAreClean) {
    State().Delimiters = {"'", "+", ":", "?"};
    std::string text = ImportFileContent(std::string(TRELVANE_SAMPLES_DIR) + "/valide.edi");
    SegmentTexts sample = SplitFileIntoSegments(std::move(text), "'", "?");
    ASSERT_EQ(sample.size(), 17u);
    EXPECT_EQ(ManageCSyntaxKTV(sample), Branch({}));

    // Every kind of detail group, both optional references, two messages,
    // two interchanges.
    Segs rich = Message(1, 1);
    rich.insert(rich.begin() + 5, "RFF+AHZ:REF1");  // after the second NAD
    rich.insert(rich.begin() + 8, "RFF+ABC:REF2");  // after the fourth NAD
    rich.insert(rich.end() - 1, {"SEQ++2",
                                 Ind("RFF"),
                                 "RFF+ACD:X",
                                 "SEQ++3",
                                 Ind("CCI"),
                                 "CCI+++KTV",
                                 "CAV+A",
                                 "SEQ++4",
                                 Ind("FTX"),
                                 "FTX+AAA+++TEXTE",
                                 "SEQ++5",
                                 Ind("DTM"),
                                 "DTM+194:20250101:102",
                                 "SEQ++6",
                                 Ind("PCD"),
                                 "PCD+1:12,5",
                                 "SEQ++7",
                                 Ind("NAD"),
                                 "NAD+ZZ+X",
                                 "SEQ++8",
                                 Ind("ZZZ")});
    const Segs two = Append(Interchange({rich, Message(2, 40)}), Interchange({Message(1, 2)}));
    EXPECT_EQ(Check(two), Branch({}));
}

TEST_F(SyntaxTest, EnvelopeFailuresGiveOneRecord) {
    const Segs good = Interchange({Message(1, 2)});
    auto n0 = [](const Segs& s) { return Control_EDI_KTV_N0(SegmentTexts::FromStringList(s)); };
    EXPECT_EQ(Check({}), (StringList{"[Base_N0]", "007,0"}));
    EXPECT_EQ(Check({kUNA}), (StringList{"[Base_N0]", "007,0"}));
    EXPECT_EQ(Check({"XXX", "YYY"}), (StringList{"[Base_N0]", "007,0"}));
    // No UNA: 003 even though everything else is wrong too.
    EXPECT_EQ(Check({kUNB, "BGM", "NAD"}), (StringList{"[Base_N0]", "003,0"}));
    EXPECT_EQ(n0({"una:+,? ", kUNB, "UNZ+1"}), (StringList{"[Base_N0]", "003,0"}));
    EXPECT_EQ(n0({kUNA, "UNH+1", "UNZ+1"}), (StringList{"[Base_N0]", "004,1"}));
    EXPECT_EQ(n0({kUNA, kUNB, "UNZ+0+R"}), (StringList{"[Base_N0]", "006,2"}));
    EXPECT_EQ(n0({kUNA, kUNB, "UNH+1"}), (StringList{"[Base_N0]", "005,2"}));
    Segs cut = good;
    cut.pop_back();
    EXPECT_EQ(Check(cut), (StringList{"[Base_N0]", "005," + std::to_string(cut.size() - 1)}));
    EXPECT_EQ(n0(good), StringList{"[Base_N0]"});
    // A sound envelope around a broken message: the list is N1's.
    Segs broken = good;
    broken.erase(broken.begin() + 4);  // DTM
    EXPECT_EQ(Check(Finish(broken)), Branch({"4,DTM,100"}));
}

TEST_F(SyntaxTest, MissingSegmentIsNamedAndCountedAsPresent) {
    // UNA UNB UNH BGM NAD...: DTM is missing before the first NAD; the NAD
    // then counts as NAD1, so the rest of the message is clean.
    Segs m = Message(1, 2);
    m.erase(m.begin() + 2);
    EXPECT_EQ(Check(Interchange({m})), Branch({"4,DTM,100"}));

    // A missing UNH: the next UNT counts it, and so does the UNZ.
    Segs second = Message(2, 2);
    Segs s = Interchange({Message(1, 2), second});
    const std::size_t unh2 = IndexOf(s, second[0]);
    s.erase(s.begin() + static_cast<long>(unh2));
    const std::size_t unt2 = s.size() - 2;
    s[unt2] = "UNT+" + std::to_string(second.size()) + "+2";
    EXPECT_EQ(Check(s), Branch({std::to_string(unh2) + ",UNH,100"}));

    // A missing IND inside the details.
    Segs g = Message(1, 3);
    g.erase(g.begin() + 11);  // IND of the second group
    const Segs gi = Interchange({g});
    EXPECT_EQ(Check(gi), Branch({"13,IND,100"}));
}

TEST_F(SyntaxTest, IndAnnouncementBindsTheNextSegment) {
    // "ZZZ" then UNT: nothing to say.
    Segs last = Message(1, 2);
    last.insert(last.end() - 1, {"SEQ++3", Ind("ZZZ")});
    EXPECT_EQ(Check(Interchange({last})), Branch({}));

    // "ZZZ" then SEQ: the announced UNT is the missing segment.
    Segs zzz = Message(1, 2);
    zzz[zzz.size() - 3] = Ind("ZZZ");
    zzz.insert(zzz.end() - 1, {"SEQ++3", Ind("MOA"), "MOA+203:1"});
    zzz.erase(zzz.end() - 5);  // the MOA of group 2
    Segs s = Interchange({zzz});
    const std::size_t ind = IndexOf(s, Ind("ZZZ"));
    ASSERT_EQ(s[ind + 1], "SEQ++3");
    EXPECT_EQ(Check(s), Branch({std::to_string(ind + 1) + ",UNT,100"}));

    // MOA announced, FTX found: FTX fits the tree, so 002.
    Segs ftx = Message(1, 2);
    ftx[ftx.size() - 2] = "FTX+AAA+++TEXTE LIBRE";
    s = Interchange({ftx});
    EXPECT_EQ(Check(s), Branch({std::to_string(s.size() - 3) + ",MOA,002"}));

    // An IND announcing something unknown: 001 on the IND itself, then the
    // following MOA is judged by the tree alone.
    Segs abc = Message(1, 2);
    abc[abc.size() - 3] = Ind("ABC");
    s = Interchange({abc});
    EXPECT_EQ(Check(s), Branch({std::to_string(s.size() - 4) + ",ABC,001"}));
    // A comma among the last three characters does not break the record.
    abc[abc.size() - 3] = "IND++KTV,XY";
    s = Interchange({abc});
    EXPECT_EQ(Check(s), Branch({std::to_string(s.size() - 4) + ", XY,001"}));

    // After a gap following an IND, the 100 names the announced tag.
    Segs gap = Message(1, 2);
    gap[gap.size() - 3] = Ind("PCD");
    gap[gap.size() - 2] = "CAV+A";  // CCI missing, but PCD was announced
    s = Interchange({gap});
    EXPECT_EQ(Check(s), Branch({std::to_string(s.size() - 3) + ",PCD,100"}));
}

TEST_F(SyntaxTest, UntCountCheck) {
    // UNH BGM DTM NAD NAD RFF NAD NAD SEQ IND MOA UNT: 12 segments.
    Segs twelve = Message(1, 1);
    twelve.insert(twelve.begin() + 5, "RFF+AHZ:1");
    ASSERT_EQ(twelve.size(), 12u);
    Segs s = Interchange({twelve});
    const std::size_t unt = s.size() - 2;
    EXPECT_EQ(s[unt], "UNT+12+1");
    EXPECT_EQ(Check(s), Branch({}));
    s[unt] = "UNT+13+1";
    EXPECT_EQ(Check(s), Branch({std::to_string(unt) + ",12,400"}));
    s[unt] = "UNT+1A+1";
    EXPECT_EQ(Check(s), Branch({std::to_string(unt) + ",12,400"}));
    s[unt] = "UNT+1";
    EXPECT_EQ(Check(s), Branch({std::to_string(unt) + ",12,400"}));
    s[unt] = "UNT";
    EXPECT_EQ(Check(s), Branch({std::to_string(unt) + ",12,400"}));

    // Under ten segments the count is always reported, even when right.
    Segs nine = Message(1, 1);
    nine.erase(nine.begin() + 2);  // DTM
    nine[nine.size() - 3] = Ind("ZZZ");
    nine.erase(nine.end() - 2);  // MOA: UNH BGM NAD*4 SEQ IND UNT
    ASSERT_EQ(nine.size(), 9u);
    s = Interchange({nine});
    EXPECT_EQ(s[10], "UNT+9+1");
    EXPECT_EQ(Check(s), Branch({"4,DTM,100", "10,9,400"}));

    // From 100 segments on, three characters are read.
    Segs big = Message(1, 31);  // 8 + 3 * 31 = 101
    s = Interchange({big});
    const std::size_t bigUnt = s.size() - 2;
    EXPECT_EQ(s[bigUnt], "UNT+101+1");
    EXPECT_EQ(Check(s), Branch({}));
    s[bigUnt] = "UNT+10+1";
    EXPECT_EQ(Check(s), Branch({std::to_string(bigUnt) + ",101,400"}));
}

// A message of a thousand segments or more is judged on its real count, not
// always reported because three characters cannot hold it.
TEST_F(SyntaxTest, UntCountOfAThousandSegmentsOrMore) {
    Segs s = Interchange({Message(1, 400)});  // 7 + 1200 + 1 segments
    EXPECT_EQ(Check(s), Branch({}));
    const std::size_t unt = s.size() - 2;
    s[unt] = "UNT+1209+1";
    EXPECT_EQ(Check(s), Branch({std::to_string(unt) + ",1208,400"}));
    s[unt] = "UNT+120+1";
    EXPECT_EQ(Check(s), Branch({std::to_string(unt) + ",1208,400"}));
}

TEST_F(SyntaxTest, UnzCountCheckAndTwoInterchanges) {
    Segs s = Interchange({Message(1, 2)});
    const std::size_t n = s.size() - 1;
    EXPECT_EQ(s[n], "UNZ+1+REF00000001");
    s[n] = "UNZ+2+REF00000001";
    EXPECT_EQ(Check(s), Branch({std::to_string(n) + ",1,401"}));
    s[n] = "UNZ+1";
    EXPECT_EQ(Check(s), Branch({}));
    s[n] = "UNZ+X";
    EXPECT_EQ(Check(s), Branch({std::to_string(n) + ",1,401"}));
    s[n] = "UNZ";
    EXPECT_EQ(Check(s), Branch({std::to_string(n) + ",1,401"}));
    s[n] = "UNZ+10+R";  // a 1 followed by a 0 is not 1
    EXPECT_EQ(Check(s), Branch({std::to_string(n) + ",1,401"}));

    // Two interchanges: the message count starts again after UNA. The first
    // UNZ is checked during the walk, the last after it; records come in
    // segment order.
    Segs first = Interchange({Message(1, 2), Message(2, 2)});
    Segs second = Interchange({Message(1, 2)});
    Segs both = Append(first, second);
    EXPECT_EQ(Check(both), Branch({}));
    const std::size_t unz1 = first.size() - 1;
    both[unz1] = "UNZ+3+REF";
    both.back() = "UNZ+2+REF";
    Segs dtm = both;
    dtm.erase(dtm.begin() + static_cast<long>(unz1) + 5);  // DTM of the second interchange
    dtm[dtm.size() - 2] = "UNT+13+1";
    EXPECT_EQ(Check(dtm),
              Branch({std::to_string(unz1) + ",2,401", std::to_string(unz1 + 5) + ",DTM,100",
                      std::to_string(dtm.size() - 1) + ",1,401"}));

    // A hundred messages or more are never compared.
    std::vector<Segs> many;
    for (int k = 1; k <= 100; ++k)
        many.push_back(Message(k, 1));
    Segs hundred = Interchange(many);
    hundred.back() = "UNZ+7+REF";
    EXPECT_EQ(Check(hundred), Branch({}));
}

TEST_F(SyntaxTest, SegmentsThatDoNotFit) {
    // An unknown tag between two good segments: one 901, then the walk goes
    // on from the good segment.
    Segs m = Message(1, 2);
    m.insert(m.end() - 4, "XYZ+1");
    Segs s = Interchange({m});
    EXPECT_EQ(Check(s), Branch({std::to_string(IndexOf(s, "XYZ+1")) + ",XYZ,901"}));

    // A duplicated DTM: the second one stands where the tree allows no DTM.
    Segs dup = Message(1, 2);
    dup.insert(dup.begin() + 2, dup[2]);
    s = Interchange({dup});
    EXPECT_EQ(Check(s), Branch({"5,DTM,900"}));

    // A known tag out of place, then an unknown one, then the walk resumes;
    // a comma in a tag is not left in the record.
    Segs two = Message(1, 3);
    two.insert(two.begin() + 8, {"CAV+A", "A,B+1"});
    s = Interchange({two});
    EXPECT_EQ(Check(s), Branch({"10,CAV,900", "11,A B,901"}));

    // Nothing fits near the end: every segment to the last is reported, and
    // the final UNZ check still runs.
    Segs end = Message(1, 2);
    end.erase(end.begin() + 11, end.begin() + 13);  // IND and MOA of the last group
    end.insert(end.begin() + 11, {"CAV+A", "FTX+AAA", "ABC"});
    Segs tail = Interchange({end});
    tail.back() = "UNZ+2+REF";
    const std::size_t n = tail.size() - 1;
    EXPECT_EQ(Check(tail),
              Branch({std::to_string(n - 4) + ",CAV,900", std::to_string(n - 3) + ",FTX,900",
                      std::to_string(n - 2) + ",ABC,901", std::to_string(n - 1) + ",UNT,900",
                      std::to_string(n) + ",UNZ,900", std::to_string(n) + ",1,401"}));

    // Only the last segment is out of place.
    Segs last = Interchange({Message(1, 2)});
    last.back() = "XYZ+1";
    EXPECT_EQ(Control_EDI_KTV_N1c(SegmentTexts::FromStringList(last)),
              Branch({std::to_string(last.size() - 1) + ",XYZ,901"}));
}

TEST_F(SyntaxTest, ProgressAndTrace) {
    platform.trace = true;
    MakeDir(ProgramPath("logs"), "logs");
    std::vector<Segs> many;
    for (int k = 1; k <= 60; ++k)
        many.push_back(Message(k, 4));
    const Segs s = Interchange(many);  // 60 * 20 + 3 segments
    EXPECT_EQ(Check(s), Branch({}));
    const long n = static_cast<long>(s.size()) - 1;
    std::vector<std::string> expected;
    for (long i = 501; i <= n - 1; i += 500) {
        const long p = std::lround(static_cast<double>(i) / static_cast<double>(n) * 100.0);
        expected.push_back("Test de syntaxe en cours...(" + std::to_string(p) + "%)");
    }
    ASSERT_EQ(expected.size(), 2u);
    EXPECT_EQ(platform.statuses, expected);

    const std::string log = test::ReadBytes(CurrentTraceFilePath());
    for (std::string_view line :
         {"Lancement des contrôles de syntaxe..."_cp, "Début du test de syntaxe N0."_cp,
          "Début du test de syntaxe N1."_cp, "Génération de l'Arbre EDI-KTV"_cp}) {
        EXPECT_NE(log.find(line), std::string::npos) << test::U(line);
    }
    EXPECT_NE(log.find("Control_EDI_KTV_N1c"), std::string::npos);
}

}  // namespace
}  // namespace trelvane

// The per-segment error table, the dossier table and the three lookups, on
// interchanges built from the segments of the valid sample.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "config/Cp1252.h"
#include "config/modIOfunctions.h"
#include "run/Summaries.h"
#include "run/modMainFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"
#include "syntax/modKTVSyntaxChecker.h"

namespace trelvane {
namespace {

using Segs = std::vector<std::string>;

Segs Message(int ref, const std::string& nir) {
    return {"UNH+" + std::to_string(ref) + "+KTV:D:00B:UN:KTV001",
            "BGM+KTV::ZZ+DOC0001",
            "DTM+137:20251215:102",
            "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS++75001+FR",
            "NAD+MR+CSEKTV:ZZ:ZZ",
            "NAD+EM+EMP00001:ZZ:ZZ++SOCIETE MARTIN+3 AVENUE FOCH+LYON++69001+FR",
            "NAD+DT+" + nir + ":ZZ:ZZ++DURAN:DURAND JEAN+8 PLACE BELLECOUR+LYON++69002+FR",
            "SEQ++1",
            "IND++KTVECE  250000000010MOA",
            "MOA+203:15000",
            "UNT+11+" + std::to_string(ref)};
}

Segs Interchange(const std::vector<Segs>& messages) {
    Segs s = {"UNA:+,? ",
              "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+REF00000001+++++KTV001"};
    for (const Segs& m : messages)
        s.insert(s.end(), m.begin(), m.end());
    s.push_back("UNZ+" + std::to_string(messages.size()) + "+REF00000001");
    return s;
}

Segs Join(Segs a, const Segs& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::string kNir1 = "1750175123456";
const std::string kNir2 = "2880299000111";
const std::string kNir3 = "1010101010101";

// Two interchanges: dossiers 1 and 2, then dossier 1 again.
Segs TwoInterchanges() {
    return Join(Interchange({Message(1, kNir1), Message(2, kNir2)}),
                Interchange({Message(1, kNir3)}));
}

class SummariesTest : public ::testing::Test {
  protected:
    void Load(const Segs& segs) {
        State().Segments = SegmentTexts::FromStringList(segs);
        State().SyntaxErrors = {"[Branchement]"};
        State().ContentErrors = {"[Contenu]"};
    }
    std::vector<std::string> Elements() const {
        std::vector<std::string> out;
        const SegmentErrorTable& t = State().ErrorsBySegment;
        for (std::size_t i = 0; i < t.size(); ++i)
            out.push_back(t.Element(i));
        return out;
    }
    test::ScriptedPlatform platform;
};

TEST_F(SummariesTest, EnvelopeFailureMarksExactlyOneSegment) {
    Segs s = Interchange({Message(1, kNir1)});
    s.back() = "UNX+1";
    Load(s);
    State().SyntaxErrors = ManageCSyntaxKTV(State().Segments);
    ASSERT_EQ(State().SyntaxErrors, (StringList{"[Base_N0]", "005,13"}));
    State().ContentErrors = {"[Contenu]", "13,Segment inconnu,ERR,0,010"};
    CreateArray_ErrorsBySeg();
    std::vector<std::string> expected(s.size(), "SOK");
    expected[13] = "ERR,ERR";
    EXPECT_EQ(Elements(), expected);
}

TEST_F(SummariesTest, BranchingErrorsAndContentPositions) {
    Segs s = Interchange({Message(1, kNir1), Message(2, kNir2)});
    s.insert(s.begin() + 4, s[4]);  // a second DTM
    s.insert(s.begin() + 9, "XYZ+1");
    Load(s);
    State().SyntaxErrors = ManageCSyntaxKTV(State().Segments);
    ASSERT_EQ(State().SyntaxErrors[0], "[Branchement]");
    ASSERT_GE(State().SyntaxErrors.size(), 3u);
    State().ContentErrors = {"[Contenu]",
                             "6,Code inconnu,d1,1,101",
                             "3,Nombre d'éléments,ERR,1,010",
                             "6,Format,d4:2,1,102",
                             "9,Segment,ERR,1,010",
                             "99999,hors liste,d1,1,101",
                             "abc,pas un numéro,d1,1,101",
                             "7,deux champs",
                             "5,Montant,l3,1,103"};
    CreateArray_ErrorsBySeg();
    std::vector<std::string> expected(s.size(), "SOK");
    for (std::size_t k = 1; k < State().SyntaxErrors.size(); ++k) {
        const std::string& r = State().SyntaxErrors[k];
        expected[std::stoul(r.substr(0, r.find(',')))].replace(0, 3, "ERR");
    }
    EXPECT_EQ(expected[5], "ERR");  // the second DTM
    EXPECT_EQ(expected[9], "ERR");  // the unknown tag
    expected[6] += ",d1,d4:2";
    expected[3] += ",ERR";
    expected[9] += ",ERR";
    expected[5] += ",l3";
    EXPECT_EQ(Elements(), expected);
    EXPECT_EQ(State().ErrorsBySegment.Element(6), "SOK,d1,d4:2");
    EXPECT_EQ(State().ErrorsBySegment.PositionsText(5), ",l3");

    // Syntax records out of range or unreadable are passed over.
    State().SyntaxErrors = {"[Branchement]", "70000,XYZ,901", ",,900", "2,UNH,100"};
    State().ContentErrors = {"[Contenu]"};
    CreateArray_ErrorsBySeg();
    EXPECT_EQ(State().ErrorsBySegment.Element(2), "ERR");
    EXPECT_EQ(State().ErrorsBySegment.Element(3), "SOK");
    State().SyntaxErrors = {"[Base_N0]", "005,99999"};
    CreateArray_ErrorsBySeg();
    EXPECT_EQ(Elements(), std::vector<std::string>(s.size(), "SOK"));
}

TEST_F(SummariesTest, EmptyRun) {
    platform.trace = true;
    MakeDir(ProgramPath("logs"), "logs");
    Load({});
    State().SyntaxErrors = ManageCSyntaxKTV(State().Segments);
    EXPECT_EQ(State().SyntaxErrors, (StringList{"[Base_N0]", "007,0"}));
    CreateArray_ErrorsBySeg();
    CreateArray_InfoDoss();
    EXPECT_EQ(State().ErrorsBySegment.size(), 0u);
    EXPECT_EQ(State().DossierInfo, DossierTable(1));
    EXPECT_EQ(GetDossierField("1", "0", 3), "");
    EXPECT_EQ(CountMessagesInInterchange(1), 0);
    // Lists never filled do not trouble the build either.
    State().SyntaxErrors.clear();
    State().ContentErrors.clear();
    CreateArray_ErrorsBySeg();

    const std::string log = test::ReadBytes(CurrentTraceFilePath());
    EXPECT_NE(log.find("Création du CR d'erreurs par segment"_cp), std::string::npos);
    EXPECT_NE(log.find("Création du tableau d'informations sur dossier"_cp), std::string::npos);
    EXPECT_NE(log.find("modMainFunctions"), std::string::npos);
}

TEST_F(SummariesTest, DossierTableOfTwoInterchanges) {
    const Segs s = TwoInterchanges();
    Load(s);
    CreateArray_InfoDoss();
    // Interchange 1: UNA 0, UNB 1, UNH 2..UNT 12, UNH 13..UNT 23, UNZ 24;
    // interchange 2: UNA 25, UNB 26, UNH 27..UNT 37, UNZ 38.
    EXPECT_EQ(State().DossierInfo,
              (DossierTable{
                  {"1", "2", "12", kNir1}, {"2", "13", "23", kNir2}, {"1", "27", "37", kNir3}}));
    EXPECT_EQ(GetDossierField("1", "2", 3), kNir1);
    EXPECT_EQ(GetDossierField("1", "12", 2), "12");
    EXPECT_EQ(GetDossierField("1", "13", 3), "");  // dossier 2's range
    EXPECT_EQ(GetDossierField("2", "13", 3), kNir2);
    EXPECT_EQ(GetDossierField("1", "30", 3), kNir3);
    EXPECT_EQ(GetDossierField("1", "30", 0), "1");
    EXPECT_EQ(GetDossierField("1", "25", 3), "");  // between the interchanges
    EXPECT_EQ(GetDossierField("1", "abc", 3), "");
    EXPECT_EQ(GetDossierField("1", "30", 4), "");
    EXPECT_EQ(GetDossierField("01", "30", 3), "");  // numbers compare as text

    EXPECT_EQ(CountMessagesInInterchange(1), 2);
    EXPECT_EQ(CountMessagesInInterchange(2), 1);
    EXPECT_EQ(CountMessagesInInterchange(3), 0);
    EXPECT_EQ(CountMessagesInInterchange(0), 0);

    std::int64_t unh = -5, unt = -6;
    FindDossierByNir("0000000000000", unh, unt);
    EXPECT_EQ(unh, -5);
    EXPECT_EQ(unt, -6);
    FindDossierByNir(kNir2, unh, unt);
    EXPECT_EQ(unh, 13);
    EXPECT_EQ(unt, 23);

    // A new file of the same size with other interchanges: nothing cached
    // from the previous one leaks.
    Segs other = s;
    other[24] = "UNT+2+X";
    other[38] = "UNZ+3";
    Load(other);
    EXPECT_EQ(CountMessagesInInterchange(1), 4);
    EXPECT_EQ(CountMessagesInInterchange(2), 0);
}

TEST_F(SummariesTest, IrregularDossiers) {
    // A NIR before any UNH, a dossier without UNT, a short NAD+DT, and after
    // a UNT a second UNT and a NAD+DT before the next UNH.
    Segs first = Message(1, kNir1);
    first.pop_back();  // no UNT: the next UNH takes the same row
    Segs second = Message(2, kNir2);
    second[6] = "NAD+DT+12345";
    Segs s = Interchange({first, second, Message(3, kNir3)});
    s.insert(s.begin() + 1, "NAD+DT+9999999999999:ZZ");
    // Indexes: UNA 0, NAD+DT 1, UNB 2, UNH 3 (no UNT), UNH 13..UNT 23,
    // UNH 24..UNT 34, UNZ 35.
    s.insert(s.begin() + 35, {"UNT+2+9", "NAD+DT+5555555555555+X"});
    Load(s);
    CreateArray_InfoDoss();
    EXPECT_EQ(State().DossierInfo, (DossierTable{{"2", "13", "23", "12345"},
                                                 {"3", "24", "34", kNir3},
                                                 {"", "", "35", ""},
                                                 {"", "", "", "5555555555555"}}));
    // The NIR seen before any UNH went into row 0, then the dossiers
    // overwrote it; dossier 1 lost its row to dossier 2.
    EXPECT_EQ(GetDossierField("1", "5", 3), "");
    EXPECT_EQ(GetDossierField("2", "23", 3), "12345");

    std::int64_t unh = 0, unt = 0;
    FindDossierByNir("5555555555555", unh, unt);  // no UNH: no dossier
    EXPECT_EQ(unh, 0);
    EXPECT_EQ(unt, 0);

    // A dossier that never closes runs to the last segment.
    Segs open = Interchange({Message(1, kNir1)});
    open.erase(open.end() - 2);
    open.insert(open.begin() + 1, "NAD+DT+4444444444444");
    Load(open);
    CreateArray_InfoDoss();
    EXPECT_EQ(State().DossierInfo, (DossierTable{{"1", "3", "", kNir1}}));
    FindDossierByNir(kNir1, unh, unt);
    EXPECT_EQ(unh, 3);
    EXPECT_EQ(unt, static_cast<std::int64_t>(open.size()) - 1);
    EXPECT_EQ(GetDossierField("1", "5", 3), "");
    EXPECT_EQ(CountMessagesInInterchange(1), 0);

    // The last dossier with a NIR wins.
    Load(Interchange({Message(1, kNir1), Message(2, kNir1)}));
    CreateArray_InfoDoss();
    FindDossierByNir(kNir1, unh, unt);
    EXPECT_EQ(unh, 13);
    EXPECT_EQ(unt, 23);
}

// The lookup the reports rely on, as a plain scan of the rows.
std::string ScanField(const DossierTable& t, const std::string& number, long s, int field) {
    for (const DossierRow& row : t) {
        auto numeric = [](const std::string& f) {
            return !f.empty() && f.find_first_not_of("0123456789") == std::string::npos;
        };
        if (row[0] != number || !numeric(row[1]) || !numeric(row[2])) continue;
        if (std::stol(row[1]) <= s && s <= std::stol(row[2]))
            return row[static_cast<std::size_t>(field)];
    }
    return {};
}

TEST_F(SummariesTest, DossierLookupMatchesTheScan) {
    // 50 000 interchanges of one dossier each, all numbered "1".
    std::vector<std::string> flat;
    const Segs one = Interchange({Message(1, kNir1)});
    for (int k = 0; k < 50000; ++k) {
        Segs copy = one;
        copy[8] = "NAD+DT+" + std::to_string(1000000000000LL + k) + ":ZZ";
        flat.insert(flat.end(), copy.begin(), copy.end());
    }
    Load(flat);
    CreateArray_InfoDoss();
    const DossierTable& t = State().DossierInfo;
    ASSERT_EQ(t.size(), 50000u);
    const long per = static_cast<long>(one.size());
    for (long k = 0; k < 50000; ++k) {
        const long s = k * per + 8;
        ASSERT_EQ(GetDossierField("1", std::to_string(s), 3), std::to_string(1000000000000LL + k));
        ASSERT_EQ(CountMessagesInInterchange(k + 1), 1);
    }
    EXPECT_EQ(GetDossierField("1", std::to_string(per - 1), 3), "");  // a UNZ

    // A table edited by hand, overlapping ranges and odd fields included:
    // the first row in table order wins, as a scan finds it.
    std::mt19937 random(11);
    std::uniform_int_distribution<int> num(1, 3), at(0, 60), len(0, 20), odd(0, 9);
    DossierTable hand;
    for (int r = 0; r < 200; ++r) {
        const int first = at(random);
        DossierRow row{std::to_string(num(random)), std::to_string(first),
                       std::to_string(first + len(random)), "NIR" + std::to_string(r)};
        if (odd(random) == 0) row[2].clear();
        if (odd(random) == 0) row[1] = "x";
        hand.push_back(row);
    }
    State().DossierInfo = hand;
    for (int number = 0; number <= 4; ++number) {
        for (long s = -1; s <= 85; ++s) {
            ASSERT_EQ(GetDossierField(std::to_string(number), std::to_string(s), 3),
                      ScanField(hand, std::to_string(number), s, 3))
                << number << " " << s;
        }
    }
    // Edited in place after the index was built.
    State().DossierInfo[0][0] = "9";
    State().DossierInfo[0][1] = "0";
    State().DossierInfo[0][2] = "100";
    ResetSummaryIndexes();
    EXPECT_EQ(GetDossierField("9", "99", 3), "NIR0");
}

}  // namespace
}  // namespace trelvane

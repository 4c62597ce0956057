// The dossier rows built after the checks, the lookups the reports and the
// results window make in them, and the dossier list with each verdict.
#include <gtest/gtest.h>

#include <random>

#include "content/ReferenceTables.h"
#include "reports/DossierList.h"
#include "run/Summaries.h"
#include "run/modMainFunctions.h"
#include "support/Samples.h"

namespace trelvane::test {
namespace {

void Load(const Segs& segs, StringList syntax = {"[Branchement]"},
          StringList content = {"[Contenu]"}) {
    State().Segments = ToSegmentList(segs);
    State().SyntaxErrors = std::move(syntax);
    State().ContentErrors = std::move(content);
    CreateArray_InfoDoss();
    CreateArray_ErrorsBySeg();
}

// Rows are added at a UNH and closed at a UNT; an interchange's dossiers are
// numbered from 1 again.
TEST(Summaries, DossierRowsAndLookups) {
    ScriptedPlatform platform;
    Segs s = Insert(Envelope({Dossier(1), Dossier(2, Groups("E0010"), "2880299000111")}), 28,
                    Envelope({Dossier(1, Groups("E0010"), "1010101010101")}));
    Load(s);
    // UNH 2..UNT 15, UNH 16..UNT 26, UNZ 27; UNA 28, UNB 29, UNH 30..UNT 40, UNZ 41.
    EXPECT_EQ(State().DossierInfo, (DossierTable{{"1", "2", "15", kNir},
                                                 {"2", "16", "26", "2880299000111"},
                                                 {"1", "30", "40", "1010101010101"}}));
    const std::tuple<const char*, const char*, int, const char*> fields[] = {
        {"1", "2", 3, kNir},
        {"1", "15", 2, "15"},
        {"1", "16", 3, ""},
        {"2", "16", 3, "2880299000111"},
        {"1", "33", 3, "1010101010101"},
        {"1", "33", 0, "1"},
        {"1", "28", 3, ""},
        {"1", "abc", 3, ""},
        {"01", "33", 3, ""}};
    for (const auto& [number, segment, field, expected] : fields)
        EXPECT_EQ(GetDossierField(number, segment, field), expected) << number << " " << segment;
    EXPECT_EQ(CountMessagesInInterchange(3), 0);
    EXPECT_EQ(CountMessagesInInterchange(1), 2);
    EXPECT_EQ(CountMessagesInInterchange(2), 1);
    std::int64_t unh = -5, unt = -6;
    FindDossierByNir("0000000000000", unh, unt);
    EXPECT_EQ(std::make_pair(unh, unt), std::make_pair(std::int64_t{-5}, std::int64_t{-6}));
    FindDossierByNir("2880299000111", unh, unt);
    EXPECT_EQ(std::make_pair(unh, unt), std::make_pair(std::int64_t{16}, std::int64_t{26}));

    // A dossier without its UNT shares its row with the next one; a NIR met
    // outside a dossier is no dossier; a dossier never closed runs to the end.
    s = Envelope({Dossier(1), Dossier(2, Groups("E0010"), "2880299000111")});
    s.erase(s.begin() + 15);
    s = Insert(s, s.size() - 1, {"UNT+2+9", "NAD+DT+5555555555555+X"});
    Load(Insert(s, 1, {"NAD+DT+9999999999999:ZZ"}));
    EXPECT_EQ(State().DossierInfo, (DossierTable{{"2", "16", "26", "2880299000111"},
                                                 {"", "", "27", ""},
                                                 {"", "", "", "5555555555555"}}));
    FindDossierByNir("5555555555555", unh = 0, unt = 0);
    EXPECT_EQ(unh, 0);
    s = Envelope();
    s.erase(s.begin() + kUNT);
    Load(s);
    FindDossierByNir(kNir, unh, unt);
    EXPECT_EQ(std::make_pair(unh, unt), std::make_pair(std::int64_t{2}, std::int64_t{15}));
    EXPECT_EQ(CountMessagesInInterchange(1), 0);
}

// The lookup the reports rely on, as a plain scan of the rows.
std::string ScanField(const DossierTable& t, const std::string& number, long s, int field) {
    auto numeric = [](const std::string& f) {
        return !f.empty() && f.find_first_not_of("0123456789") == std::string::npos;
    };
    for (const DossierRow& row : t)
        if (row[0] == number && numeric(row[1]) && numeric(row[2]) && std::stol(row[1]) <= s &&
            s <= std::stol(row[2]))
            return row[static_cast<std::size_t>(field)];
    return {};
}

TEST(Summaries, DossierLookupAgreesWithAScan) {
    ScriptedPlatform platform;
    // 50 000 interchanges of one dossier each, all numbered 1.
    Segs flat;
    for (int k = 0; k < 50000; ++k) {
        Segs one = Envelope({Dossier(1, Groups("E0010"))});
        one[kNAD4] = "NAD+DT+" + std::to_string(1000000000000LL + k) + ":ZZ";
        flat.insert(flat.end(), one.begin(), one.end());
    }
    Load(flat);
    ASSERT_EQ(State().DossierInfo.size(), 50000u);
    for (long k = 0; k < 50000; ++k) {
        ASSERT_EQ(GetDossierField("1", std::to_string(k * 14 + 8), 3),
                  std::to_string(1000000000000LL + k));
        ASSERT_EQ(CountMessagesInInterchange(k + 1), 1);
    }
    // A table edited by hand, overlapping ranges and odd fields included: the
    // first row in table order wins.
    std::mt19937 random(11);
    DossierTable hand;
    for (int r = 0; r < 200; ++r) {
        const auto first = random() % 61;
        DossierRow row{std::to_string(1 + random() % 3), std::to_string(first),
                       std::to_string(first + random() % 21), "NIR" + std::to_string(r)};
        if (random() % 10 == 0) row[2].clear();
        if (random() % 10 == 0) row[1] = "x";
        hand.push_back(row);
    }
    State().DossierInfo = hand;
    for (int number = 0; number <= 4; ++number)
        for (long s = -1; s <= 85; ++s)
            ASSERT_EQ(GetDossierField(std::to_string(number), std::to_string(s), 3),
                      ScanField(hand, std::to_string(number), s, 3));
    State().DossierInfo[0] = {"9", "0", "100", "NIR0"};
    ResetSummaryIndexes();
    EXPECT_EQ(GetDossierField("9", "99", 3), "NIR0");
}

// A dossier's verdict follows the class of each of its records' labels.
TEST(Summaries, DossierListVerdicts) {
    ScriptedPlatform platform;
    WriteBytes(platform.Directory() + "/tbl_code_erreur_libelle.txt",
               "008 rej Valeur\r\n080 sig Longueur\r\n612 sir Montant\r\n700 xyz Classe\r\n");
    Initialise_Table_Erreurs_Lib();
    State().Delimiters = {"'", "+", ":", "?"};
    Load(Cut("UNA:+,? 'UNB+UNOC:3'UNH+1'NAD+DT+1750175123456:ZZ:ZZ++DU:DU?+PONT'UNT'UNH+2'"
             "NAD+DT+2'UNT'UNH+3'UNT'UNH+4'UNT'UNH+5'UNT'UNZ+5'"),
         {"[Branchement]"},
         {"[Contenu]", "1,,d1,0,008", "3,,d4:1,1,080", "6,,d2,2,612", "8,,d1,3,008", "9,,d1,3,080",
          "10,,d1,4,700", "12,,d1,5,999", "13,,d1,4,008", "14,,d1,5,008"});
    const auto rows = [] {
        std::string out;
        for (const auto& r : BuildDossierList())
            out += r.number + ";" + r.nir + ";" + U(r.name) + ";" + std::to_string(r.rejects) +
                   ";" + std::to_string(r.warnings) + ";" + U(VerdictText(r.verdict)) + "\n";
        return out;
    };
    EXPECT_EQ(rows(),
              "1;1750175123456;DU+PONT;0;1;Accepté avec signalements\n"
              "2;2;;0;1;Rejeté\n"  // "sir": the dossier is rejected
              "3;;;1;1;Rejeté\n"
              "4;;;1;0;Rejeté\n"    // unknown class
              "5;;;1;0;Rejeté\n");  // unknown code; the other number is not its own
    State().ContentErrors = {"[Contenu]"};
    EXPECT_EQ(rows().substr(0, 42), "1;1750175123456;DU+PONT;0;0;Accepté\n2;2;;");
    State().SyntaxErrors = {"[Branchement]", "4,UNH,900"};  // the whole file is turned away
    EXPECT_EQ(rows().substr(0, 36), "1;1750175123456;DU+PONT;0;0;Rejeté\n");

    // A name a spreadsheet would misread: quoted, its quotes doubled, no formula.
    DossierListRow odd;
    odd.name = "=DU \"PONT\";FILS";
    const std::string csv = DossierListCsv({odd});
    EXPECT_NE(csv.find(";\"'=DU \"\"PONT\"\";FILS\";"), std::string::npos) << csv;
}

}  // namespace
}  // namespace trelvane::test

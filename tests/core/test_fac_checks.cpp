// The checks of a whole message at its UNT: main form against annexes,
// amounts that must balance, codes each kind of annex may hold.
#include <gtest/gtest.h>

#include <algorithm>

#include "config/modIOfunctions.h"
#include "content/modKTVContentChecker.h"
#include "detail_walk.h"

namespace trelvane::test {
namespace {

using Records = std::vector<std::string>;

std::string Annex(int n) {
    std::string text = std::to_string(n);
    return std::string(4 - text.size(), '0') + text;
}

// The detail groups of a dossier, numbered as they are added.
struct Body {
    std::vector<std::string> segments;
    int seq = 0;

    Body& Group(std::string_view form, int annex, std::string_view code, std::string_view target,
                const std::vector<std::string>& details) {
        segments.push_back("SEQ++" + std::to_string(++seq));
        segments.push_back(Ind(form, "06", Annex(annex), code, target));
        segments.insert(segments.end(), details.begin(), details.end());
        return *this;
    }
    static std::string Moa(std::int64_t amount) {
        if (amount == 0) return "MOA+203:0:::62";
        if (amount < 0) return "MOA+203:" + std::to_string(-amount) + ":::65";
        return "MOA+203:" + std::to_string(amount);
    }
    Body& Main(std::string_view code, std::int64_t amount) {
        return Group("KTVECE", 0, code, "MOA", {Moa(amount)});
    }
    Body& Facce(int n, std::string_view code, std::int64_t amount) {
        return Group("FACCE", n, code, "MOA", {Moa(amount)});
    }
    Body& FacceText(int n) { return Group("FACCE", n, "0120", "FTX", {"FTX+AAI+++Note"}); }
    Body& Facis(int n, std::string_view code, std::int64_t amount) {
        return Group("FACIS", n, code, "MOA", {Moa(amount)});
    }
    Body& Close(std::string_view form, int n) {
        return Group(form, n, "0139", "CCI", {"CCI+++ZZ::ZZ"});
    }
};

class FacTest : public DetailTest {
  protected:
    // The records of the annex checks as "code text"; any other record fails.
    Records Fac(const Body& body) {
        const Records all = Check(Message(body.segments));
        const std::string unt = std::to_string(body.segments.size() + 2) + ",";
        Records out;
        for (const auto& r : all) {
            EXPECT_EQ(r.rfind(unt, 0), 0u) << "not at the UNT: " << r;
            const std::size_t textEnd = r.find(',', unt.size());
            EXPECT_EQ(r.substr(textEnd, 6), ",d0,1,") << r;
            out.push_back(r.substr(r.rfind(',') + 1) + " " +
                          U(r.substr(unt.size(), textEnd - unt.size())));
        }
        return out;
    }
};

TEST(ListDuplicates, EachRepeatedCodeOnceInOrderOfFirstOccurrence) {
    EXPECT_EQ(ListDuplicates("0010.0011.0010.0010.0120.0120.", "."), "0010;0120");
    EXPECT_EQ(ListDuplicates("0120.0036.0036.0120.", "."), "0120;0036");
    EXPECT_EQ(ListDuplicates("0010.0011.", "."), "");
    EXPECT_EQ(ListDuplicates("", "."), "");
    EXPECT_EQ(ListDuplicates("..0010..0010", "."), "0010");
    // Codes of other lengths, and a separator of several characters.
    EXPECT_EQ(ListDuplicates("12.123.12.1234.123.0012", "."), "12;123");
    EXPECT_EQ(ListDuplicates("0010;;0011;;0010;;", ";;"), "0010");
    // Past a few dozen codes the same answer comes from the counting path.
    std::string forty;
    for (int i = 0; i < 40; ++i)
        forty += Annex(i) + ".";
    EXPECT_EQ(ListDuplicates(forty + "0020.0005.0020.", "."), "0005;0020");
    std::string many;
    for (int i = 0; i < 20000; ++i)
        many += Annex(i % 5000) + ".";
    EXPECT_EQ(ListDuplicates(many, ".").size(), 5000u * 5 - 1);
}

TEST_F(FacTest, MainFormExclusivePairsAndDuplicates) {
    Body b;
    b.Main("0010", 1000).Main("0011", 500).Main("0130", 1).Main("0129", 1).Main("0132", 1);
    b.Main("0131", 1).Main("0013", 1).Main("0012", 1).Main("0015", 1).Main("0014", 1);
    b.Main("0001", 1).Main("0061", 1).Main("0010", 20);
    EXPECT_EQ(Fac(b), (Records{"20C ", "20D ", "212 ", "213 ", "214 ", "219 ", "20H 0010"}));
}

TEST_F(FacTest, CodesRequiredInsideACalculationAnnex) {
    Body b;
    b.Main("0010", 1000).Main("0055", 1000);
    b.Facce(1, "0028", 10).Close("FACCE", 1);
    b.Facce(2, "0036", 10).Facce(2, "0037", 10).Facce(2, "0029", 5).Close("FACCE", 2);
    b.Facce(3, "0235", 10).Close("FACCE", 3);
    b.Close("FACCE", 4);
    b.Facce(5, "0016", 3);
    EXPECT_EQ(Fac(b),
              (Records{"240 1", "239 2", "239 2", "240 2", "2OL FAC : 3",
                       "429 Feuille annexe de calcul n°4", "428 Feuille annexe de calcul n°5"}));
}

TEST_F(FacTest, AmountOf0046MustEqualTheAnnexSum) {
    Body ok;
    ok.Main("0010", 1500).Main("0055", 1000);
    ok.Facce(2, "0035", 300).Facce(2, "0045", 200).Facce(2, "0046", 500).Close("FACCE", 2);
    EXPECT_TRUE(Fac(ok).empty());

    Body ko;
    ko.Main("0010", 1500).Main("0055", 1000);
    ko.Facce(2, "0035", 300).Facce(2, "0045", 200).Facce(2, "0046", 400).Close("FACCE", 2);
    EXPECT_EQ(Fac(ko), (Records{"234 2"}));
}

TEST_F(FacTest, Code0120AloneMayRepeatInACalculationAnnex) {
    Body ok;
    ok.Main("0010", 1000).Main("0055", 1000);
    ok.FacceText(2).FacceText(2).Close("FACCE", 2);
    EXPECT_TRUE(Fac(ok).empty());

    Body ko;
    ko.Main("0010", 1000).Main("0055", 1000);
    ko.FacceText(2).FacceText(2).Facce(2, "0036", 0).Facce(2, "0036", 0).Facce(2, "0045", 0);
    ko.Close("FACCE", 2);
    EXPECT_EQ(Fac(ko), (Records{"21H FAC n°2 : 0120;0036"}));
}

TEST_F(FacTest, ComplementaryIncomeAnnexes) {
    Body b;
    b.Facis(1, "0235", 100).Close("FACIS", 1).Facis(1, "0010", 5);
    b.Facis(2, "0236", 7).Facis(2, "0236", 7);
    EXPECT_EQ(Fac(b), (Records{"2OL FACIS : 0010", "428 FACIS revenus complementaires n°2",
                               "21H FACIS n°2 : 0236"}));
    EXPECT_TRUE(FacisOnlyDossier());

    Body closingOnly;
    closingOnly.Main("0016", 1).Close("FACIS", 1);
    EXPECT_EQ(Fac(closingOnly), (Records{"429 FACIS revenus complementaires n°1"}));
    EXPECT_FALSE(FacisOnlyDossier());
}

TEST_F(FacTest, MainAmountsBalanceAgainstAnnexTotals) {
    Body ok;
    ok.Main("0010", 1000).Main("0055", 700).Facce(1, "0035", 300).Close("FACCE", 1);
    EXPECT_TRUE(Fac(ok).empty());

    Body ko;
    ko.Main("0010", 1000).Main("0055", 700).Facce(1, "0035", 200).Close("FACCE", 1);
    EXPECT_EQ(Fac(ko), (Records{"237 "}));

    // An annex declaring its own 0055 keeps its total to itself.
    Body own;
    own.Main("0010", 1000).Main("0055", 700).Facce(1, "0035", 300).Facce(1, "0055", 0);
    own.Close("FACCE", 1);
    EXPECT_EQ(Fac(own), (Records{"237 "}));

    Body noAnnex;
    noAnnex.Main("0010", 1000).Main("0055", 700);
    EXPECT_TRUE(Fac(noAnnex).empty());
}

TEST_F(FacTest, MainFormIsRequiredUnlessOnlyComplementaryIncome) {
    SetFacisOnlyDossier(true);
    Body b;
    b.Facce(1, "0035", 0).Close("FACCE", 1).Facis(1, "0235", 5).Close("FACIS", 1);
    EXPECT_EQ(Fac(b), (Records{"431 "}));
    EXPECT_FALSE(FacisOnlyDossier());

    Body none;
    none.Group("KTVECE", 0, "0022", "FTX", {"FTX+AAI+++Note"});
    EXPECT_TRUE(Fac(none).empty());
}

TEST_F(FacTest, Code0124NeedsCode0016) {
    Body b;
    b.Main("0124", 10);
    EXPECT_EQ(Fac(b), (Records{"20K "}));

    Body inAnnex;
    inAnnex.Main("0124", 10).Facce(1, "0016", 3).Close("FACCE", 1);
    EXPECT_TRUE(Fac(inAnnex).empty());

    Body annexOnly;
    annexOnly.Main("0016", 3).Facce(1, "0124", 3).Close("FACCE", 1);
    EXPECT_TRUE(Fac(annexOnly).empty());
}

TEST_F(FacTest, EmptyDeclarationIsNotChecked) {
    SetBgmFunctionPresent(true);
    SetFacisOnlyDossier(true);
    const Records r = Check(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0000", "ZZZ")}));
    EXPECT_TRUE(r.empty());
    EXPECT_TRUE(FacisOnlyDossier());
}

TEST_F(FacTest, WithoutTheSwitchOnlyTheMainFormIsChecked) {
    SetFacChecksEnabled(false);
    Body b;
    b.Main("0010", 1000).Main("0011", 1).Facce(1, "0028", 5);
    EXPECT_EQ(Fac(b), (Records{"212 "}));

    Body annexOnly;
    annexOnly.Facis(1, "0010", 5);
    EXPECT_EQ(Fac(annexOnly), (Records{"431 "}));
}

TEST_F(FacTest, OverflowOfTheTotalsStopsTheChecks) {
    TraceOn();
    SetFacisOnlyDossier(true);
    Body b;
    b.Main("0124", 1).Main("0055", 2000000000).Facce(1, "0035", 2000000000).Close("FACCE", 1);
    EXPECT_EQ(Fac(b), (Records{"777 !6!"}));
    EXPECT_TRUE(platform->messages.empty());
    EXPECT_TRUE(FacisOnlyDossier());
    const std::string log = TraceLog();
    EXPECT_NE(log.find("6: Erreur non gérée"), std::string::npos);
    EXPECT_NE(log.find("CheckKTVFACData"), std::string::npos);

    Body difference;
    difference.Main("0010", 2000000000).Main("0055", -2000000000);
    difference.Facce(1, "0016", 1).Close("FACCE", 1);
    EXPECT_EQ(Fac(difference), (Records{"777 !6!"}));
}

}  // namespace
}  // namespace trelvane::test

namespace trelvane::test {
namespace {

// The whole content check on the delivered sample, then on the same
// dossier with a calculation annex that does not balance.
TEST_F(FacTest, ThroughTheContentCheckDriver) {
    platform->yearCamp = "2025";
    std::string text = ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/valide.edi");
    std::string joined;
    for (char c : text)
        if (c != '\r' && c != '\n') joined += c;
    SegmentTexts segs = SplitFileIntoSegments(joined, "'", "?");
    EXPECT_EQ(ManageCContentKTV(segs), (StringList{"[Contenu]"}));

    StringList lines;
    for (std::size_t i = 0; i < segs.size(); ++i)
        lines.emplace_back(segs[i]);
    const auto unt = static_cast<std::size_t>(
        std::find_if(lines.begin(), lines.end(),
                     [](const std::string& s) { return s.rfind("UNT", 0) == 0; }) -
        lines.begin());
    const std::vector<std::string> annex = {
        "SEQ++3", "IND++FACCE   250001000035MOA", "MOA+203:200",
        "SEQ++4", "IND++FACCE   250001000139CCI", "CCI+++ZZ::ZZ"};
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(unt), annex.begin(), annex.end());
    lines[unt + annex.size()] = "UNT+20+1";
    SegmentTexts withAnnex = SegmentTexts::FromStringList(lines);
    const StringList errors = ManageCContentKTV(withAnnex);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[1], std::to_string(unt + annex.size()) + ",,d0,1,237");
    EXPECT_EQ(Detail().SumAmount0055, 15200);
    EXPECT_FALSE(FacisOnlyDossier());
}

}  // namespace
}  // namespace trelvane::test

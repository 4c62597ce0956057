// MOA amounts: the two accepted forms, the stored sign, and the totals kept
// per information code for the annex checks.
#include <gtest/gtest.h>

#include "config/modIOfunctions.h"
#include "detail_walk.h"

namespace trelvane::test {
namespace {

using Records = std::vector<std::string>;

class MoaTest : public DetailTest {
  protected:
    void SetUp() override {
        DetailTest::SetUp();
        checkAtUnt = false;
    }
};

TEST_F(MoaTest, StatusFormsUnderAFacceAnnex) {
    const Records r = Check(Message({
        "SEQ++1", Ind("FACCE", "06", "0003", "0035", "MOA"),  // 2, 3
        "MOA+203:0:::62",                                     // 4
        "MOA+203:1500:::62",                                  // 5: 409
        "MOA+203:0:::65",                                     // 6: 410
        "MOA+203:250:::65",                                   // 7
    }));
    EXPECT_EQ(r, (Records{"5,1500,d1:4,1,409", "6,62 attendu,d1:4,1,410"}));
    // 0 + 1500 - 0 - 250
    EXPECT_EQ(Detail().FacceSum0035And0045[3], 1250);
    EXPECT_EQ(Detail().FacceSum0035And0045[0], 0);
    // The last MOA of the group is the one the store keeps.
    EXPECT_EQ(Doss(1, 9, 1, 1, 0), "203");
    EXPECT_EQ(Doss(1, 9, 1, 1, 1), "250");
    EXPECT_EQ(Doss(1, 9, 1, 1, 4), "-");
}

TEST_F(MoaTest, StoredSignPerForm) {
    Records r =
        Check(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0010", "MOA"), "MOA+203:0:::62"}));
    EXPECT_TRUE(r.empty());
    EXPECT_EQ(Doss(1, 9, 1, 1, 1), "0");
    EXPECT_EQ(Doss(1, 9, 1, 1, 4), "");

    r = Check(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0010", "MOA"), "MOA+203:0"}));
    EXPECT_EQ(r, (Records{"4,,d1:1,1,411"}));
    EXPECT_EQ(Doss(1, 9, 1, 1, 4), "+");
    EXPECT_EQ(Detail().SumAmounts0010To0015, 0);

    // Status 63 passes its format row but is neither zero nor negative.
    r = Check(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0010", "MOA"), "MOA+203:80:::63"}));
    EXPECT_EQ(r, (Records{"4,62 ou 65,d1:4,1,008"}));
    EXPECT_EQ(Doss(1, 9, 1, 1, 4), "+");
    EXPECT_EQ(Detail().SumAmounts0010To0015, 80);

    // A status that fails its format: no sign stored, the amount counts as positive.
    r = Check(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0010", "MOA"), "MOA+203:80:X:Y:6"}));
    EXPECT_EQ(CodesOf(r), (Records{"445", "445", "080", "008"}));
    EXPECT_EQ(r[0], "4,,d1:2,1,445");
    EXPECT_EQ(r[1], "4,,d1:3,1,445");
    EXPECT_EQ(Doss(1, 9, 1, 1, 4), "");
    EXPECT_EQ(Detail().SumAmounts0010To0015, 80);
}

TEST_F(MoaTest, WrongComponentCountStopsTheSegment) {
    const Records r = Check(Message(
        {"SEQ++1", Ind("KTVECE", "06", "0000", "0010", "MOA"), "MOA+203:100:", "MOA+", "MOA+203"}));
    EXPECT_EQ(r, (Records{"4,2 ou 5 attendue(s).,l1,1,404", "5,2 ou 5 attendue(s).,l1,1,404",
                          "6,2 ou 5 attendue(s).,l1,1,404"}));
    EXPECT_EQ(Doss(1, 9, 1, 1, 0), "");
    EXPECT_EQ(Doss(1, 9, 1, 1, 4), "");
    EXPECT_EQ(Detail().SumAmounts0010To0015, 0);
}

TEST_F(MoaTest, TotalsPerInformationCode) {
    const Records r = Check(Message({
        "SEQ++1",
        Ind("KTVECE", "06", "0000", "0010", "MOA"),
        "MOA+203:1000",
        "SEQ++2",
        Ind("KTVECE", "06", "0000", "0015", "MOA"),
        "MOA+203:-120",  // 7: 434
        "SEQ++3",
        Ind("KTVECE", "06", "0000", "0055", "MOA"),
        "MOA+203:700",
        "SEQ++4",
        Ind("FACCE", "06", "0002", "0046", "MOA"),
        "MOA+203:400",
        "MOA+203:500",
        "SEQ++5",
        Ind("FACCE", "06", "0002", "0045", "MOA"),
        "MOA+203:200",
        "SEQ++6",
        Ind("FACCE", "06", "0002", "0035", "MOA"),
        "MOA+203:300",
        "SEQ++7",
        Ind("FACIS", "06", "0001", "0235", "MOA"),
        "MOA+203:999",
    }));
    ASSERT_EQ(CodesOf(r).back(), "434");
    EXPECT_EQ(r.back(), "7,,d1:1,1,434");
    const DetailState& d = Detail();
    EXPECT_EQ(d.SumAmounts0010To0015, 880);
    EXPECT_EQ(d.SumAmount0055, 700);
    EXPECT_EQ(d.FacceAmount0046[2], 500);  // the second replaces the first
    EXPECT_EQ(d.FacceSum0035And0045[2], 500);
}

TEST_F(MoaTest, AnnexAmountsBeforeAnyFacceGoToSlotZero) {
    Check(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0035", "MOA"), "MOA+203:42"}));
    EXPECT_EQ(Detail().FacceSum0035And0045[0], 42);
}

TEST_F(MoaTest, AmountBeyondThirtyTwoBitsIsAnUnexpectedFailure) {
    TraceOn();
    const Records r = Check(Message({
        "SEQ++1", Ind("KTVECE", "06", "0000", "0010", "MOA"),
        "MOA+203:3000000000",                        // 4: not a 32-bit integer
        "MOA+203:2000000000", "MOA+203:2000000000",  // 5, 6: the total overflows
        "MOA+203:12A",                               // 7: not a number
    }));
    EXPECT_EQ(r, (Records{"4,!6!,d1,1,777", "6,!6!,d1,1,777", W("7,Numérique Attendu,d1:1,1,800"),
                          "7,!13!,d1,1,777"}));
    // What was stored before the failure stays.
    EXPECT_EQ(Detail().SumAmounts0010To0015, 2000000000);
    EXPECT_EQ(Doss(1, 9, 1, 1, 4), "+");

    ASSERT_EQ(platform->messages.size(), 3u);
    EXPECT_EQ(platform->MessageTitlesUtf8()[0], "Erreur non gérée");
    EXPECT_EQ(platform->MessageTextsUtf8()[0],
              "6 : Une erreur inattendue s'est produite sur un segment MOA dans le dossier n°1");
    EXPECT_EQ(platform->messages[0].icon, MsgIcon::Critical);
    const std::string log = TraceLog();
    EXPECT_NE(log.find("6: Segment n°5 Calcul des cumuls invalide ?"), std::string::npos);
    EXPECT_NE(log.find("13: Segment n°8 Calcul des cumuls invalide ?"), std::string::npos);
}

TEST_F(MoaTest, NegatedSmallestAmountOverflows) {
    const Records r = Check(Message(
        {"SEQ++1", Ind("KTVECE", "06", "0000", "0010", "MOA"), "MOA+203:-2147483648:::65"}));
    EXPECT_EQ(CodesOf(r).back(), "777");
    EXPECT_EQ(Detail().SumAmounts0010To0015, 0);
}

}  // namespace
}  // namespace trelvane::test

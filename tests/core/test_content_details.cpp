// The other detail segments of a group: free texts and their count per
// annex, period dates, percentages, addresses, characteristics and values.
#include <gtest/gtest.h>

#include "config/modIOfunctions.h"
#include "detail_walk.h"

namespace trelvane::test {
namespace {

using Records = std::vector<std::string>;

class DetailsTest : public DetailTest {
  protected:
    void SetUp() override {
        DetailTest::SetUp();
        checkAtUnt = false;
    }
};

std::vector<std::string> Texts(int n) {
    std::vector<std::string> out;
    for (int i = 1; i <= n; ++i)
        out.push_back("FTX+AAI+++Texte libre " + std::to_string(i));
    return out;
}

TEST_F(DetailsTest, SixFreeTextsPerCalculationAnnex) {
    std::vector<std::string> body = {"SEQ++1", Ind("FACCE", "06", "0001", "0120", "FTX")};
    body = Join(body, Texts(8));  // 4..11
    body = Join(body, {"SEQ++2", Ind("FACCE", "06", "0002", "0120", "FTX")});
    body = Join(body, Texts(6));
    const Records r = Check(Message(body));
    EXPECT_EQ(r, (Records{"10,,d0:0,1,447", "11,,d0:0,1,448"}));
    EXPECT_EQ(Detail().FtxCounter, 6);
    EXPECT_EQ(Doss(1, 10, 1, 1, 0), "AAI");
    EXPECT_EQ(Doss(1, 10, 1, 4, 0), "Texte libre 8");
    EXPECT_EQ(Doss(2, 10, 1, 4, 0), "Texte libre 6");
}

TEST_F(DetailsTest, FreeTextElementsTwoAndThreeStayEmpty) {
    const Records r = Check(Message({"SEQ++1", Ind("FACCE", "06", "0001", "0120", "FTX"),
                                     "FTX+AAI+X+Y+Texte", "FTX++++Texte", "FTX+AAI:B+++"}));
    EXPECT_EQ(r,
              (Records{"4,,l2,1,445", "4,,l3,1,445", "5,,l1,1,444", "6,,l1,1,444", "6,,l4,1,444"}));
}

TEST_F(DetailsTest, TwoHundredFiftySixthFreeTextOverflowsTheCounter) {
    const Records r =
        Check(Message(Join({"SEQ++1", Ind("FACCE", "06", "0001", "0120", "FTX")}, Texts(257))));
    // Texts start at index 4: the 7th is 447, the 8th to the 255th 448.
    ASSERT_EQ(r.size(), 1u + 248u + 2u);
    EXPECT_EQ(r[0], "10,,d0:0,1,447");
    EXPECT_EQ(r[248], "258,,d0:0,1,448");
    EXPECT_EQ(r[249], "259,!6!,d0,1,777");
    EXPECT_EQ(r[250], "260,!6!,d0,1,777");
    EXPECT_EQ(Detail().FtxCounter, 255);
    ASSERT_EQ(platform->messages.size(), 2u);
    EXPECT_EQ(platform->MessageTextsUtf8()[0],
              "6 : Une erreur inattendue s'est produite sur un segment FTX dans le dossier n°1");
}

TEST_F(DetailsTest, PeriodDateAgainstTheCampaign) {
    platform->yearCamp = "2006";
    Records r =
        Check(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0021", "DTM"), "DTM+194:20060230:102",
                       "DTM+194:20030115:102", "DTM+194:20060115:102", "DTM+194:20040229:102"}));
    EXPECT_EQ(r,
              (Records{"4,SSAAMMJJ,d1:1,1,415", "5,2005 ou 2006,d1:1,1,416", "7,06,d1:1,1,433"}));
    EXPECT_EQ(Doss(1, 4, 2, 1, 1), "20040229");
    EXPECT_EQ(Doss(1, 4, 2, 1, 0), "194");
    EXPECT_EQ(Doss(1, 4, 2, 1, 2), "102");

    r = Check(Message({"SEQ++1", Ind("KTVECE", "05", "0000", "0021", "DTM"), "DTM+194:20060115:102",
                       "DTM+137:2006131:102", "DTM+194:20050115"}));
    EXPECT_EQ(r, (Records{"4,05,d1:1,1,433", "5,194,d1:0,1,008", "5,8,d1:1,1,080",
                          "5,SSAAMMJJ,d1:1,1,415", "6,3 attendue(s).,l1,1,404"}));
}

TEST_F(DetailsTest, PercentagesAreWrittenWithADecimalComma) {
    // A second percentage code so the range rules can be seen without the 0051 cap.
    const std::string table = ReadBytes(platform->Directory() + "/tbl_code_segment.txt");
    WriteBytes(platform->Directory() + "/tbl_code_segment.txt", table + "0052 PCD\n");
    Initialise_Table_Codes_Segments_Lib();

    Records r = Check(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0052", "PCD"), "PCD+16:12.5",
                               "PCD+16:12.345", "PCD+16:1000", "PCD+16:1000.5", "PCD+16:12,50"}));
    EXPECT_EQ(r, (Records{"5,,d1:1,1,412", "7,,d1:1,1,412"}));
    EXPECT_EQ(Doss(1, 11, 1, 1, 0), "16");
    EXPECT_EQ(Doss(1, 11, 1, 1, 1), "12,50");

    r = Check(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0052", "PCD"), "PCD+16:12.5"}));
    EXPECT_TRUE(r.empty());
    EXPECT_EQ(Doss(1, 11, 1, 1, 1), "12,5");

    r = Check(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0051", "PCD"), "PCD+16:100",
                       "PCD+16:100.5", "PCD+16:-5"}));
    EXPECT_EQ(r, (Records{"5,,d1:1,1,2OP", "6,,d1:1,1,412"}));

    SetFacChecksEnabled(false);
    r = Check(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0051", "PCD"), "PCD+16:100.5"}));
    EXPECT_TRUE(r.empty());
}

TEST_F(DetailsTest, UnreadablePercentageIsAnUnexpectedFailure) {
    const Records r = Check(
        Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0051", "PCD"), "PCD+16:1O", "PCD+16:5"}));
    EXPECT_EQ(r, (Records{W("4,Numérique Attendu,d1:1,1,800"), "4,!13!,d1,1,777"}));
    EXPECT_EQ(Doss(1, 11, 1, 1, 1), "5");
    ASSERT_EQ(platform->messages.size(), 1u);
    EXPECT_EQ(platform->MessageTextsUtf8()[0],
              "13 : Une erreur inattendue s'est produite sur un segment PCD dans le dossier n°1");
}

TEST_F(DetailsTest, AddressGoesOnAfterAWrongComponentCount) {
    const Records r = Check(
        Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0050", "NAD"),
                 "NAD+PE+ID1:ZZ+X+NOM DU BENEFICIAIRE", "NAD+PE+ABCDEFGHIJKLMN  :ZZ:ZZ++NOM"}));
    EXPECT_EQ(r, (Records{"4,3 attendue(s).,l2,1,404", "4,,l3,1,445"}));
    EXPECT_EQ(Doss(1, 5, 5, 1, 0), "PE");
    // Checked without its surrounding spaces, stored as written.
    EXPECT_EQ(Doss(1, 5, 5, 2, 0), "ABCDEFGHIJKLMN  ");
    EXPECT_EQ(Doss(1, 5, 5, 2, 1), "ZZ");
    EXPECT_EQ(Doss(1, 5, 5, 4, 0), "NOM");
}

TEST_F(DetailsTest, CharacteristicReferenceAndValue) {
    const Records r = Check(Message({
        "SEQ++1",
        Ind("FACCE", "06", "0001", "0139", "CCI"),
        "CCI+++ZZ:X:ZZ",  // 4: 445 at d3:1
        "CCI+A++ZZ::ZZ",  // 5: 445 at l1
        "CCI+++ZZ:ZZ",    // 6: 404
        "SEQ++2",
        Ind("KTVECE", "06", "0000", "0020", "RFF"),
        "RFF+ABC:REF-0001",  // 9
        "RFF+ABC",           // 10: 404
        "CAV+Y:A:B",         // 11: 008
        "CAV+X:A:B",
        "CAV+:A:B",
    }));
    EXPECT_EQ(r, (Records{"4,,d3:1,1,445", "5,,l1,1,445", "6,3 attendue(s).,l3,1,404",
                          "10,2 attendue(s).,l1,1,404", "11,X ou vide,d1:0,1,008"}));
    EXPECT_EQ(Doss(1, 12, 1, 3, 0), "ZZ");
    EXPECT_EQ(Doss(1, 12, 1, 3, 2), "ZZ");
    EXPECT_EQ(Doss(2, 6, 3, 1, 0), "ABC");
    EXPECT_EQ(Doss(2, 6, 3, 1, 1), "REF-0001");
    EXPECT_EQ(Doss(2, 13, 1, 1, 0), "");
    EXPECT_EQ(Doss(2, 13, 1, 1, 1), "A");
}

}  // namespace
}  // namespace trelvane::test

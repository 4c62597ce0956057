// SEQ and IND rule sets on whole messages: group numbering, the fields of
// the information identifier, the detail state they fill, empty declarations
// and the failure path of an annex number the lists cannot hold.
#include <gtest/gtest.h>

#include "config/modIOfunctions.h"
#include "detail_walk.h"

namespace trelvane::test {
namespace {

using Records = std::vector<std::string>;

class SeqIndTest : public DetailTest {};

TEST_F(SeqIndTest, GroupsMustBeNumberedInOrder) {
    const Records r = Check(Message({
        "SEQ++1", Ind("KTVECE", "06", "0000", "0010", "MOA"), "MOA+203:1000",  // 2..4
        "SEQ++2", Ind("KTVECE", "06", "0000", "0055", "MOA"), "MOA+203:1000",  // 5..7
        "SEQ++4", Ind("KTVECE", "06", "0000", "0016", "MOA"), "MOA+203:10",    // 8..10
    }));
    EXPECT_EQ(r, (Records{"8,3,d2,1,406"}));
    // Stored under the group counter, whatever number the sender wrote.
    EXPECT_EQ(Doss(1, 7, 1, 2, 0), "1");
    EXPECT_EQ(Doss(3, 7, 1, 2, 0), "4");
    EXPECT_EQ(Doss(2, 8, 1, 2, 0), "KTVECE  060000000055MOA");
    EXPECT_EQ(Detail().MainFormCodes, "0010.0055.0016.");
    EXPECT_EQ(Detail().DossierYear, "06");
    EXPECT_TRUE(platform->messages.empty());
}

TEST_F(SeqIndTest, SeqElementOneMustStayEmptyAndTheNumberMustBeReadable) {
    checkAtUnt = false;
    Records r = Check(Message({"SEQ+X+1"}));
    EXPECT_EQ(r, (Records{"2,,l1,1,445"}));
    EXPECT_EQ(Doss(1, 7, 1, 2, 0), "1");

    // An empty number: 444 from the element check, then no number to compare.
    r = Check(Message({"SEQ++"}));
    EXPECT_EQ(r, (Records{"2,,l2,1,444", "2,!13!,d2,1,777"}));
    ASSERT_EQ(platform->messages.size(), 1u);
    EXPECT_EQ(platform->MessageTitlesUtf8()[0], "Erreur non gérée");
    EXPECT_EQ(platform->MessageTextsUtf8()[0],
              "13 : Une erreur inattendue s'est produite sur un segment SEQ dans le dossier n°1");
    EXPECT_EQ(platform->messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(Doss(1, 7, 1, 2, 0), "");
}

TEST_F(SeqIndTest, AnnexCodesAreListedPerAnnexInOrder) {
    checkAtUnt = false;
    const Records r = Check(Message({
        "SEQ++1",
        Ind("KTVECE", "06", "0000", "0010", "MOA"),
        "MOA+203:500",
        "SEQ++2",
        Ind("FACCE", "06", "0002", "0035", "MOA"),
        "MOA+203:300",
        "SEQ++3",
        Ind("FACCE", "06", "0002", "0139", "CCI"),
        "CCI+++ZZ::ZZ",
        "SEQ++4",
        Ind("FACIS", "06", "0001", "0235", "MOA"),
        "MOA+203:40",
    }));
    EXPECT_TRUE(r.empty()) << r[0];
    const DetailState& d = Detail();
    EXPECT_EQ(d.MainFormCodes, "0010.");
    EXPECT_EQ(d.FacceCodes[2], "0035.0139.");
    EXPECT_EQ(d.FacisCodes[1], "0235.");
    EXPECT_EQ(d.CurrentFacceNumber, 2);
    EXPECT_EQ(d.CurrentFacisNumber, 1);
    EXPECT_EQ(d.CurrentInfoCode, "0235");
    EXPECT_EQ(d.FacceSum0035And0045[2], 300);
    EXPECT_EQ(d.SumAmounts0010To0015, 500);
}

TEST_F(SeqIndTest, OnlyAFacceIndOfAnotherAnnexResetsTheFreeTextCount) {
    checkAtUnt = false;
    const std::vector<std::string> annex1 = {"SEQ++1", Ind("FACCE", "06", "0001", "0120", "FTX"),
                                             "FTX+AAI+++un", "FTX+AAI+++deux", "FTX+AAI+++trois"};
    Check(Message(annex1));
    EXPECT_EQ(Detail().FtxCounter, 3);

    Check(Message(Join(annex1, {"SEQ++2", Ind("FACCE", "06", "0002", "0120", "FTX")})));
    EXPECT_EQ(Detail().FtxCounter, 0);

    Check(Message(Join(
        annex1,
        {"SEQ++2", Ind("FACCE", "06", "0002", "0120", "FTX"), "FTX+AAI+++quatre", "SEQ++3",
         Ind("FACCE", "06", "0002", "0120", "FTX"), Ind("FACIS", "06", "0003", "0235", "MOA")})));
    EXPECT_EQ(Detail().FtxCounter, 1);
}

TEST_F(SeqIndTest, AnnexNumberRules) {
    checkAtUnt = false;
    Records r = Check(Message({
        "SEQ++1", Ind("FACCE", "06", "0000", "0035", "MOA"),   // 3: 427
        "SEQ++2", Ind("KTVECE", "06", "0001", "0010", "MOA"),  // 5: 426
        "SEQ++3", Ind("FACIS", "06", "0000", "0235", "MOA"),   // 7: 427
    }));
    EXPECT_EQ(r, (Records{"3,FACCE,d2,1,427", "5,,d2,1,426", "7,FACIS,d2,1,427"}));
    EXPECT_EQ(Detail().FacceCodes[0], "0035.");
    EXPECT_EQ(Detail().FacisCodes[0], "0235.");
    EXPECT_EQ(Detail().FacceCodes[1], "");
    EXPECT_EQ(Detail().MainFormCodes, "0010.");

    // Without the annex checks an annex numbered 0000 is let through.
    SetFacChecksEnabled(false);
    r = Check(Message({"SEQ++1", Ind("FACCE", "06", "0000", "0035", "MOA")}));
    EXPECT_TRUE(r.empty());
}

TEST_F(SeqIndTest, UnreadableAnnexNumberSendsAmountsToSlotZero) {
    checkAtUnt = false;
    const Records r = Check(Message({
        "SEQ++1", Ind("FACCE", "06", "0003", "0035", "MOA"), "MOA+203:100", "SEQ++2",
        Ind("FACCE", "06", "00A1", "0035", "MOA"), "MOA+203:70",  // 6: 424
    }));
    EXPECT_EQ(r, (Records{"6,,d2,1,424"}));
    const DetailState& d = Detail();
    EXPECT_EQ(d.CurrentFacceNumber, 0);
    EXPECT_EQ(d.CurrentFacisNumber, 0);
    EXPECT_EQ(d.FacceSum0035And0045[3], 100);
    EXPECT_EQ(d.FacceSum0035And0045[0], 70);
    EXPECT_EQ(d.FacceCodes[3], "0035.");
    EXPECT_EQ(d.FacceCodes[0], "");
}

TEST_F(SeqIndTest, SignedAnnexNumberReadsAsItsValue) {
    checkAtUnt = false;
    const Records r = Check(Message({
        "SEQ++1",
        Ind("FACCE", "06", "-000", "0035", "MOA"),
        "MOA+203:40",
        "SEQ++2",
        Ind("FACCE", "06", "0012", "0035", "MOA"),
        "MOA+203:5",
    }));
    EXPECT_TRUE(r.empty());
    const DetailState& d = Detail();
    EXPECT_EQ(d.FacceCodes[0], "0035.");
    EXPECT_EQ(d.FacceSum0035And0045[0], 40);
    EXPECT_EQ(d.FacceCodes[12], "0035.");
    EXPECT_EQ(d.FacceSum0035And0045[12], 5);
    EXPECT_EQ(d.CurrentFacceNumber, 12);
}

TEST_F(SeqIndTest, YearsOfTheLastThreeCampaigns) {
    checkAtUnt = false;
    platform->yearCamp = "2006";
    Records r = Check(Join(Join(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0010", "MOA")}),
                                Message({"SEQ++1", Ind("KTVECE", "05", "0000", "0010", "MOA")})),
                           Join(Message({"SEQ++1", Ind("KTVECE", "04", "0000", "0010", "MOA")}),
                                Message({"SEQ++1", Ind("KTVECE", "03", "0000", "0010", "MOA")}))));
    EXPECT_EQ(r, (Records{"18,05 ou 06,d2,4,2OM"}));

    // Every IND of a message carries the year of its first IND.
    r = Check(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0010", "MOA"), "SEQ++2",
                       Ind("KTVECE", "05", "0000", "0055", "MOA")}));
    EXPECT_EQ(r, (Records{"5,06,d2,1,432"}));

    // The turn of the century keeps two digits.
    platform->yearCamp = "2001";
    CurrentRun().content.reset();  // another run, which reads its year again
    r = Check(Message({"SEQ++1", Ind("KTVECE", "99", "0000", "0010", "MOA")}));
    EXPECT_TRUE(r.empty());
    r = Check(Message({"SEQ++1", Ind("KTVECE", "98", "0000", "0010", "MOA")}));
    EXPECT_EQ(r, (Records{"3,00 ou 01,d2,1,2OM"}));
}

TEST_F(SeqIndTest, InformationCodeAgainstTheDictionary) {
    checkAtUnt = false;
    const Records r = Check(Message({
        "SEQ++1", Ind("KTVECE", "06", "0000", "0010", "FTX"),  // 3: 423
        "SEQ++2", Ind("KTVECE", "06", "0000", "0099", "MOA"),  // 5: 2OL
        "SEQ++3", Ind("FACXX", "06", "0000", "0010", "MOA"),   // 7: 419
        "SEQ++4", "IND++KTVECE  0600000A0010MOA",              // 9: 425
    }));
    EXPECT_EQ(r, (Records{"3,Code 0010 pour MOA,d2,1,423",
                          "5,le dictionnaire des informations0099,d2,1,2OL",
                          "7,KTVECE ou FACCE ou FACIS,d2,1,419", "9,,d2,1,425"}));
}

TEST_F(SeqIndTest, EmptyDeclarationMustStandAloneBeforeUnt) {
    SetBgmFunctionPresent(true);
    const std::string zzz = Ind("KTVECE", "06", "0000", "0000", "ZZZ");
    Records r = Check(Message({"SEQ++1", zzz}));
    EXPECT_TRUE(r.empty()) << r[0];

    r = Check(Message({"SEQ++1", zzz, "MOA+203:0:::62"}));
    EXPECT_EQ(r, (Records{"3,,d2,1,422"}));

    // A declaration with a message function must be empty.
    r = Check(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0010", "MOA"), "MOA+203:10"}));
    EXPECT_EQ(CodesOf(r), (Records{"450"}));

    SetBgmFunctionPresent(false);
    r = Check(Message(
        {"SEQ++1", Ind("KTVECE", "06", "0000", "0010", "MOA"), "MOA+203:10", "SEQ++2", zzz}));
    EXPECT_EQ(r, (Records{"6,,d2,1,421", "6,,d2,1,449"}));
}

TEST_F(SeqIndTest, EmptyDeclarationAtTheVeryEndOfTheFile) {
    SetBgmFunctionPresent(true);
    // A truncated file: nothing follows the IND, which is not a failure.
    const Records r = Check({"UNH+1+KTV:D:00B:UN:KTV001", "BGM+KTV::ZZ+DOC0001+9", "SEQ++1",
                             Ind("KTVECE", "06", "0000", "0000", "ZZZ")});
    EXPECT_EQ(r, (Records{"3,,d2,1,422"}));
    EXPECT_TRUE(platform->messages.empty());
}

TEST_F(SeqIndTest, EmptyIdentifierFailsEveryField) {
    checkAtUnt = false;
    SetBgmFunctionPresent(true);
    const Records r = Check(Message({"SEQ++1", "IND++"}));
    EXPECT_EQ(r, (Records{"3,,l2,1,444", "3,KTVECE ou FACCE ou FACIS,d2,1,419",
                          "3,05 ou 06,d2,1,2OM", "3,,d2,1,424", "3,,d2,1,425",
                          "3,le dictionnaire des informations,d2,1,2OL", "3,,d2,1,450"}));
    EXPECT_EQ(Doss(1, 8, 1, 2, 0), "");
}

TEST_F(SeqIndTest, ShortIdentifierIsCutByPosition) {
    checkAtUnt = false;
    const Records r = Check(Message({"SEQ++1", "IND++KTVECE  06"}));
    EXPECT_EQ(CodesOf(r), (Records{"080", "424", "426", "425", "2OL"}));
    EXPECT_EQ(Detail().MainFormCodes, ".");
    EXPECT_EQ(Detail().DossierYear, "06");
}

TEST_F(SeqIndTest, AnnexNumberBeyondTheListsIsAnUnexpectedFailure) {
    checkAtUnt = false;
    TraceOn();
    const Records r = Check(Message({
        "SEQ++1", Ind("FACCE", "06", "0001", "0035", "MOA"), "MOA+203:100",  // 2..4
        "SEQ++2", Ind("FACCE", "06", "0150", "0045", "MOA"), "MOA+203:70",   // 5..7
        "SEQ++3", Ind("KTVECE", "06", "0000", "0010", "MOA"), "MOA+203:70",  // 8..10
    }));
    EXPECT_EQ(r, (Records{"6,!9!,d2,1,777", "7,!9!,d1,1,777"}));
    ASSERT_EQ(platform->messages.size(), 2u);
    EXPECT_EQ(platform->MessageTextsUtf8()[0],
              "9 : Une erreur inattendue s'est produite sur un segment IND dans le dossier n°1");
    EXPECT_EQ(platform->MessageTextsUtf8()[1],
              "9 : Une erreur inattendue s'est produite sur un segment MOA dans le dossier n°1");
    // What was set before the failure stays; the code of the group is not taken.
    const DetailState& d = Detail();
    EXPECT_EQ(d.FacceCodes[1], "0035.");
    EXPECT_EQ(d.FacceSum0035And0045[1], 100);
    EXPECT_EQ(d.SumAmounts0010To0015, 70);
    EXPECT_EQ(Doss(2, 8, 1, 2, 0), "FACCE   060150000045MOA");

    const std::string log = TraceLog();
    EXPECT_NE(log.find("9: Segment n°7"), std::string::npos);
    EXPECT_NE(log.find("9: Segment n°8 Calcul des cumuls invalide ?"), std::string::npos);
}

TEST_F(SeqIndTest, InformationCodeOutlivesTheMessage) {
    checkAtUnt = false;
    Check(Message({"SEQ++1", Ind("KTVECE", "06", "0000", "0051", "PCD"), "PCD+16:50"}));
    ResetDetailState();
    EXPECT_EQ(Detail().CurrentInfoCode, "0051");
    EXPECT_EQ(Detail().MainFormCodes, "");
    EXPECT_EQ(Detail().DossierYear, "");
}

}  // namespace
}  // namespace trelvane::test

// The dossier header rule sets (DTM1, NAD1 to NAD4, RFF1, RFF2) on
// realistic interchanges, and the registry of declarants met twice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Cp1252.h"
#include "content/ReferenceTables.h"
#include "content/modKTVContentChecker.h"
#include "content/modKTVContentENT2.h"
#include "conversion/modKTVConversionFunctions.h"
#include "run/modMainFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane {
namespace {

using test::ScriptedPlatform;
using test::W;

std::string Nad4(const std::string& nir) {
    return "NAD+DT+" + nir + ":ZZ:ZZ++DURAN:DURAND JEAN+8 PLACE BELLECOUR+LYON++69002+FR";
}

// One message of the valid sample; its NAD4 is segment 6 of the message.
std::vector<std::string> Message(int reference, const std::string& nir = "1750175123456") {
    const std::string ref = std::to_string(reference);
    return {"UNH+" + ref + "+KTV:D:00B:UN:KTV001",
            "BGM+KTV::ZZ+DOC0001",
            "DTM+137:20251215:102",
            "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS++75001+FR",
            "NAD+MR+CSEKTV:ZZ:ZZ",
            "NAD+EM+EMP00001:ZZ:ZZ++SOCIETE MARTIN+3 AVENUE FOCH+LYON++69001+FR",
            Nad4(nir),
            "SEQ++1",
            "IND++KTVECE  250000000010MOA",
            "MOA+203:15000",
            "UNT+11+" + ref};
}

// Segment indexes in a one-message interchange.
constexpr std::size_t kDTM = 4, kNAD1 = 5, kNAD2 = 6, kNAD3 = 7, kNAD4 = 8;

std::vector<std::string> Interchange(const std::vector<std::vector<std::string>>& messages) {
    std::vector<std::string> texts = {
        "UNA:+,? ",
        "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+REF00000001+++++KTV001"};
    for (const auto& m : messages)
        texts.insert(texts.end(), m.begin(), m.end());
    texts.push_back("UNZ+" + std::to_string(messages.size()) + "+REF00000001");
    return texts;
}

class Header : public ::testing::Test {
  protected:
    void SetUp() override {
        State().Delimiters = {"'", "+", ":", "?"};
        platform.yearCamp = "2025";  // the campaign of the sample's declarations
    }

    StringList Run(const std::vector<std::string>& texts) {
        segments = SegmentTexts();
        for (const auto& t : texts)
            segments.push_back(t);
        const StringList errors = ManageCContentKTV(segments);
        return StringList(errors.begin() + 1, errors.end());
    }
    StringList RunWith(std::size_t index, const std::string& text) {
        auto texts = Interchange({Message(1)});
        texts[index] = text;
        return Run(texts);
    }

    ScriptedPlatform platform;
    SegmentTexts segments;
};

TEST_F(Header, ValidHeaderIsStored) {
    EXPECT_EQ(Run(Interchange({Message(1)})), StringList{});
    EXPECT_EQ(Doss(0, 4, 1, 1, 0), "137");
    EXPECT_EQ(Doss(0, 4, 1, 1, 1), "20251215");
    EXPECT_EQ(Doss(0, 4, 1, 1, 2), "102");
    EXPECT_EQ(Doss(0, 5, 1, 1, 0), "MS");
    EXPECT_EQ(Doss(0, 5, 1, 2, 0), "SENDER01");
    EXPECT_EQ(Doss(0, 5, 1, 4, 0), "CABINET DUPONT");
    EXPECT_EQ(Doss(0, 5, 1, 5, 0), "12 RUE DES LILAS");
    EXPECT_EQ(Doss(0, 5, 1, 6, 0), "PARIS");
    EXPECT_EQ(Doss(0, 5, 1, 8, 0), "75001");
    EXPECT_EQ(Doss(0, 5, 1, 9, 0), "FR");
    EXPECT_EQ(Doss(0, 5, 2, 1, 0), "MR");
    EXPECT_EQ(Doss(0, 5, 2, 2, 0), "CSEKTV");
    EXPECT_EQ(Doss(0, 5, 2, 2, 2), "ZZ");
    EXPECT_EQ(Doss(0, 5, 3, 4, 0), "SOCIETE MARTIN");
    EXPECT_EQ(Doss(0, 5, 4, 1, 0), "DT");
    EXPECT_EQ(Doss(0, 5, 4, 2, 0), "1750175123456");
    EXPECT_EQ(Doss(0, 5, 4, 4, 0), "DURAN");
    EXPECT_EQ(Doss(0, 5, 4, 4, 1), "DURAND JEAN");
    EXPECT_EQ(Doss(0, 5, 4, 6, 0), "LYON");
}

TEST_F(Header, DeclarationDate) {
    EXPECT_EQ(RunWith(kDTM, "DTM+137:20250230:102"), StringList{"4,SSAAMMJJ,d1:1,1,415"});
    EXPECT_EQ(Doss(0, 4, 1, 1, 1), "20250230");  // its format passed
    EXPECT_EQ(RunWith(kDTM, "DTM+137:20241231:102"), StringList{});
    EXPECT_EQ(RunWith(kDTM, "DTM+137:20240229:102"), StringList{});
    EXPECT_EQ(RunWith(kDTM, "DTM+137:2025131:102"),
              (StringList{"4,8,d1:1,1,080", "4,SSAAMMJJ,d1:1,1,415"}));
    EXPECT_EQ(Doss(0, 4, 1, 1, 1), "");
    EXPECT_EQ(RunWith(kDTM, "DTM+138:20251215:203"),
              (StringList{"4,137,d1:0,1,008", "4,102,d1:2,1,008"}));
    EXPECT_EQ(Doss(0, 4, 1, 1, 0), "");
    EXPECT_EQ(Doss(0, 4, 1, 1, 1), "20251215");
    // A composite of the wrong size: no format, no date rule.
    EXPECT_EQ(RunWith(kDTM, "DTM+137:20251315"), StringList{"4,3 attendue(s).,l1,1,404"});
    EXPECT_EQ(RunWith(kDTM, "DTM+"), StringList{"4,3 attendue(s).,l1,1,404"});
}

TEST_F(Header, NamesAndAddresses) {
    // Name made of spaces in NAD4: the blank rule, besides the format check.
    EXPECT_EQ(RunWith(kNAD4,
                      "NAD+DT+1750175123456:ZZ:ZZ++   :DURAND JEAN+8 PLACE BELLECOUR+"
                      "LYON++69002+FR"),
              StringList{W("8,1 à 5,d4:0,1,080")});
    EXPECT_EQ(RunWith(kNAD4,
                      "NAD+DT+1750175123456:ZZ:ZZ++DURAND:DURAND JEAN+8 PLACE "
                      "BELLECOUR+LYON++69002+FR"),
              StringList{"8,5,d4:0,1,080"});
    EXPECT_EQ(RunWith(kNAD4,
                      "NAD+DT+1750175123456:ZZ:ZZ++:DURAND JEAN+8 PLACE BELLECOUR+"
                      "LYON++69002+FR"),
              StringList{W("8,1 à 5,d4:0,1,080")});
    EXPECT_EQ(RunWith(kNAD4,
                      "NAD+DT+1750175123456:ZZ:ZZ++DURAND JEAN+8 PLACE BELLECOUR+"
                      "LYON++69002+FR"),
              StringList{"8,2 attendue(s).,l4,1,404"});
    // NAD1 with a two-part name, a blank street, used elements 3 and 7.
    EXPECT_EQ(RunWith(kNAD1, "NAD+MS+SENDER01:ZZ:ZZ+X+CABINET:DUPONT+  +PARIS+Y+75001+FR"),
              (StringList{"5,,l3,1,445", "5,,l4,1,444", W("5,1 à 35,d5:0,1,080"), "5,,l7,1,445"}));
    // A street of four lines.
    EXPECT_EQ(RunWith(kNAD3, "NAD+EM+EMP00001:ZZ:ZZ++SOCIETE MARTIN+A:B:C:D+LYON++69001+FR"),
              StringList{"7,1 ou 3 attendue(s).,l5,1,404"});
    EXPECT_EQ(Doss(0, 5, 3, 5, 0), "");
    EXPECT_EQ(RunWith(kNAD3, "NAD+EM+EMP00001:ZZ:ZZ++SOCIETE MARTIN+A:B:C+LYON++69001+FR"),
              StringList{});
    EXPECT_EQ(Doss(0, 5, 3, 5, 2), "C");
    // Empty mandatory elements and a party identifier of two components.
    EXPECT_EQ(RunWith(kNAD3, "NAD+EM+EMP00001:ZZ++SOCIETE MARTIN+3 AVENUE FOCH+++:X+FR"),
              (StringList{"7,3 attendue(s).,l2,1,404", "7,,l6,1,444", "7,,l8,1,444"}));
}

TEST_F(Header, CountryCodeOnlyWhenGiven) {
    EXPECT_EQ(RunWith(kNAD1,
                      "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS++"
                      "75001+FRANCE"),
              StringList{"5,3,d9,1,080"});
    EXPECT_EQ(RunWith(kNAD1,
                      "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS++"
                      "75001"),
              StringList{});
    EXPECT_EQ(Doss(0, 5, 1, 9, 0), "");
    EXPECT_EQ(RunWith(kNAD1,
                      "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS++"
                      "75001+"),
              StringList{"5,,l9,1,444"});
}

TEST_F(Header, SecondNameAndAddress) {
    EXPECT_EQ(RunWith(kNAD2, "NAD+MR:X+CSEKTV:ZZ:ZZ"), StringList{"6,,l1,1,444"});
    EXPECT_EQ(RunWith(kNAD2, "NAD+MR+CSEKTV:ZZ"), StringList{"6,3 attendue(s).,l2,1,404"});
    EXPECT_EQ(RunWith(kNAD2, "NAD+MR+CSEKTV:ZZZZ:ZZ"), StringList{"6,3,d2:1,1,080"});
    EXPECT_EQ(Doss(0, 5, 2, 2, 1), "");
    EXPECT_EQ(Doss(0, 5, 2, 2, 2), "ZZ");
}

TEST_F(Header, References) {
    // The qualifier number takes part in the key: make RFF2 stricter than RFF1.
    const std::string table = test::ReadBytes(platform.Directory() + "/tbl_data_format.txt");
    test::WriteBytes(platform.Directory() + "/tbl_data_format.txt",
                     "\"RFF_2_C506_1153\",\"fa\",2,\"R2\"\r\n" + table);
    auto m = Message(1);
    m.insert(m.begin() + 5, "RFF+AB1:REF,1");  // RFF1, between NAD2 and NAD3
    m.insert(m.begin() + 8, "RFF+AB1:REF2");   // RFF2, after NAD4
    EXPECT_EQ(Run(Interchange({m})), StringList{"10,R2,d1:0,1,008"});
    EXPECT_EQ(Doss(0, 6, 1, 1, 0), "AB1");
    EXPECT_EQ(Doss(0, 6, 1, 1, 1), "REF,1");
    EXPECT_EQ(Doss(0, 6, 2, 1, 0), "");
    EXPECT_EQ(Doss(0, 6, 2, 1, 1), "REF2");

    m[5] = "RFF+AB1";
    m[8] = "RFF+R2:" + std::string(36, 'X');
    EXPECT_EQ(Run(Interchange({m})), (StringList{"7,2 attendue(s).,l1,1,404", "10,35,d1:1,1,080"}));
    EXPECT_EQ(Doss(0, 6, 2, 1, 0), "R2");
}

TEST_F(Header, DeclarantInSeveralDossiers) {
    const auto texts = Interchange({Message(1, "1750175123456"), Message(2, "2800175123456"),
                                    Message(3, "1750175123456"), Message(4, "2800175123456"),
                                    Message(5, "1750175123456"), Message(6, "1990175123456")});
    // NAD4 of message k lies at 2 + 11 (k - 1) + 6.
    const StringList expected = {"8,1750175123456,d2,1,010", "30,1750175123456,d2,3,010",
                                 "41,2800175123456,d2,4,010", "52,1750175123456,d2,5,010"};
    EXPECT_EQ(Run(texts), expected);
    // The registry starts empty at every run.
    EXPECT_EQ(Run(texts), expected);
}

TEST_F(Header, DuplicateRuleRunsOnAFailedIdentifier) {
    const auto texts = Interchange({Message(1, "17501751234AB"), Message(2, "17501751234AB")});
    EXPECT_EQ(Run(texts), (StringList{"8," + W("Numérique Attendu") + ",d2:0,1,800",
                                      "19," + W("Numérique Attendu") + ",d2:0,2,800",
                                      "8,17501751234AB,d2,1,010", "19,17501751234AB,d2,2,010"}));
}

TEST_F(Header, IdentifierWithACommaIsShownWithASemicolon) {
    const auto texts = Interchange({Message(1, "1750,75123456"), Message(2, "1750,75123456")});
    const StringList records = Run(texts);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[2], "8,1750;75123456,d2,1,010");
    EXPECT_EQ(records[3], "19,1750;75123456,d2,2,010");
}

TEST_F(Header, UnexpectedFailureIsRecorded) {
    // Called on a segment that did not go through the element count check.
    SegmentTexts list;
    list.push_back("NAD+DT");
    StringList errors{"[Contenu]"};
    SegmentContext ctx{errors, list, 0, 7, {}, {}, -1, {}};
    Traite_NAD134(ctx, 4);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[1], "0,!9!,d2,7,777");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, W("Erreur non gérée"));
    EXPECT_EQ(platform.messages[0].text,
              W("9 : Une erreur inattendue s'est produite sur un segment NAD134 dans le "
                "dossier n°7"));
    list.push_back("RFF");
    ctx.index = 1;
    Traite_RFF12(ctx, 2);
    EXPECT_EQ(errors.back(), "1,!9!,d1,7,777");
    EXPECT_EQ(platform.messages.back().text,
              W("9 : Une erreur inattendue s'est produite sur un segment RFF12 dans le "
                "dossier n°7"));
    list.push_back("DTM");
    ctx.index = 2;
    Traite_DTM1(ctx);
    EXPECT_EQ(errors.back(), "2,!9!,d1,7,777");
    list.push_back("NAD+MR");
    ctx.index = 3;
    Traite_NAD2(ctx);
    EXPECT_EQ(errors.back(), "3,!9!,d2,7,777");
    EXPECT_EQ(platform.messages.back().text,
              W("9 : Une erreur inattendue s'est produite sur un segment NAD2 dans le "
                "dossier n°7"));
    EXPECT_EQ(platform.messages.size(), 4u);
}

}  // namespace
}  // namespace trelvane

// The content checks through their driver, one case a line: a segment of
// the valid sample changed (or detail groups in place of the sample's), and
// the records the check must give. Records are "segment,detail,position,
// dossier,code", joined by " | ".
#include <gtest/gtest.h>

#include "run/modToolsFunctions.h"
#include "support/Samples.h"

namespace trelvane::test {
namespace {

class ContentRules : public ::testing::Test {
  protected:
    void SetUp() override { platform.yearCamp = kCampaign; }
    ScriptedPlatform platform;
};

const Change kChanges[] = {
    {kUNA, "", "UNA:+.? ", "0,;? ,d1,0,008"},
    {kUNA, "", "UNA;+,? ", "0,UNA:,d0,0,008"},
    {kUNA, "", "UNA:+,? +X", "0,1 attendue(s).,ERR,0,402"},
    {kUNB, "251215", "251315", "1,AAMMJJ,d4:0,0,415"},
    {kUNB, "251215:1030", "251231:2359", ""},
    {kUNB, "251215:1030", "240229:0000", ""},
    {kUNB, "251215:1030", "250229:0000", "1,AAMMJJ,d4:0,0,415"},
    {kUNB, "1030", "1060", "1,,d4:1,0,414"},
    {kUNB, "1030", "2400", "1,,d4:1,0,414"},
    {kUNB, "1030", "AB30", "1,Numérique Attendu,d4:1,0,800"},
    {kUNB, "1030", "1A3", "1,,d4:1,0,880"},
    {kUNB, "251215", "2513", "1,6,d4:0,0,080 | 1,AAMMJJ,d4:0,0,415"},
    {kUNB, ":1030", "", "1,2 attendue(s).,l4,0,404"},
    {kUNB, "SENDER01", "  SENDER01234567  ", ""},  // checked without its padding
    {kUNB, "SENDER01", "SENDER01234567X", "1,14,d2:0,0,080"},
    {kUNB, "251215:1030", "", "1,2 attendue(s).,l4,0,404"},
    {kUNB, "UNOC:3", "UNOX:3:9", "1,2 attendue(s).,l1,0,404"},
    {kUNB, "UNOC:3", "UNOX:4", "1,UNOC,d1:0,0,008 | 1,3,d1:1,0,008"},
    {kUNB, "SENDER01:", "  SENDER0123456  :", ""},
    {kUNB, "+++++", "++X+++", "1,,l7,0,445"},
    {kUNB, "KTV001", "KTV001+1", ""},
    {kUNB, "KTV001", "KTV001+2", "1,1,d11,0,008"},
    {kUNB, "KTV001", "KTV:001", "1,,d10,0,444"},
    {kUNB, "KTV001", "KTV001+1+X", "1,10 ou 11 attendue(s).,ERR,0,402 | 16,,d2,1,418"},
    {kUNB, "1030+REF00000001++", "-130+OTHERREF++X", "1,!6!,d4,0,777 | 16,,d2,1,418"},
    {kUNB, "REF00000001", "REF,1", "16,REF;1,d2,1,418"},
    {kUNH, "UNH+1+", "UNH+A1+", "2,Numérique Attendu,d1,1,800 | 15,A1,d2,1,417"},
    {kUNH, ":KTV001", "", "2,5 attendue(s).,l2,1,404"},
    {kUNH, "KTV:D:00B", "KTW:D:00A", "2,KTV,d2:0,1,008 | 2,00B,d2:2,1,008"},
    {kUNH, "+KTV:D:00B:UN:KTV001", "", "2,2 attendue(s).,ERR,1,402 | 15,,d2,1,417"},
    {kBGM, "KTV::ZZ", "KTV:X:ZZ", "3,,d1:1,1,445"},
    {kBGM, "KTV::ZZ", "KTV:ZZ", "3,3 attendue(s).,l1,1,404"},
    {kBGM, "DOC0001", "DOC0001+9", "10,,d2,1,450 | 13,,d2,1,450"},
    {kBGM, "DOC0001", "DOC0001+ABCD", "3,3,d3,1,080 | 10,,d2,1,450 | 13,,d2,1,450"},
    {kBGM, "DOC0001", "DOC0001+9+X", "3,2 ou 3 attendue(s).,ERR,1,402"},
    {kBGM, "DOC0001", "DDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDD", "3,35,d2,1,080"},
    {kDTM, "1215", "0230", "4,SSAAMMJJ,d1:1,1,415"},
    {kDTM, "20251215", "20241231", ""},
    {kDTM, "20251215", "20240229", ""},
    {kDTM, "20251215", "2025131", "4,8,d1:1,1,080 | 4,SSAAMMJJ,d1:1,1,415"},
    {kDTM, "", "DTM+138:20251215:203", "4,137,d1:0,1,008 | 4,102,d1:2,1,008"},
    {kDTM, ":102", "", "4,3 attendue(s).,l1,1,404"},
    {kDTM, "", "DTM+", "4,3 attendue(s).,l1,1,404"},
    {kNAD1, "", "NAD+MS+SENDER01:ZZ:ZZ+X+CABINET:DUPONT+  +PARIS+Y+75001+FR",
     "5,,l3,1,445 | 5,,l4,1,444 | 5,1 à 35,d5:0,1,080 | 5,,l7,1,445"},
    {kNAD1, "FR", "FRANCE", "5,3,d9,1,080"},
    {kNAD1, "+FR", "", ""},
    {kNAD1, "FR", "", "5,,l9,1,444"},
    {kNAD1, "DUPONT", "DUPONT?+FILS", ""},
    {kNAD2, "", "NAD+MR:X+CSEKTV:ZZ:ZZ", "6,,l1,1,444"},
    {kNAD2, ":ZZ:ZZ", ":ZZ", "6,3 attendue(s).,l2,1,404"},
    {kNAD2, "ZZ:ZZ", "ZZZZ:ZZ", "6,3,d2:1,1,080"},
    {kNAD2, "ZZ:ZZ", "ZZ:ZZ'RFF+AB1:REF,1", ""},
    {kNAD2, "ZZ:ZZ", "ZZ:ZZ'RFF+AB1", "7,2 attendue(s).,l1,1,404"},
    {kNAD3, "3 AVENUE FOCH", "A:B:C:D", "7,1 ou 3 attendue(s).,l5,1,404"},
    {kNAD3, "3 AVENUE FOCH", "A:B:C", ""},
    {kNAD3, "", "NAD+EM+EMP00001:ZZ++SOCIETE MARTIN+3 AVENUE FOCH+++:X+FR",
     "7,3 attendue(s).,l2,1,404 | 7,,l6,1,444 | 7,,l8,1,444"},
    {kNAD4, "DURAN:", "   :", "8,1 à 5,d4:0,1,080"},
    {kNAD4, "DURAN:", "DURAND:", "8,5,d4:0,1,080"},
    {kNAD4, "DURAN:", ":", "8,1 à 5,d4:0,1,080"},
    {kNAD4, "DURAN:", "", "8,2 attendue(s).,l4,1,404"},
    {kNAD4, "1750175123456", "17501751234AB", "8,Numérique Attendu,d2:0,1,800"},
    {kNAD4, "+FR", "+FR'RFF+R2:123456789012345678901234567890123456", "9,35,d1:1,1,080"},
    {kNAD4, "+FR", "+FR'RFF+ABO:DOSSIER1", ""},
    {kSEQ1, "", "NAD'NAD'SEQ++1", "9,4 attendue(s).,ERR,1,402"},
    {kSEQ1, "", "SEQ+X+1", "9,,l1,1,445"},
    {kSEQ1, "", "SEQ++", "9,,l2,1,444 | 9,!13!,d2,1,777"},
    {kSEQ2, "2", "3", "12,2,d2,1,406"},
    {kIND1, "KTVECE", "FACXX ", "10,KTVECE ou FACCE ou FACIS,d2,1,419"},
    {kIND1, "0010MOA", "0010FTX", "10,Code 0010 pour MOA,d2,1,423"},
    {kIND1, "0010", "0099", "10,le dictionnaire des informations0099,d2,1,2OL"},
    {kIND1, "0000000010", "00000A0010", "10,,d2,1,425"},
    {kIND1, "0000000010", "0001000010", "10,,d2,1,426"},
    {kIND1, "KTVECE  250000000010MOA", "",
     "10,,l2,1,444 | 10,KTVECE ou FACCE ou FACIS,d2,1,419 | 10,24 ou 25,d2,1,2OM | 10,,d2,1,424 | "
     "10,,d2,1,425 | 10,le dictionnaire des informations,d2,1,2OL"},
    {kIND1, "0000000010MOA", "",
     "10,23,d2,1,080 | 10,,d2,1,424 | 10,,d2,1,426 | 10,,d2,1,425 | 10,le dictionnaire des "
     "informations,d2,1,2OL"},
    {kIND1, "25", "22", "10,24 ou 25,d2,1,2OM | 13,22,d2,1,432"},
    {kIND1, "25", "24", "13,24,d2,1,432"},
    {kIND2, "25", "24", "13,25,d2,1,432"},
    {kMOA1, "15000", "0", "11,,d1:1,1,411"},
    {kMOA1, "15000", "0:::62", ""},
    {kMOA1, "15000", "80:::63", "11,62 ou 65,d1:4,1,008"},
    {kMOA1, "15000", "80:X:Y:6",
     "11,,d1:2,1,445 | 11,,d1:3,1,445 | 11,2,d1:4,1,080 | 11,62 ou 65,d1:4,1,008"},
    {kMOA1, "15000", "15000:::65", ""},
    {kMOA1, "15000", "0:::65", "11,62 attendu,d1:4,1,410"},
    {kMOA1, ":15000", ":100:", "11,2 ou 5 attendue(s).,l1,1,404"},
    {kMOA1, ":15000", "", "11,2 ou 5 attendue(s).,l1,1,404"},
    {kMOA1, "15000", "-120", "11,,d1:1,1,434"},
    {kMOA1, "15000", "3000000000", "11,!6!,d1,1,777"},
    {kMOA1, "15000", "12A", "11,Numérique Attendu,d1:1,1,800 | 11,!13!,d1,1,777"},
    {kMOA1, "15000", "-2147483648:::65", "11,10,d1:1,1,080 | 11,,d1:1,1,434 | 11,!6!,d1,1,777"},
    {kMOA1, "15000", "15000+X", "11,1 attendue(s).,ERR,1,402"},
    {kMOA2, "", "MOA+203:15000'DTM+194:20251215:102'DTM", ""},
    {kUNT, "14+1", "14+2", "15,1,d2,1,417"},
    {kUNT, "14", "1A", "15,Numérique Attendu,d1,1,800"},
    {kUNT, "14", "-14", ""},
    {kUNT, "14", "?+", "15,Numérique Attendu,d1,1,800"},  // a sign alone
    {kUNT, "+1", "", "15,2 attendue(s).,ERR,1,402"},
    {kUNZ, "1+", "2+", "16,1,d1,1,413"},
    {kUNZ, "REF00000001", "REF2", "16,REF00000001,d2,1,418"},
    {kUNZ, "1+", "X+", "16,Numérique Attendu,d1,1,800 | 16,!13!,d1,1,777"},
    {kUNZ, "", "UNZ+1+REF00000001'UNZ+1?+2+3+4", "17,2 attendue(s).,ERR,1,402"},
    {kUNZ, "", "UNZ+1+REF00000001'FOO+1", ""},
};

TEST_F(ContentRules, OneSegmentOfTheSampleChanged) {
    for (const Change& c : kChanges)
        EXPECT_EQ(ContentRecords(Changed(c)), c.records)
            << std::to_string(c.at) + " " + c.from + " -> " + c.to;
}

// Detail groups in place of the sample's two.
struct GroupsCase {
    const char* groups;
    const char* records;
    const char* bgm = "BGM+KTV::ZZ+DOC0001";
};

const GroupsCase kDetails[] = {
    {"SEQ++1'IND++FACCE   250003000035MOA'MOA+203:0:::62'MOA+203:1500:::62'MOA+203:0:::65'"
     "MOA+203:250:::65'",
     "12,1500,d1:4,1,409 | 13,62 attendu,d1:4,1,410 | 15,Feuille annexe de calcul n°3,d0,1,428 | "
     "15,,d0,1,237 | 15,,d0,1,431"},
    {"SEQ++1'IND++FACCE   250000000035MOA'MOA+203:1'SEQ++2'IND++FACIS   250000000235MOA'"
     "MOA+203:1'",
     "10,FACCE,d2,1,427 | 13,FACIS,d2,1,427 | 15,,d0,1,431"},
    {"SEQ++1'IND++FACCE   250003000035MOA'MOA+203:100'SEQ++2'IND++FACCE   2500A1000035MOA'"
     "MOA+203:70'",
     "13,,d2,1,424 | 15,Feuille annexe de calcul n°3,d0,1,428 | 15,,d0,1,237 | 15,,d0,1,431"},
    {"SEQ++1'IND++FACCE   25-000000035MOA'MOA+203:40'SEQ++2'IND++FACCE   250012000035MOA'"
     "MOA+203:5'",
     "15,Feuille annexe de calcul n°12,d0,1,428 | 15,,d0,1,237 | 15,,d0,1,431"},
    {"SEQ++1'IND++FACCE   250001000035MOA'MOA+203:100'SEQ++2'IND++FACCE   250150000045MOA'"
     "MOA+203:70'SEQ++3'IND++KTVECE  250000000010MOA'MOA+203:70'",
     "13,!9!,d2,1,777 | 14,!9!,d1,1,777 | 18,Feuille annexe de calcul n°1,d0,1,428 | 18,,d0,1,237"},
    {"SEQ++1'IND++FACCE   250001000120FTX'FTX+AAI+++1'FTX+AAI+++2'FTX+AAI+++3'FTX+AAI+++4'"
     "FTX+AAI+++5'FTX+AAI+++6'FTX+AAI+++7'FTX+AAI+++8'",
     "17,,d0:0,1,447 | 18,,d0:0,1,448 | 19,Feuille annexe de calcul n°1,d0,1,428 | 19,,d0,1,431"},
    {"SEQ++1'IND++FACCE   250001000120FTX'FTX+AAI+++1'FTX+AAI+++2'FTX+AAI+++3'FTX+AAI+++4'"
     "SEQ++2'IND++FACCE   250002000120FTX'FTX+AAI+++1'FTX+AAI+++2'FTX+AAI+++3'",
     "20,Feuille annexe de calcul n°1,d0,1,428 | 20,Feuille annexe de calcul n°2,d0,1,428 | "
     "20,,d0,1,431"},
    {"SEQ++1'IND++FACCE   250001000120FTX'FTX+AAI+++1'FTX+AAI+++2'FTX+AAI+++3'FTX+AAI+++4'"
     "SEQ++2'IND++FACCE   250001000120FTX'FTX+AAI+++5'FTX+AAI+++6'FTX+AAI+++7'",
     "19,,d0:0,1,447 | 20,Feuille annexe de calcul n°1,d0,1,428 | 20,,d0,1,431"},
    {"SEQ++1'IND++FACCE   250001000120FTX'FTX+AAI+++1'FTX+AAI+++2'FTX+AAI+++3'FTX+AAI+++4'"
     "SEQ++2'IND++FACIS   250002000235MOA'MOA+203:1'SEQ++3'IND++FACCE   250001000120FTX'"
     "FTX+AAI+++5'FTX+AAI+++6'FTX+AAI+++7'",
     "22,,d0:0,1,447 | 23,Feuille annexe de calcul n°1,d0,1,428 | 23,FACIS revenus complementaires "
     "n°2,d0,1,428 | 23,,d0,1,431"},
    {"SEQ++1'IND++FACCE   250001000120FTX'FTX+AAI+X+Y+Texte'FTX++++Texte'FTX+AAI:B+++'",
     "11,,l2,1,445 | 11,,l3,1,445 | 12,,l1,1,444 | 13,,l1,1,444 | 13,,l4,1,444 | 14,Feuille annexe "
     "de calcul n°1,d0,1,428 | 14,,d0,1,431"},
    {"SEQ++1'IND++KTVECE  250000000021DTM'DTM+194:20250230:102'", "11,SSAAMMJJ,d1:1,1,415"},
    {"SEQ++1'IND++KTVECE  250000000021DTM'DTM+194:20220115:102'", "11,2024 ou 2025,d1:1,1,416"},
    {"SEQ++1'IND++KTVECE  250000000021DTM'DTM+194:20230115:102'", "11,25,d1:1,1,433"},
    {"SEQ++1'IND++KTVECE  250000000021DTM'DTM+194:20250115:102'", ""},
    {"SEQ++1'IND++KTVECE  240000000021DTM'DTM+194:20250115:102'", "11,24,d1:1,1,433"},
    {"SEQ++1'IND++KTVECE  240000000021DTM'DTM+194:20240229:102'", ""},
    {"SEQ++1'IND++KTVECE  250000000021DTM'DTM+137:2025131:102'",
     "11,194,d1:0,1,008 | 11,8,d1:1,1,080 | 11,SSAAMMJJ,d1:1,1,415"},
    {"SEQ++1'IND++KTVECE  250000000021DTM'DTM+194:20250115'", "11,3 attendue(s).,l1,1,404"},
    {"SEQ++1'IND++KTVECE  250000000051PCD'PCD+16:100'PCD+16:100.5'PCD+16:-5'PCD+16:12.5'"
     "PCD+16:12.345'PCD+16:12,50'PCD+16:1000'",
     "12,,d1:1,1,2OP | 13,,d1:1,1,412 | 15,,d1:1,1,412 | 17,,d1:1,1,2OP"},
    {"SEQ++1'IND++KTVECE  250000000051PCD'PCD+16:1O'PCD+16:5'PCD+16'PCD+17:5:X'",
     "11,Numérique Attendu,d1:1,1,800 | 11,!13!,d1,1,777 | 13,2 attendue(s).,l1,1,404 | 14,2 "
     "attendue(s).,l1,1,404"},
    {"SEQ++1'IND++KTVECE  250000000050NAD'NAD+PE+ID1:ZZ+X+NOM DU BENEFICIAIRE'",
     "11,3 attendue(s).,l2,1,404 | 11,,l3,1,445"},
    {"SEQ++1'IND++KTVECE  250000000050NAD'NAD+PE+ABCDEFGHIJKLMN  :ZZ:ZZ++NOM'", ""},
    {"SEQ++1'IND++KTVECE  250000000050NAD'NAD+PE+ID:ZZ:ZZ++NOM+X'", "11,4 attendue(s).,ERR,1,402"},
    {"SEQ++1'IND++KTVECE  250000000020RFF'RFF+ABC:REF-0001'", ""},
    {"SEQ++1'IND++KTVECE  250000000020RFF'RFF+ABC'", "11,2 attendue(s).,l1,1,404"},
    {"SEQ++1'IND++KTVECE  250000000020RFF'RFF+ABC:123456789012345678901234567890123456'",
     "11,35,d1:1,1,080"},
    {"SEQ++1'IND++FACCE   250001000139CCI'CCI+++ZZ:X:ZZ'CCI+A++ZZ::ZZ'CCI+++ZZ:ZZ'CAV+Y:A:B'"
     "CAV+X:A:B'CAV+:A:B'CAV+X:A'",
     "11,,d3:1,1,445 | 12,,l1,1,445 | 13,3 attendue(s).,l3,1,404 | 14,X ou vide,d1:0,1,008 | 17,3 "
     "attendue(s).,l1,1,404 | 18,Feuille annexe de calcul n°1,d0,1,429 | 18,,d0,1,431"},
    {"SEQ++1'IND++KTVECE  250000000000ZZZ'", "", "BGM+KTV::ZZ+DOC0001+9"},
    {"SEQ++1'IND++KTVECE  250000000000ZZZ'MOA+203:0:::62'", "10,,d2,1,422",
     "BGM+KTV::ZZ+DOC0001+9"},
    {"SEQ++1'IND++KTVECE  250000000010MOA'MOA+203:10'SEQ++2'IND++KTVECE  250000000000ZZZ'",
     "13,,d2,1,421 | 13,,d2,1,449"},
    {"SEQ++1'IND++KTVECE  25'",
     "10,23,d2,1,080 | 10,,d2,1,424 | 10,,d2,1,426 | 10,,d2,1,425 | 10,le dictionnaire des "
     "informations,d2,1,2OL"},
};

TEST_F(ContentRules, DetailGroups) {
    for (const GroupsCase& c : kDetails)
        EXPECT_EQ(ContentRecords(WithGroups(c.groups, c.bgm)), c.records) << c.groups;
}

// The annex checks at the UNT, groups written as Groups reads them.
const std::pair<const char*, const char*> kAnnexChecks[] = {
    {"E0010=1000 E0011=500 E0130 E0129 E0132 E0131 E0013 E0012 E0015 E0014 E0001 E0061 "
     "E0010=20",
     "48,,d0,1,20C | 48,,d0,1,20D | 48,,d0,1,212 | 48,,d0,1,213 | 48,,d0,1,214 | 48,,d0,1,219 | "
     "48,0010,d0,1,20H"},
    {"E0010=1000 E0055=1000 C1.0028=10 C1.0139 C2.0036=10 C2.0037=10 C2.0029=5 C2.0139 "
     "C3.0235=10 C3.0139 C4.0139 C5.0016=3",
     "49,1,d0,1,240 | 49,2,d0,1,239 | 49,2,d0,1,239 | 49,2,d0,1,240 | 49,FAC : 3,d0,1,2OL | "
     "49,Feuille annexe de calcul n°4,d0,1,429 | 49,Feuille annexe de calcul n°5,d0,1,428"},
    {"E0010=1500 E0055=1000 C2.0035=300 C2.0045=200 C2.0046=500 C2.0139", ""},
    {"E0010=1500 E0055=1000 C2.0035=300 C2.0045=200 C2.0046=400 C2.0139", "28,2,d0,1,234"},
    {"E0010=1000 E0055=1000 C2.0120 C2.0120 C2.0139", ""},
    {"E0010=1000 E0055=1000 C2.0120 C2.0120 C2.0036=0 C2.0036=0 C2.0045=0 C2.0139",
     "34,FAC n°2 : 0120;0036,d0,1,21H"},
    {"I1.0235=100 I1.0139 I1.0010=5 I2.0236=7 I2.0236=7",
     "25,FACIS : 0010,d0,1,2OL | 25,FACIS revenus complementaires n°2,d0,1,428 | 25,FACIS n°2 : "
     "0236,d0,1,21H"},
    {"E0016 I1.0139", "16,FACIS revenus complementaires n°1,d0,1,429"},
    {"I1.0235=5 I1.0139", ""},
    {"E0010=1000 E0055=700 C1.0035=300 C1.0139", ""},
    {"E0010=1000 E0055=700 C1.0035=300 C1.0139 C2.0035=300 C2.0045=200 C2.0046=400 C2.0139",
     "35,2,d0,1,234 | 35,,d0,1,237"},
    {"E0010=1000 E0055=700 C1.0035=200 C1.0139", "22,,d0,1,237"},
    {"E0010=1000 E0055=700 C1.0035=300 C1.0055=0 C1.0139", "25,,d0,1,237"},
    {"E0010=1000 E0055=700", ""},
    {"C1.0035=0 C1.0139 I1.0235=5 I1.0139", "23,,d0,1,431"},
    {"E0022", ""},
    {"E0124=10", "12,,d0,1,20K"},
    {"E0124=10 C1.0016=3 C1.0139", ""},
    {"E0016=3 C1.0124=3 C1.0139", ""},
    {"E0124 E0055=2000000000 C1.0035=2000000000 C1.0139", "22,!6!,d0,1,777"},
    {"E0010=2000000000 E0055=-2000000000 C1.0016 C1.0139", "22,!6!,d0,1,777"},
};

TEST_F(ContentRules, AnnexChecks) {
    for (const auto& [groups, records] : kAnnexChecks)
        EXPECT_EQ(ContentRecords(Envelope({Dossier(1, Groups(groups))})), records) << groups;
    // Without the switch only the main form is checked.
    SetFacChecksEnabled(false);
    EXPECT_EQ(ContentRecords(Envelope({Dossier(1, Groups("E0010 E0011 C1.0028=5"))})),
              "18,,d0,1,212");
    EXPECT_EQ(ContentRecords(Envelope({Dossier(1, Groups("I1.0010=5"))})), "12,,d0,1,431");
    EXPECT_EQ(ContentRecords(WithGroups("SEQ++1'IND++FACCE   250000000035MOA'MOA+203:1'")),
              "12,,d0,1,431");
    EXPECT_EQ(ContentRecords(WithGroups("SEQ++1'IND++KTVECE  250000000051PCD'PCD+16:100.5'")), "");
    SetFacChecksEnabled(true);
}

// What one dossier cannot show: the same declarant in several dossiers, the
// message references in their order, the count of messages.
TEST_F(ContentRules, AcrossDossiers) {
    const Groups g("E0010=15000 E0055=15000");
    const auto nirs = [&](std::vector<const char*> list) {
        std::vector<Segs> dossiers;
        for (const char* nir : list)
            dossiers.push_back(Dossier(static_cast<int>(dossiers.size()) + 1, g, nir));
        return Envelope(dossiers);
    };
    const Segs six = nirs({kNir, "2800175123456", kNir, "2800175123456", kNir, "1990175123456"});
    EXPECT_EQ(ContentRecords(six),
              "8,1750175123456,d2,1,010 | 36,1750175123456,d2,3,010 | "
              "50,2800175123456,d2,4,010 | 64,1750175123456,d2,5,010");
    // The registry starts empty at every check.
    EXPECT_EQ(ContentRecords(six),
              "8,1750175123456,d2,1,010 | 36,1750175123456,d2,3,010 | "
              "50,2800175123456,d2,4,010 | 64,1750175123456,d2,5,010");
    EXPECT_EQ(ContentRecords(nirs({"17501751234AB", "17501751234AB"})),
              "8,Numérique Attendu,d2:0,1,800 | 22,Numérique Attendu,d2:0,2,800 | "
              "8,17501751234AB,d2,1,010 | 22,17501751234AB,d2,2,010");
    EXPECT_EQ(ContentRecords(nirs({"1750,75123456", "1750,75123456"})),
              "8,Numérique Attendu,d2:0,1,800 | 22,Numérique Attendu,d2:0,2,800 | "
              "8,1750;75123456,d2,1,010 | 22,1750;75123456,d2,2,010");
    Segs refs = Envelope({Dossier(1, g), Dossier(3, g, "2800175123456")});
    refs[refs.size() - 2] = "UNT+14+4";
    EXPECT_EQ(ContentRecords(refs), "16,,d1,2,405 | 29,3,d2,2,417");
    Segs three = nirs({kNir, "2800175123456", "1990175123456"});
    three.back() = "UNZ+2+REF00000001";
    EXPECT_EQ(ContentRecords(three), "44,3,d1,3,413");
    // Dossiers are numbered again in each interchange.
    platform.statuses.clear();
    EXPECT_EQ(
        ContentRecords(Cut("UNA:+,? 'UNH'UNT'UNH'UNT'UNZ'UNA:+,? 'UNH'UNT'UNZ'")),
        "1,2 attendue(s).,ERR,1,402 | 2,2 attendue(s).,ERR,1,402 | 3,2 attendue(s).,ERR,2,402 | "
        "4,2 attendue(s).,ERR,2,402 | 5,2 attendue(s).,ERR,2,402 | 7,2 attendue(s).,ERR,1,402 | "
        "8,2 attendue(s).,ERR,1,402 | 9,2 attendue(s).,ERR,1,402");
    std::vector<std::string> progress;
    for (const std::string& status : platform.statuses)
        if (status.starts_with("Tests de contenu")) progress.push_back(U(status));
    EXPECT_EQ(progress, (std::vector<std::string>{"Tests de contenu en cours... dossier 1 / 3",
                                                  "Tests de contenu en cours... dossier 2 / 3",
                                                  "Tests de contenu en cours... dossier 3 / 3"}));
}

// Years are read against the campaign of the home window: the two before it
// are accepted, and two digits keep their century.
TEST_F(ContentRules, CampaignYears) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"2025", "23", ""},
        {"2001", "99", ""},
        {"2001", "98", "10,00 ou 01,d2,1,2OM"},
        {"2000", "99", ""},
    };
    for (const auto& [campaign, year, records] : cases) {
        platform.yearCamp = campaign;
        const std::string groups = "SEQ++1'" + Ind("KTVECE", 0, "0010", "MOA", year) + "'";
        EXPECT_EQ(ContentRecords(WithGroups(groups)), records)
            << std::string(campaign) + " " + year;
    }
}

// A rule set that fails unexpectedly says so in a box and a 777 record, and
// the walk goes on; a free-text counter of eight bits overflows.
TEST_F(ContentRules, UnexpectedFailures) {
    std::string texts = "SEQ++1'" + Ind("FACCE", 1, "0120", "FTX") + "'";
    for (int i = 1; i <= 257; ++i)
        texts += "FTX+AAI+++Texte " + std::to_string(i) + "'";
    std::string expected = "17,,d0:0,1,447";
    for (int i = 18; i <= 265; ++i)
        expected += " | " + std::to_string(i) + ",,d0:0,1,448";
    expected +=
        " | 266,!6!,d0,1,777 | 267,!6!,d0,1,777 | 268,Feuille annexe de calcul n°1,d0,1,428";
    EXPECT_EQ(ContentRecords(WithGroups(texts)), expected + " | 268,,d0,1,431");
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(U(platform.messages[0].title), "Erreur non gérée");
    EXPECT_EQ(U(platform.messages[0].text),
              "6 : Une erreur inattendue s'est produite sur un segment FTX dans le dossier n°1");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Critical);
}

}  // namespace
}  // namespace trelvane::test

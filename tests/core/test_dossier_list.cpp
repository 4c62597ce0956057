// The dossier list: each dossier's counts and verdict from the classes of
// its records' labels.
#include "report_fixture.h"
#include "run/Summaries.h"

namespace trelvane::test {
namespace {

using DossierList = ReportTest;

std::string Rows(const std::vector<DossierListRow>& rows) {
    std::string out;
    for (const auto& r : rows)
        out += r.number + ";" + r.nir + ";" + U(r.name) + ";" + std::to_string(r.rejects) + ";" +
               std::to_string(r.warnings) + ";" + U(VerdictText(r.verdict)) + "\n";
    return out;
}

TEST_F(DossierList, VerdictFollowsTheClassOfEachLabel) {
    SetSegments({"UNA:+,? ", "UNB+UNOC:3", "UNH+1", "NAD+DT+1750175123456:ZZ:ZZ++DU:DU?+PONT",
                 "UNT", "UNH+2", "NAD+DT+2", "UNT", "UNH+3", "UNT", "UNH+4", "UNT", "UNH+5", "UNT",
                 "UNZ+5"});
    CreateArray_InfoDoss();
    State().ContentErrors = {"[Contenu]",    "1,,d1,0,008", "3,,d4:1,1,080", "6,,d2,2,612",
                             "8,,d1,3,008",  "9,,d1,3,080", "10,,d1,4,700",  "12,,d1,5,999",
                             "13,,d1,4,008", "14,,d1,5,008"};
    State().SyntaxErrors = {"[Branchement]"};
    EXPECT_EQ(Rows(BuildDossierList()),
              "1;1750175123456;DU+PONT;0;1;Accepté avec signalements\n"
              "2;2;;0;1;Rejeté\n"  // "sir": the dossier is rejected
              "3;;;1;1;Rejeté\n"
              "4;;;1;0;Rejeté\n"    // unknown class
              "5;;;1;0;Rejeté\n");  // unknown code; the other number is not its own
    State().ContentErrors = {"[Contenu]"};
    EXPECT_EQ(Rows(BuildDossierList()).substr(0, 42), "1;1750175123456;DU+PONT;0;0;Accepté\n2;2;;");
    State().SyntaxErrors = {"[Branchement]", "4,UNH,900"};  // the whole file is turned away
    EXPECT_EQ(Rows(BuildDossierList()).substr(0, 36), "1;1750175123456;DU+PONT;0;0;Rejeté\n");
}

}  // namespace
}  // namespace trelvane::test

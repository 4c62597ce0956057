// Tables derived from the segments and the two error lists after the checks,
// so the displays need not search the error lists again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trelvane {

// Rebuilds State().ErrorsBySegment from Segments, SyntaxErrors, ContentErrors.
void CreateArray_ErrorsBySeg();
// Rebuilds State().DossierInfo from Segments.
void CreateArray_InfoDoss();

// Field (0 to 3) of the first dossier row whose number is dossierNumber and
// whose UNH..UNT range holds segmentIndex; "" when none. Answers through an
// index built once per DossierInfo.
std::string GetDossierField(std::string_view dossierNumber, std::string_view segmentIndex,
                            int field);
// Last row whose NIR matches gives its UNH and UNT indexes; unchanged otherwise.
// A row without a UNH index is no dossier; a dossier without UNT runs to the
// last segment.
void FindDossierByNir(std::string_view nir, std::int64_t& unhIndex, std::int64_t& untIndex);
// Number of UNT segments inside the n-th interchange (1 for the first), 0
// when the file has no such interchange.
std::int64_t CountMessagesInInterchange(std::int64_t n);

// The dossier list: one row per dossier of DossierInfo (a row without a UNH
// index is no dossier) with its content errors counted by the class of
// their label. A "sir" warning counts as a warning but rejects the dossier,
// as its label says; a record whose label is neither "rej" nor a warning
// (unknown code or class) counts as a reject, since it keeps the file from
// being converted just as a reject does. A syntax error rejects the whole
// file, so then every dossier is rejected whatever its counts.
enum class Verdict { Accepted, AcceptedWithWarnings, Rejected };
// "Accepté", "Accepté avec signalements", "Rejeté" (Windows-1252).
std::string_view VerdictText(Verdict verdict);

struct DossierListRow {
    std::string number;  // as in DossierInfo
    std::string nir;
    std::string name;  // the declarant's, from the NAD+DT segment that gave the NIR
    std::int64_t rejects = 0;
    std::int64_t warnings = 0;
    Verdict verdict = Verdict::Accepted;
    // The dossier's segments: its UNH, its UNT (the last segment when it has none).
    std::int64_t firstSegment = 0;
    std::int64_t lastSegment = 0;
};
// Needs the label table loaded; a content error belongs to the dossier
// whose segments hold it and whose number it carries.
std::vector<DossierListRow> BuildDossierList();

// Drops the lookup indexes, for code that edits DossierInfo or Segments in
// place (they are otherwise rebuilt when the tables are replaced).
void ResetSummaryIndexes();

}  // namespace trelvane

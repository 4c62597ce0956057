// Tables derived from the segments and the two error lists after the checks,
// so the displays need not search the error lists again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

// Drops the lookup indexes, for code that edits DossierInfo or Segments in
// place (they are otherwise rebuilt when the tables are replaced).
void ResetSummaryIndexes();

}  // namespace trelvane

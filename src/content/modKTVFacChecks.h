// The checks that span a whole message, run at its UNT on the detail state
// the IND and MOA rules collected: the main form against its annexes. They
// belong to the SEQ rules' module, whose name their trace lines carry.
#pragma once

#include <string>
#include <string_view>

#include "content/modKTVContentChecker.h"

namespace trelvane {

// Annex consistency checks of the message whose UNT is ctx.index.
void CheckKTVFACData(SegmentContext& ctx);
// Codes occurring more than once in list, each once, joined by ";".
std::string ListDuplicates(std::string_view list, std::string_view separator);
// True when the last checked message has FACIS annexes only.
bool FacisOnlyDossier();
void SetFacisOnlyDossier(bool value);

}  // namespace trelvane

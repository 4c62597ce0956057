// Rule sets of the service segments that frame an interchange (UNA, UNB,
// UNZ) and a message (UNH, BGM, UNT).
#pragma once

#include <string>
#include <string_view>

#include "content/ContentValidators.h"

namespace trelvane {

inline constexpr std::string_view kModENT1 = "modKTVContentENT1";

void Traite_UNA(SegmentContext& ctx);
void Traite_UNB(SegmentContext& ctx);
void Traite_UNH(SegmentContext& ctx);
void Traite_BGM(SegmentContext& ctx);
void Traite_UNT(SegmentContext& ctx);
void Traite_UNZ(SegmentContext& ctx);

// Values carried from a header to its trailer or to later segments, for
// the whole run.
const std::string& CurrentInterchangeReference();
const std::string& CurrentMessageReference();
bool BgmFunctionPresent();
void SetBgmFunctionPresent(bool present);  // for tests and the header rules

}  // namespace trelvane

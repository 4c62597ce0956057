// Rule sets of the message header segments that follow BGM: the declaration
// date, the four names and addresses and the two header references.
#pragma once

#include <cstdint>
#include <string_view>

#include "content/ContentValidators.h"

namespace trelvane {

inline constexpr std::string_view kModENT2 = "modKTVContentENT2";

void Traite_DTM1(SegmentContext& ctx);
void Traite_NAD134(SegmentContext& ctx, std::int64_t qualifier);
void Traite_NAD2(SegmentContext& ctx);
void Traite_RFF12(SegmentContext& ctx, std::int64_t qualifier);

// Party identifiers of the NAD4 segments met in the current content check,
// to find one declarant declared in two dossiers. Emptied, its memory given
// back, when a content check starts and when it ends.
void ClearDuplicateIdentifierRegistry();

}  // namespace trelvane

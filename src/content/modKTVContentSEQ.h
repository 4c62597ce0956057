// Rule sets of the detail groups (SEQ, IND and the detail segments that
// follow) and the detail state of the message they fill, which the annex
// consistency checks (modKTVFacChecks.h) read at each UNT.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "content/ContentRun.h"
#include "content/ContentValidators.h"

namespace trelvane {

inline constexpr std::string_view kModSEQ = "modKTVContentSEQ";

DetailState& Detail();
void ResetDetailState();

void Traite_SEQ(SegmentContext& ctx, std::int64_t group);
void Traite_IND(SegmentContext& ctx, std::int64_t group);
void Traite_MOA(SegmentContext& ctx, std::int64_t group);
void Traite_RFF3(SegmentContext& ctx, std::int64_t group);
void Traite_FTX(SegmentContext& ctx, std::int64_t group);
void Traite_DTM2(SegmentContext& ctx, std::int64_t group);
void Traite_PCD(SegmentContext& ctx, std::int64_t group);
void Traite_NAD5(SegmentContext& ctx, std::int64_t group);
void Traite_CCI(SegmentContext& ctx, std::int64_t group);
void Traite_CAV(SegmentContext& ctx, std::int64_t group);

}  // namespace trelvane

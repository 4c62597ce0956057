// Rule sets of the detail groups (SEQ, IND and the detail segments that
// follow) and the detail state of the message they fill, which the annex
// consistency checks (modKTVFacChecks.h) read at each UNT.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "content/modKTVContentChecker.h"

namespace trelvane {

inline constexpr std::string_view kModSEQ = "modKTVContentSEQ";
inline constexpr int kAnnexSlots = 101;  // annex numbers 0 to 100

// What the IND, MOA and FTX rules learn of the message being checked, read
// at its UNT by the annex checks.
struct DetailState {
    std::string MainFormCodes;  // "0010.0011." : every KTVECE code, in order
    std::array<std::string, kAnnexSlots> FacceCodes;
    std::array<std::string, kAnnexSlots> FacisCodes;
    std::array<std::int32_t, kAnnexSlots> FacceSum0035And0045{};
    std::array<std::int32_t, kAnnexSlots> FacceAmount0046{};
    std::int32_t SumAmount0055 = 0;
    std::int32_t SumAmounts0010To0015 = 0;
    std::int64_t CurrentFacceNumber = 0;
    std::int64_t CurrentFacisNumber = 0;
    std::string DossierYear;      // two characters, from the first IND
    std::string CurrentInfoCode;  // kept across messages
    int FtxCounter = 0;           // 0..255, an 8-bit counter
    int UsedAnnexSlots = 0;       // slots below it may hold data, the others are empty
};

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

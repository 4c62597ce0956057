// What the content checks of one run carry from segment to segment and from
// dossier to dossier: the detail state of the message being checked, the
// references of its headers and the party identifiers met so far. It is
// part of the run in use (run/RunContext.h), made when the checks first ask
// for it, so a new run starts from nothing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "content/DuplicateIdentifierRegistry.h"

namespace trelvane {

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

// The two-digit years an IND may carry: of the campaign year Y, Y - 1, Y - 2.
struct CampaignYears {
    std::string y0, y1, y2;
};

struct ContentRun {
    DetailState detail;
    // Carried from a header to its trailer or to later segments.
    std::string interchangeReference;
    std::string messageReference;
    bool bgmFunctionPresent = false;
    // The last checked message has FACIS annexes only.
    bool facisOnly = false;
    DuplicateIdentifierRegistry registry;
    // Worked out at the first IND (a campaign year that is no number fails
    // every IND the same way).
    std::optional<CampaignYears> campaignYears;
};

// The content part of the run in use.
ContentRun& Content();

}  // namespace trelvane

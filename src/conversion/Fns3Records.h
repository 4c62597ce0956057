// The fixed-width FNS3 records of one dossier, built from the stores.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/Platform.h"
#include "conversion/modKTVConversionFunctions.h"

namespace trelvane {

struct ReferenceTableSet;

inline constexpr std::size_t kFns3LineWidth = 255;

// What the records of one dossier read besides its stores.
struct Fns3Dossier {
    std::int64_t number = 0;                 // in its interchange: the first opens with ANS0
    std::int64_t messagesInInterchange = 0;  // for the ANS0 record
    bool facisOnly = false;                  // FACIS annexes only: a mark before them
    LocalDateTime now;                       // the ANS1 record's date
    std::string yearCamp;
    const ReferenceTableSet* tables = nullptr;  // for the segment code of each information
};

// The records of one dossier appended to lines: they depend on nothing but
// the stores, the dossier's facts and the segment code table. Returns 0, or
// the number of the error that stopped them (the records before it stay).
int BuildDossierRecords(const ConversionStores& stores, const Fns3Dossier& dossier,
                        Fns3LineList& lines);

// The records one at a time, for the dossier in the stores of the run in use.

void AddANS0Record(std::int64_t interchangeNumber);
void AddANS1Record();
void AddANS2Record(int party);
void AddANS3Records(std::string_view annexType, std::int64_t firstGroup, std::int64_t lastGroup);
std::string GetInfoValueFNS3(std::int64_t group, std::string_view segmentTag);
// Fills value with fill up to width, after it for side "droite", before it
// otherwise. Raises RuntimeError when value is longer than width.
void PadString(std::string& value, char fill, std::size_t width, std::string_view side);

// The dossiers of FailedConversions() as a short text for the user ("3, 7"
// or "3 (échange 1), 1 (échange 2)"), the first twenty only.
std::string FailedConversionsText();
// YYYYMMDD_HHMMSS_FNS3.oth for the time t.
std::string Fns3FileName(const LocalDateTime& t);
// Every name an FNS3 file may be given, "_2", "_3"... included (shapes of
// RemoveStalePartFiles).
inline constexpr std::string_view kFns3FileShape = "99999999_999999_FNS3*.oth";

}  // namespace trelvane

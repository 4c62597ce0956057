// The stores filled during the content checks for the FNS3 conversion, the
// FNS3 records built at each UNT, and the FNS3 file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "run/SegmentList.h"

namespace trelvane {

inline constexpr std::string_view kModConversion = "modKTVConversionFunctions";

// Interchange store: segment 1..3 (UNA, UNB, UNZ), element 0..11, component 0..2.
void SaveInterchData(int segment, int element, int component, std::string_view value);
// Dossier store: group 0..99, kind 1..13, occurrence 1..5, element 1..9, component 0..6.
void SaveDossData(std::int64_t group, int kind, int occurrence, int element, int component,
                  std::string_view value);
// Reads; "" for an unset cell. Raise RuntimeError(9) outside the bounds.
const std::string& Inte(int segment, int element, int component);
const std::string& Doss(std::int64_t group, int kind, int occurrence, int element, int component);
void ResetDossData();

// The FNS3 line list: element 0 is "[FNS3]", then one record per line.
void InitFNS3Lines();
StringList GetFNS3Lines();
const SegmentList& FNS3Lines();
void AppendFNS3Line(std::string_view line);

// Builds and appends the records of the current dossier (called at each UNT).
void ConvertDossierToFNS3(std::int64_t dossierNumber, std::int64_t interchangeNumber);

// Dossiers whose conversion failed in the last content check, as
// (interchange number, dossier number): their records are incomplete.
struct FailedConversion {
    std::int64_t interchange;
    std::int64_t dossier;
};
const std::vector<FailedConversion>& FailedConversions();
void ClearFailedConversions();

// Writes the FNS3 line list (element 0 excepted) to a new file in directory
// (the program's FNS3 directory when empty). Returns the path written, "" on
// failure (after the message box).
std::string WriteFNS3File(const std::string& directory = {});

}  // namespace trelvane

// The fixed-width FNS3 records of one dossier, built from the stores.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/Platform.h"

namespace trelvane {

inline constexpr std::size_t kFns3LineWidth = 255;

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

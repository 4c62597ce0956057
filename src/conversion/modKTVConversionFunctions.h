// The stores filled during the content checks for the FNS3 conversion, the
// FNS3 records built at each UNT, and the FNS3 file.
#pragma once

#include <array>
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
// A view valid until the next SaveDossData or ResetDossData.
std::string_view Doss(std::int64_t group, int kind, int occurrence, int element, int component);
void ResetDossData();

// FNS3 lines held without the spaces that pad most of them to the full
// record width, with the width they had: for a big file they are the largest
// table after the file text, and more than half of each record is padding.
// A line reads back exactly as it was appended. A line equal to the last
// one of the same kind (same first six characters: the sender's and the
// receiver's address records repeat in every dossier) shares its text.
class Fns3LineList {
  public:
    std::size_t size() const { return texts_.size(); }
    bool empty() const { return texts_.empty(); }
    // Line i as appended, padding included (a copy).
    std::string operator[](std::size_t i) const;
    // Appends line i, padding included, to out.
    void AppendTo(std::string& out, std::size_t i) const;

    void push_back(std::string_view line);

  private:
    SegmentList texts_;                  // without trailing spaces
    std::vector<std::uint32_t> widths_;  // full length of each line
    // Index + 1 of the last line of each kind (0: none), by a hash of the
    // kind: a line whose slot names a different line is simply stored.
    std::array<std::uint32_t, 64> lastOfKind_{};
};

// The FNS3 line list: element 0 is "[FNS3]", then one record per line.
void InitFNS3Lines();
StringList GetFNS3Lines();
const Fns3LineList& FNS3Lines();
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

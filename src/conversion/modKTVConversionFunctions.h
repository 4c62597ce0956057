// The FNS3 records built at each UNT from the stores the content checks
// filled (run/ConversionStores.h), and the FNS3 file.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/Platform.h"
#include "run/ConversionStores.h"
#include "run/SegmentList.h"

namespace trelvane {

inline constexpr std::string_view kModConversion = "modKTVConversionFunctions";

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

// Builds and appends the records of the dossier in the stores of the run in
// use (called at each UNT); a failure is kept and traced.
void ConvertDossierToFNS3(std::int64_t dossierNumber, std::int64_t interchangeNumber);

// Dossiers whose conversion failed in the last content check, as
// (interchange number, dossier number): their records are incomplete.
struct FailedConversion {
    std::int64_t interchange;
    std::int64_t dossier;
};
const std::vector<FailedConversion>& FailedConversions();
void ClearFailedConversions();

// What the conversion of one run holds: its FNS3 lines and its failures.
struct ConversionRun {
    Fns3LineList lines;
    std::vector<FailedConversion> failed;
    ConversionRun() { lines.push_back("[FNS3]"); }
};
// The conversion part of the run in use.
ConversionRun& Conversion();

// Writes the FNS3 line list (element 0 excepted) to a new file in directory
// (the program's FNS3 directory when empty), never over another file: a name
// already taken gets "_2", "_3"... Returns the path written, "" on failure
// (after the message box).
std::string WriteFNS3File(const std::string& directory = {});

}  // namespace trelvane

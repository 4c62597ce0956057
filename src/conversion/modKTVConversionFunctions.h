// The stores filled during the content checks for the FNS3 conversion, the
// FNS3 records built at each UNT, and the FNS3 file.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/Platform.h"
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

// The stores are the calling thread's own. A copy of what a dossier stored
// (and of the interchange store) carries it to another thread.
struct DossierSnapshot {
    struct Span {
        std::size_t offset = 0;
        std::size_t length = 0;
    };
    std::vector<std::size_t> cells;  // the cell of each span
    std::vector<Span> spans;
    std::string arena;
};
void TakeDossierSnapshot(DossierSnapshot& out);
void LoadDossierSnapshot(const DossierSnapshot& snapshot);
void TakeInterchangeSnapshot(std::vector<std::string>& out);
void LoadInterchangeSnapshot(const std::vector<std::string>& snapshot);

// Gives the calling thread stores of its own while it lives: a thread that
// builds FNS3 records beside the checks. Without one, a thread uses the
// checking thread's stores.
struct ConversionStores;
class ThreadConversionStores {
  public:
    ThreadConversionStores();
    ~ThreadConversionStores();
    ThreadConversionStores(const ThreadConversionStores&) = delete;
    ThreadConversionStores& operator=(const ThreadConversionStores&) = delete;

  private:
    std::unique_ptr<ConversionStores> own_;
    ConversionStores* previous_;
};

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

// The two halves of ConvertDossierToFNS3, for building the records on
// another thread. What the records read from outside the stores is fixed
// when the dossier is handed over: the clock, the campaign year, the number
// of messages of the interchange (read for its first dossier only) and
// whether the dossier has only FACIS annexes.
struct DossierContext {
    LocalDateTime now;
    std::string yearCamp;
    std::int64_t messagesInInterchange = 0;
    bool facisOnly = false;
};
DossierContext TakeDossierContext(std::int64_t dossierNumber, std::int64_t interchangeNumber);
// Builds the records of the dossier in the stores with context; false on a
// failure, with its error number and description (nothing reported yet).
bool BuildDossierRecords(std::int64_t dossierNumber, const DossierContext& context, int& number,
                         std::string& description);
// Keeps the failure for the conversion and writes its trace line.
void ReportFailedConversion(std::int64_t dossierNumber, std::int64_t interchangeNumber, int number,
                            const std::string& description);

// Dossiers whose conversion failed in the last content check, as
// (interchange number, dossier number): their records are incomplete.
struct FailedConversion {
    std::int64_t interchange;
    std::int64_t dossier;
};
const std::vector<FailedConversion>& FailedConversions();
void ClearFailedConversions();

// Writes the FNS3 line list (element 0 excepted) to a new file in directory
// (the program's FNS3 directory when empty), never over another file: a name
// already taken gets "_2", "_3"... Returns the path written, "" on failure
// (after the message box).
std::string WriteFNS3File(const std::string& directory = {});

}  // namespace trelvane

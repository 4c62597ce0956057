// The content check driver and the shared validators every segment rule set
// is built from. A content error record is five fields joined by ",":
// segment index, detail text, position, dossier number, three-character code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/RuntimeErrors.h"
#include "run/SegmentList.h"
#include "run/modToolsFunctions.h"

namespace trelvane {

inline constexpr std::string_view kModContentChecker = "modKTVContentChecker";

using Pieces = std::vector<std::string_view>;

// What a rule set works on: the error list, the segment (which it may rewrite
// in place, as the splitter does), its index and the dossier number. The two
// scratch areas are reused from segment to segment; a rule set cuts one
// composite at a time into `components`.
struct SegmentContext {
    StringList& errors;
    SegmentList& segments;
    std::int64_t index;
    std::int64_t dossier;
    SplitScratch elements;
    SplitScratch components;
};

// Walks every segment, checks its element count, calls its rule set, and
// converts each dossier at its UNT. Returns the content error list.
StringList ManageCContentKTV(SegmentList& segments);

// Cuts segment ctx.index into data elements (element 0 is the tag) on the
// element separator, writes the rewritten text back into the segment, and
// returns the elements (views valid until the next cut with ctx.elements).
const Pieces& CutSegment(SegmentContext& ctx);

bool CheckSegmentElementCount(std::string_view text, std::string_view separator,
                              std::string_view release, int lower, int upper);
// False for an empty element. Otherwise cuts it into components (the element
// text is rewritten as the splitter does at the component level) and checks
// their number.
bool CheckComponentCount(std::string_view element, std::string_view componentSeparator,
                         std::string_view release, int lower, int upper, SplitScratch& components);
void AddCountError(StringList& errors, std::int64_t segmentIndex, int lower, int upper, int code,
                   std::string_view position, std::int64_t dossier);
void AddContentError(StringList& errors, std::int64_t segmentIndex, std::string_view detail,
                     std::string_view code, std::string_view position, std::int64_t dossier);
bool CheckDataFormat(StringList& errors, std::string_view value, std::int64_t segmentIndex,
                     std::string_view key, std::string_view position, std::int64_t dossier);
bool CheckSimpleElement(const Pieces& elements, std::size_t index,
                        std::string_view componentSeparator, std::string_view release,
                        StringList& errors, std::int64_t segmentIndex, std::string_view key,
                        std::int64_t dossier);
bool CheckMandatorySimpleElement(const Pieces& elements, std::size_t index,
                                 std::string_view componentSeparator, std::string_view release,
                                 StringList& errors, std::int64_t segmentIndex,
                                 std::string_view key, std::int64_t dossier);

// A detail text never holds ",", the record's field separator: each becomes ";".
std::string DetailText(std::string_view text);

// The failure path every rule set shares: a trace line (in trace mode), the
// "Erreur non gérée" message box, and a "777" record at element elementIndex.
// segmentName is the name in the message ("UNB", "NAD134", "RFF3"...).
void ReportRuleSetFailure(SegmentContext& ctx, const RuntimeError& error,
                          std::string_view procedure, std::string_view module,
                          std::string_view segmentName, int elementIndex);

}  // namespace trelvane

// The splitter that cuts interchange text at all three levels (segments, data
// elements, components) while honouring the release character, and two small
// values shared by the checks and the reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "run/SegmentList.h"

namespace trelvane {

// Cuts text on separator. The level is told by comparing the separator with
// the delimiters of the run: at the component level a doubled release
// character becomes single, above it stays doubled; at the segment level the
// piece after the last terminator is dropped. text is rewritten in place the
// same way (released separators lose their release character).
StringList SplitWithRelease(std::string& text, const std::string& separator,
                            const std::string& release);

// The same cut without allocating per piece. The pieces are views into text
// when nothing had to be rewritten, otherwise into scratch.buffer; the
// rewritten text is returned (a view of text or of scratch.buffer).
struct SplitScratch {
    std::vector<std::string_view> pieces;
    std::string buffer;
};
std::string_view SplitInto(std::string_view text, std::string_view separator,
                           std::string_view release, SplitScratch& scratch);
// Number of pieces SplitWithRelease would give, without building them.
std::size_t CountPieces(std::string_view text, std::string_view separator,
                        std::string_view release);

// Segment terminators met by a cut, and those a line feed directly follows.
struct TerminatorCount {
    std::uint64_t total = 0;
    std::uint64_t beforeLineFeed = 0;
};

// The file level: cuts the whole (already joined) file text into segments,
// reusing its buffer; counts the terminators on the way when asked.
SegmentList SplitFileIntoSegments(std::string text, std::string_view terminator,
                                  std::string_view release, TerminatorCount* count = nullptr);

// Number of warnings counted by the last content report.
std::int64_t GetWarningCount();
void SetWarningCount(std::int64_t count);
// When false the annex checks are skipped. The home window sets it at load.
bool GetFacChecksEnabled();
void SetFacChecksEnabled(bool enabled);

}  // namespace trelvane

// The splitter that cuts interchange text at all three levels (segments, data
// elements, components) while honouring the release character, and two small
// values shared by the checks and the reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "run/SegmentList.h"
#include "run/SegmentTexts.h"

namespace trelvane {

// The level of the interchange syntax a cut works at. At the component level
// a doubled release character becomes single (above it, it stays doubled for
// the level below); at the segment level the piece after the last terminator
// is dropped.
enum class CutLevel { Segment, Element, Component };

// Cuts text on separator. text is rewritten in place the way the pieces are
// (released separators lose their release character).
StringList SplitWithRelease(std::string& text, const std::string& separator,
                            const std::string& release, CutLevel level);

// The same cut without allocating per piece. The pieces are views into text
// when nothing had to be rewritten, otherwise into scratch.buffer; the
// rewritten text is returned (a view of text or of scratch.buffer).
struct SplitScratch {
    std::vector<std::string_view> pieces;
    std::string buffer;
};
std::string_view SplitInto(std::string_view text, std::string_view separator,
                           std::string_view release, CutLevel level, SplitScratch& scratch);
// Number of pieces SplitWithRelease would give, without building them.
std::size_t CountPieces(std::string_view text, std::string_view separator, std::string_view release,
                        CutLevel level);
// The same cut, each piece left as the text holds it (views into text,
// release characters kept): what the user is shown of a piece the checks
// read resolved.
void SplitKeepingText(std::string_view text, std::string_view separator, std::string_view release,
                      CutLevel level, std::vector<std::string_view>& pieces);

// Segment terminators met by a cut, and those a line feed directly follows.
struct TerminatorCount {
    std::uint64_t total = 0;
    std::uint64_t beforeLineFeed = 0;
};

// The segment level over a whole (already joined) file text: each segment as
// the file holds it, in the file's own buffer, and resolved for the checks
// where a released terminator lost its release character. Counts the
// terminators on the way when asked.
SegmentTexts SplitFileIntoSegments(std::string text, std::string_view terminator,
                                   std::string_view release, TerminatorCount* count = nullptr);

// Number of warnings counted by the last content report.
std::int64_t GetWarningCount();
void SetWarningCount(std::int64_t count);
// When false the annex checks are skipped: the run's choice. Setting it
// chooses it for the run in use and every later one (the home window sets it
// at load).
bool GetFacChecksEnabled();
void SetFacChecksEnabled(bool enabled);

}  // namespace trelvane

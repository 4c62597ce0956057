// The validators every segment rule set is built from, and what a rule set
// works on. A content error record is five fields joined by ",":
// segment index, detail text, position, dossier number, three-character code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "config/RuntimeErrors.h"
#include "run/SegmentTexts.h"
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
    SegmentTexts& segments;
    std::int64_t index;
    std::int64_t dossier;
    SplitScratch elements;
    SplitScratch components;
    // The walk cuts a segment once for its element count; the rule set's
    // first CutSegment on that segment takes that cut instead of cutting
    // again. -1: no cut waiting.
    std::int64_t cutWaiting = -1;
    std::string_view cutText = {};  // the rewritten text of the waiting cut
};

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

// Helpers shared by the rule sets.

// The run's delimiters, read where they are held (no copy).
std::string_view ElementSeparator();
std::string_view ComponentSeparator();
std::string_view ReleaseCharacter();

// A position ("d3", "l5", "d4:1") built without allocation.
class Position {
  public:
    std::string_view view() const { return {text_.data(), length_}; }
    operator std::string_view() const { return view(); }

  private:
    friend Position ElementPosition(std::size_t element);
    friend Position ListPosition(std::size_t element);
    friend Position ComponentPosition(std::size_t element, std::size_t component);
    std::array<char, 48> text_{};
    std::size_t length_ = 0;
};
Position ElementPosition(std::size_t element);                           // "d" i
Position ListPosition(std::size_t element);                              // "l" i
Position ComponentPosition(std::size_t element, std::size_t component);  // "d" i ":" j

// Element i of a cut segment; raises RuntimeError(9) past the last one.
std::string_view ElementAt(const Pieces& elements, std::size_t index);

// Cuts element i of the segment into ctx.components when its number of
// components lies within the bounds; otherwise appends the "404" record at
// "l" i with the bounds and returns false (its components then get no rule).
bool CutComposite(SegmentContext& ctx, const Pieces& elements, std::size_t index, int lower,
                  int upper);

// An element that must stay empty: a used one gets "445" at "l" i.
void CheckEmptyElement(SegmentContext& ctx, const Pieces& elements, std::size_t index);

// The failure path every rule set shares: a trace line (in trace mode), the
// "Erreur non gérée" message box, and a "777" record at element elementIndex.
// segmentName is the name in the message ("UNB", "NAD134", "RFF3"...).
void ReportRuleSetFailure(SegmentContext& ctx, const RuntimeError& error,
                          std::string_view procedure, std::string_view module,
                          std::string_view segmentName, int elementIndex);

// Runs the rule set body(element), which sets element to the element it is
// working on: an unexpected failure is reported there, and the segment's
// remaining checks are skipped.
template <class Body>
void RunRuleSet(SegmentContext& ctx, std::string_view procedure, std::string_view module,
                std::string_view segmentName, Body&& body) {
    int element = 0;
    try {
        body(element);
    } catch (const RuntimeError& error) {
        ReportRuleSetFailure(ctx, error, procedure, module, segmentName, element);
    }
}

}  // namespace trelvane

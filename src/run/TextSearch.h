// Looking for a text the way a user types it: a letter matches itself in
// either case, accented letters of Windows-1252 included, and every other
// character only itself. Matches may overlap: every starting position counts,
// so that stepping from match to match and counting them agree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "run/SegmentList.h"

namespace trelvane {

class FoldedSearch {
  public:
    static constexpr std::size_t npos = std::string_view::npos;

    // needle: Windows-1252.
    explicit FoldedSearch(std::string_view needle);
    bool Empty() const { return needle_.empty(); }
    std::size_t Length() const { return needle_.size(); }

    // The first match starting at from or after it; npos when none.
    std::size_t Find(std::string_view text, std::size_t from = 0) const;
    // The last match starting before before; npos when none.
    std::size_t FindBefore(std::string_view text, std::size_t before = npos) const;
    // The matches starting before before.
    std::int64_t Count(std::string_view text, std::size_t before = npos) const;

  private:
    bool MatchesAt(std::string_view text, std::size_t at) const;
    std::string needle_;  // folded
};

// A match among the segments of a run: the segment's index and where the
// match starts in its text.
struct SegmentHit {
    std::int64_t segment = -1;
    std::size_t offset = 0;
    friend bool operator==(const SegmentHit&, const SegmentHit&) = default;
};

// Every match in a list of segments, each segment searched alone (no match
// runs from one segment into the next).
class SegmentSearch {
  public:
    SegmentSearch(const SegmentList& segments, std::string_view needle);

    std::int64_t Count() const;
    // The match after from, or the first one when from names no segment;
    // past the last match, the first one again. nullopt when there is none.
    std::optional<SegmentHit> Next(SegmentHit from) const;
    // The match before from, or the last one when from names no segment;
    // before the first match, the last one again.
    std::optional<SegmentHit> Previous(SegmentHit from) const;
    // 1 for the first match.
    std::int64_t Ordinal(SegmentHit hit) const;

  private:
    std::optional<SegmentHit> FirstFrom(std::size_t segment, std::size_t offset) const;
    std::optional<SegmentHit> LastBefore(std::size_t segment, std::size_t offset) const;

    const SegmentList& segments_;
    FoldedSearch search_;
};

}  // namespace trelvane

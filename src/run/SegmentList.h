// A list of texts held in a few large blocks: the segments of a file
// (millions of them for a big interchange) and the FNS3 lines cost a handful
// of allocations, not one per element, and growing the list never copies
// what it already holds. Indexes start at 0; a copy is independent of the
// original.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace trelvane {

using StringList = std::vector<std::string>;

// A piece of 4 GiB or more. No segment of a real interchange comes near it;
// a list refuses it rather than keep a length cut short, which would let a
// file pass as clean with most of a segment unread.
inline constexpr std::uint64_t kMaxPieceLength = UINT32_MAX;
class PieceTooLong : public std::length_error {
  public:
    explicit PieceTooLong(std::size_t index)
        : std::length_error("piece of 4 GiB or more"), index_(index) {}
    // Where the piece stands (or would have stood) in its list.
    std::size_t Index() const { return index_; }

  private:
    std::size_t index_;
};

class SegmentList {
  public:
    SegmentList() = default;
    // Takes over a buffer and the pieces that lie in it (start, length).
    SegmentList(std::string buffer, std::vector<std::uint64_t> starts,
                std::vector<std::uint32_t> lengths);

    std::size_t size() const { return lengths_.size(); }
    bool empty() const { return lengths_.empty(); }
    // Index of the last element, -1 when empty.
    std::int64_t UpperBound() const { return static_cast<std::int64_t>(size()) - 1; }

    std::string_view operator[](std::size_t i) const {
        const std::uint64_t s = starts_[i];
        return {blocks_[s >> kOffsetBits].data() + (s & kOffsetMask), lengths_[i]};
    }
    std::string_view at(std::size_t i) const;

    // Both raise PieceTooLong for a text longer than kMaxPieceLength.
    void push_back(std::string_view text);
    // Appends an element that shares the text of element i instead of
    // copying it. Only for lists whose elements are never Set afterwards:
    // Set on either element would change both.
    void PushRepeat(std::size_t i);
    void pop_back();
    // Replaces element i; a text no longer than the old one is written in place.
    void Set(std::size_t i, std::string_view text);
    void clear();
    void reserve(std::size_t n);

    StringList ToStringList() const;
    static SegmentList FromStringList(const StringList& list);

  private:
    // A start packs the block number above a 40-bit offset into the block.
    static constexpr unsigned kOffsetBits = 40;
    static constexpr std::uint64_t kOffsetMask = (std::uint64_t{1} << kOffsetBits) - 1;
    // A block's allocation (its capacity and the string's final NUL) is
    // exactly 4 MB: two whole huge pages, none begun for a single byte.
    static constexpr std::size_t kBlockSize = (std::size_t{4} << 20) - 1;

    // Room for n more bytes at the end of the last block, which never grows
    // past the capacity it was given, so that no stored text moves.
    std::uint64_t Reserve(std::size_t n);

    std::vector<std::string> blocks_;
    std::vector<std::uint64_t> starts_;
    std::vector<std::uint32_t> lengths_;
};

}  // namespace trelvane

// A list of texts held in one buffer: the segments of a file (millions of
// them for a big interchange) and the FNS3 lines cost one allocation, not one
// per element. Indexes start at 0; a copy is independent of the original.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trelvane {

using StringList = std::vector<std::string>;

class SegmentList {
  public:
    SegmentList() = default;
    // Takes over a buffer; pieces are then added with AddPiece as views into it.
    explicit SegmentList(std::string buffer) : arena_(std::move(buffer)) {}

    std::size_t size() const { return starts_.size(); }
    bool empty() const { return starts_.empty(); }
    // Index of the last element, -1 when empty.
    std::int64_t UpperBound() const { return static_cast<std::int64_t>(size()) - 1; }

    std::string_view operator[](std::size_t i) const {
        return {arena_.data() + starts_[i], lengths_[i]};
    }
    std::string_view at(std::size_t i) const;

    void push_back(std::string_view text);
    // Records a piece that already lies in the buffer at [start, start+length).
    void AddPiece(std::size_t start, std::size_t length);
    void pop_back();
    // Replaces element i; a text no longer than the old one is written in place.
    void Set(std::size_t i, std::string_view text);
    void clear();
    void reserve(std::size_t n);

    StringList ToStringList() const;
    static SegmentList FromStringList(const StringList& list);

  private:
    std::string arena_;
    std::vector<std::uint64_t> starts_;
    std::vector<std::uint32_t> lengths_;
};

}  // namespace trelvane

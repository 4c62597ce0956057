// The segments of a file, twice over where it matters: each segment's text
// as the file holds it, which is what the user is shown, and the text the
// checks read, whose released separators the cuts have resolved (a released
// separator loses its release character). The two differ only in segments
// that hold a release character, a few in a real file: their resolved texts
// are held apart, and every other segment is read from the file's text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "run/SegmentList.h"

namespace trelvane {

class SegmentTexts {
  public:
    SegmentTexts() = default;
    // Every segment read as the file holds it.
    SegmentTexts(SegmentList file) : file_(std::move(file)) {}  // NOLINT: a list is one
    static SegmentTexts FromStringList(const StringList& list);

    std::size_t size() const { return file_.size(); }
    bool empty() const { return file_.empty(); }
    // Index of the last segment, -1 when empty.
    std::int64_t UpperBound() const { return file_.UpperBound(); }

    // The text the checks read.
    std::string_view operator[](std::size_t i) const {
        if (resolved_.empty() || !resolved_[i]) return file_[i];
        return Resolved(i);
    }
    std::string_view at(std::size_t i) const;
    // Appends a segment read as the file holds it.
    void push_back(std::string_view text) {
        file_.push_back(text);
        if (!resolved_.empty()) resolved_.push_back(false);
    }
    // Replaces the text the checks read; the file's own text stays.
    void Set(std::size_t i, std::string_view text);
    // The checks' texts, in order.
    StringList ToStringList() const;

    // The text as the file holds it, release characters and all.
    std::string_view FileText(std::size_t i) const { return file_[i]; }
    const SegmentList& File() const { return file_; }

  private:
    std::string_view Resolved(std::size_t i) const;

    SegmentList file_;
    std::vector<bool> resolved_;  // empty until a segment is resolved
    // The resolved segments in increasing order, and where each one's text
    // lies in resolvedTexts_.
    std::vector<std::size_t> resolvedAt_;
    std::vector<std::uint32_t> slots_;
    SegmentList resolvedTexts_;
};

}  // namespace trelvane

#include "run/SegmentList.h"

#include <algorithm>
#include <stdexcept>

namespace trelvane {

SegmentList::SegmentList(std::string buffer, std::vector<std::uint64_t> starts,
                         std::vector<std::uint32_t> lengths)
    : starts_(std::move(starts)), lengths_(std::move(lengths)) {
    // The buffer is kept as it is, spare capacity included: shrinking it would
    // copy the whole file text and briefly hold it twice. Later texts go into
    // that spare room while it lasts (appending within the capacity never
    // moves what is already there), then into blocks of their own.
    blocks_.push_back(std::move(buffer));
}

std::string_view SegmentList::at(std::size_t i) const {
    if (i >= size()) throw std::out_of_range("SegmentList::at");
    return (*this)[i];
}

std::uint64_t SegmentList::Reserve(std::size_t n) {
    if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < n) {
        std::string block;
        block.reserve(std::max(kBlockSize, n));
        blocks_.push_back(std::move(block));
    }
    const std::uint64_t block = blocks_.size() - 1;
    return (block << kOffsetBits) | blocks_.back().size();
}

void SegmentList::push_back(std::string_view text) {
    if (text.size() > kMaxPieceLength) throw PieceTooLong(size());
    const std::uint64_t start = Reserve(text.size());
    blocks_.back().append(text);
    starts_.push_back(start);
    lengths_.push_back(static_cast<std::uint32_t>(text.size()));
}

void SegmentList::PushRepeat(std::size_t i) {
    const std::uint64_t start = starts_[i];
    const std::uint32_t length = lengths_[i];
    starts_.push_back(start);
    lengths_.push_back(length);
}

void SegmentList::pop_back() {
    starts_.pop_back();
    lengths_.pop_back();
}

void SegmentList::Set(std::size_t i, std::string_view text) {
    if (text.size() <= lengths_[i]) {
        const std::uint64_t s = starts_[i];
        char* dst = blocks_[s >> kOffsetBits].data() + (s & kOffsetMask);
        // The new text may overlap the old one (it is usually derived from it).
        if (text.data() != dst) std::char_traits<char>::move(dst, text.data(), text.size());
        lengths_[i] = static_cast<std::uint32_t>(text.size());
        return;
    }
    if (text.size() > kMaxPieceLength) throw PieceTooLong(i);
    const std::string copy(text);  // text may lie in a block about to be appended to
    starts_[i] = Reserve(copy.size());
    blocks_.back().append(copy);
    lengths_[i] = static_cast<std::uint32_t>(copy.size());
}

void SegmentList::clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    starts_.clear();
    starts_.shrink_to_fit();
    lengths_.clear();
    lengths_.shrink_to_fit();
}

void SegmentList::reserve(std::size_t n) {
    starts_.reserve(n);
    lengths_.reserve(n);
}

StringList SegmentList::ToStringList() const {
    StringList out;
    out.reserve(size());
    for (std::size_t i = 0; i < size(); ++i)
        out.emplace_back((*this)[i]);
    return out;
}

SegmentList SegmentList::FromStringList(const StringList& list) {
    SegmentList out;
    out.reserve(list.size());
    for (const auto& s : list)
        out.push_back(s);
    return out;
}

}  // namespace trelvane

#include "run/SegmentList.h"

#include <stdexcept>

namespace trelvane {

std::string_view SegmentList::at(std::size_t i) const {
    if (i >= size()) throw std::out_of_range("SegmentList::at");
    return (*this)[i];
}

void SegmentList::push_back(std::string_view text) {
    starts_.push_back(arena_.size());
    lengths_.push_back(static_cast<std::uint32_t>(text.size()));
    arena_.append(text);
}

void SegmentList::AddPiece(std::size_t start, std::size_t length) {
    starts_.push_back(start);
    lengths_.push_back(static_cast<std::uint32_t>(length));
}

void SegmentList::pop_back() {
    starts_.pop_back();
    lengths_.pop_back();
}

void SegmentList::Set(std::size_t i, std::string_view text) {
    if (text.size() <= lengths_[i]) {
        // The new text may overlap the old one (it is usually derived from it).
        char* dst = arena_.data() + starts_[i];
        if (text.data() != dst) std::char_traits<char>::move(dst, text.data(), text.size());
        lengths_[i] = static_cast<std::uint32_t>(text.size());
        return;
    }
    std::string copy(text);
    starts_[i] = arena_.size();
    lengths_[i] = static_cast<std::uint32_t>(copy.size());
    arena_.append(copy);
}

void SegmentList::clear() {
    arena_.clear();
    arena_.shrink_to_fit();
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

#include "run/SegmentTexts.h"

#include <algorithm>
#include <stdexcept>

namespace trelvane {

SegmentTexts SegmentTexts::FromStringList(const StringList& list) {
    return SegmentTexts(SegmentList::FromStringList(list));
}

std::string_view SegmentTexts::at(std::size_t i) const {
    if (i >= size()) throw std::out_of_range("SegmentTexts::at");
    return (*this)[i];
}

std::string_view SegmentTexts::Resolved(std::size_t i) const {
    const auto it = std::lower_bound(resolvedAt_.begin(), resolvedAt_.end(), i);
    if (it == resolvedAt_.end() || *it != i) return file_[i];
    return resolvedTexts_[slots_[static_cast<std::size_t>(it - resolvedAt_.begin())]];
}

void SegmentTexts::Set(std::size_t i, std::string_view text) {
    if (i >= size()) throw std::out_of_range("SegmentTexts::Set");
    const auto it = std::lower_bound(resolvedAt_.begin(), resolvedAt_.end(), i);
    const auto k = static_cast<std::size_t>(it - resolvedAt_.begin());
    const bool held = it != resolvedAt_.end() && *it == i;
    if (text == file_[i]) {
        // Back to the file's own text; the old resolved text is simply left.
        if (held) {
            resolved_[i] = false;
            resolvedAt_.erase(it);
            slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(k));
        }
        return;
    }
    if (held) {
        resolvedTexts_.Set(slots_[k], text);
        return;
    }
    if (resolvedTexts_.size() >= UINT32_MAX) throw PieceTooLong(i);
    if (resolved_.empty()) resolved_.assign(size(), false);
    resolved_[i] = true;
    // Segments are resolved in file order: the new one nearly always goes last.
    resolvedAt_.insert(it, i);
    slots_.insert(slots_.begin() + static_cast<std::ptrdiff_t>(k),
                  static_cast<std::uint32_t>(resolvedTexts_.size()));
    resolvedTexts_.push_back(text);
}

StringList SegmentTexts::ToStringList() const {
    StringList out;
    out.reserve(size());
    for (std::size_t i = 0; i < size(); ++i)
        out.emplace_back((*this)[i]);
    return out;
}

}  // namespace trelvane

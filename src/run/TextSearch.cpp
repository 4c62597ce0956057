#include "run/TextSearch.h"

#include <algorithm>
#include <array>

namespace trelvane {

namespace {

// Each byte of Windows-1252 to its lower-case form.
constexpr std::array<unsigned char, 256> MakeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
    // À to Þ, but for the multiplication sign.
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
    table[0x8A] = 0x9A;  // Š
    table[0x8C] = 0x9C;  // Œ
    table[0x8E] = 0x9E;  // Ž
    table[0x9F] = 0xFF;  // Ÿ
    return table;
}
constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

unsigned char Fold(char c) {
    return kFold[static_cast<unsigned char>(c)];
}

}  // namespace

FoldedSearch::FoldedSearch(std::string_view needle) : needle_(needle) {
    for (char& c : needle_)
        c = static_cast<char>(Fold(c));
}

bool FoldedSearch::MatchesAt(std::string_view text, std::size_t at) const {
    for (std::size_t i = 0; i < needle_.size(); ++i)
        if (Fold(text[at + i]) != static_cast<unsigned char>(needle_[i])) return false;
    return true;
}

std::size_t FoldedSearch::Find(std::string_view text, std::size_t from) const {
    if (needle_.empty() || text.size() < needle_.size()) return npos;
    const std::size_t last = text.size() - needle_.size();
    const auto first = static_cast<unsigned char>(needle_[0]);
    for (std::size_t at = from; at <= last; ++at)
        if (Fold(text[at]) == first && MatchesAt(text, at)) return at;
    return npos;
}

std::size_t FoldedSearch::FindBefore(std::string_view text, std::size_t before) const {
    if (needle_.empty() || text.size() < needle_.size() || before == 0) return npos;
    std::size_t at = std::min(before - 1, text.size() - needle_.size());
    for (;; --at) {
        if (MatchesAt(text, at)) return at;
        if (at == 0) return npos;
    }
}

std::int64_t FoldedSearch::Count(std::string_view text, std::size_t before) const {
    std::int64_t n = 0;
    for (std::size_t at = Find(text); at != npos && at < before; at = Find(text, at + 1))
        ++n;
    return n;
}

SegmentSearch::SegmentSearch(const SegmentList& segments, std::string_view needle)
    : segments_(segments), search_(needle) {}

std::int64_t SegmentSearch::Count() const {
    std::int64_t n = 0;
    if (search_.Empty()) return n;
    for (std::size_t i = 0; i < segments_.size(); ++i)
        n += search_.Count(segments_[i]);
    return n;
}

std::optional<SegmentHit> SegmentSearch::FirstFrom(std::size_t segment, std::size_t offset) const {
    for (std::size_t i = segment; i < segments_.size(); ++i, offset = 0) {
        const std::size_t at = search_.Find(segments_[i], offset);
        if (at != FoldedSearch::npos) return SegmentHit{static_cast<std::int64_t>(i), at};
    }
    return std::nullopt;
}

std::optional<SegmentHit> SegmentSearch::LastBefore(std::size_t segment, std::size_t offset) const {
    for (std::size_t i = std::min(segment + 1, segments_.size()); i-- > 0;
         offset = FoldedSearch::npos) {
        const std::size_t at = search_.FindBefore(segments_[i], offset);
        if (at != FoldedSearch::npos) return SegmentHit{static_cast<std::int64_t>(i), at};
    }
    return std::nullopt;
}

std::optional<SegmentHit> SegmentSearch::Next(SegmentHit from) const {
    if (search_.Empty()) return std::nullopt;
    if (from.segment >= 0) {
        if (auto hit = FirstFrom(static_cast<std::size_t>(from.segment), from.offset + 1))
            return hit;
    }
    return FirstFrom(0, 0);
}

std::optional<SegmentHit> SegmentSearch::Previous(SegmentHit from) const {
    if (search_.Empty()) return std::nullopt;
    if (from.segment >= 0) {
        if (auto hit = LastBefore(static_cast<std::size_t>(from.segment), from.offset)) return hit;
    }
    return LastBefore(segments_.size(), FoldedSearch::npos);
}

std::int64_t SegmentSearch::Ordinal(SegmentHit hit) const {
    std::int64_t n = 1;
    const auto segment = static_cast<std::size_t>(hit.segment);
    for (std::size_t i = 0; i < segment && i < segments_.size(); ++i)
        n += search_.Count(segments_[i]);
    if (segment < segments_.size()) n += search_.Count(segments_[segment], hit.offset);
    return n;
}

}  // namespace trelvane

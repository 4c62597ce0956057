// Slices of a text counted as the rules count them: positions from 1, and a
// slice that runs past the end keeps what there is.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace trelvane {

inline std::string_view Left(std::string_view text, std::size_t count) {
    return text.substr(0, count);
}

inline std::string_view Right(std::string_view text, std::size_t count) {
    return text.substr(text.size() - std::min(count, text.size()));
}

// Characters first..first+count-1; nothing when first lies past the end.
inline std::string_view Mid(std::string_view text, std::size_t first, std::size_t count) {
    return first - 1 < text.size() ? text.substr(first - 1, count) : std::string_view();
}

}  // namespace trelvane

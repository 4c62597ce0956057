// Every file the program reads or writes is Windows-1252 text, and the core
// works on those bytes directly (one character, one byte). Source files are
// UTF-8: French literals are written with the _cp suffix, which converts them
// to Windows-1252 at compile time. This header is the one place where that
// conversion lives.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace trelvane {

// Windows-1252 <-> UTF-8 at run time (for the windows, the console and JSON).
// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in Windows-1252;
// they are decoded as the C1 control of the same value so nothing is lost.
std::string Cp1252ToUtf8(std::string_view cp1252);
// Characters that Windows-1252 cannot hold become '?'.
std::string Utf8ToCp1252(std::string_view utf8);
// The Unicode character of one Windows-1252 byte (all of them below 0x10000).
char16_t Cp1252CodeUnit(unsigned char byte);

// Upper case of one Windows-1252 byte, accented letters included.
char UpperCp1252(char c);
std::string UpperCp1252(std::string_view text);

namespace detail {

// Unicode code point -> Windows-1252 byte, or -1 when it has none.
constexpr int CodePointToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    switch (cp) {
        case 0x20AC:
            return 0x80;
        case 0x201A:
            return 0x82;
        case 0x0192:
            return 0x83;
        case 0x201E:
            return 0x84;
        case 0x2026:
            return 0x85;
        case 0x2020:
            return 0x86;
        case 0x2021:
            return 0x87;
        case 0x02C6:
            return 0x88;
        case 0x2030:
            return 0x89;
        case 0x0160:
            return 0x8A;
        case 0x2039:
            return 0x8B;
        case 0x0152:
            return 0x8C;
        case 0x017D:
            return 0x8E;
        case 0x2018:
            return 0x91;
        case 0x2019:
            return 0x92;
        case 0x201C:
            return 0x93;
        case 0x201D:
            return 0x94;
        case 0x2022:
            return 0x95;
        case 0x2013:
            return 0x96;
        case 0x2014:
            return 0x97;
        case 0x02DC:
            return 0x98;
        case 0x2122:
            return 0x99;
        case 0x0161:
            return 0x9A;
        case 0x203A:
            return 0x9B;
        case 0x0153:
            return 0x9C;
        case 0x017E:
            return 0x9E;
        case 0x0178:
            return 0x9F;
        default:
            return -1;
    }
}

template <std::size_t N>
struct Utf8Literal {
    char bytes[N]{};
    consteval Utf8Literal(const char (&s)[N]) {
        for (std::size_t i = 0; i < N; ++i)
            bytes[i] = s[i];
    }
};

template <Utf8Literal S>
struct Cp1252Literal {
    static consteval std::size_t Length() {
        std::size_t n = 0;
        for (std::size_t i = 0; i + 1 < sizeof(S.bytes);) {
            auto b = static_cast<unsigned char>(S.bytes[i]);
            i += b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
            ++n;
        }
        return n;
    }
    static constexpr std::array<char, Length() + 1> Convert() {
        std::array<char, Length() + 1> out{};
        std::size_t o = 0;
        for (std::size_t i = 0; i + 1 < sizeof(S.bytes);) {
            auto b = static_cast<unsigned char>(S.bytes[i]);
            char32_t cp = 0;
            std::size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
            cp = len == 1 ? b : len == 2 ? (b & 0x1Fu) : len == 3 ? (b & 0x0Fu) : (b & 0x07u);
            for (std::size_t k = 1; k < len; ++k)
                cp = (cp << 6) | (static_cast<unsigned char>(S.bytes[i + k]) & 0x3Fu);
            int c = CodePointToCp1252(cp);
            if (c < 0) throw "character not representable in Windows-1252";
            out[o++] = static_cast<char>(static_cast<unsigned char>(c));
            i += len;
        }
        out[o] = '\0';
        return out;
    }
    static constexpr std::array<char, Length() + 1> value = Convert();
};

}  // namespace detail

// Joining texts and Windows-1252 literals, which are string_views.
inline std::string operator+(std::string a, std::string_view b) {
    a.append(b);
    return a;
}
inline std::string operator+(std::string_view a, const std::string& b) {
    std::string out(a);
    out += b;
    return out;
}
inline std::string operator+(std::string_view a, std::string_view b) {
    std::string out(a);
    out += b;
    return out;
}

inline namespace literals {
// "Création"_cp is the 8-byte Windows-1252 text, ready to compare or write.
template <detail::Utf8Literal S>
constexpr std::string_view operator""_cp() {
    return {detail::Cp1252Literal<S>::value.data(), detail::Cp1252Literal<S>::value.size() - 1};
}
}  // namespace literals

}  // namespace trelvane

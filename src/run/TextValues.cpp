#include "run/TextValues.h"

#include <cmath>
#include <limits>
#include <string>

#include "config/RuntimeErrors.h"

namespace trelvane {

namespace {

struct NumberParts {
    bool negative = false;
    std::string_view integer;
    std::string_view decimals;
};

bool SplitNumber(std::string_view text, NumberParts& parts) {
    if (text.empty()) return false;
    std::size_t i = 0;
    if (text[0] == '+' || text[0] == '-') {
        parts.negative = text[0] == '-';
        i = 1;
    }
    std::size_t intStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    parts.integer = text.substr(intStart, i - intStart);
    if (i < text.size() && text[i] == ',') {
        ++i;
        std::size_t decStart = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        parts.decimals = text.substr(decStart, i - decStart);
    }
    return i == text.size() && (!parts.integer.empty() || !parts.decimals.empty());
}

}  // namespace

bool IsNumeric(std::string_view text) {
    NumberParts parts;
    return SplitNumber(text, parts);
}

bool IsDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

std::optional<double> ParseNumber(std::string_view text) {
    NumberParts parts;
    if (!SplitNumber(text, parts)) return std::nullopt;
    double value = 0;
    for (char c : parts.integer)
        value = value * 10 + (c - '0');
    double scale = 0.1;
    for (char c : parts.decimals) {
        value += (c - '0') * scale;
        scale /= 10;
    }
    return parts.negative ? -value : value;
}

std::int64_t ToInteger(std::string_view text, std::int64_t min, std::int64_t max) {
    NumberParts parts;
    if (!SplitNumber(text, parts)) throw RuntimeError(kErrTypeMismatch);
    // Exact integer part; past 19 digits the value cannot fit any range we use.
    std::size_t firstNonZero = 0;
    while (firstNonZero < parts.integer.size() && parts.integer[firstNonZero] == '0')
        ++firstNonZero;
    std::string_view digits = parts.integer.substr(firstNonZero);
    if (digits.size() > 18) throw RuntimeError(kErrOverflow);
    std::int64_t value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    // Halves go to the even neighbour, as the platform's conversion does.
    if (!parts.decimals.empty()) {
        int first = parts.decimals[0] - '0';
        bool restNonZero = false;
        for (std::size_t k = 1; k < parts.decimals.size(); ++k)
            if (parts.decimals[k] != '0') restNonZero = true;
        if (first > 5 || (first == 5 && (restNonZero || value % 2 == 1))) ++value;
    }
    if (parts.negative) value = -value;
    if (value < min || value > max) throw RuntimeError(kErrOverflow);
    return value;
}

bool IsValidDate(std::string_view year, std::string_view month, std::string_view day) {
    if (!IsDigits(year) || !IsDigits(month) || !IsDigits(day)) return false;
    if (year.size() > 4 || month.size() > 2 || day.size() > 2) {
        // Leading zeros beyond the usual width are tolerated.
        auto tooLong = [](std::string_view s, std::size_t width) {
            std::size_t z = 0;
            while (z + width < s.size() && s[z] == '0')
                ++z;
            return s.size() - z > width;
        };
        if (tooLong(year, 4) || tooLong(month, 2) || tooLong(day, 2)) return false;
    }
    auto toInt = [](std::string_view s) {
        int v = 0;
        for (char c : s)
            v = v * 10 + (c - '0');
        return v;
    };
    std::size_t leadingZeros = 0;
    while (leadingZeros + 1 < year.size() && year[leadingZeros] == '0')
        ++leadingZeros;
    const std::size_t significantYearDigits = year.size() - leadingZeros;
    int y = toInt(year);
    if (year.size() <= 2 && significantYearDigits <= 2) y = y < 30 ? 2000 + y : 1900 + y;
    if (y < 100 && year.size() > 2) return false;
    const int m = toInt(month);
    const int d = toInt(day);
    if (m < 1 || m > 12 || d < 1) return false;
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int maxDay = kDays[m - 1];
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) maxDay = 29;
    return d <= maxDay;
}

int SignificantDecimals(std::string_view number) {
    NumberParts parts;
    if (!SplitNumber(number, parts)) return 0;
    std::string_view dec = parts.decimals;
    while (!dec.empty() && dec.back() == '0')
        dec.remove_suffix(1);
    return static_cast<int>(dec.size());
}

}  // namespace trelvane

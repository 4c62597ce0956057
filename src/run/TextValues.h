// How the checks recognise numbers and dates in the data, defined once:
// - a number is an optional leading sign ("+" or "-"), decimal digits and at
//   most one decimal comma, with at least one digit, no space and no exponent
//   ("12", "-3", "0012", "12,5" and ",5" are numbers; "1e3", "1.5", " 1",
//   "" are not);
// - a date is valid when it names a real calendar day; its parts are decimal
//   digits only, a year of one or two digits falls in 1930..2029, a year of
//   three or four digits is taken as written.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace trelvane {

bool IsNumeric(std::string_view text);
// The value of a number, nullopt when the text is not one.
std::optional<double> ParseNumber(std::string_view text);
// Integer conversion of a number, halves rounded to even. Raises
// RuntimeError(13) for a text that is not a number, RuntimeError(6) for a
// value outside [min, max].
std::int64_t ToInteger(std::string_view text, std::int64_t min, std::int64_t max);
// Digits only, at least one.
bool IsDigits(std::string_view text);

bool IsValidDate(std::string_view year, std::string_view month, std::string_view day);

// Number of decimals a number is written with once trailing zeros of its
// decimal part are dropped ("12,50" has 1); 0 for a text that is not a number.
int SignificantDecimals(std::string_view number);

}  // namespace trelvane

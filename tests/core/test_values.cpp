// Numbers and dates as the data writes them.
#include <gtest/gtest.h>

#include <limits>

#include "config/RuntimeErrors.h"
#include "run/TextValues.h"

namespace trelvane::test {
namespace {

constexpr std::int64_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();

// The integer read from text, or "error N".
std::string Integer(std::string_view text, std::int64_t max = kMax32) {
    try {
        return std::to_string(ToInteger(text, kMin32, max));
    } catch (const RuntimeError& e) {
        return "error " + std::to_string(e.Number());
    }
}

TEST(Values, Numbers) {
    for (const char* yes : {"0", "12", "0012", "+12", "-3", "12,5", ",5", "5,", "-0,25"})
        EXPECT_TRUE(IsNumeric(yes)) << yes;
    for (const char* no :
         {"", "+", "-", ",", "+,", "1e3", "1.5", " 1", "1 ", "12,5,0", "--1", "1-", "0x10", "1O"})
        EXPECT_FALSE(IsNumeric(no)) << no;
    EXPECT_DOUBLE_EQ(*ParseNumber("-12,5"), -12.5);
    EXPECT_FALSE(ParseNumber("1e3").has_value());
    // Halves round to the even neighbour.
    const std::pair<const char*, const char*> integers[] = {{"000000000000000000000000042", "42"},
                                                            {"+7", "7"},
                                                            {"-120", "-120"},
                                                            {"0,5", "0"},
                                                            {"1,5", "2"},
                                                            {"2,5", "2"},
                                                            {"2,51", "3"},
                                                            {"2,49", "2"},
                                                            {"-2,5", "-2"},
                                                            {"-3,5", "-4"},
                                                            {"2147483647", "2147483647"},
                                                            {"-2147483648", "-2147483648"},
                                                            {"", "error 13"},
                                                            {"12A", "error 13"},
                                                            {"2147483648", "error 6"},
                                                            {"-2147483649", "error 6"},
                                                            {"2147483647,5", "error 6"},
                                                            {"99999999999999999999999", "error 6"}};
    for (const auto& [text, value] : integers)
        EXPECT_EQ(Integer(text), value) << text;
    EXPECT_EQ(Integer("150", 100), "error 6");
    const std::pair<const char*, int> decimals[] = {{"12,5", 1},    {"12,50", 1}, {"12,345", 3},
                                                    {"12,3400", 2}, {"1000", 0},  {"0,01", 2},
                                                    {"abc", 0},     {"", 0}};
    for (const auto& [text, count] : decimals)
        EXPECT_EQ(SignificantDecimals(text), count) << text;
}

TEST(Values, Dates) {
    // Two-digit years fall in 1930..2029.
    const std::tuple<const char*, const char*, const char*, bool> dates[] = {
        {"2004", "02", "29", true},  {"2006", "02", "29", false}, {"2000", "02", "29", true},
        {"1900", "02", "29", false}, {"2006", "12", "31", true},  {"2006", "13", "01", false},
        {"2006", "00", "10", false}, {"2006", "04", "31", false}, {"2006", "01", "00", false},
        {"", "", "", false},         {"2006", "1a", "01", false}, {"20-6", "01", "01", false},
        {"00", "02", "29", true},    {"28", "02", "29", true},    {"29", "02", "29", false},
        {"30", "02", "29", false},   {"32", "02", "29", true},    {"0028", "02", "29", false}};
    for (const auto& [year, month, day, valid] : dates)
        EXPECT_EQ(IsValidDate(year, month, day), valid) << year << "-" << month << "-" << day;
}

}  // namespace
}  // namespace trelvane::test

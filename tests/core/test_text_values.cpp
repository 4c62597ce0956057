// Recognition of numbers and dates in the data: signs, leading zeros, the
// decimal comma, what is not a number, rounding and calendar edges.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "config/RuntimeErrors.h"
#include "run/TextValues.h"

namespace trelvane {
namespace {

constexpr std::int64_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();

int FailureOf(std::string_view text, std::int64_t min = kMin32, std::int64_t max = kMax32) {
    try {
        ToInteger(text, min, max);
    } catch (const RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

TEST(TextValues, WhatIsANumber) {
    for (const char* yes : {"0", "12", "0012", "+12", "-3", "12,5", ",5", "5,", "-0,25"})
        EXPECT_TRUE(IsNumeric(yes)) << yes;
    for (const char* no : {"", "+", "-", ",", "+,", "1e3", "1E3", "1.5", " 1", "1 ", "1 000",
                           "12,5,0", "--1", "1-", "0x10", "1O"})
        EXPECT_FALSE(IsNumeric(no)) << no;
    EXPECT_TRUE(IsDigits("0012"));
    EXPECT_FALSE(IsDigits("+12"));
    EXPECT_FALSE(IsDigits(""));
}

TEST(TextValues, ParsedValues) {
    EXPECT_DOUBLE_EQ(*ParseNumber("0012"), 12.0);
    EXPECT_DOUBLE_EQ(*ParseNumber("-12,5"), -12.5);
    EXPECT_DOUBLE_EQ(*ParseNumber(",25"), 0.25);
    EXPECT_FALSE(ParseNumber("").has_value());
    EXPECT_FALSE(ParseNumber("1e3").has_value());
}

TEST(TextValues, IntegersRoundHalvesToEven) {
    EXPECT_EQ(ToInteger("0", kMin32, kMax32), 0);
    EXPECT_EQ(ToInteger("000000000000000000000000042", kMin32, kMax32), 42);
    EXPECT_EQ(ToInteger("+7", kMin32, kMax32), 7);
    EXPECT_EQ(ToInteger("-120", kMin32, kMax32), -120);
    EXPECT_EQ(ToInteger("0,5", kMin32, kMax32), 0);
    EXPECT_EQ(ToInteger("1,5", kMin32, kMax32), 2);
    EXPECT_EQ(ToInteger("2,5", kMin32, kMax32), 2);
    EXPECT_EQ(ToInteger("2,51", kMin32, kMax32), 3);
    EXPECT_EQ(ToInteger("2,49", kMin32, kMax32), 2);
    EXPECT_EQ(ToInteger("-2,5", kMin32, kMax32), -2);
    EXPECT_EQ(ToInteger("-3,5", kMin32, kMax32), -4);
    EXPECT_EQ(ToInteger("2147483647", kMin32, kMax32), kMax32);
    EXPECT_EQ(ToInteger("-2147483648", kMin32, kMax32), kMin32);
}

TEST(TextValues, IntegerFailures) {
    EXPECT_EQ(FailureOf(""), kErrTypeMismatch);
    EXPECT_EQ(FailureOf("1e3"), kErrTypeMismatch);
    EXPECT_EQ(FailureOf("12A"), kErrTypeMismatch);
    EXPECT_EQ(FailureOf("2147483648"), kErrOverflow);
    EXPECT_EQ(FailureOf("-2147483649"), kErrOverflow);
    EXPECT_EQ(FailureOf("2147483647,5"), kErrOverflow);
    EXPECT_EQ(FailureOf("99999999999999999999999"), kErrOverflow);
    EXPECT_EQ(FailureOf("150", -32768, 100), kErrOverflow);
}

TEST(TextValues, CalendarDates) {
    EXPECT_TRUE(IsValidDate("2004", "02", "29"));
    EXPECT_FALSE(IsValidDate("2006", "02", "29"));
    EXPECT_FALSE(IsValidDate("2006", "02", "30"));
    EXPECT_TRUE(IsValidDate("2000", "02", "29"));
    EXPECT_FALSE(IsValidDate("1900", "02", "29"));
    EXPECT_TRUE(IsValidDate("2006", "12", "31"));
    EXPECT_FALSE(IsValidDate("2006", "13", "01"));
    EXPECT_FALSE(IsValidDate("2006", "00", "10"));
    EXPECT_FALSE(IsValidDate("2006", "04", "31"));
    EXPECT_FALSE(IsValidDate("2006", "01", "00"));
    EXPECT_FALSE(IsValidDate("", "", ""));
    EXPECT_FALSE(IsValidDate("2006", "1a", "01"));
    EXPECT_FALSE(IsValidDate("20-6", "01", "01"));
    // Two-digit years fall in 1930..2029.
    EXPECT_TRUE(IsValidDate("00", "02", "29"));   // 2000
    EXPECT_TRUE(IsValidDate("28", "02", "29"));   // 2028
    EXPECT_FALSE(IsValidDate("29", "02", "29"));  // 2029
    EXPECT_FALSE(IsValidDate("30", "02", "29"));  // 1930
    EXPECT_TRUE(IsValidDate("32", "02", "29"));   // 1932
}

TEST(TextValues, DecimalsAreJudgedOnTheDigits) {
    EXPECT_EQ(SignificantDecimals("12,5"), 1);
    EXPECT_EQ(SignificantDecimals("12,50"), 1);
    EXPECT_EQ(SignificantDecimals("12,345"), 3);
    EXPECT_EQ(SignificantDecimals("12,3400"), 2);
    EXPECT_EQ(SignificantDecimals("1000"), 0);
    EXPECT_EQ(SignificantDecimals("0,01"), 2);
    EXPECT_EQ(SignificantDecimals("abc"), 0);
    EXPECT_EQ(SignificantDecimals(""), 0);
}

}  // namespace
}  // namespace trelvane

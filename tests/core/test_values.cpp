// Numbers and dates as the data writes them, and the format check of a data
// element against each class of the format table.
#include <gtest/gtest.h>

#include <limits>

#include "config/RuntimeErrors.h"
#include "content/ReferenceTables.h"
#include "content/modKTVContentChecker.h"
#include "run/TextValues.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

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

// Each class of the format table: numeric or not, fixed length or a maximum,
// one expected value. The record names the failure; "" when the value passes.
TEST(Values, FormatClasses) {
    ScriptedPlatform platform;
    WriteBytes(platform.Directory() + "/tbl_data_format.txt",
               "\"FN4\",\"fn\",4,\"any\"\r\n\"VN3\",\"vn\",3,\"any\"\r\n\"VA35\",\"va\",35,"
               "\"any\"\r\n\"FA4\",\"fa\",4,\"UNA:\"\r\n\"COMMA\",\"va\",5,\"1,5\"\r\n");
    Initialise_Table_Formats();
    const std::tuple<const char*, std::string, const char*> cases[] = {
        {"FN4", "0012", ""},
        {"FN4", "-123", ""},
        {"FN4", "12", "4,080"},
        {"FN4", "1a3", ",880"},
        {"FN4", "", ",880"},
        {"FN4", "12,5", "Numérique Attendu,800"},
        {"VN3", "+12", ""},
        {"VN3", "1234", "3,080"},
        {"VN3", "", "Numérique Attendu,800"},
        {"VN3", "+", "Numérique Attendu,800"},
        {"VN3", "1-2", "Numérique Attendu,800"},
        {"VA35", std::string(35, 'x'), ""},
        {"VA35", std::string(36, 'x'), "35,080"},
        {"FA4", "UNA:", ""},
        {"FA4", "una:", "UNA:,008"},
        {"COMMA", "2", "1;5,008"}};
    for (const auto& [key, value, record] : cases) {
        StringList errors{"[Contenu]"};
        const bool passed = CheckDataFormat(errors, value, 7, key, "d3:1", 2);
        const std::string r = W(record);
        const std::size_t comma = r.rfind(',');
        const std::string expected =
            r.empty() ? "" : "7," + r.substr(0, comma) + ",d3:1,2" + r.substr(comma);
        EXPECT_EQ(errors.size() > 1 ? errors.back() : "", expected) << key << " " << value;
        EXPECT_EQ(passed, errors.size() == 1) << key << " " << value;
    }
    StringList errors{"[Contenu]"};
    EXPECT_FALSE(CheckDataFormat(errors, "x", 1, "NOPE", "d1", 1));  // no row: not checked
    EXPECT_EQ(errors.size(), 1u);
}

}  // namespace
}  // namespace trelvane::test

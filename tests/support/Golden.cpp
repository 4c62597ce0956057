#include "support/Golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "support/TestFiles.h"

namespace trelvane::test {

namespace {

// The first line that differs, both ways, around its first different column
// (a JSON dump or an FNS3 record is one long line).
std::string Difference(const std::string& expected, const std::string& actual, bool cp1252) {
    std::istringstream a(expected), b(actual);
    std::string x, y;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, x));
        const bool moreB = static_cast<bool>(std::getline(b, y));
        if (!moreA) x = "<end>";
        if (!moreB) y = "<end>";
        if (x == y && moreA && moreB) continue;
        std::size_t column = 0;
        while (column < x.size() && column < y.size() && x[column] == y[column])
            ++column;
        const std::size_t from = column > 40 ? column - 40 : 0;
        const auto show = [&](const std::string& text) {
            const std::string cut = text.substr(std::min(from, text.size()), 100);
            return cp1252 ? U(cut) : cut;
        };
        return "first difference at line " + std::to_string(line) + "\n- " + show(x) + "\n+ " +
               show(y) + "\n";
    }
}

}  // namespace

void ExpectGolden(const std::string& name, const std::string& actual) {
    const std::string path = std::string(TRELVANE_TEST_DATA_DIR) + "/golden/" + name;
    const char* update = std::getenv("TRELVANE_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        WriteBytes(path, actual);
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(path)) << "no golden file " << path;
    const std::string expected = ReadBytes(path);
    EXPECT_TRUE(expected == actual)
        << "golden " << name << " differs (TRELVANE_UPDATE_GOLDEN=1 rewrites it)\n"
        << Difference(expected, actual, !name.ends_with(".json") && !name.ends_with(".html"));
}

}  // namespace trelvane::test

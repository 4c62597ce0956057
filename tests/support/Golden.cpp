#include "support/Golden.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "support/TestFiles.h"

namespace trelvane::test {

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// A long line (a JSON dump, an FNS3 record) is shown around its first change.
std::string Around(const std::string& line, std::size_t column) {
    const std::size_t from = column > 40 ? column - 40 : 0;
    return (from ? "..." : "") + line.substr(from, 100) + (from + 100 < line.size() ? "..." : "");
}

// The lines between the common head and the common tail, as - and + lines.
std::string Difference(const std::string& expected, const std::string& actual, bool cp1252) {
    const std::vector<std::string> a = Lines(expected), b = Lines(actual);
    std::size_t head = 0, tail = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    while (tail + head < a.size() && tail + head < b.size() &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    std::ostringstream out;
    out << "first difference at line " << head + 1 << "\n";
    std::size_t column = 0;
    if (head < a.size() && head < b.size())
        while (column < a[head].size() && column < b[head].size() &&
               a[head][column] == b[head][column])
            ++column;
    auto show = [&](const std::vector<std::string>& lines, char sign) {
        const std::size_t end = std::min(lines.size() - tail, head + 12);
        for (std::size_t i = head; i < end; ++i)
            out << sign << ' '
                << (cp1252 ? U(Around(lines[i], i == head ? column : 0))
                           : Around(lines[i], i == head ? column : 0))
                << "\n";
        if (end < lines.size() - tail)
            out << sign << " ... " << lines.size() - tail - end << " more\n";
    };
    show(a, '-');
    show(b, '+');
    return out.str();
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
        << "golden " << name << " differs ("
        << "TRELVANE_UPDATE_GOLDEN=1 rewrites it)\n"
        << Difference(expected, actual, !name.ends_with(".json") && !name.ends_with(".html"));
}

}  // namespace trelvane::test

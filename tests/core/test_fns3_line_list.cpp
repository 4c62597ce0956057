// FNS3 lines are held without their trailing padding and given back whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conversion/modKTVConversionFunctions.h"

namespace trelvane {
namespace {

TEST(Fns3LineList, GivesBackEveryLineWithItsPaddingWhateverItsLength) {
    std::vector<std::string> lines;
    // Padding runs shorter and longer than a word, after text holding spaces,
    // lines of spaces only, and the empty line.
    for (std::size_t text = 0; text <= 11; ++text)
        for (std::size_t pad = 0; pad <= 19; ++pad) {
            std::string line;
            for (std::size_t k = 0; k < text; ++k)
                line += k % 3 == 1 ? ' ' : static_cast<char>('A' + k);
            line.append(pad, ' ');
            lines.push_back(line);
        }
    lines.push_back("ANS3" + std::string(251, ' '));
    lines.push_back(std::string(255, ' '));
    lines.push_back(std::string(254, ' ') + "X");

    Fns3LineList list;
    for (const std::string& line : lines)
        list.push_back(line);
    ASSERT_EQ(list.size(), lines.size());
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(list[i], lines[i]) << i;
        list.AppendTo(joined, i);
    }
    std::string expected;
    for (const std::string& line : lines)
        expected += line;
    EXPECT_EQ(joined, expected);
}

}  // namespace
}  // namespace trelvane

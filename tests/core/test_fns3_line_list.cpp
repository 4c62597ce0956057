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

// Lines equal to an earlier one of the same kind share its text; lines that
// only look alike (same text, another width; same kind, another text) and
// kinds that collide in the kind table keep their own.
TEST(Fns3LineList, RepeatedLinesReadBackExactly) {
    const std::string ms = "ANS2MS SENDER01      CABINET DUPONT" + std::string(220, ' ');
    const std::string mr = "ANS2MR CSEKTV" + std::string(242, ' ');
    const std::string bare = "ANS310";
    const std::string main = "ANS310" + std::string(249, ' ');
    std::vector<std::string> lines;
    for (int d = 0; d < 40; ++d) {
        lines.push_back(ms);
        lines.push_back(mr);
        lines.push_back("ANS2DT " + std::to_string(1000 + d) + std::string(100, ' '));
        lines.push_back(d % 2 ? bare : main);
        lines.push_back(d % 3 ? ms : ms.substr(0, 40));
        // Kinds of every first six characters, so that slots are shared.
        lines.push_back(std::string(6, static_cast<char>('A' + d % 26)) + "TEXT");
    }
    Fns3LineList list;
    for (const std::string& line : lines)
        list.push_back(line);
    ASSERT_EQ(list.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(list[i], lines[i]) << i;
}

}  // namespace
}  // namespace trelvane

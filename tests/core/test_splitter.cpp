// The splitter at its three levels, checked against a straight transcription
// of the marker-word algorithm it replaces, on worked examples and on random
// texts over the delimiters.
#include <gtest/gtest.h>

#include <random>

#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

namespace trelvane {
namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    std::string out;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(from, pos)) != std::string::npos;
         pos = hit + from.size())
        out.append(text, pos, hit - pos).append(to);
    return out.append(text, pos, std::string::npos);
}

StringList PlainSplit(const std::string& text, const std::string& sep) {
    if (text.empty()) return {};
    if (sep.empty()) return {text};
    StringList out;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(sep, pos)) != std::string::npos; pos = hit + sep.size())
        out.push_back(text.substr(pos, hit - pos));
    out.push_back(text.substr(pos));
    return out;
}

// The original: released separators and doubled release characters hidden
// behind marker words, a plain cut, the markers put back.
StringList MarkerSplit(std::string& text, const std::string& sep, const std::string& rel,
                       CutLevel level) {
    const std::string paired = ReplaceAll(text, rel + rel, "SEPZCHAP");
    const bool pairs = paired.size() > text.size();
    if (pairs) text = paired;
    text = ReplaceAll(text, rel + sep, "SEPECHAP");
    StringList pieces = PlainSplit(text, sep);
    const std::string pairText = level == CutLevel::Component ? rel : rel + rel;
    text = ReplaceAll(ReplaceAll(text, "SEPECHAP", sep), "SEPZCHAP", pairText);
    for (auto& p : pieces) {
        p = ReplaceAll(p, "SEPECHAP", sep);
        if (pairs) p = ReplaceAll(p, "SEPZCHAP", pairText);
    }
    if (level == CutLevel::Segment && pieces.size() > 1) pieces.pop_back();
    return pieces;
}

// A released separator loses its release character; a doubled release
// character stays doubled above the component level; marker words are data.
TEST(Splitter, Edges) {
    State().Delimiters = {"'", "+", ":", "?"};
    std::string sep = "'", plus = "+", colon = ":", rel = "?", unb = "UNB+A?+B:C??D";
    EXPECT_EQ(SplitWithRelease(unb, plus, rel, CutLevel::Element), (StringList{"UNB", "A+B:C??D"}));
    EXPECT_EQ(unb, "UNB+A+B:C??D");
    std::string element = "A+B:C??D";
    EXPECT_EQ(SplitWithRelease(element, colon, rel, CutLevel::Component),
              (StringList{"A+B", "C?D"}));
    const std::pair<std::string, StringList> edges[] = {
        {"", {}},
        {"UNA", {"UNA"}},
        {"A'B", {"A"}},
        {"A??'B'", {"A??", "B"}},
        {"A???'B'", {"A??'B"}},
        {"A?", {"A?"}},
        {"SEPECHAP'X'", {"SEPECHAP", "X"}},
        {"SEPZCHAP??'", {"SEPZCHAP??"}},
    };
    for (const auto& [text, expected] : edges) {
        std::string copy = text;
        EXPECT_EQ(SplitWithRelease(copy, sep, rel, CutLevel::Segment), expected) << text;
        EXPECT_EQ(SplitFileIntoSegments(text, "'", "?").ToStringList(), expected) << text;
    }
    std::string none = "A+B+C", empty;
    EXPECT_EQ(SplitWithRelease(none, plus, empty, CutLevel::Element), StringList{"A+B+C"});
}

// The one-pass cut, its piece count and the file-level cut give the pieces
// and the rewritten text of the marker algorithm, on every delimiter set.
TEST(Splitter, DifferentialAgainstTheMarkerAlgorithm) {
    std::mt19937 rng(20261206);
    const std::array<std::string, 4> sets[] = {
        {"'", "+", ":", "?"},     {"#", "-", "|", "!"}, {"'", "+", ":", "'"},
        {"''", "++", "::", "??"}, {"'", "+", ":", ""},  {"'", "", ":", "?"},
        {"'", "+", ":", "????"},
    };
    for (const auto& delimiters : sets) {
        State().Delimiters = delimiters;
        const std::string alphabet = delimiters[0] + delimiters[1] + delimiters[2] + delimiters[3] +
                                     delimiters[3] + "AB '+:?";
        for (int round = 0; round < 8000; ++round) {
            std::string text;
            for (std::size_t k = rng() % 15; k > 0; --k)
                text += alphabet[rng() % alphabet.size()];
            for (std::size_t level = 0; level < 3; ++level) {
                const CutLevel cut = static_cast<CutLevel>(level);
                std::string sep = delimiters[level], rel = delimiters[3];
                std::string expectedText = text, actualText = text;
                const StringList expected = MarkerSplit(expectedText, sep, rel, cut);
                ASSERT_EQ(SplitWithRelease(actualText, sep, rel, cut), expected)
                    << text << " " << level;
                ASSERT_EQ(actualText, expectedText) << text << " " << level;
                ASSERT_EQ(CountPieces(text, sep, rel, cut), expected.size())
                    << text << " " << level;
                if (level == 0) {
                    ASSERT_EQ(SplitFileIntoSegments(text, sep, rel).ToStringList(), expected);
                }
            }
        }
    }
}

// Past the first megabyte the file-level cut sizes its tables anew: texts
// whose first megabyte says little of the rest.
TEST(Splitter, BigTextsWhateverTheirBeginning) {
    State().Delimiters = {"'", "+", ":", "?"};
    std::string longFirst = std::string(3u << 19, 'L') + "'";
    for (int i = 0; i < 300000; ++i)
        longFirst += i % 97 == 0 ? "A?'B'" : "S'";
    std::string shortFirst;
    for (int i = 0; i < 400000; ++i)
        shortFirst += "AB'";
    shortFirst += std::string(2u << 20, 'X') + "'tail";
    for (const std::string& text : {longFirst, shortFirst}) {
        std::string copy = text, sep = "'", rel = "?";
        EXPECT_TRUE(SplitFileIntoSegments(text, "'", "?").ToStringList() ==
                    SplitWithRelease(copy, sep, rel, CutLevel::Segment));
    }
}

}  // namespace
}  // namespace trelvane

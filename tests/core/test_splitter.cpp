// The splitter at its three levels, and a differential test against a
// straight transcription of the original marker-word algorithm.
#include <gtest/gtest.h>

#include <random>

#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

namespace trelvane {
namespace {

void UsualDelimiters() {
    State().Delimiters = {"'", "+", ":", "?"};
}

// The original algorithm, marker words and all, replacement by replacement.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        std::size_t hit = text.find(from, pos);
        if (hit == std::string::npos) break;
        out.append(text, pos, hit - pos);
        out += to;
        pos = hit + from.size();
    }
    out.append(text, pos, std::string::npos);
    return out;
}

std::vector<std::string> PlainSplit(const std::string& text, const std::string& sep) {
    std::vector<std::string> out;
    if (text.empty()) return out;
    if (sep.empty()) return {text};
    std::size_t pos = 0;
    for (;;) {
        std::size_t hit = text.find(sep, pos);
        if (hit == std::string::npos) break;
        out.push_back(text.substr(pos, hit - pos));
        pos = hit + sep.size();
    }
    out.push_back(text.substr(pos));
    return out;
}

std::vector<std::string> MarkerSplit(std::string& text, const std::string& sep,
                                     const std::string& rel) {
    const std::string c = State().Delimiters[2];
    std::string paired = ReplaceAll(text, rel + rel, "SEPZCHAP");
    bool pairs = paired.size() > text.size();
    if (pairs) text = paired;
    text = ReplaceAll(text, rel + sep, "SEPECHAP");
    std::vector<std::string> pieces = PlainSplit(text, sep);
    const std::string pairText = sep == c ? rel : rel + rel;
    for (auto& p : pieces) {
        p = ReplaceAll(p, "SEPECHAP", sep);
        if (pairs) p = ReplaceAll(p, "SEPZCHAP", pairText);
    }
    text = ReplaceAll(text, "SEPECHAP", sep);
    text = ReplaceAll(text, "SEPZCHAP", pairText);
    if (sep == State().Delimiters[0] && pieces.size() > 1) pieces.pop_back();
    return pieces;
}

TEST(Splitter, WorkedExampleAtTheThreeLevels) {
    UsualDelimiters();
    std::string file = "UNA:+.? 'UNB+A?+B:C??D'UNZ+1'";
    std::string sep = "'", rel = "?";
    auto segments = SplitWithRelease(file, sep, rel);
    ASSERT_EQ(segments, (StringList{"UNA:+.? ", "UNB+A?+B:C??D", "UNZ+1"}));

    std::string unb = segments[1], plus = "+", colon = ":";
    auto elements = SplitWithRelease(unb, plus, rel);
    EXPECT_EQ(elements, (StringList{"UNB", "A+B:C??D"}));
    EXPECT_EQ(unb, "UNB+A+B:C??D");  // the released separator lost its release character

    std::string element = elements[1];
    EXPECT_EQ(SplitWithRelease(element, colon, rel), (StringList{"A+B", "C?D"}));
    EXPECT_EQ(element, "A+B:C?D");
}

TEST(Splitter, SegmentLevelEdges) {
    UsualDelimiters();
    auto segs = [](std::string t) {
        std::string sep = "'", rel = "?";
        return SplitWithRelease(t, sep, rel);
    };
    EXPECT_TRUE(segs("").empty());
    EXPECT_EQ(segs("UNA"), StringList{"UNA"});  // no terminator: one segment
    EXPECT_EQ(segs("A'B"), StringList{"A"});    // last one without terminator is lost
    EXPECT_EQ(segs("A'B'"), (StringList{"A", "B"}));
    EXPECT_EQ(segs("A??'B'"), (StringList{"A??", "B"}));  // pair stays doubled, ends segment
    EXPECT_EQ(segs("A???'B'"), (StringList{"A??'B"}));    // literal ? then literal '
    EXPECT_EQ(segs("A?"), StringList{"A?"});              // release at the very end
    EXPECT_EQ(segs("SEPECHAP'X'"), (StringList{"SEPECHAP", "X"}));  // marker words are plain text
    EXPECT_EQ(segs("SEPZCHAP??'"), (StringList{"SEPZCHAP??"}));
}

TEST(Splitter, EmptyReleaseCharacterReleasesEverySeparator) {
    UsualDelimiters();
    std::string t = "A+B+C", sep = "+", rel;
    EXPECT_EQ(SplitWithRelease(t, sep, rel), StringList{"A+B+C"});
    EXPECT_EQ(t, "A+B+C");
}

TEST(Splitter, FileLevelCutMatchesTheGeneralCut) {
    UsualDelimiters();
    std::string text = "UNA:+,? 'UNB+?'X??'A???'B'C?";
    std::string copy = text, sep = "'", rel = "?";
    StringList expected = SplitWithRelease(copy, sep, rel);
    SegmentList segments = SplitFileIntoSegments(text, "'", "?");
    EXPECT_EQ(segments.ToStringList(), expected);
}

// Texts past the first megabyte, whose first megabyte says little of the
// rest: a few long segments then a crowd of short ones, and the reverse.
TEST(Splitter, FileLevelCutOfBigTextsWhateverTheirBeginning) {
    UsualDelimiters();
    std::string longFirst = std::string(3u << 19, 'L') + "'";
    for (int i = 0; i < 300000; ++i)
        longFirst += i % 97 == 0 ? "A?'B'" : "S'";
    std::string shortFirst;
    for (int i = 0; i < 400000; ++i)
        shortFirst += "AB'";
    shortFirst += std::string(2u << 20, 'X') + "'tail";
    for (const std::string& text : {longFirst, shortFirst}) {
        std::string copy = text, sep = "'", rel = "?";
        const StringList expected = SplitWithRelease(copy, sep, rel);
        const SegmentList segments = SplitFileIntoSegments(text, "'", "?");
        ASSERT_EQ(segments.size(), expected.size());
        EXPECT_TRUE(segments.ToStringList() == expected);
    }
}

TEST(Splitter, CountPiecesAgreesWithTheCut) {
    UsualDelimiters();
    for (std::string t : {"", "A", "A+B", "A?+B+", "A??+B", "NAD+DT+1:2", "'", "A'B'"}) {
        for (std::string sep : {"+", ":", "'"}) {
            std::string copy = t, rel = "?";
            EXPECT_EQ(CountPieces(t, sep, rel), SplitWithRelease(copy, sep, rel).size())
                << t << " on " << sep;
        }
    }
}

// Random texts over the delimiters and a few letters: the one-pass cut gives
// the pieces and the rewritten text of the marker algorithm, at every level.
TEST(Splitter, DifferentialAgainstTheMarkerAlgorithm) {
    std::mt19937 rng(20261206);
    const std::vector<std::array<std::string, 4>> delimiterSets = {
        {"'", "+", ":", "?"}, {"#", "-", "|", "!"}, {"'", "+", ":", "'"}};
    const std::string letters = "AB ";
    for (const auto& delimiters : delimiterSets) {
        State().Delimiters = delimiters;
        std::string alphabet =
            delimiters[0] + delimiters[1] + delimiters[2] + delimiters[3] + delimiters[3] + letters;
        for (int round = 0; round < 20000; ++round) {
            std::size_t len = rng() % 14;
            std::string text;
            for (std::size_t k = 0; k < len; ++k)
                text += alphabet[rng() % alphabet.size()];
            for (int level = 0; level < 3; ++level) {
                std::string sep = delimiters[static_cast<std::size_t>(level)];
                std::string rel = delimiters[3];
                std::string expectedText = text, actualText = text;
                StringList expected = MarkerSplit(expectedText, sep, rel);
                StringList actual = SplitWithRelease(actualText, sep, rel);
                ASSERT_EQ(actual, expected) << "text [" << text << "] level " << level;
                ASSERT_EQ(actualText, expectedText) << "text [" << text << "] level " << level;
                ASSERT_EQ(CountPieces(text, sep, rel), expected.size());
                if (level == 0) {
                    ASSERT_EQ(SplitFileIntoSegments(text, sep, rel).ToStringList(), expected);
                }
            }
        }
    }
}

// Multi-character and empty delimiters take the general path; it follows the
// same replacement order.
TEST(Splitter, DifferentialWithLongAndEmptyDelimiters) {
    std::mt19937 rng(7);
    const std::vector<std::array<std::string, 4>> delimiterSets = {{"''", "++", "::", "??"},
                                                                   {"'", "+", ":", ""},
                                                                   {"'", "", ":", "?"},
                                                                   {"'", "+", ":", "????"}};
    for (const auto& delimiters : delimiterSets) {
        State().Delimiters = delimiters;
        std::string alphabet = "'+:?AB";
        for (int round = 0; round < 5000; ++round) {
            std::size_t len = rng() % 16;
            std::string text;
            for (std::size_t k = 0; k < len; ++k)
                text += alphabet[rng() % alphabet.size()];
            for (int level = 0; level < 3; ++level) {
                std::string sep = delimiters[static_cast<std::size_t>(level)];
                std::string rel = delimiters[3];
                std::string expectedText = text, actualText = text;
                StringList expected = MarkerSplit(expectedText, sep, rel);
                StringList actual = SplitWithRelease(actualText, sep, rel);
                ASSERT_EQ(actual, expected) << "text [" << text << "] level " << level;
                ASSERT_EQ(actualText, expectedText) << "text [" << text << "] level " << level;
            }
        }
    }
}

}  // namespace
}  // namespace trelvane

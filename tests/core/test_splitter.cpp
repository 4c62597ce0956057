// The splitter at its three levels, and a differential test against a
// straight transcription of the original marker-word algorithm.
#include <gtest/gtest.h>

#include <random>

#include "run/modToolsFunctions.h"

namespace trelvane {
namespace {

constexpr CutLevel kSeg = CutLevel::Segment, kEl = CutLevel::Element, kComp = CutLevel::Component;
constexpr CutLevel kLevels[] = {kSeg, kEl, kComp};

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
                                     const std::string& rel, CutLevel level) {
    std::string paired = ReplaceAll(text, rel + rel, "SEPZCHAP");
    bool pairs = paired.size() > text.size();
    if (pairs) text = paired;
    text = ReplaceAll(text, rel + sep, "SEPECHAP");
    std::vector<std::string> pieces = PlainSplit(text, sep);
    const std::string pairText = level == CutLevel::Component ? rel : rel + rel;
    for (auto& p : pieces) {
        p = ReplaceAll(p, "SEPECHAP", sep);
        if (pairs) p = ReplaceAll(p, "SEPZCHAP", pairText);
    }
    text = ReplaceAll(text, "SEPECHAP", sep);
    text = ReplaceAll(text, "SEPZCHAP", pairText);
    if (level == CutLevel::Segment && pieces.size() > 1) pieces.pop_back();
    return pieces;
}

// The pieces as the text holds them: the same cut, each piece resolving on
// its own to the piece the checks read, and the text rebuilt from them.
void CheckKeptPieces(const std::string& text, const std::string& sep, const std::string& rel,
                     CutLevel cut, const StringList& expected) {
    std::vector<std::string_view> kept;
    SplitKeepingText(text, sep, rel, cut, kept);
    ASSERT_EQ(kept.size(), expected.size()) << "text [" << text << "]";
    std::string rebuilt;
    for (std::size_t k = 0; k < kept.size(); ++k) {
        std::string piece(kept[k]);
        rebuilt += piece + (k + 1 < kept.size() ? sep : "");
        ASSERT_EQ(SplitWithRelease(piece, sep, rel, cut),
                  piece.empty() ? StringList{} : StringList{expected[k]})
            << "text [" << text << "] piece " << k;
    }
    if (cut != CutLevel::Segment) {
        EXPECT_EQ(rebuilt, text);
    }
}

TEST(Splitter, WorkedExampleAtTheThreeLevels) {
    std::string file = "UNA:+.? 'UNB+A?+B:C??D'UNZ+1'";
    std::string sep = "'", rel = "?";
    auto segments = SplitWithRelease(file, sep, rel, kSeg);
    ASSERT_EQ(segments, (StringList{"UNA:+.? ", "UNB+A?+B:C??D", "UNZ+1"}));

    std::string unb = segments[1], plus = "+", colon = ":";
    auto elements = SplitWithRelease(unb, plus, rel, kEl);
    EXPECT_EQ(elements, (StringList{"UNB", "A+B:C??D"}));
    EXPECT_EQ(unb, "UNB+A+B:C??D");  // the released separator lost its release character

    std::string element = elements[1];
    EXPECT_EQ(SplitWithRelease(element, colon, rel, kComp), (StringList{"A+B", "C?D"}));
    EXPECT_EQ(element, "A+B:C?D");
}

TEST(Splitter, SegmentLevelEdges) {
    auto segs = [](std::string t) {
        std::string sep = "'", rel = "?";
        return SplitWithRelease(t, sep, rel, kSeg);
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
    std::string t = "A+B+C", sep = "+", rel;
    EXPECT_EQ(SplitWithRelease(t, sep, rel, kEl), StringList{"A+B+C"});
    EXPECT_EQ(t, "A+B+C");
}

TEST(Splitter, FileLevelCutMatchesTheGeneralCut) {
    std::string text = "UNA:+,? 'UNB+?'X??'A???'B'C?";
    std::string copy = text, sep = "'", rel = "?";
    StringList expected = SplitWithRelease(copy, sep, rel, kSeg);
    SegmentTexts segments = SplitFileIntoSegments(text, "'", "?");
    EXPECT_EQ(segments.ToStringList(), expected);
}

// Texts past the first megabyte, whose first megabyte says little of the
// rest: a few long segments then a crowd of short ones, and the reverse.
TEST(Splitter, FileLevelCutOfBigTextsWhateverTheirBeginning) {
    std::string longFirst = std::string(3u << 19, 'L') + "'";
    for (int i = 0; i < 300000; ++i)
        longFirst += i % 97 == 0 ? "A?'B'" : "S'";
    std::string shortFirst;
    for (int i = 0; i < 400000; ++i)
        shortFirst += "AB'";
    shortFirst += std::string(2u << 20, 'X') + "'tail";
    for (const std::string& text : {longFirst, shortFirst}) {
        std::string copy = text, sep = "'", rel = "?";
        const StringList expected = SplitWithRelease(copy, sep, rel, kSeg);
        const SegmentTexts segments = SplitFileIntoSegments(text, "'", "?");
        ASSERT_EQ(segments.size(), expected.size());
        EXPECT_TRUE(segments.ToStringList() == expected);
    }
}

TEST(Splitter, CountPiecesAgreesWithTheCut) {
    for (std::string t : {"", "A", "A+B", "A?+B+", "A??+B", "NAD+DT+1:2", "'", "A'B'"}) {
        for (auto [sep, level] :
             {std::pair<std::string, CutLevel>{"+", kEl}, {":", kComp}, {"'", kSeg}}) {
            std::string copy = t, rel = "?";
            EXPECT_EQ(CountPieces(t, sep, rel, level),
                      SplitWithRelease(copy, sep, rel, level).size())
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
                const CutLevel cut = kLevels[level];
                StringList expected = MarkerSplit(expectedText, sep, rel, cut);
                StringList actual = SplitWithRelease(actualText, sep, rel, cut);
                ASSERT_EQ(actual, expected) << "text [" << text << "] level " << level;
                ASSERT_EQ(actualText, expectedText) << "text [" << text << "] level " << level;
                ASSERT_EQ(CountPieces(text, sep, rel, cut), expected.size());
                CheckKeptPieces(text, sep, rel, cut, expected);
                if (level == 0) {
                    const SegmentTexts segments = SplitFileIntoSegments(text, sep, rel);
                    ASSERT_EQ(segments.ToStringList(), expected);
                    std::vector<std::string_view> kept;
                    SplitKeepingText(text, sep, rel, cut, kept);
                    for (std::size_t k = 0; k < segments.size(); ++k)
                        ASSERT_EQ(segments.FileText(k), kept[k]);
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
                const CutLevel cut = kLevels[level];
                StringList expected = MarkerSplit(expectedText, sep, rel, cut);
                StringList actual = SplitWithRelease(actualText, sep, rel, cut);
                ASSERT_EQ(actual, expected) << "text [" << text << "] level " << level;
                ASSERT_EQ(actualText, expectedText) << "text [" << text << "] level " << level;
                CheckKeptPieces(text, sep, rel, cut, expected);
            }
        }
    }
}

}  // namespace
}  // namespace trelvane

// The message structure tree: successor lists, qualification of tags, and
// the packed form the syntax walk uses, checked against the string form.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "syntax/modKTVSpecifications.h"

namespace trelvane {
namespace {

using Names = std::vector<std::string>;

TEST(StructureTree, SuccessorLists) {
    InitializeTreeKTV();
    EXPECT_EQ(GetNextSegments("IND"),
              (Names{"CCI", "RFF3", "MOA", "FTX", "DTM2", "PCD", "NAD5", "UNT"}));
    EXPECT_EQ(GetNextSegments("UNZ"), Names{"UNA"});
    EXPECT_EQ(GetNextSegments("NAD2"), (Names{"NAD3", "RFF1"}));
    EXPECT_EQ(GetNextSegments("NAD4"), (Names{"SEQ", "RFF2"}));
    EXPECT_EQ(GetNextSegments("UNT"), (Names{"UNH", "UNZ"}));
    EXPECT_EQ(GetNextSegments("CCI"), Names{"CAV"});
    for (const char* detail : {"CAV", "RFF3", "MOA", "FTX", "DTM2", "PCD", "NAD5"})
        EXPECT_EQ(GetNextSegments(detail), (Names{"SEQ", "UNT"})) << detail;
    // Names that are no node: plain tags with roles, numbers past the last
    // role, other tags, other case.
    for (const char* none : {"XYZ", "NAD", "NAD6", "DTM3", "RFF4", "", "una", "UNA "})
        EXPECT_EQ(GetNextSegments(none), Names{""}) << none;

    // The grammar as a whole: every node is reachable from UNA.
    std::vector<std::string> seen{"UNA"};
    for (std::size_t k = 0; k < seen.size(); ++k) {
        for (const std::string& next : GetNextSegments(seen[k])) {
            if (std::find(seen.begin(), seen.end(), next) == seen.end()) seen.push_back(next);
        }
    }
    EXPECT_EQ(seen.size(), 23u);
}

std::vector<std::string> QualifyAll(const std::vector<std::string>& tags, QualifyCounters& c) {
    std::vector<std::string> out;
    for (std::string tag : tags) {
        QualifySegmentTag(tag, c);
        out.push_back(tag);
    }
    return out;
}

TEST(StructureTree, QualifyingAMessage) {
    QualifyCounters c;
    EXPECT_EQ(QualifyAll({"UNA", "UNB", "UNH", "BGM", "DTM", "NAD", "NAD", "RFF",
                          "NAD", "NAD", "RFF", "SEQ", "IND", "RFF", "SEQ", "IND",
                          "DTM", "DTM", "SEQ", "IND", "NAD", "NAD", "MOA", "UNT"},
                         c),
              (Names{"UNA",  "UNB",  "UNH",  "BGM", "DTM1", "NAD1", "NAD2", "RFF1",
                     "NAD3", "NAD4", "RFF2", "SEQ", "IND",  "RFF3", "SEQ",  "IND",
                     "DTM2", "DTM3", "SEQ",  "IND", "NAD5", "NAD6", "MOA",  "UNT"}));
    EXPECT_EQ(c.message, 1);

    // The next message starts its NAD, RFF and DTM numbers again; a header
    // without the optional reference still makes the detail RFF an RFF3.
    EXPECT_EQ(QualifyAll({"UNH", "DTM", "NAD", "NAD", "NAD", "NAD", "SEQ", "IND", "RFF"}, c),
              (Names{"UNH", "DTM1", "NAD1", "NAD2", "NAD3", "NAD4", "SEQ", "IND", "RFF3"}));
    EXPECT_EQ(c.message, 2);
    // Message numbers count from the last UNA.
    QualifyAll({"UNT", "UNZ", "UNA", "UNB", "UNH"}, c);
    EXPECT_EQ(c.message, 1);

    // Only exact three-letter tags are qualified.
    QualifyCounters d;
    EXPECT_EQ(QualifyAll({"nad", "NA", "NADX", ""}, d), (Names{"nad", "NA", "NADX", ""}));
    EXPECT_EQ(d.nameAddress, 0);

    // Counters are wide: 300 DTM in a row neither wrap nor stop.
    QualifyCounters e;
    std::string tag;
    for (int k = 0; k < 300; ++k) {
        tag = "DTM";
        QualifySegmentTag(tag, e);
    }
    EXPECT_EQ(tag, "DTM300");
}

// The walk's packed qualification must name the same nodes as the string
// form on any sequence of tags.
TEST(StructureTree, PackedFormAgreesWithNames) {
    const std::vector<std::string> tags = {"UNA", "UNB", "UNH", "BGM", "DTM", "NAD",
                                           "RFF", "SEQ", "IND", "MOA", "FTX", "PCD",
                                           "CCI", "CAV", "UNT", "UNZ", "XYZ", "ZZZ"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, tags.size() - 1);
    QualifyCounters byName, packed;
    for (int k = 0; k < 20000; ++k) {
        std::string tag = tags[pick(random)];
        const ktv::Node node = ktv::QualifyTag(ktv::TagCode(tag), packed);
        QualifySegmentTag(tag, byName);
        ASSERT_EQ(ktv::NodeName(node), GetNextSegments(tag) == Names{""} ? "" : tag) << k;
        ASSERT_EQ(packed.message, byName.message);
        ASSERT_EQ(packed.nameAddress, byName.nameAddress);
        ASSERT_EQ(packed.reference, byName.reference);
        ASSERT_EQ(packed.date, byName.date);
        const ktv::SuccessorList& list = ktv::Successors(node);
        Names names;
        for (std::size_t s = 0; s < list.count; ++s) {
            names.emplace_back(ktv::NodeName(list.nodes[s]));
            if (!names.back().empty()) {
                EXPECT_EQ(list.codes[s], ktv::TagCode(names.back()));
            }
        }
        ASSERT_EQ(names, GetNextSegments(tag));
    }
    // Tags of different lengths never share a code.
    EXPECT_NE(ktv::TagCode("AB"), ktv::TagCode(std::string("AB\0", 3)));
    EXPECT_NE(ktv::TagCode(""), ktv::kNeverMatches);
}

}  // namespace
}  // namespace trelvane

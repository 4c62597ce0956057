// The message structure: successor lists, the naming of tags by their role,
// and the packed form the walks use, checked against the names.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "syntax/MessageStructureTree.h"

namespace trelvane {
namespace {

using Names = std::vector<std::string>;

// The names: every node reached from UNA, roles numbered within a message.
TEST(StructureTree, SuccessorsAndNames) {
    InitializeTreeKTV();
    Names seen{"UNA"};
    for (std::size_t k = 0; k < seen.size(); ++k)
        for (const std::string& next : GetNextSegments(seen[k]))
            if (std::find(seen.begin(), seen.end(), next) == seen.end()) seen.push_back(next);
    EXPECT_EQ(seen.size(), 23u);
    EXPECT_EQ(GetNextSegments("NAD6"), Names{""});
    QualifyCounters c;
    Names tags = {"UNA", "UNB", "UNH", "BGM", "DTM", "NAD", "NAD", "RFF", "NAD", "NAD", "RFF",
                  "SEQ", "IND", "RFF", "DTM", "DTM", "NAD", "NAD", "UNT", "UNH", "NAD", "nad"};
    for (std::string& tag : tags)
        QualifySegmentTag(tag, c);
    EXPECT_EQ(tags, (Names{"UNA",  "UNB",  "UNH",  "BGM", "DTM1", "NAD1", "NAD2", "RFF1",
                           "NAD3", "NAD4", "RFF2", "SEQ", "IND",  "RFF3", "DTM2", "DTM3",
                           "NAD5", "NAD6", "UNT",  "UNH", "NAD1", "nad"}));
    EXPECT_EQ(c.message, 2);
    QualifyCounters wide;
    std::string tag;
    for (int k = 0; k < 300; ++k)  // counters neither wrap nor stop
        QualifySegmentTag(tag = "DTM", wide);
    EXPECT_EQ(tag, "DTM300");
}

// The packed naming must give the nodes, counters and successors of the
// names on any sequence of tags.
TEST(StructureTree, PackedFormAgreesWithNames) {
    const Names tags = {"UNA", "UNB", "UNH", "BGM", "DTM", "NAD", "RFF", "SEQ", "IND",
                        "MOA", "FTX", "PCD", "CCI", "CAV", "UNT", "UNZ", "XYZ", "ZZZ"};
    std::mt19937 random(7);
    QualifyCounters byName, packed;
    for (int k = 0; k < 20000; ++k) {
        std::string tag = tags[random() % tags.size()];
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
            if (names.back().empty()) continue;
            ASSERT_EQ(list.codes[s], ktv::TagCode(names.back()));
        }
        ASSERT_EQ(names, GetNextSegments(tag));
    }
    EXPECT_NE(ktv::TagCode("AB"), ktv::TagCode(std::string("AB\0", 3)));
}

}  // namespace
}  // namespace trelvane

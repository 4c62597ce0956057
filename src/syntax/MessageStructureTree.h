// The structure of a KTV interchange: each node (a segment tag, with a digit
// where one tag plays several roles) and the ordered list of nodes allowed
// next; and the rule that names a plain tag by its role in the message.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trelvane {

inline constexpr std::string_view kModStructureTree = "modKTVSpecifications";

// Builds (or rebuilds) the successor lists of the 23 nodes.
void InitializeTreeKTV();
// Copy of the successor list of a node; one empty name for a name that is no node.
std::vector<std::string> GetNextSegments(std::string_view node);

// Counters of one walk, owned by the caller, all 0 when a walk starts. They
// are wider than the tool ever needed so that a huge file cannot wrap them.
struct QualifyCounters {
    std::int64_t message = 0;      // UNH seen since the last UNA
    std::int64_t nameAddress = 0;  // number of the last NAD in the message
    std::int64_t reference = 0;    // number of the last RFF
    std::int64_t date = 0;         // number of the last DTM
};

// Replaces a plain tag by its node name (DTM1, NAD3, RFF2...) and updates the
// counters.
void QualifySegmentTag(std::string& tag, QualifyCounters& counters);

// The same tree for walks over millions of segments: nodes are small
// numbers, tags are packed into integers, nothing is allocated.
namespace ktv {

enum Node : std::uint8_t {
    kUNA,
    kUNB,
    kUNH,
    kBGM,
    kDTM1,
    kNAD1,
    kNAD2,
    kRFF1,
    kNAD3,
    kNAD4,
    kRFF2,
    kSEQ,
    kIND,
    kCCI,
    kCAV,
    kRFF3,
    kMOA,
    kFTX,
    kDTM2,
    kPCD,
    kNAD5,
    kUNT,
    kUNZ,
    kNodeCount,
    kNoNode = kNodeCount,  // a name outside the tree (NAD6, DTM3, XYZ...)
};

// A tag of up to three characters as one integer; its length is part of it,
// so "AB" and "AB\0" differ. Longer texts are cut to three characters.
constexpr std::uint32_t TagCode(std::string_view text) {
    const std::size_t n = text.size() < 3 ? text.size() : 3;
    std::uint32_t code = static_cast<std::uint32_t>(n) << 24;
    for (std::size_t k = 0; k < n; ++k)
        code |= static_cast<std::uint32_t>(static_cast<unsigned char>(text[k])) << (16 - 8 * k);
    return code;
}

inline constexpr std::uint32_t kNeverMatches = 0xFFFFFFFFu;

// The successors of one node, in order, with the packed three-character tag
// of each. A name outside the tree has one empty successor whose code is 0,
// which no tag code equals (a tag code always carries its length).
struct SuccessorList {
    std::uint8_t count = 0;
    std::array<Node, 8> nodes{};
    std::array<std::uint32_t, 8> codes{};
};

const SuccessorList& Successors(Node node);
std::string_view NodeName(Node node);
// Qualifies a packed tag the way QualifySegmentTag does and returns the node
// it names (kNoNode for names outside the tree).
Node QualifyTag(std::uint32_t tagCode, QualifyCounters& counters);

}  // namespace ktv

}  // namespace trelvane

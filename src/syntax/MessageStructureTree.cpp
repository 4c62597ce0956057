#include "syntax/MessageStructureTree.h"

#include <initializer_list>

#include "config/Cp1252.h"
#include "config/modIOfunctions.h"

namespace trelvane {

namespace ktv {

namespace {

constexpr std::array<std::string_view, kNodeCount> kNames = {
    "UNA", "UNB", "UNH", "BGM",  "DTM1", "NAD1", "NAD2", "RFF1", "NAD3", "NAD4", "RFF2", "SEQ",
    "IND", "CCI", "CAV", "RFF3", "MOA",  "FTX",  "DTM2", "PCD",  "NAD5", "UNT",  "UNZ"};

constexpr SuccessorList Make(std::initializer_list<Node> nodes) {
    SuccessorList list;
    for (Node n : nodes) {
        list.nodes[list.count] = n;
        list.codes[list.count] = TagCode(kNames[n]);
        ++list.count;
    }
    return list;
}

// Repetition and optionality follow from these lists alone; their order
// matters (the first match names a missing segment).
constexpr std::array<SuccessorList, kNodeCount + 1> kTree = {
    Make({kUNB}),                                               // UNA
    Make({kUNH}),                                               // UNB
    Make({kBGM}),                                               // UNH
    Make({kDTM1}),                                              // BGM
    Make({kNAD1}),                                              // DTM1
    Make({kNAD2}),                                              // NAD1
    Make({kNAD3, kRFF1}),                                       // NAD2
    Make({kNAD3}),                                              // RFF1
    Make({kNAD4}),                                              // NAD3
    Make({kSEQ, kRFF2}),                                        // NAD4
    Make({kSEQ}),                                               // RFF2
    Make({kIND}),                                               // SEQ
    Make({kCCI, kRFF3, kMOA, kFTX, kDTM2, kPCD, kNAD5, kUNT}),  // IND
    Make({kCAV}),                                               // CCI
    Make({kSEQ, kUNT}),                                         // CAV
    Make({kSEQ, kUNT}),                                         // RFF3
    Make({kSEQ, kUNT}),                                         // MOA
    Make({kSEQ, kUNT}),                                         // FTX
    Make({kSEQ, kUNT}),                                         // DTM2
    Make({kSEQ, kUNT}),                                         // PCD
    Make({kSEQ, kUNT}),                                         // NAD5
    Make({kUNH, kUNZ}),                                         // UNT
    Make({kUNA}),                                               // UNZ
    SuccessorList{1, {kNoNode}, {kNeverMatches}},               // outside the tree
};

constexpr std::uint32_t kTagUNA = TagCode("UNA");
constexpr std::uint32_t kTagUNB = TagCode("UNB");
constexpr std::uint32_t kTagUNH = TagCode("UNH");
constexpr std::uint32_t kTagBGM = TagCode("BGM");
constexpr std::uint32_t kTagDTM = TagCode("DTM");
constexpr std::uint32_t kTagNAD = TagCode("NAD");
constexpr std::uint32_t kTagRFF = TagCode("RFF");
constexpr std::uint32_t kTagSEQ = TagCode("SEQ");
constexpr std::uint32_t kTagIND = TagCode("IND");
constexpr std::uint32_t kTagCCI = TagCode("CCI");
constexpr std::uint32_t kTagCAV = TagCode("CAV");
constexpr std::uint32_t kTagMOA = TagCode("MOA");
constexpr std::uint32_t kTagFTX = TagCode("FTX");
constexpr std::uint32_t kTagPCD = TagCode("PCD");
constexpr std::uint32_t kTagUNT = TagCode("UNT");
constexpr std::uint32_t kTagUNZ = TagCode("UNZ");

Node Numbered(std::int64_t number, std::initializer_list<Node> nodes) {
    if (number < 1 || static_cast<std::size_t>(number) > nodes.size()) return kNoNode;
    return nodes.begin()[number - 1];
}

}  // namespace

const SuccessorList& Successors(Node node) {
    return kTree[node < kNodeCount ? node : kNodeCount];
}

std::string_view NodeName(Node node) {
    return node < kNodeCount ? kNames[node] : std::string_view();
}

Node QualifyTag(std::uint32_t tagCode, QualifyCounters& counters) {
    switch (tagCode) {
        case kTagUNH:
            ++counters.message;
            counters.nameAddress = 0;
            counters.reference = 0;
            counters.date = 0;
            return kUNH;
        case kTagDTM:
            ++counters.date;
            return Numbered(counters.date, {kDTM1, kDTM2});
        case kTagNAD:
            ++counters.nameAddress;
            if (counters.nameAddress == 1) counters.reference = 0;
            if (counters.nameAddress == 3) counters.reference = 1;
            return Numbered(counters.nameAddress, {kNAD1, kNAD2, kNAD3, kNAD4, kNAD5});
        case kTagRFF:
            ++counters.reference;
            return Numbered(counters.reference, {kRFF1, kRFF2, kRFF3});
        case kTagSEQ:
            counters.nameAddress = 4;
            counters.date = 1;
            counters.reference = 2;
            return kSEQ;
        case kTagUNA:
            counters.message = 0;
            return kUNA;
        case kTagUNB:
            return kUNB;
        case kTagBGM:
            return kBGM;
        case kTagIND:
            return kIND;
        case kTagCCI:
            return kCCI;
        case kTagCAV:
            return kCAV;
        case kTagMOA:
            return kMOA;
        case kTagFTX:
            return kFTX;
        case kTagPCD:
            return kPCD;
        case kTagUNT:
            return kUNT;
        case kTagUNZ:
            return kUNZ;
        default:
            return kNoNode;
    }
}

}  // namespace ktv

void InitializeTreeKTV() {
    // The lists are constant data; building them is only announced.
    Trace("Génération de l'Arbre EDI-KTV"_cp, kModStructureTree, "InitializeTreeKTV");
}

std::vector<std::string> GetNextSegments(std::string_view node) {
    ktv::Node found = ktv::kNoNode;
    for (std::size_t k = 0; k < ktv::kNodeCount; ++k) {
        if (ktv::kNames[k] == node) found = static_cast<ktv::Node>(k);
    }
    std::vector<std::string> out;
    const ktv::SuccessorList& list = ktv::Successors(found);
    out.reserve(list.count);
    for (std::size_t k = 0; k < list.count; ++k)
        out.emplace_back(ktv::NodeName(list.nodes[k]));
    return out;
}

void QualifySegmentTag(std::string& tag, QualifyCounters& counters) {
    const bool plain = tag.size() == 3;
    const std::uint32_t code = plain ? ktv::TagCode(tag) : 0;
    if (!plain) return;  // no rule applies to a name of another length
    ktv::QualifyTag(code, counters);
    switch (code) {
        case ktv::kTagDTM:
            tag += std::to_string(counters.date);
            break;
        case ktv::kTagNAD:
            tag += std::to_string(counters.nameAddress);
            break;
        case ktv::kTagRFF:
            tag += std::to_string(counters.reference);
            break;
        default:
            break;
    }
}

}  // namespace trelvane

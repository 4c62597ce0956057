// The structure of a KTV interchange: each node (a segment tag, with a digit
// where one tag plays several roles) and the ordered list of nodes allowed
// next; and the rule that names a plain tag by its role in the message.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trelvane {

inline constexpr std::string_view kModSpecifications = "modKTVSpecifications";

// Builds (or rebuilds) the successor lists of the 23 nodes.
void InitializeTreeKTV();
// Copy of the successor list of a node; one empty name for a name that is no node.
std::vector<std::string> GetNextSegments(std::string_view node);

// Counters of one walk, owned by the caller, all 0 when a walk starts. They
// are wider than the tool ever needed so that a huge file cannot wrap them.
struct QualifyCounters {
    std::int64_t message = 0;       // UNH seen since the last UNA
    std::int64_t nameAddress = 0;   // number of the last NAD in the message
    std::int64_t reference = 0;     // number of the last RFF
    std::int64_t date = 0;          // number of the last DTM
};

// Replaces a plain tag by its node name (DTM1, NAD3, RFF2...) and updates the
// counters.
void QualifySegmentTag(std::string& tag, QualifyCounters& counters);

}  // namespace trelvane

#include "syntax/modKTVSpecifications.h"

namespace trelvane {

// Placeholder until the structure tree lands.
void InitializeTreeKTV() {}
std::vector<std::string> GetNextSegments(std::string_view) { return {std::string()}; }
void QualifySegmentTag(std::string&, QualifyCounters&) {}

}  // namespace trelvane

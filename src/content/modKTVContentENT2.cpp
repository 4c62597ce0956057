#include "content/modKTVContentENT2.h"

namespace trelvane {

// Placeholder until the header rules land.
void Traite_DTM1(SegmentContext&) {}
void Traite_NAD134(SegmentContext&, std::int64_t) {}
void Traite_NAD2(SegmentContext&) {}
void Traite_RFF12(SegmentContext&, std::int64_t) {}
void ClearDuplicateIdentifierRegistry() {}

}  // namespace trelvane

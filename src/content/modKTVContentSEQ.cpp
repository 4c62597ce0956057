#include "content/modKTVContentSEQ.h"

namespace trelvane {

// Placeholder until the detail rules land.
namespace {
DetailState g_detail;
}  // namespace
DetailState& Detail() { return g_detail; }
void ResetDetailState() {}
void Traite_SEQ(SegmentContext&, std::int64_t) {}
void Traite_IND(SegmentContext&, std::int64_t) {}
void Traite_MOA(SegmentContext&, std::int64_t) {}
void Traite_RFF3(SegmentContext&, std::int64_t) {}
void Traite_FTX(SegmentContext&, std::int64_t) {}
void Traite_DTM2(SegmentContext&, std::int64_t) {}
void Traite_PCD(SegmentContext&, std::int64_t) {}
void Traite_NAD5(SegmentContext&, std::int64_t) {}
void Traite_CCI(SegmentContext&, std::int64_t) {}
void Traite_CAV(SegmentContext&, std::int64_t) {}

}  // namespace trelvane

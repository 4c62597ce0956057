#include "content/modKTVContentENT1.h"

namespace trelvane {

// Placeholder until the envelope rules land.
namespace {
std::string g_empty;
bool g_bgm = false;
}  // namespace
void Traite_UNA(SegmentContext&) {}
void Traite_UNB(SegmentContext&) {}
void Traite_UNH(SegmentContext&) {}
void Traite_BGM(SegmentContext&) {}
void Traite_UNT(SegmentContext&) {}
void Traite_UNZ(SegmentContext&) {}
const std::string& CurrentInterchangeReference() { return g_empty; }
const std::string& CurrentMessageReference() { return g_empty; }
bool BgmFunctionPresent() { return g_bgm; }
void SetBgmFunctionPresent(bool present) { g_bgm = present; }

}  // namespace trelvane

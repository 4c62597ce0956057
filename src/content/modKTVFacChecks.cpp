#include "content/modKTVContentSEQ.h"

namespace trelvane {

// Placeholder until the annex checks land.
namespace {
bool g_facisOnly = false;
}  // namespace
void CheckKTVFACData(SegmentContext&) {}
std::string ListDuplicates(std::string_view, std::string_view) { return {}; }
bool FacisOnlyDossier() { return g_facisOnly; }
void SetFacisOnlyDossier(bool value) { g_facisOnly = value; }

}  // namespace trelvane

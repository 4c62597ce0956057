#include "conversion/Fns3Records.h"

#include "conversion/modKTVConversionFunctions.h"

namespace trelvane {

// Placeholder until the FNS3 records land.
namespace {
std::vector<FailedConversion> g_failed;
}  // namespace
void ConvertDossierToFNS3(std::int64_t, std::int64_t) {}
const std::vector<FailedConversion>& FailedConversions() { return g_failed; }
void ClearFailedConversions() { g_failed.clear(); }
std::string WriteFNS3File(const std::string&) { return {}; }
void AddANS0Record(std::int64_t) {}
void AddANS1Record() {}
void AddANS2Record(int) {}
void AddANS3Records(std::string_view, std::int64_t, std::int64_t) {}
std::string GetInfoValueFNS3(std::int64_t, std::string_view) { return {}; }
void PadString(std::string&, char, std::size_t, std::string_view) {}

}  // namespace trelvane

#include "conversion/ConversionCommand.h"

namespace trelvane {

// Placeholder until the conversion command lands.
bool IsFileConvertible() { return false; }
ConversionOutcome RunConversionCommand(std::string_view, const std::string&) { return {}; }
std::string WriteCRFile(std::string_view, const std::string&) { return {}; }

}  // namespace trelvane

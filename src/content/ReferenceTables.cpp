#include "content/ReferenceTables.h"

namespace trelvane {

// Placeholder until the reference tables land.
void Initialise_Table_Formats() {}
void Initialise_Table_Erreurs_Lib() {}
void Initialise_Table_Codes_Segments_Lib() {}
const DataFormat* FindDataFormat(std::string_view) { return nullptr; }
bool GetDataFormat(std::string_view, std::string&, int&, std::string&) { return false; }
std::string GetErrorLabel(std::string_view) { return {}; }
std::string GetSegmentCode(std::string_view) { return {}; }

}  // namespace trelvane

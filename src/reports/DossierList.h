// The dossier list as a file for spreadsheets.
#pragma once

#include <string>
#include <vector>

#include "run/Summaries.h"

namespace trelvane {

// As French spreadsheets open it without asking: UTF-8 with a byte order
// mark, ";" between cells, CR LF, a header row. A cell that a spreadsheet
// would take for a formula is kept as text.
std::string DossierListCsv(const std::vector<DossierListRow>& rows);

}  // namespace trelvane

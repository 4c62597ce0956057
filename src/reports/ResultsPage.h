// The results as one self-contained HTML page: the one the batch front end
// writes and the results window saves. It holds what the report document's
// header says of the run, the syntax and content reports, the coloured file
// (captioned with the file's path) and the legend.
#pragma once

#include <cstdint>
#include <string>

#include "reports/HtmlSink.h"

namespace trelvane {

// From reports already written into HTML panes.
std::string ResultsPage(const HtmlSink& syntax, const HtmlSink& content, const HtmlSink& coloured);

// Rendered anew from the current run, for a front end whose panes are not
// HTML; nothing is asked. The coloured file shows segments first..last, or
// only those in error.
std::string RenderResultsPage(bool errorsOnly, std::int64_t first, std::int64_t last);

}  // namespace trelvane

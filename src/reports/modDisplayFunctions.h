// The three reports of the results window: syntax errors, content errors and
// the whole file coloured segment by segment.
#pragma once

#include <cstdint>
#include <string_view>

#include "reports/RichTextSink.h"

namespace trelvane {

inline constexpr std::string_view kModDisplay = "modDisplayFunctions";

// The panes the reports write into. Until a front end sets its own, the
// reports write into plain-text panes held here.
struct ReportPanes {
    RichTextSink* syntax = nullptr;
    RichTextSink* content = nullptr;
    RichTextSink* coloured = nullptr;
};
void SetReportPanes(const ReportPanes& panes);
ReportPanes CurrentReportPanes();

// True when written, false when the user declined a long report.
bool Display_Syntax_Errors();
bool Display_Content_Errors();
// Segments first..last (last -1 or beyond the end: to the last segment).
void DisplayColouredFile(bool errorsOnly, std::int64_t first, std::int64_t last);

}  // namespace trelvane

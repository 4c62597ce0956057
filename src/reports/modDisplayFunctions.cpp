#include "reports/modDisplayFunctions.h"

#include "reports/PlainTextSink.h"

namespace trelvane {

// Placeholder until the reports land.
namespace {
PlainTextSink g_syntax, g_content, g_coloured;
ReportPanes g_panes{&g_syntax, &g_content, &g_coloured};
}  // namespace
void SetReportPanes(const ReportPanes& panes) { g_panes = panes; }
ReportPanes CurrentReportPanes() { return g_panes; }
bool Display_Syntax_Errors() { return true; }
bool Display_Content_Errors() { return true; }
void DisplayColouredFile(bool, std::int64_t, std::int64_t) {}

}  // namespace trelvane

#include "reports/ReportPanes.h"

#include "reports/PlainTextSink.h"

namespace trelvane {

namespace {

PlainTextSink g_syntax, g_content, g_coloured;
ReportPanes g_panes{&g_syntax, &g_content, &g_coloured};

}  // namespace

void SetReportPanes(const ReportPanes& panes) {
    g_panes.syntax = panes.syntax ? panes.syntax : &g_syntax;
    g_panes.content = panes.content ? panes.content : &g_content;
    g_panes.coloured = panes.coloured ? panes.coloured : &g_coloured;
}

ReportPanes CurrentReportPanes() {
    return g_panes;
}

}  // namespace trelvane

// The panes the reports of a run write into: the front end's, like the
// platform. Until a front end sets its own, the reports write into plain-text
// panes held here.
#pragma once

#include "reports/RichTextSink.h"

namespace trelvane {

struct ReportPanes {
    RichTextSink* syntax = nullptr;
    RichTextSink* content = nullptr;
    RichTextSink* coloured = nullptr;
};
// A pane left null is the plain-text pane held here.
void SetReportPanes(const ReportPanes& panes);
ReportPanes CurrentReportPanes();

}  // namespace trelvane

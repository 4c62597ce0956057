// The report document: a header naming the run, then the syntax report and
// the content report as the panes show them. It is printed from the results
// window and written as the error report (CR) file.
#pragma once

#include <string>
#include <string_view>

#include "reports/RichTextSink.h"

namespace trelvane {

// The version the about window shows and the report document names.
inline constexpr std::string_view kVersionText = "1 mars 2017";

// Clears the sink and writes the header: the title with the day's date, the
// file, procedure and profile of the home window, the version, what was
// tested (campaign year, the file's size and SHA-256, the reference tables'
// SHA-256), and a rule followed by two line breaks. The caller then appends
// the formatted syntax pane, a line break, the formatted content pane and a
// line break. A page with sections of its own does without the rule.
void BuildReportDocumentHeader(RichTextSink& sink, bool rule = true);
// The plain text of that header.
std::string ReportDocumentHeaderText();

// The whole document over plain pane texts ("\r\n" line breaks).
std::string ReportDocumentText(std::string_view syntaxText, std::string_view contentText);
// The whole document from the current panes (CurrentReportPanes()).
std::string ReportDocumentText();

}  // namespace trelvane

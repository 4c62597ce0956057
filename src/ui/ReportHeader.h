// The header of the report document that is printed and written to the CR
// file: title line, the file, the procedure, the profile, the version, a rule.
#pragma once

#include <string>

namespace trelvane::ui {

struct ReportHeaderText {
    std::string title;  // Windows-1252, without its line breaks
    std::string lines;  // the lines under it, each ending with "\r\n", then the rule
};

ReportHeaderText BuildReportHeader(const std::string& versionText);

}  // namespace trelvane::ui

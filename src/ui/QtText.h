// Windows-1252 texts of the core <-> QString of the windows, and the one
// conversion of file paths between the two.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace trelvane::ui {

QString FromCp(std::string_view cp1252);
std::string ToCp(const QString& text);
// The core's "\r\n" line breaks as Qt shows them ("\n").
QString FromCpLines(std::string_view cp1252);

// A path typed or chosen in the windows as the core's file functions take
// it, and back. Every file the windows name reaches the file system through
// CorePath, so the windows and the core always agree on which file it is.
std::string CorePath(const QString& path);
QString PathFromCore(std::string_view path);

}  // namespace trelvane::ui

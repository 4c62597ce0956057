// Windows-1252 texts of the core <-> QString of the windows, and the paths
// the core hands to the system <-> the paths the windows show.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace trelvane::ui {

QString FromCp(std::string_view cp1252);
std::string ToCp(const QString& text);
// The core's "\r\n" line breaks as Qt shows them ("\n").
QString FromCpLines(std::string_view cp1252);

// A path in the system's own form, as the core's file calls take it: every
// file-system call of the windows goes through it.
std::string CorePath(const QString& path);
QString FromCorePath(std::string_view path);

}  // namespace trelvane::ui

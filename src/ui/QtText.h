// Windows-1252 texts of the core <-> QString of the windows.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace trelvane::ui {

QString FromCp(std::string_view cp1252);
std::string ToCp(const QString& text);
// The core's "\r\n" line breaks as Qt shows them ("\n").
QString FromCpLines(std::string_view cp1252);

}  // namespace trelvane::ui

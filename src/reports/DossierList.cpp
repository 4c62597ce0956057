#include "reports/DossierList.h"

#include <string_view>

#include "config/Cp1252.h"

namespace trelvane {

namespace {

// A text cell from the tested file: quoted when it holds a separator, a
// quote or a line break; a leading apostrophe keeps "=", "+", "-" and "@"
// from starting a formula when the file is opened.
std::string TextCell(std::string_view cp1252) {
    std::string text = Cp1252ToUtf8(cp1252);
    if (!text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos)
        text.insert(0, 1, '\'');
    if (text.find_first_of(";\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

std::string DossierListCsv(const std::vector<DossierListRow>& rows) {
    std::string out = "\xEF\xBB\xBF" + Cp1252ToUtf8(
                                           "Dossier;NIR;Nom du déclarant;Rejets;"
                                           "Signalements;Verdict\r\n"_cp);
    for (const DossierListRow& row : rows) {
        out += TextCell(row.number) + ';' + TextCell(row.nir) + ';' + TextCell(row.name) + ';' +
               std::to_string(row.rejects) + ';' + std::to_string(row.warnings) + ';' +
               Cp1252ToUtf8(VerdictText(row.verdict)) + "\r\n";
    }
    return out;
}

}  // namespace trelvane

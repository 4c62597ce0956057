#include "ReportHeader.h"

#include "config/Cp1252.h"
#include "config/Platform.h"

namespace trelvane::ui {

ReportHeaderText BuildReportHeader(const std::string& versionText) {
    Platform& platform = CurrentPlatform();
    ReportHeaderText header;
    header.title = "Résultat de l'analyse EDI du "_cp + ShortDate(platform.Now());
    header.lines = "Chemin du fichier testé : "_cp + platform.FilePath() + "\r\n";
    header.lines += "Procédure utilisée : "_cp + platform.ProcedureText() + "\r\n";
    header.lines += "Profil de test : " + platform.ProfileText() + "\r\n";
    header.lines += "Généré par TOLVEX - Trelvane version "_cp + versionText + "\r\n";
    header.lines += std::string(110, '_') + "\r\n\r\n";
    return header;
}

}  // namespace trelvane::ui

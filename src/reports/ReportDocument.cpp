#include "reports/ReportDocument.h"

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/modIOfunctions.h"
#include "reports/PlainTextSink.h"
#include "reports/modDisplayFunctions.h"

namespace trelvane {

namespace {

constexpr std::string_view kCrLf = "\r\n";

}  // namespace

void BuildReportDocumentHeader(RichTextSink& sink) {
    Platform& platform = CurrentPlatform();
    sink.Clear();
    sink.SetColor(kDarkGrey);
    sink.SetBold(true);
    sink.SetFontSize(12);
    sink.SetIndent(1500);
    sink.InsertText("Résultat de l'analyse EDI du "_cp + ShortDate(platform.Now()) +
                    "\r\n\r\n\r\n");
    sink.SetIndent(0);
    sink.SetBold(false);
    sink.SetFontSize(9);
    sink.InsertText("Chemin du fichier testé : "_cp + DisplayPath(platform.FilePath()) + kCrLf);
    sink.InsertText("Procédure utilisée : "_cp + platform.ProcedureText() + kCrLf);
    sink.InsertText("Profil de test : " + platform.ProfileText() + kCrLf);
    sink.InsertText("Généré par TOLVEX - Trelvane version "_cp + kVersionText + kCrLf);
    sink.InsertText(std::string(110, '_') + "\r\n\r\n");
}

std::string ReportDocumentHeaderText() {
    PlainTextSink sink;
    BuildReportDocumentHeader(sink);
    return sink.PlainText();
}

std::string ReportDocumentText(std::string_view syntaxText, std::string_view contentText) {
    std::string out = ReportDocumentHeaderText();
    out.append(syntaxText).append(kCrLf).append(contentText).append(kCrLf);
    return out;
}

std::string ReportDocumentText() {
    const ReportPanes panes = CurrentReportPanes();
    return ReportDocumentText(panes.syntax ? panes.syntax->PlainText() : std::string{},
                              panes.content ? panes.content->PlainText() : std::string{});
}

}  // namespace trelvane

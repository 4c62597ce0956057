#include "reports/ReportDocument.h"

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/modIOfunctions.h"
#include "content/ReferenceTables.h"
#include "reports/PlainTextSink.h"
#include "reports/modDisplayFunctions.h"
#include "run/modMainFunctions.h"

namespace trelvane {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// "104 858 492 octets": digits in groups of three, as French texts write them.
std::string ByteCount(std::uint64_t n) {
    const std::string digits = std::to_string(n);
    std::string out;
    for (std::size_t k = 0; k < digits.size(); ++k) {
        if (k > 0 && (digits.size() - k) % 3 == 0) out += ' ';
        out += digits[k];
    }
    return out + (n < 2 ? " octet" : " octets");
}

// What was tested, so that the report can be matched to its file and tables
// later: the campaign year the checks used, the file's size and digest, and
// the digest of each reference table.
std::string TestedFileLines() {
    const TestedFile& file = State().File;
    const std::string unknown = "inconnue (fichier illisible)";
    std::string out = "Année de campagne : "_cp + file.yearCamp + kCrLf;
    out += "Taille du fichier testé : "_cp + (file.read ? ByteCount(file.size) : unknown) + kCrLf;
    out += "SHA-256 du fichier testé : "_cp + (file.read ? file.sha256 : unknown) + kCrLf;
    for (const ReferenceTableVersion& table : ReferenceTableVersions()) {
        out += "SHA-256 de " + std::string(table.file) + " : " +
               (table.sha256.empty() ? "table absente ou illisible" : table.sha256) + kCrLf;
    }
    return out;
}

}  // namespace

void BuildReportDocumentHeader(RichTextSink& sink, bool rule) {
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
    sink.InsertText(TestedFileLines());
    if (rule) sink.InsertText(std::string(110, '_') + "\r\n\r\n");
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

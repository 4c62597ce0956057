#include "reports/ResultsPage.h"

#include <vector>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/modIOfunctions.h"
#include "reports/ReportDocument.h"
#include "reports/modDisplayFunctions.h"

namespace trelvane {

std::string ResultsPage(const HtmlSink& syntax, const HtmlSink& content, const HtmlSink& coloured) {
    constexpr Rgb kWhite{255, 255, 255};
    HtmlSink header, legend;
    BuildReportDocumentHeader(header, false);
    WriteLegend(legend);
    // The captions of the results window's frames.
    const std::vector<HtmlSection> sections = {
        {std::string("Fichier testé"_cp), &header, kWhite},
        {std::string("Erreurs de syntaxe EDI      (1 erreur entraîne le rejet complet du "
                     "fichier par le CSE)"_cp),
         &syntax, kWhite},
        {std::string("Erreurs sur dossiers       (chaque dossier en rejet sera exclu de l'envoi "
                     "à la VRK) "_cp),
         &content, kWhite},
        {DisplayPath(CurrentPlatform().FilePath()), &coloured, kIvory},
        {std::string("Légende"_cp), &legend, kWhite},
    };
    return HtmlPage("Résultats de l'analyse"_cp, sections);
}

std::string RenderResultsPage(bool errorsOnly, std::int64_t first, std::int64_t last) {
    HtmlSink syntax, content, coloured;
    WriteSyntaxReport(syntax);
    WriteContentReport(content);
    WriteColouredFile(coloured, errorsOnly, first, last);
    return ResultsPage(syntax, content, coloured);
}

}  // namespace trelvane

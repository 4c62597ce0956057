#include "reports/ResultsPage.h"

#include <vector>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/modIOfunctions.h"
#include "reports/ReportDocument.h"
#include "reports/modDisplayFunctions.h"
#include "run/RunContext.h"

namespace trelvane {

namespace {
constexpr std::string_view kTestedFileCaption = "Fichier testé"_cp;
}  // namespace

std::string ResultsPage(const HtmlSink& syntax, const HtmlSink& content, const HtmlSink& coloured) {
    constexpr Rgb kWhite{255, 255, 255};
    HtmlSink header, legend;
    BuildReportDocumentHeader(header, false);
    WriteLegend(legend);
    // The captions of the results window's frames, and one of its own.
    const std::vector<HtmlSection> sections = {
        {std::string(kTestedFileCaption), &header, kWhite},
        {std::string(kSyntaxReportCaption), &syntax, kWhite},
        {std::string(kContentReportCaption), &content, kWhite},
        {DisplayPath(CurrentRun().options.filePath), &coloured, kIvory},
        {std::string(kLegendCaption), &legend, kWhite},
    };
    return HtmlPage(kResultsTitle, sections);
}

std::string RenderResultsPage(bool errorsOnly, std::int64_t first, std::int64_t last) {
    HtmlSink syntax, content, coloured;
    WriteSyntaxReport(syntax);
    WriteContentReport(content);
    WriteColouredFile(coloured, errorsOnly, first, last);
    return ResultsPage(syntax, content, coloured);
}

}  // namespace trelvane

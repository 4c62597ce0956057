// The three reports of the results window: syntax errors, content errors and
// the whole file coloured segment by segment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/Cp1252.h"
#include "reports/RichTextSink.h"

namespace trelvane {

inline constexpr std::string_view kModDisplay = "modDisplayFunctions";

// Colours of the reports and of the legend.
inline constexpr Rgb kDarkGrey{50, 50, 50};
inline constexpr Rgb kMidGrey{100, 100, 100};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kWarningGreen{153, 202, 153};  // warning lines of the content report
inline constexpr Rgb kBlueViolet{138, 43, 226};
inline constexpr Rgb kCornflowerBlue{100, 149, 237};
inline constexpr Rgb kDarkOrange{255, 140, 0};
inline constexpr Rgb kTagGreen{102, 202, 102};  // an error on the segment tag
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kIvory{255, 255, 240};  // background of the coloured file

// Above this many records a report asks before it is built.
inline constexpr std::int64_t kLongReportRecords = 4000;
// The whole-file display stops after this many segments.
inline constexpr std::int64_t kDisplayedSegments = 20000;
// A line of the coloured display shows at most this many characters of its
// segment, then says it was cut: laying out a line of megabytes would hold
// the window for minutes. The reports keep every segment whole.
inline constexpr std::size_t kDisplayedLineCharacters = 2000;

// The panes the reports write into. Until a front end sets its own, the
// reports write into plain-text panes held here.
struct ReportPanes {
    RichTextSink* syntax = nullptr;
    RichTextSink* content = nullptr;
    RichTextSink* coloured = nullptr;
};
void SetReportPanes(const ReportPanes& panes);
ReportPanes CurrentReportPanes();

// The question a long report raises: true when there is none or the user
// wants the report. Declining the content report is followed by a note
// saying it will not be shown. A run asks both before building anything.
bool ConfirmSyntaxReport();
bool ConfirmContentReport();

// True when written; false when the user declined a long report (the pane
// then says so) or stopped the run. ask false: the question was already put.
bool Display_Syntax_Errors(bool ask = true);
// The same, and false when an unexpected error stopped the report.
bool Display_Content_Errors(bool ask = true);
// Segments first..last (last -1 or beyond the end: to the last segment).
void DisplayColouredFile(bool errorsOnly, std::int64_t first, std::int64_t last);

// What the panes show after a run that built no report of its own, so that
// none of them ever shows an earlier run's: every pane emptied
// (ClearReportPanes), the reports the user declined (their heading and a
// note; the coloured pane says why it is empty), or a profile that checks
// nothing.
void ClearReportPanes();
void ShowDeclinedReports(bool syntaxDeclined);
void ShowUncheckedReports();

// The same three reports of the current run into any sink, asking nothing,
// showing no status and leaving WarningCount as it is: for a copy made after
// the run (the results page of an export).
void WriteSyntaxReport(RichTextSink& sink);
void WriteContentReport(RichTextSink& sink);
void WriteColouredFile(RichTextSink& sink, bool errorsOnly, std::int64_t first, std::int64_t last);

// The titles of the results window and of its frames, which the results
// page written as HTML repeats.
inline constexpr std::string_view kResultsTitle = "Résultats de l'analyse"_cp;
inline constexpr std::string_view kSyntaxReportCaption =
    "Erreurs de syntaxe EDI      (1 erreur entraîne le rejet complet du fichier par le CSE)"_cp;
inline constexpr std::string_view kContentReportCaption =
    "Erreurs sur dossiers       (chaque dossier en rejet sera exclu de l'envoi à la VRK) "_cp;
inline constexpr std::string_view kLegendCaption = "Légende"_cp;

// The legend of the colours of the coloured file, in its order.
struct LegendEntry {
    Rgb color;
    std::string_view text;
};
inline constexpr LegendEntry kLegend[] = {
    {kRed, "Syntaxe incorrecte"},
    {kCornflowerBlue, "Nombre de données faux"_cp},
    {kBlueViolet, "Syntaxe et nombre de données faux"_cp},
    {kDarkOrange, "Format ou valeur incorrect"},
    {kTagGreen, "Documents du dossier en anomalie"},
};
// Writes it: five bullets in the symbol font with their texts.
void WriteLegend(RichTextSink& sink);

}  // namespace trelvane

#include "run/modMainFunctions.h"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/RuntimeErrors.h"
#include "config/modIOfunctions.h"
#include "content/ReferenceTables.h"
#include "content/modKTVContentChecker.h"
#include "conversion/modKTVConversionFunctions.h"
#include "reports/modDisplayFunctions.h"
#include "run/Summaries.h"
#include "run/modToolsFunctions.h"
#include "syntax/modKTVSyntaxChecker.h"

namespace trelvane {

namespace {

RunState g_state;

constexpr std::string_view kSeparatorLine =
    "-----------------------------------------------------------";

// Nothing of an earlier run may pass for this one's: every result is emptied
// before the checks fill them again.
void ClearResults() {
    g_state.SyntaxErrors.clear();
    g_state.ContentErrors.clear();
    g_state.DossierInfo.clear();
    g_state.ErrorsBySegment.Reset(0);
    SetWarningCount(0);
    InitFNS3Lines();
    ClearFailedConversions();
}

// The three reports, the long ones asked for together first: once the user
// has answered, the reports are built without another question.
void BuildReports(bool errorsOnly) {
    Initialise_Table_Erreurs_Lib();
    CreateArray_InfoDoss();
    const bool syntaxWanted = ConfirmSyntaxReport();
    const bool contentWanted = syntaxWanted && ConfirmContentReport();
    if (!syntaxWanted || !contentWanted) {
        if (syntaxWanted) Display_Syntax_Errors(false);
        ShowDeclinedReports(!syntaxWanted);
        g_state.Withheld = WithheldReason::Declined;
        return;
    }
    if (Display_Syntax_Errors(false) && Display_Content_Errors(false)) {
        CreateArray_ErrorsBySeg();
        DisplayColouredFile(errorsOnly, 0, 19999);
    }
}

}  // namespace

std::string SegmentErrorTable::Element(std::size_t i) const {
    std::string out = HasSyntaxError(i) ? "ERR" : "SOK";
    out += PositionsText(i);
    return out;
}

std::string_view SegmentErrorTable::PositionsText(std::size_t i) const {
    const auto it = std::lower_bound(segments_.begin(), segments_.end(), i);
    if (it == segments_.end() || *it != i) return {};
    const auto k = static_cast<std::size_t>(it - segments_.begin());
    const std::size_t end = k + 1 < starts_.size() ? starts_[k + 1] : text_.size();
    return std::string_view(text_).substr(starts_[k], end - starts_[k]);
}

void SegmentErrorTable::Reset(std::size_t n) {
    syntaxError_.assign(n, false);
    ClearPositions();
}

bool SegmentErrorTable::AddPosition(std::size_t segment, std::string_view position) {
    constexpr std::size_t kLimit = std::numeric_limits<std::uint32_t>::max();
    if (segment > kLimit || text_.size() + 1 + position.size() > kLimit) return false;
    if (segments_.empty() || segments_.back() < segment) {
        segments_.push_back(static_cast<std::uint32_t>(segment));
        starts_.push_back(static_cast<std::uint32_t>(text_.size()));
    } else if (segments_.back() != segment) {
        return false;
    }
    text_ += ',';
    text_ += position;
    return true;
}

void SegmentErrorTable::ClearPositions() {
    segments_.clear();
    starts_.clear();
    text_.clear();
}

RunState& State() {
    return g_state;
}

SegmentList GetSegments() {
    return g_state.Segments;
}
StringList GetSyntaxErrors() {
    return g_state.SyntaxErrors;
}
StringList GetContentErrors() {
    return g_state.ContentErrors;
}

namespace {

constexpr std::string_view kCrLf = "\r\n";

// The four delimiters must be given and differ from one another: without
// them every file would fail its checks with no word on why.
bool DelimitersUsable(const std::array<std::string, 4>& delimiters) {
    static constexpr std::array<std::string_view, 4> kKeys = {"delimiter1", "delimiter2",
                                                              "delimiter3", "delimiter_escape"};
    static constexpr std::array<std::string_view, 4> kRoles = {
        "terminateur de segment", "séparateur d'éléments de données"_cp,
        "séparateur de composants"_cp, "caractère d'échappement"_cp};
    std::string fault;
    for (std::size_t k = 0; k < 4 && fault.empty(); ++k) {
        if (delimiters[k].empty())
            fault =
                "la clé "_cp + kKeys[k] + " (" + std::string(kRoles[k]) + ") est absente ou vide.";
    }
    for (std::size_t a = 0; a < 4 && fault.empty(); ++a) {
        for (std::size_t b = a + 1; b < 4 && fault.empty(); ++b) {
            if (delimiters[a] == delimiters[b])
                fault = "les clés "_cp + kKeys[a] + " et " + std::string(kKeys[b]) +
                        " ont la même valeur « "_cp + delimiters[a] + " »."_cp;
        }
    }
    if (fault.empty()) return true;
    CurrentPlatform().ShowMessage("Erreur critique",
                                  "Le fichier de paramétrage INI est incorrect : "_cp + fault +
                                      kCrLf + "Fichier : " + ProgramPath("parametres.ini") + kCrLf +
                                      "Le test ne peut pas être lancé."_cp,
                                  MsgIcon::Exclamation, MsgButtons::Ok);
    return false;
}

// Drops all that the run built, so that none of it can be shown, printed or
// converted, and gives its memory back.
void Withhold(WithheldReason why) {
    g_state = RunState();
    g_state.Withheld = why;
    ResetSummaryIndexes();
    InitFNS3Lines();
    ResetDossData();
    ClearFailedConversions();
    SetWarningCount(0);
    const ReportPanes panes = CurrentReportPanes();
    for (RichTextSink* pane : {panes.syntax, panes.content, panes.coloured})
        pane->Clear();
}

// The run itself; returns early, after its message, on a configuration fault.
void RunTest(Platform& platform, std::optional<TestInput>& input) {
    SetStatus("Lecture du fichier EDI...");
    TestedFile file;
    std::optional<TestedFileReader> reader;  // when the file is read here
    std::string text;
    if (input) {
        text = std::move(input->text);
        file = std::move(input->file);
    } else {
        reader.emplace();
        ImportFileContent(platform.FilePath(), text, &*reader);
    }
    file.yearCamp = platform.YearCamp();

    bool unreadable = false;
    g_state.Delimiters[0] = RetrieveInINIFile("delimiter1", &unreadable);
    if (!unreadable) {
        g_state.Delimiters[1] = RetrieveInINIFile("delimiter2");
        g_state.Delimiters[2] = RetrieveInINIFile("delimiter3");
        g_state.Delimiters[3] = RetrieveInINIFile("delimiter_escape");
    }
    if (unreadable || !DelimitersUsable(g_state.Delimiters) || !LoadReferenceTables()) {
        Withhold(WithheldReason::ConfigurationFault);
        return;
    }

    SetStatus("Extraction des segments du fichier EDI...");
    // The previous run's segments go first, so two files are never held at once.
    g_state.Segments = SegmentList();
    TerminatorCount terminators;
    g_state.Segments = SplitFileIntoSegments(std::move(text), g_state.Delimiters[0],
                                             g_state.Delimiters[3], &terminators);
    file.terminators = terminators.total;
    file.terminatorsBeforeLineFeed = terminators.beforeLineFeed;
    if (reader) reader->Finish(file);
    ClearResults();
    ClearReportPanes();
    // The reports describe this file now, whatever the profile.
    g_state.File = std::move(file);

    const int profile = platform.ProfileIndex();
    const bool checked = profile == -1 || profile == 0;
    if (checked && !RunStopRequested()) {
        SetStatus("Tests de syntaxe en cours...");
        g_state.SyntaxErrors = ManageCSyntaxKTV(g_state.Segments);
        SetStatus("Tests de contenu en cours...");
        g_state.ContentErrors = ManageCContentKTV(g_state.Segments);
    }
    // What went wrong during the checks is said once, before any question.
    ShowGatheredMessages();

    SetStatus("Préparation de l'affichage..."_cp);
    if (!checked) {
        ShowUncheckedReports();
        g_state.Withheld = WithheldReason::NotChecked;
    } else if (!RunStopRequested()) {
        BuildReports(platform.ErrorsOnly());
    }
    // A stopped run leaves half-built panes: none of them is the file's.
    if (g_state.Withheld == WithheldReason::Stopped) ClearReportPanes();
}

}  // namespace

bool RunStopRequested() {
    if (g_state.Withheld == WithheldReason::Stopped) return true;
    if (!CurrentPlatform().StopRequested()) return false;
    g_state.Withheld = WithheldReason::Stopped;
    return true;
}

void MainTest(std::optional<TestInput> input) {
    Platform& platform = CurrentPlatform();
    const std::string path = DisplayPath(platform.FilePath());
    Trace(kSeparatorLine, kModMain, "MainTest");
    Trace("DEBUT DES TESTS DE " + path, kModMain, "MainTest");

    // A box that could come once per segment or per dossier comes once.
    GatheredMessages gathered;
    g_state.Withheld = WithheldReason::None;
    ClearOutOfMemoryNote();
    try {
        RunTest(platform, input);
    } catch (const std::bad_alloc&) {
        NoteOutOfMemory();
    } catch (const PieceTooLong& e) {
        Withhold(WithheldReason::InputRefused);
        platform.ShowMessage(
            "Lecture du fichier impossible",
            "Le segment n° "_cp + std::to_string(e.Index() + 1) +
                " du fichier dépasse 4 Go : le fichier ne peut pas être testé."_cp + kCrLf + path,
            MsgIcon::Exclamation, MsgButtons::Ok);
    }
    // Memory may also have run out where a stage caught it and went on.
    if (OutOfMemoryNoted()) {
        Withhold(WithheldReason::OutOfMemory);
        platform.ShowMessage("Mémoire insuffisante"_cp,
                             std::to_string(kErrOutOfMemory) + " - " +
                                 ErrorDescription(kErrOutOfMemory) + kCrLf + "Le test de " + path +
                                 " a été abandonné : aucun résultat n'est affiché."_cp,
                             MsgIcon::Critical, MsgButtons::Ok);
    }

    Trace("FIN DES TESTS OK POUR " + path, kModMain, "MainTest");
    Trace(kSeparatorLine, kModMain, "MainTest");
}

}  // namespace trelvane

#include "driver/MainTest.h"

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
#include "run/RunContext.h"
#include "run/Summaries.h"
#include "run/modToolsFunctions.h"
#include "syntax/modKTVSyntaxChecker.h"

namespace trelvane {

namespace {

constexpr std::string_view kSeparatorLine =
    "-----------------------------------------------------------";

// The platform as a run sees it: the home window's choices are the run's,
// read when it began; everything else goes to the front end's platform.
class RunPlatform final : public Platform {
  public:
    RunPlatform(Platform& frontEnd, const RunOptions& options)
        : frontEnd_(frontEnd), options_(options), previous_(&CurrentPlatform()) {
        SetPlatform(this);
    }
    ~RunPlatform() override { SetPlatform(previous_); }
    RunPlatform(const RunPlatform&) = delete;
    RunPlatform& operator=(const RunPlatform&) = delete;

    MsgAnswer ShowMessage(std::string_view title, std::string_view text, MsgIcon icon,
                          MsgButtons buttons) override {
        return frontEnd_.ShowMessage(title, text, icon, buttons);
    }
    void ShowStatus(std::string_view text) override { frontEnd_.ShowStatus(text); }
    bool TraceMode() override { return options_.traceMode; }
    bool ErrorsOnly() override { return options_.errorsOnly; }
    bool ShowWarnings() override { return options_.showWarnings; }
    std::string YearCamp() override { return options_.yearCamp; }
    std::string FilePath() override { return options_.filePath; }
    std::string ProcedureText() override { return options_.procedureText; }
    int ProfileIndex() override { return options_.profileIndex; }
    std::string ProfileText() override { return options_.profileText; }
    LocalDateTime Now() override { return frontEnd_.Now(); }
    std::string ProgramDirectory() override { return frontEnd_.ProgramDirectory(); }
    std::string OutputDirectory() override { return frontEnd_.OutputDirectory(); }
    bool StopRequested() override { return frontEnd_.StopRequested(); }
    void ShowFileWritten(std::string_view title, std::string_view text,
                         const std::string& path) override {
        frontEnd_.ShowFileWritten(title, text, path);
    }
    void EndApplication() override { frontEnd_.EndApplication(); }

  private:
    Platform& frontEnd_;
    const RunOptions& options_;
    Platform* previous_;
};

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
        State().Withheld = WithheldReason::Declined;
        return;
    }
    if (Display_Syntax_Errors(false) && Display_Content_Errors(false)) {
        CreateArray_ErrorsBySeg();
        DisplayColouredFile(errorsOnly, 0, 19999);
    }
}

}  // namespace

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
    BeginRun(std::move(CurrentRun().options));
    State().Withheld = why;
    const ReportPanes panes = CurrentReportPanes();
    for (RichTextSink* pane : {panes.syntax, panes.content, panes.coloured})
        pane->Clear();
}

// The run itself; returns early, after its message, on a configuration fault.
void RunTest(const RunOptions& options, std::optional<TestInput>& input) {
    RunState& state = State();
    SetStatus("Lecture du fichier EDI...");
    TestedFile file;
    std::optional<TestedFileReader> reader;  // when the file is read here
    std::string text;
    if (input) {
        text = std::move(input->text);
        file = std::move(input->file);
    } else {
        reader.emplace();
        ImportFileContent(options.filePath, text, &*reader);
    }
    file.yearCamp = options.yearCamp;

    bool unreadable = false;
    state.Delimiters[0] = RetrieveInINIFile("delimiter1", &unreadable);
    if (!unreadable) {
        state.Delimiters[1] = RetrieveInINIFile("delimiter2");
        state.Delimiters[2] = RetrieveInINIFile("delimiter3");
        state.Delimiters[3] = RetrieveInINIFile("delimiter_escape");
    }
    if (unreadable || !DelimitersUsable(state.Delimiters) || !LoadReferenceTables()) {
        Withhold(WithheldReason::ConfigurationFault);
        return;
    }

    SetStatus("Extraction des segments du fichier EDI...");
    TerminatorCount terminators;
    state.Segments = SplitFileIntoSegments(std::move(text), state.Delimiters[0],
                                           state.Delimiters[3], &terminators);
    file.terminators = terminators.total;
    file.terminatorsBeforeLineFeed = terminators.beforeLineFeed;
    if (reader) reader->Finish(file);
    ClearReportPanes();
    // The reports describe this file now, whatever the profile.
    state.File = std::move(file);

    const int profile = options.profileIndex;
    const bool checked = profile == -1 || profile == 0;
    if (checked && !RunStopRequested()) {
        SetStatus("Tests de syntaxe en cours...");
        state.SyntaxErrors = ManageCSyntaxKTV(state.Segments);
        SetStatus("Tests de contenu en cours...");
        state.ContentErrors = ManageCContentKTV(state.Segments, ConvertDossierToFNS3);
    }
    // What went wrong during the checks is said once, before any question.
    ShowGatheredMessages();

    SetStatus("Préparation de l'affichage..."_cp);
    if (!checked) {
        ShowUncheckedReports();
        state.Withheld = WithheldReason::NotChecked;
    } else if (!RunStopRequested()) {
        BuildReports(options.errorsOnly);
    }
    // A stopped run leaves half-built panes: none of them is the file's.
    if (state.Withheld == WithheldReason::Stopped) ClearReportPanes();
}

}  // namespace

void MainTest(std::optional<TestInput> input) {
    Platform& frontEnd = CurrentPlatform();
    // Everything of the last run goes first, so that two runs are never held
    // at once, and the choices are read once for the whole run.
    BeginRun(ReadRunOptions(frontEnd));
    const RunOptions& options = CurrentRun().options;
    RunPlatform platform(frontEnd, options);
    const std::string path = DisplayPath(options.filePath);
    Trace(kSeparatorLine, kModMain, "MainTest");
    Trace("DEBUT DES TESTS DE " + path, kModMain, "MainTest");

    // A box that could come once per segment or per dossier comes once.
    GatheredMessages gathered;
    try {
        RunTest(options, input);
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

#include "run/modMainFunctions.h"

#include <algorithm>
#include <limits>

#include <utility>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/modIOfunctions.h"
#include "content/ReferenceTables.h"
#include "content/modKTVContentChecker.h"
#include "reports/modDisplayFunctions.h"
#include "run/Summaries.h"
#include "run/modToolsFunctions.h"
#include "syntax/modKTVSyntaxChecker.h"

namespace trelvane {

namespace {

RunState g_state;

constexpr std::string_view kSeparatorLine =
    "-----------------------------------------------------------";

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
SegmentErrorTable GetErrorsBySegment() {
    return g_state.ErrorsBySegment;
}

std::string GetSegmentTag(std::int64_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= g_state.Segments.size()) return {};
    return std::string(g_state.Segments[static_cast<std::size_t>(i)].substr(0, 3));
}

std::string GetSegmentTerminator() {
    return g_state.Delimiters[0];
}
std::string GetElementSeparator() {
    return g_state.Delimiters[1];
}
std::string GetComponentSeparator() {
    return g_state.Delimiters[2];
}
std::string GetReleaseCharacter() {
    return g_state.Delimiters[3];
}

void MainTest(std::optional<TestInput> input) {
    Platform& platform = CurrentPlatform();
    const std::string path = DisplayPath(platform.FilePath());
    Trace(kSeparatorLine, kModMain, "MainTest");
    Trace("DEBUT DES TESTS DE " + path, kModMain, "MainTest");

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

    g_state.Delimiters[0] = RetrieveInINIFile("delimiter1");
    g_state.Delimiters[1] = RetrieveInINIFile("delimiter2");
    g_state.Delimiters[2] = RetrieveInINIFile("delimiter3");
    g_state.Delimiters[3] = RetrieveInINIFile("delimiter_escape");

    SetStatus("Extraction des segments du fichier EDI...");
    // The previous run's segments go first, so two files are never held at once.
    g_state.Segments = SegmentList();
    TerminatorCount terminators;
    g_state.Segments = SplitFileIntoSegments(std::move(text), g_state.Delimiters[0],
                                             g_state.Delimiters[3], &terminators);
    file.terminators = terminators.total;
    file.terminatorsBeforeLineFeed = terminators.beforeLineFeed;
    if (reader) reader->Finish(file);

    bool fullRun = false;
    const int profile = platform.ProfileIndex();
    if (profile == -1 || profile == 0) {
        // The reports describe this file now; a run that only cuts the file
        // leaves them, and what they say of their file, as they were.
        g_state.File = std::move(file);
        SetStatus("Tests de syntaxe en cours...");
        g_state.SyntaxErrors = ManageCSyntaxKTV(g_state.Segments);
        SetStatus("Tests de contenu en cours...");
        g_state.ContentErrors = ManageCContentKTV(g_state.Segments);
        fullRun = true;
    }

    SetStatus("Préparation de l'affichage..."_cp);
    if (fullRun) {
        Initialise_Table_Erreurs_Lib();
        CreateArray_InfoDoss();
        if (Display_Syntax_Errors() && Display_Content_Errors()) {
            CreateArray_ErrorsBySeg();
            DisplayColouredFile(platform.ErrorsOnly(), 0, 19999);
        }
    }

    Trace("FIN DES TESTS OK POUR " + path, kModMain, "MainTest");
    Trace(kSeparatorLine, kModMain, "MainTest");
}

}  // namespace trelvane

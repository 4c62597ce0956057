#include "reports/modDisplayFunctions.h"

#include <cmath>
#include <cstdint>
#include <exception>
#include <iterator>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/RuntimeErrors.h"
#include "config/modIOfunctions.h"
#include "content/ReferenceTables.h"
#include "reports/PlainTextSink.h"
#include "run/Summaries.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

namespace trelvane {

namespace {

PlainTextSink g_syntax, g_content, g_coloured;
ReportPanes g_panes{&g_syntax, &g_content, &g_coloured};

constexpr std::string_view kCrLf = "\r\n";

// The number at the start of a text, as the platform reads one: leading
// spaces, a sign, digits; 0 when there is none.
std::int64_t LeadingNumber(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    std::int64_t v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        if (v > (INT64_MAX - 9) / 10) break;
        v = v * 10 + (s[i] - '0');
    }
    return negative ? -v : v;
}

// The segment at an index given as text; "" for an index outside the list.
std::string_view SegmentAt(std::string_view indexText) {
    const SegmentList& segments = State().Segments;
    std::int64_t i = LeadingNumber(indexText);
    if (i < 0 || static_cast<std::uint64_t>(i) >= segments.size()) return {};
    return segments[static_cast<std::size_t>(i)];
}

// Cuts a record on "," into pieces (views into the record).
void SplitRecord(std::string_view record, std::vector<std::string_view>& fields) {
    fields.clear();
    for (;;) {
        auto comma = record.find(',');
        fields.push_back(record.substr(0, comma));
        if (comma == std::string_view::npos) return;
        record.remove_prefix(comma + 1);
    }
}

// Labels of the codes met in one report, looked up once each.
class LabelCache {
  public:
    const std::string& Label(std::string_view code) {
        auto it = labels_.find(std::string(code));
        if (it == labels_.end()) it = labels_.emplace(std::string(code), GetErrorLabel(code)).first;
        return it->second;
    }

  private:
    std::unordered_map<std::string, std::string> labels_;
};

// The label from its fifth character on: class and separator dropped.
std::string_view LabelMessage(std::string_view label) {
    return label.size() > 4 ? label.substr(4) : std::string_view{};
}

bool AskLongReport(std::int64_t count, std::string_view titleTail) {
    const std::string title = std::to_string(count) + titleTail;
    const std::string text =
        "En raison du nombre important d'erreurs trouvées, la génération du rapport peut "
        "durer plusieurs minutes."_cp +
        kCrLf + "Continuer tout de même ?"_cp;
    return CurrentPlatform().ShowMessage(title, text, MsgIcon::None, MsgButtons::YesNo) ==
           MsgAnswer::Yes;
}

std::string SyntaxHeading(std::int64_t n) {
    return n == 1 ? std::string("1 ERREUR SYNTAXIQUE TROUVEE !")
                  : std::to_string(n) + " ERREURS SYNTAXIQUES TROUVEES !";
}

std::string ContentHeading(std::int64_t n) {
    if (n == 0) return "CONTROLES DE CONTENU OK";
    return n == 1 ? std::string("1 ERREUR DE CONTENU TROUVEE !")
                  : std::to_string(n) + " ERREURS DE CONTENU TROUVEES !";
}

std::int64_t RecordCount(const StringList& errors) {
    return errors.empty() ? 0 : static_cast<std::int64_t>(errors.size()) - 1;
}

// A pane whose report was not built: its heading (red when it counts
// errors) and a note saying why the rest is missing.
void WriteNotBuilt(RichTextSink& pane, std::string_view heading, bool errors,
                   std::string_view note) {
    pane.Clear();
    pane.SetIndent(1500);
    pane.SetBold(true);
    pane.SetColor(kDarkGrey);
    pane.InsertText(kCrLf);
    if (!heading.empty()) {
        if (errors) pane.SetColor(kRed);
        pane.InsertText(std::string(heading) + "\r\n\r\n");
        pane.SetColor(kDarkGrey);
    }
    pane.InsertText(note);
    pane.SetCaret(0);
}

constexpr std::string_view kDeclinedNote = "Rapport non affiché à votre demande."_cp;

// Reports walk their records in batches of this many between two questions
// to the platform whether the run goes on.
constexpr std::size_t kStopPollMask = 1023;

int ErrorNumberOf(const std::exception& e) {
    if (auto* r = dynamic_cast<const RuntimeError*>(&e)) return r->Number();
    if (dynamic_cast<const std::bad_alloc*>(&e)) return kErrOutOfMemory;
    return kErrInvalidCall;
}

// Writes the runs of the coloured display, keeping text of one look together
// so a line of sound elements costs one insertion, not one per element. A
// line shows at most kDisplayedLineCharacters of its segment.
class RunWriter {
  public:
    explicit RunWriter(RichTextSink& sink) : sink_(sink) {
        sink_.SetColor(kDarkGrey);
        sink_.SetBold(false);
    }
    // The line number, then the separator before the segment text.
    void StartLine(Rgb color, bool bold, std::string_view number, std::string_view separator) {
        Add(color, bold, number);
        Add(color, bold, separator);
        room_ = kDisplayedLineCharacters;
    }
    void Put(Rgb color, bool bold, std::string_view text) {
        if (text.size() > room_) {
            text = text.substr(0, room_);
            cut_ = true;
        }
        room_ -= text.size();
        Add(color, bold, text);
    }
    // Ends the line of a segment of that many characters with a line break
    // of that look.
    void EndLine(Rgb color, bool bold, std::size_t segmentLength) {
        if (cut_) {
            Add(kMidGrey, false,
                " [...] (ligne coupée à l'affichage : "_cp + std::to_string(segmentLength) +
                    " caractères)"_cp);
            cut_ = false;
        }
        Add(color, bold, kCrLf);
    }
    // The line that starts next shows segment.
    void Mark(std::int64_t segment) {
        Flush();
        sink_.MarkSegment(segment);
    }
    void Flush() {
        if (pending_.empty()) return;
        if (color_ != sinkColor_) sink_.SetColor(sinkColor_ = color_);
        if (bold_ != sinkBold_) sink_.SetBold(sinkBold_ = bold_);
        sink_.InsertText(pending_);
        pending_.clear();
    }

  private:
    void Add(Rgb color, bool bold, std::string_view text) {
        if (!pending_.empty() && (color != color_ || bold != bold_)) Flush();
        color_ = color;
        bold_ = bold;
        pending_ += text;
        if (pending_.size() > (1u << 20)) Flush();
    }

    RichTextSink& sink_;
    std::string pending_;
    Rgb color_ = kDarkGrey;
    bool bold_ = false;
    Rgb sinkColor_ = kDarkGrey;
    bool sinkBold_ = false;
    std::size_t room_ = kDisplayedLineCharacters;
    bool cut_ = false;
};

// One content error position of a segment, read for the element walk.
struct Position {
    bool whole = false;  // "ERR"
    char kind = 0;       // 'd' or 'l'
    int element = -1;    // -1: matches no element
    int component = -1;  // -1: none, -2: one the walk cannot reach
};

// Element and component numbers are 8-bit: the walk matches 0 to 254.
constexpr int kMaxWalked = 254;

int SmallNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 3) return -1;
    int v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v <= kMaxWalked ? v : -1;
}

Position ReadPosition(std::string_view text) {
    Position p;
    if (text == "ERR") {
        p.whole = true;
        return p;
    }
    if (text.empty() || (text[0] != 'd' && text[0] != 'l')) return p;
    p.kind = text[0];
    text.remove_prefix(1);
    auto colon = text.find(':');
    p.element = SmallNumber(text.substr(0, colon));
    if (colon != std::string_view::npos) {
        p.component = SmallNumber(text.substr(colon + 1));
        if (p.component < 0) p.component = -2;
    }
    return p;
}

void ReadPositions(std::string_view tail, std::vector<Position>& out) {
    out.clear();
    while (!tail.empty()) {
        tail.remove_prefix(1);  // the comma before each position
        auto comma = tail.find(',');
        out.push_back(ReadPosition(tail.substr(0, comma)));
        if (comma == std::string_view::npos) break;
        tail.remove_prefix(comma);
    }
}

// One line for each sign that the file was written for another system: the
// checks then report its segments one by one without saying why.
std::vector<std::string> FileHints(const TestedFile& file) {
    std::vector<std::string> hints;
    if (file.terminatorsBeforeLineFeed * 2 > file.terminators) {
        hints.emplace_back(
            "Les fins de ligne du fichier sont au format Unix (LF) : le saut de ligne qui suit "
            "chaque segment est lu comme le début du segment suivant, qui est alors rejeté. "
            "Enregistrez le fichier avec des fins de ligne Windows (CR LF), ou sans fin de "
            "ligne."_cp);
    }
    if (file.utf8Bom || file.utf8Accents) {
        std::string hint(
            file.utf8Bom && !file.utf8Accents
                ? "Le fichier commence par une marque d'ordre des octets UTF-8 (BOM)"_cp
                : "Le fichier est codé en UTF-8"_cp);
        if (file.utf8Bom && file.utf8Accents)
            hint += " et commence par une marque d'ordre des octets (BOM)"_cp;
        hint += " : la procédure attend du Windows-1252 (ANSI)"_cp;
        if (file.utf8Bom) hint += " sans cette marque, qui empêche de lire le premier segment"_cp;
        if (file.utf8Accents)
            hint +=
                ", et les lettres accentuées seraient transmises déformées (« JÃ‰RÃ”ME » "
                "pour « JÉRÔME »)"_cp;
        hint += ". Enregistrez le fichier en Windows-1252."_cp;
        hints.push_back(std::move(hint));
    }
    return hints;
}

}  // namespace

// A pane left unset keeps a plain-text pane of its own.
void SetReportPanes(const ReportPanes& panes) {
    g_panes.syntax = panes.syntax ? panes.syntax : &g_syntax;
    g_panes.content = panes.content ? panes.content : &g_content;
    g_panes.coloured = panes.coloured ? panes.coloured : &g_coloured;
}
ReportPanes CurrentReportPanes() {
    return g_panes;
}

bool ConfirmSyntaxReport() {
    const StringList& errors = State().SyntaxErrors;
    const std::int64_t n = RecordCount(errors);
    return errors.empty() || errors[0] != "[Branchement]" || n < kLongReportRecords ||
           AskLongReport(n, " erreurs de syntaxe");
}

bool ConfirmContentReport() {
    const std::int64_t n = RecordCount(State().ContentErrors);
    if (n < kLongReportRecords || AskLongReport(n, " erreurs sur dossiers")) return true;
    CurrentPlatform().ShowMessage(
        kProgramTitle,
        "Le rapport d'erreur sur contenu ne sera pas affiché dans la fenêtre résultat."_cp + kCrLf +
            "Note : un fichier contenant des années erronées entraîne souvent un nombre "
            "important d'erreurs."_cp,
        MsgIcon::Information, MsgButtons::Ok);
    return false;
}

namespace {

// The reports proper. Interactive for the run's own panes: status line and
// WarningCount, and, when ask is set, the question before a long report;
// otherwise the same text is written silently (a page rendered again from
// the run).
bool SyntaxReport(RichTextSink& pane, bool interactive, bool ask) {
    const StringList& errors = State().SyntaxErrors;

    const std::int64_t n = RecordCount(errors);
    if (ask && !ConfirmSyntaxReport()) {
        WriteNotBuilt(pane, SyntaxHeading(n), true, kDeclinedNote);
        return false;
    }
    pane.Clear();
    if (interactive) SetStatus("Préparation de l'affichage...(syntaxe)"_cp);
    for (const std::string& hint : FileHints(State().File)) {
        pane.SetIndent(0);
        pane.SetBold(true);
        pane.SetColor(kDarkOrange);
        pane.InsertText(hint + kCrLf);
    }
    pane.SetIndent(1500);
    pane.SetBold(true);
    pane.SetColor(kDarkGrey);
    pane.InsertText(kCrLf);

    if (!errors.empty() && errors[0] == "[Branchement]") {
        if (n == 0) {
            pane.InsertText("CONTROLES DE SYNTAXE OK");
        } else {
            pane.SetColor(kRed);
            pane.InsertText(SyntaxHeading(n) + "\r\n\r\n\r\n");
        }
        LabelCache labels;
        std::vector<std::string_view> fields;
        std::string line;
        for (std::size_t k = 1; k < errors.size(); ++k) {
            if ((k & kStopPollMask) == 0 && RunStopRequested()) return false;
            SplitRecord(errors[k], fields);
            const std::string_view index = fields[0];
            const std::string_view word = fields.size() > 1 ? fields[1] : std::string_view{};
            const std::string_view code = fields.size() > 2 ? fields[2] : std::string_view{};
            const std::string& label = labels.Label(code);

            pane.MarkSegment(LeadingNumber(index));
            pane.SetColor(kDarkGrey);
            pane.SetIndent(0);
            pane.SetFontSize(9);
            pane.SetBold(true);
            line.assign(code).append(" - ").append(LabelMessage(label)).append(" : ");
            line.append(word).append(kCrLf);
            pane.InsertText(line);

            pane.SetBold(false);
            pane.SetIndent(300);
            pane.SetFontSize(8);
            pane.SetColor(kMidGrey);
            line.assign("Segment n°"_cp).append(std::to_string(LeadingNumber(index) + 1));
            line.append(kCrLf);
            pane.InsertText(line);

            pane.SetColor(kMidGrey);
            pane.SetBold(false);
            line.assign(SegmentAt(index)).append("\r\n\r\n");
            pane.InsertText(line);
        }
    } else {
        pane.SetColor(kRed);
        pane.InsertText("ERREUR SUR UN SERVICE DE BASE !\r\n\r\n");
        // A list without its record has nothing more to show.
        if (errors.size() > 1) {
            const std::string_view record = errors[1];
            const std::string_view code = record.substr(0, 3);
            // The segment index stands from the fifth character on.
            pane.MarkSegment(LeadingNumber(record.size() > 4 ? record.substr(4) : ""));
            pane.SetColor(kDarkGrey);
            pane.SetBold(true);
            pane.SetIndent(0);
            pane.InsertText(std::string(code) + " - " + GetErrorLabel(code));
        }
    }
    pane.SetCaret(0);
    return true;
}

bool ContentReport(RichTextSink& pane, bool interactive, bool ask) {
    const StringList& errors = State().ContentErrors;
    Platform& platform = CurrentPlatform();

    pane.Clear();
    std::int64_t warnings = 0;
    if (interactive) {
        SetWarningCount(0);
        SetStatus("Préparation de l'affichage...(contenu)"_cp);
    }

    const std::int64_t n = RecordCount(errors);
    if (ask && !ConfirmContentReport()) {
        WriteNotBuilt(pane, ContentHeading(n), true, kDeclinedNote);
        return false;
    }

    try {
        pane.SetIndent(1500);
        pane.SetBold(true);
        pane.SetColor(kDarkGrey);
        pane.InsertText(kCrLf);
        if (n == 0) {
            pane.InsertText("CONTROLES DE CONTENU OK\r\n");
        } else {
            pane.SetColor(kRed);
            pane.InsertText(ContentHeading(n) + "\r\n");
            pane.InsertText(platform.ShowWarnings() ? "(Rejets en noir, Signalements en vert)"
                                                    : "(Signalements non visibles)");
            pane.InsertText("\r\n\r\n\r\n");
        }

        LabelCache labels;
        std::vector<std::string_view> fields;
        std::string line;
        for (std::size_t k = 1; k < errors.size(); ++k) {
            if ((k & kStopPollMask) == 0 && RunStopRequested()) return false;
            SplitRecord(errors[k], fields);
            // Five fields; should a detail text ever hold a comma, the fields
            // at both ends still stand where they belong.
            while (fields.size() < 5)
                fields.emplace_back();
            const std::string_view index = fields[0];
            const std::string_view code = fields[fields.size() - 1];
            const std::string_view dossier = fields[fields.size() - 2];
            const std::string_view position = fields[fields.size() - 3];
            std::string_view detail = fields[1];
            if (fields.size() > 5) {
                const char* begin = fields[1].data();
                const char* end =
                    fields[fields.size() - 4].data() + fields[fields.size() - 4].size();
                detail = std::string_view(begin, static_cast<std::size_t>(end - begin));
            }

            const std::string& label = labels.Label(code);
            const std::string_view cls = std::string_view(label).substr(0, 3);
            const bool warning = label.starts_with("si");
            if (warning && interactive) SetWarningCount(++warnings);

            const bool showWarnings = platform.ShowWarnings();
            if (!(cls == "rej" || cls == "sir" || (cls == "sig" && showWarnings))) continue;

            pane.MarkSegment(LeadingNumber(index));
            pane.SetColor(warning ? kWarningGreen : kDarkGrey);
            pane.SetBold(true);
            pane.SetIndent(0);
            pane.SetFontSize(9);
            if (detail == ";? ") detail = ",? ";
            line.assign(code).append(" - ").append(LabelMessage(label)).append(" : ");
            line.append(detail).append(kCrLf);
            pane.InsertText(line);

            pane.SetIndent(300);
            pane.SetFontSize(8);
            if (cls == "sir") {
                pane.SetColor(kRed);
                pane.SetBold(false);
                pane.InsertText("Le dossier sera rejeté par la VRK.\r\n"_cp);
            }

            pane.SetBold(false);
            pane.SetColor(kMidGrey);
            line.assign("Segment n°"_cp).append(std::to_string(LeadingNumber(index) + 1));
            line.append(kCrLf);
            pane.InsertText(line);

            const std::string_view where = position.empty() ? position : position.substr(1);
            if (position != "ERR" && where != "0") {
                line.assign("Position de la donnée erronée : "_cp).append(where).append(kCrLf);
                pane.InsertText(line);
            }

            if (LeadingNumber(dossier) != 0) {
                line.assign("Dossier n° "_cp).append(dossier).append(kCrLf);
                pane.InsertText(line);
                line.assign("NIR du déclarant : "_cp)
                    .append(GetDossierField(dossier, index, 3))
                    .append(kCrLf);
                pane.InsertText(line);
            }

            line.assign(SegmentAt(index)).append("\r\n\r\n");
            pane.InsertText(line);
        }
    } catch (const std::exception& e) {
        const int number = ErrorNumberOf(e);
        if (number == kErrOutOfMemory) NoteOutOfMemory();
        Trace(std::to_string(number) + " - " + ErrorDescription(number), kModDisplay,
              "Display_Content_Errors");
        return false;
    }
    pane.SetCaret(0);
    return true;
}

void ColouredFile(RichTextSink& pane, bool errorsOnly, std::int64_t first, std::int64_t last,
                  bool interactive) {
    const RunState& state = State();
    const std::string elementSep = state.Delimiters[1];
    const std::string componentSep = state.Delimiters[2];
    const std::string release = state.Delimiters[3];
    std::int64_t threshold = 500;
    const SegmentList& segments = state.Segments;
    const SegmentErrorTable& bySegment = state.ErrorsBySegment;

    pane.Clear();
    if (interactive) SetStatus("Préparation de l'affichage...(colorisation)"_cp);

    const std::int64_t upper = segments.UpperBound();
    if (upper >= kDisplayedSegments && !errorsOnly && first == 0) {
        // Said at the head of the display itself: a box would stop the run
        // in its middle until someone clicks it.
        pane.SetColor(kDarkGrey);
        pane.SetBold(true);
        pane.InsertText(
            "Seuls les 20 000 premiers segments du fichier seront affichés.\r\n\r\n"_cp);
    }
    if (last == -1 || last > upper) last = upper;
    if (first < 0) first = 0;

    RunWriter out(pane);
    std::vector<Position> positions;
    SplitScratch elementScratch, componentScratch;
    std::string number;

    for (std::int64_t k = first; k <= last; ++k) {
        if (interactive && k > first + threshold) {
            if (RunStopRequested()) break;
            threshold += 500;
            const double share =
                static_cast<double>(k - first) / static_cast<double>(last - first) * 100.0;
            out.Flush();
            SetStatus("Préparation de l'affichage...("_cp + std::to_string(std::lround(share)) +
                      "%)");
        }
        const auto i = static_cast<std::size_t>(k);
        // After a run without checks the table can be shorter than the
        // segments: a segment it does not cover is shown as sound.
        const bool covered = i < bySegment.size();
        const bool syntaxError = covered && bySegment.HasSyntaxError(i);
        const std::string_view tail = covered ? bySegment.PositionsText(i) : std::string_view{};
        const std::string_view segment = segments[i];
        number = std::to_string(k + 1);

        if (tail.empty()) {
            if (!syntaxError && errorsOnly) continue;
            out.Mark(k);
            const Rgb color = syntaxError ? kRed : kDarkGrey;
            out.StartLine(color, syntaxError, number, "  ");
            out.Put(color, syntaxError, segment);
            out.EndLine(color, syntaxError, segment.size());
            continue;
        }
        ReadPositions(tail, positions);
        out.Mark(k);
        if (syntaxError || positions[0].whole) {
            const Rgb color = !syntaxError         ? kCornflowerBlue
                              : positions[0].whole ? kBlueViolet
                                                   : kRed;
            out.StartLine(color, true, number, "  ");
            out.Put(color, true, segment);
            out.EndLine(color, true, segment.size());
            continue;
        }

        // Element by element; the positions are consumed in list order.
        out.StartLine(kDarkGrey, true, number, " ");
        SplitInto(segment, elementSep, release, elementScratch);
        const std::vector<std::string_view>& elements = elementScratch.pieces;
        std::size_t current = 0;
        for (std::size_t e = 0; e < elements.size(); ++e) {
            const std::string_view element = elements[e];
            const Position* p = current < positions.size() ? &positions[current] : nullptr;
            if (!p || p->element != static_cast<int>(e)) {
                out.Put(kDarkGrey, true, element);
            } else {
                if (p->kind == 'l') {
                    out.Put(kCornflowerBlue, true, element);
                } else if (p->component == -1) {
                    out.Put(e == 0 ? kTagGreen : kDarkOrange, true, element);
                } else {
                    int wanted = p->component;
                    SplitInto(element, componentSep, release, componentScratch);
                    const std::vector<std::string_view>& components = componentScratch.pieces;
                    for (std::size_t c = 0; c < components.size(); ++c) {
                        if (static_cast<int>(c) == wanted) {
                            out.Put(kDarkOrange, true, components[c]);
                            if (current + 1 < positions.size()) {
                                const Position& next = positions[current + 1];
                                if (next.kind == 'd' && next.element == static_cast<int>(e) &&
                                    next.component != -1) {
                                    ++current;
                                    wanted = next.component;
                                }
                            }
                        } else {
                            out.Put(kDarkGrey, true, components[c]);
                        }
                        if (c + 1 < components.size()) out.Put(kDarkGrey, true, componentSep);
                    }
                }
                // The last position, once used, stays current but can match
                // no later element.
                if (current + 1 < positions.size())
                    ++current;
                else
                    current = positions.size();
            }
            if (e + 1 < elements.size()) out.Put(kDarkGrey, true, elementSep);
        }
        out.EndLine(kDarkGrey, true, segment.size());
    }
    out.Flush();
    pane.SetCaret(0);
}

}  // namespace

bool Display_Syntax_Errors(bool ask) {
    Trace("Génération du compte-rendu de syntaxe"_cp, kModDisplay, "Display_Syntax_Errors");
    return SyntaxReport(*g_panes.syntax, true, ask);
}

bool Display_Content_Errors(bool ask) {
    Trace("Génération du compte-rendu de contenu"_cp, kModDisplay, "Display_Content_Errors");
    return ContentReport(*g_panes.content, true, ask);
}

void DisplayColouredFile(bool errorsOnly, std::int64_t first, std::int64_t last) {
    Trace("Génération du compte-rendu en coloration syntaxique"_cp, kModDisplay,
          "DisplayColouredFile");
    ColouredFile(*g_panes.coloured, errorsOnly, first, last, true);
}

void WriteSyntaxReport(RichTextSink& sink) {
    SyntaxReport(sink, false, false);
}

void WriteContentReport(RichTextSink& sink) {
    ContentReport(sink, false, false);
}

void WriteColouredFile(RichTextSink& sink, bool errorsOnly, std::int64_t first, std::int64_t last) {
    ColouredFile(sink, errorsOnly, first, last, false);
}

void ClearReportPanes() {
    for (RichTextSink* pane : {g_panes.syntax, g_panes.content, g_panes.coloured})
        pane->Clear();
}

void ShowDeclinedReports(bool syntaxDeclined) {
    const RunState& state = State();
    if (syntaxDeclined) {
        WriteNotBuilt(*g_panes.syntax, SyntaxHeading(RecordCount(state.SyntaxErrors)), true,
                      kDeclinedNote);
    }
    const std::int64_t n = RecordCount(state.ContentErrors);
    WriteNotBuilt(*g_panes.content, ContentHeading(n), n > 0, n > 0 ? kDeclinedNote : "");
    WriteNotBuilt(*g_panes.coloured, "", false,
                  "Fichier non affiché : un rapport d'erreur n'a pas été affiché à votre "
                  "demande."_cp);
}

void ShowUncheckedReports() {
    for (RichTextSink* pane : {g_panes.syntax, g_panes.content, g_panes.coloured})
        WriteNotBuilt(*pane, "", false, "Aucun contrôle n'est fait avec ce profil de test."_cp);
}

void WriteLegend(RichTextSink& sink) {
    sink.Clear();
    const std::size_t n = std::size(kLegend);
    for (std::size_t i = 0; i < n; ++i) {
        sink.SetFontName("Wingdings");
        sink.SetColor(kLegend[i].color);
        sink.InsertText("l ");
        sink.SetFontName("MS Sans Serif");
        sink.SetColor(kBlack);
        sink.InsertText(kLegend[i].text);
        if (i + 1 < n) sink.InsertText(kCrLf);
    }
    sink.SetCaret(0);
}

}  // namespace trelvane

#include "conversion/Fns3Records.h"

#include <array>
#include <exception>
#include <new>
#include <vector>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/RuntimeErrors.h"
#include "config/modIOfunctions.h"
#include "content/ReferenceTables.h"
#include "content/modKTVFacChecks.h"
#include "conversion/modKTVConversionFunctions.h"
#include "run/Summaries.h"

namespace trelvane {

namespace {

constexpr std::int64_t kLastGroup = 99;
constexpr std::size_t kHeadWidth = 59;
constexpr std::size_t kCellWidth = 19;
constexpr std::size_t kCellsPerLine = 10;
constexpr std::size_t kCellArea = kCellWidth * kCellsPerLine;  // 190
constexpr std::size_t kFlagColumn = 36;
constexpr std::size_t kCompanyIdColumn = 7, kCompanyIdWidth = 9;
constexpr std::size_t kCompanyNameColumn = 16, kCompanyNameWidth = 20;
constexpr std::string_view kSirPlaceholder = "SIRSIRSIR";
constexpr std::string_view kRasocPlaceholder = "RASOCRASOCRASOCRASOC";

std::vector<FailedConversion> g_failed;

// The context of the dossier being built on this thread when it was handed
// over; without one, the platform and the summaries are read directly.
thread_local const DossierContext* t_context = nullptr;

std::int64_t MessagesInInterchange(std::int64_t interchangeNumber) {
    return t_context ? t_context->messagesInInterchange
                     : CountMessagesInInterchange(interchangeNumber);
}
LocalDateTime ConversionNow() {
    return t_context ? t_context->now : CurrentPlatform().Now();
}
std::string ConversionYear() {
    return t_context ? t_context->yearCamp : CurrentPlatform().YearCamp();
}
bool ConversionFacisOnly() {
    return t_context ? t_context->facisOnly : FacisOnlyDossier();
}

std::string g_lastFns3Path;

// One record line, reused from record to record.
std::string& LineBuffer() {
    static std::string line;
    return line;
}

void StartLine(std::string& line) {
    line.assign(kFns3LineWidth, ' ');
}

// Capital of every byte, worked out once: every character of every record
// goes through it.
struct UpperTable {
    std::array<char, 256> to{};
    UpperTable() {
        for (std::size_t b = 0; b < to.size(); ++b)
            to[b] = UpperCp1252(static_cast<char>(static_cast<unsigned char>(b)));
    }
    char operator()(char c) const { return to[static_cast<unsigned char>(c)]; }
};
const UpperTable kUpper;

// Writes value upper-cased at 1-based column, space-filled to width. A value
// wider than its field is refused, never cut.
void PutField(std::string& line, std::size_t column, std::size_t width, std::string_view value) {
    if (value.size() > width) throw RuntimeError(kErrInvalidCall);
    char* out = line.data() + (column - 1);
    for (char c : value)
        *out++ = kUpper(c);
}

// The same for value without its question marks, written without a copy of
// the value (four address records per dossier).
void PutFieldWithoutQuestionMarks(std::string& line, std::size_t column, std::size_t width,
                                  std::string_view value) {
    std::size_t kept = 0;
    for (char c : value)
        kept += c != '?';
    if (kept > width) throw RuntimeError(kErrInvalidCall);
    char* out = line.data() + (column - 1);
    for (char c : value)
        if (c != '?') *out++ = kUpper(c);
}

// The same, for text already upper-case or to keep as it stands.
void PutRaw(std::string& line, std::size_t column, std::size_t width, std::string_view value) {
    if (value.size() > width) throw RuntimeError(kErrInvalidCall);
    line.replace(column - 1, value.size(), value);
}

// Characters first..first+count-1 (1-based) of text, fewer when it is shorter.
std::string_view Mid(std::string_view text, std::size_t first, std::size_t count) {
    if (first > text.size()) return {};
    return text.substr(first - 1, count);
}

std::string_view Right(std::string_view text, std::size_t count) {
    return count >= text.size() ? text : text.substr(text.size() - count);
}

std::string_view RTrim(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::string WithoutQuestionMarks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '?') out += c;
    return out;
}

std::string_view Ind(std::int64_t group) {
    return Doss(group, 8, 1, 2, 0);
}
std::string_view AnnexType(std::int64_t group) {
    return RTrim(Mid(Ind(group), 1, 8));
}
std::string_view AnnexNumber(std::int64_t group) {
    return Mid(Ind(group), 11, 4);
}

std::string TwoDigits(int value) {
    std::string text = std::to_string(value);
    PadString(text, '0', 2, "gauche");
    return text;
}

bool IsCompanyAnnex(std::string_view type) {
    return type == "FACCE" || type == "FACIS";
}

// The annex cut: the first annex is one run of groups of the same type (the
// main form), every later FACCE or FACIS annex a run of the same type and
// number.
void AddAnnexes() {
    const std::string_view t1 = AnnexType(1);
    std::int64_t j = 1;
    // An annex form first (a FACIS-only dossier) is cut by number too, so two
    // annexes are never merged into one set of records.
    const bool firstByNumber = IsCompanyAnnex(t1);
    const std::string firstNumber(AnnexNumber(1));
    while (j <= kLastGroup && AnnexType(j) == t1 &&
           (!firstByNumber || AnnexNumber(j) == firstNumber))
        ++j;
    AddANS3Records(t1, 1, j - 1);
    if (j > kLastGroup) return;

    std::string t(AnnexType(j));
    if (t.empty()) return;
    std::int64_t start = j;
    std::string number(AnnexNumber(j));
    for (std::int64_t k = j; k <= kLastGroup; ++k) {
        const std::string_view u = AnnexType(k);
        if (u != t) {
            AddANS3Records(t, start, k - 1);
            t.assign(u);
            start = k;
            number.assign(AnnexNumber(k));
            if (!IsCompanyAnnex(u)) return;
        } else if (AnnexNumber(k) != number) {
            AddANS3Records(t, start, k - 1);
            number.assign(AnnexNumber(k));
            start = k;
        }
    }
    // A dossier filling every group still gets its last annex.
    AddANS3Records(t, start, kLastGroup);
}

void AppendCell(std::string& cells, std::string_view code, std::string_view value) {
    const std::size_t at = cells.size();
    cells.append(kCellWidth, ' ');
    char* out = cells.data() + at;
    for (std::size_t i = 0; i < code.size() && i < 4; ++i)
        out[i] = kUpper(code[i]);
    for (std::size_t i = 0; i < value.size() && i < 15; ++i)
        out[4 + i] = kUpper(value[i]);
}

std::string DescribeFailures() {
    std::string text;
    bool severalInterchanges = false;
    for (const FailedConversion& f : g_failed)
        if (f.interchange != g_failed.front().interchange) severalInterchanges = true;
    constexpr std::size_t kShown = 20;
    for (std::size_t i = 0; i < g_failed.size() && i < kShown; ++i) {
        if (i > 0) text += ", ";
        text += std::to_string(g_failed[i].dossier);
        if (severalInterchanges)
            text += " (échange "_cp + std::to_string(g_failed[i].interchange) + ")";
    }
    if (g_failed.size() > kShown) text += " ... (" + std::to_string(g_failed.size()) + " dossiers)";
    return text;
}

}  // namespace

void PadString(std::string& value, char fill, std::size_t width, std::string_view side) {
    if (value.size() > width) throw RuntimeError(kErrInvalidCall);
    if (side == "droite")
        value.append(width - value.size(), fill);
    else
        value.insert(0, width - value.size(), fill);
}

void AddANS0Record(std::int64_t interchangeNumber) {
    std::string& line = LineBuffer();
    StartLine(line);
    PutRaw(line, 1, 4, "ANS0");
    PutField(line, 5, 14, Inte(2, 2, 0));
    PutField(line, 19, 14, Doss(0, 5, 2, 2, 0));
    PutField(line, 33, 8, "20" + Inte(2, 4, 0));
    PutField(line, 41, 4, Inte(2, 4, 1));
    PutField(line, 45, 1, Inte(2, 11, 0));
    PutRaw(line, 46, 6, "KTV");
    PutRaw(line, 52, 3, "D");
    PutRaw(line, 55, 3, "00B");
    std::string count = std::to_string(MessagesInInterchange(interchangeNumber));
    PadString(count, '0', 8, "gauche");
    PutRaw(line, 58, 8, count);
    PutField(line, 66, 14, Inte(2, 5, 0));
    PutField(line, 80, 6, Inte(2, 10, 0));
    PutRaw(line, 86, 1, "0");
    PutRaw(line, 87, 4, "EDI");
    AppendFNS3Line(line);
}

void AddANS1Record() {
    std::string& line = LineBuffer();
    StartLine(line);
    PutRaw(line, 1, 4, "ANS1");
    PutField(line, 5, 13, Doss(0, 5, 4, 2, 0));
    PutField(line, 18, 5, Doss(0, 5, 4, 4, 0));
    PutField(line, 23, 4, "20" + std::string(Mid(Ind(1), 9, 2)));
    const LocalDateTime now = ConversionNow();
    PutField(line, 27, 8, ConversionYear() + TwoDigits(now.month) + TwoDigits(now.day));
    PutField(line, 35, 35, Doss(0, 2, 1, 2, 0));
    PutField(line, 70, 1, Doss(0, 2, 1, 3, 0));
    AppendFNS3Line(line);
}

void AddANS2Record(int party) {
    std::string& line = LineBuffer();
    StartLine(line);
    PutRaw(line, 1, 4, "ANS2");
    PutField(line, 5, 3, Doss(0, 5, party, 1, 0));
    PutField(line, 8, 14, Doss(0, 5, party, 2, 0));
    PutField(line, 32, 35, Doss(0, 5, party, 4, party == 4 ? 1 : 0));
    PutFieldWithoutQuestionMarks(line, 67, 35, Doss(0, 5, party, 5, 0));
    PutFieldWithoutQuestionMarks(line, 102, 35, Doss(0, 5, party, 5, 1));
    PutFieldWithoutQuestionMarks(line, 137, 35, Doss(0, 5, party, 5, 2));
    PutField(line, 172, 35, Doss(0, 5, party, 6, 0));
    PutField(line, 207, 9, Doss(0, 5, party, 8, 0));
    if (party == 2) PutField(line, 216, 35, Doss(0, 6, 1, 1, 1));
    if (party == 4) PutField(line, 216, 35, Doss(0, 6, 2, 1, 1));
    AppendFNS3Line(line);
}

namespace {

std::string PercentageValue(std::int64_t group) {
    const std::string_view p = Doss(group, 11, 1, 1, 1);
    // An empty percentage has no parts to take.
    if (p.empty()) throw RuntimeError(kErrSubscript);
    const std::size_t comma = p.find(',');
    std::string whole(p.substr(0, comma));
    std::string fraction;
    if (comma != std::string_view::npos) {
        const std::size_t next = p.find(',', comma + 1);
        fraction = p.substr(comma + 1, next == std::string_view::npos ? next : next - comma - 1);
    }
    PadString(whole, '0', 3, "gauche");
    PadString(fraction, '0', 2, "droite");
    return whole + fraction;
}

// The value of GetInfoValueFNS3 written into out: every cell of every annex
// reads one, so the caller keeps a buffer rather than a new string each time.
void InfoValueInto(std::string& out, std::int64_t group, std::string_view segmentTag) {
    out.clear();
    if (segmentTag == "RFF") {
        out += Doss(group, 6, 3, 1, 1);
    } else if (segmentTag == "MOA") {
        out += Doss(group, 9, 1, 1, 4);
        out += Doss(group, 9, 1, 1, 1);
    } else if (segmentTag == "FTX") {
        out += Doss(group, 10, 1, 4, 0);
    } else if (segmentTag == "DTM") {
        out += Doss(group, 4, 2, 1, 1);
    } else if (segmentTag == "CCI") {
        out += Doss(group, 13, 1, 1, 0);
    } else if (segmentTag == "PCD") {
        out = PercentageValue(group);
    }
}

}  // namespace

void AddANS3Records(std::string_view annexType, std::int64_t firstGroup, std::int64_t lastGroup) {
    const bool companyAnnex = IsCompanyAnnex(annexType);
    if (annexType == "FACIS" && ConversionFacisOnly()) AppendFNS3Line("ANS310");

    // The head and the cells are rebuilt for every annex of every dossier:
    // their buffers are kept from one call to the next.
    static std::string head;
    head.assign(kHeadWidth, ' ');
    PutRaw(head, 1, 4, "ANS3");
    if (annexType == "KTVECE") PutRaw(head, 5, 2, "10");
    if (annexType == "FACCE") PutRaw(head, 5, 2, "20");
    if (annexType == "FACIS") PutRaw(head, 5, 2, "60");
    if (companyAnnex) {
        PutRaw(head, kCompanyIdColumn, kCompanyIdWidth, kSirPlaceholder);
        PutRaw(head, kCompanyNameColumn, kCompanyNameWidth, kRasocPlaceholder);
    }

    bool companySet = false;
    std::int64_t piece = 9121;
    static std::string cells;
    cells.clear();
    for (std::int64_t i = firstGroup; i <= lastGroup; ++i) {
        const std::string_view code = Mid(Ind(i), 17, 4);
        const std::string& tag = GetSegmentCode(code);
        if (tag == "NAD") {
            // The company of the annex, inserted as it stands; the first one wins.
            if (companySet) continue;
            std::string id(Mid(Doss(i, 5, 5, 2, 0), 1, kCompanyIdWidth));
            PadString(id, ' ', kCompanyIdWidth, "droite");
            std::string name(Mid(Doss(i, 5, 5, 4, 0), 1, kCompanyNameWidth));
            PadString(name, ' ', kCompanyNameWidth, "droite");
            if (companyAnnex) {
                PutRaw(head, kCompanyIdColumn, kCompanyIdWidth, id);
                PutRaw(head, kCompanyNameColumn, kCompanyNameWidth, name);
            }
            companySet = true;
            continue;
        }
        static std::string value;
        InfoValueInto(value, i, tag);
        if (code != "0120") {
            AppendCell(cells, code, value);
            continue;
        }
        value = WithoutQuestionMarks(value);
        PadString(value, ' ', 45, "droite");
        for (std::size_t p = 0; p < 3; ++p) {
            AppendCell(cells, std::to_string(piece), std::string_view(value).substr(p * 15, 15));
            ++piece;
        }
    }

    const std::size_t total = cells.size();
    std::size_t n = total / kCellArea;
    if (total == 190 || total == 380 || total == 570) --n;
    std::string& line = LineBuffer();
    for (std::size_t k = 0; k <= n; ++k) {
        StartLine(line);
        line.replace(0, kHeadWidth, head);
        line[kFlagColumn - 1] = k < n ? 'S' : ' ';
        const std::string_view part = Mid(cells, kCellArea * k + 1, kCellArea);
        line.replace(kHeadWidth, part.size(), part);
        AppendFNS3Line(line);
    }
}

std::string GetInfoValueFNS3(std::int64_t group, std::string_view segmentTag) {
    std::string value;
    InfoValueInto(value, group, segmentTag);
    return value;
}

namespace {

bool BuildRecords(std::int64_t dossierNumber, std::int64_t interchangeNumber, int& number,
                  std::string& description) {
    try {
        if (dossierNumber == 1) AddANS0Record(interchangeNumber);
        AddANS1Record();
        for (int party = 1; party <= 4; ++party)
            AddANS2Record(party);
        if (Right(Ind(1), 3) == "ZZZ") return true;
        AddAnnexes();
        return true;
    } catch (const RuntimeError& e) {
        number = e.Number();
        description = ErrorDescription(number);
    } catch (const std::bad_alloc&) {
        NoteOutOfMemory();
        number = kErrOutOfMemory;
        description = ErrorDescription(number);
    } catch (const std::exception&) {
        number = kErrInvalidCall;
        description = ErrorDescription(number);
    }
    return false;
}

}  // namespace

void ConvertDossierToFNS3(std::int64_t dossierNumber, std::int64_t interchangeNumber) {
    int number = 0;
    std::string description;
    if (!BuildRecords(dossierNumber, interchangeNumber, number, description))
        ReportFailedConversion(dossierNumber, interchangeNumber, number, description);
}

DossierContext TakeDossierContext(std::int64_t dossierNumber, std::int64_t interchangeNumber) {
    DossierContext context;
    context.now = CurrentPlatform().Now();
    context.yearCamp = CurrentPlatform().YearCamp();
    if (dossierNumber == 1)
        context.messagesInInterchange = CountMessagesInInterchange(interchangeNumber);
    context.facisOnly = FacisOnlyDossier();
    return context;
}

bool BuildDossierRecords(std::int64_t dossierNumber, const DossierContext& context, int& number,
                         std::string& description) {
    t_context = &context;
    const bool built = BuildRecords(dossierNumber, 0, number, description);
    t_context = nullptr;
    return built;
}

void ReportFailedConversion(std::int64_t dossierNumber, std::int64_t interchangeNumber, int number,
                            const std::string& description) {
    g_failed.push_back({interchangeNumber, dossierNumber});
    // The line is written even out of trace mode. Out of trace mode without a
    // log directory, writing it would show a failure box for every such
    // dossier; the failure is kept above and reported when the conversion is
    // asked for, so the line is left out instead.
    if (!CurrentPlatform().TraceMode() && !FileExists(OutputDirectory("logs"))) return;
    WriteTrace(std::to_string(number) + " : " + description + " : dossier n°"_cp +
                   std::to_string(dossierNumber),
               kModConversion, "ConvertDossierToFNS3");
}

const std::vector<FailedConversion>& FailedConversions() {
    return g_failed;
}
void ClearFailedConversions() {
    g_failed.clear();
}

std::string FailedConversionsText() {
    return DescribeFailures();
}

std::string Fns3FileName(const LocalDateTime& t) {
    std::string year = std::to_string(t.year);
    PadString(year, '0', 4, "gauche");
    const std::string time = LongTime(t);
    return year + TwoDigits(t.month) + TwoDigits(t.day) + "_" + time.substr(0, 2) +
           time.substr(3, 2) + time.substr(time.size() - 2) + "_FNS3.oth";
}

std::string WriteFNS3File(const std::string& directory) {
    Trace("Ecriture du fichier FNS3.", kModIO, "WriteFNS3File");
    const std::string dir = directory.empty() ? OutputDirectory("FNS3") : directory;
    RemoveStalePartFiles(dir, {kFns3FileShape});
    const std::string path = JoinPath(dir, Fns3FileName(CurrentPlatform().Now()));

    // Handed over a megabyte of lines at a time: the file of a big
    // interchange is as large as the interchange, and is never held whole.
    const Fns3LineList& lines = FNS3Lines();
    constexpr std::size_t kPieceSize = std::size_t{1} << 20;
    std::string piece;
    std::size_t next = 1;
    auto nextPiece = [&]() -> std::string_view {
        piece.clear();
        for (; next < lines.size() && piece.size() < kPieceSize; ++next) {
            lines.AppendTo(piece, next);
            piece += "\r\n";
        }
        return piece;
    };
    // Written under a temporary name, then given the first free name: a
    // second conversion within the same second, here or in a parallel run,
    // never replaces the first one's file, and a failure leaves none.
    std::string written;
    if (const int err = WriteFileUnderFreeName(path, nextPiece, written); err != 0) {
        CurrentPlatform().ShowMessage("Erreur en écriture"_cp,
                                      std::to_string(err) +
                                          " - Ecriture du fichier FNS3 impossible\r\n" +
                                          "Les droit d'accès sont peut-être insuffisants."_cp,
                                      MsgIcon::Exclamation, MsgButtons::Ok);
        return {};
    }
    g_lastFns3Path = written;
    return written;
}

}  // namespace trelvane

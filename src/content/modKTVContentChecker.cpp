#include "content/modKTVContentChecker.h"

#include <array>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/modIOfunctions.h"
#include "content/ReferenceTables.h"
#include "content/modKTVContentENT1.h"
#include "content/modKTVContentENT2.h"
#include "content/modKTVContentSEQ.h"
#include "conversion/Fns3Pipeline.h"
#include "conversion/modKTVConversionFunctions.h"
#include "run/TextValues.h"
#include "run/modMainFunctions.h"
#include "syntax/modKTVSpecifications.h"

namespace trelvane {

namespace {

// Decimal text of a number into a small buffer.
std::size_t WriteNumber(char* out, std::int64_t value) {
    auto result = std::to_chars(out, out + 24, value);
    return static_cast<std::size_t>(result.ptr - out);
}

void AppendNumber(std::string& out, std::int64_t value) {
    char buffer[24];
    out.append(buffer, WriteNumber(buffer, value));
}

void AppendRecord(StringList& errors, std::int64_t segmentIndex, std::string_view detail,
                  std::string_view position, std::int64_t dossier, std::string_view code) {
    // Sized exactly: a faulty file keeps hundreds of thousands of records.
    char segmentText[24], dossierText[24];
    const std::size_t segmentLength = WriteNumber(segmentText, segmentIndex);
    const std::size_t dossierLength = WriteNumber(dossierText, dossier);
    std::string record;
    record.reserve(segmentLength + detail.size() + position.size() + dossierLength + code.size() +
                   4);
    record.append(segmentText, segmentLength);
    record += ',';
    for (char c : detail)
        record += c == ',' ? ';' : c;
    record += ',';
    record += position;
    record += ',';
    record.append(dossierText, dossierLength);
    record += ',';
    record += code;
    errors.push_back(std::move(record));
}

// The node names of the dispatch table, packed in one integer each (all are
// at most four characters) so that naming a segment is a few comparisons.
enum class Rule {
    UNA,
    UNB,
    UNH,
    BGM,
    DTM1,
    DTM2,
    NAD134,
    NAD2,
    NAD5,
    RFF12,
    RFF3,
    SEQ,
    IND,
    MOA,
    FTX,
    PCD,
    CCI,
    CAV,
    UNT,
    UNZ
};

struct DispatchRow {
    std::uint32_t name;
    Rule rule;
    int lower;  // data elements, tag included
    int upper;
};

// Distinguishes three- and four-character names: "UNB" and "\0UNB" differ.
constexpr std::uint32_t PackName(std::string_view name) {
    std::uint32_t v = 0;
    for (char c : name)
        v = (v << 8) | static_cast<unsigned char>(c);
    return name.size() == 3 ? v | 0x80000000u : v;
}

constexpr DispatchRow kDispatch[] = {
    {PackName("SEQ"), Rule::SEQ, 3, 3},      {PackName("IND"), Rule::IND, 3, 3},
    {PackName("MOA"), Rule::MOA, 2, 2},      {PackName("UNH"), Rule::UNH, 3, 3},
    {PackName("UNT"), Rule::UNT, 3, 3},      {PackName("BGM"), Rule::BGM, 3, 4},
    {PackName("DTM1"), Rule::DTM1, 2, 2},    {PackName("DTM2"), Rule::DTM2, 2, 2},
    {PackName("NAD1"), Rule::NAD134, 9, 10}, {PackName("NAD2"), Rule::NAD2, 3, 3},
    {PackName("NAD3"), Rule::NAD134, 9, 10}, {PackName("NAD4"), Rule::NAD134, 9, 10},
    {PackName("NAD5"), Rule::NAD5, 5, 5},    {PackName("RFF1"), Rule::RFF12, 2, 2},
    {PackName("RFF2"), Rule::RFF12, 2, 2},   {PackName("RFF3"), Rule::RFF3, 2, 2},
    {PackName("FTX"), Rule::FTX, 5, 5},      {PackName("PCD"), Rule::PCD, 2, 2},
    {PackName("CCI"), Rule::CCI, 4, 4},      {PackName("CAV"), Rule::CAV, 2, 2},
    {PackName("UNA"), Rule::UNA, 2, 2},      {PackName("UNB"), Rule::UNB, 11, 12},
    {PackName("UNZ"), Rule::UNZ, 3, 3},
};

const DispatchRow* FindRow(std::string_view name) {
    if (name.size() < 3 || name.size() > 4) return nullptr;
    const std::uint32_t packed = PackName(name);
    for (const DispatchRow& row : kDispatch)
        if (row.name == packed) return &row;
    return nullptr;
}

// The row of every node of the structure tree (the rule sets bear the node
// names), so that the walk names a segment without building its name.
struct RowsByNode {
    std::array<const DispatchRow*, ktv::kNodeCount + 1> rows{};
    RowsByNode() {
        for (std::size_t k = 0; k < ktv::kNodeCount; ++k)
            rows[k] = FindRow(ktv::NodeName(static_cast<ktv::Node>(k)));
    }
};
const RowsByNode kRowsByNode;

void Dispatch(SegmentContext& ctx, Rule rule, std::int64_t& group, QualifyCounters& counters) {
    switch (rule) {
        case Rule::UNA:
            Traite_UNA(ctx);
            break;
        case Rule::UNB:
            Traite_UNB(ctx);
            break;
        case Rule::UNH:
            Traite_UNH(ctx);
            break;
        case Rule::BGM:
            Traite_BGM(ctx);
            break;
        case Rule::DTM1:
            Traite_DTM1(ctx);
            break;
        case Rule::DTM2:
            Traite_DTM2(ctx, group);
            break;
        case Rule::NAD134:
            Traite_NAD134(ctx, counters.nameAddress);
            break;
        case Rule::NAD2:
            Traite_NAD2(ctx);
            break;
        case Rule::NAD5:
            Traite_NAD5(ctx, group);
            break;
        case Rule::RFF12:
            Traite_RFF12(ctx, counters.reference);
            break;
        case Rule::RFF3:
            Traite_RFF3(ctx, group);
            break;
        case Rule::SEQ:
            Traite_SEQ(ctx, group);
            break;
        case Rule::IND:
            Traite_IND(ctx, group);
            break;
        case Rule::MOA:
            Traite_MOA(ctx, group);
            break;
        case Rule::FTX:
            Traite_FTX(ctx, group);
            break;
        case Rule::PCD:
            Traite_PCD(ctx, group);
            break;
        case Rule::CCI:
            Traite_CCI(ctx, group);
            break;
        case Rule::CAV:
            Traite_CAV(ctx, group);
            break;
        case Rule::UNT:
            Traite_UNT(ctx);
            break;
        case Rule::UNZ:
            Traite_UNZ(ctx);
            break;
    }
}

}  // namespace

std::string_view ElementSeparator() {
    return State().Delimiters[1];
}
std::string_view ComponentSeparator() {
    return State().Delimiters[2];
}
std::string_view ReleaseCharacter() {
    return State().Delimiters[3];
}

Position ElementPosition(std::size_t element) {
    Position p;
    p.text_[0] = 'd';
    p.length_ = 1 + WriteNumber(p.text_.data() + 1, static_cast<std::int64_t>(element));
    return p;
}

Position ListPosition(std::size_t element) {
    Position p;
    p.text_[0] = 'l';
    p.length_ = 1 + WriteNumber(p.text_.data() + 1, static_cast<std::int64_t>(element));
    return p;
}

Position ComponentPosition(std::size_t element, std::size_t component) {
    Position p;
    p.text_[0] = 'd';
    std::size_t n = 1 + WriteNumber(p.text_.data() + 1, static_cast<std::int64_t>(element));
    p.text_[n++] = ':';
    n += WriteNumber(p.text_.data() + n, static_cast<std::int64_t>(component));
    p.length_ = n;
    return p;
}

std::string_view ElementAt(const Pieces& elements, std::size_t index) {
    if (index >= elements.size()) throw RuntimeError(kErrSubscript);
    return elements[index];
}

const Pieces& CutSegment(SegmentContext& ctx) {
    const auto at = static_cast<std::size_t>(ctx.index);
    const std::string_view text = ctx.segments.at(at);
    std::string_view rewritten;
    if (ctx.cutWaiting == ctx.index) {
        // Cut by the walk, on this very text: taken once (a second cut
        // would cut the rewritten text).
        ctx.cutWaiting = -1;
        rewritten = ctx.cutText;
    } else {
        rewritten = SplitInto(text, ElementSeparator(), ReleaseCharacter(), ctx.elements);
    }
    // The cut leaves a released separator without its release character, in
    // the segment as well as in the pieces.
    if (rewritten.data() != text.data() || rewritten.size() != text.size())
        ctx.segments.Set(at, rewritten);
    return ctx.elements.pieces;
}

bool CheckSegmentElementCount(std::string_view text, std::string_view separator,
                              std::string_view release, int lower, int upper) {
    const auto count = static_cast<std::int64_t>(CountPieces(text, separator, release));
    return lower <= count && count <= upper;
}

bool CheckComponentCount(std::string_view element, std::string_view componentSeparator,
                         std::string_view release, int lower, int upper, SplitScratch& components) {
    if (element.empty()) return false;
    SplitInto(element, componentSeparator, release, components);
    const auto count = static_cast<std::int64_t>(components.pieces.size());
    return lower <= count && count <= upper;
}

void AddCountError(StringList& errors, std::int64_t segmentIndex, int lower, int upper, int code,
                   std::string_view position, std::int64_t dossier) {
    if (code == 402) {
        // The tag is no data element.
        --lower;
        --upper;
    }
    std::string detail;
    if (code != 444 && code != 445) {
        AppendNumber(detail, lower);
        if (lower != upper) {
            detail += " ou ";
            AppendNumber(detail, upper);
        }
        detail += " attendue(s).";
    }
    char codeText[8];
    std::snprintf(codeText, sizeof codeText, "%03d", code);
    AppendRecord(errors, segmentIndex, detail, position, dossier, codeText);
}

void AddContentError(StringList& errors, std::int64_t segmentIndex, std::string_view detail,
                     std::string_view code, std::string_view position, std::int64_t dossier) {
    AppendRecord(errors, segmentIndex, detail, position, dossier, code);
}

namespace {

// A number without a decimal comma, as IsNumeric reads one (it admits no
// space): an optional sign and digits. Checked in one pass, since nearly
// every element of a numeric class goes through it.
bool WholeNumber(std::string_view value) {
    std::size_t i = !value.empty() && (value[0] == '+' || value[0] == '-') ? 1 : 0;
    if (i == value.size()) return false;
    for (; i < value.size(); ++i)
        if (value[i] < '0' || value[i] > '9') return false;
    return true;
}

}  // namespace

bool CheckDataFormat(StringList& errors, std::string_view value, std::int64_t segmentIndex,
                     std::string_view key, std::string_view position, std::int64_t dossier) {
    const DataFormat* format = FindDataFormat(key);
    if (!format) return false;
    char code[4] = {'0', '0', '0', '\0'};
    if (format->numericClass) {
        const bool numeric = WholeNumber(value);
        if (!numeric) code[0] = '8';
    }
    const bool fixed = format->fixedLength;
    const auto length = static_cast<std::size_t>(format->length);
    if ((fixed && value.size() != length) || (!fixed && value.size() > length)) {
        code[1] = '8';
        code[2] = '0';
    }
    if (!format->anyValue && value != format->expected) {
        code[0] = '0';
        code[1] = '0';
        code[2] = '8';
    }
    // Compared character by character: most elements pass.
    if (code[0] == '0' && code[1] == '0' && code[2] == '0') return true;
    const std::string_view result(code, 3);
    if (result == "800") {
        AddContentError(errors, segmentIndex, "Numérique Attendu"_cp, result, position, dossier);
    } else if (result == "080") {
        char buffer[24];
        AddContentError(errors, segmentIndex, {buffer, WriteNumber(buffer, format->length)}, result,
                        position, dossier);
    } else if (result == "880") {
        AddContentError(errors, segmentIndex, "", result, position, dossier);
    } else {
        AddContentError(errors, segmentIndex, format->expected, result, position, dossier);
    }
    return false;
}

bool CheckSimpleElement(const Pieces& elements, std::size_t index,
                        std::string_view componentSeparator, std::string_view release,
                        StringList& errors, std::int64_t segmentIndex, std::string_view key,
                        std::int64_t dossier) {
    const std::string_view element = ElementAt(elements, index);
    const Position position = ElementPosition(index);
    if (CheckSegmentElementCount(element, componentSeparator, release, 0, 1))
        return CheckDataFormat(errors, element, segmentIndex, key, position, dossier);
    AddCountError(errors, segmentIndex, 0, 1, 444, position, dossier);
    return false;
}

bool CheckMandatorySimpleElement(const Pieces& elements, std::size_t index,
                                 std::string_view componentSeparator, std::string_view release,
                                 StringList& errors, std::int64_t segmentIndex,
                                 std::string_view key, std::int64_t dossier) {
    const std::string_view element = ElementAt(elements, index);
    if (CheckSegmentElementCount(element, componentSeparator, release, 1, 1))
        return CheckDataFormat(errors, element, segmentIndex, key, ElementPosition(index), dossier);
    AddCountError(errors, segmentIndex, 1, 1, 444, ListPosition(index), dossier);
    return false;
}

std::string DetailText(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == ',') c = ';';
    return out;
}

bool CutComposite(SegmentContext& ctx, const Pieces& elements, std::size_t index, int lower,
                  int upper) {
    const std::string_view element = ElementAt(elements, index);
    if (CheckComponentCount(element, ComponentSeparator(), ReleaseCharacter(), lower, upper,
                            ctx.components))
        return true;
    AddCountError(ctx.errors, ctx.index, lower, upper, 404, ListPosition(index), ctx.dossier);
    return false;
}

void CheckEmptyElement(SegmentContext& ctx, const Pieces& elements, std::size_t index) {
    if (!ElementAt(elements, index).empty())
        AddCountError(ctx.errors, ctx.index, 0, 0, 445, ListPosition(index), ctx.dossier);
}

void ReportRuleSetFailure(SegmentContext& ctx, const RuntimeError& error,
                          std::string_view procedure, std::string_view module,
                          std::string_view segmentName, int elementIndex) {
    const std::string number = std::to_string(error.Number());
    Trace(number + ": Segment n°"_cp + std::to_string(ctx.index + 1), module, procedure);
    ShowRepeatedMessage(RepeatedMessage::UnexpectedFailure, "Erreur non gérée"_cp,
                        number + " : Une erreur inattendue s'est produite sur un segment " +
                            segmentName + " dans le dossier n°"_cp + std::to_string(ctx.dossier),
                        MsgIcon::Critical);
    AddContentError(ctx.errors, ctx.index, "!" + number + "!", "777",
                    ElementPosition(static_cast<std::size_t>(elementIndex)), ctx.dossier);
}

StringList ManageCContentKTV(SegmentList& segments) {
    Trace("Lancement du contrôle de contenu..."_cp, kModContentChecker, "ManageCContentKTV");
    StringList errors{"[Contenu]"};
    const std::string separator(ElementSeparator());
    const std::string release(ReleaseCharacter());

    Initialise_Table_Formats();
    Initialise_Table_Codes_Segments_Lib();
    InitFNS3Lines();
    ResetDossData();
    ClearDuplicateIdentifierRegistry();
    ClearFailedConversions();

    // The records are built beside the walk, unless trace mode wants every
    // line of the log in the order things happen.
    Fns3Pipeline conversion(!CurrentPlatform().TraceMode() &&
                            std::thread::hardware_concurrency() > 1);
    QualifyCounters counters;
    std::int64_t group = 0;       // detail group of the current dossier
    std::int64_t unaCounter = 0;  // interchanges met, never reset
    SegmentContext ctx{errors, segments, 0, 0, {}, {}, -1, {}};
    const std::int64_t last = segments.UpperBound();
    // The progress counts the dossiers of the whole file, whatever the
    // interchange they belong to.
    std::int64_t dossiers = 0;
    for (std::size_t i = 0; i < segments.size(); ++i)
        dossiers += segments[i].starts_with("UNH");
    const std::string ofAll = " / " + GroupedNumber(dossiers);
    std::int64_t dossiersMet = 0;
    for (std::int64_t i = 0; i <= last; ++i) {
        const std::string_view segment = segments[static_cast<std::size_t>(i)];
        // Named as QualifySegmentTag names it (DTM1, NAD3...): a tag shorter
        // than three characters names nothing and counts nothing.
        ktv::Node node = ktv::kNoNode;
        if (segment.size() >= 3) node = ktv::QualifyTag(ktv::TagCode(segment), counters);
        const DispatchRow* row = kRowsByNode.rows[node];
        if (row && row->rule == Rule::UNH) {
            if (RunStopRequested()) break;
            SetStatus("Tests de contenu en cours... dossier " + GroupedNumber(++dossiersMet) +
                      ofAll);
        }
        if (!row) continue;

        switch (row->rule) {
            case Rule::UNA:
                ++unaCounter;
                break;
            case Rule::UNH:
                // A new dossier starts empty, even when its UNH fails its count
                // check and never reaches its rule set.
                ResetDossData();
                ResetDetailState();
                group = 0;
                break;
            case Rule::SEQ:
                ++group;
                break;
            default:
                break;
        }

        ctx.index = i;
        ctx.dossier = counters.message;
        // The count comes from the cut the rule set will use (a cut has as
        // many pieces as CountPieces counts), so the segment is scanned once.
        ctx.cutText = SplitInto(segment, separator, release, ctx.elements);
        ctx.cutWaiting = i;
        const auto count = static_cast<std::int64_t>(ctx.elements.pieces.size());
        if (count < row->lower || count > row->upper) {
            AddCountError(errors, i, row->lower, row->upper, 402, "ERR", counters.message);
        } else {
            // Rule sets report their own failures; one that escapes them is
            // reported the same way here, and the walk goes on.
            try {
                Dispatch(ctx, row->rule, group, counters);
            } catch (const RuntimeError& err) {
                ReportRuleSetFailure(ctx, err, "ManageCContentKTV", kModContentChecker,
                                     ktv::NodeName(node), 0);
            } catch (const std::out_of_range&) {
                ReportRuleSetFailure(ctx, RuntimeError(kErrSubscript), "ManageCContentKTV",
                                     kModContentChecker, ktv::NodeName(node), 0);
            }
        }
        ctx.cutWaiting = -1;
        if (row->rule == Rule::UNT) conversion.Convert(counters.message, unaCounter);
    }
    conversion.Finish();
    ClearDuplicateIdentifierRegistry();
    return errors;
}

}  // namespace trelvane

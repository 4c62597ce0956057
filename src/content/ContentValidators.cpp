#include "content/ContentValidators.h"

#include <array>
#include <charconv>
#include <cstring>
#include <stdexcept>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/modIOfunctions.h"
#include "content/ContentRun.h"
#include "content/ReferenceTables.h"
#include "run/ConversionStores.h"
#include "run/TextValues.h"
#include "run/modMainFunctions.h"

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
        rewritten = SplitInto(text, ElementSeparator(), ReleaseCharacter(), CutLevel::Element,
                              ctx.elements);
    }
    // The cut leaves a released separator without its release character, in
    // the segment as well as in the pieces.
    if (rewritten.data() != text.data() || rewritten.size() != text.size())
        ctx.segments.Set(at, rewritten);
    return ctx.elements.pieces;
}

bool CheckSegmentElementCount(std::string_view text, std::string_view separator,
                              std::string_view release, int lower, int upper) {
    const auto count =
        static_cast<std::int64_t>(CountPieces(text, separator, release, CutLevel::Element));
    return lower <= count && count <= upper;
}

bool CheckComponentCount(std::string_view element, std::string_view componentSeparator,
                         std::string_view release, int lower, int upper, SplitScratch& components) {
    if (element.empty()) return false;
    SplitInto(element, componentSeparator, release, CutLevel::Component, components);
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

}  // namespace trelvane

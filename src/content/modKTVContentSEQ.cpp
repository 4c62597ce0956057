#include "content/modKTVContentSEQ.h"

#include <cstdint>
#include <limits>
#include <string>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/RuntimeErrors.h"
#include "config/modIOfunctions.h"
#include "content/ReferenceTables.h"
#include "content/modKTVContentENT1.h"
#include "conversion/modKTVConversionFunctions.h"
#include "run/TextValues.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

namespace trelvane {

namespace {

DetailState g_detail;

constexpr std::string_view kForm_KTVECE = "KTVECE  ";
constexpr std::string_view kForm_FACCE = "FACCE   ";
constexpr std::string_view kForm_FACIS = "FACIS   ";

// Segment store kinds of the detail segments.
constexpr int kKindDtm = 4;
constexpr int kKindNad = 5;
constexpr int kKindRff = 6;
constexpr int kKindSeq = 7;
constexpr int kKindInd = 8;
constexpr int kKindMoa = 9;
constexpr int kKindFtx = 10;
constexpr int kKindPcd = 11;
constexpr int kKindCci = 12;
constexpr int kKindCav = 13;

// Characters start..start+length-1 (1-based), as far as the text goes.
std::string_view Mid(std::string_view text, std::size_t start, std::size_t length) {
    if (start - 1 >= text.size()) return {};
    return text.substr(start - 1, length);
}

// The value of a few digits (no more than fit a 64-bit integer).
std::int64_t DigitsValue(std::string_view digits) {
    std::int64_t value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

// Equal texts, compared in line: the IND rule makes a dozen comparisons of a
// few characters per segment, each too short to pay for a library call.
bool Same(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

std::string_view Right(std::string_view text, std::size_t length) {
    return length >= text.size() ? text : text.substr(text.size() - length);
}

// Element i of the segment; a missing element is a subscript failure.
std::string_view At(const Pieces& elements, std::size_t i) {
    if (i >= elements.size()) throw RuntimeError(kErrSubscript);
    return elements[i];
}

// The slot of annex n, counted as used so that the reset and the checks at
// UNT visit only the slots a message reached.
std::size_t AnnexSlot(DetailState& d, std::int64_t n) {
    if (n < 0 || n >= kAnnexSlots) throw RuntimeError(kErrSubscript);
    if (n >= d.UsedAnnexSlots) d.UsedAnnexSlots = static_cast<int>(n) + 1;
    return static_cast<std::size_t>(n);
}

std::int32_t Add32(std::int32_t total, std::int64_t amount) {
    const std::int64_t sum = total + amount;
    if (sum < std::numeric_limits<std::int32_t>::min() ||
        sum > std::numeric_limits<std::int32_t>::max())
        throw RuntimeError(kErrOverflow);
    return static_cast<std::int32_t>(sum);
}

std::int64_t CampaignYear() {
    return ToInteger(CurrentPlatform().YearCamp(), std::numeric_limits<std::int32_t>::min(),
                     std::numeric_limits<std::int32_t>::max());
}

std::string TwoLast(std::int64_t year) {
    std::string text = std::to_string(year);
    return std::string(Right(text, 2));
}

struct CampaignYears {
    std::string campaign;
    std::string y0, y1, y2;  // last two digits of Y, Y - 1, Y - 2
};

// The two-digit years an IND may carry, worked out again only when the
// campaign changes rather than at every IND.
const CampaignYears& CurrentCampaignYears() {
    static CampaignYears cache;
    std::string campaign = CurrentPlatform().YearCamp();
    if (cache.y0.empty() || campaign != cache.campaign) {
        const std::int64_t y = CampaignYear();
        cache = {std::move(campaign), TwoLast(y), TwoLast(y - 1), TwoLast(y - 2)};
    }
    return cache;
}

void EmptyElement(SegmentContext& ctx, std::string_view value, std::string_view position) {
    if (!value.empty()) AddCountError(ctx.errors, ctx.index, 0, 0, 445, position, ctx.dossier);
}

// A simple element that must hold one valid value; stored when it does.
void SimpleElement(SegmentContext& ctx, const Pieces& elements, std::size_t i, std::string_view key,
                   std::int64_t group, int kind, int occurrence) {
    const std::string_view value = At(elements, i);
    if (CheckMandatorySimpleElement(elements, i, ComponentSeparator(), ReleaseCharacter(),
                                    ctx.errors, ctx.index, key, ctx.dossier))
        SaveDossData(group, kind, occurrence, static_cast<int>(i), 0, value);
}

// Cuts a composite into exactly count components (ctx.components); a wrong
// count is recorded at the element's component list.
bool Composite(SegmentContext& ctx, std::string_view element, int count,
               std::string_view listPosition) {
    if (CheckComponentCount(element, ComponentSeparator(), ReleaseCharacter(), count, count,
                            ctx.components))
        return true;
    AddCountError(ctx.errors, ctx.index, count, count, 404, listPosition, ctx.dossier);
    return false;
}

bool Component(SegmentContext& ctx, std::string_view value, std::string_view key,
               std::string_view position, std::int64_t group, int kind, int occurrence, int element,
               int component) {
    if (!CheckDataFormat(ctx.errors, value, ctx.index, key, position, ctx.dossier)) return false;
    SaveDossData(group, kind, occurrence, element, component, value);
    return true;
}

// Runs a rule set; an unexpected failure is reported at the element the rule
// set was working on, and the segment's remaining checks are skipped.
template <class Body>
void RunRuleSet(SegmentContext& ctx, std::string_view procedure, std::string_view segmentName,
                Body&& body) {
    int element = 0;
    try {
        body(element);
    } catch (const RuntimeError& error) {
        ReportRuleSetFailure(ctx, error, procedure, kModSEQ, segmentName, element);
    }
}

void Record(SegmentContext& ctx, std::string_view detail, std::string_view code,
            std::string_view position) {
    AddContentError(ctx.errors, ctx.index, detail, code, position, ctx.dossier);
}

std::string_view NextSegmentTag(const SegmentContext& ctx) {
    const std::int64_t next = ctx.index + 1;
    if (next < 0 || static_cast<std::size_t>(next) >= ctx.segments.size()) return {};
    return ctx.segments[static_cast<std::size_t>(next)].substr(0, 3);
}

}  // namespace

DetailState& Detail() {
    return g_detail;
}

void ResetDetailState() {
    DetailState& d = g_detail;
    d.MainFormCodes.clear();
    d.DossierYear.clear();
    // Slots past the used ones are still empty.
    for (std::size_t n = 0; n < static_cast<std::size_t>(d.UsedAnnexSlots); ++n) {
        d.FacceCodes[n].clear();
        d.FacisCodes[n].clear();
        d.FacceSum0035And0045[n] = 0;
        d.FacceAmount0046[n] = 0;
    }
    d.UsedAnnexSlots = 0;
    d.SumAmount0055 = 0;
    d.SumAmounts0010To0015 = 0;
    d.CurrentFacceNumber = 0;
    d.CurrentFacisNumber = 0;
    d.FtxCounter = 0;
    // CurrentInfoCode is kept: it belongs to the last IND seen.
}

void Traite_SEQ(SegmentContext& ctx, std::int64_t group) {
    RunRuleSet(ctx, "Traite_SEQ", "SEQ", [&](int& at) {
        const Pieces& el = CutSegment(ctx);
        at = 1;
        EmptyElement(ctx, At(el, 1), "l1");
        at = 2;
        SimpleElement(ctx, el, 2, "SEQ_C286_1050", group, kKindSeq, 1);
        const auto number = ParseNumber(At(el, 2));
        if (!number) throw RuntimeError(kErrTypeMismatch);
        if (*number != static_cast<double>(group)) Record(ctx, std::to_string(group), "406", "d2");
    });
}

void Traite_IND(SegmentContext& ctx, std::int64_t group) {
    RunRuleSet(ctx, "Traite_IND", "IND", [&](int& at) {
        DetailState& d = g_detail;
        const Pieces& el = CutSegment(ctx);
        at = 1;
        EmptyElement(ctx, At(el, 1), "l1");
        at = 2;
        SimpleElement(ctx, el, 2, "IND_C546_5030", group, kKindInd, 1);

        // Fields at fixed positions, whatever the length of the value.
        const std::string_view value = At(el, 2);
        const std::string_view form = Mid(value, 1, 8);
        const std::string_view year = Mid(value, 9, 2);
        const std::string_view annex = Mid(value, 11, 4);
        const std::string_view numericField = Mid(value, 15, 2);
        const std::string_view code = Mid(value, 17, 4);
        const std::string_view target = Right(value, 3);

        const bool isMain = Same(form, kForm_KTVECE);
        const bool isFacce = Same(form, kForm_FACCE);
        const bool isFacis = Same(form, kForm_FACIS);
        if (!isMain && !isFacce && !isFacis) Record(ctx, "KTVECE ou FACCE ou FACIS", "419", "d2");
        if (isMain) {
            d.MainFormCodes += code;
            d.MainFormCodes += '.';
        }

        if (d.DossierYear.empty()) d.DossierYear = year;
        const CampaignYears& years = CurrentCampaignYears();
        const std::string& y0 = years.y0;
        const std::string& y1 = years.y1;
        const std::string& y2 = years.y2;
        if (!Same(year, y0) && !Same(year, y1) && !Same(year, y2))
            Record(ctx, y1 + " ou " + y0, "2OM", "d2");
        if (!Same(year, d.DossierYear)) Record(ctx, DetailText(d.DossierYear), "432", "d2");

        // The annex number is four digits in nearly every IND: read directly,
        // to the value the general conversion gives.
        const bool plainAnnex = annex.size() <= 4 && IsDigits(annex);
        if (plainAnnex || IsNumeric(annex)) {
            const std::int64_t n = plainAnnex
                                       ? DigitsValue(annex)
                                       : ToInteger(annex, std::numeric_limits<std::int16_t>::min(),
                                                   std::numeric_limits<std::int16_t>::max());
            if (isFacce) {
                if (d.CurrentFacceNumber != n) d.FtxCounter = 0;
                d.CurrentFacceNumber = n;
                std::string& codes = d.FacceCodes[AnnexSlot(d, n)];
                codes += code;
                codes += '.';
            } else if (isFacis) {
                d.CurrentFacisNumber = n;
                std::string& codes = d.FacisCodes[AnnexSlot(d, n)];
                codes += code;
                codes += '.';
            }
        } else {
            Record(ctx, "", "424", "d2");
            d.CurrentFacceNumber = 0;
            d.CurrentFacisNumber = 0;
        }

        d.CurrentInfoCode = code;
        const bool noAnnex = Same(annex, "0000");
        if (isMain && !noAnnex) Record(ctx, "", "426", "d2");
        if (GetFacChecksEnabled() && noAnnex) {
            if (isFacce) Record(ctx, "FACCE", "427", "d2");
            if (isFacis) Record(ctx, "FACIS", "427", "d2");
        }
        if (!IsDigits(numericField) && !IsNumeric(numericField)) Record(ctx, "", "425", "d2");

        const std::string& segmentCode = GetSegmentCode(code);
        if (segmentCode.empty()) {
            Record(ctx, DetailText("le dictionnaire des informations" + std::string(code)), "2OL",
                   "d2");
        } else if (!Same(target, segmentCode)) {
            Record(ctx, DetailText("Code " + std::string(code) + " pour " + segmentCode), "423",
                   "d2");
        }

        // An empty declaration is one IND "ZZZ" alone in the first group of
        // a message whose BGM carries the message function, right before UNT.
        if (Same(target, "ZZZ")) {
            if (group != 1) Record(ctx, "", "421", "d2");
            if (!BgmFunctionPresent()) Record(ctx, "", "449", "d2");
            if (!Same(NextSegmentTag(ctx), "UNT")) Record(ctx, "", "422", "d2");
        } else if (BgmFunctionPresent()) {
            Record(ctx, "", "450", "d2");
        }
    });
}

namespace {

// The value of a code of exactly four digits ("0046" is 46), -1 otherwise.
int FourDigitCode(std::string_view code) {
    if (code.size() != 4) return -1;
    int value = 0;
    for (char c : code) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

void Traite_MOA(SegmentContext& ctx, std::int64_t group) {
    try {
        DetailState& d = g_detail;
        const Pieces& el = CutSegment(ctx);
        const bool countOk = CheckComponentCount(At(el, 1), ComponentSeparator(),
                                                 ReleaseCharacter(), 2, 5, ctx.components);
        const std::size_t count = ctx.components.pieces.size();
        if (!countOk || (count != 2 && count != 5)) {
            AddCountError(ctx.errors, ctx.index, 2, 5, 404, "l1", ctx.dossier);
            return;
        }
        const Pieces& c = ctx.components.pieces;
        const std::string_view amount = c[1];
        Component(ctx, c[0], "MOA_C516_5025", "d1:0", group, kKindMoa, 1, 1, 0);
        Component(ctx, amount, "MOA_C516_5004", "d1:1", group, kKindMoa, 1, 1, 1);
        if (amount == "0" && count == 2) Record(ctx, "", "411", "d1:1");
        if (!amount.empty() && amount[0] == '-') Record(ctx, "", "434", "d1:1");

        bool negative = false;
        if (count == 5) {
            EmptyElement(ctx, c[2], "d1:2");
            EmptyElement(ctx, c[3], "d1:3");
            const std::string_view status = c[4];
            if (CheckDataFormat(ctx.errors, status, ctx.index, "MOA_C516_4405", "d1:4",
                                ctx.dossier)) {
                std::string_view sign = "+";
                if (status == "65") {
                    sign = "-";
                    negative = true;
                } else if (status == "62") {
                    sign = "";
                }
                SaveDossData(group, kKindMoa, 1, 1, 4, sign);
            }
            if (status != "65" && status != "62") Record(ctx, "62 ou 65", "008", "d1:4");
            if (status == "62" && amount != "0") Record(ctx, DetailText(amount), "409", "d1:4");
            if (amount == "0" && status != "62") Record(ctx, "62 attendu", "410", "d1:4");
        } else {
            SaveDossData(group, kKindMoa, 1, 1, 4, "+");
        }

        // Totals read by the annex checks at UNT, under the code of the last IND.
        std::int64_t value = ToInteger(amount, std::numeric_limits<std::int32_t>::min(),
                                       std::numeric_limits<std::int32_t>::max());
        if (negative) value = Add32(0, -value);
        // The code as a number (every MOA tests it against several codes).
        const int code = FourDigitCode(d.CurrentInfoCode);
        if (code >= 10 && code <= 15) d.SumAmounts0010To0015 = Add32(d.SumAmounts0010To0015, value);
        if (code == 55) d.SumAmount0055 = Add32(d.SumAmount0055, value);
        if (code == 46)
            d.FacceAmount0046[AnnexSlot(d, d.CurrentFacceNumber)] =
                static_cast<std::int32_t>(value);
        if (code == 45 || code == 35) {
            std::int32_t& sum = d.FacceSum0035And0045[AnnexSlot(d, d.CurrentFacceNumber)];
            sum = Add32(sum, value);
        }
    } catch (const RuntimeError& error) {
        const std::string number = std::to_string(error.Number());
        Trace(number + ": Segment n°"_cp + std::to_string(ctx.index + 1) +
                  " Calcul des cumuls invalide ?",
              kModSEQ, "Traite_MOA");
        ShowRepeatedMessage(
            RepeatedMessage::UnexpectedFailure, "Erreur non gérée"_cp,
            number +
                " : Une erreur inattendue s'est produite sur un segment MOA dans le dossier n°"_cp +
                std::to_string(ctx.dossier),
            MsgIcon::Critical);
        Record(ctx, "!" + number + "!", "777", "d1");
    }
}

void Traite_RFF3(SegmentContext& ctx, std::int64_t group) {
    RunRuleSet(ctx, "Traite_RFF3", "RFF3", [&](int& at) {
        const Pieces& el = CutSegment(ctx);
        at = 1;
        if (!Composite(ctx, At(el, 1), 2, "l1")) return;
        const Pieces& c = ctx.components.pieces;
        Component(ctx, c[0], "RFF_3_C506_1153", "d1:0", group, kKindRff, 3, 1, 0);
        Component(ctx, c[1], "RFF_3_C506_1154", "d1:1", group, kKindRff, 3, 1, 1);
    });
}

void Traite_FTX(SegmentContext& ctx, std::int64_t group) {
    RunRuleSet(ctx, "Traite_FTX", "FTX", [&](int& at) {
        DetailState& d = g_detail;
        // An 8-bit counter: the 256th FTX since its reset cannot be counted.
        if (d.FtxCounter >= 255) throw RuntimeError(kErrOverflow);
        ++d.FtxCounter;
        if (d.FtxCounter == 7) Record(ctx, "", "447", "d0:0");
        if (d.FtxCounter > 7) Record(ctx, "", "448", "d0:0");

        const Pieces& el = CutSegment(ctx);
        at = 1;
        SimpleElement(ctx, el, 1, "FTX_4451", group, kKindFtx, 1);
        at = 2;
        EmptyElement(ctx, At(el, 2), "l2");
        at = 3;
        EmptyElement(ctx, At(el, 3), "l3");
        at = 4;
        SimpleElement(ctx, el, 4, "FTX_C108_4440", group, kKindFtx, 1);
    });
}

void Traite_DTM2(SegmentContext& ctx, std::int64_t group) {
    RunRuleSet(ctx, "Traite_DTM2", "DTM2", [&](int& at) {
        const DetailState& d = g_detail;
        const Pieces& el = CutSegment(ctx);
        at = 1;
        if (!Composite(ctx, At(el, 1), 3, "l1")) return;
        const Pieces& c = ctx.components.pieces;
        Component(ctx, c[0], "DTM_2_C507_2005", "d1:0", group, kKindDtm, 2, 1, 0);
        const std::string_view date = c[1];
        Component(ctx, date, "DTM_C507_2380", "d1:1", group, kKindDtm, 2, 1, 1);

        // CCYYMMDD read as CCYY/MM/DD.
        const std::string_view year = Mid(date, 1, 4);
        if (!IsValidDate(year, Mid(date, 5, 2), Right(date, 2))) {
            Record(ctx, "SSAAMMJJ", "415", "d1:1");
        } else {
            const std::string campaignText = CurrentPlatform().YearCamp();
            const std::int64_t campaign = CampaignYear();
            const std::string previous = std::to_string(campaign - 1);
            if (year != previous && year != std::to_string(campaign - 2) && year != campaignText) {
                Record(ctx, DetailText(previous + " ou " + campaignText), "416", "d1:1");
            } else if (year != "20" + d.DossierYear) {
                Record(ctx, DetailText(d.DossierYear), "433", "d1:1");
            }
        }
        Component(ctx, c[2], "DTM_C507_2379", "d1:2", group, kKindDtm, 2, 1, 2);
    });
}

void Traite_PCD(SegmentContext& ctx, std::int64_t group) {
    RunRuleSet(ctx, "Traite_PCD", "PCD", [&](int& at) {
        const Pieces& el = CutSegment(ctx);
        at = 1;
        if (!Composite(ctx, At(el, 1), 2, "l1")) return;
        const Pieces& c = ctx.components.pieces;
        Component(ctx, c[0], "PCD_C501_5245", "d1:0", group, kKindPcd, 1, 1, 0);

        // The percentage is written with a decimal comma whatever the sender used.
        static std::string normalised;
        static std::string digits;
        normalised.clear();
        digits.clear();
        for (char ch : c[1]) {
            if (ch == '?') continue;
            normalised += ch == '.' ? ',' : ch;
            if (ch != '.' && ch != ',') digits += ch;
        }
        if (CheckDataFormat(ctx.errors, digits, ctx.index, "PCD_C501_5482", "d1:1", ctx.dossier))
            SaveDossData(group, kKindPcd, 1, 1, 1, normalised);

        const auto value = ParseNumber(normalised);
        if (!value) throw RuntimeError(kErrTypeMismatch);
        if (*value < 0 || *value > 1000 || SignificantDecimals(normalised) > 2)
            Record(ctx, "", "412", "d1:1");
        if (GetFacChecksEnabled() && g_detail.CurrentInfoCode == "0051" && *value > 100)
            Record(ctx, "", "2OP", "d1:1");
    });
}

void Traite_NAD5(SegmentContext& ctx, std::int64_t group) {
    RunRuleSet(ctx, "Traite_NAD5", "NAD5", [&](int& at) {
        const Pieces& el = CutSegment(ctx);
        at = 1;
        SimpleElement(ctx, el, 1, "NAD_5_3035", group, kKindNad, 5);
        at = 2;
        // A wrong component count does not stop the checks of this segment.
        if (Composite(ctx, At(el, 2), 3, "l2")) {
            const Pieces& c = ctx.components.pieces;
            std::string_view party = c[0];
            while (!party.empty() && party.front() == ' ')
                party.remove_prefix(1);
            while (!party.empty() && party.back() == ' ')
                party.remove_suffix(1);
            if (CheckDataFormat(ctx.errors, party, ctx.index, "NAD_5_C082_3039", "d2:0",
                                ctx.dossier))
                SaveDossData(group, kKindNad, 5, 2, 0, c[0]);
            Component(ctx, c[1], "NAD_C082_1131", "d2:1", group, kKindNad, 5, 2, 1);
            Component(ctx, c[2], "NAD_C082_3055", "d2:2", group, kKindNad, 5, 2, 2);
        }
        at = 3;
        EmptyElement(ctx, At(el, 3), "l3");
        at = 4;
        SimpleElement(ctx, el, 4, "NAD_C080_3036_1", group, kKindNad, 5);
    });
}

void Traite_CCI(SegmentContext& ctx, std::int64_t group) {
    RunRuleSet(ctx, "Traite_CCI", "CCI", [&](int& at) {
        const Pieces& el = CutSegment(ctx);
        at = 1;
        EmptyElement(ctx, At(el, 1), "l1");
        at = 2;
        EmptyElement(ctx, At(el, 2), "l2");
        at = 3;
        if (!Composite(ctx, At(el, 3), 3, "l3")) return;
        const Pieces& c = ctx.components.pieces;
        Component(ctx, c[0], "CCI_C240_7037", "d3:0", group, kKindCci, 1, 3, 0);
        EmptyElement(ctx, c[1], "d3:1");
        Component(ctx, c[2], "CCI_C240_3055", "d3:2", group, kKindCci, 1, 3, 2);
    });
}

void Traite_CAV(SegmentContext& ctx, std::int64_t group) {
    RunRuleSet(ctx, "Traite_CAV", "CAV", [&](int& at) {
        const Pieces& el = CutSegment(ctx);
        at = 1;
        if (!Composite(ctx, At(el, 1), 3, "l1")) return;
        const Pieces& c = ctx.components.pieces;
        Component(ctx, c[0], "CAV_C889_7111", "d1:0", group, kKindCav, 1, 1, 0);
        if (!c[0].empty() && c[0] != "X") Record(ctx, "X ou vide", "008", "d1:0");
        Component(ctx, c[1], "CAV_C889_1131", "d1:1", group, kKindCav, 1, 1, 1);
        Component(ctx, c[2], "CAV_C889_3055", "d1:2", group, kKindCav, 1, 1, 2);
    });
}

}  // namespace trelvane

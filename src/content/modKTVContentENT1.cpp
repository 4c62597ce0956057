#include "content/modKTVContentENT1.h"

#include <limits>

#include "config/Cp1252.h"
#include "content/modKTVContentSEQ.h"
#include "content/modKTVFacChecks.h"
#include "conversion/modKTVConversionFunctions.h"
#include "run/TextValues.h"

namespace trelvane {

namespace {

std::string g_interchangeReference;
std::string g_messageReference;
bool g_bgmFunctionPresent = false;

constexpr int kUNA = 1, kUNB = 2, kUNZ = 3;  // interchange store segments
constexpr int kKindUNH = 1, kKindBGM = 2, kKindUNT = 3;

std::string_view Left(std::string_view s, std::size_t n) {
    return s.substr(0, n);
}
std::string_view Right(std::string_view s, std::size_t n) {
    return s.substr(s.size() - std::min(n, s.size()));
}
// Characters start (1-based) to start+n-1, as far as they exist.
std::string_view Mid(std::string_view s, std::size_t start, std::size_t n) {
    return start - 1 < s.size() ? s.substr(start - 1, n) : std::string_view();
}

// Format check of component j of element i (already cut into ctx.components).
bool CheckComponent(SegmentContext& ctx, std::size_t i, std::size_t j, std::string_view key) {
    return CheckDataFormat(ctx.errors, ctx.components.pieces[j], ctx.index, key,
                           ComponentPosition(i, j), ctx.dossier);
}

void CheckAndStoreInterch(SegmentContext& ctx, int segment, std::size_t i, std::size_t j,
                          std::string_view key) {
    if (CheckComponent(ctx, i, j, key))
        SaveInterchData(segment, static_cast<int>(i), static_cast<int>(j),
                        ctx.components.pieces[j]);
}

void CheckAndStoreDoss(SegmentContext& ctx, int kind, std::size_t i, std::size_t j,
                       std::string_view key) {
    if (CheckComponent(ctx, i, j, key))
        SaveDossData(0, kind, 1, static_cast<int>(i), static_cast<int>(j),
                     ctx.components.pieces[j]);
}

bool Simple(SegmentContext& ctx, const Pieces& e, std::size_t i, std::string_view key) {
    return CheckSimpleElement(e, i, ComponentSeparator(), ReleaseCharacter(), ctx.errors, ctx.index,
                              key, ctx.dossier);
}

// Date of preparation in the form AAMMJJ.
void PreparationDateRule(SegmentContext& ctx, std::string_view date) {
    if (!IsValidDate(Left(date, 2), Mid(date, 3, 2), Right(date, 2)))
        AddContentError(ctx.errors, ctx.index, "AAMMJJ", "415", ComponentPosition(4, 0),
                        ctx.dossier);
}

// Time of preparation HHMM; a part that is no number is not this rule's concern.
void PreparationTimeRule(SegmentContext& ctx, std::string_view time) {
    const std::string_view hours = Left(time, 2);
    const std::string_view minutes = Right(time, 2);
    if (!IsNumeric(hours) || !IsNumeric(minutes)) return;
    // Held in a byte: a negative part is an overflow.
    const std::int64_t h = ToInteger(hours, 0, 255);
    const std::int64_t m = ToInteger(minutes, 0, 255);
    if (m > 59 || h > 23)
        AddContentError(ctx.errors, ctx.index, "", "414", ComponentPosition(4, 1), ctx.dossier);
}

}  // namespace

const std::string& CurrentInterchangeReference() {
    return g_interchangeReference;
}
const std::string& CurrentMessageReference() {
    return g_messageReference;
}
bool BgmFunctionPresent() {
    return g_bgmFunctionPresent;
}
void SetBgmFunctionPresent(bool present) {
    g_bgmFunctionPresent = present;
}

void Traite_UNA(SegmentContext& ctx) {
    int element = 0;
    try {
        const Pieces& e = CutSegment(ctx);
        if (CheckDataFormat(ctx.errors, ElementAt(e, 0), ctx.index, "UNA_0001", "d0", ctx.dossier))
            SaveInterchData(kUNA, 0, 0, e[0]);
        element = 1;
        if (ElementAt(e, 1) != ",? ")
            AddContentError(ctx.errors, ctx.index, ";? ", "008", "d1", ctx.dossier);
    } catch (const RuntimeError& err) {
        ReportRuleSetFailure(ctx, err, "Traite_UNA", kModENT1, "UNA", element);
    }
}

void Traite_UNB(SegmentContext& ctx) {
    int element = 0;
    try {
        const Pieces& e = CutSegment(ctx);

        element = 1;  // S001 syntax identifier
        if (CutComposite(ctx, e, 1, 2, 2)) {
            CheckAndStoreInterch(ctx, kUNB, 1, 0, "UNB_S001_0001");
            CheckAndStoreInterch(ctx, kUNB, 1, 1, "UNB_S001_0002");
        }

        element = 2;  // S002 sender: its identification is checked without its padding
        if (CutComposite(ctx, e, 2, 3, 3)) {
            std::string_view sender = ctx.components.pieces[0];
            std::string_view trimmed = sender;
            while (!trimmed.empty() && trimmed.front() == ' ')
                trimmed.remove_prefix(1);
            while (!trimmed.empty() && trimmed.back() == ' ')
                trimmed.remove_suffix(1);
            if (CheckDataFormat(ctx.errors, trimmed, ctx.index, "UNB_S002_0004",
                                ComponentPosition(2, 0), ctx.dossier))
                SaveInterchData(kUNB, 2, 0, sender);
            CheckAndStoreInterch(ctx, kUNB, 2, 1, "UNB_S002_0007");
            CheckAndStoreInterch(ctx, kUNB, 2, 2, "UNB_S002_0008");
        }

        element = 3;  // S003 recipient
        if (CutComposite(ctx, e, 3, 3, 3)) {
            CheckAndStoreInterch(ctx, kUNB, 3, 0, "UNB_S003_0010");
            CheckAndStoreInterch(ctx, kUNB, 3, 1, "UNB_S003_0007");
            CheckAndStoreInterch(ctx, kUNB, 3, 2, "UNB_S003_0014");
        }

        element = 4;  // S004 date and time of preparation
        if (CutComposite(ctx, e, 4, 2, 2)) {
            CheckAndStoreInterch(ctx, kUNB, 4, 0, "UNB_S004_0017");
            PreparationDateRule(ctx, ctx.components.pieces[0]);
            CheckAndStoreInterch(ctx, kUNB, 4, 1, "UNB_S004_0019");
            PreparationTimeRule(ctx, ctx.components.pieces[1]);
        }

        element = 5;  // 0020 interchange control reference
        if (Simple(ctx, e, 5, "UNB_0020")) SaveInterchData(kUNB, 5, 0, e[5]);
        g_interchangeReference.assign(e[5]);

        for (std::size_t i = 6; i <= 9; ++i) {
            element = static_cast<int>(i);
            CheckEmptyElement(ctx, e, i);
        }

        element = 10;  // 0032 communications agreement
        if (Simple(ctx, e, 10, "UNB_0032")) SaveInterchData(kUNB, 10, 0, e[10]);

        element = 11;  // 0035 test indicator
        if (e.size() > 11) {
            if (Simple(ctx, e, 11, "UNB_0035")) SaveInterchData(kUNB, 11, 0, "T");
        } else {
            SaveInterchData(kUNB, 11, 0, "R");
        }
    } catch (const RuntimeError& err) {
        ReportRuleSetFailure(ctx, err, "Traite_UNB", kModENT1, "UNB", element);
    }
}

void Traite_UNH(SegmentContext& ctx) {
    int element = 0;
    try {
        const Pieces& e = CutSegment(ctx);

        element = 1;  // 0062 message reference number
        if (Simple(ctx, e, 1, "UNH_0062")) SaveDossData(0, kKindUNH, 1, 1, 1, e[1]);
        // The references of an interchange count its messages 1, 2, 3...
        if (const auto reference = ParseNumber(e[1]);
            reference && *reference != static_cast<double>(ctx.dossier))
            AddContentError(ctx.errors, ctx.index, "", "405", "d1", ctx.dossier);
        g_messageReference.assign(e[1]);

        element = 2;  // S009 message identifier
        if (CutComposite(ctx, e, 2, 5, 5)) {
            static constexpr std::string_view kKeys[] = {"UNH_S009_0065", "UNH_S009_0052",
                                                         "UNH_S009_0054", "UNH_S009_0051",
                                                         "UNH_S009_0057"};
            for (std::size_t j = 0; j < 5; ++j)
                CheckAndStoreDoss(ctx, kKindUNH, 2, j, kKeys[j]);
        }
    } catch (const RuntimeError& err) {
        ReportRuleSetFailure(ctx, err, "Traite_UNH", kModENT1, "UNH", element);
    }
    // The detail and annex state of the new message starts empty.
    ResetDetailState();
}

void Traite_BGM(SegmentContext& ctx) {
    int element = 0;
    try {
        const Pieces& e = CutSegment(ctx);
        const bool functionPresent = e.size() > 3;
        g_bgmFunctionPresent = functionPresent;

        element = 1;  // C002 document name
        if (CutComposite(ctx, e, 1, 3, 3)) {
            CheckAndStoreDoss(ctx, kKindBGM, 1, 0, "BGM_C002_1001");
            if (!ctx.components.pieces[1].empty())
                AddCountError(ctx.errors, ctx.index, 0, 0, 445, ComponentPosition(1, 1),
                              ctx.dossier);
            CheckAndStoreDoss(ctx, kKindBGM, 1, 2, "BGM_C002_3055");
        }

        element = 2;  // C106 document identification
        if (Simple(ctx, e, 2, "BGM_C106_1004")) SaveDossData(0, kKindBGM, 1, 2, 0, e[2]);

        element = 3;  // 1225 message function
        if (functionPresent) {
            if (Simple(ctx, e, 3, "BGM_1225")) SaveDossData(0, kKindBGM, 1, 3, 0, "O");
        } else {
            SaveDossData(0, kKindBGM, 1, 3, 0, " ");
        }
    } catch (const RuntimeError& err) {
        ReportRuleSetFailure(ctx, err, "Traite_BGM", kModENT1, "BGM", element);
    }
}

void Traite_UNT(SegmentContext& ctx) {
    int element = 0;
    try {
        const Pieces& e = CutSegment(ctx);

        element = 1;  // 0074 number of segments: counted by the syntax check
        if (Simple(ctx, e, 1, "UNT_0074")) SaveDossData(0, kKindUNT, 1, 1, 0, e[1]);

        element = 2;  // 0062 message reference number
        if (Simple(ctx, e, 2, "UNT_0062")) SaveDossData(0, kKindUNT, 1, 2, 0, e[2]);
        if (e[2] != g_messageReference)
            AddContentError(ctx.errors, ctx.index, DetailText(g_messageReference), "417", "d2",
                            ctx.dossier);

        CheckKTVFACData(ctx);
    } catch (const RuntimeError& err) {
        ReportRuleSetFailure(ctx, err, "Traite_UNT", kModENT1, "UNT", element);
    }
}

void Traite_UNZ(SegmentContext& ctx) {
    int element = 0;
    try {
        const Pieces& e = CutSegment(ctx);

        element = 1;  // 0036 interchange control count
        if (Simple(ctx, e, 1, "UNZ_0036")) SaveInterchData(kUNZ, 1, 0, e[1]);
        const std::int64_t count = ToInteger(e[1], std::numeric_limits<std::int64_t>::min() / 2,
                                             std::numeric_limits<std::int64_t>::max() / 2);
        if (count != ctx.dossier)
            AddContentError(ctx.errors, ctx.index, std::to_string(ctx.dossier), "413", "d1",
                            ctx.dossier);

        element = 2;  // 0020 interchange control reference
        if (Simple(ctx, e, 2, "UNZ_0020")) SaveInterchData(kUNZ, 2, 0, e[2]);
        if (e[2] != g_interchangeReference)
            AddContentError(ctx.errors, ctx.index, DetailText(g_interchangeReference), "418", "d2",
                            ctx.dossier);
    } catch (const RuntimeError& err) {
        ReportRuleSetFailure(ctx, err, "Traite_UNZ", kModENT1, "UNZ", element);
    }
}

}  // namespace trelvane

#include "content/modKTVContentChecker.h"

#include <array>
#include <charconv>
#include <cstring>
#include <stdexcept>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/modIOfunctions.h"
#include "content/ContentRun.h"
#include "content/ReferenceTables.h"
#include "content/modKTVContentENT1.h"
#include "content/modKTVContentENT2.h"
#include "content/modKTVContentSEQ.h"
#include "run/ConversionStores.h"
#include "run/TextValues.h"
#include "run/modMainFunctions.h"
#include "syntax/MessageStructureTree.h"

namespace trelvane {

namespace {

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

StringList ManageCContentKTV(SegmentTexts& segments, const DossierEnded& dossierEnded) {
    Trace("Lancement du contrôle de contenu..."_cp, kModContentChecker, "ManageCContentKTV");
    StringList errors{"[Contenu]"};
    const std::string separator(ElementSeparator());
    const std::string release(ReleaseCharacter());

    Initialise_Table_Formats();
    Initialise_Table_Codes_Segments_Lib();
    ResetDossData();
    ClearDuplicateIdentifierRegistry();

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
        ctx.cutText = SplitInto(segment, separator, release, CutLevel::Element, ctx.elements);
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
        if (row->rule == Rule::UNT && dossierEnded) dossierEnded(counters.message, unaCounter);
    }
    ClearDuplicateIdentifierRegistry();
    return errors;
}

}  // namespace trelvane

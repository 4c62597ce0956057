#include "run/Summaries.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <new>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "config/Cp1252.h"
#include "config/RuntimeErrors.h"
#include "config/modIOfunctions.h"
#include "content/ReferenceTables.h"
#include "run/TextValues.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

namespace trelvane {

namespace {

std::string_view TagOf(std::string_view segment) {
    return segment.substr(0, 3);
}

// A segment index written in decimal; nullopt for anything else.
std::optional<std::size_t> ParseIndex(std::string_view text) {
    std::size_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// Field k of a comma-separated record, nullopt when it has fewer fields.
std::optional<std::string_view> Field(std::string_view record, std::size_t k) {
    for (std::size_t f = 0; f < k; ++f) {
        const std::size_t comma = record.find(',');
        if (comma == std::string_view::npos) return std::nullopt;
        record.remove_prefix(comma + 1);
    }
    return record.substr(0, record.find(','));
}

// Integer value of a field the way the dossier lookups compare them.
std::optional<std::int64_t> FieldInteger(std::string_view text) {
    if (!IsNumeric(text)) return std::nullopt;
    try {
        return ToInteger(text, std::numeric_limits<std::int64_t>::min(),
                         std::numeric_limits<std::int64_t>::max());
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

// ---- Dossier lookup by number and segment index ----------------------------

// Rows of one dossier number, in row order, under a tree of their ranges so
// the first row holding a segment is found without scanning the group.
struct DossierGroup {
    std::string number;
    std::size_t begin = 0;  // first entry
    std::size_t count = 0;
    std::size_t leaves = 0;  // power of two >= count
    std::size_t treeBase = 0;
};

struct RangeEntry {
    std::int64_t first = 0;  // UNH index
    std::int64_t last = 0;   // UNT index
    std::size_t row = 0;
};

struct Bounds {
    std::int64_t minFirst = std::numeric_limits<std::int64_t>::max();
    std::int64_t maxLast = std::numeric_limits<std::int64_t>::min();
};

struct DossierIndex {
    bool built = false;
    const DossierRow* data = nullptr;
    std::size_t size = 0;
    DossierRow firstRow, lastRow;      // a cheap check that the table is the same
    std::vector<DossierGroup> groups;  // sorted by number
    std::vector<RangeEntry> entries;
    std::vector<Bounds> tree;
};

DossierIndex g_dossierIndex;

bool IndexMatches(const DossierIndex& index, const DossierTable& table) {
    if (!index.built || index.data != table.data() || index.size != table.size()) return false;
    if (table.empty()) return true;
    return index.firstRow == table.front() && index.lastRow == table.back();
}

void BuildDossierIndex(DossierIndex& index, const DossierTable& table) {
    index = DossierIndex();
    std::vector<std::size_t> rows;
    std::vector<RangeEntry> ranges(table.size());
    for (std::size_t r = 0; r < table.size(); ++r) {
        auto first = FieldInteger(table[r][1]);
        auto last = FieldInteger(table[r][2]);
        if (!first || !last || *first > *last) continue;  // such a row never matches
        ranges[r] = {*first, *last, r};
        rows.push_back(r);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [&table](std::size_t a, std::size_t b) { return table[a][0] < table[b][0]; });
    index.entries.reserve(rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::string& number = table[rows[k]][0];
        if (index.groups.empty() || index.groups.back().number != number) {
            DossierGroup group;
            group.number = number;
            group.begin = k;
            index.groups.push_back(std::move(group));
        }
        ++index.groups.back().count;
        index.entries.push_back(ranges[rows[k]]);
    }
    for (DossierGroup& group : index.groups) {
        group.leaves = 1;
        while (group.leaves < group.count)
            group.leaves *= 2;
        group.treeBase = index.tree.size();
        index.tree.resize(index.tree.size() + 2 * group.leaves);
        Bounds* tree = index.tree.data() + group.treeBase;
        for (std::size_t k = 0; k < group.count; ++k) {
            const RangeEntry& e = index.entries[group.begin + k];
            tree[group.leaves + k] = {e.first, e.last};
        }
        for (std::size_t node = group.leaves - 1; node >= 1; --node) {
            tree[node].minFirst = std::min(tree[2 * node].minFirst, tree[2 * node + 1].minFirst);
            tree[node].maxLast = std::max(tree[2 * node].maxLast, tree[2 * node + 1].maxLast);
        }
    }
    index.built = true;
    index.data = table.data();
    index.size = table.size();
    if (!table.empty()) {
        index.firstRow = table.front();
        index.lastRow = table.back();
    }
}

// Leftmost leaf of the subtree whose range holds s; -1 when none. With the
// disjoint, ordered ranges of a real file one node per level passes.
std::int64_t FirstHolding(const Bounds* tree, std::size_t leaves, std::size_t node,
                          std::int64_t s) {
    if (tree[node].minFirst > s || tree[node].maxLast < s) return -1;
    if (node >= leaves) return static_cast<std::int64_t>(node - leaves);
    const std::int64_t left = FirstHolding(tree, leaves, 2 * node, s);
    if (left >= 0) return left;
    return FirstHolding(tree, leaves, 2 * node + 1, s);
}

std::optional<std::size_t> LookupRow(const DossierIndex& index, std::string_view number,
                                     std::int64_t s) {
    auto it = std::lower_bound(index.groups.begin(), index.groups.end(), number,
                               [](const DossierGroup& g, std::string_view key) {
                                   return std::string_view(g.number) < key;
                               });
    if (it == index.groups.end() || it->number != number) return std::nullopt;
    const std::int64_t leaf = FirstHolding(index.tree.data() + it->treeBase, it->leaves, 1, s);
    if (leaf < 0) return std::nullopt;
    return index.entries[it->begin + static_cast<std::size_t>(leaf)].row;
}

bool RowHolds(const DossierRow& row, std::string_view number, std::int64_t s) {
    if (row[0] != number) return false;
    auto first = FieldInteger(row[1]);
    auto last = FieldInteger(row[2]);
    return first && last && *first <= s && s <= *last;
}

// ---- Declarants' names ------------------------------------------------------

// The NAD+DT segment that gave each DossierInfo row its NIR (-1: none), kept
// beside the table it was built with.
struct DeclarantSegments {
    const DossierRow* table = nullptr;
    std::vector<std::int64_t> rows;
};
DeclarantSegments g_declarants;

// The name in a NAD+DT segment: the second component of its name element
// (the name the FNS3 records carry), or the element itself when it has one
// component only.
std::string DeclarantName(std::string_view segment) {
    const RunState& state = State();
    SplitScratch elements, components;
    SplitInto(segment, state.Delimiters[1], state.Delimiters[3], elements);
    if (elements.pieces.size() < 5) return {};
    SplitInto(elements.pieces[4], state.Delimiters[2], state.Delimiters[3], components);
    const auto& parts = components.pieces;
    return std::string(parts.size() >= 2 ? parts[1] : parts.empty() ? "" : parts[0]);
}

// ---- Messages per interchange ------------------------------------------------

struct InterchangeIndex {
    bool built = false;
    std::size_t size = 0;
    const char* firstText = nullptr;  // identifies the segment list of the run
    const char* lastText = nullptr;
    std::vector<std::size_t> unz;        // index of each UNZ
    std::vector<std::int64_t> messages;  // UNT count of each interchange
};

InterchangeIndex g_interchangeIndex;

bool InterchangeIndexMatches(const InterchangeIndex& index, const SegmentList& segments) {
    if (!index.built || index.size != segments.size()) return false;
    if (segments.empty()) return true;
    return index.firstText == segments[0].data() &&
           index.lastText == segments[segments.size() - 1].data();
}

void BuildInterchangeIndex(InterchangeIndex& index, const SegmentList& segments) {
    index = InterchangeIndex();
    std::int64_t count = 0;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const std::string_view tag = TagOf(segments[i]);
        if (tag == "UNT") {
            ++count;
        } else if (tag == "UNZ") {
            index.unz.push_back(i);
            index.messages.push_back(count);
            count = 0;
        }
    }
    index.built = true;
    index.size = segments.size();
    if (!segments.empty()) {
        index.firstText = segments[0].data();
        index.lastText = segments[segments.size() - 1].data();
    }
}

// Recounts interchange k (0-based) from the segments; false when the cached
// bounds no longer describe it.
bool RecountInterchange(const InterchangeIndex& index, const SegmentList& segments, std::size_t k,
                        std::int64_t& count) {
    const std::size_t end = index.unz[k];
    const std::size_t begin = k == 0 ? 0 : index.unz[k - 1] + 1;
    if (end >= segments.size() || TagOf(segments[end]) != "UNZ") return false;
    if (k > 0 && TagOf(segments[begin - 1]) != "UNZ") return false;
    count = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const std::string_view tag = TagOf(segments[i]);
        if (tag == "UNZ") return false;
        if (tag == "UNT") ++count;
    }
    return true;
}

}  // namespace

void CreateArray_ErrorsBySeg() {
    Trace("Création du CR d'erreurs par segment"_cp, kModMain, "CreateArray_ErrorsBySeg");
    RunState& state = State();
    const std::size_t n = state.Segments.size();
    SegmentErrorTable& table = state.ErrorsBySegment;
    table.Reset(n);

    const StringList& syntax = state.SyntaxErrors;
    if (!syntax.empty()) {
        if (syntax[0] != "[Branchement]") {
            if (syntax.size() > 1) {
                const std::string_view record = syntax[1];
                auto index = ParseIndex(record.size() > 4 ? record.substr(4) : std::string_view());
                if (index && *index < n) table.MarkSyntaxError(*index);
            }
        } else {
            for (std::size_t k = 1; k < syntax.size(); ++k) {
                auto index = ParseIndex(*Field(syntax[k], 0));
                if (index && *index < n) table.MarkSyntaxError(*index);
            }
        }
    }

    // The walk writes its records segment after segment, so the positions
    // are taken as they come. A list in another order (or one edited since)
    // is grouped by segment first, keeping the list order within a segment.
    const StringList& content = state.ContentErrors;
    auto positionOf = [&](std::size_t k, std::size_t& index, std::string_view& position) {
        auto parsed = ParseIndex(*Field(content[k], 0));
        auto text = Field(content[k], 2);
        if (!parsed || *parsed >= n || !text) return false;
        index = *parsed;
        position = *text;
        return true;
    };
    std::size_t index = 0;
    std::string_view position;
    bool ordered = true;
    for (std::size_t k = 1; k < content.size() && ordered; ++k)
        if (positionOf(k, index, position)) ordered = table.AddPosition(index, position);
    if (ordered) return;
    table.ClearPositions();
    std::vector<std::pair<std::size_t, std::string_view>> positions;
    for (std::size_t k = 1; k < content.size(); ++k)
        if (positionOf(k, index, position)) positions.emplace_back(index, position);
    std::stable_sort(positions.begin(), positions.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [segment, text] : positions)
        table.AddPosition(segment, text);
}

void CreateArray_InfoDoss() {
    Trace("Création du tableau d'informations sur dossier"_cp, kModMain, "CreateArray_InfoDoss");
    RunState& state = State();
    DossierTable& info = state.DossierInfo;
    g_dossierIndex = DossierIndex();
    g_declarants = DeclarantSegments();
    std::vector<std::int64_t> declarants(1, -1);
    try {
        info.assign(1, DossierRow{});
        std::int64_t counter = 0;
        std::size_t row = 0;
        // A UNT or NAD+DT after a UNT and before the next UNH falls on a row
        // no UNH opened yet: it is added rather than lost.
        auto ensureRow = [&info, &row, &declarants]() {
            while (info.size() <= row) {
                info.emplace_back();
                declarants.push_back(-1);
            }
        };
        const SegmentList& segments = state.Segments;
        for (std::size_t i = 0; i < segments.size(); ++i) {
            const std::string_view segment = segments[i];
            const std::string_view tag = TagOf(segment);
            if (tag == "UNA") counter = 0;
            if (tag == "UNH") {
                ++counter;
                ensureRow();
                info[row][0] = std::to_string(counter);
                info[row][1] = std::to_string(i);
            }
            if (tag == "UNT") {
                ensureRow();
                info[row][2] = std::to_string(i);
                ++row;
            }
            if (segment.substr(0, 7) == "NAD+DT+") {
                ensureRow();
                info[row][3] = std::string(segment.substr(7, 13));
                declarants[row] = static_cast<std::int64_t>(i);
            }
        }
        g_declarants = {info.data(), std::move(declarants)};
    } catch (const RuntimeError& e) {
        Trace(std::to_string(e.Number()) + " - " + e.what(), kModMain, "CreateArray_InfoDoss");
    } catch (const std::bad_alloc&) {
        NoteOutOfMemory();
        Trace("7 - " + ErrorDescription(kErrOutOfMemory), kModMain, "CreateArray_InfoDoss");
    }
}

std::string GetDossierField(std::string_view dossierNumber, std::string_view segmentIndex,
                            int field) {
    if (field < 0 || field > 3) return {};
    const auto s = FieldInteger(segmentIndex);
    if (!s) return {};
    const DossierTable& table = State().DossierInfo;
    if (!IndexMatches(g_dossierIndex, table)) BuildDossierIndex(g_dossierIndex, table);
    auto row = LookupRow(g_dossierIndex, dossierNumber, *s);
    if (row && (*row >= table.size() || !RowHolds(table[*row], dossierNumber, *s))) {
        // The table was edited in place since the index was built.
        BuildDossierIndex(g_dossierIndex, table);
        row = LookupRow(g_dossierIndex, dossierNumber, *s);
    }
    if (!row) return {};
    return table[*row][static_cast<std::size_t>(field)];
}

void FindDossierByNir(std::string_view nir, std::int64_t& unhIndex, std::int64_t& untIndex) {
    const DossierTable& table = State().DossierInfo;
    for (std::size_t r = table.size(); r-- > 0;) {
        if (table[r][3] != nir) continue;
        const auto unh = FieldInteger(table[r][1]);
        if (!unh) continue;  // a NIR seen outside any message
        const auto unt = FieldInteger(table[r][2]);
        unhIndex = *unh;
        untIndex = unt ? *unt : State().Segments.UpperBound();
        return;
    }
}

std::int64_t CountMessagesInInterchange(std::int64_t n) {
    if (n < 1) return 0;
    const SegmentList& segments = State().Segments;
    InterchangeIndex& index = g_interchangeIndex;
    const auto k = static_cast<std::size_t>(n - 1);
    if (!InterchangeIndexMatches(index, segments)) {
        // Just counted: no need to count this interchange again.
        BuildInterchangeIndex(index, segments);
        return k < index.messages.size() ? index.messages[k] : 0;
    }
    if (k >= index.unz.size()) return 0;
    std::int64_t count = 0;
    if (RecountInterchange(index, segments, k, count)) return count;
    BuildInterchangeIndex(index, segments);
    return k < index.messages.size() ? index.messages[k] : 0;
}

std::string_view VerdictText(Verdict verdict) {
    switch (verdict) {
        case Verdict::Accepted:
            return "Accepté"_cp;
        case Verdict::AcceptedWithWarnings:
            return "Accepté avec signalements"_cp;
        case Verdict::Rejected:
            break;
    }
    return "Rejeté"_cp;
}

std::vector<DossierListRow> BuildDossierList() {
    const RunState& state = State();
    const DossierTable& table = state.DossierInfo;
    const bool named =
        g_declarants.table == table.data() && g_declarants.rows.size() == table.size();
    std::vector<DossierListRow> list;
    for (std::size_t r = 0; r < table.size(); ++r) {
        const auto unh = FieldInteger(table[r][1]);
        if (!unh) continue;
        const auto unt = FieldInteger(table[r][2]);
        DossierListRow row;
        row.number = table[r][0];
        row.nir = table[r][3];
        const std::int64_t nad = named ? g_declarants.rows[r] : -1;
        if (nad >= 0 && static_cast<std::size_t>(nad) < state.Segments.size())
            row.name = DeclarantName(state.Segments[static_cast<std::size_t>(nad)]);
        row.firstSegment = *unh;
        row.lastSegment = unt ? *unt : state.Segments.UpperBound();
        list.push_back(std::move(row));
    }
    // The dossiers' segments never overlap and come in file order (a row
    // only advances at a UNT), so the one holding a segment is the last to
    // start at or before it.
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a.firstSegment < b.firstSegment; });
    enum class Kind { Reject, Warning, RejectingWarning };
    std::unordered_map<std::string, Kind> kinds;
    std::vector<bool> rejectedByWarning(list.size(), false);
    const StringList& errors = state.ContentErrors;
    for (std::size_t k = 1; k < errors.size(); ++k) {
        const std::string_view record = errors[k];
        // The dossier number and the code are the last two fields.
        const std::size_t last = record.rfind(',');
        if (last == std::string_view::npos || last == 0) continue;
        const std::size_t before = record.rfind(',', last - 1);
        if (before == std::string_view::npos) continue;
        const auto segment = FieldInteger(record.substr(0, record.find(',')));
        if (!segment) continue;
        auto it = std::upper_bound(
            list.begin(), list.end(), *segment,
            [](std::int64_t s, const DossierListRow& row) { return s < row.firstSegment; });
        if (it == list.begin()) continue;
        DossierListRow& row = *--it;
        if (*segment > row.lastSegment ||
            record.substr(before + 1, last - before - 1) != row.number)
            continue;
        const std::string code(record.substr(last + 1));
        auto kind = kinds.find(code);
        if (kind == kinds.end()) {
            const std::string label = GetErrorLabel(code);
            kind = kinds
                       .emplace(code, label.starts_with("sir")  ? Kind::RejectingWarning
                                      : label.starts_with("si") ? Kind::Warning
                                                                : Kind::Reject)
                       .first;
        }
        if (kind->second == Kind::Reject)
            ++row.rejects;
        else
            ++row.warnings;
        if (kind->second == Kind::RejectingWarning)
            rejectedByWarning[static_cast<std::size_t>(it - list.begin())] = true;
    }
    // One syntax error and the whole file is turned away: no dossier in it
    // can be called accepted, whatever its own content.
    const bool fileRejected = state.SyntaxErrors.size() > 1;
    for (std::size_t r = 0; r < list.size(); ++r) {
        DossierListRow& row = list[r];
        row.verdict = fileRejected || row.rejects > 0 || rejectedByWarning[r] ? Verdict::Rejected
                      : row.warnings > 0 ? Verdict::AcceptedWithWarnings
                                         : Verdict::Accepted;
    }
    return list;
}

void ResetSummaryIndexes() {
    g_dossierIndex = DossierIndex();
    g_interchangeIndex = InterchangeIndex();
}

}  // namespace trelvane

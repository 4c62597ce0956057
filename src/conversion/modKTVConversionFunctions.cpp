#include "conversion/modKTVConversionFunctions.h"

#include <bitset>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/RuntimeErrors.h"
#include "config/modIOfunctions.h"

namespace trelvane {

namespace {

constexpr int kInteSegments = 3, kInteElements = 12, kInteComponents = 3;
constexpr int kDossGroups = 100, kDossKinds = 13, kDossOccurrences = 5, kDossElements = 9,
              kDossComponents = 7;

// The dossier store is re-created at every UNH, tens of thousands of times
// in a big file, and a dossier fills a few dozen of its 409 500 cells. Each
// cell holds the number of its span (0: empty); a span names where the text
// lies in one arena that the dossier's texts are appended to. The grid costs
// 1.6 MB rather than 13 MB of strings, saving a text is an append, and a
// reset empties only the cells written since the last one. The grid comes
// zeroed from the system, so only the pages of the groups a dossier reaches
// are ever touched.
struct DossierStore {
    using Span = DossierSnapshot::Span;
    static constexpr std::size_t kCells = static_cast<std::size_t>(kDossGroups) * kDossKinds *
                                          kDossOccurrences * kDossElements * kDossComponents;
    struct Free {
        void operator()(std::uint32_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint32_t[], Free> cells{[] {
        auto* grid = static_cast<std::uint32_t*>(std::calloc(kCells, sizeof(std::uint32_t)));
        if (!grid) throw std::bad_alloc();
        return grid;
    }()};
    std::vector<Span> spans;
    // A text saved again over a longer one is written in its place, over a
    // shorter one appended; the arena is packed again once the texts given
    // up outweigh the live ones, so that a dossier that never ends (UNT
    // after UNT without UNH) keeps its arena, and its copies, small.
    std::string arena;
    std::size_t givenUp = 0;           // bytes of the arena no span uses
    std::vector<std::size_t> written;  // the cell of each span, in order
    // The groups holding a cell: the records read every group of a dossier,
    // most of them empty, without going to the grid for them.
    std::bitset<kDossGroups> groups;
    static constexpr std::size_t kCellsPerGroup = kCells / kDossGroups;
    void Written(std::size_t at) {
        written.push_back(at);
        groups.set(at / kCellsPerGroup);
    }
};

}  // namespace

struct ConversionStores {
    std::vector<std::string> inte =
        std::vector<std::string>(kInteSegments * kInteElements * kInteComponents);
    DossierStore doss;
};

namespace {

// Each thread has its own stores: the thread that checks fills these, and
// the thread that builds the FNS3 records loads a copy of each dossier's
// into its own (ThreadConversionStores). A thread reaches them through a
// plain pointer, for objects with destructors held per thread are destroyed
// after their storage is freed by some runtimes (MinGW-w64): a crash at the
// end of every such thread.
ConversionStores g_checkingStores;
thread_local ConversionStores* t_stores = &g_checkingStores;

std::vector<std::string>& InteStore() {
    return t_stores->inte;
}
DossierStore& DossStore() {
    return t_stores->doss;
}

Fns3LineList g_fns3Lines;

bool InteIndex(int s, int e, int c, std::size_t& at) {
    if (s < 1 || s > kInteSegments || e < 0 || e >= kInteElements || c < 0 || c >= kInteComponents)
        return false;
    at = (static_cast<std::size_t>(s - 1) * kInteElements + static_cast<std::size_t>(e)) *
             kInteComponents +
         static_cast<std::size_t>(c);
    return true;
}

bool DossInBounds(std::int64_t g, int k, int o, int e, int c) {
    return g >= 0 && g < kDossGroups && k >= 1 && k <= kDossKinds && o >= 1 &&
           o <= kDossOccurrences && e >= 1 && e <= kDossElements && c >= 0 && c < kDossComponents;
}

// The cell of an element within the bounds.
std::size_t DossCell(std::int64_t g, int k, int o, int e, int c) {
    return (((static_cast<std::size_t>(g) * kDossKinds + static_cast<std::size_t>(k - 1)) *
                 kDossOccurrences +
             static_cast<std::size_t>(o - 1)) *
                kDossElements +
            static_cast<std::size_t>(e - 1)) *
               kDossComponents +
           static_cast<std::size_t>(c);
}

}  // namespace

ThreadConversionStores::ThreadConversionStores()
    : own_(std::make_unique<ConversionStores>()), previous_(t_stores) {
    t_stores = own_.get();
}

ThreadConversionStores::~ThreadConversionStores() {
    t_stores = previous_;
}

void SaveInterchData(int segment, int element, int component, std::string_view value) {
    std::size_t at = 0;
    if (!InteIndex(segment, element, component, at)) {
        Trace(std::to_string(kErrSubscript) +
                  ": Une dimension du tableau parrKTVInteData a sans doute été dépassée."_cp,
              kModConversion, "SaveInterchData");
        ShowRepeatedMessage(RepeatedMessage::StoreOverflow, "Erreur non gérée"_cp,
                            std::to_string(kErrSubscript) +
                                " : Une dimension du tableau de stockage a été dépassée."_cp,
                            MsgIcon::Critical);
        return;
    }
    InteStore()[at].assign(value);
}

void SaveDossData(std::int64_t group, int kind, int occurrence, int element, int component,
                  std::string_view value) {
    if (!DossInBounds(group, kind, occurrence, element, component)) {
        Trace(std::to_string(kErrSubscript) +
                  ": Une dimension du tableau parrKTVDossData a sans doute été dépassée."_cp,
              kModConversion, "SaveDossData");
        return;
    }
    DossierStore& doss = DossStore();
    const std::size_t at = DossCell(group, kind, occurrence, element, component);
    std::uint32_t& cell = doss.cells[at];
    if (cell == 0) {
        doss.spans.emplace_back();
        cell = static_cast<std::uint32_t>(doss.spans.size());
        doss.Written(at);
    }
    DossierStore::Span& span = doss.spans[cell - 1];
    if (value.size() <= span.length) {
        // value may lie in the arena, even over the span itself.
        std::char_traits<char>::move(doss.arena.data() + span.offset, value.data(), value.size());
        doss.givenUp += span.length - value.size();
        span.length = value.size();
        return;
    }
    doss.givenUp += span.length;
    // The span is taken before the append: value may lie in the arena.
    span = {doss.arena.size(), value.size()};
    doss.arena.append(value);
    constexpr std::size_t kPackFrom = std::size_t{64} << 10;
    if (doss.givenUp > kPackFrom && doss.givenUp * 2 > doss.arena.size()) {
        std::string packed;
        packed.reserve(doss.arena.size() - doss.givenUp);
        for (DossierStore::Span& s : doss.spans) {
            const std::size_t offset = packed.size();
            packed.append(doss.arena, s.offset, s.length);
            s.offset = offset;
        }
        doss.arena.swap(packed);
        doss.givenUp = 0;
    }
}

const std::string& Inte(int segment, int element, int component) {
    std::size_t at = 0;
    if (!InteIndex(segment, element, component, at)) throw RuntimeError(kErrSubscript);
    return InteStore()[at];
}

std::string_view Doss(std::int64_t group, int kind, int occurrence, int element, int component) {
    if (!DossInBounds(group, kind, occurrence, element, component))
        throw RuntimeError(kErrSubscript);
    const DossierStore& doss = DossStore();
    // Most groups of most dossiers are empty: they are answered without
    // going to the grid.
    if (!doss.groups.test(static_cast<std::size_t>(group))) return {};
    const std::uint32_t cell = doss.cells[DossCell(group, kind, occurrence, element, component)];
    if (cell == 0) return {};
    const DossierStore::Span span = doss.spans[cell - 1];
    return {doss.arena.data() + span.offset, span.length};
}

void ResetDossData() {
    DossierStore& doss = DossStore();
    for (std::size_t at : doss.written)
        doss.cells[at] = 0;
    doss.written.clear();
    doss.spans.clear();
    doss.arena.clear();
    doss.givenUp = 0;
    doss.groups.reset();
}

void TakeDossierSnapshot(DossierSnapshot& out) {
    const DossierStore& doss = DossStore();
    out.cells.assign(doss.written.begin(), doss.written.end());
    out.spans.assign(doss.spans.begin(), doss.spans.end());
    out.arena.assign(doss.arena);
}

void LoadDossierSnapshot(const DossierSnapshot& snapshot) {
    ResetDossData();
    DossierStore& doss = DossStore();
    for (std::size_t k = 0; k < snapshot.cells.size(); ++k) {
        doss.cells[snapshot.cells[k]] = static_cast<std::uint32_t>(k + 1);
        doss.Written(snapshot.cells[k]);
    }
    doss.spans.assign(snapshot.spans.begin(), snapshot.spans.end());
    doss.arena.assign(snapshot.arena);
}

void TakeInterchangeSnapshot(std::vector<std::string>& out) {
    out = InteStore();
}

void LoadInterchangeSnapshot(const std::vector<std::string>& snapshot) {
    if (snapshot.size() == InteStore().size()) InteStore() = snapshot;
}

std::string Fns3LineList::operator[](std::size_t i) const {
    std::string line;
    AppendTo(line, i);
    return line;
}

void Fns3LineList::AppendTo(std::string& out, std::size_t i) const {
    const std::string_view text = texts_[i];
    out += text;
    out.append(widths_[i] - text.size(), ' ');
}

void Fns3LineList::push_back(std::string_view line) {
    std::size_t kept = line.size();
    // Records end in long runs of padding: stepped over eight bytes at a time.
    constexpr std::uint64_t kEightSpaces = 0x2020202020202020ull;
    while (kept >= 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, line.data() + kept - 8, 8);
        if (word != kEightSpaces) break;
        kept -= 8;
    }
    while (kept > 0 && line[kept - 1] == ' ')
        --kept;
    const std::string_view text = line.substr(0, kept);
    std::uint32_t kind = 0;
    for (std::size_t i = 0; i < 6 && i < text.size(); ++i)
        kind = kind * 31 + static_cast<unsigned char>(text[i]);
    std::uint32_t& last = lastOfKind_[kind % lastOfKind_.size()];
    if (last != 0 && texts_[last - 1] == text && widths_[last - 1] == line.size()) {
        texts_.PushRepeat(last - 1);
    } else {
        texts_.push_back(text);
        last = texts_.size() < UINT32_MAX ? static_cast<std::uint32_t>(texts_.size()) : 0;
    }
    widths_.push_back(static_cast<std::uint32_t>(line.size()));
}

void InitFNS3Lines() {
    g_fns3Lines = Fns3LineList();
    g_fns3Lines.push_back("[FNS3]");
}

StringList GetFNS3Lines() {
    StringList out;
    out.reserve(g_fns3Lines.size());
    for (std::size_t i = 0; i < g_fns3Lines.size(); ++i)
        out.push_back(g_fns3Lines[i]);
    return out;
}
const Fns3LineList& FNS3Lines() {
    return g_fns3Lines;
}
void AppendFNS3Line(std::string_view line) {
    g_fns3Lines.push_back(line);
}

}  // namespace trelvane

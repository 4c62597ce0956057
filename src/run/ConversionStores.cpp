#include "run/ConversionStores.h"

#include <new>
#include <string>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/RuntimeErrors.h"
#include "config/modIOfunctions.h"
#include "run/RunContext.h"

namespace trelvane {

namespace {

// The stores are the conversion's: its module names their trace lines.
constexpr std::string_view kModConversion = "modKTVConversionFunctions";

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

DossierStore::DossierStore()
    : cells_([] {
          auto* grid = static_cast<std::uint32_t*>(std::calloc(kCells, sizeof(std::uint32_t)));
          if (!grid) throw std::bad_alloc();
          return grid;
      }()) {}

bool DossierStore::Save(std::int64_t group, int kind, int occurrence, int element, int component,
                        std::string_view value) {
    if (!DossInBounds(group, kind, occurrence, element, component)) return false;
    const std::size_t at = DossCell(group, kind, occurrence, element, component);
    std::uint32_t& cell = cells_[at];
    if (cell == 0) {
        spans_.emplace_back();
        cell = static_cast<std::uint32_t>(spans_.size());
        written_.push_back(at);
        groups_.set(at / kCellsPerGroup);
    }
    Span& span = spans_[cell - 1];
    if (value.size() <= span.length) {
        // value may lie in the arena, even over the span itself.
        std::char_traits<char>::move(arena_.data() + span.offset, value.data(), value.size());
        givenUp_ += span.length - value.size();
        span.length = value.size();
        return true;
    }
    givenUp_ += span.length;
    // The span is taken before the append: value may lie in the arena.
    span = {arena_.size(), value.size()};
    arena_.append(value);
    constexpr std::size_t kPackFrom = std::size_t{64} << 10;
    if (givenUp_ > kPackFrom && givenUp_ * 2 > arena_.size()) {
        std::string packed;
        packed.reserve(arena_.size() - givenUp_);
        for (Span& s : spans_) {
            const std::size_t offset = packed.size();
            packed.append(arena_, s.offset, s.length);
            s.offset = offset;
        }
        arena_.swap(packed);
        givenUp_ = 0;
    }
    return true;
}

std::string_view DossierStore::Get(std::int64_t group, int kind, int occurrence, int element,
                                   int component) const {
    if (!DossInBounds(group, kind, occurrence, element, component))
        throw RuntimeError(kErrSubscript);
    // Most groups of most dossiers are empty: they are answered without
    // going to the grid.
    if (!groups_.test(static_cast<std::size_t>(group))) return {};
    const std::uint32_t cell = cells_[DossCell(group, kind, occurrence, element, component)];
    if (cell == 0) return {};
    const Span span = spans_[cell - 1];
    return {arena_.data() + span.offset, span.length};
}

void DossierStore::Reset() {
    for (std::size_t at : written_)
        cells_[at] = 0;
    written_.clear();
    spans_.clear();
    arena_.clear();
    givenUp_ = 0;
    groups_.reset();
}

const std::string& ConversionStores::Inte(int segment, int element, int component) const {
    std::size_t at = 0;
    if (!InteIndex(segment, element, component, at)) throw RuntimeError(kErrSubscript);
    return inte[at];
}

bool ConversionStores::SaveInte(int segment, int element, int component, std::string_view value) {
    std::size_t at = 0;
    if (!InteIndex(segment, element, component, at)) return false;
    inte[at].assign(value);
    return true;
}

ConversionStores& Stores() {
    std::shared_ptr<ConversionStores>& stores = CurrentRun().stores;
    if (!stores) stores = std::make_shared<ConversionStores>();
    return *stores;
}

void SaveInterchData(int segment, int element, int component, std::string_view value) {
    if (Stores().SaveInte(segment, element, component, value)) return;
    Trace(std::to_string(kErrSubscript) +
              ": Une dimension du tableau parrKTVInteData a sans doute été dépassée."_cp,
          kModConversion, "SaveInterchData");
    ShowRepeatedMessage(RepeatedMessage::StoreOverflow, "Erreur non gérée"_cp,
                        std::to_string(kErrSubscript) +
                            " : Une dimension du tableau de stockage a été dépassée."_cp,
                        MsgIcon::Critical);
}

void SaveDossData(std::int64_t group, int kind, int occurrence, int element, int component,
                  std::string_view value) {
    if (Stores().doss.Save(group, kind, occurrence, element, component, value)) return;
    Trace(std::to_string(kErrSubscript) +
              ": Une dimension du tableau parrKTVDossData a sans doute été dépassée."_cp,
          kModConversion, "SaveDossData");
}

const std::string& Inte(int segment, int element, int component) {
    return Stores().Inte(segment, element, component);
}

std::string_view Doss(std::int64_t group, int kind, int occurrence, int element, int component) {
    return Stores().doss.Get(group, kind, occurrence, element, component);
}

void ResetDossData() {
    Stores().doss.Reset();
}

}  // namespace trelvane

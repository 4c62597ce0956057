// The two stores the content checks fill for the FNS3 conversion: the
// interchange store (UNA, UNB, UNZ) and the store of the dossier being
// checked. They belong to the run in use; the FNS3 records of a dossier are
// built from them at its UNT.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace trelvane {

inline constexpr int kInteSegments = 3, kInteElements = 12, kInteComponents = 3;
inline constexpr int kDossGroups = 100, kDossKinds = 13, kDossOccurrences = 5, kDossElements = 9,
                     kDossComponents = 7;

// The dossier store is emptied at every UNH, tens of thousands of times in a
// big file, and a dossier fills a few dozen of its 409 500 cells. Each cell
// holds the number of its span (0: empty); a span names where the text lies
// in one arena that the dossier's texts are appended to. The grid costs 1.6
// MB rather than 13 MB of strings, saving a text is an append, and a reset
// empties only the cells written since the last one. The grid comes zeroed
// from the system, so only the pages of the groups a dossier reaches are
// ever touched.
class DossierStore {
  public:
    DossierStore();
    // False outside the bounds (nothing saved).
    bool Save(std::int64_t group, int kind, int occurrence, int element, int component,
              std::string_view value);
    // A view valid until the next Save or Reset; "" for an unset cell.
    // Raises RuntimeError(9) outside the bounds.
    std::string_view Get(std::int64_t group, int kind, int occurrence, int element,
                         int component) const;
    void Reset();

  private:
    struct Span {
        std::size_t offset = 0;
        std::size_t length = 0;
    };
    struct Free {
        void operator()(std::uint32_t* p) const { std::free(p); }
    };
    static constexpr std::size_t kCells = static_cast<std::size_t>(kDossGroups) * kDossKinds *
                                          kDossOccurrences * kDossElements * kDossComponents;
    static constexpr std::size_t kCellsPerGroup = kCells / kDossGroups;

    std::unique_ptr<std::uint32_t[], Free> cells_;
    std::vector<Span> spans_;
    // A text saved again over a longer one is written in its place, over a
    // shorter one appended; the arena is packed again once the texts given
    // up outweigh the live ones, so that a dossier that never ends (UNT
    // after UNT without UNH) keeps its arena small.
    std::string arena_;
    std::size_t givenUp_ = 0;           // bytes of the arena no span uses
    std::vector<std::size_t> written_;  // the cell of each span, in order
    // The groups holding a cell: the records read every group of a dossier,
    // most of them empty, without going to the grid for them.
    std::bitset<kDossGroups> groups_;
};

struct ConversionStores {
    // Segment 1..3 (UNA, UNB, UNZ), element 0..11, component 0..2.
    std::vector<std::string> inte =
        std::vector<std::string>(kInteSegments * kInteElements * kInteComponents);
    DossierStore doss;

    // "" for an unset cell; RuntimeError(9) outside the bounds.
    const std::string& Inte(int segment, int element, int component) const;
    // False outside the bounds (nothing saved).
    bool SaveInte(int segment, int element, int component, std::string_view value);
};

// The stores of the run in use.
ConversionStores& Stores();

// The same, for the rule sets: an index outside the bounds is said (a trace
// line, and for the interchange store a message) and nothing is saved.
void SaveInterchData(int segment, int element, int component, std::string_view value);
void SaveDossData(std::int64_t group, int kind, int occurrence, int element, int component,
                  std::string_view value);
const std::string& Inte(int segment, int element, int component);
std::string_view Doss(std::int64_t group, int kind, int occurrence, int element, int component);
void ResetDossData();

}  // namespace trelvane

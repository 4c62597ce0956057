// The party identifiers of the NAD4 segments met in one content check, to
// find one declarant declared in two dossiers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trelvane {

// Party identifiers of the NAD4 segments of the run, in the order they were
// registered. An open-addressed index leads from an identifier to its first
// entry; the entries of one identifier are chained in registration order.
struct RegistryEntry {
    std::string identifier;
    std::int64_t segment;
    std::int64_t dossier;
    std::int64_t next;  // next entry of the same identifier, -1 at the end
    std::int64_t last;  // in the first entry of an identifier: its last entry
    std::uint8_t element;
};

class DuplicateIdentifierRegistry {
  public:
    void Clear() {
        // Given back, not only emptied: a big file's registry holds one entry
        // per dossier, and nothing reads it once the walk is over.
        std::vector<RegistryEntry>().swap(entries_);
        std::vector<Slot>(kInitialSlots).swap(slots_);
        used_ = 0;
        duplicates = 0;
    }
    // First entry registered for the identifier, -1 if none.
    std::int64_t Find(std::string_view identifier) const {
        if (slots_.empty()) return -1;
        const std::size_t hash = std::hash<std::string_view>{}(identifier);
        for (std::size_t slot = hash & (slots_.size() - 1);;
             slot = (slot + 1) & (slots_.size() - 1)) {
            const Slot& s = slots_[slot];
            if (s.entry < 0) return -1;
            // The stored hash spares reading the entry of another identifier.
            if (s.hash == hash &&
                entries_[static_cast<std::size_t>(s.entry)].identifier == identifier)
                return s.entry;
        }
    }
    const RegistryEntry& Entry(std::int64_t e) const {
        return entries_[static_cast<std::size_t>(e)];
    }
    void Add(std::string_view identifier, std::int64_t first, std::int64_t segment,
             std::int64_t dossier) {
        const auto added = static_cast<std::int64_t>(entries_.size());
        entries_.push_back({std::string(identifier), segment, dossier, -1, added, 2});
        if (first >= 0) {
            RegistryEntry& head = entries_[static_cast<std::size_t>(first)];
            entries_[static_cast<std::size_t>(head.last)].next = added;
            head.last = added;
            return;
        }
        if ((used_ + 1) * 2 > slots_.size()) Grow();
        Place({added, std::hash<std::string_view>{}(identifier)});
        ++used_;
    }
    std::int64_t duplicates = 0;

  private:
    struct Slot {
        std::int64_t entry = -1;  // first entry of an identifier, -1 when empty
        std::size_t hash = 0;
    };
    static constexpr std::size_t kInitialSlots = 1024;
    void Place(Slot s) {
        std::size_t slot = s.hash & (slots_.size() - 1);
        while (slots_[slot].entry >= 0)
            slot = (slot + 1) & (slots_.size() - 1);
        slots_[slot] = s;
    }
    void Grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(std::max(kInitialSlots, old.size() * 2), Slot{});
        for (const Slot& s : old)
            if (s.entry >= 0) Place(s);
    }
    std::vector<RegistryEntry> entries_;
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

}  // namespace trelvane

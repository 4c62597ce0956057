#include "content/modKTVContentENT2.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <string>
#include <vector>

#include "config/Cp1252.h"
#include "content/ContentRun.h"
#include "run/ConversionStores.h"
#include "run/TextValues.h"

namespace trelvane {

namespace {

constexpr int kKindDTM = 4, kKindNAD = 5, kKindRFF = 6;

// An element key that carries the qualifier number ("NAD_" n "_3035"),
// built without allocation.
class Key {
  public:
    Key(std::string_view head, std::int64_t n, std::string_view tail) {
        head.copy(text_, head.size());
        length_ = head.size();
        auto r = std::to_chars(text_ + length_, text_ + length_ + 20, n);
        length_ = static_cast<std::size_t>(r.ptr - text_);
        tail.copy(text_ + length_, tail.size());
        length_ += tail.size();
    }
    operator std::string_view() const { return {text_, length_}; }

  private:
    char text_[64];
    std::size_t length_ = 0;
};

bool CheckComponent(SegmentContext& ctx, std::size_t i, std::size_t j, std::string_view key) {
    return CheckDataFormat(ctx.errors, ctx.components.pieces[j], ctx.index, key,
                           ComponentPosition(i, j), ctx.dossier);
}

void CheckAndStore(SegmentContext& ctx, int kind, std::int64_t occurrence, std::size_t i,
                   std::size_t j, std::string_view key) {
    if (CheckComponent(ctx, i, j, key))
        SaveDossData(0, kind, static_cast<int>(occurrence), static_cast<int>(i),
                     static_cast<int>(j), ctx.components.pieces[j]);
}

void MandatoryAndStore(SegmentContext& ctx, const Pieces& e, std::int64_t occurrence, std::size_t i,
                       std::string_view key) {
    if (CheckMandatorySimpleElement(e, i, ComponentSeparator(), ReleaseCharacter(), ctx.errors,
                                    ctx.index, key, ctx.dossier))
        SaveDossData(0, kKindNAD, static_cast<int>(occurrence), static_cast<int>(i), 0, e[i]);
}

// A name or street made of spaces only.
void BlankRule(SegmentContext& ctx, std::size_t i, std::string_view detail) {
    if (ctx.components.pieces[0].find_first_not_of(' ') == std::string_view::npos)
        AddContentError(ctx.errors, ctx.index, detail, "080", ComponentPosition(i, 0), ctx.dossier);
}

// One declarant in two dossiers of the file. The first duplicate of the run is
// reported on both NAD4 segments, every later one on its own segment only.
void DuplicateRule(SegmentContext& ctx, std::string_view identifier) {
    const std::int64_t first = Content().registry.Find(identifier);
    for (std::int64_t e = first; e >= 0;) {
        const RegistryEntry& entry = Content().registry.Entry(e);
        if (entry.segment != ctx.index) {
            const std::string detail = DetailText(identifier);
            if (Content().registry.duplicates == 0)
                AddContentError(ctx.errors, entry.segment, detail, "010",
                                ElementPosition(entry.element), entry.dossier);
            AddContentError(ctx.errors, ctx.index, detail, "010", "d2", ctx.dossier);
            ++Content().registry.duplicates;
            return;
        }
        e = entry.next;
    }
    Content().registry.Add(identifier, first, ctx.index, ctx.dossier);
}

}  // namespace

void ClearDuplicateIdentifierRegistry() {
    Content().registry.Clear();
}

void Traite_DTM1(SegmentContext& ctx) {
    RunRuleSet(ctx, "Traite_DTM1", kModENT2, "DTM1", [&](int& element) {
        const Pieces& e = CutSegment(ctx);
        element = 1;  // C507 date/time/period
        if (CutComposite(ctx, e, 1, 3, 3)) {
            CheckAndStore(ctx, kKindDTM, 1, 1, 0, "DTM_1_C507_2005");
            CheckAndStore(ctx, kKindDTM, 1, 1, 1, "DTM_C507_2380");
            // SSAAMMJJ
            const std::string_view date = ctx.components.pieces[1];
            const std::string_view year = date.substr(0, 4);
            const std::string_view month = date.size() > 4 ? date.substr(4, 2) : "";
            const std::string_view day =
                date.substr(date.size() - std::min<std::size_t>(2, date.size()));
            if (!IsValidDate(year, month, day))
                AddContentError(ctx.errors, ctx.index, "SSAAMMJJ", "415", ComponentPosition(1, 1),
                                ctx.dossier);
            CheckAndStore(ctx, kKindDTM, 1, 1, 2, "DTM_C507_2379");
        }
    });
}

void Traite_NAD134(SegmentContext& ctx, std::int64_t qualifier) {
    const std::int64_t n = qualifier;
    RunRuleSet(ctx, "Traite_NAD134", kModENT2, "NAD134", [&](int& element) {
        const Pieces& e = CutSegment(ctx);

        element = 1;  // 3035 party qualifier
        MandatoryAndStore(ctx, e, n, 1, Key("NAD_", n, "_3035"));

        element = 2;  // C082 party identification
        if (CutComposite(ctx, e, 2, 3, 3)) {
            CheckAndStore(ctx, kKindNAD, n, 2, 0, Key("NAD_", n, "_C082_3039"));
            if (n == 4) DuplicateRule(ctx, ctx.components.pieces[0]);
            CheckAndStore(ctx, kKindNAD, n, 2, 1, "NAD_C082_1131");
            CheckAndStore(ctx, kKindNAD, n, 2, 2, "NAD_C082_3055");
        }

        element = 3;  // C058
        CheckEmptyElement(ctx, e, 3);

        element = 4;  // C080 party name
        if (n == 4) {
            if (CutComposite(ctx, e, 4, 2, 2)) {
                CheckAndStore(ctx, kKindNAD, n, 4, 0, "NAD_4_C080_3036_1");
                BlankRule(ctx, 4, "1 à 5"_cp);
                CheckAndStore(ctx, kKindNAD, n, 4, 1, "NAD_4_C080_3036_2");
            }
        } else {
            MandatoryAndStore(ctx, e, n, 4, "NAD_C080_3036_1");
        }

        element = 5;  // C059 street
        if (CutComposite(ctx, e, 5, 1, 3)) {
            CheckAndStore(ctx, kKindNAD, n, 5, 0, "NAD_C059_3042_1");
            BlankRule(ctx, 5, "1 à 35"_cp);
            const std::size_t lines = ctx.components.pieces.size();
            if (lines >= 2) CheckAndStore(ctx, kKindNAD, n, 5, 1, "NAD_C059_3042_2");
            if (lines >= 3) CheckAndStore(ctx, kKindNAD, n, 5, 2, "NAD_C059_3042_3");
        }

        element = 6;  // 3164 city name
        MandatoryAndStore(ctx, e, n, 6, "NAD_3164");

        element = 7;  // C819
        CheckEmptyElement(ctx, e, 7);

        element = 8;  // 3251 postal code
        MandatoryAndStore(ctx, e, n, 8, "NAD_3251");

        element = 9;  // 3207 country code, when given
        if (e.size() > 9) MandatoryAndStore(ctx, e, n, 9, "NAD_3207");
    });
}

void Traite_NAD2(SegmentContext& ctx) {
    RunRuleSet(ctx, "Traite_NAD2", kModENT2, "NAD2", [&](int& element) {
        const Pieces& e = CutSegment(ctx);
        element = 1;  // 3035 party qualifier
        MandatoryAndStore(ctx, e, 2, 1, "NAD_2_3035");
        element = 2;  // C082 party identification
        if (CutComposite(ctx, e, 2, 3, 3)) {
            CheckAndStore(ctx, kKindNAD, 2, 2, 0, "NAD_2_C082_3039");
            CheckAndStore(ctx, kKindNAD, 2, 2, 1, "NAD_C082_1131");
            CheckAndStore(ctx, kKindNAD, 2, 2, 2, "NAD_C082_3055");
        }
    });
}

void Traite_RFF12(SegmentContext& ctx, std::int64_t qualifier) {
    const std::int64_t n = qualifier;
    RunRuleSet(ctx, "Traite_RFF12", kModENT2, "RFF12", [&](int& element) {
        const Pieces& e = CutSegment(ctx);
        element = 1;  // C506 reference
        if (CutComposite(ctx, e, 1, 2, 2)) {
            CheckAndStore(ctx, kKindRFF, n, 1, 0, Key("RFF_", n, "_C506_1153"));
            CheckAndStore(ctx, kKindRFF, n, 1, 1, "RFF_C506_1154");
        }
    });
}

}  // namespace trelvane

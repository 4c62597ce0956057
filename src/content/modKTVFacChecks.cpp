#include "content/modKTVFacChecks.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <unordered_map>

#include "config/Cp1252.h"
#include "config/RuntimeErrors.h"
#include "config/modIOfunctions.h"
#include "content/modKTVContentSEQ.h"
#include "run/modToolsFunctions.h"

namespace trelvane {

namespace {

bool g_facisOnly = false;

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// A code list is "0010.0011.": a code is present when its text occurs in it.
bool Has(std::string_view list, std::string_view code) {
    if (code.size() > list.size()) return false;
    // Codes are four digits, which only match themselves: compared four bytes
    // at a time (every code starts with '0', which defeats a search for the
    // first character).
    bool digits = code.size() == 4;
    for (char c : code)
        digits = digits && c >= '0' && c <= '9';
    if (digits) {
        std::uint32_t needle = 0;
        std::memcpy(&needle, code.data(), 4);
        // A window holding a non-digit cannot match: a non-digit at its last
        // place rules out the three windows starting before it as well, so a
        // list of "dddd." codes is read in two steps per code.
        for (std::size_t i = 0; i + 4 <= list.size();) {
            const char last = list[i + 3];
            if (last < '0' || last > '9') {
                i += 4;
                continue;
            }
            std::uint32_t word = 0;
            std::memcpy(&word, list.data() + i, 4);
            if (word == needle) return true;
            ++i;
        }
        return false;
    }
    for (std::size_t i = 0; i + code.size() <= list.size(); ++i) {
        std::size_t k = 0;
        while (k < code.size() && Lower(list[i + k]) == Lower(code[k]))
            ++k;
        if (k == code.size()) return true;
    }
    return false;
}

std::int32_t Checked32(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        throw RuntimeError(kErrOverflow);
    return static_cast<std::int32_t>(value);
}

template <class Visit>
void ForEachPiece(std::string_view list, std::string_view separator, Visit&& visit) {
    if (list.empty()) return;
    if (separator.empty()) {
        visit(list);
        return;
    }
    std::size_t start = 0;
    if (separator.size() == 1) {
        // Code lists are short pieces cut by one character: one byte loop
        // rather than a search call per piece.
        const char sep = separator[0];
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i] != sep) continue;
            visit(list.substr(start, i - start));
            start = i + 1;
        }
        visit(list.substr(start));
        return;
    }
    for (;;) {
        const std::size_t hit = list.find(separator, start);
        if (hit == std::string_view::npos) break;
        visit(list.substr(start, hit - start));
        start = hit + separator.size();
    }
    visit(list.substr(start));
}

// Equal texts; the usual four-character codes compared as one word rather
// than through a library call per pair.
bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (a.size() != 4) return a == b;
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::memcpy(&x, a.data(), 4);
    std::memcpy(&y, b.data(), 4);
    return x == y;
}

}  // namespace

std::string ListDuplicates(std::string_view list, std::string_view separator) {
    std::string result;
    auto add = [&](std::string_view code) {
        result += ';';
        result += code;
    };

    // The usual list holds a few codes: compared pairwise, without allocating.
    constexpr std::size_t kSmall = 32;
    std::array<std::string_view, kSmall> small;
    std::size_t count = 0;
    bool fits = true;
    ForEachPiece(list, separator, [&](std::string_view piece) {
        if (count < kSmall)
            small[count] = piece;
        else
            fits = false;
        ++count;
    });
    if (fits) {
        for (std::size_t i = 0; i < count; ++i) {
            if (small[i].empty()) continue;
            bool repeated = false;
            for (std::size_t j = i + 1; j < count; ++j) {
                if (!SameText(small[j], small[i])) continue;
                repeated = true;
                small[j] = {};  // counted once
            }
            if (repeated) add(small[i]);
        }
    } else {
        // A long list is counted in one pass so that it stays linear.
        std::unordered_map<std::string_view, int> seen;
        ForEachPiece(list, separator, [&](std::string_view piece) {
            if (!piece.empty()) ++seen[piece];
        });
        ForEachPiece(list, separator, [&](std::string_view piece) {
            if (piece.empty()) return;
            auto it = seen.find(piece);
            if (it->second > 1) add(piece);
            it->second = 0;
        });
    }
    if (!result.empty()) result.erase(0, 1);
    return result;
}

bool FacisOnlyDossier() {
    return g_facisOnly;
}
void SetFacisOnlyDossier(bool value) {
    g_facisOnly = value;
}

void CheckKTVFACData(SegmentContext& ctx) {
    DetailState& d = Detail();
    const std::string& main = d.MainFormCodes;
    auto report = [&](std::string_view detail, std::string_view code) {
        AddContentError(ctx.errors, ctx.index, detail, code, "d0", ctx.dossier);
    };
    try {
        // An empty declaration announces the single code 0000: nothing to check.
        if (main == "0000.") return;

        struct Pair {
            std::string_view a, b, code;
        };
        static constexpr Pair kExclusive[] = {
            {"0130", "0129", "20C"}, {"0132", "0131", "20D"}, {"0011", "0010", "212"},
            {"0013", "0012", "213"}, {"0015", "0014", "214"}, {"0001", "0061", "219"},
        };
        for (const Pair& p : kExclusive)
            if (Has(main, p.a) && Has(main, p.b)) report("", p.code);

        const std::string mainDuplicates = ListDuplicates(main, ".");
        if (!mainDuplicates.empty()) report(DetailText(mainDuplicates), "20H");

        bool has0124 = Has(main, "0124");
        bool has0016 = Has(main, "0016");
        bool anyFacce = false;
        bool anyFacis = false;

        if (GetFacChecksEnabled()) {
            for (int n = 1; n < d.UsedAnnexSlots; ++n) {
                const std::string& list = d.FacceCodes[static_cast<std::size_t>(n)];
                if (list.empty()) continue;
                anyFacce = true;
                // The sheet title is built only for a report: most annexes pass.
                const std::string number = std::to_string(n);  // short: no allocation
                auto sheet = [&] { return "Feuille annexe de calcul n°"_cp + number; };
                const bool has0139 = Has(list, "0139");
                const bool has0035 = Has(list, "0035");
                const bool has0045 = Has(list, "0045");
                if (!has0139) report(sheet(), "428");
                if (has0139 && list.size() < 6) report(sheet(), "429");
                if (Has(list, "0036") && !has0045) report(number, "239");
                if (Has(list, "0037") && !has0045) report(number, "239");
                if (Has(list, "0028") && !has0035) report(number, "240");
                if (Has(list, "0029") && !has0035) report(number, "240");
                const auto slot = static_cast<std::size_t>(n);
                if (Has(list, "0046") && (has0035 || has0045) &&
                    d.FacceSum0035And0045[slot] != d.FacceAmount0046[slot])
                    report(number, "234");
                if (Has(list, "0235") || Has(list, "0236") || Has(list, "0237") ||
                    Has(list, "0238"))
                    report("FAC : " + number, "2OL");
                if (!Has(list, "0055") && (has0035 || has0045))
                    d.SumAmount0055 =
                        Checked32(std::int64_t{d.SumAmount0055} + d.FacceSum0035And0045[slot]);
                // Code 0120 alone may be repeated in a calculation annex.
                const std::string duplicates = ListDuplicates(list, ".");
                if (!duplicates.empty() && duplicates != "0120")
                    report(DetailText("FAC n°"_cp + number + " : " + duplicates), "21H");
                if (Has(list, "0124")) has0124 = true;
                if (Has(list, "0016")) has0016 = true;
            }

            const std::int32_t difference =
                Checked32(std::int64_t{d.SumAmount0055} - std::int64_t{d.SumAmounts0010To0015});
            if (difference != 0 && anyFacce) report("", "237");

            for (int n = 1; n < d.UsedAnnexSlots; ++n) {
                const std::string& list = d.FacisCodes[static_cast<std::size_t>(n)];
                if (list.empty()) continue;
                anyFacis = true;
                const std::string number = std::to_string(n);  // short: no allocation
                auto sheet = [&] { return "FACIS revenus complementaires n°"_cp + number; };
                const bool has0139 = Has(list, "0139");
                if (!has0139) report(sheet(), "428");
                if (has0139 && list.size() < 6) report(sheet(), "429");
                const std::string duplicates = ListDuplicates(list, ".");
                if (!duplicates.empty())
                    report(DetailText("FACIS n°"_cp + number + " : " + duplicates), "21H");
                // Only the complementary income codes and the closing code belong here.
                for (std::size_t p = 0; p < list.size(); p += 5) {
                    const std::string_view code = std::string_view(list).substr(p, 4);
                    if ((code >= "0235" && code <= "0238") || code == "0139") continue;
                    report(DetailText("FACIS : " + std::string(code)), "2OL");
                }
            }
        }

        if (main.empty() && (anyFacce || (!anyFacce && !anyFacis))) report("", "431");
        g_facisOnly = main.empty() && anyFacis && !anyFacce;
        if (has0124 && !has0016) report("", "20K");
    } catch (const RuntimeError& error) {
        const std::string number = std::to_string(error.Number());
        Trace(number + ": Erreur non gérée"_cp, kModSEQ, "CheckKTVFACData");
        report("!" + number + "!", "777");
    }
}

}  // namespace trelvane

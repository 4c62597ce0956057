// Speed of the syntax checks (N0 then N1) on a generated ~100 MB interchange,
// well-formed and with 5 % of its segments broken.
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"
#include "syntax/modKTVSyntaxChecker.h"

using namespace trelvane;

namespace {

constexpr std::size_t kTargetBytes = 100u * 1024u * 1024u;

// Appends one dossier's segments; counts are right.
void AddMessage(std::vector<std::string>& out, long ref, std::mt19937& random) {
    const std::size_t unh = out.size();
    out.push_back("UNH+" + std::to_string(ref) + "+KTV:D:00B:UN:KTV001");
    out.push_back("BGM+KTV::ZZ+DOC" + std::to_string(ref));
    out.push_back("DTM+137:20251215:102");
    out.push_back("NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS++75001+FR");
    out.push_back("NAD+MR+CSEKTV:ZZ:ZZ");
    out.push_back("NAD+EM+EMP00001:ZZ:ZZ++SOCIETE MARTIN+3 AVENUE FOCH+LYON++69001+FR");
    out.push_back("NAD+DT+" + std::to_string(1750175000000LL + ref) +
                  ":ZZ:ZZ++DURAN:DURAND JEAN+8 PLACE BELLECOUR+LYON++69002+FR");
    const int groups = 3 + static_cast<int>(random() % 30);
    for (int g = 1; g <= groups; ++g) {
        out.push_back("SEQ++" + std::to_string(g));
        switch (random() % 6) {
            case 0:
                out.push_back("IND++KTVECE  250000000010RFF");
                out.push_back("RFF+ACD:X" + std::to_string(g));
                break;
            case 1:
                out.push_back("IND++KTVECE  250000000020CCI");
                out.push_back("CCI+++KTV");
                out.push_back("CAV+A");
                break;
            case 2:
                out.push_back("IND++KTVECE  250000000030FTX");
                out.push_back("FTX+AAA+++TEXTE LIBRE DU DECLARANT");
                break;
            case 3:
                out.push_back("IND++KTVECE  250000000040DTM");
                out.push_back("DTM+194:20250101:102");
                break;
            default:
                out.push_back("IND++KTVECE  250000000055MOA");
                out.push_back("MOA+203:" + std::to_string(random() % 100000));
                break;
        }
    }
    const std::size_t count = out.size() - unh + 1;
    out.push_back("UNT+" + std::to_string(count) + "+" + std::to_string(ref));
}

std::vector<std::string> WellFormed(std::mt19937& random) {
    std::vector<std::string> out = {
        "UNA:+,? ",
        "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+REF00000001+++++KTV001"};
    std::size_t bytes = 0;
    long ref = 0;
    while (bytes < kTargetBytes) {
        const std::size_t before = out.size();
        AddMessage(out, ++ref, random);
        for (std::size_t k = before; k < out.size(); ++k)
            bytes += out[k].size() + 1;
    }
    out.push_back("UNZ+" + std::to_string(ref) + "+REF00000001");
    return out;
}

// 5 % of the segments between the envelope ends dropped, duplicated, given
// an unknown tag, or (UNT) a wrong count.
std::vector<std::string> Broken(const std::vector<std::string>& good, std::mt19937& random) {
    std::vector<std::string> out;
    out.reserve(good.size() + good.size() / 40);
    out.push_back(good[0]);
    out.push_back(good[1]);
    for (std::size_t i = 2; i + 1 < good.size(); ++i) {
        if (random() % 100 >= 5) {
            out.push_back(good[i]);
            continue;
        }
        switch (random() % 4) {
            case 0:
                break;  // dropped
            case 1:
                out.push_back(good[i]);
                out.push_back(good[i]);
                break;
            case 2:
                out.push_back("XQZ" + good[i].substr(3));
                break;
            default:
                out.push_back(good[i].compare(0, 3, "UNT") == 0 ? "UNT+7+1" : "MOA+203:1");
                break;
        }
    }
    out.push_back(good.back());
    return out;
}

void Measure(const char* name, const std::vector<std::string>& segments) {
    std::string text;
    for (const std::string& s : segments) {
        text += s;
        text += '\'';
    }
    const double megabytes = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    SegmentTexts list = SplitFileIntoSegments(std::move(text), "'", "?");
    double best = 1e30;
    std::size_t records = 0;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        StringList errors = ManageCSyntaxKTV(list);
        const auto stop = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double>(stop - start).count());
        records = errors.size() - 1;
    }
    std::printf("%-12s %8.1f MB  %9zu segments  %8zu records  %7.3f s  %8.1f MB/s\n", name,
                megabytes, list.size(), records, best, megabytes / best);
}

}  // namespace

int main() {
    State().Delimiters = {"'", "+", ":", "?"};
    std::mt19937 random(2026);
    const std::vector<std::string> good = WellFormed(random);
    Measure("well-formed", good);
    Measure("5% broken", Broken(good, random));
    return 0;
}

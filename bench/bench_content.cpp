// Content check driver on a large interchange: 100 000 dossiers of the
// valid sample, each with its own declarant. Prints the time of one walk.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "config/Platform.h"
#include "content/modKTVContentChecker.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

namespace {

class BenchPlatform final : public trelvane::Platform {
  public:
    explicit BenchPlatform(std::string dir) : dir_(std::move(dir)) {}
    trelvane::MsgAnswer ShowMessage(std::string_view, std::string_view text, trelvane::MsgIcon,
                                    trelvane::MsgButtons) override {
        std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
        return trelvane::MsgAnswer::Ok;
    }
    void ShowStatus(std::string_view) override {}
    bool TraceMode() override { return false; }
    bool ErrorsOnly() override { return false; }
    bool ShowWarnings() override { return true; }
    std::string YearCamp() override { return "2025"; }
    std::string FilePath() override { return {}; }
    std::string ProcedureText() override { return {}; }
    int ProfileIndex() override { return 0; }
    std::string ProfileText() override { return {}; }
    trelvane::LocalDateTime Now() override { return {2026, 12, 5, 17, 45, 38}; }
    std::string ProgramDirectory() override { return dir_; }
    void EndApplication() override {}

  private:
    std::string dir_;
};

}  // namespace

int main(int argc, char** argv) {
    using namespace trelvane;
    const std::string dir = argc > 1 ? argv[1] : std::filesystem::current_path().string();
    BenchPlatform platform(dir);
    SetPlatform(&platform);
    State().Delimiters = {"'", "+", ":", "?"};

    const int dossiers = 100000;
    std::string text =
        "UNA:+,? 'UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+"
        "REF00000001+++++KTV001'";
    char nir[16];
    for (int d = 1; d <= dossiers; ++d) {
        const std::string ref = std::to_string(d);
        std::snprintf(nir, sizeof nir, "1750%09d", d);
        text += "UNH+" + ref + "+KTV:D:00B:UN:KTV001'BGM+KTV::ZZ+DOC0001'DTM+137:20251215:102'";
        text += "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS++75001+FR'";
        text += "NAD+MR+CSEKTV:ZZ:ZZ'";
        text += "NAD+EM+EMP00001:ZZ:ZZ++SOCIETE MARTIN+3 AVENUE FOCH+LYON++69001+FR'";
        text += std::string("NAD+DT+") + nir +
                ":ZZ:ZZ++DURAN:DURAND JEAN+8 PLACE BELLECOUR+LYON++69002+FR'";
        text += "SEQ++1'IND++KTVECE  250000000010MOA'MOA+203:15000'";
        text += "SEQ++2'IND++KTVECE  250000000055MOA'MOA+203:15000'";
        text += "UNT+14+" + ref + "'";
    }
    text += "UNZ+" + std::to_string(dossiers) + "+REF00000001'";
    const std::size_t bytes = text.size();
    SegmentList segments = SplitFileIntoSegments(std::move(text), "'", "?");

    const std::clock_t cpuStart = std::clock();
    const auto start = std::chrono::steady_clock::now();
    const StringList errors = ManageCContentKTV(segments);
    const auto end = std::chrono::steady_clock::now();
    const double ms = std::chrono::duration<double, std::milli>(end - start).count();
    const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::printf(
        "content check: %d dossiers, %zu segments, %.1f MB: %.1f ms (%.1f ms CPU), "
        "%zu records\n",
        dossiers, segments.size(), static_cast<double>(bytes) / 1e6, ms, cpuMs, errors.size() - 1);
    SetPlatform(nullptr);
    return 0;
}

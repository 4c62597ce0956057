// Building the FNS3 records of many generated dossiers, the stores filled
// directly. Usage: bench_fns3 [dossiers] [data directory]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchSupport.h"
#include "config/Platform.h"
#include "content/ReferenceTables.h"
#include "content/modKTVContentSEQ.h"
#include "conversion/modKTVConversionFunctions.h"
#include "run/modMainFunctions.h"

namespace {

using namespace trelvane;

std::string Ind(const char* form, const char* number, const char* code, const char* target) {
    std::string value = form;
    value.resize(8, ' ');
    return value + "25" + number + "00" + code + target;
}

// One dossier: a main form of twelve amounts, a calculation annex with its
// company, amounts and a free text, a complementary income annex.
void FillDossier(std::int64_t n) {
    ResetDossData();
    const std::string id = std::to_string(1750175000000 + n);
    SaveDossData(0, 2, 1, 2, 0, "DOC" + std::to_string(n));
    const char* qualifiers[] = {"MS", "MR", "EM", "DT"};
    for (int p = 1; p <= 4; ++p) {
        SaveDossData(0, 5, p, 1, 0, qualifiers[p - 1]);
        SaveDossData(0, 5, p, 2, 0, p == 4 ? id : "PARTY" + std::to_string(p));
        SaveDossData(0, 5, p, 4, 0, "Duran");
        SaveDossData(0, 5, p, 4, 1, "Durand Jean-Pierre");
        SaveDossData(0, 5, p, 5, 0, "12 rue des Lilas");
        SaveDossData(0, 5, p, 5, 1, "Batiment ?+B");
        SaveDossData(0, 5, p, 6, 0, "Lyon");
        SaveDossData(0, 5, p, 8, 0, "69002");
    }
    SaveDossData(0, 6, 1, 1, 1, "REF1");
    SaveDossData(0, 6, 2, 1, 1, "REF2");
    std::int64_t g = 0;
    auto moa = [&](const char* form, const char* number, const char* code, std::int64_t amount) {
        ++g;
        SaveDossData(g, 7, 1, 2, 0, std::to_string(g));
        SaveDossData(g, 8, 1, 2, 0, Ind(form, number, code, "MOA"));
        SaveDossData(g, 9, 1, 1, 1, std::to_string(amount));
    };
    for (int i = 0; i < 12; ++i)
        moa("KTVECE", "0000", "0010", 1000 + i);
    ++g;
    SaveDossData(g, 8, 1, 2, 0, Ind("FACCE", "0001", "0050", "NAD"));
    SaveDossData(g, 5, 5, 2, 0, "552100554");
    SaveDossData(g, 5, 5, 4, 0, "Garage du Centre");
    moa("FACCE", "0001", "0035", 300);
    moa("FACCE", "0001", "0045", 200);
    ++g;
    SaveDossData(g, 8, 1, 2, 0, Ind("FACCE", "0001", "0120", "FTX"));
    SaveDossData(g, 10, 1, 4, 0, "Pieces jointes au dossier, voir courrier");
    ++g;
    SaveDossData(g, 8, 1, 2, 0, Ind("FACCE", "0001", "0139", "CCI"));
    SaveDossData(g, 13, 1, 1, 0, "O");
    moa("FACIS", "0001", "0235", 80);
    ++g;
    SaveDossData(g, 8, 1, 2, 0, Ind("FACIS", "0001", "0139", "CCI"));
    SaveDossData(g, 13, 1, 1, 0, "O");
}

}  // namespace

int main(int argc, char** argv) {
    const std::int64_t dossiers = argc > 1 ? std::atoll(argv[1]) : 100000;
    const std::string dataDir =
        argc > 2 ? argv[2]
                 : (std::filesystem::path(__FILE__).parent_path().parent_path() / "data").string();
    // The program directory is a scratch copy: a failure trace never lands
    // in the source tree.
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / "trelvane_bench_fns3";
    std::filesystem::create_directories(scratch / "logs");
    std::filesystem::copy_file(std::filesystem::path(dataDir) / "tbl_code_segment.txt",
                               scratch / "tbl_code_segment.txt",
                               std::filesystem::copy_options::overwrite_existing);
    bench::BenchPlatform platform({}, "2026", scratch.string());
    SetPlatform(&platform);
    Initialise_Table_Codes_Segments_Lib();
    State().Delimiters = {"'", "+", ":", "?"};

    SegmentTexts segments;
    segments.push_back("UNA:+,? ");
    segments.push_back("UNB+UNOC:3+SENDER01:ZZ+CSEKTV:ZZ+251215:1030+REF1");
    for (std::int64_t d = 0; d < dossiers; ++d) {
        segments.push_back("UNH+1");
        segments.push_back("UNT+2+1");
    }
    segments.push_back("UNZ+1+REF1");
    State().Segments = std::move(segments);
    SaveInterchData(2, 2, 0, "SENDER01");
    SaveInterchData(2, 4, 0, "251215");
    SaveInterchData(2, 4, 1, "1030");
    SaveInterchData(2, 5, 0, "REF1");
    SaveInterchData(2, 10, 0, "KTV001");
    SaveInterchData(2, 11, 0, "T");

    InitFNS3Lines();
    ResetDossData();
    using Clock = std::chrono::steady_clock;
    Clock::duration building{};
    const auto start = Clock::now();
    for (std::int64_t d = 1; d <= dossiers; ++d) {
        FillDossier(d);
        const auto before = Clock::now();
        ConvertDossierToFNS3(d, 1);
        building += Clock::now() - before;
    }
    const double total = std::chrono::duration<double>(Clock::now() - start).count();
    const double build = std::chrono::duration<double>(building).count();

    const Fns3LineList& lines = FNS3Lines();
    std::size_t bytes = 0;
    for (std::size_t i = 1; i < lines.size(); ++i)
        bytes += lines[i].size() + 2;
    const double mb = static_cast<double>(bytes) / 1e6;
    std::printf("dossiers            %lld\n", static_cast<long long>(dossiers));
    std::printf("FNS3 lines          %zu (%.1f MB with CR LF)\n", lines.size() - 1, mb);
    std::printf("failed dossiers     %zu\n", FailedConversions().size());
    std::printf("record building     %.3f s, %.1f MB/s\n", build, build > 0 ? mb / build : 0.0);
    std::printf("with store filling  %.3f s, %.1f MB/s\n", total, total > 0 ? mb / total : 0.0);
    SetPlatform(nullptr);
    std::filesystem::remove_all(scratch);
    return 0;
}

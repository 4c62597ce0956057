// Time of the content report and of the coloured display into the plain
// sink, on report sizes users meet: 3 999 content records (the largest
// report built without asking) and 20 000 segments each with element errors.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/Platform.h"
#include "content/ReferenceTables.h"
#include "reports/PlainTextSink.h"
#include "reports/modDisplayFunctions.h"
#include "run/modMainFunctions.h"

using namespace trelvane;

namespace {

template <typename F>
double Seconds(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    SilentPlatform platform;
    platform.yearCamp = "2006";
    platform.filePath = "bench.edi";
    platform.procedureText = std::string(kProcedureText);
    SetPlatform(&platform);
    const auto dir = std::filesystem::temp_directory_path() / "trelvane_bench_reports";
    std::filesystem::create_directories(dir);
    platform.programDirectory = dir.string();
    std::ofstream(dir / "tbl_code_erreur_libelle.txt", std::ios::binary)
        << "800 rej Numerique attendu\r\n";
    Initialise_Table_Erreurs_Lib();
    PlainTextSink syntax, content, coloured;
    SetReportPanes({&syntax, &content, &coloured});

    RunState& s = State();
    s.Delimiters = {"'", "+", ":", "?"};
    const std::size_t n = 20000;
    for (std::size_t i = 0; i < n; ++i)
        s.Segments.push_back(
            "NAD+DT+1750175123456:ZZ:ZZ++DURAN:DURAND JEAN+8 PLACE BELLECOUR+"
            "LYON++69002+FR");
    s.DossierInfo.clear();
    for (std::size_t d = 0; d < n / 10; ++d)
        s.DossierInfo.push_back({std::to_string(d + 1), std::to_string(d * 10),
                                 std::to_string(d * 10 + 9), "1750175123456"});

    s.ContentErrors = {"[Contenu]"};
    for (std::size_t k = 0; k < 3999; ++k) {
        const std::size_t seg = k * 5;
        s.ContentErrors.push_back(std::to_string(seg) + ",Numerique Attendu,d2:0," +
                                  std::to_string(seg / 10 + 1) + ",800");
    }
    const double contentTime = Seconds([] { Display_Content_Errors(); });

    s.ErrorsBySegment.Reset(n);
    for (std::size_t i = 0; i < n; ++i)
        for (const char* position : {"d2:0", "d5", "d8"})
            s.ErrorsBySegment.AddPosition(i, position);
    const double colouredTime = Seconds([] { DisplayColouredFile(false, 0, 19999); });

    std::printf("content report, 3999 records: %.4f s (%zu bytes)\n", contentTime,
                content.PlainText().size());
    std::printf("coloured display, 20000 segments with element errors: %.4f s (%zu bytes)\n",
                colouredTime, coloured.PlainText().size());
    return 0;
}

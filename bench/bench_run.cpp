// The whole headless run (MainTest: split, N0, N1, content checks, FNS3
// building, the three reports into sinks that keep nothing) on a generated
// file: seconds, MB/s and peak memory.
//   bench_run [FILE [YEAR]]   (default: 100 MB generated with gen_ktv beside this program)
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchSupport.h"
#include "config/Platform.h"
#include "driver/MainTest.h"
#include "reports/NullSink.h"
#include "reports/modDisplayFunctions.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

using namespace trelvane;
namespace fs = std::filesystem;

int main(int argc, char** argv) {
    bench::BenchInput in;
    if (!bench::ReadInput(argc, argv, "bench_run", in)) return 1;
    const std::string& path = in.path;
    const bool generated = in.generated;
    const double mb = static_cast<double>(fs::file_size(path)) / (1024.0 * 1024.0);

    bench::BenchPlatform platform(path, in.year, in.dataDir);
    SetPlatform(&platform);
    SetFacChecksEnabled(true);
    NullSink syntax, content, coloured;
    SetReportPanes({&syntax, &content, &coloured});

    const auto t0 = std::chrono::steady_clock::now();
    MainTest();
    const auto t1 = std::chrono::steady_clock::now();
    if (generated) std::remove(path.c_str());

    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const double s = std::chrono::duration<double>(t1 - t0).count();
    const double rssMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    const RunState& st = State();
    std::printf("file           %.1f MB, %zu segments, %zu dossiers\n", mb, st.Segments.size(),
                st.DossierInfo.size());
    std::printf("errors         %zu syntax, %zu content\n",
                st.SyntaxErrors.empty() ? 0 : st.SyntaxErrors.size() - 1,
                st.ContentErrors.empty() ? 0 : st.ContentErrors.size() - 1);
    std::printf("run            %.3f s  %.0f MB/s (target about 1 s for 100 MB)\n", s, mb / s);
    std::printf("peak RSS       %.0f MB  %.2fx the file (target at most 3x)\n", rssMb, rssMb / mb);
    std::printf("report text    %zu + %zu + %zu bytes\n", syntax.bytes, content.bytes,
                coloured.bytes);
    return 0;
}

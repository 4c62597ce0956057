// The content checks alone (the check driver, every rule set, the annex
// checks and the FNS3 records built at each UNT) over a generated file, cut
// into segments beforehand. The walk is timed five times, each on a fresh
// cut of the text; the median is the figure.
//   bench_content [FILE [YEAR]]   (default: 100 MB generated with gen_ktv beside this program)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "config/Platform.h"
#include "config/modIOfunctions.h"
#include "content/modKTVContentChecker.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

using namespace trelvane;

int main(int argc, char** argv) {
    bench::BenchInput in;
    if (!bench::ReadInput(argc, argv, "bench_content", in)) return 1;
    const std::string& path = in.path;
    const bool generated = in.generated;
    bench::BenchPlatform platform(path, in.year, in.dataDir);
    SetPlatform(&platform);
    SetFacChecksEnabled(true);
    const std::string text = ImportFileContent(path);
    if (generated) std::remove(path.c_str());
    const double mb = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    State().Delimiters = {"'", "+", ":", "?"};

    std::vector<double> seconds;
    std::size_t segments = 0, records = 0;
    for (int run = 0; run < 5; ++run) {
        State().Segments = SegmentTexts();
        State().Segments = SplitFileIntoSegments(text, "'", "?");
        segments = State().Segments.size();
        const auto start = std::chrono::steady_clock::now();
        const StringList errors = ManageCContentKTV(State().Segments);
        const auto end = std::chrono::steady_clock::now();
        records = errors.size() - 1;
        seconds.push_back(std::chrono::duration<double>(end - start).count());
        std::printf("run %d         %.3f s  %.0f MB/s\n", run + 1, seconds.back(),
                    mb / seconds.back());
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf("file          %.1f MB (joined lines), %zu segments, %zu content records\n", mb,
                segments, records);
    std::printf("content       median %.3f s  %.0f MB/s (target at least 100 MB/s)\n", median,
                mb / median);
    SetPlatform(nullptr);
    return 0;
}

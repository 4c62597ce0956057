// Reading and splitter throughput: a generated 100 MB interchange read (with
// and without its digest), cut into segments, then every segment into data
// elements and every element into components.
//   bench_split [FILE]   (default: generates one with gen_ktv beside this program)
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchSupport.h"
#include "config/modIOfunctions.h"
#include "run/TestedFile.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

using namespace trelvane;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

}  // namespace

int main(int argc, char** argv) {
    std::string path;
    if (argc > 1) {
        path = argv[1];
    } else {
        path = bench::GenerateFile("bench_split", "--size-mb 100 --seed 7");
        if (path.empty()) return 1;
    }
    // The file as the run reads it: lines joined with nothing between them.
    const std::size_t rawSize = std::filesystem::file_size(path);
    const auto r0 = Clock::now();
    std::string text = ImportFileContent(path);
    const auto r1 = Clock::now();
    // The same read with the file's digest and UTF-8 check made beside it,
    // as a run does: the difference is what they cost the run.
    {
        TestedFile tested;
        std::string again;
        ReadTestedFile(path, again, tested);
    }
    const auto r2 = Clock::now();
    if (argc <= 1) std::remove(path.c_str());
    // Throughput counts the file as stored (line ends included), as bench_run does.
    const double mb = static_cast<double>(rawSize) / (1024.0 * 1024.0);
    State().Delimiters = {"'", "+", ":", "?"};

    const auto t0 = Clock::now();
    SegmentList segments = SplitFileIntoSegments(std::move(text), "'", "?");
    const auto t1 = Clock::now();

    SplitScratch elements, components;
    std::size_t elementCount = 0, componentCount = 0;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        SplitInto(segments[i], "+", "?", elements);
        elementCount += elements.pieces.size();
        for (std::string_view e : elements.pieces) {
            SplitInto(e, ":", "?", components);
            componentCount += components.pieces.size();
        }
    }
    const auto t2 = Clock::now();

    const double seg = Seconds(t0, t1), elem = Seconds(t1, t2), all = Seconds(t0, t2);
    std::printf("file            %.1f MB, %zu segments, %zu elements, %zu components\n", mb,
                segments.size(), elementCount, componentCount);
    const double read = Seconds(r0, r1), hashed = Seconds(r1, r2);
    std::printf("read            %.3f s  %7.0f MB/s\n", read, mb / read);
    std::printf("read + SHA-256  %.3f s  %7.0f MB/s (digest on a second thread)\n", hashed,
                mb / hashed);
    std::printf("segments        %.3f s  %7.0f MB/s\n", seg, mb / seg);
    std::printf("elements+comps  %.3f s  %7.0f MB/s\n", elem, mb / elem);
    std::printf("whole cut       %.3f s  %7.0f MB/s (target 300 MB/s)\n", all, mb / all);
    return 0;
}

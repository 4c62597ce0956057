// Splitter throughput: a generated 100 MB interchange cut into segments,
// then every segment into data elements and every element into components.
//   bench_split [FILE]   (default: generates one with gen_ktv beside this program)
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

using namespace trelvane;
using Clock = std::chrono::steady_clock;

namespace {

std::string ExeDir() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string p(buf, static_cast<std::size_t>(n));
    return p.substr(0, p.find_last_of('/'));
}

// The file as the run reads it: lines joined with nothing between them.
std::string ReadJoined(const std::string& path, std::size_t& rawSize) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    std::string raw = ss.str();
    rawSize = raw.size();
    std::string out;
    out.reserve(raw.size());
    for (char c : raw)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

double Seconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

}  // namespace

int main(int argc, char** argv) {
    std::string path;
    if (argc > 1) {
        path = argv[1];
    } else {
        path = "/tmp/bench_split_" + std::to_string(::getpid()) + ".edi";
        const std::string cmd = ExeDir() + "/gen_ktv --size-mb 100 --seed 7 -o " + path;
        if (std::system(cmd.c_str()) != 0) {
            std::fprintf(stderr, "bench_split: cannot run %s\n", cmd.c_str());
            return 1;
        }
    }
    std::size_t rawSize = 0;
    std::string text = ReadJoined(path, rawSize);
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
    std::printf("segments        %.3f s  %7.0f MB/s\n", seg, mb / seg);
    std::printf("elements+comps  %.3f s  %7.0f MB/s\n", elem, mb / elem);
    std::printf("whole cut       %.3f s  %7.0f MB/s (target 300 MB/s)\n", all, mb / all);
    return 0;
}

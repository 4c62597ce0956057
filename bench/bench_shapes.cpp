// Whole headless runs (MainTest, reports into sinks that keep nothing) on
// hostile shapes of file beside a generated valid one of the same size:
// every stage must stay linear, each shape within a factor of 3 of the
// valid file's time per MB.
//   bench_shapes [MB]   (default 10; the million tiny dossiers make 45 MB)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "reports/NullSink.h"
#include "reports/modDisplayFunctions.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

using namespace trelvane;
namespace fs = std::filesystem;

namespace {

constexpr const char* kHead = "UNA:+,? '\r\nUNB+UNOC:3+S:ZZ+R:ZZ+251215:1030+REF1'\r\n";
constexpr const char* kUnh = "UNH+1+KTV:D:00B:UN:KTV001'\r\n";
constexpr const char* kTail = "UNZ+1+REF1'\r\n";

std::string Repeat(const std::string& piece, std::size_t bytes) {
    std::string out;
    out.reserve(bytes + piece.size());
    while (out.size() < bytes)
        out += piece;
    return out;
}

std::string Write(const std::string& name, const std::string& text) {
    const std::string path = "/tmp/bench_shapes_" + name + ".edi";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// Seconds of the best of three runs of path.
double Time(const std::string& path, const std::string& dataDir) {
    bench::BenchPlatform platform(path, "2025", dataDir);
    SetPlatform(&platform);
    double best = 1e9;
    for (int k = 0; k < 3; ++k) {
        const auto t0 = std::chrono::steady_clock::now();
        MainTest();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double>(t1 - t0).count());
    }
    SetPlatform(nullptr);
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t mb = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10;
    const std::size_t bytes = mb << 20;
    const std::string dataDir = bench::FindDataDir();
    if (dataDir.empty()) return 1;
    SetFacChecksEnabled(true);
    NullSink syntax, content, coloured;
    SetReportPanes({&syntax, &content, &coloured});

    struct Shape {
        const char* name;
        std::string path;
    };
    std::vector<Shape> shapes;
    shapes.push_back({"valid (gen_ktv)",
                      bench::GenerateFile("bench_shapes_valid",
                                          "--size-mb " + std::to_string(mb) + " --year 2025")});
    if (shapes[0].path.empty()) return 1;
    shapes.push_back({"repeated UNT", Write("unt", kHead + Repeat("UNT+3+1'\r\n", bytes) + kTail)});
    shapes.push_back({"repeated UNH", Write("unh", kHead + Repeat(kUnh, bytes) + kTail)});
    shapes.push_back({"repeated UNZ", Write("unz", kHead + Repeat(kTail, bytes) + kTail)});
    shapes.push_back({"one huge segment",
                      Write("huge", kHead + std::string(kUnh) + "FTX+AAA+++" +
                                        std::string(bytes, 'X') + "'\r\nUNT+3+1'\r\n" + kTail)});
    // Each its own message reference, as a generator of real files would write.
    std::string tiny = kHead;
    for (int n = 1; n <= 1000000; ++n) {
        const std::string ref = std::to_string(n);
        tiny += "UNH+" + ref + "+KTV:D:00B:UN:KTV001'\r\nUNT+2+" + ref + "'\r\n";
    }
    shapes.push_back({"a million tiny dossiers", Write("tiny", tiny + "UNZ+1000000+REF1'\r\n")});

    std::printf("%-26s %8s %9s %9s %7s\n", "shape", "MB", "s", "ms/MB", "x valid");
    double validPerMb = 0;
    for (const Shape& s : shapes) {
        const double size = static_cast<double>(fs::file_size(s.path)) / (1024.0 * 1024.0);
        const double seconds = Time(s.path, dataDir);
        const double perMb = seconds * 1000.0 / size;
        if (validPerMb == 0) validPerMb = perMb;
        std::printf("%-26s %8.1f %9.3f %9.1f %7.1f\n", s.name, size, seconds, perMb,
                    perMb / validPerMb);
        std::remove(s.path.c_str());
    }
    std::printf("(target: every shape at most 3.0 x the valid file's time per MB)\n");
    return 0;
}

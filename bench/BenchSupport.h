// What the benchmarks share: where they run from, and a generated input file
// when none is given.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace trelvane::bench {

inline std::string ExeDir() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string p(buf, static_cast<std::size_t>(n));
    return p.substr(0, p.find_last_of('/'));
}

// Writes a temporary file with gen_ktv (built beside the benchmarks) and
// returns its path, "" when the generator failed.
inline std::string GenerateFile(const char* name, const std::string& options) {
    const std::string path =
        "/tmp/" + std::string(name) + "_" + std::to_string(::getpid()) + ".edi";
    const std::string cmd = ExeDir() + "/gen_ktv " + options + " -o " + path;
    if (std::system(cmd.c_str()) != 0) {
        std::fprintf(stderr, "%s: cannot run %s\n", name, cmd.c_str());
        return {};
    }
    return path;
}

}  // namespace trelvane::bench

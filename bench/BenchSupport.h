// What the benchmarks share: where they run from, the reference tables, a
// generated input file when none is given, and a platform that answers
// without asking anyone.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "config/Platform.h"

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

// A directory holding parametres.ini and the tables: the batch program's
// build directory, or the sources' data directory above the build tree.
inline std::string FindDataDir() {
    namespace fs = std::filesystem;
    const fs::path exe = ExeDir();
    if (fs::exists(exe / "../src/cli/parametres.ini")) return (exe / "../src/cli").string();
    for (fs::path p = exe; !p.empty() && p != p.root_path(); p = p.parent_path())
        if (fs::exists(p / "data/parametres.ini")) return (p / "data").string();
    return {};
}

// What a whole-file benchmark reads: `NAME [FILE [YEAR]]`, a 100 MB file
// generated for the year when no file is named (the caller removes it).
struct BenchInput {
    std::string path;
    std::string year = "2025";
    bool generated = false;
    std::string dataDir;
};
inline bool ReadInput(int argc, char** argv, const char* name, BenchInput& in) {
    if (argc > 1) in.path = argv[1];
    if (argc > 2) in.year = argv[2];
    in.generated = in.path.empty();
    if (in.generated) {
        in.path = GenerateFile(name, "--size-mb 100 --seed 11 --year " + in.year);
        if (in.path.empty()) return false;
    }
    in.dataDir = FindDataDir();
    if (in.dataDir.empty()) {
        std::fprintf(stderr, "%s: parametres.ini not found\n", name);
        return false;
    }
    return true;
}

// Says yes to every question and prints the first few messages: a run that
// shows one did not measure what it meant to.
class BenchPlatform final : public SilentPlatform {
  public:
    BenchPlatform(std::string file, std::string year, std::string dir) {
        filePath = std::move(file);
        yearCamp = std::move(year);
        programDirectory = std::move(dir);
        procedureText = "EDI KTV";
        now = {2026, 1, 15, 10, 30, 0};
    }
    MsgAnswer ShowMessage(std::string_view title, std::string_view text, MsgIcon icon,
                          MsgButtons buttons) override {
        if (++shown_ <= 5)
            std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
        return SilentPlatform::ShowMessage(title, text, icon, buttons);
    }

  private:
    int shown_ = 0;
};

}  // namespace trelvane::bench

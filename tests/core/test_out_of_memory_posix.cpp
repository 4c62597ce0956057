// A run that runs out of memory ends cleanly with "7 - Mémoire insuffisante":
// the batch front end exits 5 with nothing printed or written, and in the
// desktop's process the run is withheld with its state emptied. Memory is
// limited with setrlimit in a child process.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "run/modMainFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;

class OutOfMemory : public ::testing::Test {
  protected:
    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        GTEST_SKIP() << "the sanitizer reserves more address space than any limit allows";
#endif
        // About 20 MB of dossiers: the run needs several times that.
        const std::string sample = ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/valide.edi");
        const std::size_t unh = sample.find("UNH+"), unz = sample.find("UNZ+");
        std::string text = sample.substr(0, unh);
        while (text.size() < (std::size_t{20} << 20))
            text += sample.substr(unh, unz - unh);
        WriteBytes(file, text + sample.substr(unz));
    }
    void TearDown() override {
        RemoveTree(dir);
    }

    // Runs body in a child process; its exit status.
    template <typename Body>
    static int InChild(Body&& body) {
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) ::_exit(body());
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // The address space may grow by `room` bytes beyond `base` only.
    static void LimitMemory(std::size_t base, std::size_t room) {
        const rlimit limit{base + room, base + room};
        ::setrlimit(RLIMIT_AS, &limit);
    }
    static std::size_t AddressSpaceNow() {
        long pages = 0;
        if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
            std::fclose(statm);
        }
        return static_cast<std::size_t>(pages) * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    }

    std::string dir = MakeTempDir();
    std::string file = dir + "/gros.edi";
};

TEST_F(OutOfMemory, BatchFrontEndSaysSoAndWritesNothing) {
    const std::string out = dir + "/out.txt", err = dir + "/err.txt";
    const std::string convert = "--convertir=" + dir + "/sortie";
    const int code = InChild([&] {
        LimitMemory(0, std::size_t{32} << 20);
        ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        ::execl(TRELVANE_CHECK_EXE, "trelvane-check", "-q", "-a", "2025", convert.c_str(),
                file.c_str(), static_cast<char*>(nullptr));
        return 127;
    });
    EXPECT_EQ(code, 5);
    EXPECT_EQ(ReadBytes(out), "");
    EXPECT_NE(ReadBytes(err).find("7 - Mémoire insuffisante"), std::string::npos) << ReadBytes(err);
    EXPECT_FALSE(fs::exists(dir + "/sortie/FNS3") || fs::exists(dir + "/sortie/CR_Erreurs"));
}

TEST_F(OutOfMemory, RunIsWithheldWithItsStateEmptied) {
    ScriptedPlatform platform;
    platform.filePath = file;
    const int code = InChild([&] {
        LimitMemory(AddressSpaceNow(), std::size_t{24} << 20);
        MainTest();
        const RunState& s = State();
        if (s.Withheld != WithheldReason::OutOfMemory) return 1;
        if (!s.Segments.empty() || !s.SyntaxErrors.empty() || !s.ContentErrors.empty()) return 2;
        // The last word is the lack of memory, whatever stage ran out.
        if (platform.messages.empty()) return 3;
        return U(platform.messages.back().text).starts_with("7 - Mémoire insuffisante\r\n") ? 0 : 4;
    });
    EXPECT_EQ(code, 0);
}

}  // namespace
}  // namespace trelvane::test

// A run that runs out of memory ends cleanly: trelvane-check, started with
// its address space limited by setrlimit, says "7 - Mémoire insuffisante",
// exits 5 and neither prints nor writes anything; a file whose next piece
// cannot be made is not left behind half written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <new>
#include <string>

#include "config/modIOfunctions.h"
#include "support/TestFiles.h"

namespace trelvane::test {
namespace {

TEST(OutOfMemory, BatchFrontEndSaysSoAndWritesNothing) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves more address space than any limit allows";
#endif
    const std::string dir = MakeTempDir();
    const std::string file = dir + "/gros.edi", out = dir + "/out.txt", err = dir + "/err.txt";
    const std::string convert = "--convertir=" + dir + "/sortie";
    // About 20 MB of dossiers: the run needs several times that.
    const std::string sample = ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/valide.edi");
    const std::size_t unh = sample.find("UNH+"), unz = sample.find("UNZ+");
    std::string text = sample.substr(0, unh);
    while (text.size() < (std::size_t{20} << 20))
        text += sample.substr(unh, unz - unh);
    WriteBytes(file, text + sample.substr(unz));

    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const rlimit limit{32 << 20, 32 << 20};
        ::setrlimit(RLIMIT_AS, &limit);
        ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        ::execl(TRELVANE_CHECK_EXE, "trelvane-check", "-q", "-a", "2025", convert.c_str(),
                file.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 5) << status;
    EXPECT_EQ(ReadBytes(out), "");
    EXPECT_NE(ReadBytes(err).find("7 - Mémoire insuffisante"), std::string::npos) << ReadBytes(err);
    EXPECT_FALSE(std::filesystem::exists(dir + "/sortie/FNS3") ||
                 std::filesystem::exists(dir + "/sortie/CR_Erreurs"));
    RemoveTree(dir);
}

TEST(OutOfMemory, FileWrittenPieceByPieceIsWholeOrAbsent) {
    const std::string dir = MakeTempDir();
    int pieces = 0;
    EXPECT_THROW(WriteFileAtomically(dir + "/FNS3.oth",
                                     [&]() -> std::string_view {
                                         if (++pieces == 3) throw std::bad_alloc();
                                         return "ANS1";
                                     }),
                 std::bad_alloc);
    EXPECT_TRUE(std::filesystem::is_empty(dir));
    RemoveTree(dir);
}

}  // namespace
}  // namespace trelvane::test

// The file layer on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "config/FileSystem.h"
#include "config/RuntimeErrors.h"

namespace trelvane::os {

namespace {

int FromErrno(int err) {
    switch (err) {
        case 0:
            return 0;
        case ENOENT:
        case ENOTDIR:
            return kErrPathNotFound;
        case EEXIST:
            return kErrFileAlreadyExists;
        case EACCES:
        case EPERM:
        case EROFS:
            return kErrPermission;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return kErrDiskFull;
        case ENAMETOOLONG:
        case EINVAL:
            return kErrBadFileName;
        default:
            return kErrPathFileAccess;
    }
}

FileKind KindOf(const struct stat& st) {
    if (S_ISREG(st.st_mode)) return FileKind::Regular;
    if (S_ISDIR(st.st_mode)) return FileKind::Directory;
    if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) return FileKind::Pipe;
    return FileKind::Device;
}

int Fd(std::intptr_t handle) {
    return static_cast<int>(handle);
}

int Describe(int fd, FileKind& kind, std::uint64_t& size) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return FromErrno(errno);
    kind = KindOf(st);
    size = static_cast<std::uint64_t>(st.st_size);
    return 0;
}

// Writes everything, going on after a write cut short by a signal.
int WriteAll(int fd, std::string_view data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return FromErrno(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

}  // namespace

const char kPathSeparator = '/';

bool IsPathSeparator(char c) {
    return c == '/';
}

FileStatus StatusOf(const std::string& path) {
    FileStatus status;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        status.error = FromErrno(errno);
        return status;
    }
    status.kind = KindOf(st);
    status.size = static_cast<std::uint64_t>(st.st_size);
    status.volume = static_cast<std::uint64_t>(st.st_dev);
    status.index = static_cast<std::uint64_t>(st.st_ino);
    status.modified =
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return status;
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

int MakeDirectory(const std::string& path) {
    return ::mkdir(path.c_str(), 0777) == 0 ? 0 : FromErrno(errno);
}

int RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : FromErrno(errno);
}

std::vector<std::string> EntriesOlderThan(const std::string& directory, std::chrono::seconds age) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(directory.c_str());
    if (!dir) return names;
    const std::time_t limit = std::time(nullptr) - static_cast<std::time_t>(age.count());
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode) && st.st_mtime < limit)
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

InputFile::~InputFile() {
    if (owned_) ::close(Fd(handle_));
}

int InputFile::Open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? kErrFileNotFound : FromErrno(errno);
    handle_ = fd;
    owned_ = true;
    return Describe(fd, kind_, size_);
}

int InputFile::OpenStandardInput() {
    handle_ = STDIN_FILENO;
    return Describe(STDIN_FILENO, kind_, size_);
}

std::size_t InputFile::Read(char* buffer, std::size_t size, int& error) {
    for (;;) {
        const ssize_t n = ::read(Fd(handle_), buffer, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) {
            error = FromErrno(errno);
            return 0;
        }
    }
}

OutputFile::~OutputFile() {
    if (handle_ >= 0) ::close(Fd(handle_));
}

int OutputFile::CreateNew(const std::string& path) {
    // O_EXCL also refuses a link at the name, dangling or not.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return FromErrno(errno);
    handle_ = fd;
    return 0;
}

int OutputFile::Write(std::string_view data) {
    if (const int err = WriteAll(Fd(handle_), data); err != 0) return err;
    written_ += data.size();
#if defined(__linux__)
    // The disk starts on what is written as the file grows, so that the
    // flush at the end waits only for the last stretch.
    constexpr std::uint64_t kWriteBackStep = std::uint64_t{8} << 20;
    if (written_ - handedToDisk_ >= kWriteBackStep) {
        // Advice only: Finish reports any failure.
        ::sync_file_range(Fd(handle_), static_cast<off_t>(handedToDisk_),
                          static_cast<off_t>(written_ - handedToDisk_), SYNC_FILE_RANGE_WRITE);
        handedToDisk_ = written_;
    }
#endif
    return 0;
}

int OutputFile::Finish() {
    int err = ::fsync(Fd(handle_)) == 0 ? 0 : FromErrno(errno);
    if (::close(Fd(handle_)) != 0 && err == 0) err = FromErrno(errno);
    handle_ = -1;
    return err;
}

int Rename(const std::string& from, const std::string& to, bool replace) {
    if (replace) return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : FromErrno(errno);
    // A second name that fails when the name is taken, then the first
    // name dropped.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
#if defined(__linux__)
    // File systems without hard links may still rename without replacing.
    if (errno == EPERM || errno == EOPNOTSUPP || errno == ENOSYS || errno == EMLINK) {
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
            return 0;
    }
#endif
    return FromErrno(errno);
}

int AppendToFile(const std::string& path, std::string_view data, bool create) {
    // Non-blocking, so that a pipe planted at the name fails at once
    // instead of waiting for a reader.
    const int flags = O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    const int fd = ::open(path.c_str(), create ? flags | O_CREAT : flags, 0666);
    if (fd < 0) {
        return errno == ELOOP   ? kErrLinkRefused
               : errno == ENXIO ? kErrNotRegularFile
                                : FromErrno(errno);
    }
    struct stat st {};
    int err = ::fstat(fd, &st) != 0  ? FromErrno(errno)
              : !S_ISREG(st.st_mode) ? kErrNotRegularFile
                                     : 0;
    if (err == 0) {
        err = WriteAll(fd, data);
        if (err != 0 && ::ftruncate(fd, st.st_size) != 0) {
            // Nothing more can be done: the write's error is reported.
        }
    }
    if (::close(fd) != 0 && err == 0) err = FromErrno(errno);
    return err;
}

std::string ExecutableDirectory() {
    std::string buf(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return ".";
    buf.resize(static_cast<std::size_t>(n));
    const auto slash = buf.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : buf.substr(0, slash));
}

LocalDateTime LocalNow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void PrepareConsole() {}

}  // namespace trelvane::os

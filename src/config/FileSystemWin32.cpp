// The file layer on Windows: wide-character calls only, paths turned from
// UTF-8 into UTF-16 at the call, so that every name the system can hold
// reaches the right file.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "config/FileSystem.h"
#include "config/RuntimeErrors.h"

namespace trelvane::os {

namespace {

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Utf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                        nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                          nullptr, nullptr);
    return out;
}

int FromWin32(DWORD err) {
    switch (err) {
        case ERROR_SUCCESS:
            return 0;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return kErrPathNotFound;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return kErrFileAlreadyExists;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return kErrPermission;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return kErrDiskFull;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return kErrBadFileName;
        default:
            return kErrPathFileAccess;
    }
}

int LastError() {
    return FromWin32(::GetLastError());
}

HANDLE H(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::uint64_t Join(DWORD high, DWORD low) {
    return (std::uint64_t{high} << 32) | low;
}

FileKind KindOf(HANDLE h, std::uint64_t& size) {
    switch (::GetFileType(h)) {
        case FILE_TYPE_DISK: {
            BY_HANDLE_FILE_INFORMATION info{};
            if (!::GetFileInformationByHandle(h, &info)) return FileKind::Device;
            if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return FileKind::Directory;
            size = Join(info.nFileSizeHigh, info.nFileSizeLow);
            return FileKind::Regular;
        }
        case FILE_TYPE_PIPE:
            return FileKind::Pipe;
        default:
            return FileKind::Device;
    }
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// One call moves at most this much, whatever the size asked for.
constexpr std::size_t kMaxTransfer = std::size_t{1} << 30;

int WriteAll(HANDLE h, std::string_view data) {
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD n = 0;
        const auto chunk = static_cast<DWORD>(std::min(data.size() - done, kMaxTransfer));
        if (!::WriteFile(h, data.data() + done, chunk, &n, nullptr)) return LastError();
        done += n;
    }
    return 0;
}

}  // namespace

const char kPathSeparator = '\\';

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

FileStatus StatusOf(const std::string& path) {
    FileStatus status;
    const std::wstring name = Wide(path);
    // Opened for its attributes only, links followed; a directory opens too.
    HANDLE h = ::CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = ::GetLastError();
        // In use without sharing (the page file...): it exists all the same.
        if (err == ERROR_SHARING_VIOLATION &&
            ::GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES) {
            status.kind = FileKind::Regular;
            return status;
        }
        status.error = FromWin32(err);
        return status;
    }
    status.kind = KindOf(h, status.size);
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(h, &info)) {
        status.volume = info.dwVolumeSerialNumber;
        status.index = Join(info.nFileIndexHigh, info.nFileIndexLow);
        status.modified = static_cast<std::int64_t>(
            Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime));
    }
    ::CloseHandle(h);
    return status;
}

bool SameFile(const std::string& a, const std::string& b) {
    // A file is told by its volume and its index on that volume.
    auto identify = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
        const HANDLE h = ::CreateFileW(Wide(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        const bool known = ::GetFileInformationByHandle(h, &info) != 0;
        ::CloseHandle(h);
        return known;
    };
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    return identify(a, ia) && identify(b, ib) &&
           ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

int MakeDirectory(const std::string& path) {
    return ::CreateDirectoryW(Wide(path).c_str(), nullptr) ? 0 : LastError();
}

int RemoveFile(const std::string& path) {
    return ::DeleteFileW(Wide(path).c_str()) ? 0 : LastError();
}

std::vector<std::string> EntriesOlderThan(const std::string& directory, std::chrono::seconds age) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    HANDLE h = ::FindFirstFileExW(Wide(directory + "\\*").c_str(), FindExInfoBasic, &found,
                                  FindExSearchNameMatch, nullptr, 0);
    if (h == INVALID_HANDLE_VALUE) return names;
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    // File times count hundreds of nanoseconds.
    const std::uint64_t limit = Join(now.dwHighDateTime, now.dwLowDateTime) -
                                static_cast<std::uint64_t>(age.count()) * 10000000u;
    do {
        const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
        const FILETIME& t = found.ftLastWriteTime;
        if (!(found.dwFileAttributes & skipped) && Join(t.dwHighDateTime, t.dwLowDateTime) < limit)
            names.push_back(Utf8(found.cFileName));
    } while (::FindNextFileW(h, &found));
    ::FindClose(h);
    return names;
}

InputFile::~InputFile() {
    if (owned_) ::CloseHandle(H(handle_));
}

int InputFile::Open(const std::string& path) {
    const std::wstring name = Wide(path);
    HANDLE h = ::CreateFileW(name.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return kErrFileNotFound;
        // A directory opens only for its attributes.
        const DWORD attributes = ::GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            kind_ = FileKind::Directory;
            return 0;
        }
        return FromWin32(err);
    }
    handle_ = reinterpret_cast<std::intptr_t>(h);
    owned_ = true;
    kind_ = KindOf(h, size_);
    return 0;
}

int InputFile::OpenStandardInput() {
    HANDLE h = ::GetStdHandle(STD_INPUT_HANDLE);
    if (h == INVALID_HANDLE_VALUE || h == nullptr) return kErrFileNotFound;
    handle_ = reinterpret_cast<std::intptr_t>(h);
    kind_ = KindOf(h, size_);
    return 0;
}

std::size_t InputFile::Read(char* buffer, std::size_t size, int& error) {
    if (kind_ == FileKind::Directory) {
        error = kErrPathFileAccess;
        return 0;
    }
    DWORD n = 0;
    if (!::ReadFile(H(handle_), buffer, static_cast<DWORD>(std::min(size, kMaxTransfer)), &n,
                    nullptr)) {
        // The writing end of a pipe closed: the end of the input.
        if (::GetLastError() != ERROR_BROKEN_PIPE) error = LastError();
        return 0;
    }
    return n;
}

OutputFile::~OutputFile() {
    if (handle_ != -1) ::CloseHandle(H(handle_));
}

int OutputFile::CreateNew(const std::string& path) {
    HANDLE h = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                             CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return LastError();
    handle_ = reinterpret_cast<std::intptr_t>(h);
    return 0;
}

int OutputFile::Write(std::string_view data) {
    if (const int err = WriteAll(H(handle_), data); err != 0) return err;
    written_ += data.size();
    return 0;
}

int OutputFile::Finish() {
    int err = ::FlushFileBuffers(H(handle_)) ? 0 : LastError();
    if (!::CloseHandle(H(handle_)) && err == 0) err = LastError();
    handle_ = -1;
    return err;
}

int Rename(const std::string& from, const std::string& to, bool replace) {
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    return ::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), flags) ? 0 : LastError();
}

int AppendToFile(const std::string& path, std::string_view data, bool create) {
    // Opened to append only, every write goes to the end of the file as it
    // is at that moment, as with POSIX's O_APPEND; a link at the name is
    // opened as itself, then refused.
    const std::wstring name = Wide(path);
    HANDLE h = ::CreateFileW(name.c_str(),
                             FILE_APPEND_DATA | FILE_READ_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                             kShareAll, nullptr, create ? OPEN_ALWAYS : OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return LastError();
    BY_HANDLE_FILE_INFORMATION info{};
    int err = 0;
    if (::GetFileType(h) != FILE_TYPE_DISK || !::GetFileInformationByHandle(h, &info))
        err = kErrNotRegularFile;
    else if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        err = kErrLinkRefused;
    if (err == 0) {
        // Appenders also take turns on a lock far past any end of file, for
        // Wine appends in more than one step.
        OVERLAPPED beyondEnd{};
        beyondEnd.Offset = 0xFFFFFFFEu;
        beyondEnd.OffsetHigh = 0x7FFFFFFFu;
        const bool locked = ::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &beyondEnd);
        err = WriteAll(h, data);
        if (locked) ::UnlockFileEx(h, 0, 1, 0, &beyondEnd);
    }
    if (!::CloseHandle(h) && err == 0) err = LastError();
    if (err != 0 && err != kErrLinkRefused && err != kErrNotRegularFile) {
        // Cut back to the former length (nothing more can be done if that
        // fails too: the write's error is reported).
        HANDLE cut = ::CreateFileW(name.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (cut != INVALID_HANDLE_VALUE) {
            LARGE_INTEGER before{};
            before.QuadPart = static_cast<LONGLONG>(Join(info.nFileSizeHigh, info.nFileSizeLow));
            if (::SetFilePointerEx(cut, before, nullptr, FILE_BEGIN)) ::SetEndOfFile(cut);
            ::CloseHandle(cut);
        }
    }
    return err;
}

std::string ExecutableDirectory() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return ".";
        if (n < buf.size()) {
            buf.resize(n);
            break;
        }
        buf.resize(buf.size() * 2);
    }
    const auto slash = buf.find_last_of(L"\\/");
    return slash == std::wstring::npos ? "." : Utf8(std::wstring_view(buf).substr(0, slash));
}

LocalDateTime LocalNow() {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

std::vector<std::string> Arguments(int, char**) {
    // The wide command line: the narrow one has lost every character
    // outside the system's code page.
    std::vector<std::string> out;
    int n = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &n);
    if (!wide) return out;
    for (int i = 1; i < n; ++i)
        out.push_back(Utf8(wide[i]));
    ::LocalFree(wide);
    return out;
}

namespace {
UINT g_consoleCodePage = 0;
}

void PrepareConsole() {
    // The bytes written are the bytes of the Linux build: UTF-8, lines
    // ended by LF alone.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    g_consoleCodePage = ::GetConsoleOutputCP();
    if (g_consoleCodePage != 0 && g_consoleCodePage != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8)) {
        // The console is the user's: its code page comes back at the end.
        std::atexit([] { ::SetConsoleOutputCP(g_consoleCodePage); });
    }
}

}  // namespace trelvane::os

// The operating system behind one small interface: files and directories, the
// program's own location, the clock, the command line and the console. One
// implementation for POSIX systems, one for Windows, chosen when the program
// is built; nothing else in the program calls the system.
//
// Paths stay in the system's own form from the command line or the file
// dialog to the system call: on POSIX the bytes the system gave (normally
// UTF-8), on Windows UTF-8, turned into UTF-16 only at the Win32 call. They
// become Windows-1252 text only to be shown (DisplayPath in modIOfunctions).
// Failures come back as the error numbers of RuntimeErrors.h, 0 for success.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/Platform.h"

namespace trelvane::os {

// "\" on Windows (which takes "/" as well), "/" elsewhere.
extern const char kPathSeparator;
bool IsPathSeparator(char c);

enum class FileKind { Missing, Regular, Directory, Pipe, Device };

struct FileStatus {
    FileKind kind = FileKind::Missing;
    std::uint64_t size = 0;  // of a regular file
    int error = 0;           // why a Missing entry could not be looked at
    // Which file it is: two names of one file have the same pair (device and
    // inode, or volume serial number and file index).
    std::uint64_t volume = 0, index = 0;
    std::int64_t modified = 0;  // time of last change, in the system's own unit
};
// What the path names, links followed.
FileStatus StatusOf(const std::string& path);
// Both paths name one existing file (under two names, or through a link).
bool SameFile(const std::string& a, const std::string& b);

// One directory level, open to all less the user's mask.
int MakeDirectory(const std::string& path);
int RemoveFile(const std::string& path);
// Names of the entries of a directory last written more than age ago.
std::vector<std::string> EntriesOlderThan(const std::string& directory, std::chrono::seconds age);

// A file, pipe or device read once from its start to its end.
class InputFile {
  public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    int Open(const std::string& path);
    int OpenStandardInput();
    FileKind Kind() const { return kind_; }
    std::uint64_t Size() const { return size_; }
    // Bytes put into buffer, 0 at the end or on a failure (then error is set).
    std::size_t Read(char* buffer, std::size_t size, int& error);

  private:
    std::intptr_t handle_ = -1;
    bool owned_ = false;
    FileKind kind_ = FileKind::Missing;
    std::uint64_t size_ = 0;
};

// A new file written from its start, then handed to the disk. Closed (not
// removed) when dropped.
class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // The name must be free: anything there, a link included, is
    // kErrFileAlreadyExists. The file is open to all less the user's mask.
    int CreateNew(const std::string& path);
    int Write(std::string_view data);
    // Everything written reaches the disk, then the file is closed.
    int Finish();

  private:
    std::intptr_t handle_ = -1;
    std::uint64_t written_ = 0, handedToDisk_ = 0;
};

// Gives a finished file another name in the same directory. With replace,
// whatever had that name is replaced in one step; without, the name must be
// free (kErrFileAlreadyExists otherwise), which is decided in the same step.
int Rename(const std::string& from, const std::string& to, bool replace);

// Appends data in one write to the regular file at path, made when missing
// if create is set. A link at that name is never followed (kErrLinkRefused),
// nothing but a regular file is written to, and a failed write leaves the
// file at its former length.
int AppendToFile(const std::string& path, std::string_view data, bool create);

// Directory of the running executable, without a trailing separator.
std::string ExecutableDirectory();
LocalDateTime LocalNow();

// The command line's arguments (argv[0] left out), file names in the
// system's own form.
std::vector<std::string> Arguments(int argc, char** argv);
// The standard streams take UTF-8 bytes as they are (no line end rewritten),
// and a console shows them as UTF-8.
void PrepareConsole();

}  // namespace trelvane::os

// Parameter file, trace log and the small file services the rest of the
// system uses. Each service reports its own failures in a message box and
// never stops the application (but for a missing parameter file).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace trelvane {

inline constexpr std::string_view kModIO = "modIOfunctions";

// Value of the first line of parametres.ini that begins with the key (case-
// sensitive), after its first "=", trimmed of spaces; "" when absent. A
// missing parameter file ends the application. When the file is missing or
// cannot be read the message names it, and *unreadable (if given) turns true.
std::string RetrieveInINIFile(std::string_view key, bool* unreadable = nullptr);

// Appends one line to the daily trace log logs/DDMMYYYY_trace.log.
void WriteTrace(std::string_view message, std::string_view module, std::string_view procedure);
// WriteTrace when "Mode trace" is ticked, nothing otherwise.
void Trace(std::string_view message, std::string_view module, std::string_view procedure);
// The line WriteTrace writes, without its CR LF.
std::string FormatTraceLine(std::string_view message, std::string_view module,
                            std::string_view procedure);
// Path of the trace file of the current day (recomputed at every write).
std::string CurrentTraceFilePath();

// Sees the bytes of a file as ImportFileContent reads them, line ends and
// all. The file is read straight into the buffers it lends, so nothing is
// copied for it.
class FileReadObserver {
  public:
    virtual ~FileReadObserver() = default;
    // Where the next piece is read; the same buffer until Read is called.
    virtual std::span<char> Lend() = 0;
    // The lent buffer now holds n bytes of the file, which the reader only
    // reads from then on. n = 0: the end of the file, reached without failure.
    virtual void Read(std::size_t n) = 0;
};

// The whole file, its lines joined with nothing between them: CR and CR LF
// end a line, a lone LF stays in the text. "" on failure (after a message).
std::string ImportFileContent(const std::string& path);
// The same, telling a failure (after its message) from an empty file. "-" is
// the standard input. Pipes are read once, up to 1 GB; devices and
// directories are refused.
bool ImportFileContent(const std::string& path, std::string& text,
                       FileReadObserver* observer = nullptr);
// The bytes of a regular file as they are; 0 or the error number.
int ReadWholeFile(const std::string& path, std::string& content);

bool FileExists(const std::string& path);

// What a front end checks before it uses a path: whether it names anything,
// a directory or a file, and the file's size and time of last change (to
// tell when it was rewritten).
struct FileFacts {
    bool exists = false;
    bool directory = false;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // in the system's own unit: compared, never shown
    friend bool operator==(const FileFacts&, const FileFacts&) = default;
};
FileFacts GetFileFacts(const std::string& path);
// Creates one directory level; label names it in the failure message.
void MakeDir(const std::string& path, std::string_view label);
// Appends text and CR LF in one write; a file that does not exist yet is
// written whole under a temporary name first, so it never shows empty. A
// link at the name is refused. A failed write leaves the file as it was.
// Returns false on failure (after the message box).
bool WriteInFile(std::string_view text, const std::string& path, std::string_view label);
void SetStatus(std::string_view text);

// A path as the messages, reports and trace lines show it: paths are held in
// the system's own form, texts are Windows-1252.
std::string DisplayPath(std::string_view path);
// directory, the system's separator, name.
std::string JoinPath(std::string_view directory, std::string_view name);

// The program's directory joined with a name ("parametres.ini"...).
std::string ProgramPath(std::string_view name);
// The directory a kind of output goes to ("FNS3", "CR_Erreurs", "logs"):
// under base, or the program's directory when base is empty.
std::string OutputDirectory(std::string_view name, const std::string& base = {});

// Writes a whole file under a temporary name in the same directory, then
// renames it into place, replacing what had the name: the file is the old
// one or the new one, complete, never a part. Returns 0 or the error number.
int WriteFileAtomically(const std::string& path, std::string_view content);
// The same for a file handed over a piece at a time: next() gives the next
// piece, an empty one at the end (a big file is never held whole).
int WriteFileAtomically(const std::string& path, const std::function<std::string_view()>& next);
// The same again, but never replacing a file: when path is taken, the first
// free name with "_2", "_3"... before the extension is used, decided by the
// system in the renaming itself (parallel runs cannot take the same name).
// written receives the name given.
int WriteFileUnderFreeName(const std::string& path, const std::function<std::string_view()>& next,
                           std::string& written);
// Removes from directory the temporary files ("NAME.part-XXXXXX") that an
// interrupted write left there more than an hour ago, for the final names of
// one of the shapes: "9" a digit, "*" an optional "_2", "_3"...
void RemoveStalePartFiles(const std::string& directory,
                          std::initializer_list<std::string_view> shapes);

}  // namespace trelvane

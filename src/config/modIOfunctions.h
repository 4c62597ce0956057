// Parameter file, trace log and the small file services the rest of the
// system uses. Each service reports its own failures in a message box and
// never stops the application (but for a missing parameter file).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace trelvane {

inline constexpr std::string_view kModIO = "modIOfunctions";

// Value of the first line of parametres.ini that begins with the key (case-
// sensitive), after its first "=", trimmed of spaces; "" when absent. A
// missing parameter file ends the application.
std::string RetrieveInINIFile(std::string_view key);

// Appends one line to the daily trace log logs/DDMMYYYY_trace.log.
void WriteTrace(std::string_view message, std::string_view module, std::string_view procedure);
// WriteTrace when "Mode trace" is ticked, nothing otherwise.
void Trace(std::string_view message, std::string_view module, std::string_view procedure);
// The line WriteTrace writes, without its CR LF.
std::string FormatTraceLine(std::string_view message, std::string_view module,
                            std::string_view procedure);
// Path of the trace file of the current day (recomputed at every write).
std::string CurrentTraceFilePath();

// The whole file, its lines joined with nothing between them: CR and CR LF
// end a line, a lone LF stays in the text. "" on failure (after a message).
std::string ImportFileContent(const std::string& path);

bool FileExists(const std::string& path);

// What a front end checks before it uses a path: whether it names anything,
// a directory or a file, and the file's size and time of last change (to
// tell when it was rewritten).
struct FileFacts {
    bool exists = false;
    bool directory = false;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds since the epoch
    friend bool operator==(const FileFacts&, const FileFacts&) = default;
};
FileFacts GetFileFacts(const std::string& path);
// Creates one directory level; label names it in the failure message.
void MakeDir(const std::string& path, std::string_view label);
// Appends text and CR LF; a failed write leaves the file as it was. Returns
// false on failure (after the message box).
bool WriteInFile(std::string_view text, const std::string& path, std::string_view label);
void SetStatus(std::string_view text);

// The file system's name for a path: paths are Windows-1252 text in the core,
// the system names files in UTF-8.
std::string NativePath(std::string_view path);

// A directory joined with a name, one separator between them.
std::string JoinPath(std::string directory, std::string_view name);
// The program's directory joined with a name ("parametres.ini"...).
std::string ProgramPath(std::string_view name);
// The output directory joined with a name ("logs", "FNS3", "CR_Erreurs").
std::string OutputPath(std::string_view name);

// Writes a whole file under a temporary name in the same directory, then
// renames it into place, so the file is complete or absent. Returns 0 or the
// error number of the failure.
int WriteFileAtomically(const std::string& path, std::string_view content);
// The same for a file handed over a piece at a time: next() gives the next
// piece, an empty one at the end (a big file is never held whole).
int WriteFileAtomically(const std::string& path, const std::function<std::string_view()>& next);

}  // namespace trelvane

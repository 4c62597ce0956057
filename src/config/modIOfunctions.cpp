#include "config/modIOfunctions.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <span>

#include "config/Cp1252.h"
#include "config/FileSystem.h"
#include "config/Platform.h"
#include "config/RuntimeErrors.h"

namespace trelvane {

namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string Trimmed(std::string_view v) {
    std::size_t b = 0, e = v.size();
    while (b < e && v[b] == ' ')
        ++b;
    while (e > b && v[e - 1] == ' ')
        --e;
    return std::string(v.substr(b, e - b));
}

void Warn(std::string_view title, std::string_view text) {
    CurrentPlatform().ShowMessage(title, text, MsgIcon::Exclamation, MsgButtons::Ok);
}

// The number and the second line of a write failure's message.
std::string WriteFailure(int err, std::string_view firstLine, std::string_view usualReason) {
    return std::to_string(ShownErrorNumber(err)) + std::string(firstLine) + std::string(kCrLf) +
           (err == kErrLinkRefused ? ErrorDescription(err) + "." : std::string(usualReason));
}

constexpr std::string_view kAccessReason = "Les droit d'accès sont peut-être insuffisants."_cp;

// A pipe is read whole before the checks start: beyond this, its sender is
// asked for a file instead of memory running out.
constexpr std::uint64_t kMaxPipeInput = std::uint64_t{1} << 30;

// Reads an opened input to its end, a piece at a time, into the observer's
// buffers when there is one; directories and devices are refused, a pipe is
// cut off past kMaxPipeInput.
template <typename Take>
int ReadPieces(os::InputFile& in, FileReadObserver* observer, Take&& take) {
    if (in.Kind() == os::FileKind::Directory) return kErrPathFileAccess;
    if (in.Kind() == os::FileKind::Device) return kErrNotRegularFile;
    constexpr std::size_t kChunk = std::size_t{256} << 10;
    const std::unique_ptr<char[]> chunk(observer ? nullptr : new char[kChunk]);
    std::uint64_t total = 0;
    for (;;) {
        const std::span<char> buffer =
            observer ? observer->Lend() : std::span<char>(chunk.get(), kChunk);
        int err = 0;
        const std::size_t got = in.Read(buffer.data(), buffer.size(), err);
        if (err != 0) return err;
        total += got;
        if (in.Kind() == os::FileKind::Pipe && total > kMaxPipeInput) return kErrInputTooLarge;
        if (observer) observer->Read(got);
        if (got == 0) return 0;
        take(buffer.data(), got);
    }
}

constexpr std::string_view kPartMark = ".part-";
constexpr char kTempLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

// A free temporary name beside path, created: "path.part-" and six letters.
int CreateTemporary(const std::string& path, os::OutputFile& file, std::string& temp) {
    thread_local std::mt19937 random{std::random_device{}()};
    int err = kErrFileAlreadyExists;
    for (int attempt = 0; attempt < 100 && err == kErrFileAlreadyExists; ++attempt) {
        temp = path + std::string(kPartMark);
        for (int i = 0; i < 6; ++i)
            temp += kTempLetters[random() % (sizeof kTempLetters - 1)];
        err = file.CreateNew(temp);
    }
    return err;
}

// Writes the pieces into a new temporary file beside path, flushed to the
// disk; temp names it. On failure nothing is left.
int WriteTemporary(const std::string& path, const std::function<std::string_view()>& next,
                   std::string& temp) {
    os::OutputFile file;
    int err = CreateTemporary(path, file, temp);
    if (err != 0) return err;
    try {
        for (std::string_view piece = next(); err == 0 && !piece.empty(); piece = next())
            err = file.Write(piece);
    } catch (...) {
        // A piece that cannot be made (no memory left for it) leaves no part file.
        file.Finish();
        os::RemoveFile(temp);
        throw;
    }
    const int finished = file.Finish();
    if (err == 0) err = finished;
    if (err != 0) os::RemoveFile(temp);
    return err;
}

std::function<std::string_view()> OnePiece(std::string_view content) {
    return [content, given = false]() mutable -> std::string_view {
        if (given) return {};
        given = true;
        return content;
    };
}

// "_2" before the extension of the file name.
std::string WithNumber(const std::string& path, int n) {
    const std::size_t dot = path.rfind('.');
    std::size_t nameStart = path.size();
    while (nameStart > 0 && !os::IsPathSeparator(path[nameStart - 1]))
        --nameStart;
    const std::size_t at = dot == std::string::npos || dot < nameStart ? path.size() : dot;
    return path.substr(0, at) + "_" + std::to_string(n) + path.substr(at);
}

// "9" a digit, "*" nothing or "_" and digits, anything else itself.
bool HasShape(std::string_view text, std::string_view shape) {
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t t = 0;
    for (char s : shape) {
        if (s == '*') {
            if (t + 1 < text.size() && text[t] == '_' && isDigit(text[t + 1])) {
                t += 2;
                while (t < text.size() && isDigit(text[t]))
                    ++t;
            }
        } else if (t < text.size() && (s == '9' ? isDigit(text[t]) : text[t] == s)) {
            ++t;
        } else {
            return false;
        }
    }
    return t == text.size();
}

}  // namespace

std::string DisplayPath(std::string_view path) {
    return Utf8ToCp1252(path);
}

std::string JoinPath(std::string_view directory, std::string_view name) {
    std::string path(directory);
    if (!path.empty() && !os::IsPathSeparator(path.back())) path += os::kPathSeparator;
    path += name;
    return path;
}

std::string JoinPath(std::string directory, std::string_view name) {
    if (!directory.empty() && directory.back() != '/') directory += '/';
    directory += name;
    return directory;
}

std::string ProgramPath(std::string_view name) {
    return JoinPath(CurrentPlatform().ProgramDirectory(), name);
}

std::string OutputDirectory(std::string_view name, const std::string& base) {
    return JoinPath(base.empty() ? CurrentPlatform().OutputDirectory() : base, name);
}

std::string RetrieveInINIFile(std::string_view key, bool* unreadable) {
    Trace(std::string("Recherche du champ ") + std::string(key) + " dans parametres.ini", kModIO,
          "RetrieveInINIFile");
    const std::string path = ProgramPath("parametres.ini");
    if (!FileExists(path)) {
        Warn("Erreur critique",
             std::string("Le fichier de paramétrage INI est introuvable."_cp) + std::string(kCrLf) +
                 std::string("L'application va s'arrêter car elle ne peut pas fonctionner "
                             "correctement."_cp) +
                 std::string(kCrLf) + "Fichier attendu : " + DisplayPath(path));
        if (unreadable) *unreadable = true;
        CurrentPlatform().EndApplication();
        return {};
    }
    std::string content;
    if (const int err = ReadWholeFile(path, content); err != 0) {
        Warn("Erreur.", std::to_string(ShownErrorNumber(err)) +
                            " - Lecture du fichier ini impossible." + std::string(kCrLf) +
                            DisplayPath(path) + " : " + ErrorDescription(err));
        if (unreadable) *unreadable = true;
    }
    // Our own file may have been edited anywhere: CR LF, LF and CR all end a
    // line. What was read before a failure still counts.
    std::string line;
    auto consider = [&](std::string& value) -> bool {
        if (line.size() >= key.size() && std::string_view(line).substr(0, key.size()) == key) {
            std::size_t eq = line.find('=');
            if (eq != std::string::npos) {
                value = Trimmed(std::string_view(line).substr(eq + 1));
                return true;
            }
        }
        return false;
    };
    std::string value;
    bool lastWasCr = false;
    for (const char c : content) {
        if (c == '\n' && lastWasCr) {
            lastWasCr = false;
            continue;
        }
        lastWasCr = (c == '\r');
        if (c == '\r' || c == '\n') {
            if (consider(value)) return value;
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty() && consider(value)) return value;
    return {};
}

std::string CurrentTraceFilePath() {
    const LocalDateTime now = CurrentPlatform().Now();
    char name[64];
    std::snprintf(name, sizeof name, "%02d%02d%04d_trace.log", now.day, now.month, now.year);
    return JoinPath(OutputDirectory("logs"), name);
}

std::string FormatTraceLine(std::string_view message, std::string_view module,
                            std::string_view procedure) {
    const LocalDateTime now = CurrentPlatform().Now();
    std::string tag = " [";
    tag += module;
    tag += " >> ";
    tag += procedure;
    tag += "]";
    if (tag.size() < 60) tag.append(60 - tag.size(), '.');
    std::string line = ShortDate(now);
    line += " à "_cp;
    line += LongTime(now);
    line += " : ";
    line += tag;
    line += message;
    return line;
}

void WriteTrace(std::string_view message, std::string_view module, std::string_view procedure) {
    std::string line = FormatTraceLine(message, module, procedure);
    line += kCrLf;
    if (int err = os::AppendToFile(CurrentTraceFilePath(), line, true); err != 0) {
        // Every step of a run traces: one box per run says it, not one per line.
        ShowRepeatedMessage(
            RepeatedMessage::TraceWrite, "Erreur en écriture"_cp,
            WriteFailure(err, " - Ecriture dans fichier trace impossible.", kAccessReason),
            MsgIcon::Exclamation);
    }
}

void Trace(std::string_view message, std::string_view module, std::string_view procedure) {
    if (CurrentPlatform().TraceMode()) WriteTrace(message, module, procedure);
}

std::string ImportFileContent(const std::string& path) {
    std::string text;
    ImportFileContent(path, text);
    return text;
}

bool ImportFileContent(const std::string& path, std::string& text, FileReadObserver* observer) {
    Trace("Importation du contenu du fichier " + DisplayPath(path), kModIO, "ImportFileContent");
    text.clear();
    os::InputFile in;
    int err = path == "-" ? in.OpenStandardInput() : in.Open(path);
    // The file is read a chunk at a time into a small buffer that stays in
    // the cache, and only the text between line ends is copied on: the big
    // text is written once, never cleared first nor moved afterwards.
    // Lines are joined with nothing between them: every CR is dropped with
    // the LF that directly follows it; a lone LF is not a line end and stays.
    if (err == 0 && in.Kind() == os::FileKind::Regular)
        text.reserve(static_cast<std::size_t>(in.Size()));
    bool afterCr = false;  // the last chunk ended with a CR
    if (err == 0) {
        err = ReadPieces(in, observer, [&](const char* p, std::size_t size) {
            const char* const end = p + size;
            if (afterCr && *p == '\n') ++p;
            afterCr = false;
            while (p < end) {
                const auto* cr = static_cast<const char*>(
                    std::memchr(p, '\r', static_cast<std::size_t>(end - p)));
                if (!cr) {
                    text.append(p, static_cast<std::size_t>(end - p));
                    break;
                }
                text.append(p, static_cast<std::size_t>(cr - p));
                p = cr + 1;
                if (p == end)
                    afterCr = true;
                else if (*p == '\n')
                    ++p;
            }
        });
    }
    if (err != 0) {
        text = std::string();
        Warn("Lecture du fichier impossible",
             std::to_string(ShownErrorNumber(err)) + " - " + ErrorDescription(err));
        return false;
    }
    return true;
}

int ReadWholeFile(const std::string& path, std::string& content) {
    content.clear();
    os::InputFile in;
    int err = in.Open(path);
    if (err == 0 && in.Kind() == os::FileKind::Pipe) err = kErrNotRegularFile;
    if (err == 0)
        err = ReadPieces(in, nullptr,
                         [&](const char* p, std::size_t size) { content.append(p, size); });
    return err;
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    const os::FileStatus status = os::StatusOf(path);
    if (status.kind != os::FileKind::Missing) return true;
    if (status.error == kErrBadFileName) {
        Warn("Chemin de fichier incorrect",
             std::string("Chemin de fichier invalide : ") + std::string(kCrLf) + DisplayPath(path));
    }
    return false;
}

FileFacts GetFileFacts(const std::string& path) {
    FileFacts facts;
    if (path.empty()) return facts;
    const os::FileStatus status = os::StatusOf(path);
    facts.exists = status.kind != os::FileKind::Missing;
    facts.directory = status.kind == os::FileKind::Directory;
    facts.size = status.size;
    facts.modified = status.modified;
    return facts;
}

void MakeDir(const std::string& path, std::string_view label) {
    Trace(std::string("Création du répertoire "_cp) + DisplayPath(path), kModIO, "MakeDir");
    if (int err = os::MakeDirectory(path); err != 0) {
        if (err == kErrFileAlreadyExists) err = kErrPathFileAccess;
        Warn("Erreur en écriture"_cp,
             std::to_string(err) + std::string(" - Création du répertoire "_cp) +
                 std::string(label) + " impossible." + std::string(kCrLf) +
                 std::string("Les droit d'écriture sont peut-être insuffisants."_cp));
    }
}

bool WriteInFile(std::string_view text, const std::string& path, std::string_view label) {
    Trace("Ecriture du fichier " + DisplayPath(path), kModIO, "WriteInFile");
    std::string data(text);
    data += kCrLf;
    // Appended in one write, so parallel writers never interleave; a new
    // file is given its name only once whole, so a kill never leaves it
    // empty.
    int err = os::AppendToFile(path, data, false);
    if (err == kErrPathNotFound) {
        std::string temp;
        err = WriteTemporary(path, OnePiece(data), temp);
        if (err == 0) {
            err = os::Rename(temp, path, false);
            if (err != 0) os::RemoveFile(temp);
            // Made meanwhile by a parallel run: appended to.
            if (err == kErrFileAlreadyExists) err = os::AppendToFile(path, data, false);
        }
    }
    if (err != 0) {
        Warn("Erreur en écriture"_cp,
             WriteFailure(err, " - Ecriture du fichier " + std::string(label) + " impossible.",
                          kAccessReason));
        return false;
    }
    return true;
}

void SetStatus(std::string_view text) {
    CurrentPlatform().ShowStatus(text);
}

int WriteFileAtomically(const std::string& path, std::string_view content) {
    return WriteFileAtomically(path, OnePiece(content));
}

int WriteFileAtomically(const std::string& path, const std::function<std::string_view()>& next) {
    std::string temp;
    int err = WriteTemporary(path, next, temp);
    if (err == 0 && (err = os::Rename(temp, path, true)) != 0) os::RemoveFile(temp);
    return err;
}

int WriteFileUnderFreeName(const std::string& path, const std::function<std::string_view()>& next,
                           std::string& written) {
    std::string temp;
    int err = WriteTemporary(path, next, temp);
    if (err != 0) return err;
    written = path;
    for (int n = 2; (err = os::Rename(temp, written, false)) == kErrFileAlreadyExists && n < 10000;
         ++n)
        written = WithNumber(path, n);
    if (err != 0) {
        os::RemoveFile(temp);
        written.clear();
    }
    return err;
}

void RemoveStalePartFiles(const std::string& directory,
                          std::initializer_list<std::string_view> shapes) {
    // An hour: a write still going on in a parallel run is never taken.
    for (const std::string& name : os::EntriesOlderThan(directory, std::chrono::hours(1))) {
        const std::size_t mark = name.rfind(kPartMark);
        if (mark == std::string::npos || name.size() != mark + kPartMark.size() + 6 ||
            !std::all_of(
                name.begin() + static_cast<std::ptrdiff_t>(mark + kPartMark.size()), name.end(),
                [](char c) { return std::strchr(kTempLetters, c) != nullptr && c != '\0'; }))
            continue;
        for (std::string_view shape : shapes) {
            if (HasShape(std::string_view(name).substr(0, mark), shape)) {
                os::RemoveFile(JoinPath(directory, name));
                break;
            }
        }
    }
}

}  // namespace trelvane

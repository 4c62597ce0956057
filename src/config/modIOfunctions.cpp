#include "config/modIOfunctions.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/RuntimeErrors.h"

namespace trelvane {

namespace {

constexpr std::string_view kCrLf = "\r\n";

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

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

// Appends data to the file at path; on any failure the file is cut back to
// its former length so that no partial line stays. Returns 0 or the error
// number.
int AppendAll(const std::string& path, std::string_view data) {
    int fd = ::open(NativePath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return ErrorNumberFromErrno(errno);
    struct stat st {};
    off_t before = ::fstat(fd, &st) == 0 ? st.st_size : -1;
    std::size_t done = 0;
    int err = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = ErrorNumberFromErrno(errno);
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (err != 0 && before >= 0) {
        if (::ftruncate(fd, before) != 0) {
            // Nothing more can be done: the error is reported all the same.
        }
    }
    if (::close(fd) != 0 && err == 0) err = ErrorNumberFromErrno(errno);
    return err;
}

}  // namespace

std::string NativePath(std::string_view path) {
    return Cp1252ToUtf8(path);
}

std::string JoinPath(std::string directory, std::string_view name) {
    if (!directory.empty() && directory.back() != '/') directory += '/';
    directory += name;
    return directory;
}

std::string ProgramPath(std::string_view name) {
    return JoinPath(CurrentPlatform().ProgramDirectory(), name);
}

std::string OutputPath(std::string_view name) {
    return JoinPath(CurrentPlatform().OutputDirectory(), name);
}

std::string RetrieveInINIFile(std::string_view key) {
    Trace(std::string("Recherche du champ ") + std::string(key) + " dans parametres.ini", kModIO,
          "RetrieveInINIFile");
    const std::string path = ProgramPath("parametres.ini");
    if (!FileExists(path)) {
        Warn("Erreur critique",
             std::string("Le fichier de paramétrage INI est introuvable."_cp) + std::string(kCrLf) +
                 std::string("L'application va s'arrêter car elle ne peut pas fonctionner "
                             "correctement."_cp));
        CurrentPlatform().EndApplication();
        return {};
    }
    FilePtr f(std::fopen(NativePath(path).c_str(), "rb"));
    if (!f) {
        Warn("Erreur.",
             std::to_string(ErrorNumberFromErrno(errno)) + " - Lecture du fichier ini impossible.");
        return {};
    }
    // Our own file may have been edited anywhere: CR LF, LF and CR all end a line.
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
    int c;
    bool lastWasCr = false;
    while ((c = std::fgetc(f.get())) != EOF) {
        if (c == '\n' && lastWasCr) {
            lastWasCr = false;
            continue;
        }
        lastWasCr = (c == '\r');
        if (c == '\r' || c == '\n') {
            if (consider(value)) return value;
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    if (std::ferror(f.get())) {
        Warn("Erreur.",
             std::to_string(kErrPathFileAccess) + " - Lecture du fichier ini impossible.");
        return {};
    }
    if (!line.empty() && consider(value)) return value;
    return {};
}

std::string CurrentTraceFilePath() {
    const LocalDateTime now = CurrentPlatform().Now();
    char name[64];
    std::snprintf(name, sizeof name, "logs/%02d%02d%04d_trace.log", now.day, now.month, now.year);
    return OutputPath(name);
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
    if (int err = AppendAll(CurrentTraceFilePath(), line); err != 0) {
        // Every step of a run traces: one box per run says it, not one per line.
        ShowRepeatedMessage(RepeatedMessage::TraceWrite, "Erreur en écriture"_cp,
                            std::to_string(err) + " - Ecriture dans fichier trace impossible." +
                                std::string(kCrLf) +
                                std::string("Les droit d'accès sont peut-être insuffisants."_cp),
                            MsgIcon::Exclamation);
    }
}

void Trace(std::string_view message, std::string_view module, std::string_view procedure) {
    if (CurrentPlatform().TraceMode()) WriteTrace(message, module, procedure);
}

std::string ImportFileContent(const std::string& path) {
    Trace("Importation du contenu du fichier " + path, kModIO, "ImportFileContent");
    auto fail = [](int number) {
        Warn("Lecture du fichier impossible",
             std::to_string(number) + " - " + ErrorDescription(number));
        return std::string();
    };
    int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail(errno == ENOENT ? kErrFileNotFound : ErrorNumberFromErrno(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return fail(kErrPathFileAccess);
    }
    // The file is read a chunk at a time into a small buffer that stays in
    // the cache, and only the text between line ends is copied on: the big
    // text is written once, never cleared first nor moved afterwards.
    // Lines are joined with nothing between them: every CR is dropped with
    // the LF that directly follows it; a lone LF is not a line end and stays.
    std::string text;
    text.reserve(static_cast<std::size_t>(st.st_size));
    constexpr std::size_t kChunk = std::size_t{256} << 10;
    const std::unique_ptr<char[]> chunk(new char[kChunk]);
    bool afterCr = false;  // the last chunk ended with a CR
    for (;;) {
        const ssize_t got = ::read(fd, chunk.get(), kChunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            int err = ErrorNumberFromErrno(errno);
            ::close(fd);
            return fail(err);
        }
        if (got == 0) break;
        const char* p = chunk.get();
        const char* const end = p + got;
        if (afterCr && *p == '\n') ++p;
        afterCr = false;
        while (p < end) {
            const auto* cr =
                static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(end - p)));
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
    }
    ::close(fd);
    return text;
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    struct stat st {};
    if (::stat(NativePath(path).c_str(), &st) == 0) return true;
    if (errno == ENAMETOOLONG || errno == EINVAL) {
        Warn("Chemin de fichier incorrect",
             std::string("Chemin de fichier invalide : ") + std::string(kCrLf) + path);
    }
    return false;
}

FileFacts GetFileFacts(const std::string& path) {
    FileFacts facts;
    struct stat st {};
    if (path.empty() || ::stat(NativePath(path).c_str(), &st) != 0) return facts;
    facts.exists = true;
    facts.directory = S_ISDIR(st.st_mode);
    facts.size = static_cast<std::uint64_t>(st.st_size);
    facts.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return facts;
}

void MakeDir(const std::string& path, std::string_view label) {
    Trace(std::string("Création du répertoire "_cp) + path, kModIO, "MakeDir");
    if (::mkdir(NativePath(path).c_str(), 0755) != 0) {
        int err = errno == EEXIST ? kErrPathFileAccess : ErrorNumberFromErrno(errno);
        Warn("Erreur en écriture"_cp,
             std::to_string(err) + std::string(" - Création du répertoire "_cp) +
                 std::string(label) + " impossible." + std::string(kCrLf) +
                 std::string("Les droit d'écriture sont peut-être insuffisants."_cp));
    }
}

bool WriteInFile(std::string_view text, const std::string& path, std::string_view label) {
    Trace("Ecriture du fichier " + path, kModIO, "WriteInFile");
    std::string data(text);
    data += kCrLf;
    if (int err = AppendAll(path, data); err != 0) {
        Warn("Erreur en écriture"_cp,
             std::to_string(err) + " - Ecriture du fichier " + std::string(label) + " impossible." +
                 std::string(kCrLf) +
                 std::string("Les droit d'accès sont peut-être insuffisants."_cp));
        return false;
    }
    return true;
}

void SetStatus(std::string_view text) {
    CurrentPlatform().ShowStatus(text);
}

int WriteFileAtomically(const std::string& path, std::string_view content) {
    bool given = false;
    return WriteFileAtomically(path, [&]() -> std::string_view {
        if (given) return {};
        given = true;
        return content;
    });
}

int WriteFileAtomically(const std::string& path, const std::function<std::string_view()>& next) {
    const std::string target = NativePath(path);
    std::string temp = target + ".part-XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return ErrorNumberFromErrno(errno);
    int err = 0;
    // The disk is set to work on what is written as the file grows, so that
    // the flush before the rename waits only for the last stretch.
    constexpr std::size_t kWriteBackStep = std::size_t{8} << 20;
    std::size_t written = 0, handedToDisk = 0;
    for (std::string_view content = next(); err == 0 && !content.empty(); content = next()) {
        std::size_t done = 0;
        while (done < content.size()) {
            ssize_t n = ::write(fd, content.data() + done, content.size() - done);
            if (n < 0) {
                if (errno == EINTR) continue;
                err = ErrorNumberFromErrno(errno);
                break;
            }
            done += static_cast<std::size_t>(n);
        }
        written += done;
#if defined(__linux__)
        if (written - handedToDisk >= kWriteBackStep) {
            // Advice only: the fsync below reports any failure.
            ::sync_file_range(fd, static_cast<off_t>(handedToDisk),
                              static_cast<off_t>(written - handedToDisk), SYNC_FILE_RANGE_WRITE);
            handedToDisk = written;
        }
#endif
    }
    if (err == 0 && ::fchmod(fd, 0644) != 0) err = ErrorNumberFromErrno(errno);
    if (err == 0 && ::fsync(fd) != 0) err = ErrorNumberFromErrno(errno);
    if (::close(fd) != 0 && err == 0) err = ErrorNumberFromErrno(errno);
    if (err == 0 && std::rename(temp.c_str(), target.c_str()) != 0)
        err = ErrorNumberFromErrno(errno);
    if (err != 0) ::unlink(temp.c_str());
    return err;
}

}  // namespace trelvane

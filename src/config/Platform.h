// The one door from the core to the desktop: message boxes, the status line,
// the home window's choices (read live, at the moment they matter), the clock
// and the program's own directory. The desktop program implements it with Qt,
// the batch front end with the console, the tests with a scripted double.
// All texts crossing it are Windows-1252, but for paths, which are in the
// system's own form (see config/FileSystem.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/Cp1252.h"

namespace trelvane {

enum class MsgIcon { None, Exclamation, Information, Critical };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

struct LocalDateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Title of message boxes that do not name their own.
inline constexpr std::string_view kProgramTitle = "Trelvane";
// The procedure and the first test profile of the home window, which every
// front end offers and the report document names.
inline constexpr std::string_view kProcedureText = "EDI KTV Tome 2";
inline constexpr std::string_view kFirstProfileText = "VRK Déclaration des revenus"_cp;

class Platform {
  public:
    virtual ~Platform() = default;

    // Line breaks inside texts are "\r\n".
    virtual MsgAnswer ShowMessage(std::string_view title, std::string_view text, MsgIcon icon,
                                  MsgButtons buttons) = 0;
    // Puts the text in the home window's status box and repaints it at once.
    virtual void ShowStatus(std::string_view text) = 0;

    // The home window's choices.
    virtual bool TraceMode() = 0;        // "Mode trace"
    virtual bool ErrorsOnly() = 0;       // "Erreurs Uniquement"
    virtual bool ShowWarnings() = 0;     // "Afficher les signalements"
    virtual std::string YearCamp() = 0;  // campaign year, four digits
    virtual std::string FilePath() = 0;  // the file to test (a path)
    virtual std::string ProcedureText() = 0;
    virtual int ProfileIndex() = 0;  // -1 none, 0 first profile, 1 second
    virtual std::string ProfileText() = 0;

    virtual LocalDateTime Now() = 0;
    // A path, without a trailing separator.
    virtual std::string ProgramDirectory() = 0;
    // Where logs/, FNS3/ and CR_Erreurs/ are made: the program's directory,
    // unless the front end finds that an ordinary user cannot write there.
    virtual std::string OutputDirectory() { return ProgramDirectory(); }

    // Long loops ask between two pieces of work (a dossier, a batch of
    // records or segments): true when the user wants the run to stop. The
    // desktop also keeps its window alive from here.
    virtual bool StopRequested() { return false; }

    // A file the user asked for was written at path; text names it. The
    // desktop offers to open its folder.
    virtual void ShowFileWritten(std::string_view title, std::string_view text,
                                 const std::string& /*path*/) {
        ShowMessage(title, text, MsgIcon::Information, MsgButtons::Ok);
    }

    // The parameter file is missing: the application cannot go on. A real
    // front end does not return from here.
    virtual void EndApplication() = 0;
};

// Answers Yes to every question, shows nothing and gives the choices held in
// its members: the platform of the core until a front end installs its own,
// and of the benchmarks and the fuzzer, whose runs nobody watches.
class SilentPlatform : public Platform {
  public:
    std::string yearCamp = "2000";
    std::string filePath;
    std::string procedureText;
    std::string programDirectory = ".";
    LocalDateTime now;

    MsgAnswer ShowMessage(std::string_view title, std::string_view text, MsgIcon icon,
                          MsgButtons buttons) override;
    void ShowStatus(std::string_view) override {}
    bool TraceMode() override { return false; }
    bool ErrorsOnly() override { return false; }
    bool ShowWarnings() override { return true; }
    std::string YearCamp() override { return yearCamp; }
    std::string FilePath() override { return filePath; }
    std::string ProcedureText() override { return procedureText; }
    int ProfileIndex() override { return 0; }
    std::string ProfileText() override { return {}; }
    LocalDateTime Now() override { return now; }
    std::string ProgramDirectory() override { return programDirectory; }
    // Without the parameter file nothing can be checked: the program ends
    // with the configuration fault's status.
    void EndApplication() override;
};

// The platform in use; SetPlatform does not take ownership.
Platform& CurrentPlatform();
void SetPlatform(Platform* platform);

// Short date "dd/MM/yyyy" and long time "HH:mm:ss", as the French settings
// the tool is used with write them.
std::string ShortDate(const LocalDateTime& t);
std::string LongTime(const LocalDateTime& t);
// A count with its thousands apart: "28 000".
std::string GroupedNumber(std::int64_t n);

// Boxes the core may raise once per segment or per dossier. Outside a run
// they are shown at once. While a run gathers them (GatheredMessages), only
// the first of each kind is kept, with a count: ShowGatheredMessages shows
// each kind once per run, saying how often it happened.
enum class RepeatedMessage { UnexpectedFailure, StoreOverflow, TraceWrite };
void ShowRepeatedMessage(RepeatedMessage kind, std::string_view title, std::string_view text,
                         MsgIcon icon);
void ShowGatheredMessages();

// Gathers the repeated boxes for its lifetime; what is left is shown when it
// ends.
class GatheredMessages {
  public:
    GatheredMessages();
    ~GatheredMessages();
    GatheredMessages(const GatheredMessages&) = delete;
    GatheredMessages& operator=(const GatheredMessages&) = delete;
};

}  // namespace trelvane

// The platform of the batch front end: message boxes go to standard error, a
// Yes/No question is answered Yes, the status line stays silent.
#pragma once

#include <string>

#include "config/Platform.h"

namespace trelvane {

struct ConsoleChoices {
    bool trace = false;
    bool errorsOnly = false;
    bool showWarnings = true;
    std::string yearCamp;
    std::string filePath;
};

class ConsolePlatform final : public Platform {
  public:
    explicit ConsolePlatform(ConsoleChoices choices);

    MsgAnswer ShowMessage(std::string_view title, std::string_view text, MsgIcon icon,
                          MsgButtons buttons) override;
    void ShowStatus(std::string_view) override {}
    bool TraceMode() override { return choices_.trace; }
    void SetTraceMode(bool on) { choices_.trace = on; }
    bool ErrorsOnly() override { return choices_.errorsOnly; }
    bool ShowWarnings() override { return choices_.showWarnings; }
    std::string YearCamp() override { return choices_.yearCamp; }
    std::string FilePath() override { return choices_.filePath; }
    std::string ProcedureText() override;
    int ProfileIndex() override { return 0; }
    std::string ProfileText() override;
    LocalDateTime Now() override;
    std::string ProgramDirectory() override { return programDirectory_; }
    void EndApplication() override;

  private:
    ConsoleChoices choices_;
    std::string programDirectory_;
};

}  // namespace trelvane

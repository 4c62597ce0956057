// The desktop's answers to the core: message boxes through the window
// services, the status box and the choices of the home window, read from its
// controls at the moment they are asked for.
#pragma once

#include <QString>

#include "config/Platform.h"

class frmAccueil;

namespace trelvane::ui {

class QtPlatform final : public Platform {
  public:
    // programDirectory: the program's own directory unless given (tests run
    // the windows over a directory of their own).
    explicit QtPlatform(frmAccueil& home, QString programDirectory = {});

    MsgAnswer ShowMessage(std::string_view title, std::string_view text, MsgIcon icon,
                          MsgButtons buttons) override;
    void ShowStatus(std::string_view text) override;
    bool TraceMode() override;
    bool ErrorsOnly() override;
    bool ShowWarnings() override;
    std::string YearCamp() override;
    std::string FilePath() override;
    std::string ProcedureText() override;
    int ProfileIndex() override;
    std::string ProfileText() override;
    LocalDateTime Now() override;
    std::string ProgramDirectory() override;
    void EndApplication() override;

  private:
    frmAccueil& home_;
    QString programDirectory_;
};

}  // namespace trelvane::ui

// The desktop's answers to the core: message boxes through the window
// services, the status box, the Stop button and the choices of the home
// window, read from its controls at the moment they are asked for.
#pragma once

#include <QString>

#include "config/Platform.h"

class frmAccueil;
class QWidget;

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
    // The program's directory when the user can write there, else the
    // user's own data folder.
    std::string OutputDirectory() override;
    bool StopRequested() override;
    void ShowFileWritten(std::string_view title, std::string_view text,
                         const std::string& path) override;
    void EndApplication() override;

  private:
    QWidget* BoxParent() const;

    frmAccueil& home_;
    QString programDirectory_;
    QString outputDirectory_;
};

}  // namespace trelvane::ui

// Everything modal the windows show goes through here: message boxes (the
// core's and the windows' own), the file-open dialog, the print dialog, the
// modal showing of windows and the end of the program. The desktop uses the
// Qt dialogs; tests install a scripted double with queued answers, so no
// modal loop ever waits for a click.
#pragma once

#include <QString>
#include <optional>

#include "config/Platform.h"

class QDialog;
class QPrinter;
class QWidget;

namespace trelvane::ui {

class UiServices {
  public:
    virtual ~UiServices() = default;
    // Line breaks of text are "\n" or "\r\n".
    virtual MsgAnswer Message(QWidget* parent, const QString& title, const QString& text,
                              MsgIcon icon, MsgButtons buttons) = 0;
    // A file was written: text names it; the box offers to open folder.
    virtual void FileWritten(QWidget* parent, const QString& title, const QString& text,
                             const QString& folder) = 0;
    // Full path of the chosen file, the dialog opening in directory;
    // nullopt when cancelled.
    virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& filter,
                                                const QString& directory) = 0;
    // The name to save a file under, the dialog titled title proposing
    // proposed among filters (";;" between them); filter gives the filter
    // proposed and receives the one chosen. nullopt when cancelled, and
    // for services that never save.
    virtual std::optional<QString> SaveFileName(QWidget* /*parent*/, const QString& /*title*/,
                                                const QString& /*proposed*/,
                                                const QString& /*filters*/, QString& /*filter*/) {
        return std::nullopt;
    }
    // Lets the user set up printer; false when cancelled.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Shows window modally; returns when it is hidden again.
    virtual void ShowModal(QDialog& window) = 0;
    // Ends the program at once.
    virtual void Quit() = 0;
};

// The Qt dialogs.
class QtUiServices final : public UiServices {
  public:
    MsgAnswer Message(QWidget* parent, const QString& title, const QString& text, MsgIcon icon,
                      MsgButtons buttons) override;
    void FileWritten(QWidget* parent, const QString& title, const QString& text,
                     const QString& folder) override;
    std::optional<QString> OpenFileName(QWidget* parent, const QString& filter,
                                        const QString& directory) override;
    std::optional<QString> SaveFileName(QWidget* parent, const QString& title,
                                        const QString& proposed, const QString& filters,
                                        QString& filter) override;
    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
    void ShowModal(QDialog& window) override;
    void Quit() override;
};

// For programs that drive the windows without anyone at the screen (the
// benchmark, the screenshots): windows are shown without waiting, every
// question is answered Yes and every other box Ok, no file or printer is
// chosen; messages are printed on standard error when asked.
class UnattendedUiServices final : public UiServices {
  public:
    explicit UnattendedUiServices(bool printMessages) : printMessages_(printMessages) {}
    MsgAnswer Message(QWidget* parent, const QString& title, const QString& text, MsgIcon icon,
                      MsgButtons buttons) override;
    void FileWritten(QWidget* parent, const QString& title, const QString& text,
                     const QString&) override {
        Message(parent, title, text, MsgIcon::Information, MsgButtons::Ok);
    }
    std::optional<QString> OpenFileName(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
    void ShowModal(QDialog& window) override;
    void Quit() override {}

  private:
    bool printMessages_;
};

// The hourglass for the length of a scope.
class WaitCursor {
  public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The services in use (the Qt ones until another is set); no ownership.
UiServices& Ui();
void SetUiServices(UiServices* services);

// Qt's own texts (dialog buttons, the file and print dialogs, context
// menus) in French, as every other text of the program. False when the
// translation is not installed.
bool LoadQtFrenchTranslation();

}  // namespace trelvane::ui

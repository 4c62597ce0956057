// The viewer: the raw text of the file to test, optionally one segment per
// line. The file is read the first time only; later views reshape the text
// already shown.
#pragma once

#include <QDialog>
#include <string>
#include <string_view>

class QPlainTextEdit;
class QPushButton;

class frmVisualisation : public QDialog {
    Q_OBJECT
  public:
    explicit frmVisualisation(QWidget* parent = nullptr);

    // The text shown, Windows-1252 (kept as set: the box is read-only).
    const std::string& Text() const { return text_; }
    void SetText(std::string cp1252);

    // A line break after every segment terminator "'" that is not released
    // by "?" (a doubled "??" is a release character standing for itself).
    static std::string SplitSegments(std::string_view text);
    // Removes the line breaks SplitSegments put in.
    static std::string JoinSegments(std::string_view text);

    bool blnViewerLoaded = false;

  public slots:
    void cmdFermer_Click();

  private:
    QPlainTextEdit* rtbVisuFichier_;
    QPushButton* cmdFermer_;
    std::string text_;
};

// The viewer: the raw text of the file to test, optionally one segment per
// line. It reads the file again whenever it is not the one shown or has been
// rewritten since.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "config/modIOfunctions.h"

class LinesView;
class QPushButton;
class SearchBar;

class frmVisualisation : public QDialog {
    Q_OBJECT
  public:
    explicit frmVisualisation(QWidget* parent = nullptr);

    // True when the file at path (as the core names it) is not the one shown
    // or has changed since it was read.
    bool IsStale(const std::string& path, const trelvane::FileFacts& facts) const;
    // Reads the file at path (corePath as the core names it; facts as
    // GetFileFacts found them), after letting go of the one shown.
    void Load(const QString& path, const std::string& corePath, const trelvane::FileFacts& facts);
    // One segment per line, or the lines as the file holds them.
    void SetBySegment(bool bySegment);

    const LinesView& View() const { return *rtbVisuFichier_; }

  public slots:
    void cmdFermer_Click();

  private:
    LinesView* rtbVisuFichier_;
    SearchBar* fndVisu_;
    // Where the match shown last starts in the text (npos: none).
    std::size_t lastHit_ = std::string::npos;
    QPushButton* cmdFermer_;
    std::string text_;
    std::string path_;
    trelvane::FileFacts facts_;
};

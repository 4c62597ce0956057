// A read-only view of a big Windows-1252 text, line by line, in a fixed-pitch
// font: only the lines in view are laid out, and only their part in view, so
// a file of tens of megabytes opens at once and a line of megabytes scrolls
// to its end. Lines end at a line feed and, one segment per line, after every
// segment terminator "'" that is not released by "?" (a doubled "??" is a
// release character standing for itself). Whole lines can be selected and
// copied.
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class LinesView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit LinesView(QWidget* parent = nullptr);

    // Shows text (kept by the caller for as long as it is shown).
    void SetText(const std::string* text, bool bySegment);

    std::size_t LineCount() const { return count_; }
    std::string_view Line(std::size_t index) const;
    // Characters in the longest line.
    std::size_t LongestLine() const { return longest_; }
    // The selected lines, joined with "\n"; empty when none.
    QString SelectedText() const;
    void SelectAll();
    void CopySelection() const;
    // The line that holds the character at offset of the text.
    std::size_t LineOf(std::size_t offset) const;
    // Where line starts in the text.
    std::size_t OffsetOf(std::size_t line) const { return LineStart(line); }
    // Selects line and scrolls it into the middle of the view, with column
    // (its character) in view.
    void ShowLine(std::size_t line, std::size_t column);
    // The first line in view.
    std::size_t FirstShown() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // Where the line starting at start ends (its last character excluded),
    // and where the next one starts (npos after the last line).
    std::size_t LineEnd(std::size_t start, std::size_t& next) const;
    std::size_t LineStart(std::size_t index) const;
    std::size_t LineAt(int y) const;
    void UpdateScrollBars();

    const std::string* text_ = nullptr;
    bool bySegment_ = false;
    // The start of every kStride-th line: a line is found from the nearest
    // one before it, and the index stays small beside the text.
    std::vector<std::size_t> sampled_;
    std::size_t count_ = 0;
    std::size_t longest_ = 0;
    // Selected lines, anchor and end (npos: none).
    std::size_t anchor_;
    std::size_t current_;
};

// A report pane: the runs of a report land in a QTextDocument built off
// screen and shown in the pane once finished. A report of tens of thousands
// of records would cost seconds if every line were its own paragraph and
// every run its own insertion: lines that share an indent are kept in one
// paragraph (up to a bound), apart by line separators, and text of one look
// is gathered and inserted at once. Line breaks read back as "\r\n" all the
// same. A line shows at most kShownLineCharacters, then says it was cut:
// laying out a segment of megabytes would hold the window for minutes. What
// was left out is kept, so that the plain text (the CR file) stays whole.
#pragma once

#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "reports/RichTextSink.h"

namespace trelvane::ui {

class SegmentMarks;

// Above the coloured display's own limit, which marks its lines itself.
inline constexpr int kShownLineCharacters = 4000;

class QtRichTextSink final : public RichTextSink {
  public:
    explicit QtRichTextSink(QTextEdit* pane);

    void Clear() override;
    void SetColor(Rgb color) override;
    void SetBold(bool bold) override;
    void SetFontName(std::string_view name) override;
    void SetFontSize(int points) override;
    void SetIndent(int twips) override;
    void InsertText(std::string_view text) override;
    // Puts the pane's caret at position, once the document is shown.
    void SetCaret(std::size_t position) override;
    // Kept with the document, so that a saved display shown again links its
    // lines to their segments as well.
    void MarkSegment(std::int64_t segment) override;
    // The whole text, the parts of long paragraphs left out of the pane
    // included.
    std::string PlainText() const override;

    // Shows the document being built, if any (a report that stopped early
    // is shown as far as it went).
    void Attach();
    // The document written so far (the pane's, or the one being built).
    QTextDocument* Document() const;
    // Shows doc, which someone else owns (a saved display), from its start.
    void Show(QTextDocument* doc);
    // Times the pane was emptied, for the tests of the saved displays.
    int ClearCount() const { return clears_; }

  private:
    QTextDocument* NewDocument();
    // Shows doc in the pane, deleting the sink's document shown before.
    void Replace(QTextDocument* doc);
    // Writes a piece of a line (no line break in it), cut at the limit.
    void Put(const QString& text);
    void Append(const QString& text, const QTextCharFormat& format);
    void StartLine() const;
    // Inserts the gathered text into the document.
    void Flush() const;
    // Everything written so far is in the document.
    void Settle() const;
    void PlaceCaret();

    // A line cut short: where its marker stands and what it stands for.
    struct Cut {
        int position;
        QString hidden;
    };

    QTextEdit* pane_;
    QTextDocument* doc_;
    bool pending_ = false;  // doc_ is built off screen, not yet shown
    std::size_t caret_ = 0;
    int clears_ = 0;

    // The attributes set by the report, and the indent of the line being
    // written.
    QTextCharFormat format_;
    int indent_ = 0;

    // The gathered text is written out lazily, also by the readers.
    mutable QTextCursor cursor_;
    mutable QString run_;
    mutable QTextCharFormat runFormat_;
    mutable bool editing_ = false;
    mutable int written_ = 0;            // characters in the document and in run_
    mutable bool breakPending_ = false;  // a line ended; how is not decided yet
    mutable int blockIndent_ = 0;        // indent of the paragraph at the end
    mutable int linesInBlock_ = 1;
    mutable int lineStart_ = 0;     // position where the current line begins
    mutable bool cutting_ = false;  // the current line is cut: its text goes to cuts_
    std::vector<Cut> cuts_;
    SegmentMarks* marks_ = nullptr;  // doc_'s, made at its first mark
};

// The segment the text at position of doc tells of (MarkSegment); -1 when
// none does.
std::int64_t SegmentAt(const QTextDocument* doc, int position);
// Where the first stretch of doc telling of segment starts; -1 when none.
int PositionOfSegment(const QTextDocument* doc, std::int64_t segment);
// Where the line holding position ends (before its line break).
int LineEndAt(const QTextDocument* doc, int position);

// Plain text of a document with "\r\n" line breaks, in Windows-1252.
std::string DocumentPlainText(const QTextDocument& doc);

}  // namespace trelvane::ui

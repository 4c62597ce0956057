// A report pane: the runs of a report land in a QTextDocument built off
// screen and shown in the pane once finished, so twenty thousand coloured
// lines do not pay for a layout at every insertion. A paragraph shows at most
// kShownParagraphCharacters, then says it was cut: laying out a segment of
// megabytes would hold the window for minutes. What was left out is kept,
// so that the plain text (the CR file) stays whole.
#pragma once

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <cstddef>
#include <string>
#include <vector>

#include "reports/RichTextSink.h"

namespace trelvane::ui {

// Above the coloured display's own limit, which marks its lines itself.
inline constexpr std::size_t kShownParagraphCharacters = 4000;

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
    // Shows the document and puts the pane's caret at position.
    void SetCaret(std::size_t position) override;
    // The whole text, the parts of long paragraphs left out of the pane
    // included.
    std::string PlainText() const override;

    // Shows the document being built, if any (a report that stopped early
    // is shown as far as it went).
    void Attach();
    // The pane's document, or the one being built.
    QTextDocument* Document() const { return doc_; }
    // Shows a copy of source in the pane (a saved display).
    void ShowCopyOf(const QTextDocument& source);
    // Times the pane was emptied, for the tests of the saved displays.
    int ClearCount() const { return clears_; }

  private:
    QTextDocument* NewDocument();
    // Inserts a piece of text holding no line break.
    void InsertPiece(std::string_view piece);

    // A paragraph cut short: where its marker stands and what it stands for.
    struct Cut {
        int position;
        std::string hidden;
    };

    QTextEdit* pane_;
    QTextDocument* doc_;
    bool pending_ = false;
    QTextCursor cursor_;
    QTextCharFormat format_;
    int clears_ = 0;
    std::size_t paragraph_ = 0;  // characters of the current paragraph so far
    bool cutting_ = false;       // the current paragraph is cut: its text goes to cuts_
    std::vector<Cut> cuts_;
};

// Plain text of a document with "\r\n" line breaks, in Windows-1252.
std::string DocumentPlainText(const QTextDocument& doc);

}  // namespace trelvane::ui

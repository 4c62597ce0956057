// A report pane: the runs of a report land in a QTextDocument built off
// screen and shown in the pane once finished, so twenty thousand coloured
// lines do not pay for a layout at every insertion.
#pragma once

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "reports/RichTextSink.h"

namespace trelvane::ui {

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

    QTextEdit* pane_;
    QTextDocument* doc_;
    bool pending_ = false;
    QTextCursor cursor_;
    QTextCharFormat format_;
    int clears_ = 0;
};

// Plain text of a document with "\r\n" line breaks, in Windows-1252.
std::string DocumentPlainText(const QTextDocument& doc);

}  // namespace trelvane::ui

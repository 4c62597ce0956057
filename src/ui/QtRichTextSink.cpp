#include "QtRichTextSink.h"

#include <QTextBlockFormat>
#include <algorithm>

#include "QtText.h"

namespace trelvane::ui {

namespace {
// The boxes' indents are in twips; Qt margins in pixels at 96 dpi.
constexpr double kTwipsPerPixel = 15.0;
}  // namespace

QtRichTextSink::QtRichTextSink(QTextEdit* pane) : pane_(pane), doc_(pane->document()) {
    cursor_ = QTextCursor(doc_);
}

QTextDocument* QtRichTextSink::NewDocument() {
    // Parented to the pane: QTextEdit deletes its previous document when it
    // is one of its children.
    auto* doc = new QTextDocument(pane_);
    doc->setDefaultFont(pane_->font());
    doc->setUndoRedoEnabled(false);
    return doc;
}

void QtRichTextSink::Clear() {
    ++clears_;
    if (pending_) delete doc_;
    doc_ = NewDocument();
    pending_ = true;
    cursor_ = QTextCursor(doc_);
    format_ = QTextCharFormat();
}

void QtRichTextSink::SetColor(Rgb color) {
    format_.setForeground(QColor(color.r, color.g, color.b));
}

void QtRichTextSink::SetBold(bool bold) {
    format_.setFontWeight(bold ? QFont::Bold : QFont::Normal);
}

void QtRichTextSink::SetFontName(std::string_view name) {
    format_.setFontFamilies(QStringList{FromCp(name)});
}

void QtRichTextSink::SetFontSize(int points) {
    format_.setFontPointSize(points);
}

void QtRichTextSink::SetIndent(int twips) {
    QTextBlockFormat block = cursor_.blockFormat();
    block.setLeftMargin(twips / kTwipsPerPixel);
    cursor_.setBlockFormat(block);
}

void QtRichTextSink::InsertText(std::string_view text) {
    cursor_.insertText(FromCp(text), format_);
}

void QtRichTextSink::Attach() {
    if (!pending_) return;
    pending_ = false;
    pane_->setDocument(doc_);
}

void QtRichTextSink::SetCaret(std::size_t position) {
    Attach();
    const int last = std::max(0, doc_->characterCount() - 1);
    const int pos =
        static_cast<int>(std::min<std::size_t>(position, static_cast<std::size_t>(last)));
    cursor_.setPosition(pos);
    pane_->setTextCursor(cursor_);
    pane_->ensureCursorVisible();
}

std::string QtRichTextSink::PlainText() const {
    return DocumentPlainText(*doc_);
}

void QtRichTextSink::ShowCopyOf(const QTextDocument& source) {
    if (pending_) delete doc_;
    pending_ = false;
    doc_ = source.clone(pane_);
    doc_->setUndoRedoEnabled(false);
    pane_->setDocument(doc_);
    cursor_ = QTextCursor(doc_);
    format_ = QTextCharFormat();
}

std::string DocumentPlainText(const QTextDocument& doc) {
    // The raw text keeps every character as inserted (toPlainText would turn
    // a no-break space of the data into a plain one).
    QString text = doc.toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return ToCp(text);
}

}  // namespace trelvane::ui

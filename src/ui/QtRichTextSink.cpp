#include "QtRichTextSink.h"

#include <QTextBlockFormat>
#include <algorithm>

#include "QtText.h"

namespace trelvane::ui {

namespace {
// The boxes' indents are in twips; Qt margins in pixels at 96 dpi.
constexpr double kTwipsPerPixel = 15.0;

const QString& CutMarker() {
    static const QString marker = QStringLiteral(u" [...] (ligne coupée à l'affichage)");
    return marker;
}

// Paragraph separators as "\r\n", in Windows-1252.
std::string PlainOf(QString text) {
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return ToCp(text);
}
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
    paragraph_ = 0;
    cutting_ = false;
    cuts_.clear();
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
    // Line breaks (CR, LF or both) end paragraphs; the pieces between them
    // are shown up to the limit.
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        InsertPiece(text.substr(0, end));
        if (end == text.size()) break;
        const std::size_t breakLength = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        cursor_.insertText(FromCp(text.substr(end, breakLength)), format_);
        paragraph_ = 0;
        cutting_ = false;
        text.remove_prefix(end + breakLength);
    }
}

void QtRichTextSink::InsertPiece(std::string_view piece) {
    if (piece.empty()) return;
    if (cutting_) {
        cuts_.back().hidden.append(piece);
        return;
    }
    const std::size_t room = kShownParagraphCharacters - paragraph_;
    if (piece.size() <= room) {
        cursor_.insertText(FromCp(piece), format_);
        paragraph_ += piece.size();
        return;
    }
    cursor_.insertText(FromCp(piece.substr(0, room)), format_);
    paragraph_ = kShownParagraphCharacters;
    cutting_ = true;
    cuts_.push_back({cursor_.position(), std::string(piece.substr(room))});
    QTextCharFormat marker = format_;
    marker.setForeground(QColor(100, 100, 100));
    marker.setFontWeight(QFont::Normal);
    cursor_.insertText(CutMarker(), marker);
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
    QString text = doc_->toRawText();
    // Last first, so that the positions of the earlier ones still hold.
    for (auto cut = cuts_.rbegin(); cut != cuts_.rend(); ++cut)
        text.replace(cut->position, CutMarker().size(), FromCp(cut->hidden));
    return PlainOf(std::move(text));
}

void QtRichTextSink::ShowCopyOf(const QTextDocument& source) {
    if (pending_) delete doc_;
    pending_ = false;
    doc_ = source.clone(pane_);
    doc_->setUndoRedoEnabled(false);
    pane_->setDocument(doc_);
    cursor_ = QTextCursor(doc_);
    format_ = QTextCharFormat();
    paragraph_ = 0;
    cutting_ = false;
    cuts_.clear();
}

std::string DocumentPlainText(const QTextDocument& doc) {
    // The raw text keeps every character as inserted (toPlainText would turn
    // a no-break space of the data into a plain one).
    return PlainOf(doc.toRawText());
}

}  // namespace trelvane::ui

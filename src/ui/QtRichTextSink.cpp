#include "QtRichTextSink.h"

#include <QTextBlock>
#include <QTextBlockFormat>
#include <algorithm>

#include "QtText.h"

namespace trelvane::ui {

// Where each stretch telling of a segment starts, in the order written.
class SegmentMarks : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    std::vector<int> positions;
    std::vector<std::int64_t> segments;
};

namespace {

const SegmentMarks* MarksOf(const QTextDocument* doc) {
    return doc ? doc->findChild<SegmentMarks*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

// The boxes' indents are in twips; Qt margins in pixels at 96 dpi.
constexpr double kTwipsPerPixel = 15.0;
// A paragraph holds at most this many lines, so that a long display stays a
// series of small paragraphs laid out as they come into view.
constexpr int kLinesPerParagraph = 32;

QTextBlockFormat IndentFormat(int twips) {
    QTextBlockFormat format;
    format.setLeftMargin(twips / kTwipsPerPixel);
    return format;
}

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
    Show(doc_);
}

QTextDocument* QtRichTextSink::NewDocument() {
    // Parented to the pane: the sink deletes it when the pane shows another
    // one (QTextEdit itself only deletes the documents it made).
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
    editing_ = false;
    run_.clear();
    format_ = QTextCharFormat();
    runFormat_ = format_;
    indent_ = 0;
    written_ = 0;
    breakPending_ = false;
    blockIndent_ = 0;
    linesInBlock_ = 1;
    lineStart_ = 0;
    caret_ = 0;
    cutting_ = false;
    cuts_.clear();
    marks_ = nullptr;
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

// The indent belongs to the line that holds the caret (each line being a
// paragraph of its own in the boxes the reports were written for); at the
// start of a line it is the next line's.
void QtRichTextSink::SetIndent(int twips) {
    indent_ = twips;
    if (breakPending_ || twips == blockIndent_) return;
    Flush();
    if (linesInBlock_ > 1) {
        // The line shares its paragraph with lines above: the separator
        // before it becomes a paragraph break.
        QTextCursor separator(doc_);
        separator.setPosition(lineStart_ - 1);
        separator.setPosition(lineStart_, QTextCursor::KeepAnchor);
        separator.removeSelectedText();
        separator.insertBlock(IndentFormat(twips));
        linesInBlock_ = 1;
    } else {
        cursor_.setBlockFormat(IndentFormat(twips));
    }
    blockIndent_ = twips;
}

void QtRichTextSink::InsertText(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        Put(FromCp(text.substr(start, i - start)));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (breakPending_) StartLine();  // an empty line
        breakPending_ = true;
        start = i + 1;
    }
    Put(FromCp(text.substr(start)));
}

void QtRichTextSink::Put(const QString& text) {
    if (text.isEmpty()) return;
    if (breakPending_) StartLine();
    if (cutting_) {
        cuts_.back().hidden += text;
        return;
    }
    const int room = kShownLineCharacters - (written_ - lineStart_);
    if (text.size() <= room) {
        Append(text, format_);
        return;
    }
    Append(text.left(room), format_);
    cutting_ = true;
    cuts_.push_back({written_, text.mid(room)});
    QTextCharFormat marker = format_;
    marker.setForeground(QColor(100, 100, 100));
    marker.setFontWeight(QFont::Normal);
    Append(CutMarker(), marker);
}

void QtRichTextSink::Append(const QString& text, const QTextCharFormat& format) {
    if (!run_.isEmpty() && runFormat_ != format) Flush();
    if (run_.isEmpty()) runFormat_ = format;
    run_ += text;
    written_ += static_cast<int>(text.size());
}

// A line begins after a break: in the paragraph of the line above when it
// has the same indent and room left, else in a paragraph of its own.
void QtRichTextSink::StartLine() const {
    breakPending_ = false;
    cutting_ = false;
    if (indent_ == blockIndent_ && linesInBlock_ < kLinesPerParagraph) {
        if (run_.isEmpty()) runFormat_ = format_;
        run_ += QChar(QChar::LineSeparator);
        ++linesInBlock_;
    } else {
        Flush();
        cursor_.insertBlock(IndentFormat(indent_), format_);
        blockIndent_ = indent_;
        linesInBlock_ = 1;
    }
    ++written_;
    lineStart_ = written_;
}

void QtRichTextSink::Flush() const {
    if (run_.isEmpty()) return;
    if (!editing_) {
        cursor_.beginEditBlock();
        editing_ = true;
    }
    cursor_.insertText(run_, runFormat_);
    run_.clear();
}

void QtRichTextSink::Settle() const {
    // A break at the very end is a line like any other: the text reads back
    // with its last "\r\n".
    if (breakPending_) StartLine();
    Flush();
    if (editing_) {
        cursor_.endEditBlock();
        editing_ = false;
    }
}

void QtRichTextSink::Attach() {
    Settle();
    if (!pending_) return;
    pending_ = false;
    Replace(doc_);
    PlaceCaret();
}

void QtRichTextSink::Replace(QTextDocument* doc) {
    QTextDocument* shown = pane_->document();
    if (shown == doc) return;
    // A document someone else took over (a saved display) has another
    // parent; the pane's first one is deleted by the pane itself.
    const bool ours = shown->parent() == pane_;
    pane_->setDocument(doc);
    if (ours) delete shown;
}

QTextDocument* QtRichTextSink::Document() const {
    Settle();
    return doc_;
}

void QtRichTextSink::SetCaret(std::size_t position) {
    caret_ = position;
    // A document still being built is laid out only once shown: showing it
    // now would have it laid out while the rest of the run goes on.
    if (!pending_) PlaceCaret();
}

void QtRichTextSink::PlaceCaret() {
    Settle();
    const int last = std::max(0, doc_->characterCount() - 1);
    QTextCursor caret(doc_);
    caret.setPosition(
        static_cast<int>(std::min<std::size_t>(caret_, static_cast<std::size_t>(last))));
    pane_->setTextCursor(caret);
}

std::string QtRichTextSink::PlainText() const {
    QString text = Document()->toRawText();
    // Last first, so that the positions of the earlier ones still hold.
    for (auto cut = cuts_.rbegin(); cut != cuts_.rend(); ++cut)
        text.replace(cut->position, CutMarker().size(), cut->hidden);
    return PlainOf(std::move(text));
}

void QtRichTextSink::Show(QTextDocument* doc) {
    if (pending_ && doc_ != doc) delete doc_;
    pending_ = false;
    doc_ = doc;
    Replace(doc);
    // Writing would go on at its end.
    cursor_ = QTextCursor(doc_);
    cursor_.movePosition(QTextCursor::End);
    editing_ = false;
    run_.clear();
    format_ = QTextCharFormat();
    indent_ = 0;
    written_ = doc_->characterCount() - 1;
    breakPending_ = false;
    blockIndent_ = static_cast<int>(cursor_.blockFormat().leftMargin() * kTwipsPerPixel);
    linesInBlock_ = 1;
    lineStart_ = written_;
    caret_ = 0;
    cutting_ = false;
    cuts_.clear();
    marks_ = nullptr;
    PlaceCaret();
}

void QtRichTextSink::MarkSegment(std::int64_t segment) {
    if (!marks_) marks_ = new SegmentMarks(doc_);
    // After a line break the stretch starts on the next line, whichever way
    // the break is written.
    marks_->positions.push_back(written_ + (breakPending_ ? 1 : 0));
    marks_->segments.push_back(segment);
}

std::int64_t SegmentAt(const QTextDocument* doc, int position) {
    const SegmentMarks* marks = MarksOf(doc);
    if (!marks) return -1;
    const auto after = std::upper_bound(marks->positions.begin(), marks->positions.end(), position);
    if (after == marks->positions.begin()) return -1;
    return marks->segments[static_cast<std::size_t>(after - marks->positions.begin() - 1)];
}

int PositionOfSegment(const QTextDocument* doc, std::int64_t segment) {
    const SegmentMarks* marks = MarksOf(doc);
    if (!marks) return -1;
    const auto at = std::find(marks->segments.begin(), marks->segments.end(), segment);
    if (at == marks->segments.end()) return -1;
    return marks->positions[static_cast<std::size_t>(at - marks->segments.begin())];
}

int LineEndAt(const QTextDocument* doc, int position) {
    const QTextBlock block = doc->findBlock(position);
    const QString text = block.text();
    const auto from = static_cast<qsizetype>(position - block.position());
    const qsizetype end = text.indexOf(QChar(QChar::LineSeparator), from);
    return block.position() + static_cast<int>(end < 0 ? text.size() : end);
}

std::string DocumentPlainText(const QTextDocument& doc) {
    // The raw text keeps every character as inserted (toPlainText would turn
    // a no-break space of the data into a plain one).
    return PlainOf(doc.toRawText());
}

}  // namespace trelvane::ui

#include "QtRichTextSink.moc"

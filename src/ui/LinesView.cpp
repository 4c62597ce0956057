#include "LinesView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>

#include "QtText.h"

namespace {

constexpr std::size_t kNone = std::string::npos;
constexpr std::size_t kStride = 16;
constexpr int kMargin = 4;  // pixels left of the text

int Clamped(std::size_t n) {
    return static_cast<int>(std::min<std::size_t>(n, INT_MAX));
}

}  // namespace

LinesView::LinesView(QWidget* parent)
    : QAbstractScrollArea(parent), anchor_(kNone), current_(kNone) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

void LinesView::SetText(const std::string* text, bool bySegment) {
    text_ = text;
    bySegment_ = bySegment;
    sampled_.clear();
    count_ = 0;
    longest_ = 0;
    anchor_ = current_ = kNone;
    if (text_) {
        for (std::size_t start = 0;;) {
            if (count_ % kStride == 0) sampled_.push_back(start);
            std::size_t next = kNone;
            longest_ = std::max(longest_, LineEnd(start, next) - start);
            ++count_;
            if (next == kNone) break;
            start = next;
        }
        sampled_.shrink_to_fit();
    }
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    UpdateScrollBars();
    viewport()->update();
}

std::size_t LinesView::LineEnd(std::size_t start, std::size_t& next) const {
    const std::string& t = *text_;
    if (!bySegment_) {
        const std::size_t lf = t.find('\n', start);
        next = lf == kNone ? kNone : lf + 1;
        return lf == kNone ? t.size() : lf;
    }
    for (std::size_t i = start; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '\n') {
            next = i + 1;
            return i;
        }
        if (c == '?' && i + 1 < t.size() && (t[i + 1] == '?' || t[i + 1] == '\'')) {
            ++i;
        } else if (c == '\'') {
            next = i + 1;
            return next;
        }
    }
    next = kNone;
    return t.size();
}

std::size_t LinesView::LineStart(std::size_t index) const {
    std::size_t start = sampled_[index / kStride];
    for (std::size_t k = index % kStride; k > 0; --k)
        LineEnd(start, start);
    return start;
}

std::string_view LinesView::Line(std::size_t index) const {
    if (index >= count_) return {};
    const std::size_t start = LineStart(index);
    std::size_t next = kNone;
    const std::size_t end = LineEnd(start, next);
    return std::string_view(*text_).substr(start, end - start);
}

QString LinesView::SelectedText() const {
    if (anchor_ == kNone) return {};
    const std::size_t from = std::min(anchor_, current_);
    const std::size_t to = std::max(anchor_, current_);
    QString out;
    for (std::size_t k = from; k <= to; ++k) {
        if (k > from) out += QLatin1Char('\n');
        out += trelvane::ui::FromCp(Line(k));
    }
    return out;
}

void LinesView::SelectAll() {
    if (count_ == 0) return;
    anchor_ = 0;
    current_ = count_ - 1;
    viewport()->update();
}

void LinesView::CopySelection() const {
    if (anchor_ != kNone) QGuiApplication::clipboard()->setText(SelectedText());
}

std::size_t LinesView::LineOf(std::size_t offset) const {
    if (count_ == 0) return 0;
    const auto sample = std::upper_bound(sampled_.begin(), sampled_.end(), offset);
    std::size_t line = static_cast<std::size_t>(sample - sampled_.begin() - 1) * kStride;
    for (std::size_t start = sampled_[line / kStride]; line + 1 < count_; ++line) {
        std::size_t next = kNone;
        LineEnd(start, next);
        if (next == kNone || next > offset) break;
        start = next;
    }
    return line;
}

void LinesView::ShowLine(std::size_t line, std::size_t column) {
    if (line >= count_) return;
    anchor_ = current_ = line;
    QScrollBar* rows = verticalScrollBar();
    rows->setValue(Clamped(line - std::min(line, static_cast<std::size_t>(rows->pageStep() / 2))));
    QScrollBar* columns = horizontalScrollBar();
    const auto first = static_cast<std::size_t>(columns->value());
    if (column < first || column >= first + static_cast<std::size_t>(columns->pageStep()))
        columns->setValue(Clamped(column - std::min(column, static_cast<std::size_t>(8))));
    viewport()->update();
}

std::size_t LinesView::FirstShown() const {
    return static_cast<std::size_t>(verticalScrollBar()->value());
}

void LinesView::UpdateScrollBars() {
    const QFontMetrics metrics(font());
    const auto rows =
        static_cast<std::size_t>(std::max(1, viewport()->height() / metrics.lineSpacing()));
    const auto columns = static_cast<std::size_t>(
        std::max(1, (viewport()->width() - kMargin) / metrics.horizontalAdvance(QLatin1Char('0'))));
    // Scrolled to the end, the last line or the last character is in view.
    verticalScrollBar()->setRange(0, Clamped(count_ - std::min(count_, rows)));
    verticalScrollBar()->setPageStep(Clamped(rows));
    horizontalScrollBar()->setRange(0, Clamped(longest_ - std::min(longest_, columns)));
    horizontalScrollBar()->setPageStep(Clamped(columns));
}

void LinesView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void LinesView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    if (!text_ || count_ == 0) return;
    const QFontMetrics metrics(font());
    const int height = metrics.lineSpacing();
    const int width = metrics.horizontalAdvance(QLatin1Char('0'));
    const auto first = static_cast<std::size_t>(verticalScrollBar()->value());
    const auto column = static_cast<std::size_t>(horizontalScrollBar()->value());
    const auto columns = static_cast<std::size_t>(viewport()->width() / width + 2);
    const std::size_t from = anchor_ == kNone ? kNone : std::min(anchor_, current_);
    const std::size_t to = anchor_ == kNone ? kNone : std::max(anchor_, current_);
    std::size_t start = first < count_ ? LineStart(first) : kNone;
    for (int y = 0; y < viewport()->height() && start != kNone; y += height) {
        const std::size_t line = first + static_cast<std::size_t>(y / height);
        std::size_t next = kNone;
        const std::size_t end = LineEnd(start, next);
        const bool selected = from != kNone && line >= from && line <= to;
        if (selected) painter.fillRect(0, y, viewport()->width(), height, palette().highlight());
        painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
        if (end - start > column) {
            QString piece = trelvane::ui::FromCp(std::string_view(*text_).substr(
                start + column, std::min(columns, end - start - column)));
            // Control characters have no width of their own: a space keeps
            // the columns in place.
            for (QChar& c : piece)
                if (c.unicode() < 0x20) c = QLatin1Char(' ');
            painter.drawText(kMargin, y + metrics.ascent(), piece);
        }
        start = next;
    }
}

std::size_t LinesView::LineAt(int y) const {
    const int height = QFontMetrics(font()).lineSpacing();
    const std::size_t line = static_cast<std::size_t>(verticalScrollBar()->value()) +
                             static_cast<std::size_t>(std::max(0, y) / height);
    return count_ == 0 ? kNone : std::min(line, count_ - 1);
}

void LinesView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) return CopySelection();
    if (event == QKeySequence::SelectAll) return SelectAll();
    QScrollBar* bar = verticalScrollBar();
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    switch (event->key()) {
        case Qt::Key_Up:
            action = QAbstractSlider::SliderSingleStepSub;
            break;
        case Qt::Key_Down:
            action = QAbstractSlider::SliderSingleStepAdd;
            break;
        case Qt::Key_PageUp:
            action = QAbstractSlider::SliderPageStepSub;
            break;
        case Qt::Key_PageDown:
            action = QAbstractSlider::SliderPageStepAdd;
            break;
        case Qt::Key_Left:
        case Qt::Key_Right:
            bar = horizontalScrollBar();
            action = event->key() == Qt::Key_Left ? QAbstractSlider::SliderSingleStepSub
                                                  : QAbstractSlider::SliderSingleStepAdd;
            break;
        case Qt::Key_Home:
        case Qt::Key_End:
            // Alone along the line, with Ctrl through the file.
            if (!(event->modifiers() & Qt::ControlModifier)) bar = horizontalScrollBar();
            action = event->key() == Qt::Key_Home ? QAbstractSlider::SliderToMinimum
                                                  : QAbstractSlider::SliderToMaximum;
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    bar->triggerAction(action);
}

void LinesView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const std::size_t line = LineAt(event->position().toPoint().y());
    if (!(event->modifiers() & Qt::ShiftModifier) || anchor_ == kNone) anchor_ = line;
    current_ = line;
    viewport()->update();
}

void LinesView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || anchor_ == kNone) return;
    current_ = LineAt(event->position().toPoint().y());
    viewport()->update();
}

void LinesView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("&Copier"), this, &LinesView::CopySelection);
    copy->setEnabled(anchor_ != kNone);
    menu.addAction(QStringLiteral(u"Tout &sélectionner"), this, &LinesView::SelectAll);
    menu.exec(event->globalPos());
}

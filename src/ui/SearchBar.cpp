#include "SearchBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

SearchBar::SearchBar(QWidget* pane, Finder finder, QWidget* parent)
    : QWidget(parent), pane_(pane), finder_(std::move(finder)) {
    txtRecherche_ = new QLineEdit(this);
    txtRecherche_->setObjectName(QStringLiteral("txtRecherche"));
    txtRecherche_->setPlaceholderText(QStringLiteral("Rechercher (NIR, segment, code...)"));
    txtRecherche_->setClearButtonEnabled(true);
    cmdPrecedent_ = new QToolButton(this);
    cmdPrecedent_->setObjectName(QStringLiteral("cmdPrecedent"));
    cmdPrecedent_->setArrowType(Qt::UpArrow);
    cmdPrecedent_->setToolTip(QStringLiteral(u"Occurrence précédente (Maj+Entrée)"));
    cmdSuivant_ = new QToolButton(this);
    cmdSuivant_->setObjectName(QStringLiteral("cmdSuivant"));
    cmdSuivant_->setArrowType(Qt::DownArrow);
    cmdSuivant_->setToolTip(QStringLiteral(u"Occurrence suivante (Entrée)"));
    lblOccurrences_ = new QLabel(this);
    lblOccurrences_->setObjectName(QStringLiteral("lblOccurrences"));
    lblOccurrences_->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("Aucune occurrence 0000000")));
    cmdFermer_ = new QToolButton(this);
    cmdFermer_->setObjectName(QStringLiteral("cmdFermerRecherche"));
    cmdFermer_->setText(QStringLiteral(u"\u2715"));
    cmdFermer_->setAutoRaise(true);
    cmdFermer_->setToolTip(QStringLiteral(u"Fermer la recherche (Échap)"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtRecherche_, 1);
    layout->addWidget(cmdPrecedent_);
    layout->addWidget(cmdSuivant_);
    layout->addWidget(lblOccurrences_);
    layout->addWidget(cmdFermer_);

    connect(txtRecherche_, &QLineEdit::textChanged, this, [this] { Step(0); });
    connect(cmdPrecedent_, &QToolButton::clicked, this, [this] { Step(-1); });
    connect(cmdSuivant_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(cmdFermer_, &QToolButton::clicked, this, [this] {
        hide();
        pane_->setFocus();
    });
    hide();
}

void SearchBar::Open() {
    show();
    txtRecherche_->setFocus(Qt::ShortcutFocusReason);
    txtRecherche_->selectAll();
}

void SearchBar::Reset() {
    hide();
    lblOccurrences_->clear();
}

void SearchBar::keyPressEvent(QKeyEvent* event) {
    // Handled here: in a dialog, Enter would press the default button and
    // Escape would close the window.
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Step(event->modifiers() & Qt::ShiftModifier ? -1 : 1);
            return;
        case Qt::Key_Escape:
            cmdFermer_->click();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void SearchBar::Step(int direction) {
    const QString text = txtRecherche_->text();
    if (text.isEmpty()) {
        lblOccurrences_->clear();
        return;
    }
    ShowResult(finder_(text, direction));
}

void SearchBar::ShowResult(const Result& result) {
    if (result.total == 0) {
        lblOccurrences_->setText(QStringLiteral("Aucune occurrence"));
    } else if (result.current > 0) {
        lblOccurrences_->setText(QStringLiteral("%1 sur %2").arg(result.current).arg(result.total));
    } else {
        lblOccurrences_->setText(result.total == 1
                                     ? QStringLiteral("1 occurrence")
                                     : QStringLiteral("%1 occurrences").arg(result.total));
    }
}

void SelectInPane(QTextEdit* pane, int from, int to) {
    QTextCursor cursor(pane->document());
    // The caret at the start, so that the pane scrolls to where the line
    // begins rather than to its end.
    cursor.setPosition(to);
    cursor.setPosition(from, QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);
    QScrollBar* bar = pane->verticalScrollBar();
    bar->setValue(bar->value() + pane->cursorRect().center().y() - pane->viewport()->height() / 2);
}

SearchBar::Result FindInPane(QTextEdit* pane, const QString& text, int direction) {
    const QString raw = pane->document()->toRawText();
    SearchBar::Result result;
    qsizetype found = -1;
    const QTextCursor cursor = pane->textCursor();
    const auto from = static_cast<qsizetype>(cursor.selectionStart());
    if (direction > 0) {
        found = raw.indexOf(text, cursor.hasSelection() ? from + 1 : from, Qt::CaseInsensitive);
        if (found < 0) found = raw.indexOf(text, 0, Qt::CaseInsensitive);
    } else if (direction < 0) {
        found = from > 0 ? raw.lastIndexOf(text, from - 1, Qt::CaseInsensitive) : -1;
        if (found < 0) found = raw.lastIndexOf(text, -1, Qt::CaseInsensitive);
    }
    // Every starting position counts, as in the search of the segments.
    for (qsizetype at = raw.indexOf(text, 0, Qt::CaseInsensitive); at >= 0;
         at = raw.indexOf(text, at + 1, Qt::CaseInsensitive)) {
        ++result.total;
        if (at == found) result.current = result.total;
    }
    if (found >= 0) {
        SelectInPane(pane, static_cast<int>(found), static_cast<int>(found + text.size()));
    }
    return result;
}

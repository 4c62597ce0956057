// The search bar under a pane (Ctrl+F): the text to look for, the next and
// the previous match, and how many there are. What is searched and how a
// match is shown belong to the pane: the bar asks its finder.
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;
class QTextEdit;
class QToolButton;

class SearchBar : public QWidget {
    Q_OBJECT
  public:
    struct Result {
        std::int64_t total = 0;
        std::int64_t current = 0;  // 1 for the first match; 0 when none is shown
    };
    // direction 0: count only; 1: show the next match; -1: the previous one.
    using Finder = std::function<Result(const QString& text, int direction)>;

    // pane gets the focus back when the bar closes.
    SearchBar(QWidget* pane, Finder finder, QWidget* parent);

    // Shows the bar with its field focused and selected.
    void Open();
    // Hides the bar and forgets its count (the pane shows something else).
    void Reset();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Step(int direction);
    void ShowResult(const Result& result);

    QWidget* pane_;
    Finder finder_;
    QLineEdit* txtRecherche_;
    QToolButton* cmdPrecedent_;
    QToolButton* cmdSuivant_;
    QLabel* lblOccurrences_;
    QToolButton* cmdFermer_;
};

// Finder over the text of a rich-text pane: a match is selected in the
// pane, which scrolls to it.
SearchBar::Result FindInPane(QTextEdit* pane, const QString& text, int direction);
// Selects from..to in pane, the line of from in the middle of the view.
void SelectInPane(QTextEdit* pane, int from, int to);

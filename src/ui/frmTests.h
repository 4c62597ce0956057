// The results window: the three reports and the legend, the display
// criteria with their saved displays, the NIR pick-up, printing and the
// conversion. Created once; closing hides it and keeps its content.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <memory>
#include <optional>
#include <utility>

#include "QtRichTextSink.h"
#include "SearchBar.h"
#include "run/Summaries.h"
#include "run/TextSearch.h"

class DossierListView;
class QDragEnterEvent;
class QDropEvent;
class QSettings;
class QTabWidget;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTextDocument;
class QTextEdit;
class QToolButton;
class frmAccueil;

class frmTests : public QDialog {
    Q_OBJECT
  public:
    explicit frmTests(frmAccueil& home);
    ~frmTests() override;

    // Points the reports at this window's panes.
    void InstallReportPanes();
    // Shows what the reports have built.
    void AttachPanes();

    trelvane::ui::QtRichTextSink& SyntaxSink() { return *syntaxSink_; }
    trelvane::ui::QtRichTextSink& ContentSink() { return *contentSink_; }
    trelvane::ui::QtRichTextSink& ColouredSink() { return *colouredSink_; }

    // Builds the report document in rtbRecepteur; returns its plain text
    // (Windows-1252, "\r\n" line breaks).
    std::string BuildReportDocument();

    // Shows segment in the coloured file with its line selected: in the
    // display shown when it holds the segment, else among the first 20 000
    // segments, else in the dossier that holds it, else among the segments
    // around it.
    void ShowSegment(std::int64_t segment);
    // Writes the three reports as one HTML page, or the dossier list for a
    // spreadsheet when the name ends in ".csv"; whole or not at all. False
    // once the user has been told why not.
    bool SaveReport(const QString& path);

    // Sizes and places of the window and its panes, between sessions.
    void SaveLayout(QSettings& settings) const;
    void RestoreLayout(const QSettings& settings);

  public slots:
    void cmdAfficher_Click();
    void cmdPickUp_Click();
    void cmdImprimer_Click();
    void cmdConvertir_Click();
    void cmdFermer_Click();
    void cmdEnregistrer_Click();
    void cmdRelancer_Click();
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // The run's results are whole and may be shown.
    static bool Complete();
    void Activate();
    // Segment first..last of the file in the coloured pane.
    void ShowRange(std::int64_t first, std::int64_t last);
    // A dossier found by its NIR or chosen in the list: shown with its NIR
    // in the box and among the NIRs already shown.
    void ShowDossierRange(const QString& nir, std::int64_t unh, std::int64_t unt);
    // The line of segment in the coloured pane, the display changed when it
    // does not show the segment: where the line starts and ends.
    std::optional<std::pair<int, int>> RevealSegment(std::int64_t segment);
    // The segment of the report record at position, shown in the file.
    void GoToSegmentOf(QTextEdit* report, int position);
    // The first record of either report about the segment at position of
    // the coloured file, selected in its report.
    void GoToFirstError(int position);
    void ColouredMenu(const QPoint& at);
    void OpenSearch();
    SearchBar::Result FindInFile(const QString& text, int direction);
    void WriteLegend();
    void ShowDossier(const QString& nir);
    // Shows the saved display if there is one, else builds it and keeps it.
    void ShowSavedOrBuild(QPointer<QTextDocument>& saved, bool errorsOnly, std::int64_t last);
    // The coloured pane's document becomes the saved display (no copy).
    void Keep(QPointer<QTextDocument>& saved);
    void ForgetSavedDisplays();
    // Panes open at their left edge and top.
    void ScrollPanesHome();

    frmAccueil& home_;
    bool conversionEnabled_ = false;

    QSplitter* splitReports_;
    QSplitter* splitMain_;
    QGroupBox* fraSyntax_;
    QTextEdit* rtbSyntax_;
    QGroupBox* fraContent_;
    QTextEdit* rtbContent_;
    QTextEdit* rtbColouredFile_;
    QGroupBox* fraLegende_;
    QTextEdit* rtbLegende_;
    QGroupBox* fraCriteres_;
    QRadioButton* opt1Tout_;
    QRadioButton* opt2Erreurs_;
    QRadioButton* opt3NIR_;
    QComboBox* cmbNIR_;
    QToolButton* cmdPickUp_;
    QPushButton* cmdAfficher_;
    QPushButton* cmdImprimer_;
    QPushButton* cmdConvertir_;
    QPushButton* cmdFermer_;
    QPushButton* cmdEnregistrer_;
    QPushButton* cmdRelancer_;
    QTabWidget* tabFichier_;
    DossierListView* lstDossiers_;
    SearchBar* fndSyntax_;
    SearchBar* fndContent_;
    SearchBar* fndColoured_;
    // The match of the file's search shown last, and its text.
    trelvane::SegmentHit lastHit_;
    QString lastHitText_;
    QPoint pressedAt_;  // in a report pane
    QTextEdit* rtbRecepteur_;
    // The two displays shown most, kept instead of being built again.
    QPointer<QTextDocument> tampTout_;
    QPointer<QTextDocument> tampErr_;

    std::unique_ptr<trelvane::ui::QtRichTextSink> syntaxSink_;
    std::unique_ptr<trelvane::ui::QtRichTextSink> contentSink_;
    std::unique_ptr<trelvane::ui::QtRichTextSink> colouredSink_;
};

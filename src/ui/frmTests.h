// The results window: the three reports and the legend, the display
// criteria with their saved displays, the NIR pick-up, printing and the
// conversion. Created once; closing hides it and keeps its content.
#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>

#include "QtRichTextSink.h"

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

  public slots:
    void cmdAfficher_Click();
    void cmdPickUp_Click();
    void cmdImprimer_Click();
    void cmdConvertir_Click();
    void cmdFermer_Click();
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Activate();
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
    QTextEdit* rtbRecepteur_;
    // The two displays shown most, kept instead of being built again.
    QPointer<QTextDocument> tampTout_;
    QPointer<QTextDocument> tampErr_;

    std::unique_ptr<trelvane::ui::QtRichTextSink> syntaxSink_;
    std::unique_ptr<trelvane::ui::QtRichTextSink> contentSink_;
    std::unique_ptr<trelvane::ui::QtRichTextSink> colouredSink_;
};

// The results window: the three reports and the legend, the display
// criteria with their saved displays, the NIR pick-up, printing and the
// conversion. Created once; closing hides it and keeps its content.
#pragma once

#include <QDialog>
#include <memory>

#include "QtRichTextSink.h"

class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
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
    void EnsureLoaded();
    void Activate();
    void WriteLegend();
    void ShowDossier(const QString& nir);
    // Shows the saved display if it holds text, else builds it and saves it.
    void ShowSavedOrBuild(QTextEdit* buffer, bool errorsOnly, std::int64_t last);
    void SaveDisplayTo(QTextEdit* buffer);

    frmAccueil& home_;
    bool loaded_ = false;

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
    QTextEdit* rtbTampTout_;
    QTextEdit* rtbTampErr_;

    std::unique_ptr<trelvane::ui::QtRichTextSink> syntaxSink_;
    std::unique_ptr<trelvane::ui::QtRichTextSink> contentSink_;
    std::unique_ptr<trelvane::ui::QtRichTextSink> colouredSink_;
};

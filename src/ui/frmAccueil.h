// The home window: the file to test, the profile, the options and the
// campaign year. It owns every user choice; the core reads them through the
// Qt platform, the other windows directly.
#pragma once

#include <QMainWindow>
#include <QString>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class frmAPropos;
class frmTests;
class frmVisualisation;

class frmAccueil : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmAccueil(QWidget* parent = nullptr);
    ~frmAccueil() override;

    // What the window does when it loads; needs the platform installed (it
    // reads the parameter file).
    void Load();

    // True when the results window follows a test run, false when it is
    // reopened with "Résultat".
    bool GiveMeBlnForTest() const { return blnForTest_; }
    // Caption of the ticked campaign entry.
    QString YearCamp() const;

    QString FilePath() const;
    QString ProcedureText() const;
    int ProfileIndex() const;
    QString ProfileText() const;
    bool TraceMode() const;
    bool ErrorsOnly() const;
    bool ShowWarnings() const;
    bool SegmentsDistincts() const;

    // Puts text in the status box and repaints it at once.
    void SetStatus(const QString& text);
    // The results window enables "Résultat" when it closes.
    void EnableResultat();

    frmTests& Tests() { return *tests_; }
    frmVisualisation& Viewer() { return *viewer_; }
    frmAPropos& About() { return *about_; }

  public slots:
    void txtFichier_Change();
    void cmdParcourir_Click();
    void cmdTester_Click();
    void cmdResultat_Click();
    void cmdVisualiser_Click();
    void cmdQuitter_Click();
    // Menu handlers: each inverts or sets ticks itself.
    void mnuOpErOnly_Click();
    void mnuOpErSignalements_Click();
    void mnuOpTrace_Click();
    void mnuOpViNoseg_Click();
    void mnuOpViSegdistincts_Click();
    void mnuParamCampN_Click();
    void mnuParamCampA_Click();
    void mnuAiApropos_Click();

  private:
    void BuildControls();
    void BuildMenus();
    QAction* AddEntry(QMenu* menu, const QString& name, const QString& caption, bool checkable,
                      void (frmAccueil::*handler)());

    QLabel* lblFichier_;
    QLineEdit* txtFichier_;
    QPushButton* cmdParcourir_;
    QLabel* lblProcedure_;
    QLineEdit* txtProcedure_;
    QLabel* lblProfil_;
    QComboBox* cmbProfil_;
    QGroupBox* fraParametres_;
    QPushButton* cmdVisualiser_;
    QPushButton* cmdTester_;
    QPushButton* cmdResultat_;
    QPushButton* cmdQuitter_;
    QLabel* lblEtat_;
    QLineEdit* txtStatutAppli_;
    QLabel* imgLogo_;

    QAction* mnuOpViNoseg_;
    QAction* mnuOpViSegdistincts_;
    QAction* mnuOpErSignalements_;
    QAction* mnuOpErOnly_;
    QAction* mnuOpTrace_;
    QAction* mnuParamCampN_;
    QAction* mnuParamCampA_;
    QAction* mnuAiApropos_;

    bool blnForTest_ = false;

    frmTests* tests_;
    frmVisualisation* viewer_;
    frmAPropos* about_;
};

// The home window: the file to test, the profile, the options and the
// campaign year. It owns every user choice; the core reads them through the
// Qt platform, the other windows directly.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>

#include "config/modIOfunctions.h"

class QAction;
class QCloseEvent;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QMimeData;
class QSettings;
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

    // Where the recent files, the campaign, the options and the windows'
    // sizes and places are kept between sessions: read by Load, written as
    // they change. Without it nothing is kept.
    void UseSettings(QSettings* settings);

    // What the window does when it loads; needs the platform installed (it
    // reads the parameter file).
    void Load();

    // The program's arguments (its name and Qt's options left out): a file
    // named there is put in the box and tested once the window is shown.
    void OpenArguments(const QStringList& arguments);
    // Tests the file at path, or the one in the box, again from the results
    // window: the window closes, the test runs here (where it can be
    // stopped), and the results open again.
    void RetestLater(const QString& path = {});
    // The local file a drag carries, or an empty text.
    static QString DroppedFile(const QMimeData* mime);
    // The files tested last, the latest first.
    const QStringList& RecentFiles() const { return recents_; }

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

    // Puts text in the status box; it is repainted about ten times a second.
    void SetStatus(const QString& text);
    // True once the user clicked "Arrêter" during the current test.
    bool StopRequested();
    // The results window enables "Résultat" when it closes.
    void EnableResultat();

    frmTests& Tests() { return *tests_; }
    frmVisualisation& Viewer() { return *viewer_; }
    frmAPropos& About() { return *about_; }

  signals:
    // Every status text, as it is set.
    void StatusChanged(const QString& text);

  public slots:
    void txtFichier_Change();
    void cmdParcourir_Click();
    void cmdTester_Click();
    void cmdResultat_Click();
    void cmdVisualiser_Click();
    void cmdQuitter_Click();
    void cmdArreter_Click();
    // Menu handlers: each inverts or sets ticks itself.
    void mnuOpErOnly_Click();
    void mnuOpErSignalements_Click();
    void mnuOpTrace_Click();
    void mnuOpViNoseg_Click();
    void mnuOpViSegdistincts_Click();
    void mnuParamCampN_Click();
    void mnuParamCampA_Click();
    void mnuAiApropos_Click();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void AddRecentFile(const QString& path);
    void FillRecentMenu();
    void RestoreSettings();
    void SaveSettings();
    // A test runs on this thread: about ten times a second the window gets
    // the time to repaint, and during a test to take a click on "Arrêter".
    void KeepAlive();
    // While a test runs, nothing but "Arrêter" can be used.
    void SetRunning(bool running);
    // The path in the box names a file: else the user is told why not.
    bool CheckFileInBox(const std::string& path, trelvane::FileFacts& facts);
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
    QPushButton* cmdArreter_;
    QLabel* lblEtat_;
    QLabel* txtStatutAppli_;
    QLabel* imgLogo_;

    QAction* mnuOpViNoseg_;
    QAction* mnuOpViSegdistincts_;
    QAction* mnuOpErSignalements_;
    QAction* mnuOpErOnly_;
    QAction* mnuOpTrace_;
    QAction* mnuParamCampN_;
    QAction* mnuParamCampA_;
    QAction* mnuAiApropos_;
    QMenu* mnuRecents_;

    QSettings* settings_ = nullptr;
    QStringList recents_;

    bool blnForTest_ = false;
    bool running_ = false;
    bool stopRequested_ = false;
    QElapsedTimer sinceRepaint_;

    frmTests* tests_;
    frmVisualisation* viewer_;
    frmAPropos* about_;
};

#include "frmAccueil.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "Logo.h"
#include "QtText.h"
#include "UiServices.h"
#include "config/Cp1252.h"
#include "config/FileSystem.h"
#include "config/modIOfunctions.h"
#include "frmAPropos.h"
#include "frmTests.h"
#include "frmVisualisation.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

using trelvane::MsgAnswer;
using trelvane::MsgButtons;
using trelvane::MsgIcon;
using trelvane::ui::CorePath;
using trelvane::ui::FromCp;
using trelvane::ui::Ui;
using trelvane::ui::WaitCursor;

namespace {

constexpr std::uint64_t kViewerQuestionSize = 1500000;
constexpr qint64 kRepaintInterval = 100;  // milliseconds
constexpr qsizetype kRecentFiles = 8;

}  // namespace

frmAccueil::frmAccueil(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmAccueil"));
    setWindowTitle(QStringLiteral("Trelvane 2017"));
    setWindowIcon(QIcon(trelvane::ui::DrawLogo(64)));
    BuildControls();
    BuildMenus();
    tests_ = new frmTests(*this);
    viewer_ = new frmVisualisation(this);
    about_ = new frmAPropos(this);
    // A file dropped anywhere on the window, the path box included, is the
    // file to test.
    setAcceptDrops(true);
    txtFichier_->setAcceptDrops(false);
}

frmAccueil::~frmAccueil() = default;

void frmAccueil::BuildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };

    lblFichier_ = new QLabel(QStringLiteral(u"Fichier à tester"), central);
    named(lblFichier_, "lblFichier");
    txtFichier_ = new QLineEdit(central);
    named(txtFichier_, "txtFichier");
    // Every control of the window has a key of its own ("&Paramètres" is
    // the menu's).
    cmdParcourir_ = new QPushButton(QStringLiteral("Par&courir..."), central);
    named(cmdParcourir_, "cmdParcourir");

    fraParametres_ = new QGroupBox(QStringLiteral(u"Paramètres"), central);
    named(fraParametres_, "fraParametres");
    lblProcedure_ = new QLabel(QStringLiteral(u"Procédure"), fraParametres_);
    named(lblProcedure_, "lblProcedure");
    txtProcedure_ = new QLineEdit(FromCp(trelvane::kProcedureText), fraParametres_);
    named(txtProcedure_, "txtProcedure");
    lblProfil_ = new QLabel(QStringLiteral("Profil de test"), fraParametres_);
    named(lblProfil_, "lblProfil");
    cmbProfil_ = new QComboBox(fraParametres_);
    named(cmbProfil_, "cmbProfil");
    cmbProfil_->addItem(FromCp(trelvane::kFirstProfileText));
    // On the first profile, so that the reports and CR files name it.
    cmbProfil_->setCurrentIndex(0);

    cmdVisualiser_ = new QPushButton(QStringLiteral("&Visualiser"), central);
    named(cmdVisualiser_, "cmdVisualiser");
    cmdTester_ = new QPushButton(QStringLiteral("&Tester..."), central);
    named(cmdTester_, "cmdTester");
    cmdResultat_ = new QPushButton(QStringLiteral(u"&Résultat"), central);
    named(cmdResultat_, "cmdResultat");
    cmdQuitter_ = new QPushButton(QStringLiteral("&Quitter"), central);
    named(cmdQuitter_, "cmdQuitter");
    cmdVisualiser_->setEnabled(false);
    cmdTester_->setEnabled(false);
    cmdResultat_->setEnabled(false);
    cmdArreter_ = new QPushButton(QStringLiteral(u"&Arrêter"), central);
    named(cmdArreter_, "cmdArreter");
    cmdArreter_->setEnabled(false);

    lblEtat_ = new QLabel(QStringLiteral("Etat"), central);
    named(lblEtat_, "lblEtat");
    // A label drawn as a read-only box: a test sets it once per dossier, and
    // a line edit would lay its text out at every change.
    txtStatutAppli_ = new QLabel(central);
    named(txtStatutAppli_, "txtStatutAppli");
    txtStatutAppli_->setTextFormat(Qt::PlainText);
    txtStatutAppli_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    txtStatutAppli_->setBackgroundRole(QPalette::Base);
    txtStatutAppli_->setAutoFillBackground(true);
    txtStatutAppli_->setMargin(2);
    txtStatutAppli_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    imgLogo_ = new QLabel(central);
    named(imgLogo_, "imgLogo");
    imgLogo_->setPixmap(trelvane::ui::DrawLogo(72));
    imgLogo_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* params = new QGridLayout(fraParametres_);
    params->addWidget(lblProcedure_, 0, 0);
    params->addWidget(txtProcedure_, 0, 1);
    params->addWidget(lblProfil_, 1, 0);
    params->addWidget(cmbProfil_, 1, 1);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(txtFichier_, 1);
    fileRow->addWidget(cmdParcourir_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdVisualiser_);
    buttons->addWidget(cmdTester_);
    buttons->addWidget(cmdResultat_);
    buttons->addStretch();
    buttons->addWidget(cmdQuitter_);

    auto* status = new QHBoxLayout;
    status->addWidget(lblEtat_);
    status->addWidget(txtStatutAppli_, 1);
    status->addWidget(cmdArreter_);

    auto* right = new QVBoxLayout;
    right->addWidget(lblFichier_);
    right->addLayout(fileRow);
    right->addWidget(fraParametres_);
    right->addLayout(buttons);
    right->addLayout(status);
    right->addStretch();

    auto* main = new QHBoxLayout(central);
    main->addWidget(imgLogo_);
    main->addLayout(right, 1);

    connect(txtFichier_, &QLineEdit::textChanged, this, &frmAccueil::txtFichier_Change);
    connect(txtFichier_, &QLineEdit::returnPressed, this, [this] {
        if (cmdTester_->isEnabled()) cmdTester_Click();
    });
    connect(cmdParcourir_, &QPushButton::clicked, this, &frmAccueil::cmdParcourir_Click);
    connect(cmdTester_, &QPushButton::clicked, this, &frmAccueil::cmdTester_Click);
    connect(cmdResultat_, &QPushButton::clicked, this, &frmAccueil::cmdResultat_Click);
    connect(cmdVisualiser_, &QPushButton::clicked, this, &frmAccueil::cmdVisualiser_Click);
    connect(cmdQuitter_, &QPushButton::clicked, this, &frmAccueil::cmdQuitter_Click);
    connect(cmdArreter_, &QPushButton::clicked, this, &frmAccueil::cmdArreter_Click);
    resize(620, 240);
}

QAction* frmAccueil::AddEntry(QMenu* menu, const QString& name, const QString& caption,
                              bool checkable, void (frmAccueil::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setCheckable(checkable);
    connect(action, &QAction::triggered, this, [this, action, handler] {
        // Qt has already flipped a checkable entry; the handlers set the
        // ticks themselves, in their own order.
        if (action->isCheckable()) action->setChecked(!action->isChecked());
        (this->*handler)();
        if (action->isCheckable()) SaveSettings();
    });
    return action;
}

void frmAccueil::BuildMenus() {
    auto menu = [this](QMenu* parent, const char* name, const QString& caption) {
        QMenu* m = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };

    mnuRecents_ = menu(nullptr, "mnuRecents", QStringLiteral(u"&Fichiers récents"));
    FillRecentMenu();
    QMenu* mnuOptions = menu(nullptr, "mnuOptions", QStringLiteral("  &Options"));
    QMenu* mnuOpVisualisation =
        menu(mnuOptions, "mnuOpVisualisation", QStringLiteral("Visualiser"));
    mnuOpViNoseg_ =
        AddEntry(mnuOpVisualisation, QStringLiteral("mnuOpViNoseg"),
                 QStringLiteral(u"Segments numérotés"), true, &frmAccueil::mnuOpViNoseg_Click);
    mnuOpViNoseg_->setEnabled(false);
    mnuOpViSegdistincts_ = AddEntry(mnuOpVisualisation, QStringLiteral("mnuOpViSegdistincts"),
                                    QStringLiteral("Segments distincts"), true,
                                    &frmAccueil::mnuOpViSegdistincts_Click);
    mnuOptions->addSeparator()->setObjectName(QStringLiteral("mnuOpSep1"));
    QMenu* mnuOpErrRapport =
        menu(mnuOptions, "mnuOpErrRapport", QStringLiteral("Rapports d'erreur"));
    mnuOpErSignalements_ = AddEntry(mnuOpErrRapport, QStringLiteral("mnuOpErSignalements"),
                                    QStringLiteral("Afficher les signalements"), true,
                                    &frmAccueil::mnuOpErSignalements_Click);
    mnuOpErSignalements_->setChecked(true);
    mnuOpErOnly_ =
        AddEntry(mnuOpErrRapport, QStringLiteral("mnuOpErOnly"),
                 QStringLiteral("Erreurs Uniquement"), true, &frmAccueil::mnuOpErOnly_Click);
    mnuOptions->addSeparator()->setObjectName(QStringLiteral("mnuOpSep2"));
    mnuOpTrace_ = AddEntry(mnuOptions, QStringLiteral("mnuOpTrace"), QStringLiteral("Mode trace"),
                           true, &frmAccueil::mnuOpTrace_Click);

    QMenu* mnuParam = menu(nullptr, "mnuParam", QStringLiteral(u"&Paramètres"));
    QMenu* mnuParamCamp = menu(mnuParam, "mnuParamCamp", QStringLiteral("&Campagne"));
    const int year = QDate::currentDate().year();
    mnuParamCampN_ = AddEntry(mnuParamCamp, QStringLiteral("mnuParamCampN"), QString::number(year),
                              true, &frmAccueil::mnuParamCampN_Click);
    mnuParamCampN_->setChecked(true);
    mnuParamCampA_ = AddEntry(mnuParamCamp, QStringLiteral("mnuParamCampA"),
                              QString::number(year - 1), true, &frmAccueil::mnuParamCampA_Click);

    QMenu* mnuAide = menu(nullptr, "mnuAide", QStringLiteral("   &?   "));
    mnuAiApropos_ =
        AddEntry(mnuAide, QStringLiteral("mnuAiApropos"), QStringLiteral("A &propos..."), false,
                 &frmAccueil::mnuAiApropos_Click);
}

void frmAccueil::Load() {
    txtFichier_->setText(trelvane::ui::FromCorePath(trelvane::RetrieveInINIFile("LastFileUsed")));
    if (trelvane::RetrieveInINIFile("Profil_CR") == "1") {
        cmbProfil_->insertItem(1, QStringLiteral("ZEPHA Compte-rendu EDI"));
    }
    const int year = QDate::currentDate().year();
    mnuParamCampN_->setText(QString::number(year));
    mnuParamCampA_->setText(QString::number(year - 1));
    trelvane::SetFacChecksEnabled(true);
    RestoreSettings();
}

void frmAccueil::UseSettings(QSettings* settings) {
    settings_ = settings;
}

void frmAccueil::RestoreSettings() {
    if (!settings_) return;
    const QSettings& s = *settings_;
    recents_ = s.value(QStringLiteral("FichiersRecents")).toStringList().mid(0, kRecentFiles);
    FillRecentMenu();
    if (s.value(QStringLiteral("Campagne/AnneePrecedente"), false).toBool()) mnuParamCampA_Click();
    mnuOpViSegdistincts_->setChecked(
        s.value(QStringLiteral("Options/SegmentsDistincts"), false).toBool());
    mnuOpErSignalements_->setChecked(
        s.value(QStringLiteral("Options/AfficherSignalements"), true).toBool());
    mnuOpErOnly_->setChecked(s.value(QStringLiteral("Options/ErreursUniquement"), false).toBool());
    // Through the menu's handler, which makes the log directory first.
    if (s.value(QStringLiteral("Options/ModeTrace"), false).toBool()) mnuOpTrace_Click();
    restoreGeometry(s.value(QStringLiteral("Fenetres/Accueil")).toByteArray());
    viewer_->restoreGeometry(s.value(QStringLiteral("Fenetres/Visualisation")).toByteArray());
    tests_->RestoreLayout(s);
}

void frmAccueil::SaveSettings() {
    if (!settings_) return;
    QSettings& s = *settings_;
    s.setValue(QStringLiteral("FichiersRecents"), recents_);
    s.setValue(QStringLiteral("Campagne/AnneePrecedente"), mnuParamCampA_->isChecked());
    s.setValue(QStringLiteral("Options/SegmentsDistincts"), mnuOpViSegdistincts_->isChecked());
    s.setValue(QStringLiteral("Options/AfficherSignalements"), mnuOpErSignalements_->isChecked());
    s.setValue(QStringLiteral("Options/ErreursUniquement"), mnuOpErOnly_->isChecked());
    s.setValue(QStringLiteral("Options/ModeTrace"), mnuOpTrace_->isChecked());
    s.setValue(QStringLiteral("Fenetres/Accueil"), saveGeometry());
    s.setValue(QStringLiteral("Fenetres/Visualisation"), viewer_->saveGeometry());
    tests_->SaveLayout(s);
    s.sync();
}

void frmAccueil::AddRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recents_.removeAll(absolute);
    recents_.prepend(absolute);
    recents_ = recents_.mid(0, kRecentFiles);
    FillRecentMenu();
    SaveSettings();
}

void frmAccueil::FillRecentMenu() {
    mnuRecents_->clear();
    if (recents_.isEmpty()) {
        mnuRecents_->addAction(QStringLiteral("(aucun fichier)"))->setEnabled(false);
        return;
    }
    for (qsizetype i = 0; i < recents_.size(); ++i) {
        const QString path = recents_[i];
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = mnuRecents_->addAction(QStringLiteral("&%1  %2").arg(i + 1).arg(shown));
        entry->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        connect(entry, &QAction::triggered, this, [this, path] {
            txtFichier_->setText(path);
            cmdTester_->setFocus();
        });
    }
    mnuRecents_->addSeparator();
    QAction* clear = mnuRecents_->addAction(QStringLiteral("&Vider la liste"));
    clear->setObjectName(QStringLiteral("mnuRecentsVider"));
    connect(clear, &QAction::triggered, this, [this] {
        recents_.clear();
        // Not from inside the menu's own signal.
        QTimer::singleShot(0, this, [this] {
            FillRecentMenu();
            SaveSettings();
        });
    });
}

void frmAccueil::OpenArguments(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1Char('-'))) continue;
        txtFichier_->setText(QFileInfo(argument).absoluteFilePath());
        QTimer::singleShot(0, this, [this] {
            if (cmdTester_->isEnabled() && !running_) cmdTester_Click();
        });
        return;
    }
}

void frmAccueil::RetestLater(const QString& path) {
    if (running_) return;
    if (!path.isEmpty()) txtFichier_->setText(path);
    // Hiding ends the results window's modal loop; the test starts once
    // back in the program's own loop.
    tests_->hide();
    QTimer::singleShot(0, this, [this] {
        if (cmdTester_->isEnabled() && !running_) cmdTester_Click();
    });
}

QString frmAccueil::DroppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

void frmAccueil::dragEnterEvent(QDragEnterEvent* event) {
    if (!running_ && !DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmAccueil::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (running_ || path.isEmpty()) return;
    event->acceptProposedAction();
    txtFichier_->setText(path);
    cmdTester_->setFocus();
    activateWindow();
}

QString frmAccueil::YearCamp() const {
    return mnuParamCampA_->isChecked() ? mnuParamCampA_->text() : mnuParamCampN_->text();
}

QString frmAccueil::FilePath() const {
    return txtFichier_->text();
}
QString frmAccueil::ProcedureText() const {
    return txtProcedure_->text();
}
int frmAccueil::ProfileIndex() const {
    return cmbProfil_->currentIndex();
}
QString frmAccueil::ProfileText() const {
    return cmbProfil_->currentText();
}
bool frmAccueil::TraceMode() const {
    return mnuOpTrace_->isChecked();
}
bool frmAccueil::ErrorsOnly() const {
    return mnuOpErOnly_->isChecked();
}
bool frmAccueil::ShowWarnings() const {
    return mnuOpErSignalements_->isChecked();
}
bool frmAccueil::SegmentsDistincts() const {
    return mnuOpViSegdistincts_->isChecked();
}

void frmAccueil::SetStatus(const QString& text) {
    txtStatutAppli_->setText(text);
    emit StatusChanged(text);
    KeepAlive();
}

bool frmAccueil::StopRequested() {
    KeepAlive();
    return stopRequested_;
}

void frmAccueil::KeepAlive() {
    if (sinceRepaint_.isValid() && sinceRepaint_.elapsed() < kRepaintInterval) return;
    sinceRepaint_.start();
    if (running_) {
        // Nothing but "Arrêter" takes input meanwhile (SetRunning).
        QApplication::processEvents();
    } else {
        txtStatutAppli_->repaint();
    }
}

void frmAccueil::SetRunning(bool running) {
    running_ = running;
    stopRequested_ = false;
    sinceRepaint_.invalidate();
    for (QWidget* control : std::initializer_list<QWidget*>{txtFichier_, cmdParcourir_,
                                                            fraParametres_, cmdQuitter_, menuBar()})
        control->setEnabled(!running);
    cmdArreter_->setEnabled(running);
    if (running) {
        cmdTester_->setEnabled(false);
        cmdVisualiser_->setEnabled(false);
        cmdResultat_->setEnabled(false);
    } else {
        txtFichier_Change();
    }
}

void frmAccueil::cmdArreter_Click() {
    stopRequested_ = true;
}

void frmAccueil::closeEvent(QCloseEvent* event) {
    // The test cannot be left half-way under the window: it is stopped, and
    // the window stays until it has.
    if (running_) {
        stopRequested_ = true;
        event->ignore();
        return;
    }
    SaveSettings();
    QMainWindow::closeEvent(event);
}

void frmAccueil::EnableResultat() {
    cmdResultat_->setEnabled(true);
}

void frmAccueil::txtFichier_Change() {
    const bool any = !txtFichier_->text().isEmpty();
    cmdTester_->setEnabled(any);
    cmdVisualiser_->setEnabled(any);
    cmdResultat_->setEnabled(false);
}

void frmAccueil::cmdParcourir_Click() {
    // "*" and not "*.*": a file without an extension is a file all the same.
    const QString folder = QFileInfo(txtFichier_->text()).absolutePath();
    if (auto path = Ui().OpenFileName(this, QStringLiteral("Tous (*)"),
                                      txtFichier_->text().isEmpty() ? QString() : folder)) {
        txtFichier_->setText(*path);
    }
}

bool frmAccueil::CheckFileInBox(const std::string& path, trelvane::FileFacts& facts) {
    facts = trelvane::FileExists(path) ? trelvane::GetFileFacts(path) : trelvane::FileFacts{};
    if (!facts.exists) {
        Ui().Message(this, QStringLiteral("Erreur de saisie"),
                     QStringLiteral(u"Le fichier indiqué est introuvable."), MsgIcon::Exclamation,
                     MsgButtons::Ok);
        return false;
    }
    if (facts.directory) {
        Ui().Message(this, QStringLiteral("Erreur de saisie"),
                     QStringLiteral(u"Le chemin indiqué est celui d'un répertoire, pas d'un "
                                    u"fichier."),
                     MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    }
    return true;
}

void frmAccueil::cmdTester_Click() {
    const std::string path = CorePath(txtFichier_->text());
    trelvane::FileFacts facts;
    if (!CheckFileInBox(path, facts)) return;
    if (facts.size == 0) {
        Ui().Message(this, QStringLiteral("Fichier vide"),
                     QStringLiteral(u"Le fichier indiqué est vide."), MsgIcon::Exclamation,
                     MsgButtons::Ok);
        return;
    }
    AddRecentFile(txtFichier_->text());
    {
        WaitCursor wait;
        SetRunning(true);
        SetStatus(QStringLiteral("Enregistrement du chemin..."));
        tests_->InstallReportPanes();
        trelvane::MainTest();
        tests_->AttachPanes();
        SetRunning(false);
    }
    using trelvane::WithheldReason;
    const WithheldReason withheld = trelvane::State().Withheld;
    SetStatus(withheld == WithheldReason::Stopped ? QStringLiteral(u"Test arrêté : aucun résultat.")
              : withheld == WithheldReason::OutOfMemory
                  ? QStringLiteral(u"Test interrompu faute de mémoire : aucun résultat.")
                  : QString());
    // What a test that did not finish built is nobody's result; a run stopped
    // by its configuration or its input has said why in its message. A
    // declined report or an unchecked profile is shown as such.
    if (withheld != WithheldReason::None && withheld != WithheldReason::Declined &&
        withheld != WithheldReason::NotChecked) {
        cmdResultat_->setEnabled(false);
        return;
    }
    blnForTest_ = true;
    Ui().ShowModal(*tests_);
    SaveSettings();
}

void frmAccueil::cmdResultat_Click() {
    blnForTest_ = false;
    Ui().ShowModal(*tests_);
    SaveSettings();
}

void frmAccueil::cmdVisualiser_Click() {
    const std::string path = CorePath(txtFichier_->text());
    trelvane::FileFacts facts;
    if (!CheckFileInBox(path, facts)) return;
    if (facts.size > kViewerQuestionSize) {
        const MsgAnswer answer = Ui().Message(
            this, QStringLiteral("Information"),
            QStringLiteral(u"En raison de la taille du fichier, l'affichage peut prendre 1 à 2 "
                           u"minutes.\r\nSouhaitez-vous continuer ?"),
            MsgIcon::None, MsgButtons::YesNo);
        if (answer != MsgAnswer::Yes) return;
    }
    {
        WaitCursor wait;
        SetStatus(QStringLiteral("Lecture du fichier EDI..."));
        // Another file, or the same one rewritten since: read it again.
        if (viewer_->IsStale(path, facts)) viewer_->Load(txtFichier_->text(), path, facts);
        if (SegmentsDistincts()) SetStatus(QStringLiteral(u"Découpage par segment..."));
        viewer_->SetBySegment(SegmentsDistincts());
    }
    SetStatus(QString());
    Ui().ShowModal(*viewer_);
    SaveSettings();
}

void frmAccueil::cmdQuitter_Click() {
    Ui().Quit();
}

void frmAccueil::mnuOpErOnly_Click() {
    mnuOpErOnly_->setChecked(!mnuOpErOnly_->isChecked());
}

void frmAccueil::mnuOpErSignalements_Click() {
    mnuOpErSignalements_->setChecked(!mnuOpErSignalements_->isChecked());
}

void frmAccueil::mnuOpTrace_Click() {
    // Looked for at every click, on and off.
    const std::string logs = trelvane::OutputDirectory("logs");
    if (!trelvane::FileExists(logs)) trelvane::MakeDir(logs, "de traces");
    mnuOpTrace_->setChecked(!mnuOpTrace_->isChecked());
}

void frmAccueil::mnuOpViNoseg_Click() {
    mnuOpViNoseg_->setChecked(!mnuOpViNoseg_->isChecked());
    if (mnuOpViNoseg_->isChecked()) mnuOpViSegdistincts_->setChecked(true);
}

void frmAccueil::mnuOpViSegdistincts_Click() {
    mnuOpViSegdistincts_->setChecked(!mnuOpViSegdistincts_->isChecked());
    if (!mnuOpViSegdistincts_->isChecked()) mnuOpViNoseg_->setChecked(false);
}

void frmAccueil::mnuParamCampN_Click() {
    mnuParamCampN_->setChecked(true);
    mnuParamCampA_->setChecked(false);
}

void frmAccueil::mnuParamCampA_Click() {
    mnuParamCampA_->setChecked(true);
    mnuParamCampN_->setChecked(false);
}

void frmAccueil::mnuAiApropos_Click() {
    Ui().ShowModal(*about_);
}

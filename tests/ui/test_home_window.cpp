// The home window: what it loads, its buttons' states, every menu entry, the
// Test button's refusals, paths with accents, access keys, Qt's own texts in
// French, the Stop button, and the choices the core reads through the
// platform.
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "ScriptedUi.h"
#include "config/modIOfunctions.h"
#include "frmAPropos.h"
#include "frmTests.h"
#include "frmVisualisation.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

using namespace trelvane;
using namespace trelvane::test;

class HomeWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void loadsLastFileAndEnablesButtons();
    void startsWithButtonsDisabledWithoutLastFile();
    void profileListFollowsProfilCr();
    void setsAnnexChecksOnAtLoad();
    void segmentMenusKeepTheirPairing();
    void reportOptionsToggle();
    void campaignEntriesAreExclusive();
    void traceModeCreatesLogsAndTraces();
    void browseKeepsPathWhenCancelled();
    void refusesWhatIsNotAFile();
    void accentedPathsTypedOrChosen();
    void testRunsAndShowsResults();
    void platformAnswersFromTheControls();
    void testShowsProgressUnderHourglass();
    void stopEndsALongRunCleanly();
    void accessKeysAreDistinctAndWork();
    void accessKeysOpenTheMenus();
    void qtSpeaksFrench();
    void aboutWindowShowsVersion();
    void quitEndsTheProgram();
};

namespace {

// Alt and a letter, as the user types it on the active window.
void PressAlt(QWidget* window, char letter) {
    QTest::keyClick(window, Qt::Key(Qt::Key_A + (letter - 'a')), Qt::AltModifier);
}

// Typed key by key, accented letters included.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void Activate(QWidget* window) {
    window->show();
    window->windowHandle()->requestActivate();
    QTRY_COMPARE(QApplication::activeWindow(), window);
}

// Every access key of a window's own buttons and menus, lower case, sorted.
QString AccessKeys(QWidget* window) {
    QStringList texts;
    for (auto* b : window->findChildren<QAbstractButton*>())
        if (b->window() == window) texts << b->text();
    if (auto* bar = window->findChild<QMenuBar*>())
        for (QAction* a : bar->actions())
            texts << a->text();
    QString keys;
    for (const QString& t : texts) {
        const qsizetype at = t.indexOf(QLatin1Char('&'));
        if (at >= 0 && at + 1 < t.size()) keys += t.at(at + 1).toLower();
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

}  // namespace

void HomeWindowTest::loadsLastFileAndEnablesButtons() {
    UiFixture f(IniChanges{{"LastFileUsed", "/tmp/exemple.edi"}});
    QCOMPARE(f.Home<QLineEdit>("txtFichier")->text(), QStringLiteral("/tmp/exemple.edi"));
    QVERIFY(f.Home<QPushButton>("cmdTester")->isEnabled());
    QVERIFY(f.Home<QPushButton>("cmdVisualiser")->isEnabled());
    QVERIFY(!f.Home<QPushButton>("cmdResultat")->isEnabled());
    QCOMPARE(f.home->windowTitle(), QStringLiteral("Trelvane 2017"));
}

void HomeWindowTest::startsWithButtonsDisabledWithoutLastFile() {
    UiFixture f;
    auto* path = f.Home<QLineEdit>("txtFichier");
    QVERIFY(path->text().isEmpty());
    for (const char* name : {"cmdTester", "cmdVisualiser", "cmdResultat"})
        QVERIFY2(!f.Home<QPushButton>(name)->isEnabled(), name);
    QTest::keyClicks(path, QStringLiteral("a.edi"));
    QVERIFY(f.Home<QPushButton>("cmdTester")->isEnabled());
    QVERIFY(f.Home<QPushButton>("cmdVisualiser")->isEnabled());
    // Résultat is enabled by closing the results window, disabled by any change.
    f.home->EnableResultat();
    QTest::keyClick(path, Qt::Key_Backspace);
    QVERIFY(!f.Home<QPushButton>("cmdResultat")->isEnabled());
    path->clear();
    QVERIFY(!f.Home<QPushButton>("cmdTester")->isEnabled());
    QVERIFY(!f.Home<QPushButton>("cmdVisualiser")->isEnabled());
    QCOMPARE(f.Home<QPushButton>("cmdTester")->text(), QStringLiteral("&Tester..."));
    QCOMPARE(f.Home<QPushButton>("cmdResultat")->text(), QStringLiteral(u"&Résultat"));
    QCOMPARE(f.Home<QLineEdit>("txtProcedure")->text(), QStringLiteral("EDI KTV Tome 2"));
}

void HomeWindowTest::profileListFollowsProfilCr() {
    {
        UiFixture f(IniChanges{{"Profil_CR", "1 "}});
        auto* profiles = f.Home<QComboBox>("cmbProfil");
        QCOMPARE(profiles->count(), 2);
        QCOMPARE(profiles->itemText(0), QStringLiteral(u"VRK Déclaration des revenus"));
        QCOMPARE(profiles->itemText(1), QStringLiteral("ZEPHA Compte-rendu EDI"));
        // The first profile from the start, so that reports name it.
        QCOMPARE(f.platform->ProfileIndex(), 0);
        profiles->setCurrentIndex(1);
        QCOMPARE(f.platform->ProfileIndex(), 1);
        QCOMPARE(QString::fromStdString(f.platform->ProfileText()),
                 QStringLiteral("ZEPHA Compte-rendu EDI"));
    }
    UiFixture f(IniChanges{{"Profil_CR", "01"}});
    QCOMPARE(f.Home<QComboBox>("cmbProfil")->count(), 1);
}

void HomeWindowTest::setsAnnexChecksOnAtLoad() {
    SetFacChecksEnabled(false);
    UiFixture f;
    QVERIFY(GetFacChecksEnabled());
}

void HomeWindowTest::segmentMenusKeepTheirPairing() {
    UiFixture f;
    QAction* numbered = f.Menu("mnuOpViNoseg");
    QAction* distinct = f.Menu("mnuOpViSegdistincts");
    QVERIFY(!numbered->isEnabled());
    QVERIFY(!numbered->isChecked());
    QVERIFY(!distinct->isChecked());
    numbered->trigger();  // disabled: nothing happens
    QVERIFY(!numbered->isChecked());

    distinct->trigger();
    QVERIFY(distinct->isChecked());
    QVERIFY(!numbered->isChecked());
    QVERIFY(f.home->SegmentsDistincts());

    // Ticking the numbered entry (by its handler) ticks the other one too.
    distinct->trigger();
    f.home->mnuOpViNoseg_Click();
    QVERIFY(numbered->isChecked());
    QVERIFY(distinct->isChecked());
    distinct->trigger();
    QVERIFY(!distinct->isChecked());
    QVERIFY(!numbered->isChecked());
}

void HomeWindowTest::reportOptionsToggle() {
    UiFixture f;
    QAction* warnings = f.Menu("mnuOpErSignalements");
    QAction* errorsOnly = f.Menu("mnuOpErOnly");
    QVERIFY(warnings->isChecked());
    QVERIFY(!errorsOnly->isChecked());
    QVERIFY(f.platform->ShowWarnings());
    QVERIFY(!f.platform->ErrorsOnly());
    warnings->trigger();
    errorsOnly->trigger();
    QVERIFY(!f.platform->ShowWarnings());
    QVERIFY(f.platform->ErrorsOnly());
    warnings->trigger();
    errorsOnly->trigger();
    QVERIFY(f.platform->ShowWarnings());
    QVERIFY(!f.platform->ErrorsOnly());
    QCOMPARE(f.Home<QMenu>("mnuOptions")->title(), QStringLiteral("  &Options"));
    QCOMPARE(f.Home<QMenu>("mnuAide")->title(), QStringLiteral("   &?   "));
}

void HomeWindowTest::campaignEntriesAreExclusive() {
    UiFixture f;
    const int year = QDate::currentDate().year();
    QAction* current = f.Menu("mnuParamCampN");
    QAction* previous = f.Menu("mnuParamCampA");
    QCOMPARE(current->text(), QString::number(year));
    QCOMPARE(previous->text(), QString::number(year - 1));
    QVERIFY(current->isChecked());
    QCOMPARE(f.platform->YearCamp(), std::to_string(year));
    previous->trigger();
    QVERIFY(previous->isChecked());
    QVERIFY(!current->isChecked());
    QCOMPARE(f.platform->YearCamp(), std::to_string(year - 1));
    previous->trigger();  // ticking the ticked entry keeps it ticked
    QVERIFY(previous->isChecked());
    QVERIFY(!current->isChecked());
    current->trigger();
    QVERIFY(current->isChecked());
    QVERIFY(!previous->isChecked());
    QCOMPARE(f.platform->YearCamp(), std::to_string(year));
}

void HomeWindowTest::traceModeCreatesLogsAndTraces() {
    UiFixture f;
    const QString logs = Q(f.dir) + QStringLiteral("/logs");
    QVERIFY(!QDir(logs).exists());
    QAction* trace = f.Menu("mnuOpTrace");
    trace->trigger();
    QVERIFY(QDir(logs).exists());
    QVERIFY(trace->isChecked());
    QVERIFY(f.platform->TraceMode());
    QVERIFY(f.ui.boxes.empty());

    f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("t.edi", SampleFor(2025))));
    f.Home<QPushButton>("cmdTester")->click();
    const QString log = Q(CurrentTraceFilePath());
    QVERIFY(QFile::exists(log));
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("DEBUT DES TESTS DE "));

    // Removed while on: the directory is made again at the next click.
    QDir(logs).removeRecursively();
    trace->trigger();
    QVERIFY(QDir(logs).exists());
    QVERIFY(!trace->isChecked());
}

void HomeWindowTest::browseKeepsPathWhenCancelled() {
    UiFixture f;
    auto* path = f.Home<QLineEdit>("txtFichier");
    path->setText(QStringLiteral("/avant/fichier.edi"));
    f.ui.files.push_back(QString());
    f.Home<QPushButton>("cmdParcourir")->click();
    QCOMPARE(path->text(), QStringLiteral("/avant/fichier.edi"));
    // Files without an extension are files too; the dialog opens where the
    // file in the box lies.
    QCOMPARE(f.ui.fileFilters.at(0), QStringLiteral("Tous (*)"));
    QCOMPARE(f.ui.fileFolders.at(0), QStringLiteral("/avant"));
    f.ui.files.push_back(QStringLiteral(u"/données/après.edi"));
    f.Home<QPushButton>("cmdParcourir")->click();
    QCOMPARE(path->text(), QStringLiteral(u"/données/après.edi"));
    QCOMPARE(f.platform->FilePath(), ui::CorePath(QStringLiteral(u"/données/après.edi")));
}

void HomeWindowTest::refusesWhatIsNotAFile() {
    UiFixture f;
    QDir(Q(f.dir)).mkdir(QStringLiteral(u"Déclarations"));
    const struct {
        const char* button;
        QString path;
        QString title;
        QString text;
    } cases[] = {
        {"cmdTester", Q(f.dir) + QStringLiteral("/absent.edi"), QStringLiteral("Erreur de saisie"),
         QStringLiteral(u"Le fichier indiqué est introuvable.")},
        {"cmdTester", Q(f.dir) + QStringLiteral(u"/Déclarations"),
         QStringLiteral("Erreur de saisie"),
         QStringLiteral(u"Le chemin indiqué est celui d'un répertoire, pas d'un fichier.")},
        {"cmdTester", Q(f.Write("vide.edi", "")), QStringLiteral("Fichier vide"),
         QStringLiteral(u"Le fichier indiqué est vide.")},
        {"cmdVisualiser", Q(f.dir) + QStringLiteral("/absent.edi"),
         QStringLiteral("Erreur de saisie"),
         QStringLiteral(u"Le fichier indiqué est introuvable.")},
        {"cmdVisualiser", Q(f.dir) + QStringLiteral(u"/Déclarations"),
         QStringLiteral("Erreur de saisie"),
         QStringLiteral(u"Le chemin indiqué est celui d'un répertoire, pas d'un fichier.")},
    };
    for (const auto& c : cases) {
        f.ui.boxes.clear();
        f.Home<QLineEdit>("txtFichier")->setText(c.path);
        f.Home<QPushButton>(c.button)->click();
        QCOMPARE(f.ui.Titles(), QStringList{c.title});
        QCOMPARE(f.ui.Texts(), QStringList{c.text});
        QCOMPARE(f.ui.boxes[0].icon, MsgIcon::Exclamation);
    }
    QVERIFY(f.ui.shown.empty());
}

void HomeWindowTest::accentedPathsTypedOrChosen() {
    UiFixture f;
    QDir(Q(f.dir)).mkdir(QStringLiteral(u"Déclarations"));
    const std::string sample = SampleFor(QDate::currentDate().year());
    const QString typed = Q(f.Write("Déclarations/année.edi", sample));
    auto* path = f.Home<QLineEdit>("txtFichier");
    // Typed, then Enter: the test runs.
    Type(path, typed);
    QTest::keyClick(path, Qt::Key_Return);
    QVERIFY2(f.ui.boxes.empty(), qPrintable(f.ui.Texts().join(QLatin1Char('|'))));
    QCOMPARE(f.ui.shown.size(), 1u);
    QVERIFY(f.Find<QTextEdit>(&f.home->Tests(), "rtbContent")
                ->toPlainText()
                .contains(QStringLiteral("CONTROLES DE CONTENU OK")));

    // Chosen in the dialog, which opens in the folder of the file in the box.
    f.ui.files.push_back(Q(f.Write("Déclarations/reçu.edi", sample)));
    f.Home<QPushButton>("cmdParcourir")->click();
    QCOMPARE(f.ui.fileFolders.at(0), Q(f.dir) + QStringLiteral(u"/Déclarations"));
    f.Home<QPushButton>("cmdTester")->click();
    QVERIFY(f.ui.boxes.empty());
    QCOMPARE(f.ui.shown.size(), 2u);
    QVERIFY(State().Segments.size() > 10);
}

void HomeWindowTest::testRunsAndShowsResults() {
    UiFixture f;
    f.Menu("mnuParamCampA")->trigger();
    f.Home<QLineEdit>("txtFichier")
        ->setText(Q(f.Write("ok.edi", SampleFor(QDate::currentDate().year() - 1))));
    f.Home<QPushButton>("cmdTester")->click();
    QCOMPARE(f.ui.shown.size(), 1u);
    QCOMPARE(f.ui.shown[0], static_cast<QDialog*>(&f.home->Tests()));
    QVERIFY(f.home->GiveMeBlnForTest());
    QVERIFY(f.Home<QLabel>("txtStatutAppli")->text().isEmpty());
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(State().Segments.size() > 10);

    f.Find<QPushButton>(&f.home->Tests(), "cmdFermer")->click();
    QVERIFY(f.home->Tests().isHidden());
    QVERIFY(f.Home<QPushButton>("cmdResultat")->isEnabled());
    f.Home<QPushButton>("cmdResultat")->click();
    QVERIFY(!f.home->GiveMeBlnForTest());
    QCOMPARE(f.ui.shown.size(), 2u);
}

void HomeWindowTest::platformAnswersFromTheControls() {
    UiFixture f;
    f.Home<QLineEdit>("txtFichier")->setText(QStringLiteral(u"/tmp/déclaration.edi"));
    f.Home<QLineEdit>("txtProcedure")->setText(QStringLiteral(u"Procédure"));
    // Paths go to the core in the system's own form, UTF-8 here.
    QCOMPARE(f.platform->FilePath(), std::string("/tmp/déclaration.edi"));
    QCOMPARE(f.platform->ProcedureText(), std::string("Proc\xe9"
                                                      "dure"));
    QCOMPARE(f.platform->ProgramDirectory(), f.dir);

    SetStatus("Pr\xe9paration de l'affichage...");
    QCOMPARE(f.Home<QLabel>("txtStatutAppli")->text(),
             QStringLiteral(u"Préparation de l'affichage..."));

    f.ui.answers.push_back(MsgAnswer::No);
    const MsgAnswer answer = CurrentPlatform().ShowMessage("4000 erreurs de syntaxe",
                                                           "Ligne 1\r\nContinuer tout de m\xeame ?",
                                                           MsgIcon::None, MsgButtons::YesNo);
    QCOMPARE(answer, MsgAnswer::No);
    QCOMPARE(f.ui.boxes.back().text, QStringLiteral(u"Ligne 1\r\nContinuer tout de même ?"));
    QCOMPARE(f.ui.boxes.back().buttons, MsgButtons::YesNo);

    const LocalDateTime now = f.platform->Now();
    QCOMPARE(now.year, QDate::currentDate().year());
}

void HomeWindowTest::testShowsProgressUnderHourglass() {
    UiFixture f;
    QStringList seen;
    bool waitingThroughout = true;
    QObject::connect(f.home.get(), &frmAccueil::StatusChanged, [&](const QString& text) {
        seen << text;
        const QCursor* cursor = QApplication::overrideCursor();
        if (!text.isEmpty() && (!cursor || cursor->shape() != Qt::WaitCursor))
            waitingThroughout = false;
    });
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("t.edi", SampleFor(2025))));
    f.Home<QPushButton>("cmdTester")->click();
    QVERIFY(waitingThroughout);
    QVERIFY(seen.size() > 5);
    QCOMPARE(seen.first(), QStringLiteral("Enregistrement du chemin..."));
    QCOMPARE(seen.at(1), QStringLiteral("Lecture du fichier EDI..."));
    QVERIFY(seen.contains(QStringLiteral("Tests de syntaxe en cours...")));
    QVERIFY(seen.contains(QStringLiteral(u"Préparation de l'affichage...(colorisation)")));
    QCOMPARE(seen.last(), QString());
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void HomeWindowTest::stopEndsALongRunCleanly() {
    UiFixture f;
    Activate(f.home.get());
    auto* stop = f.Home<QPushButton>("cmdArreter");
    auto* test = f.Home<QPushButton>("cmdTester");
    QVERIFY(!stop->isEnabled());
    f.Home<QLineEdit>("txtFichier")
        ->setText(Q(f.Write("long.edi", ManyDossiers(QDate::currentDate().year(), 300))));

    // The window handles its events during the run, and only Stop takes
    // input: neither Test, the path, the menus nor closing start anything.
    bool onlyStop = false;
    QTimer::singleShot(0, f.home.get(), [&] {
        onlyStop = stop->isEnabled() && !test->isEnabled() && !f.home->menuBar()->isEnabled() &&
                   !f.Home<QLineEdit>("txtFichier")->isEnabled();
    });
    QStringList progress;
    QObject::connect(f.home.get(), &frmAccueil::StatusChanged, [&](const QString& text) {
        if (!text.startsWith(QStringLiteral("Tests de contenu"))) return;
        progress << text;
        if (progress.size() == 10) stop->click();
    });
    test->click();
    QVERIFY(onlyStop);
    QCOMPARE(progress.first(), QStringLiteral("Tests de contenu en cours..."));
    QCOMPARE(progress.at(1), QStringLiteral("Tests de contenu en cours... dossier 1 / 300"));
    // Stopped at the next dossier: no result shown, and none kept.
    QCOMPARE(progress.size(), 10);
    QVERIFY(f.ui.shown.empty());
    QCOMPARE(f.Home<QLabel>("txtStatutAppli")->text(),
             QStringLiteral(u"Test arrêté : aucun résultat."));
    QCOMPARE(State().Withheld, WithheldReason::Stopped);
    QVERIFY(f.home->Tests().ContentSink().PlainText().empty());
    QVERIFY(!stop->isEnabled());
    QVERIFY(test->isEnabled());
    QVERIFY(!f.Home<QPushButton>("cmdResultat")->isEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void HomeWindowTest::accessKeysAreDistinctAndWork() {
    UiFixture f;
    // A path that names nothing: each button answers with a box, and no
    // window comes to take the keyboard away.
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.dir) + QStringLiteral("/absent.edi"));
    Activate(f.home.get());
    QCOMPARE(AccessKeys(f.home.get()), QStringLiteral("?acfopqrtv"));
    f.Home<QPushButton>("cmdArreter")->setEnabled(true);
    for (const auto& [key, button] : {std::pair{'a', "cmdArreter"},
                                      {'c', "cmdParcourir"},
                                      {'v', "cmdVisualiser"},
                                      {'q', "cmdQuitter"},
                                      {'t', "cmdTester"}}) {
        QSignalSpy clicked(f.Home<QPushButton>(button), &QPushButton::clicked);
        PressAlt(f.home.get(), key);
        QTRY_VERIFY2(clicked.count() == 1, button);
    }

    f.Home<QLineEdit>("txtFichier")
        ->setText(Q(f.Write("t.edi", SampleFor(QDate::currentDate().year()))));
    f.Home<QPushButton>("cmdTester")->click();
    frmTests& results = f.home->Tests();
    Activate(&results);
    QCOMPARE(AccessKeys(&results), QStringLiteral("acefir"));
    f.ui.printerAccepted = false;
    for (const auto& [key, button] : {std::pair{'a', "cmdAfficher"},
                                      {'i', "cmdImprimer"},
                                      {'c', "cmdConvertir"},
                                      {'f', "cmdFermer"}}) {
        QSignalSpy clicked(f.Find<QPushButton>(&results, button), &QPushButton::clicked);
        PressAlt(&results, key);
        QTRY_VERIFY2(clicked.count() == 1, button);
    }
}

void HomeWindowTest::accessKeysOpenTheMenus() {
    for (const auto& [key, menu] : {std::pair{'o', "mnuOptions"}, {'p', "mnuParam"}}) {
        // A window of its own each time: an open menu keeps the keyboard.
        UiFixture f;
        Activate(f.home.get());
        PressAlt(f.home.get(), key);
        QTRY_VERIFY2(f.Home<QMenu>(menu)->isVisible(), menu);
    }
}

void HomeWindowTest::qtSpeaksFrench() {
    QVERIFY(ui::LoadQtFrenchTranslation());
    QMessageBox box(QMessageBox::NoIcon, QString(), QString(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Oui"));
    QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("&Non"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuler"));
    QLineEdit line;
    const std::unique_ptr<QMenu> menu(line.createStandardContextMenu());
    QStringList entries;
    for (const QAction* a : menu->actions())
        entries << a->text();
    QVERIFY(entries.contains(QStringLiteral("Cop&ier\tCtrl+C")));
}

void HomeWindowTest::aboutWindowShowsVersion() {
    UiFixture f;
    f.Menu("mnuAiApropos")->trigger();
    frmAPropos& about = f.home->About();
    QCOMPARE(f.ui.shown.size(), 1u);
    QCOMPARE(f.ui.shown[0], static_cast<QDialog*>(&about));
    QCOMPARE(about.windowTitle(), QStringLiteral("A propos"));
    QCOMPARE(about.VersionText(), QStringLiteral("1 mars 2017"));
    QCOMPARE(f.Find<QLabel>(&about, "lblVersion")->text(), QStringLiteral(u"Dernière version : "));
    QVERIFY(!f.Find<QLabel>(&about, "picLogo")->pixmap().isNull());
    const QString info = f.Find<QPlainTextEdit>(&about, "txtInformation")->toPlainText();
    for (const char* word : {"TOLVEX", "CSE", "ZEPHA", "syntaxe EDI"})
        QVERIFY2(info.contains(QString::fromLatin1(word)), word);
    f.Find<QPushButton>(&about, "cmdQuitter")->click();
    QVERIFY(about.isHidden());
}

void HomeWindowTest::quitEndsTheProgram() {
    UiFixture f;
    f.Home<QPushButton>("cmdQuitter")->click();
    QCOMPARE(f.ui.quits, 1);
}

QTEST_MAIN(HomeWindowTest)
#include "test_home_window.moc"

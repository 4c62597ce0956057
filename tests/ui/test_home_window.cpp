// The home window: what it loads, its buttons' states, every menu entry, the
// Test button's refusals and the choices the core reads through the platform.
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "ScriptedUi.h"
#include "config/modIOfunctions.h"
#include "frmAPropos.h"
#include "frmTests.h"
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
    void testRefusesMissingAndEmptyFiles();
    void testRunsAndShowsResults();
    void platformAnswersFromTheControls();
    void testShowsProgressUnderHourglass();
    void aboutWindowShowsVersion();
    void quitEndsTheProgram();
};

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
        QCOMPARE(f.platform->ProfileIndex(), -1);
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
    path->setText(QStringLiteral("/avant.edi"));
    f.ui.files.push_back(QString());
    f.Home<QPushButton>("cmdParcourir")->click();
    QCOMPARE(path->text(), QStringLiteral("/avant.edi"));
    QCOMPARE(f.ui.fileFilters.at(0), QStringLiteral("Tous (*.*)"));
    f.ui.files.push_back(QStringLiteral(u"/données/après.edi"));
    f.Home<QPushButton>("cmdParcourir")->click();
    QCOMPARE(path->text(), QStringLiteral(u"/données/après.edi"));
    QCOMPARE(f.platform->FilePath(), ui::CorePath(QStringLiteral(u"/données/après.edi")));
}

void HomeWindowTest::testRefusesMissingAndEmptyFiles() {
    UiFixture f;
    auto* path = f.Home<QLineEdit>("txtFichier");
    path->setText(Q(f.dir) + QStringLiteral("/absent.edi"));
    f.Home<QPushButton>("cmdTester")->click();
    QCOMPARE(f.ui.boxes.size(), 1u);
    QCOMPARE(f.ui.boxes[0].title, QStringLiteral("Erreur de saisie"));
    QCOMPARE(f.ui.boxes[0].text, QStringLiteral(u"Le fichier indiqué est introuvable."));
    QCOMPARE(f.ui.boxes[0].icon, MsgIcon::Exclamation);

    path->setText(Q(f.Write("vide.edi", "")));
    f.Home<QPushButton>("cmdTester")->click();
    QCOMPARE(f.ui.boxes.size(), 2u);
    QCOMPARE(f.ui.boxes[1].title, QStringLiteral("Fichier vide"));
    QCOMPARE(f.ui.boxes[1].text, QStringLiteral(u"Le fichier indiqué est vide."));
    QCOMPARE(f.ui.boxes[1].icon, MsgIcon::Exclamation);
    QVERIFY(f.ui.shown.empty());
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
    QVERIFY(f.Home<QLineEdit>("txtStatutAppli")->text().isEmpty());
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
    QCOMPARE(f.Home<QLineEdit>("txtStatutAppli")->text(),
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
    auto* status = f.Home<QLineEdit>("txtStatutAppli");
    QStringList seen;
    bool waitingThroughout = true;
    QObject::connect(status, &QLineEdit::textChanged, [&](const QString& text) {
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

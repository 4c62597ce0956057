// The home window's rules: which buttons a path enables, the choices its
// menus keep consistent, the Test button's refusals and its run.
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "ScriptedUi.h"
#include "config/modIOfunctions.h"
#include "frmTests.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

using namespace trelvane;
using namespace trelvane::test;

class HomeWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void pathEnablesTheButtons();
    void profilesFollowTheParameterFile();
    void menusKeepTheirRules();
    void traceModeMakesItsDirectory();
    void browseKeepsThePathWhenCancelled();
    void testRefusesMissingAndEmptyFiles();
    void testRunsUnderTheHourglassAndShowsResults();
};

void HomeWindowTest::pathEnablesTheButtons() {
    {
        UiFixture f(IniChanges{{"LastFileUsed", "/tmp/exemple.edi"}});
        QCOMPARE(f.Home<QLineEdit>("txtFichier")->text(), QStringLiteral("/tmp/exemple.edi"));
        QVERIFY(f.Home<QPushButton>("cmdTester")->isEnabled());
        QVERIFY(f.Home<QPushButton>("cmdVisualiser")->isEnabled());
        QVERIFY(!f.Home<QPushButton>("cmdResultat")->isEnabled());
    }
    UiFixture f;
    auto* path = f.Home<QLineEdit>("txtFichier");
    for (const char* name : {"cmdTester", "cmdVisualiser", "cmdResultat"})
        QVERIFY2(!f.Home<QPushButton>(name)->isEnabled(), name);
    QTest::keyClicks(path, QStringLiteral("a.edi"));
    QVERIFY(f.Home<QPushButton>("cmdTester")->isEnabled());
    QVERIFY(f.Home<QPushButton>("cmdVisualiser")->isEnabled());
    // Résultat: enabled by closing the results window, disabled by any change.
    f.home->EnableResultat();
    QTest::keyClick(path, Qt::Key_Backspace);
    QVERIFY(!f.Home<QPushButton>("cmdResultat")->isEnabled());
    path->clear();
    QVERIFY(!f.Home<QPushButton>("cmdTester")->isEnabled());
    QVERIFY(!f.Home<QPushButton>("cmdVisualiser")->isEnabled());
    f.Home<QPushButton>("cmdQuitter")->click();
    QCOMPARE(f.ui.quits, 1);
}

void HomeWindowTest::profilesFollowTheParameterFile() {
    {
        UiFixture f(IniChanges{{"Profil_CR", "1 "}});
        auto* profiles = f.Home<QComboBox>("cmbProfil");
        QCOMPARE(profiles->count(), 2);
        QCOMPARE(f.platform->ProfileIndex(), -1);
        profiles->setCurrentIndex(1);
        QCOMPARE(f.platform->ProfileIndex(), 1);
        QCOMPARE(QString::fromStdString(f.platform->ProfileText()),
                 QStringLiteral("ZEPHA Compte-rendu EDI"));
    }
    UiFixture f(IniChanges{{"Profil_CR", "01"}});
    QCOMPARE(f.Home<QComboBox>("cmbProfil")->count(), 1);
}

void HomeWindowTest::menusKeepTheirRules() {
    SetFacChecksEnabled(false);
    UiFixture f;
    QVERIFY(GetFacChecksEnabled());  // turned on at load

    // "Segments numérotés" cannot be ticked from the menu and never stays
    // ticked without "Segments distincts".
    QAction* numbered = f.Menu("mnuOpViNoseg");
    QAction* distinct = f.Menu("mnuOpViSegdistincts");
    numbered->trigger();
    QVERIFY(!numbered->isChecked());
    distinct->trigger();
    QVERIFY(distinct->isChecked() && f.home->SegmentsDistincts());
    distinct->trigger();
    f.home->mnuOpViNoseg_Click();
    QVERIFY(numbered->isChecked() && distinct->isChecked());
    distinct->trigger();
    QVERIFY(!distinct->isChecked() && !numbered->isChecked());

    QVERIFY(f.platform->ShowWarnings() && !f.platform->ErrorsOnly());
    f.Menu("mnuOpErSignalements")->trigger();
    f.Menu("mnuOpErOnly")->trigger();
    QVERIFY(!f.platform->ShowWarnings() && f.platform->ErrorsOnly());

    // One campaign entry is ticked, never both.
    const int year = QDate::currentDate().year();
    QAction* current = f.Menu("mnuParamCampN");
    QAction* previous = f.Menu("mnuParamCampA");
    QCOMPARE(f.platform->YearCamp(), std::to_string(year));
    previous->trigger();
    previous->trigger();
    QVERIFY(previous->isChecked() && !current->isChecked());
    QCOMPARE(f.platform->YearCamp(), std::to_string(year - 1));
    current->trigger();
    QVERIFY(current->isChecked() && !previous->isChecked());
    QCOMPARE(f.platform->YearCamp(), std::to_string(year));
}

void HomeWindowTest::traceModeMakesItsDirectory() {
    UiFixture f;
    const QString logs = Q(f.dir) + QStringLiteral("/logs");
    QAction* trace = f.Menu("mnuOpTrace");
    trace->trigger();
    QVERIFY(QDir(logs).exists() && f.platform->TraceMode());
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("t.edi", Sample())));
    f.Home<QPushButton>("cmdTester")->click();
    QVERIFY(ReadBytes(CurrentTraceFilePath()).find("DEBUT DES TESTS DE ") != std::string::npos);
    QVERIFY(f.ui.boxes.empty());
    // Looked for at every click, on and off.
    QDir(logs).removeRecursively();
    trace->trigger();
    QVERIFY(QDir(logs).exists() && !f.platform->TraceMode());
}

void HomeWindowTest::browseKeepsThePathWhenCancelled() {
    UiFixture f;
    auto* path = f.Home<QLineEdit>("txtFichier");
    path->setText(QStringLiteral("/avant.edi"));
    f.ui.files = {QString(), QStringLiteral(u"/données/après.edi")};
    f.Home<QPushButton>("cmdParcourir")->click();
    QCOMPARE(path->text(), QStringLiteral("/avant.edi"));
    f.Home<QPushButton>("cmdParcourir")->click();
    QCOMPARE(path->text(), QStringLiteral(u"/données/après.edi"));
    QCOMPARE(f.platform->FilePath(), ui::ToCp(QStringLiteral(u"/données/après.edi")));
}

void HomeWindowTest::testRefusesMissingAndEmptyFiles() {
    UiFixture f;
    auto* path = f.Home<QLineEdit>("txtFichier");
    path->setText(Q(f.dir) + QStringLiteral("/absent.edi"));
    f.Home<QPushButton>("cmdTester")->click();
    path->setText(Q(f.Write("vide.edi", "")));
    f.Home<QPushButton>("cmdTester")->click();
    QCOMPARE(f.ui.Titles(),
             (QStringList{QStringLiteral("Erreur de saisie"), QStringLiteral("Fichier vide")}));
    QCOMPARE(f.ui.boxes[0].text, QStringLiteral(u"Le fichier indiqué est introuvable."));
    QCOMPARE(f.ui.boxes[1].text, QStringLiteral(u"Le fichier indiqué est vide."));
    QVERIFY(f.ui.shown.empty());
}

void HomeWindowTest::testRunsUnderTheHourglassAndShowsResults() {
    UiFixture f;
    QStringList seen;
    bool waiting = true;
    QObject::connect(f.Home<QLineEdit>("txtStatutAppli"), &QLineEdit::textChanged,
                     [&](const QString& text) {
                         seen << text;
                         const QCursor* cursor = QApplication::overrideCursor();
                         waiting &= text.isEmpty() || (cursor && cursor->shape() == Qt::WaitCursor);
                     });
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("t.edi", Sample())));
    f.Home<QPushButton>("cmdTester")->click();
    QVERIFY(waiting);
    QCOMPARE(seen.first(), QStringLiteral("Enregistrement du chemin..."));
    QCOMPARE(seen.last(), QString());
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(f.ui.shown, std::vector<QDialog*>{&f.home->Tests()});
    QVERIFY(f.home->GiveMeBlnForTest());
    QCOMPARE(State().Segments.size(), 14u);

    f.Find<QPushButton>(&f.home->Tests(), "cmdFermer")->click();
    QVERIFY(f.home->Tests().isHidden());
    f.Home<QPushButton>("cmdResultat")->click();
    QVERIFY(!f.home->GiveMeBlnForTest());
    QCOMPARE(f.ui.shown.size(), 2u);
}

QTEST_MAIN(HomeWindowTest)
#include "test_home_window.moc"

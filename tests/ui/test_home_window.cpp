// The home window's rules: which buttons a path enables, the choices its
// menus keep consistent, the Test button's refusals and its run.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
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
    void menusKeepTheirRules();
    void testRefusesMissingAndEmptyFiles();
    void testRunsUnderTheHourglassAndShowsResults();
};

void HomeWindowTest::pathEnablesTheButtons() {
    QCOMPARE(UiFixture(IniChanges{{"LastFileUsed", "/tmp/a.edi"}}).Buttons(),
             QStringLiteral("TV-"));
    UiFixture f;
    auto* path = f.Home<QLineEdit>("txtFichier");
    QCOMPARE(f.Buttons(), QStringLiteral("---"));
    QTest::keyClicks(path, QStringLiteral("a.edi"));
    QCOMPARE(f.Buttons(), QStringLiteral("TV-"));
    // Résultat: enabled by closing the results window, disabled by any change.
    f.home->EnableResultat();
    QTest::keyClick(path, Qt::Key_Backspace);
    QCOMPARE(f.Buttons(), QStringLiteral("TV-"));
    path->clear();
    QCOMPARE(f.Buttons(), QStringLiteral("---"));
    // Browsing: a cancel keeps the path.
    f.ui.files = {QString(), QStringLiteral(u"/données/après.edi")};
    f.Click("cmdParcourir");
    QVERIFY(path->text().isEmpty());
    f.Click("cmdParcourir");
    QCOMPARE(f.platform->FilePath(), ui::ToCp(QStringLiteral(u"/données/après.edi")));
    f.Click("cmdQuitter");
    QCOMPARE(f.ui.quits, 1);
}

void HomeWindowTest::menusKeepTheirRules() {
    for (const char* profil : {"1 ", "01"}) {
        UiFixture f(IniChanges{{"Profil_CR", profil}});
        QCOMPARE(f.Home<QComboBox>("cmbProfil")->count(), profil[0] == '1' ? 2 : 1);
        QCOMPARE(f.platform->ProfileIndex(), -1);
    }
    SetFacChecksEnabled(false);
    UiFixture f;
    QVERIFY(GetFacChecksEnabled());  // turned on at load
    // "Segments numérotés" cannot be ticked from the menu, and never stays
    // ticked without "Segments distincts".
    QAction* numbered = f.Menu("mnuOpViNoseg");
    QAction* distinct = f.Menu("mnuOpViSegdistincts");
    numbered->trigger();
    distinct->trigger();
    QVERIFY(!numbered->isChecked() && f.home->SegmentsDistincts());
    distinct->trigger();
    f.home->mnuOpViNoseg_Click();
    QVERIFY(numbered->isChecked() && distinct->isChecked());
    distinct->trigger();
    QVERIFY(!distinct->isChecked() && !numbered->isChecked());
    f.Menu("mnuOpErSignalements")->trigger();
    f.Menu("mnuOpErOnly")->trigger();
    QVERIFY(!f.platform->ShowWarnings() && f.platform->ErrorsOnly());
    // One campaign entry is ticked, never both.
    const int year = QDate::currentDate().year();
    QCOMPARE(f.platform->YearCamp(), std::to_string(year));
    f.Menu("mnuParamCampA")->trigger();
    f.Menu("mnuParamCampA")->trigger();
    QVERIFY(!f.Menu("mnuParamCampN")->isChecked());
    QCOMPARE(f.platform->YearCamp(), std::to_string(year - 1));
    f.Menu("mnuParamCampN")->trigger();
    QVERIFY(!f.Menu("mnuParamCampA")->isChecked());
    QCOMPARE(f.platform->YearCamp(), std::to_string(year));
    // Trace mode makes its directory, looked for at every click.
    const QString logs = Q(f.dir) + QStringLiteral("/logs");
    f.Menu("mnuOpTrace")->trigger();
    QVERIFY(QDir(logs).exists() && f.platform->TraceMode());
    QDir(logs).removeRecursively();
    f.Menu("mnuOpTrace")->trigger();
    QVERIFY(QDir(logs).exists() && !f.platform->TraceMode());
}

void HomeWindowTest::testRefusesMissingAndEmptyFiles() {
    UiFixture f;
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.dir) + QStringLiteral("/absent.edi"));
    f.Click("cmdTester");
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("vide.edi", "")));
    f.Click("cmdTester");
    QCOMPARE(f.ui.Titles(),
             (QStringList{QStringLiteral("Erreur de saisie"), QStringLiteral("Fichier vide")}));
    QCOMPARE(f.ui.boxes[0].text, QStringLiteral(u"Le fichier indiqué est introuvable."));
    QCOMPARE(f.ui.boxes[1].text, QStringLiteral(u"Le fichier indiqué est vide."));
    QVERIFY(f.ui.shown.empty());
}

void HomeWindowTest::testRunsUnderTheHourglassAndShowsResults() {
    UiFixture f;
    f.Menu("mnuOpTrace")->trigger();
    QStringList seen;
    bool waiting = true;
    QObject::connect(f.Home<QLineEdit>("txtStatutAppli"), &QLineEdit::textChanged,
                     [&](const QString& text) {
                         seen << text;
                         const QCursor* cursor = QApplication::overrideCursor();
                         waiting &= text.isEmpty() || (cursor && cursor->shape() == Qt::WaitCursor);
                     });
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("t.edi", Sample())));
    f.Click("cmdTester");
    QVERIFY(waiting);
    QCOMPARE(seen.first(), QStringLiteral("Enregistrement du chemin..."));
    QCOMPARE(seen.last(), QString());
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(f.ui.shown, std::vector<QDialog*>{&f.home->Tests()});
    QVERIFY(f.home->GiveMeBlnForTest());
    QCOMPARE(State().Segments.size(), 14u);
    QVERIFY(ReadBytes(CurrentTraceFilePath()).find("DEBUT DES TESTS DE ") != std::string::npos);
    QVERIFY(f.ui.boxes.empty());
    f.Find<QPushButton>(&f.home->Tests(), "cmdFermer")->click();
    QVERIFY(f.home->Tests().isHidden());
    f.Click("cmdResultat");
    QVERIFY(!f.home->GiveMeBlnForTest());
    QCOMPARE(f.ui.shown.size(), 2u);
}

QTEST_MAIN(HomeWindowTest)
#include "test_home_window.moc"

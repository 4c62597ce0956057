// The home window's rules: which buttons a path enables, the choices its
// menus keep consistent, the Test button's refusals, its run and its Stop
// button, paths with accents, access keys, Qt's own texts in French, the
// other ways to start a test, and the choices kept across a restart.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QTimer>
#include <QUrl>
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
    void pathEnablesTheButtons();
    void menusKeepTheirRules();
    void refusesWhatIsNotAFile();
    void accentedPathsTypedOrChosen();
    void testRunsUnderTheHourglassAndShowsResults();
    void stopEndsALongRunCleanly();
    void accessKeysAreDistinctAndWork();
    void qtSpeaksFrench();
    void droppedOrNamedFileIsTested();
    void recentFilesAndChoicesSurviveARestart();
};

namespace {

void Activate(QWidget* window) {
    window->show();
    window->windowHandle()->requestActivate();
    QTRY_COMPARE(QApplication::activeWindow(), window);
}

// Alt and a letter, as the user types it on the active window.
void PressAlt(QWidget* window, char letter) {
    QTest::keyClick(window, Qt::Key(Qt::Key_A + (letter - 'a')), Qt::AltModifier);
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
    for (const QString& t : texts)
        if (const qsizetype at = t.indexOf(QLatin1Char('&')); at >= 0 && at + 1 < t.size())
            keys += t.at(at + 1).toLower();
    std::sort(keys.begin(), keys.end());
    return keys;
}

// A drag of path dropped on target, as the system delivers it.
bool Drop(QWidget* target, const QString& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

}  // namespace

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
    // Browsing: a cancel keeps the path; the dialog takes files without an
    // extension and opens where the file in the box lies.
    path->setText(QStringLiteral("/avant/f.edi"));
    f.ui.files = {QString(), QStringLiteral(u"/données/après.edi")};
    f.Click("cmdParcourir");
    QCOMPARE(path->text(), QStringLiteral("/avant/f.edi"));
    QCOMPARE(f.ui.fileFilters.at(0), QStringLiteral("Tous (*)"));
    QCOMPARE(f.ui.fileFolders.at(0), QStringLiteral("/avant"));
    f.Click("cmdParcourir");
    // Paths go to the core in the system's own form, UTF-8 here.
    QCOMPARE(f.platform->FilePath(), std::string("/données/après.edi"));
    f.Click("cmdQuitter");
    QCOMPARE(f.ui.quits, 1);
}

void HomeWindowTest::menusKeepTheirRules() {
    for (const char* profil : {"1 ", "01"}) {
        UiFixture f(IniChanges{{"Profil_CR", profil}});
        QCOMPARE(f.Home<QComboBox>("cmbProfil")->count(), profil[0] == '1' ? 2 : 1);
        QCOMPARE(f.platform->ProfileIndex(), 0);  // from the start, so that reports name it
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

void HomeWindowTest::refusesWhatIsNotAFile() {
    UiFixture f;
    QDir(Q(f.dir)).mkdir(QStringLiteral(u"Déclarations"));
    const QString missing = QStringLiteral(u"Le fichier indiqué est introuvable.");
    const QString folder =
        QStringLiteral(u"Le chemin indiqué est celui d'un répertoire, pas d'un fichier.");
    const struct {
        const char* button;
        QString path, text;
    } cases[] = {
        {"cmdTester", QStringLiteral("/absent.edi"), missing},
        {"cmdTester", QStringLiteral(u"/Déclarations"), folder},
        {"cmdTester", QStringLiteral("/vide.edi"), QStringLiteral(u"Le fichier indiqué est vide.")},
        {"cmdVisualiser", QStringLiteral("/absent.edi"), missing},
        {"cmdVisualiser", QStringLiteral(u"/Déclarations"), folder},
    };
    f.Write("vide.edi", "");
    for (const auto& c : cases) {
        f.ui.boxes.clear();
        f.Home<QLineEdit>("txtFichier")->setText(Q(f.dir) + c.path);
        f.Click(c.button);
        QCOMPARE(f.ui.Texts(), QStringList{c.text});
        QCOMPARE(f.ui.boxes[0].title, c.path == QStringLiteral("/vide.edi")
                                          ? QStringLiteral("Fichier vide")
                                          : QStringLiteral("Erreur de saisie"));
    }
    QVERIFY(f.ui.shown.empty());
}

void HomeWindowTest::accentedPathsTypedOrChosen() {
    UiFixture f;
    QDir(Q(f.dir)).mkdir(QStringLiteral(u"Déclarations"));
    const QString typed = Q(f.Write("Déclarations/année.edi", Sample()));
    f.Menu("mnuParamCampA")->trigger();
    auto* path = f.Home<QLineEdit>("txtFichier");
    // Typed key by key, then Enter: the test runs.
    for (const QChar c : typed)
        QTest::sendKeyEvent(QTest::Click, path, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::keyClick(path, Qt::Key_Return);
    QVERIFY2(f.ui.boxes.empty(), qPrintable(f.ui.Texts().join(QLatin1Char('|'))));
    QVERIFY(f.Find<QTextEdit>(&f.home->Tests(), "rtbContent")
                ->toPlainText()
                .contains(QStringLiteral("CONTROLES DE CONTENU OK")));
    // Chosen in the dialog, which opens in the folder of the file in the box.
    f.ui.files.push_back(Q(f.Write("Déclarations/reçu.edi", Sample())));
    f.Click("cmdParcourir");
    QCOMPARE(f.ui.fileFolders.at(0), Q(f.dir) + QStringLiteral(u"/Déclarations"));
    f.Click("cmdTester");
    QVERIFY(f.ui.boxes.empty());
    QCOMPARE(f.ui.shown.size(), 2u);
}

void HomeWindowTest::testRunsUnderTheHourglassAndShowsResults() {
    UiFixture f;
    QStringList seen;
    bool waiting = true;
    QObject::connect(f.home.get(), &frmAccueil::StatusChanged, [&](const QString& text) {
        seen << text;
        const QCursor* cursor = QApplication::overrideCursor();
        waiting &= text.isEmpty() || (cursor && cursor->shape() == Qt::WaitCursor);
    });
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("t.edi", Sample())));
    f.Click("cmdTester");
    QVERIFY(waiting);
    QCOMPARE(seen.first(), QStringLiteral("Enregistrement du chemin..."));
    QVERIFY(seen.contains(QStringLiteral(u"Préparation de l'affichage...(colorisation)")));
    QCOMPARE(seen.last(), QString());
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(f.ui.shown, std::vector<QDialog*>{&f.home->Tests()});
    QVERIFY(f.home->GiveMeBlnForTest());
    QVERIFY(f.ui.boxes.empty());
    f.Find<QPushButton>(&f.home->Tests(), "cmdFermer")->click();
    QVERIFY(f.home->Tests().isHidden());
    f.Click("cmdResultat");
    QVERIFY(!f.home->GiveMeBlnForTest());
    QCOMPARE(f.ui.shown.size(), 2u);
}

void HomeWindowTest::stopEndsALongRunCleanly() {
    UiFixture f;
    Activate(f.home.get());
    auto* stop = f.Home<QPushButton>("cmdArreter");
    auto* test = f.Home<QPushButton>("cmdTester");
    QVERIFY(!stop->isEnabled());
    f.Menu("mnuParamCampA")->trigger();
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("long.edi", Sample(false, 300))));
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
    QCOMPARE(progress.at(1), QStringLiteral("Tests de contenu en cours... dossier 1 / 300"));
    // Stopped at the next dossier: no result shown, and none kept.
    QCOMPARE(progress.size(), 10);
    QVERIFY(f.ui.shown.empty());
    QCOMPARE(f.Home<QLabel>("txtStatutAppli")->text(),
             QStringLiteral(u"Test arrêté : aucun résultat."));
    QCOMPARE(State().Withheld, WithheldReason::Stopped);
    QVERIFY(f.home->Tests().ContentSink().PlainText().empty());
    QVERIFY(!stop->isEnabled() && test->isEnabled());
    QCOMPARE(f.Buttons(), QStringLiteral("TV-"));
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
    for (const auto& [key, button] : {std::pair{'a', "cmdArreter"}, {'t', "cmdTester"}}) {
        QSignalSpy clicked(f.Home<QPushButton>(button), &QPushButton::clicked);
        PressAlt(f.home.get(), key);
        QTRY_VERIFY2(clicked.count() == 1, button);
    }
    // The results window's own keys are distinct too.
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("t.edi", Sample())));
    f.Click("cmdTester");
    QCOMPARE(AccessKeys(&f.home->Tests()), QStringLiteral("acefir"));
    for (const auto& [key, menu] : {std::pair{'o', "mnuOptions"}, {'p', "mnuParam"}}) {
        // A window of its own each time: an open menu keeps the keyboard.
        UiFixture g;
        Activate(g.home.get());
        PressAlt(g.home.get(), key);
        QTRY_VERIFY2(g.Home<QMenu>(menu)->isVisible(), menu);
    }
}

void HomeWindowTest::qtSpeaksFrench() {
    QVERIFY(ui::LoadQtFrenchTranslation());
    QMessageBox box(QMessageBox::NoIcon, QString(), QString(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Oui"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuler"));
}

// Besides the button: a file dropped on the path or on the results, F5 from
// the results, a file named on the command line, the recent files; and what
// is kept from one session to the next.
void HomeWindowTest::droppedOrNamedFileIsTested() {
    UiFixture f;
    const QString a = Q(f.Write("a.edi", Sample()));
    std::string twoHeaders = Sample();
    const QString b = Q(f.Write("b.edi", twoHeaders.insert(twoHeaders.find("UNB+"), "UNB+A'")));
    // On the path box: the path, no test yet.
    QVERIFY(Drop(f.Home<QLineEdit>("txtFichier"), a));
    QCOMPARE(f.Home<QLineEdit>("txtFichier")->text(), a);
    QVERIFY(f.ui.shown.empty());
    f.Home<QPushButton>("cmdTester")->click();
    frmTests& w = f.home->Tests();
    // On the results: the test of the file dropped, and the results again.
    QVERIFY(Drop(&w, b));
    QTRY_COMPARE(f.ui.shown.size(), std::size_t{2});
    QCOMPARE(w.windowTitle(), QStringLiteral(u"Résultats de l'analyse - b.edi"));
    QVERIFY(f.Find<QTextEdit>(&w, "rtbSyntax")->toPlainText().contains(QStringLiteral("ERREUR")));
    // F5: the same file again, read anew.
    f.Write("b.edi", Sample());
    QTest::keyClick(&w, Qt::Key_F5);
    QTRY_COMPARE(f.ui.shown.size(), std::size_t{3});
    QVERIFY(f.Find<QTextEdit>(&w, "rtbSyntax")
                ->toPlainText()
                .contains(QStringLiteral("CONTROLES DE SYNTAXE OK")));
    // Named on the command line: tested at once, and remembered.
    QVERIFY(QDir::setCurrent(Q(f.dir)));
    f.home->OpenArguments({QStringLiteral("--une-option"), QStringLiteral("a.edi")});
    QCOMPARE(f.Home<QLineEdit>("txtFichier")->text(), a);
    QTRY_COMPARE(f.ui.shown.size(), std::size_t{4});
    QCOMPARE(f.home->RecentFiles().first(), a);
}

void HomeWindowTest::recentFilesAndChoicesSurviveARestart() {
    UiFixture f;
    const QString ini = Q(f.dir) + QStringLiteral("/reglages.ini");
    QStringList many;
    for (int i = 0; i < 10; ++i)
        many << QStringLiteral("/ailleurs/%1.edi").arg(i);
    QSettings(ini, QSettings::IniFormat).setValue(QStringLiteral("FichiersRecents"), many);
    auto settings = std::make_unique<QSettings>(ini, QSettings::IniFormat);
    f.home->UseSettings(settings.get());
    f.home->Load();
    QCOMPARE(f.home->RecentFiles(), many.mid(0, 8));
    const QString a = Q(f.Write("a.edi", Sample()));
    const QString b = Q(f.Write("b.edi", Sample()));
    for (const QString& path : {a, b, a}) {
        f.Home<QLineEdit>("txtFichier")->setText(path);
        f.Home<QPushButton>("cmdTester")->click();
    }
    f.Menu("mnuOpErOnly")->trigger();
    f.Menu("mnuParamCampA")->trigger();
    f.home->Tests().resize(900, 650);
    f.home->close();

    // The next session.
    f.platform.reset();
    f.home = std::make_unique<frmAccueil>();
    f.platform = std::make_unique<trelvane::ui::QtPlatform>(*f.home, Q(f.dir));
    trelvane::SetPlatform(f.platform.get());
    settings = std::make_unique<QSettings>(ini, QSettings::IniFormat);
    f.home->UseSettings(settings.get());
    f.home->Load();
    QCOMPARE(f.home->RecentFiles().mid(0, 3), (QStringList{a, b, many[0]}));
    QVERIFY(f.Menu("mnuRecent1")->text().endsWith(QStringLiteral("a.edi")));
    f.Menu("mnuRecent2")->trigger();
    QCOMPARE(f.Home<QLineEdit>("txtFichier")->text(), b);
    QVERIFY(f.Menu("mnuOpErOnly")->isChecked());
    QVERIFY(f.Menu("mnuParamCampA")->isChecked() && !f.Menu("mnuParamCampN")->isChecked());
    QCOMPARE(f.home->Tests().size(), QSize(900, 650));
    f.Menu("mnuRecentsVider")->trigger();
    QTRY_VERIFY(QSettings(ini, QSettings::IniFormat)
                    .value(QStringLiteral("FichiersRecents"))
                    .toStringList()
                    .isEmpty());
    // The about window names the build.
    QVERIFY(
        f.Find<QLineEdit>(&f.home->About(), "txtBuild")->text().startsWith(QStringLiteral("1.0")));
}

QTEST_MAIN(HomeWindowTest)
#include "test_home_window.moc"

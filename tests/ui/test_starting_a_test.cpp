// The ways to start a test besides the button: a file dropped on the home
// window or on the results, a file named on the command line, F5 from the
// results, the recent files; and what is kept from one session to the next.
#include <QAction>
#include <QDate>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QUrl>
#include <QtTest>

#include "ScriptedUi.h"
#include "frmAPropos.h"
#include "frmTests.h"

using namespace trelvane::test;

namespace {

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

std::string Sample() {
    return SampleFor(QDate::currentDate().year());
}

}  // namespace

class StartingATestTest : public QObject {
    Q_OBJECT
  private slots:
    void droppedFileIsTestedFromTheResults();
    void commandLineFileIsTestedAtOnce();
    void recentFilesAndChoicesSurviveARestart();
};

void StartingATestTest::droppedFileIsTestedFromTheResults() {
    UiFixture f;
    const QString a = Q(f.Write("a.edi", Sample()));
    const QString b = Q(f.Write("b.edi", ReplaceOnce(Sample(), "UNB+", "UNB+UNOC:3'\r\nUNB+")));
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
}

void StartingATestTest::commandLineFileIsTestedAtOnce() {
    UiFixture f;
    const QString path = Q(f.Write("ligne.edi", Sample()));
    QVERIFY(QDir::setCurrent(Q(f.dir)));
    f.home->OpenArguments({QStringLiteral("--une-option"), QStringLiteral("ligne.edi")});
    QCOMPARE(f.Home<QLineEdit>("txtFichier")->text(), path);
    QTRY_COMPARE(f.ui.shown.size(), std::size_t{1});
    QCOMPARE(f.home->RecentFiles(), QStringList{path});
}

void StartingATestTest::recentFilesAndChoicesSurviveARestart() {
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

QTEST_MAIN(StartingATestTest)
#include "test_starting_a_test.moc"

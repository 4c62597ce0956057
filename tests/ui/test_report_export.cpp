// "Enregistrer le rapport...": the page and the dossier list the batch front
// end writes for the same file, byte for byte, and never over the file tested.
#include <QDate>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTextDocument>
#include <QtTest>

#include "ScriptedUi.h"
#include "frmTests.h"

using namespace trelvane::test;

class ReportExportTest : public QObject {
    Q_OBJECT
  private slots:
    void savesWhatTheBatchFrontEndWrites();
};

void ReportExportTest::savesWhatTheBatchFrontEndWrites() {
    UiFixture f;
    const std::string year = std::to_string(QDate::currentDate().year());
    const std::string text = ReplaceOnce(ManyDossiers(QDate::currentDate().year(), 2),
                                         "DTM+137:" + year + "1215", "DTM+137:" + year + "1399");
    const std::string tested = f.Write("export.edi", text);
    f.Home<QLineEdit>("txtFichier")->setText(Q(tested));
    f.Home<QPushButton>("cmdTester")->click();
    frmTests& w = f.home->Tests();
    QVERIFY(w.SaveReport(Q(f.dir) + QStringLiteral("/page.html")));
    QVERIFY(w.SaveReport(Q(f.dir) + QStringLiteral("/liste.CSV")));
    QCOMPARE(f.ui.writtenFolder, Q(f.dir));

    QProcess batch;
    batch.start(QStringLiteral(TRELVANE_CHECK_EXE),
                {QStringLiteral("-q"), QStringLiteral("-a"), Q(year), QStringLiteral("--html"),
                 Q(f.dir) + QStringLiteral("/batch.html"), QStringLiteral("--dossiers"),
                 Q(f.dir) + QStringLiteral("/batch.csv"), Q(tested)});
    QVERIFY(batch.waitForFinished(60000));
    QCOMPARE(batch.exitCode(), 1);
    const std::string page = ReadBytes(f.dir + "/page.html");
    QCOMPARE(page, ReadBytes(f.dir + "/batch.html"));
    QCOMPARE(ReadBytes(f.dir + "/liste.CSV"), ReadBytes(f.dir + "/batch.csv"));
    QTextDocument parsed;
    parsed.setHtml(QString::fromStdString(page));
    for (const char* part : {"Fichier testé", "1 ERREUR DE CONTENU TROUVEE !", "Date invalide",
                             "2000000000001", "Légende"})
        QVERIFY2(parsed.toPlainText().contains(QString::fromUtf8(part)), part);

    // Never over the file tested, which stays as it was.
    QVERIFY(!w.SaveReport(Q(tested)));
    QCOMPARE(f.ui.Titles().last(), QStringLiteral("Enregistrement impossible"));
    QCOMPARE(ReadBytes(tested), text);
    // A folder that does not exist: said, and nothing written.
    QVERIFY(!w.SaveReport(Q(f.dir) + QStringLiteral("/absent/page.html")));
    QVERIFY(f.ui.Texts().last().contains(QStringLiteral("absent/page.html")));
}

QTEST_MAIN(ReportExportTest)
#include "test_report_export.moc"

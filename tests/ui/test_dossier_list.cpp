// The dossier list of the results window: sorted by a click on a column,
// filtered by verdict, and a double-click shows the dossier in the file.
#include <QComboBox>
#include <QDate>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

#include "ScriptedUi.h"
#include "frmTests.h"

using namespace trelvane::test;

class DossierListTest : public QObject {
    Q_OBJECT
  private slots:
    void sortsFiltersAndShowsADossier();
};

void DossierListTest::sortsFiltersAndShowsADossier() {
    UiFixture f;
    const int year = QDate::currentDate().year();
    const std::string date = "DTM+137:" + std::to_string(year) + "1215";
    std::string text = ManyDossiers(year, 3);
    const auto second = text.find(date, text.find(date) + 1);
    text.replace(second, date.size(), "DTM+137:" + std::to_string(year) + "1399");
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("trois.edi", text)));
    f.Home<QPushButton>("cmdTester")->click();
    frmTests& w = f.home->Tests();
    auto* tabs = f.Find<QTabWidget>(&w, "tabFichier");
    QCOMPARE(tabs->tabText(1), QStringLiteral("&Dossiers (3)"));
    tabs->setCurrentIndex(1);
    auto* table = f.Find<QTableView>(&w, "tblDossiers");
    QAbstractItemModel* rows = table->model();
    auto cell = [rows](int row, int column) { return rows->index(row, column).data().toString(); };
    QCOMPARE(cell(1, 1), QStringLiteral("2000000000002"));
    QCOMPARE(cell(1, 5), QStringLiteral(u"Rejeté"));
    QCOMPARE(cell(0, 5), QStringLiteral(u"Accepté"));

    // A click on "Rejets", then another: one way, then the other.
    QHeaderView* header = table->horizontalHeader();
    QStringList ends;
    for (int click = 0; click < 2; ++click) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(3) + 5, 5));
        ends << cell(0, 3) + cell(2, 3);
    }
    QCOMPARE(header->sortIndicatorSection(), 3);
    QCOMPARE(QSet<QString>(ends.begin(), ends.end()), (QSet<QString>{"10", "01"}));

    auto* verdict = f.Find<QComboBox>(&w, "cmbVerdict");
    verdict->setCurrentText(QStringLiteral(u"Rejeté"));
    QCOMPARE(rows->rowCount(), 1);
    QCOMPARE(f.Find<QLabel>(&w, "lblDossiers")->text(), QStringLiteral("1 sur 3 dossiers"));
    verdict->setCurrentText(QStringLiteral(u"Accepté"));
    QCOMPARE(rows->rowCount(), 2);
    QCOMPARE(cell(0, 5), QStringLiteral(u"Accepté"));

    // The dossier of a row, shown in the file.
    const QPoint row = table->visualRect(rows->index(1, 2)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, row);
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(f.Find<QRadioButton>(&w, "opt3NIR")->isChecked());
    QCOMPARE(f.Find<QComboBox>(&w, "cmbNIR")->currentText(), cell(1, 1));
    const QStringList shown =
        f.Find<QTextEdit>(&w, "rtbColouredFile")->toPlainText().trimmed().split(QLatin1Char('\n'));
    QVERIFY(shown.first().contains(QStringLiteral("  UNH+")));
    QVERIFY(shown.last().contains(QStringLiteral("  UNT+14+")));
    QCOMPARE(shown.filter(QStringLiteral("NAD+DT+") + cell(1, 1)).size(), 1);
}

QTEST_MAIN(DossierListTest)
#include "test_dossier_list.moc"

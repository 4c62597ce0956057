// From an error to its segment and back, and the search bars, on a file of
// more than the 20 000 segments the coloured file displays: a reject in the
// first dossier, one in the last, and an unknown segment after the last
// dossier.
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include "LinesView.h"
#include "ScriptedUi.h"
#include "frmTests.h"
#include "frmVisualisation.h"

using namespace trelvane;
using namespace trelvane::test;

namespace {

constexpr int kDossiers = 1500;
const QString kLastNir = QStringLiteral("2000000001500");

struct BigRun {
    BigRun() {
        const std::string year = std::to_string(QDate::currentDate().year());
        std::string text = ManyDossiers(QDate::currentDate().year(), kDossiers);
        const std::string date = "DTM+137:" + year + "1215";
        for (auto at : {text.find(date), text.rfind(date)})
            text.replace(at, date.size(), "DTM+137:" + year + "1399");
        text.insert(text.rfind("UNZ+"), "XYZ+1'\r\n");
        f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("gros.edi", text)));
        f.Home<QPushButton>("cmdTester")->click();
        w.resize(1000, 720);
    }
    QTextEdit* Pane(const char* name) { return f.Find<QTextEdit>(&w, name); }
    // The coloured pane's selection, which is in view.
    QString Selected() {
        QTextEdit* pane = Pane("rtbColouredFile");
        if (!pane->viewport()->rect().contains(pane->cursorRect().center())) return {};
        return pane->textCursor().selectedText();
    }
    SearchBar* Search(const char* bar, QWidget* from, const QString& text) {
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w)) return nullptr;
        from->setFocus();
        QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
        auto* found = f.Find<SearchBar>(&w, bar);
        QTest::keyClicks(f.Find<QLineEdit>(found, "txtRecherche"), text);
        return found;
    }
    UiFixture f;
    frmTests& w = f.home->Tests();
};

QString Count(SearchBar* bar) {
    return bar->findChild<QLabel*>(QStringLiteral("lblOccurrences"))->text();
}

}  // namespace

class NavigationTest : public QObject {
    Q_OBJECT
  private slots:
    void recordShowsItsSegmentAndBack();
    void searchReachesBeyondTheDisplayedSegments();
};

void NavigationTest::recordShowsItsSegmentAndBack() {
    BigRun r;
    QTextEdit* content = r.Pane("rtbContent");
    const QString date = QStringLiteral("DTM+137:%1").arg(QDate::currentDate().year()) + "1399:102";
    // A click on the first record: the segment among the first 20 000.
    const QTextCursor first = content->document()->find(QStringLiteral("415 - "));
    content->setTextCursor(first);
    QTest::mouseClick(content->viewport(), Qt::LeftButton, {}, content->cursorRect(first).center());
    QCOMPARE(r.Selected(), QStringLiteral("5 ") + date);
    QVERIFY(r.f.Find<QRadioButton>(&r.w, "opt1Tout")->isChecked());
    // Enter on the last one: beyond them, the display turns to its dossier.
    const QTextCursor last = content->document()->find(QStringLiteral("415 - "), first);
    content->setTextCursor(last);
    QTest::keyClick(content, Qt::Key_Return);
    QVERIFY(r.f.Find<QRadioButton>(&r.w, "opt3NIR")->isChecked());
    QCOMPARE(r.f.Find<QComboBox>(&r.w, "cmbNIR")->currentText(), kLastNir);
    QCOMPARE(r.Selected(), QStringLiteral("20991 ") + date);
    // Back from the file's line to its record.
    QTest::keyClick(r.Pane("rtbColouredFile"), Qt::Key_Return);
    QCOMPARE(content->textCursor().selectionStart(), last.selectionStart());
    QCOMPARE(content->textCursor().selectedText(),
             QStringLiteral(u"415 - Date invalide : SSAAMMJJ"));
    // An error outside any dossier: the segments around it.
    QTextEdit* syntax = r.Pane("rtbSyntax");
    syntax->setTextCursor(syntax->document()->find(QStringLiteral("901 - ")));
    QTest::keyClick(syntax, Qt::Key_Return);
    QCOMPARE(r.Selected(), QStringLiteral("21003  XYZ+1"));
    QVERIFY(r.f.ui.boxes.empty());
    // A sound segment has no error to go back to.
    QTextEdit* coloured = r.Pane("rtbColouredFile");
    coloured->setTextCursor(coloured->document()->find(QStringLiteral("UNZ+")));
    QTest::keyClick(coloured, Qt::Key_Return);
    QCOMPARE(r.f.ui.Titles(), QStringList{QStringLiteral("Aucune erreur")});
}

void NavigationTest::searchReachesBeyondTheDisplayedSegments() {
    BigRun r;
    // The whole file, not only the segments displayed, case aside.
    SearchBar* bar = r.Search("fndColoured", r.Pane("rtbColouredFile"), QStringLiteral("dtm+137"));
    QCOMPARE(Count(bar), QStringLiteral("%1 occurrences").arg(kDossiers));
    QLineEdit* field = bar->findChild<QLineEdit*>(QStringLiteral("txtRecherche"));
    field->setText(kLastNir);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(Count(bar), QStringLiteral("1 sur 1"));
    QCOMPARE(r.Selected(), kLastNir);
    QVERIFY(r.f.Find<QRadioButton>(&r.w, "opt3NIR")->isChecked());
    field->setText(QStringLiteral("ZZZZ"));
    QCOMPARE(Count(bar), QStringLiteral("Aucune occurrence"));
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!bar->isVisible() && r.w.isVisible());

    // The content report: two records, walked backwards from the end.
    bar = r.Search("fndContent", r.Pane("rtbContent"), QStringLiteral("date INVALIDE"));
    QCOMPARE(Count(bar), QStringLiteral("2 occurrences"));
    QTest::mouseClick(bar->findChild<QToolButton*>(QStringLiteral("cmdPrecedent")), Qt::LeftButton);
    QCOMPARE(Count(bar), QStringLiteral("2 sur 2"));
    QCOMPARE(r.Pane("rtbContent")->textCursor().selectedText(), QStringLiteral("Date invalide"));

    // The viewer: the line that holds the match.
    r.w.hide();
    r.f.Home<QPushButton>("cmdVisualiser")->click();
    frmVisualisation& viewer = r.f.home->Viewer();
    QTest::keyClick(&viewer, Qt::Key_F, Qt::ControlModifier);
    bar = r.f.Find<SearchBar>(&viewer, "fndVisu");
    field = bar->findChild<QLineEdit*>(QStringLiteral("txtRecherche"));
    QTest::keyClicks(field, kLastNir);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(Count(bar), QStringLiteral("1 sur 1"));
    QVERIFY(viewer.View().SelectedText().contains(kLastNir));
}

QTEST_MAIN(NavigationTest)
#include "test_navigation.moc"

// What the results window holds back: a run stopped by its configuration
// opens no window, and a segment far longer than a screen line is cut in the
// panes while the error report written from them keeps it whole.
#include <QDate>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QtTest>

#include "QtRichTextSink.h"
#include "ScriptedUi.h"
#include "frmTests.h"
#include "run/modMainFunctions.h"

using namespace trelvane;
using namespace trelvane::test;

namespace {

// The sample, for last year's campaign, with extra segments before its first detail.
void RunTest(UiFixture& f, const std::string& extra = {}) {
    std::string text = SampleFor(QDate::currentDate().year() - 1);
    text.insert(text.find("SEQ++1'"), extra);
    f.Menu("mnuParamCampA")->trigger();
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("test.edi", text)));
    f.Home<QPushButton>("cmdTester")->click();
}

// Lines may share a paragraph, apart by line separators.
qsizetype LongestLine(QTextEdit* pane) {
    qsizetype longest = 0;
    for (const QString& line :
         pane->document()->toRawText().split(QRegularExpression(QStringLiteral(u"[\u2028\u2029]"))))
        longest = std::max(longest, line.size());
    return longest;
}

}  // namespace

class ResultsLimitsTest : public QObject {
    Q_OBJECT
  private slots:
    void unusableTableOpensNoResults();
    void longSegmentIsCutOnScreenOnly();
};

// The previous results are dropped too: nothing of them can be shown again.
void ResultsLimitsTest::unusableTableOpensNoResults() {
    UiFixture f;
    RunTest(f);
    QCOMPARE(f.ui.shown.size(), std::size_t{1});
    f.home->Tests().hide();
    WriteBytes(f.dir + "/tbl_data_format.txt", "");
    RunTest(f);
    QCOMPARE(f.ui.boxes.size(), std::size_t{1});
    QVERIFY(f.ui.boxes[0].text.startsWith(
        QStringLiteral(u"Le fichier de format des données est vide.")));
    QCOMPARE(f.ui.shown.size(), std::size_t{1});
    QVERIFY(!f.Home<QPushButton>("cmdResultat")->isEnabled());
    QCOMPARE(State().Withheld, WithheldReason::ConfigurationFault);
    QVERIFY(State().Segments.empty() && State().ContentErrors.empty());
}

void ResultsLimitsTest::longSegmentIsCutOnScreenOnly() {
    UiFixture f;
    const std::string segment = "FTX+AAA+++" + std::string(100000, 'X');
    RunTest(f, segment + "'\r\n");
    frmTests& w = f.home->Tests();
    auto* coloured = f.Find<QTextEdit>(&w, "rtbColouredFile");
    QVERIFY(coloured->toPlainText().contains(
        QStringLiteral(u"[...] (ligne coupée à l'affichage : 100010 caractères)")));
    QVERIFY(LongestLine(coloured) < 2100);
    for (const char* name : {"rtbSyntax", "rtbContent"}) {
        auto* pane = f.Find<QTextEdit>(&w, name);
        QVERIFY(
            pane->toPlainText().contains(QStringLiteral(u"[...] (ligne coupée à l'affichage)")));
        QVERIFY(LongestLine(pane) < ui::kShownLineCharacters + 50);
    }

    f.Find<QPushButton>(&w, "cmdConvertir")->click();
    const QString dir = Q(f.dir) + QStringLiteral("/CR_Erreurs");
    const QStringList written = QDir(dir).entryList(QDir::Files);
    QCOMPARE(written.size(), 1);
    const std::string report = ReadBytes(ui::ToCp(dir + QLatin1Char('/') + written[0]));
    const auto first = report.find(segment + "\r\n");
    QVERIFY(first != std::string::npos);
    QVERIFY(report.find(segment + "\r\n", first + 1) != std::string::npos);
    QVERIFY(report.find("coup") == std::string::npos);
}

QTEST_MAIN(ResultsLimitsTest)
#include "test_results_limits.moc"

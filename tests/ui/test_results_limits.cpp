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

using namespace trelvane;
using namespace trelvane::test;

namespace {

int CampaignYear() {
    return QDate::currentDate().year() - 1;
}

void RunTest(UiFixture& f, const std::string& content) {
    f.Menu("mnuParamCampA")->trigger();
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("test.edi", content)));
    f.Home<QPushButton>("cmdTester")->click();
}

int LongestBlock(QTextEdit* pane) {
    int longest = 0;
    for (QTextBlock b = pane->document()->begin(); b.isValid(); b = b.next())
        longest = std::max(longest, b.length());
    return longest;
}

}  // namespace

class ResultsLimitsTest : public QObject {
    Q_OBJECT
  private slots:
    void unusableTableOpensNoResults();
    void longSegmentIsCutOnScreenOnly();
};

void ResultsLimitsTest::unusableTableOpensNoResults() {
    UiFixture f;
    WriteBytes(f.dir + "/tbl_data_format.txt", "");
    RunTest(f, SampleFor(CampaignYear()));
    QCOMPARE(f.ui.boxes.size(), std::size_t{1});
    QVERIFY(f.ui.boxes[0].text.startsWith(
        QStringLiteral(u"Le fichier de format des données est vide.")));
    QVERIFY(f.ui.shown.empty());
    QVERIFY(!f.Home<QPushButton>("cmdResultat")->isEnabled());
}

void ResultsLimitsTest::longSegmentIsCutOnScreenOnly() {
    UiFixture f;
    std::string text = SampleFor(CampaignYear());
    const std::string segment = "FTX+AAA+++" + std::string(100000, 'X');
    text.insert(text.find("SEQ++1'"), segment + "'\r\n");
    RunTest(f, text);
    frmTests& w = f.home->Tests();
    auto* coloured = f.Find<QTextEdit>(&w, "rtbColouredFile");
    QVERIFY(coloured->toPlainText().contains(
        QStringLiteral(u"[...] (ligne coupée à l'affichage : 100010 caractères)")));
    QVERIFY(LongestBlock(coloured) < 2100);
    for (const char* name : {"rtbSyntax", "rtbContent"}) {
        auto* pane = f.Find<QTextEdit>(&w, name);
        QVERIFY(
            pane->toPlainText().contains(QStringLiteral(u"[...] (ligne coupée à l'affichage)")));
        QVERIFY(LongestBlock(pane) < int(ui::kShownParagraphCharacters) + 50);
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

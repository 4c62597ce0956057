// The viewer: one segment per line or the file's text as one line, the file
// read once, the question before a large file.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "ScriptedUi.h"
#include "frmVisualisation.h"

using namespace trelvane;
using namespace trelvane::test;

class ViewerTest : public QObject {
    Q_OBJECT
  private slots:
    void splitsOnUnreleasedTerminators();
    void readsTheFileOnceAndReshapesIt();
    void asksBeforeALargeFileAndRefusesAMissingOne();
};

void ViewerTest::splitsOnUnreleasedTerminators() {
    using V = frmVisualisation;
    // A doubled release character stands for itself: the terminator after it
    // ends the segment.
    const std::pair<std::string, std::string> cases[] = {
        {"UNA:+,? 'UNB+A'", "UNA:+,? '\r\nUNB+A'\r\n"},
        {"FTX+L'AN?'S+X??'MOA'", "FTX+L'\r\nAN?'S+X??'\r\nMOA'\r\n"},
        {"A???'B'", "A???'B'\r\n"},
        {"A????'B", "A????'\r\nB"},
        {"?", "?"},
        {"FTX+SEPZCHAP SEPECHAP'", "FTX+SEPZCHAP SEPECHAP'\r\n"}};
    for (const auto& [text, lines] : cases) {
        QCOMPARE(V::SplitSegments(text), lines);
        QCOMPARE(V::JoinSegments(lines), text);
    }
    QCOMPARE(V::JoinSegments("A'\r\n\r\nB'\r\n"), std::string("A'\r\nB'"));
}

void ViewerTest::readsTheFileOnceAndReshapesIt() {
    UiFixture f;
    auto* path = f.Home<QLineEdit>("txtFichier");
    path->setText(Q(f.Write("a.edi", "UNA:+,? '\r\nUNB+A?'B'\r\nUNZ+1'\r\n")));
    frmVisualisation& viewer = f.home->Viewer();
    f.Home<QPushButton>("cmdVisualiser")->click();
    QCOMPARE(f.ui.shown, std::vector<QDialog*>{&viewer});
    // The file's own line breaks are never shown.
    QCOMPARE(f.Find<QPlainTextEdit>(&viewer, "rtbVisuFichier")->toPlainText(),
             QStringLiteral("UNA:+,? 'UNB+A?'B'UNZ+1'"));
    f.Find<QPushButton>(&viewer, "cmdFermer")->click();
    QVERIFY(viewer.isHidden());
    // Another file chosen: the viewer keeps the first one.
    path->setText(Q(f.Write("b.edi", "UNB+AUTRE'")));
    f.Menu("mnuOpViSegdistincts")->trigger();
    f.Home<QPushButton>("cmdVisualiser")->click();
    f.Home<QPushButton>("cmdVisualiser")->click();  // not split twice
    QCOMPARE(viewer.Text(), std::string("UNA:+,? '\r\nUNB+A?'B'\r\nUNZ+1'\r\n"));
    f.Menu("mnuOpViSegdistincts")->trigger();
    f.Home<QPushButton>("cmdVisualiser")->click();
    QCOMPARE(viewer.Text(), std::string("UNA:+,? 'UNB+A?'B'UNZ+1'"));
    QVERIFY(f.ui.boxes.empty());
}

void ViewerTest::asksBeforeALargeFileAndRefusesAMissingOne() {
    UiFixture f;
    auto* path = f.Home<QLineEdit>("txtFichier");
    path->setText(Q(f.dir) + QStringLiteral("/absent.edi"));
    f.Home<QPushButton>("cmdVisualiser")->click();
    QCOMPARE(f.ui.boxes.at(0).text, QStringLiteral(u"Le fichier indiqué est introuvable."));
    QVERIFY(f.ui.shown.empty());
    path->setText(Q(f.Write("limite.edi", std::string(1500000, 'A'))));
    f.Home<QPushButton>("cmdVisualiser")->click();
    QCOMPARE(f.ui.boxes.size(), 1u);
    path->setText(Q(f.Write("gros.edi", std::string(1500001, 'B'))));
    f.ui.answers = {MsgAnswer::No, MsgAnswer::Yes};
    f.Home<QPushButton>("cmdVisualiser")->click();
    QCOMPARE(f.ui.boxes.size(), 2u);
    QCOMPARE(f.ui.boxes[1].buttons, MsgButtons::YesNo);
    QCOMPARE(f.ui.shown.size(), 1u);
    f.Home<QPushButton>("cmdVisualiser")->click();
    QCOMPARE(f.ui.shown.size(), 2u);
}

QTEST_MAIN(ViewerTest)
#include "test_viewer.moc"

// The viewer: one segment per line or the joined text, the file read once,
// the question before a large file.
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
    void joinUndoesSplit();
    void readsFileOnceAndReshapesIt();
    void asksBeforeLargeFile();
    void refusesMissingFile();
};

void ViewerTest::splitsOnUnreleasedTerminators() {
    using V = frmVisualisation;
    QCOMPARE(V::SplitSegments("UNA:+,? 'UNB+A'"), std::string("UNA:+,? '\r\nUNB+A'\r\n"));
    // A released terminator stays in its line; a doubled release character
    // stands for itself, so the terminator after it ends the segment.
    QCOMPARE(V::SplitSegments("FTX+L'AN?'S+X??'MOA'"),
             std::string("FTX+L'\r\nAN?'S+X??'\r\nMOA'\r\n"));
    QCOMPARE(V::SplitSegments("A???'B'"), std::string("A???'B'\r\n"));
    QCOMPARE(V::SplitSegments("A????'B"), std::string("A????'\r\nB"));
    QCOMPARE(V::SplitSegments("?"), std::string("?"));
    QCOMPARE(V::SplitSegments(""), std::string());
    // Words that look like placeholders are data like any other.
    QCOMPARE(V::SplitSegments("FTX+SEPZCHAP SEPECHAP'"), std::string("FTX+SEPZCHAP SEPECHAP'\r\n"));
}

void ViewerTest::joinUndoesSplit() {
    using V = frmVisualisation;
    const std::string text = "UNA:+,? 'UNB+X?'Y??'UNH+1'FTX+a\nb'";
    QCOMPARE(V::JoinSegments(V::SplitSegments(text)), text);
    QCOMPARE(V::JoinSegments("A'\r\n\r\nB'\r\n"), std::string("A'\r\nB'"));
    QCOMPARE(V::JoinSegments("A'\r"), std::string("A'\r"));
}

void ViewerTest::readsFileOnceAndReshapesIt() {
    UiFixture f;
    auto* path = f.Home<QLineEdit>("txtFichier");
    path->setText(Q(f.Write("a.edi", "UNA:+,? '\r\nUNB+A?'B'\r\nUNZ+1'\r\n")));
    frmVisualisation& viewer = f.home->Viewer();
    auto* box = f.Find<QPlainTextEdit>(&viewer, "rtbVisuFichier");
    QVERIFY(!viewer.blnViewerLoaded);

    f.Home<QPushButton>("cmdVisualiser")->click();
    QVERIFY(viewer.blnViewerLoaded);
    QCOMPARE(f.ui.shown.size(), 1u);
    QCOMPARE(f.ui.shown[0], static_cast<QDialog*>(&viewer));
    QCOMPARE(viewer.windowTitle(), QStringLiteral("Visualisation du fichier"));
    // The file's own line breaks are never shown.
    QCOMPARE(box->toPlainText(), QStringLiteral("UNA:+,? 'UNB+A?'B'UNZ+1'"));
    QVERIFY(f.Home<QLineEdit>("txtStatutAppli")->text().isEmpty());
    f.Find<QPushButton>(&viewer, "cmdFermer")->click();
    QVERIFY(viewer.isHidden());

    // Another file chosen: the viewer keeps the first one.
    path->setText(Q(f.Write("b.edi", "UNB+AUTRE'")));
    f.Menu("mnuOpViSegdistincts")->trigger();
    f.Home<QPushButton>("cmdVisualiser")->click();
    QCOMPARE(box->toPlainText(), QStringLiteral("UNA:+,? '\nUNB+A?'B'\nUNZ+1'\n"));
    QCOMPARE(viewer.Text(), std::string("UNA:+,? '\r\nUNB+A?'B'\r\nUNZ+1'\r\n"));

    f.Home<QPushButton>("cmdVisualiser")->click();  // still split, not split twice
    QCOMPARE(viewer.Text(), std::string("UNA:+,? '\r\nUNB+A?'B'\r\nUNZ+1'\r\n"));

    f.Menu("mnuOpViSegdistincts")->trigger();
    f.Home<QPushButton>("cmdVisualiser")->click();
    QCOMPARE(viewer.Text(), std::string("UNA:+,? 'UNB+A?'B'UNZ+1'"));
    QCOMPARE(f.ui.shown.size(), 4u);
    QVERIFY(f.ui.boxes.empty());
}

void ViewerTest::asksBeforeLargeFile() {
    UiFixture f;
    auto* path = f.Home<QLineEdit>("txtFichier");
    path->setText(Q(f.Write("limite.edi", std::string(1500000, 'A'))));
    f.Home<QPushButton>("cmdVisualiser")->click();
    QVERIFY(f.ui.boxes.empty());
    QCOMPARE(f.ui.shown.size(), 1u);

    path->setText(Q(f.Write("gros.edi", std::string(1500001, 'B'))));
    f.ui.answers.push_back(MsgAnswer::No);
    f.Home<QPushButton>("cmdVisualiser")->click();
    QCOMPARE(f.ui.boxes.size(), 1u);
    QCOMPARE(f.ui.boxes[0].title, QStringLiteral("Information"));
    QCOMPARE(f.ui.boxes[0].text,
             QStringLiteral(u"En raison de la taille du fichier, l'affichage peut prendre 1 à 2 "
                            u"minutes.\r\nSouhaitez-vous continuer ?"));
    QCOMPARE(f.ui.boxes[0].icon, MsgIcon::None);
    QCOMPARE(f.ui.boxes[0].buttons, MsgButtons::YesNo);
    QCOMPARE(f.ui.shown.size(), 1u);

    f.ui.answers.push_back(MsgAnswer::Yes);
    f.Home<QPushButton>("cmdVisualiser")->click();
    QCOMPARE(f.ui.shown.size(), 2u);
    // Loaded already: the first file's text, not the big one.
    QCOMPARE(f.home->Viewer().Text().size(), 1500000u);
}

void ViewerTest::refusesMissingFile() {
    UiFixture f;
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.dir) + QStringLiteral("/absent.edi"));
    f.Home<QPushButton>("cmdVisualiser")->click();
    QCOMPARE(f.ui.Titles(), QStringList{QStringLiteral("Erreur de saisie")});
    QCOMPARE(f.ui.Texts(), QStringList{QStringLiteral(u"Le fichier indiqué est introuvable.")});
    QVERIFY(f.ui.shown.empty());
    QVERIFY(!f.home->Viewer().blnViewerLoaded);
}

QTEST_MAIN(ViewerTest)
#include "test_viewer.moc"

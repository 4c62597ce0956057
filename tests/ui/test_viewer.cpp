// The panes that show text: the viewer (one segment per line or the file's
// own lines, the file read again whenever it is another one or was
// rewritten, the question before a large file, a line of megabytes shown to
// its end) and the report panes.
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

#include "LinesView.h"
#include "QtRichTextSink.h"
#include "ScriptedUi.h"
#include "frmVisualisation.h"

using namespace trelvane;
using namespace trelvane::test;

namespace {

QStringList Lines(const LinesView& view) {
    QStringList out;
    for (std::size_t i = 0; i < view.LineCount(); ++i)
        out << ui::FromCp(view.Line(i));
    return out;
}

}  // namespace

class ViewerTest : public QObject {
    Q_OBJECT
  private slots:
    void cutsLines();
    void followsTheFile();
    void asksBeforeLargeFileAndShowsItToItsEnd();
    void reportPaneRunsIndentsAndText();
    void reportPaneShownOnlyWhenFinished();
};

void ViewerTest::cutsLines() {
    const struct {
        const char* text;
        bool bySegment;
        QStringList lines;
    } cases[] = {
        {"UNA:+,? 'UNB+A'", true, {"UNA:+,? '", "UNB+A'", ""}},
        // A released terminator stays in its line; a doubled release
        // character stands for itself, so the terminator after it counts.
        {"FTX+L'AN?'S+X??'MOA'", true, {"FTX+L'", "AN?'S+X??'", "MOA'", ""}},
        {"A???'B'", true, {"A???'B'", ""}},
        {"A????'B", true, {"A????'", "B"}},
        {"?", true, {"?"}},
        {"", true, {""}},
        // Words that look like placeholders are data like any other.
        {"FTX+SEPZCHAP SEPECHAP'", true, {"FTX+SEPZCHAP SEPECHAP'", ""}},
        // A line feed left in the text ends a line in both views.
        {"A'B\nC'D", false, {"A'B", "C'D"}},
        {"A'B\nC'D", true, {"A'", "B", "C'", "D"}},
    };
    LinesView view;
    for (const auto& c : cases) {
        const std::string text = c.text;
        view.SetText(&text, c.bySegment);
        QCOMPARE(Lines(view), c.lines);
    }
}

void ViewerTest::followsTheFile() {
    UiFixture f;
    auto* path = f.Home<QLineEdit>("txtFichier");
    path->setText(Q(f.Write("a.edi", "UNA:+,? '\r\nUNB+A?'B'\r\nUNZ+1'\r\n")));
    frmVisualisation& viewer = f.home->Viewer();
    auto view = [&] {
        f.Home<QPushButton>("cmdVisualiser")->click();
        return Lines(viewer.View());
    };
    // The file's own line breaks are never shown.
    QCOMPARE(view(), QStringList{QStringLiteral("UNA:+,? 'UNB+A?'B'UNZ+1'")});
    QCOMPARE(f.ui.shown, std::vector<QDialog*>{&viewer});
    QVERIFY(f.Home<QLabel>("txtStatutAppli")->text().isEmpty());
    f.Find<QPushButton>(&viewer, "cmdFermer")->click();
    QVERIFY(viewer.isHidden());

    f.Menu("mnuOpViSegdistincts")->trigger();
    QCOMPARE(view(), (QStringList{"UNA:+,? '", "UNB+A?'B'", "UNZ+1'", ""}));
    QCOMPARE(view(), (QStringList{"UNA:+,? '", "UNB+A?'B'", "UNZ+1'", ""}));

    // Another file is read and named; the same file rewritten is read again.
    path->setText(Q(f.Write("déclaration.edi", "UNB+AUTRE'")));
    QCOMPARE(view(), (QStringList{"UNB+AUTRE'", ""}));
    QCOMPARE(viewer.windowTitle(), QStringLiteral(u"Visualisation du fichier - déclaration.edi"));
    f.Write("déclaration.edi", "UNB+NOUVEAU'");
    QCOMPARE(view(), (QStringList{"UNB+NOUVEAU'", ""}));
    QVERIFY(f.ui.boxes.empty());
}

void ViewerTest::asksBeforeLargeFileAndShowsItToItsEnd() {
    UiFixture f;
    auto* path = f.Home<QLineEdit>("txtFichier");
    path->setText(Q(f.Write("limite.edi", std::string(1500000, 'A'))));
    f.Home<QPushButton>("cmdVisualiser")->click();
    QVERIFY(f.ui.boxes.empty());
    QCOMPARE(f.ui.shown.size(), 1u);

    // Five megabytes in one line.
    std::string big(5 << 20, 'B');
    big.back() = 'Z';
    path->setText(Q(f.Write("gros.edi", big)));
    f.ui.answers = {MsgAnswer::No, MsgAnswer::Yes};
    f.Home<QPushButton>("cmdVisualiser")->click();
    QCOMPARE(f.ui.boxes.size(), 1u);
    QCOMPARE(f.ui.boxes[0].text,
             QStringLiteral(u"En raison de la taille du fichier, l'affichage peut prendre 1 à 2 "
                            u"minutes.\r\nSouhaitez-vous continuer ?"));
    QCOMPARE(f.ui.boxes[0].buttons, MsgButtons::YesNo);
    QCOMPARE(f.ui.shown.size(), 1u);

    f.Home<QPushButton>("cmdVisualiser")->click();
    QCOMPARE(f.ui.shown.size(), 2u);
    const LinesView& view = f.home->Viewer().View();
    QCOMPARE(view.LineCount(), 1u);
    // Scrolled to its end, the line shows its last character.
    QScrollBar* across = view.horizontalScrollBar();
    across->setValue(across->maximum());
    QCOMPARE(std::size_t(across->maximum() + across->pageStep()), big.size());
    const QImage shown = view.viewport()->grab().toImage();
    int ink = 0;
    for (int x = 0; x < shown.width(); ++x)
        for (int y = 0; y < shown.height(); ++y)
            ink += shown.pixelColor(x, y).lightness() < 128;
    QVERIFY(ink > 0);
}

// The report panes: runs keep their attributes, an indent belongs to its
// whole line, the text stays Windows-1252, and the document is built off
// screen and shown once finished.
void ViewerTest::reportPaneRunsIndentsAndText() {
    QTextEdit pane;
    ui::QtRichTextSink sink(&pane);
    sink.Clear();
    sink.SetColor({255, 0, 0});
    sink.SetBold(true);
    sink.SetIndent(1500);
    sink.InsertText("\r\nROUGE");
    sink.SetBold(false);
    sink.SetFontSize(8);
    sink.SetIndent(0);  // mid-line: the whole line, as in the boxes
    sink.InsertText("gris\r\n");
    sink.SetIndent(300);
    // Accents and a no-break space of the data survive.
    const std::string text(std::string_view("Segment n°5\r\nFTX+A\u00A0B\r\n"_cp));
    sink.InsertText(text);
    sink.SetIndent(0);
    sink.InsertText("code");
    sink.SetCaret(0);
    sink.Attach();
    QCOMPARE(sink.PlainText(), "\r\nROUGEgris\r\n" + text + "code");
    QCOMPARE(pane.toPlainText(), QStringLiteral(u"\nROUGEgris\nSegment n°5\nFTX+A B\ncode"));
    QTextCursor c(pane.document());
    c.setPosition(2);
    QCOMPARE(c.charFormat().foreground().color(), QColor(255, 0, 0));
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
    c.setPosition(8);
    QCOMPARE(c.charFormat().foreground().color(), QColor(255, 0, 0));  // kept
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Normal));
    QCOMPARE(c.charFormat().fontPointSize(), 8.0);
    QCOMPARE(pane.textCursor().position(), 0);
    // The indent of each line as laid out: lines share a paragraph only with
    // lines of the same indent.
    QList<double> indents;
    for (QTextBlock b = pane.document()->begin(); b.isValid(); b = b.next())
        for (qsizetype i = 0; i <= b.text().count(QChar::LineSeparator); ++i)
            indents << b.blockFormat().leftMargin();
    QCOMPARE(indents, (QList<double>{100.0, 0.0, 20.0, 20.0, 0.0}));
}

void ViewerTest::reportPaneShownOnlyWhenFinished() {
    QTextEdit pane;
    ui::QtRichTextSink sink(&pane);
    sink.Clear();
    sink.InsertText("ancien");
    sink.Attach();
    sink.Clear();
    sink.InsertText("nouveau");
    QCOMPARE(pane.toPlainText(), QStringLiteral("ancien"));
    QCOMPARE(sink.PlainText(), std::string("nouveau"));
    sink.Attach();
    QCOMPARE(pane.toPlainText(), QStringLiteral("nouveau"));
    QCOMPARE(sink.ClearCount(), 2);
    QTextDocument saved;
    saved.setPlainText(QStringLiteral("copie"));
    sink.Show(&saved);
    QCOMPARE(pane.toPlainText(), QStringLiteral("copie"));
    QCOMPARE(sink.PlainText(), std::string("copie"));
}

QTEST_MAIN(ViewerTest)
#include "test_viewer.moc"

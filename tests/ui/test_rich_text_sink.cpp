// The Qt report pane: runs and their attributes, Windows-1252 text, the
// document built off screen and shown once.
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include "QtRichTextSink.h"
#include "config/Cp1252.h"

using namespace trelvane;
using trelvane::ui::QtRichTextSink;

class RichTextSinkTest : public QObject {
    Q_OBJECT
  private slots:
    void runsKeepTheirAttributes();
    void indentBelongsToTheParagraph();
    void plainTextIsWindows1252WithCrLf();
    void documentIsShownOnlyWhenFinished();
    void twentyThousandLines();
};

void RichTextSinkTest::runsKeepTheirAttributes() {
    QTextEdit pane;
    QtRichTextSink sink(&pane);
    sink.Clear();
    sink.SetColor({255, 0, 0});
    sink.SetBold(true);
    sink.InsertText("ROUGE");
    sink.SetBold(false);
    sink.SetFontSize(8);
    sink.SetFontName("DejaVu Sans");
    sink.InsertText("gris");
    sink.SetCaret(0);
    sink.Attach();

    QTextCursor c(pane.document());
    c.setPosition(1);
    QCOMPARE(c.charFormat().foreground().color(), QColor(255, 0, 0));
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
    c.setPosition(7);
    QCOMPARE(c.charFormat().foreground().color(), QColor(255, 0, 0));  // kept
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Normal));
    QCOMPARE(c.charFormat().fontPointSize(), 8.0);
    QCOMPARE(c.charFormat().fontFamilies().toStringList(),
             QStringList{QStringLiteral("DejaVu Sans")});
    QCOMPARE(pane.textCursor().position(), 0);
}

// The indent of each line, as laid out: lines share a paragraph only with
// lines of the same indent.
QList<double> LineIndents(QTextDocument* doc) {
    QList<double> out;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const int lines = int(b.text().count(QChar::LineSeparator)) + 1;
        for (int i = 0; i < lines; ++i)
            out << b.blockFormat().leftMargin();
    }
    return out;
}

void RichTextSinkTest::indentBelongsToTheParagraph() {
    QTextEdit pane;
    QtRichTextSink sink(&pane);
    sink.Clear();
    sink.SetIndent(1500);
    sink.InsertText("\r\nTITRE");
    sink.SetIndent(0);  // mid-line: the whole line, as in the boxes
    sink.InsertText("ligne\r\n");
    sink.SetIndent(300);
    sink.InsertText("Segment\r\nDossier\r\n");
    sink.SetIndent(0);
    sink.InsertText("code");
    sink.Attach();
    QTextDocument* doc = pane.document();
    QCOMPARE(LineIndents(doc), (QList<double>{100.0, 0.0, 20.0, 20.0, 0.0}));
    QCOMPARE(doc->toPlainText(), QStringLiteral("\nTITREligne\nSegment\nDossier\ncode"));
}

void RichTextSinkTest::plainTextIsWindows1252WithCrLf() {
    QTextEdit pane;
    QtRichTextSink sink(&pane);
    sink.Clear();
    // Accents and a no-break space of the data survive.
    const std::string text =
        std::string("Segment n°5\r\nNIR du déclarant : 1\r\nFTX+A\u00A0B\r\n"_cp);
    sink.InsertText(text);
    QCOMPARE(sink.PlainText(), text);
    sink.Attach();
    QCOMPARE(pane.toPlainText(), QStringLiteral(u"Segment n°5\nNIR du déclarant : 1\nFTX+A B\n"));
    sink.Clear();
    QCOMPARE(sink.PlainText(), std::string());
    QCOMPARE(sink.ClearCount(), 2);
}

void RichTextSinkTest::documentIsShownOnlyWhenFinished() {
    QTextEdit pane;
    QtRichTextSink sink(&pane);
    sink.Clear();
    sink.InsertText("ancien");
    sink.Attach();
    sink.Clear();
    sink.InsertText("nouveau");
    QCOMPARE(pane.toPlainText(), QStringLiteral("ancien"));
    QCOMPARE(sink.PlainText(), std::string("nouveau"));
    sink.Attach();
    QCOMPARE(pane.toPlainText(), QStringLiteral("nouveau"));

    QTextDocument saved;
    saved.setPlainText(QStringLiteral("copie"));
    sink.Show(&saved);
    QCOMPARE(pane.toPlainText(), QStringLiteral("copie"));
    QCOMPARE(sink.PlainText(), std::string("copie"));
}

void RichTextSinkTest::twentyThousandLines() {
    QTextEdit pane;
    QtRichTextSink sink(&pane);
    sink.Clear();
    for (int i = 1; i <= 20000; ++i) {
        sink.SetColor({50, 50, 50});
        sink.SetBold(true);
        sink.InsertText(std::to_string(i) + " SEQ+");
        sink.SetColor({255, 140, 0});
        sink.InsertText("+1");
        sink.SetColor({50, 50, 50});
        sink.InsertText("\r\n");
    }
    sink.Attach();
    const QStringList lines = pane.toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 20001);
    QCOMPARE(lines[19999], QStringLiteral("20000 SEQ++1"));
    // Small paragraphs, laid out as they come into view.
    QVERIFY(pane.document()->blockCount() > 500);
}

QTEST_MAIN(RichTextSinkTest)
#include "test_rich_text_sink.moc"

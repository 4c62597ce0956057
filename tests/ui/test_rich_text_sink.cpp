// The Qt report pane: runs keep their attributes, an indent belongs to its
// whole line, the text stays Windows-1252, and the document is built off
// screen and shown once finished.
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
    void runsIndentsAndText();
    void documentIsShownOnlyWhenFinished();
};

void RichTextSinkTest::runsIndentsAndText() {
    QTextEdit pane;
    QtRichTextSink sink(&pane);
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
    QCOMPARE(sink.ClearCount(), 2);
    QTextDocument saved;
    saved.setPlainText(QStringLiteral("copie"));
    sink.Show(&saved);
    QCOMPARE(pane.toPlainText(), QStringLiteral("copie"));
    QCOMPARE(sink.PlainText(), std::string("copie"));
}

QTEST_MAIN(RichTextSinkTest)
#include "test_rich_text_sink.moc"

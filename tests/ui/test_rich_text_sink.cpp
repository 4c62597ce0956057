// The Qt report pane: the runs of a report reach the document with their
// colour, weight, size and paragraph indent, built off screen and shown once.
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
    void runsAndParagraphsKeepTheirAttributes();
    void documentIsShownWhenFinished();
};

void RichTextSinkTest::runsAndParagraphsKeepTheirAttributes() {
    QTextEdit pane;
    QtRichTextSink sink(&pane);
    sink.Clear();
    sink.SetIndent(1500);
    sink.SetColor({255, 0, 0});
    sink.SetBold(true);
    sink.InsertText("\r\nROUGE");
    sink.SetIndent(0);  // the indent belongs to the paragraph
    sink.SetBold(false);
    sink.SetFontSize(8);
    sink.InsertText("gris\r\n");
    sink.SetIndent(300);
    sink.InsertText(std::string("Segment n°5"_cp));
    sink.SetCaret(0);
    sink.Attach();
    QTextDocument* doc = pane.document();
    QCOMPARE(doc->blockCount(), 3);
    QCOMPARE(doc->findBlockByNumber(1).blockFormat().leftMargin(), 0.0);
    QCOMPARE(doc->findBlockByNumber(2).blockFormat().leftMargin(), 20.0);
    QCOMPARE(doc->findBlockByNumber(2).text(), QStringLiteral(u"Segment n°5"));
    QTextCursor c(doc->findBlockByNumber(1));
    c.setPosition(c.position() + 1);
    QCOMPARE(c.charFormat().foreground().color(), QColor(255, 0, 0));
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
    c.setPosition(c.position() + 6);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Normal));
    QCOMPARE(c.charFormat().fontPointSize(), 8.0);
    QCOMPARE(pane.textCursor().position(), 0);
    QCOMPARE(sink.PlainText(), std::string("\r\nROUGEgris\r\nSegment n°5"_cp));
}

void RichTextSinkTest::documentIsShownWhenFinished() {
    QTextEdit pane;
    QtRichTextSink sink(&pane);
    sink.Clear();
    sink.InsertText("ancien");
    sink.SetCaret(0);
    sink.Clear();
    sink.InsertText("nouveau");
    QCOMPARE(pane.toPlainText(), QStringLiteral("ancien"));
    sink.Attach();
    QCOMPARE(pane.toPlainText(), QStringLiteral("nouveau"));
    QTextDocument saved;
    saved.setPlainText(QStringLiteral("copie"));
    sink.ShowCopyOf(saved);
    QCOMPARE(pane.toPlainText(), QStringLiteral("copie"));
    QVERIFY(pane.document() != &saved);
    QCOMPARE(sink.ClearCount(), 2);
}

QTEST_MAIN(RichTextSinkTest)
#include "test_rich_text_sink.moc"

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

void RichTextSinkTest::indentBelongsToTheParagraph() {
    QTextEdit pane;
    QtRichTextSink sink(&pane);
    sink.Clear();
    sink.SetIndent(1500);
    sink.InsertText("\r\nTITRE");
    sink.SetIndent(0);
    sink.InsertText("ligne\r\n");
    sink.SetIndent(300);
    sink.InsertText("Segment\r\n");
    sink.Attach();
    QTextDocument* doc = pane.document();
    QCOMPARE(doc->blockCount(), 4);
    QCOMPARE(doc->findBlockByNumber(0).blockFormat().leftMargin(), 100.0);
    // Indent set mid-paragraph applies to the whole paragraph, as in the boxes.
    QCOMPARE(doc->findBlockByNumber(1).text(), QStringLiteral("TITRElignes").chopped(1));
    QCOMPARE(doc->findBlockByNumber(1).blockFormat().leftMargin(), 0.0);
    QCOMPARE(doc->findBlockByNumber(2).blockFormat().leftMargin(), 20.0);
    QCOMPARE(doc->findBlockByNumber(3).blockFormat().leftMargin(), 20.0);
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
    sink.SetCaret(0);
    sink.Clear();
    sink.InsertText("nouveau");
    QCOMPARE(pane.toPlainText(), QStringLiteral("ancien"));
    QCOMPARE(sink.PlainText(), std::string("nouveau"));
    sink.Attach();
    QCOMPARE(pane.toPlainText(), QStringLiteral("nouveau"));

    QTextDocument saved;
    saved.setPlainText(QStringLiteral("copie"));
    sink.ShowCopyOf(saved);
    QCOMPARE(pane.toPlainText(), QStringLiteral("copie"));
    QVERIFY(pane.document() != &saved);
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
    sink.SetCaret(0);
    QCOMPARE(pane.document()->blockCount(), 20001);
    QCOMPARE(pane.document()->findBlockByNumber(19999).text(), QStringLiteral("20000 SEQ++1"));
}

QTEST_MAIN(RichTextSinkTest)
#include "test_rich_text_sink.moc"

#include "DocumentPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>

namespace trelvane::ui {

namespace {

// Qt lays a document out in fixed-point units that overflow past some 33
// million device pixels: at printer resolution a report of a few thousand
// pages would print blank. It is laid out and printed a slice of paragraphs
// at a time instead, each slice starting on a new page; a slice holds at
// most this many characters, so at most as many lines.
constexpr int kSliceCharacters = 100000;
// The margins QTextDocument::print gives a page, at the screen resolution
// the document was written for.
constexpr double kMarginInches = 2 / 2.54;
constexpr double kSourceDpi = 96;

// The paragraphs from block on, as many as fit a slice (at least one).
QTextDocumentFragment NextSlice(QTextDocument& doc, QTextBlock& block) {
    QTextCursor cursor(&doc);
    cursor.setPosition(block.position());
    int characters = 0;
    QTextBlock last = block;
    for (; block.isValid() && (characters == 0 || characters + block.length() <= kSliceCharacters);
         block = block.next()) {
        characters += block.length();
        last = block;
    }
    cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    return cursor.selection();
}

}  // namespace

int PrintWholeDocument(QTextDocument& doc, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return -1;
    const QSizeF body(printer.width(), printer.height());
    int pages = 0;
    // Thousands of pages take a while: the windows are repainted meanwhile
    // (the print dialog goes away), though they take no input.
    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    for (QTextBlock block = doc.begin(); block.isValid();) {
        QTextDocument slice;
        slice.setUndoRedoEnabled(false);
        slice.setDefaultFont(doc.defaultFont());
        QTextCursor(&slice).insertFragment(NextSlice(doc, block));
        slice.documentLayout()->setPaintDevice(&printer);
        QTextFrameFormat frame = slice.rootFrame()->frameFormat();
        frame.setMargin(kMarginInches * kSourceDpi);
        slice.rootFrame()->setFrameFormat(frame);
        slice.setPageSize(body);
        for (int page = 0; page < slice.pageCount(); ++page) {
            if (pages++ > 0 && !printer.newPage()) return -1;
            painter.save();
            painter.translate(0, -page * body.height());
            const QRectF view(0, page * body.height(), body.width(), body.height());
            painter.setClipRect(view);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = view;
            // Black on white paper, whatever the screen's colours.
            context.palette.setColor(QPalette::Text, Qt::black);
            slice.documentLayout()->draw(&painter, context);
            painter.restore();
            if (sinceRepaint.elapsed() > 100) {
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                sinceRepaint.restart();
            }
        }
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) return -1;
    return pages;
}

}  // namespace trelvane::ui

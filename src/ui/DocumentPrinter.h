// Printing a report document whole, however long it is.
#pragma once

class QPrinter;
class QTextDocument;

namespace trelvane::ui {

// Prints every page of doc on printer; returns the number of pages printed,
// or -1 when the printer failed (nothing is then to be taken as printed).
int PrintWholeDocument(QTextDocument& doc, QPrinter& printer);

}  // namespace trelvane::ui

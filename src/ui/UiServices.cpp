#include "UiServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTranslator>
#include <QUrl>
#include <cstdio>

namespace trelvane::ui {

namespace {

QtUiServices g_qt;
UiServices* g_services = &g_qt;

QMessageBox::Icon ToQt(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

UiServices& Ui() {
    return *g_services;
}
void SetUiServices(UiServices* services) {
    g_services = services ? services : &g_qt;
}

MsgAnswer UnattendedUiServices::Message(QWidget*, const QString& title, const QString& text,
                                        MsgIcon, MsgButtons buttons) {
    if (printMessages_) std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
}

void UnattendedUiServices::ShowModal(QDialog& window) {
    window.show();
}

WaitCursor::WaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}
WaitCursor::~WaitCursor() {
    QApplication::restoreOverrideCursor();
}

MsgAnswer QtUiServices::Message(QWidget* parent, const QString& title, const QString& text,
                                MsgIcon icon, MsgButtons buttons) {
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(
        ToQt(icon), title, body,
        buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
        parent);
    const int answer = box.exec();
    if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    return answer == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

void QtUiServices::FileWritten(QWidget* parent, const QString& title, const QString& text,
                               const QString& folder) {
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Information, title, body, QMessageBox::Ok, parent);
    QPushButton* open =
        box.addButton(QStringLiteral("Ouvrir le &dossier"), QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (box.clickedButton() == open) QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

std::optional<QString> QtUiServices::OpenFileName(QWidget* parent, const QString& filter,
                                                  const QString& directory) {
    const QString path = QFileDialog::getOpenFileName(parent, QString(), directory, filter);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> QtUiServices::SaveFileName(QWidget* parent, const QString& title,
                                                  const QString& proposed, const QString& filters,
                                                  QString& filter) {
    const QString path = QFileDialog::getSaveFileName(parent, title, proposed, filters, &filter);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

bool QtUiServices::ChoosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    // The whole document is printed: no page range, no selection.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

void QtUiServices::ShowModal(QDialog& window) {
    window.setWindowModality(Qt::ApplicationModal);
    window.exec();
}

void QtUiServices::Quit() {
    QApplication::closeAllWindows();
    QApplication::quit();
}

bool LoadQtFrenchTranslation() {
    const QLocale french(QLocale::French, QLocale::France);
    QLocale::setDefault(french);
    auto* translator = new QTranslator(QCoreApplication::instance());
    // Where Qt keeps its translations, or beside the program when it is
    // delivered with its own copy of Qt.
    for (const QString& dir :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
          QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))}) {
        if (translator->load(french, QStringLiteral("qtbase"), QStringLiteral("_"), dir)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
    }
    delete translator;
    return false;
}

}  // namespace trelvane::ui

#include "QtPlatform.h"

#include <QApplication>
#include <QDateTime>
#include <cstdlib>

#include "QtText.h"
#include "UiServices.h"
#include "frmAccueil.h"

namespace trelvane::ui {

QtPlatform::QtPlatform(frmAccueil& home, QString programDirectory)
    : home_(home), programDirectory_(std::move(programDirectory)) {}

MsgAnswer QtPlatform::ShowMessage(std::string_view title, std::string_view text, MsgIcon icon,
                                  MsgButtons buttons) {
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent) parent = &home_;
    return Ui().Message(parent, FromCp(title), FromCp(text), icon, buttons);
}

void QtPlatform::ShowStatus(std::string_view text) {
    home_.SetStatus(FromCp(text));
}

bool QtPlatform::TraceMode() {
    return home_.TraceMode();
}
bool QtPlatform::ErrorsOnly() {
    return home_.ErrorsOnly();
}
bool QtPlatform::ShowWarnings() {
    return home_.ShowWarnings();
}
std::string QtPlatform::YearCamp() {
    return ToCp(home_.YearCamp());
}
std::string QtPlatform::FilePath() {
    return CorePath(home_.FilePath());
}
std::string QtPlatform::ProcedureText() {
    return ToCp(home_.ProcedureText());
}
int QtPlatform::ProfileIndex() {
    return home_.ProfileIndex();
}
std::string QtPlatform::ProfileText() {
    return ToCp(home_.ProfileText());
}

LocalDateTime QtPlatform::Now() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

std::string QtPlatform::ProgramDirectory() {
    if (!programDirectory_.isEmpty()) return CorePath(programDirectory_);
    return CorePath(QCoreApplication::applicationDirPath());
}

void QtPlatform::EndApplication() {
    std::exit(EXIT_FAILURE);
}

}  // namespace trelvane::ui

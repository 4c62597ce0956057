#include "QtPlatform.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdlib>

#include "QtText.h"
#include "UiServices.h"
#include "frmAccueil.h"

namespace trelvane::ui {

QtPlatform::QtPlatform(frmAccueil& home, QString programDirectory)
    : home_(home), programDirectory_(std::move(programDirectory)) {}

QWidget* QtPlatform::BoxParent() const {
    QWidget* parent = QApplication::activeModalWidget();
    return parent ? parent : &home_;
}

MsgAnswer QtPlatform::ShowMessage(std::string_view title, std::string_view text, MsgIcon icon,
                                  MsgButtons buttons) {
    return Ui().Message(BoxParent(), FromCp(title), FromCp(text), icon, buttons);
}

void QtPlatform::ShowFileWritten(std::string_view title, std::string_view text,
                                 const std::string& path) {
    Ui().FileWritten(BoxParent(), FromCp(title), FromCp(text),
                     QFileInfo(FromCorePath(path)).absolutePath());
}

bool QtPlatform::StopRequested() {
    return home_.StopRequested();
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
    if (programDirectory_.isEmpty()) programDirectory_ = QCoreApplication::applicationDirPath();
    return CorePath(programDirectory_);
}

std::string QtPlatform::OutputDirectory() {
    if (outputDirectory_.isEmpty()) {
        // Installed under a directory only the administrator may write, the
        // program keeps the user's files in the user's own folder.
        outputDirectory_ = FromCorePath(ProgramDirectory());
        if (!QFileInfo(outputDirectory_).isWritable()) {
            const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
            if (!own.isEmpty() && QDir().mkpath(own)) outputDirectory_ = own;
        }
    }
    return CorePath(outputDirectory_);
}

void QtPlatform::EndApplication() {
    std::exit(EXIT_FAILURE);
}

}  // namespace trelvane::ui

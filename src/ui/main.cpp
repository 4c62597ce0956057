#include <QApplication>
#include <QSettings>

#include "QtPlatform.h"
#include "UiServices.h"
#include "frmAccueil.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Trelvane"));
    QApplication::setApplicationName(QStringLiteral("Trelvane"));
    QApplication::setDesktopFileName(QStringLiteral("trelvane"));
    trelvane::ui::LoadQtFrenchTranslation();
    // The user's recent files, options and window places.
    QSettings settings;
    frmAccueil window;
    trelvane::ui::QtPlatform platform(window);
    trelvane::SetPlatform(&platform);
    window.UseSettings(&settings);
    window.Load();
    window.show();
    // Qt has taken its own options out of the arguments.
    window.OpenArguments(QApplication::arguments().mid(1));
    const int code = QApplication::exec();
    trelvane::SetPlatform(nullptr);
    return code;
}

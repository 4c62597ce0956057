#include <QApplication>

#include "QtPlatform.h"
#include "UiServices.h"
#include "frmAccueil.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trelvane"));
    QApplication::setDesktopFileName(QStringLiteral("trelvane"));
    trelvane::ui::LoadQtFrenchTranslation();
    frmAccueil window;
    trelvane::ui::QtPlatform platform(window);
    trelvane::SetPlatform(&platform);
    window.Load();
    window.show();
    const int code = QApplication::exec();
    trelvane::SetPlatform(nullptr);
    return code;
}

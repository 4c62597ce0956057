// Renders the home window, the results window after a test and the viewer
// into PNG files: trelvane-screenshots SAMPLE OUTPUT_DIRECTORY.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <cstdio>

#include "QtPlatform.h"
#include "UiServices.h"
#include "frmAccueil.h"
#include "frmTests.h"
#include "frmVisualisation.h"

namespace {

bool Save(QWidget& window, const QString& path) {
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    trelvane::ui::LoadQtFrenchTranslation();
    if (argc != 3) {
        std::fprintf(stderr, "usage: trelvane-screenshots SAMPLE OUTPUT_DIRECTORY\n");
        return 2;
    }
    const QString sample = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));

    // Windows are shown without waiting; every question is answered Yes.
    trelvane::ui::UnattendedUiServices services(true);
    trelvane::ui::SetUiServices(&services);
    frmAccueil home;
    trelvane::ui::QtPlatform platform(home);
    trelvane::SetPlatform(&platform);
    home.Load();
    home.findChild<QLineEdit*>(QStringLiteral("txtFichier"))->setText(sample);
    home.show();
    bool ok = Save(home, out.filePath(QStringLiteral("accueil.png")));

    home.findChild<QPushButton*>(QStringLiteral("cmdTester"))->click();
    ok = Save(home.Tests(), out.filePath(QStringLiteral("resultats.png"))) && ok;
    home.Tests().hide();

    home.findChild<QAction*>(QStringLiteral("mnuOpViSegdistincts"))->trigger();
    home.findChild<QPushButton*>(QStringLiteral("cmdVisualiser"))->click();
    ok = Save(home.Viewer(), out.filePath(QStringLiteral("visualisation.png"))) && ok;
    home.Viewer().hide();

    trelvane::SetPlatform(nullptr);
    trelvane::ui::SetUiServices(nullptr);
    return ok ? 0 : 1;
}

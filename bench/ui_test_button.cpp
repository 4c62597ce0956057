// Time from a click on Test to the results window shown, on the real windows
// (offscreen is fine): bench_test_button FILE [YEAR].
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <cstdio>

#include "QtPlatform.h"
#include "UiServices.h"
#include "frmAccueil.h"
#include "frmTests.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_test_button FILE\n");
        return 2;
    }
    // The results window is shown without a modal loop so the clock can stop.
    trelvane::ui::UnattendedUiServices services(false);
    trelvane::ui::SetUiServices(&services);
    frmAccueil home;
    trelvane::ui::QtPlatform platform(home);
    trelvane::SetPlatform(&platform);
    home.Load();
    home.findChild<QLineEdit*>(QStringLiteral("txtFichier"))
        ->setText(QString::fromLocal8Bit(argv[1]));
    home.show();
    QApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    home.findChild<QPushButton*>(QStringLiteral("cmdTester"))->click();
    QApplication::processEvents();
    home.Tests().repaint();
    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    std::printf("Test button to results window shown: %.2f s\n", seconds);

    trelvane::SetPlatform(nullptr);
    trelvane::ui::SetUiServices(nullptr);
    return 0;
}

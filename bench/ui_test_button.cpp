// Time from a click on Test to the results window shown, on the real windows
// (offscreen is fine): bench_test_button FILE, or bench_test_button
// --segment-mb N for the sample with one segment of N MB (target: 4 MB in
// under 2 s).
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "QtPlatform.h"
#include "UiServices.h"
#include "frmAccueil.h"
#include "frmTests.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_test_button FILE | --segment-mb N\n");
        return 2;
    }
    std::string file = argv[1];
    if (file == "--segment-mb" && argc > 2) {
        // The sample interchange with one FTX segment of N MB before its first detail.
        std::ifstream in(TRELVANE_SAMPLE, std::ios::binary);
        std::ostringstream sample;
        sample << in.rdbuf();
        std::string text = sample.str();
        const std::size_t mb = std::strtoul(argv[2], nullptr, 10);
        text.insert(text.find("SEQ++1'"), "FTX+AAA+++" + std::string(mb << 20, 'X') + "'\r\n");
        file = "/tmp/bench_test_button_segment.edi";
        std::ofstream(file, std::ios::binary) << text;
        std::printf("one segment of %zu MB\n", mb);
    }
    // The results window is shown without a modal loop so the clock can stop.
    trelvane::ui::UnattendedUiServices services(false);
    trelvane::ui::SetUiServices(&services);
    frmAccueil home;
    trelvane::ui::QtPlatform platform(home);
    trelvane::SetPlatform(&platform);
    home.Load();
    home.findChild<QLineEdit*>(QStringLiteral("txtFichier"))
        ->setText(QString::fromLocal8Bit(file.c_str()));
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
    if (file != argv[1]) std::remove(file.c_str());
    return 0;
}

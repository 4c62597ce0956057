// The desktop program timed on its real windows (offscreen is fine):
//   bench_test_button FILE              the Test button to the results window shown
//   bench_test_button --viewer FILE     "Visualiser", one segment per line, to the viewer shown
//   bench_test_button --segment-mb N    Test on the sample with one segment of N MB
//                                       (target: 4 MB in under 2 s)
// Prints the seconds and the peak resident memory of the process.
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "QtPlatform.h"
#include "UiServices.h"
#include "frmAccueil.h"
#include "frmTests.h"
#include "frmVisualisation.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool viewer = argc == 3 && std::strcmp(argv[1], "--viewer") == 0;
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_test_button [--viewer] FILE | --segment-mb N\n");
        return 2;
    }
    std::string file = argv[argc - 1];
    if (std::strcmp(argv[1], "--segment-mb") == 0 && argc > 2) {
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
    // Windows are shown without a modal loop so the clock can stop; every
    // question is answered Yes.
    trelvane::ui::UnattendedUiServices services(false);
    trelvane::ui::SetUiServices(&services);
    frmAccueil home;
    trelvane::ui::QtPlatform platform(home);
    trelvane::SetPlatform(&platform);
    home.Load();
    home.findChild<QLineEdit*>(QStringLiteral("txtFichier"))
        ->setText(QString::fromLocal8Bit(file.c_str()));
    if (viewer) home.findChild<QAction*>(QStringLiteral("mnuOpViSegdistincts"))->trigger();
    home.show();
    QApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    home.findChild<QPushButton*>(viewer ? QStringLiteral("cmdVisualiser")
                                        : QStringLiteral("cmdTester"))
        ->click();
    QApplication::processEvents();
    QDialog& shown = viewer ? static_cast<QDialog&>(home.Viewer()) : home.Tests();
    shown.repaint();
    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%s: %.2f s, peak memory %.0f MB\n",
                viewer ? "viewer, one segment per line, shown" : "Test button to results shown",
                seconds, static_cast<double>(usage.ru_maxrss) / 1024.0);

    trelvane::SetPlatform(nullptr);
    trelvane::ui::SetUiServices(nullptr);
    if (file != argv[argc - 1]) std::remove(file.c_str());
    return 0;
}

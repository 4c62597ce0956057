// The desktop program timed on its real windows (offscreen is fine):
//   bench_test_button FILE              the Test button to the results window shown
//   bench_test_button --viewer FILE     "Visualiser", one segment per line, to the viewer shown
//   bench_test_button --segment-mb N    Test on the sample with one segment of N MB
//                                       (target: 4 MB in under 2 s)
//   bench_test_button --navigate FILE   after the test, each step from an error to its
//                                       cause and back, and the searches (target: each
//                                       under a second on a 50 MB file)
// Prints the seconds and the peak resident memory of the process.
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextEdit>
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
#include "run/modMainFunctions.h"

namespace {

void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
}

// Each step of the way from an error to its cause and back, timed on the
// results window of the test just run.
void Navigate(frmTests& results) {
    auto step = [](const char* what, auto&& action) {
        QElapsedTimer clock;
        clock.start();
        const QString outcome = action();
        std::printf("%-58s %6.3f s  %s\n", what, static_cast<double>(clock.elapsed()) / 1000.0,
                    qPrintable(outcome));
    };
    auto* content = results.findChild<QTextEdit*>(QStringLiteral("rtbContent"));
    auto* coloured = results.findChild<QTextEdit*>(QStringLiteral("rtbColouredFile"));
    auto selected = [](QTextEdit* pane) { return pane->textCursor().selectedText().left(40); };
    // The report's last record about one of the first 20 000 segments.
    std::int64_t shown = 19999;
    while (shown > 0 && trelvane::ui::PositionOfSegment(content->document(), shown) < 0)
        --shown;
    auto enterOn = [&](std::int64_t segment) {
        QTextCursor at(content->document());
        at.setPosition(trelvane::ui::PositionOfSegment(content->document(), segment));
        content->setTextCursor(at);
        Press(content, Qt::Key_Return);
        return selected(coloured);
    };
    step("Enter on an error about one of the first 20 000 segments",
         [&] { return enterOn(shown); });
    step("Enter on the line of the file, back to the record", [&] {
        Press(coloured, Qt::Key_Return);
        return selected(content);
    });
    // Qt lays a report out as far as the caret goes: the first time down
    // a report of hundreds of thousands of lines takes long, jumps or not.
    step("caret to the end of the content report (Ctrl+End)", [&] {
        QTextCursor end(content->document());
        end.movePosition(QTextCursor::End);
        content->setTextCursor(end);
        return QString::number(content->document()->blockCount()) + QStringLiteral(" blocks");
    });
    step("Enter on the last record (a dossier far on)", [&] {
        Press(content, Qt::Key_Return);
        return selected(coloured);
    });
    step("Enter on its line of the file, back to the record ", [&] {
        Press(coloured, Qt::Key_Return);
        return selected(content);
    });
    const std::string nir = trelvane::State().DossierInfo.back()[3];
    auto* bar = results.findChild<SearchBar*>(QStringLiteral("fndColoured"));
    auto* field = bar->findChild<QLineEdit*>(QStringLiteral("txtRecherche"));
    auto* count = bar->findChild<QLabel*>(QStringLiteral("lblOccurrences"));
    step("search the file for the last NIR, matches counted", [&] {
        coloured->setFocus();
        Press(&results, Qt::Key_F, Qt::ControlModifier);
        field->setText(QString::fromLatin1(nir.c_str()));
        return count->text();
    });
    step("Enter: the match shown in its dossier", [&] {
        Press(field, Qt::Key_Return);
        return selected(coloured);
    });
    step("search the file for a tag, matches counted", [&] {
        field->setText(QStringLiteral("moa+"));
        return count->text();
    });
    step("Enter twice: the next matches", [&] {
        Press(field, Qt::Key_Return);
        Press(field, Qt::Key_Return);
        return count->text();
    });
    auto* table = results.findChild<QTableView*>(QStringLiteral("tblDossiers"));
    step("dossier list sorted by rejects, most first", [&] {
        table->sortByColumn(3, Qt::DescendingOrder);
        return table->model()->index(0, 3).data().toString() + QStringLiteral(" rejets");
    });
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool viewer = argc == 3 && std::strcmp(argv[1], "--viewer") == 0;
    const bool navigate = argc == 3 && std::strcmp(argv[1], "--navigate") == 0;
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: bench_test_button [--viewer | --navigate] FILE | --segment-mb N\n");
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

    if (navigate) Navigate(home.Tests());

    trelvane::SetPlatform(nullptr);
    trelvane::ui::SetUiServices(nullptr);
    if (file != argv[argc - 1]) std::remove(file.c_str());
    return 0;
}

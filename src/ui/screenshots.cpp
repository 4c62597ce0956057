// Renders the home window, the results window after a test and the viewer
// into PNG files, then, after a test of a file of many dossiers, the dossier
// list and an error clicked in the content report:
//   trelvane-screenshots SAMPLE DOSSIERS_SAMPLE OUTPUT_DIRECTORY
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
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
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: trelvane-screenshots SAMPLE DOSSIERS_SAMPLE OUTPUT_DIRECTORY\n");
        return 2;
    }
    const QString sample = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[3]));

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

    // Many dossiers: the list, worst first, then an error of the content
    // report shown in the file.
    home.findChild<QLineEdit*>(QStringLiteral("txtFichier"))
        ->setText(QString::fromLocal8Bit(argv[2]));
    home.findChild<QPushButton*>(QStringLiteral("cmdTester"))->click();
    frmTests& results = home.Tests();
    auto* tabs = results.findChild<QTabWidget*>(QStringLiteral("tabFichier"));
    tabs->setCurrentIndex(1);
    results.findChild<QTableView*>(QStringLiteral("tblDossiers"))
        ->sortByColumn(3, Qt::DescendingOrder);
    ok = Save(results, out.filePath(QStringLiteral("dossiers.png"))) && ok;
    tabs->setCurrentIndex(0);
    auto* content = results.findChild<QTextEdit*>(QStringLiteral("rtbContent"));
    content->setFocus();
    QTextCursor record = content->document()->find(QStringLiteral(u"Dossier n° 3"));
    record.clearSelection();
    content->setTextCursor(record);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(content, &enter);
    ok = Save(results, out.filePath(QStringLiteral("erreur-cliquee.png"))) && ok;
    results.hide();

    trelvane::SetPlatform(nullptr);
    trelvane::ui::SetUiServices(nullptr);
    return ok ? 0 : 1;
}

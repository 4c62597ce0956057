#include <QApplication>

#include "frmAccueil.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    frmAccueil window;
    window.show();
    return app.exec();
}

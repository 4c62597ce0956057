#include "frmAccueil.h"

frmAccueil::frmAccueil(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmAccueil"));
    setWindowTitle(QStringLiteral("Trelvane 2017"));
}

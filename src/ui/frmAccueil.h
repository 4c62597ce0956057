// The home window: the file to test, the profile, the options and the
// campaign year; the Test button runs the checks.
#pragma once

#include <QMainWindow>

class frmAccueil : public QMainWindow {
    Q_OBJECT
public:
    explicit frmAccueil(QWidget* parent = nullptr);
};

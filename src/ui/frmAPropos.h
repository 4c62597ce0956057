// The about window: what the tool is, who maintains it, and its version
// (which the report document quotes).
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class frmAPropos : public QDialog {
    Q_OBJECT
  public:
    explicit frmAPropos(QWidget* parent = nullptr);
    QString VersionText() const;

  public slots:
    void cmdQuitter_Click();

  private:
    QPlainTextEdit* txtInformation_;
    QLabel* lblVersion_;
    QLineEdit* txtVersion_;
    QLabel* lblBuild_;
    QLineEdit* txtBuild_;
    QLabel* picLogo_;
    QPushButton* cmdQuitter_;
};

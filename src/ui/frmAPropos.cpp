#include "frmAPropos.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "BuildVersion.h"
#include "Logo.h"
#include "QtText.h"
#include "reports/ReportDocument.h"

frmAPropos::frmAPropos(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAPropos"));
    setWindowTitle(QStringLiteral("A propos"));

    picLogo_ = new QLabel(this);
    picLogo_->setObjectName(QStringLiteral("picLogo"));
    picLogo_->setPixmap(trelvane::ui::DrawLogo(96));
    picLogo_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    txtInformation_ = new QPlainTextEdit(this);
    txtInformation_->setObjectName(QStringLiteral("txtInformation"));
    txtInformation_->setReadOnly(true);
    txtInformation_->setPlainText(QStringLiteral(
        u"Trelvane est conçu et maintenu par TOLVEX, centre serveur EDI (CSE) de la "
        u"procédure KTV.\n\n"
        u"Il contrôle l'intégrité d'un fichier établi selon la norme EDI de la procédure : "
        u"il le confronte aux règles de la procédure KTV et aux règles complémentaires "
        u"édictées par la société ZEPHA.\n\n"
        u"Les tests portent sur la syntaxe EDI, sur la nature des données et sur les règles "
        u"fonctionnelles.\n\n"
        u"En recevant cet outil, les mandataires des déclarants s'engagent à ne transmettre "
        u"au CSE que des fichiers exempts d'erreurs."));

    lblVersion_ = new QLabel(QStringLiteral(u"Dernière version : "), this);
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    txtVersion_ = new QLineEdit(trelvane::ui::FromCp(trelvane::kVersionText), this);
    txtVersion_->setObjectName(QStringLiteral("txtVersion"));
    txtVersion_->setReadOnly(true);

    lblBuild_ = new QLabel(QStringLiteral("Version du programme : "), this);
    lblBuild_->setObjectName(QStringLiteral("lblBuild"));
    txtBuild_ = new QLineEdit(QStringLiteral(TRELVANE_BUILD_VERSION), this);
    txtBuild_->setObjectName(QStringLiteral("txtBuild"));
    txtBuild_->setReadOnly(true);

    cmdQuitter_ = new QPushButton(QStringLiteral("&Fermer"), this);
    cmdQuitter_->setObjectName(QStringLiteral("cmdQuitter"));
    connect(cmdQuitter_, &QPushButton::clicked, this, &frmAPropos::cmdQuitter_Click);

    auto* grid = new QGridLayout(this);
    grid->addWidget(picLogo_, 0, 0, 4, 1);
    grid->addWidget(txtInformation_, 0, 1, 1, 2);
    grid->addWidget(lblVersion_, 1, 1);
    grid->addWidget(txtVersion_, 1, 2);
    grid->addWidget(lblBuild_, 2, 1);
    grid->addWidget(txtBuild_, 2, 2);
    grid->addWidget(cmdQuitter_, 3, 2, Qt::AlignRight);
    resize(560, 340);
}

QString frmAPropos::VersionText() const {
    return txtVersion_->text();
}

void frmAPropos::cmdQuitter_Click() {
    hide();
}

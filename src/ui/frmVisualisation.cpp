#include "frmVisualisation.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "LinesView.h"

frmVisualisation::frmVisualisation(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmVisualisation"));
    setWindowTitle(QStringLiteral("Visualisation du fichier"));

    rtbVisuFichier_ = new LinesView(this);
    rtbVisuFichier_->setObjectName(QStringLiteral("rtbVisuFichier"));
    rtbVisuFichier_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    cmdFermer_ = new QPushButton(QStringLiteral("&Fermer"), this);
    cmdFermer_->setObjectName(QStringLiteral("cmdFermer"));
    connect(cmdFermer_, &QPushButton::clicked, this, &frmVisualisation::cmdFermer_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdFermer_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rtbVisuFichier_);
    layout->addLayout(buttons);
    resize(820, 560);
}

bool frmVisualisation::IsStale(const std::string& path, const trelvane::FileFacts& facts) const {
    return path != path_ || !(facts == facts_);
}

void frmVisualisation::Load(const QString& path, const std::string& corePath,
                            const trelvane::FileFacts& facts) {
    rtbVisuFichier_->SetText(nullptr, false);
    text_ = std::string();
    text_ = trelvane::ImportFileContent(corePath);
    // A file that could not be read is tried again next time.
    path_ = !text_.empty() || facts.size == 0 ? corePath : std::string();
    facts_ = facts;
    setWindowTitle(QStringLiteral("Visualisation du fichier - ") + QFileInfo(path).fileName());
}

void frmVisualisation::SetBySegment(bool bySegment) {
    rtbVisuFichier_->SetText(&text_, bySegment);
}

void frmVisualisation::cmdFermer_Click() {
    hide();
}

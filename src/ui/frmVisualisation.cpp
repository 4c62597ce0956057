#include "frmVisualisation.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "QtText.h"

frmVisualisation::frmVisualisation(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmVisualisation"));
    setWindowTitle(QStringLiteral("Visualisation du fichier"));

    rtbVisuFichier_ = new QPlainTextEdit(this);
    rtbVisuFichier_->setObjectName(QStringLiteral("rtbVisuFichier"));
    rtbVisuFichier_->setReadOnly(true);
    rtbVisuFichier_->setLineWrapMode(QPlainTextEdit::NoWrap);
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

void frmVisualisation::SetText(std::string cp1252) {
    text_ = std::move(cp1252);
    rtbVisuFichier_->setPlainText(trelvane::ui::FromCpLines(text_));
}

// One pass, left to right: "??" and "?'" are taken as pairs (so "???'" is a
// doubled release character then a released terminator), and every other
// "'" gets a line break. No marker text is substituted, so data that happens
// to contain a marker word is shown as it is.
std::string frmVisualisation::SplitSegments(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '?' && i + 1 < text.size() && (text[i + 1] == '?' || text[i + 1] == '\'')) {
            out += c;
            out += text[++i];
        } else if (c == '\'') {
            out += "'\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string frmVisualisation::JoinSegments(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '\'' && text.substr(i + 1, 2) == "\r\n") i += 2;
    }
    return out;
}

void frmVisualisation::cmdFermer_Click() {
    hide();
}

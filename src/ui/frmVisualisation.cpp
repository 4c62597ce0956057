#include "frmVisualisation.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "LinesView.h"
#include "QtText.h"
#include "SearchBar.h"
#include "run/TextSearch.h"

frmVisualisation::frmVisualisation(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmVisualisation"));
    setWindowTitle(QStringLiteral("Visualisation du fichier"));

    rtbVisuFichier_ = new LinesView(this);
    rtbVisuFichier_->setObjectName(QStringLiteral("rtbVisuFichier"));
    rtbVisuFichier_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    cmdFermer_ = new QPushButton(QStringLiteral("&Fermer"), this);
    cmdFermer_->setObjectName(QStringLiteral("cmdFermer"));
    connect(cmdFermer_, &QPushButton::clicked, this, &frmVisualisation::cmdFermer_Click);

    // The file's whole text, a match shown on its line.
    fndVisu_ = new SearchBar(
        rtbVisuFichier_,
        [this](const QString& find, int direction) {
            const trelvane::FoldedSearch search(trelvane::ui::ToCp(find));
            SearchBar::Result result{search.Count(text_), 0};
            if (direction == 0 || result.total == 0) return result;
            constexpr std::size_t none = trelvane::FoldedSearch::npos;
            std::size_t at = direction > 0 ? search.Find(text_, lastHit_ == none ? 0 : lastHit_ + 1)
                                           : search.FindBefore(text_, lastHit_);
            if (at == none) at = direction > 0 ? search.Find(text_) : search.FindBefore(text_);
            lastHit_ = at;
            result.current = search.Count(text_, at) + 1;
            const std::size_t line = rtbVisuFichier_->LineOf(at);
            rtbVisuFichier_->ShowLine(line, at - rtbVisuFichier_->OffsetOf(line));
            return result;
        },
        this);
    fndVisu_->setObjectName(QStringLiteral("fndVisu"));
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, fndVisu_,
            &SearchBar::Open);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdFermer_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rtbVisuFichier_);
    layout->addWidget(fndVisu_);
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
    fndVisu_->Reset();
    lastHit_ = std::string::npos;
}

void frmVisualisation::cmdFermer_Click() {
    hide();
}

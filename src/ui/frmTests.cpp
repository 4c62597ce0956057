#include "frmTests.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QShortcut>
#include <QShowEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "DocumentPrinter.h"
#include "DossierListView.h"
#include "QtText.h"
#include "UiServices.h"
#include "config/FileSystem.h"
#include "config/RuntimeErrors.h"
#include "config/modIOfunctions.h"
#include "conversion/ConversionCommand.h"
#include "frmAccueil.h"
#include "reports/DossierList.h"
#include "reports/ReportDocument.h"
#include "reports/ResultsPage.h"
#include "reports/modDisplayFunctions.h"
#include "run/Summaries.h"
#include "run/TextValues.h"
#include "run/modMainFunctions.h"

using trelvane::MsgButtons;
using trelvane::MsgIcon;
using trelvane::ui::CorePath;
using trelvane::ui::FromCp;
using trelvane::ui::QtRichTextSink;
using trelvane::ui::ToCp;
using trelvane::ui::Ui;
using trelvane::ui::WaitCursor;

namespace {

constexpr int kMaxNirEntries = 255;
constexpr std::int64_t kDisplayedSegments = 19999;
// An error outside any dossier beyond the segments displayed is shown
// among this many segments on either side.
constexpr std::int64_t kSegmentsAround = 100;
// The runtime error number of a failed print job.
constexpr int kErrPrinter = 482;

QTextEdit* Pane(QWidget* parent, const char* name) {
    auto* pane = new QTextEdit(parent);
    pane->setObjectName(QString::fromLatin1(name));
    pane->setReadOnly(true);
    pane->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    pane->setLineWrapMode(QTextEdit::NoWrap);
    return pane;
}

// A pointing hand over a line of text: take the NIR selected in the report.
QIcon PickUpIcon() {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(100, 149, 237), 2));
    p.drawLine(QPointF(3, 5), QPointF(21, 5));
    p.setPen(QPen(QColor(255, 140, 0), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 11), QPointF(15, 11));
    p.setPen(QPen(QColor(50, 50, 50), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath arrow;
    arrow.moveTo(10, 22);
    arrow.lineTo(10, 14);
    arrow.moveTo(6, 17);
    arrow.lineTo(10, 13);
    arrow.lineTo(14, 17);
    p.drawPath(arrow);
    return QIcon(pixmap);
}

}  // namespace

frmTests::frmTests(frmAccueil& home) : QDialog(&home), home_(home) {
    setObjectName(QStringLiteral("frmTests"));
    setWindowTitle(FromCp(trelvane::kResultsTitle));

    // The captions are long: they wrap when the panes are narrow rather
    // than widen the window beyond a small screen.
    auto framed = [this](const char* name, const QString& caption, QTextEdit* pane,
                         SearchBar*& bar) {
        auto* frame = new QGroupBox(this);
        frame->setObjectName(QString::fromLatin1(name));
        auto* label = new QLabel(caption, frame);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        bar = new SearchBar(
            pane,
            [this, pane](const QString& text, int direction) {
                return Complete() ? FindInPane(pane, text, direction) : SearchBar::Result{};
            },
            frame);
        auto* layout = new QVBoxLayout(frame);
        layout->addWidget(label);
        layout->addWidget(pane);
        layout->addWidget(bar);
        return frame;
    };
    rtbSyntax_ = Pane(this, "rtbSyntax");
    fraSyntax_ =
        framed("fraSyntax", FromCp(trelvane::kSyntaxReportCaption), rtbSyntax_, fndSyntax_);
    fndSyntax_->setObjectName(QStringLiteral("fndSyntax"));
    rtbContent_ = Pane(this, "rtbContent");
    fraContent_ =
        framed("fraContent", FromCp(trelvane::kContentReportCaption), rtbContent_, fndContent_);
    fndContent_->setObjectName(QStringLiteral("fndContent"));

    rtbColouredFile_ = Pane(this, "rtbColouredFile");
    {
        QPalette palette = rtbColouredFile_->palette();
        palette.setColor(QPalette::Base, QColor(255, 255, 240));
        rtbColouredFile_->setPalette(palette);
    }

    fraLegende_ = new QGroupBox(FromCp(trelvane::kLegendCaption), this);
    fraLegende_->setObjectName(QStringLiteral("fraLegende"));
    rtbLegende_ = Pane(fraLegende_, "rtbLegende");
    rtbLegende_->setFixedHeight(110);
    (new QVBoxLayout(fraLegende_))->addWidget(rtbLegende_);

    fraCriteres_ = new QGroupBox(QStringLiteral(u"Critères d'affichage "), this);
    fraCriteres_->setObjectName(QStringLiteral("fraCriteres"));
    opt1Tout_ = new QRadioButton(QStringLiteral("Tous les segments"), fraCriteres_);
    opt1Tout_->setObjectName(QStringLiteral("opt1Tout"));
    opt1Tout_->setToolTip(QStringLiteral("(20 000 maximum)"));
    opt2Erreurs_ = new QRadioButton(QStringLiteral("Erreurs uniquement"), fraCriteres_);
    opt2Erreurs_->setObjectName(QStringLiteral("opt2Erreurs"));
    opt3NIR_ = new QRadioButton(QStringLiteral(u"Dossier adhérent"), fraCriteres_);
    opt3NIR_->setObjectName(QStringLiteral("opt3NIR"));
    cmbNIR_ = new QComboBox(fraCriteres_);
    cmbNIR_->setObjectName(QStringLiteral("cmbNIR"));
    cmbNIR_->setEditable(true);
    cmbNIR_->setInsertPolicy(QComboBox::NoInsert);
    cmbNIR_->setMaxCount(kMaxNirEntries);
    cmbNIR_->setEditText(QStringLiteral("Code NIR"));
    cmdPickUp_ = new QToolButton(fraCriteres_);
    cmdPickUp_->setObjectName(QStringLiteral("cmdPickUp"));
    cmdPickUp_->setIcon(PickUpIcon());
    cmdPickUp_->setToolTip(QStringLiteral(u"Affiche le dossier du NIR sélectionné"));
    cmdAfficher_ = new QPushButton(QStringLiteral("&Afficher"), fraCriteres_);
    cmdAfficher_->setObjectName(QStringLiteral("cmdAfficher"));
    {
        auto* grid = new QGridLayout(fraCriteres_);
        grid->addWidget(opt1Tout_, 0, 0, 1, 2);
        grid->addWidget(opt2Erreurs_, 1, 0, 1, 2);
        grid->addWidget(opt3NIR_, 2, 0, 1, 2);
        grid->addWidget(cmbNIR_, 3, 0);
        grid->addWidget(cmdPickUp_, 3, 1);
        grid->addWidget(cmdAfficher_, 4, 0, 1, 2);
    }

    cmdImprimer_ = new QPushButton(QStringLiteral("&Imprimer"), this);
    cmdImprimer_->setObjectName(QStringLiteral("cmdImprimer"));
    // "&Fermer" has the F: every button keeps a key of its own.
    cmdConvertir_ = new QPushButton(QStringLiteral("&Conversion FNS3"), this);
    cmdConvertir_->setObjectName(QStringLiteral("cmdConvertir"));
    cmdConvertir_->setVisible(false);
    cmdFermer_ = new QPushButton(QStringLiteral("&Fermer"), this);
    cmdFermer_->setObjectName(QStringLiteral("cmdFermer"));
    cmdEnregistrer_ = new QPushButton(QStringLiteral("&Enregistrer le rapport..."), this);
    cmdEnregistrer_->setObjectName(QStringLiteral("cmdEnregistrer"));
    cmdEnregistrer_->setToolTip(
        QStringLiteral(u"Les trois rapports en une page HTML, ou la liste des dossiers en CSV"));
    cmdRelancer_ = new QPushButton(QStringLiteral("&Relancer le test"), this);
    cmdRelancer_->setObjectName(QStringLiteral("cmdRelancer"));
    cmdRelancer_->setToolTip(QStringLiteral(u"Teste à nouveau le fichier (F5)"));

    // Never shown: the report document that is printed.
    rtbRecepteur_ = Pane(this, "rtbRecepteur");
    rtbRecepteur_->hide();

    splitReports_ = new QSplitter(Qt::Horizontal, this);
    splitReports_->setObjectName(QStringLiteral("splitReports"));
    splitReports_->addWidget(fraSyntax_);
    splitReports_->addWidget(fraContent_);
    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(fraLegende_);
    sideLayout->addWidget(fraCriteres_);
    sideLayout->addStretch();
    sideLayout->addWidget(cmdRelancer_);
    sideLayout->addWidget(cmdImprimer_);
    sideLayout->addWidget(cmdEnregistrer_);
    sideLayout->addWidget(cmdConvertir_);
    sideLayout->addWidget(cmdFermer_);
    fndColoured_ = new SearchBar(
        rtbColouredFile_,
        [this](const QString& text, int direction) { return FindInFile(text, direction); }, this);
    fndColoured_->setObjectName(QStringLiteral("fndColoured"));
    auto* filePage = new QWidget(this);
    auto* filePageLayout = new QVBoxLayout(filePage);
    filePageLayout->setContentsMargins(0, 0, 0, 0);
    filePageLayout->addWidget(rtbColouredFile_);
    filePageLayout->addWidget(fndColoured_);
    lstDossiers_ = new DossierListView(this);
    lstDossiers_->setObjectName(QStringLiteral("lstDossiers"));
    tabFichier_ = new QTabWidget(this);
    tabFichier_->setObjectName(QStringLiteral("tabFichier"));
    tabFichier_->addTab(filePage, QStringLiteral(u"Fichier &testé"));
    tabFichier_->addTab(lstDossiers_, QStringLiteral("&Dossiers"));
    auto* lower = new QWidget(this);
    auto* lowerLayout = new QHBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(tabFichier_, 1);
    lowerLayout->addWidget(side);
    splitMain_ = new QSplitter(Qt::Vertical, this);
    splitMain_->setObjectName(QStringLiteral("splitMain"));
    splitMain_->addWidget(splitReports_);
    splitMain_->addWidget(lower);
    splitMain_->setChildrenCollapsible(false);
    splitReports_->setChildrenCollapsible(false);
    (new QVBoxLayout(this))->addWidget(splitMain_);

    syntaxSink_ = std::make_unique<QtRichTextSink>(rtbSyntax_);
    contentSink_ = std::make_unique<QtRichTextSink>(rtbContent_);
    colouredSink_ = std::make_unique<QtRichTextSink>(rtbColouredFile_);

    WriteLegend();

    cmbNIR_->installEventFilter(this);
    if (cmbNIR_->lineEdit()) cmbNIR_->lineEdit()->installEventFilter(this);
    // From an error to its segment and back: a click or Enter on a record,
    // Enter or the context menu on a line of the file.
    for (QTextEdit* pane : {rtbSyntax_, rtbContent_, rtbColouredFile_}) {
        pane->installEventFilter(this);
        pane->viewport()->installEventFilter(this);
        pane->setAcceptDrops(false);
    }
    rtbColouredFile_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(rtbColouredFile_, &QTextEdit::customContextMenuRequested, this,
            &frmTests::ColouredMenu);
    connect(lstDossiers_, &DossierListView::DossierChosen, this,
            [this](const trelvane::DossierListRow& row) {
                WaitCursor wait;
                ShowDossierRange(FromCp(row.nir), row.firstSegment, row.lastSegment);
                tabFichier_->setCurrentIndex(0);
            });
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this,
            &frmTests::OpenSearch);
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this,
            &frmTests::cmdRelancer_Click);
    connect(cmdEnregistrer_, &QPushButton::clicked, this, &frmTests::cmdEnregistrer_Click);
    connect(cmdRelancer_, &QPushButton::clicked, this, &frmTests::cmdRelancer_Click);
    setAcceptDrops(true);
    connect(opt3NIR_, &QRadioButton::clicked, this, [this] { cmbNIR_->setFocus(); });
    connect(cmdPickUp_, &QToolButton::clicked, this, &frmTests::cmdPickUp_Click);
    connect(cmdAfficher_, &QPushButton::clicked, this, &frmTests::cmdAfficher_Click);
    connect(cmdImprimer_, &QPushButton::clicked, this, &frmTests::cmdImprimer_Click);
    connect(cmdConvertir_, &QPushButton::clicked, this, &frmTests::cmdConvertir_Click);
    connect(cmdFermer_, &QPushButton::clicked, this, &frmTests::cmdFermer_Click);
    // Fits a screen 1024 pixels wide, and whatever screen it opens on.
    QSize size(1000, 720);
    if (const QScreen* screen = home.screen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size);
    // The reports side by side over two fifths of the height, the file below.
    splitReports_->setSizes({size.width() / 2, size.width() / 2});
    splitMain_->setSizes({size.height() * 2 / 5, size.height() * 3 / 5});
}

frmTests::~frmTests() {
    // The reports must not write into panes that are gone.
    trelvane::ReportPanes panes = trelvane::CurrentReportPanes();
    if (panes.syntax == syntaxSink_.get() || panes.content == contentSink_.get() ||
        panes.coloured == colouredSink_.get()) {
        trelvane::SetReportPanes({});
    }
}

// The core's legend, its symbol-font bullet drawn as the round bullet it
// shows.
void frmTests::WriteLegend() {
    QTextCursor cursor(rtbLegende_->document());
    QTextCharFormat bullet;
    bullet.setFontFamilies({QStringLiteral("DejaVu Sans")});
    QTextCharFormat text;
    text.setForeground(Qt::black);
    bool first = true;
    for (const trelvane::LegendEntry& e : trelvane::kLegend) {
        if (!first) cursor.insertText(QStringLiteral("\n"), text);
        first = false;
        bullet.setForeground(QColor(e.color.r, e.color.g, e.color.b));
        cursor.insertText(QStringLiteral(u"\u25CF "), bullet);
        cursor.insertText(FromCp(e.text), text);
    }
}

void frmTests::InstallReportPanes() {
    trelvane::SetReportPanes({syntaxSink_.get(), contentSink_.get(), colouredSink_.get()});
}

void frmTests::AttachPanes() {
    syntaxSink_->Attach();
    contentSink_->Attach();
    colouredSink_->Attach();
}

void frmTests::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    // Showing gives the focus back to the last focused control; coming back
    // into the NIR box must not reselect its criterion.
    QWidget* focused = focusWidget();
    if (focused == cmbNIR_ || focused == cmbNIR_->lineEdit()) cmdAfficher_->setFocus();
    Activate();
}

void frmTests::Activate() {
    if (!home_.GiveMeBlnForTest()) return;
    cmbNIR_->clear();
    cmbNIR_->setEditText(QStringLiteral("Code NIR"));
    AttachPanes();
    ForgetSavedDisplays();
    // Only the complete results of the last run may be redisplayed, printed
    // or converted; a profile without checks has nothing to convert.
    const trelvane::WithheldReason withheld = trelvane::State().Withheld;
    const bool complete = withheld == trelvane::WithheldReason::None;
    fraCriteres_->setEnabled(complete);
    cmdImprimer_->setEnabled(complete);
    cmdEnregistrer_->setEnabled(complete);
    setWindowTitle(FromCp(trelvane::kResultsTitle) + QStringLiteral(" - ") +
                   QFileInfo(home_.FilePath()).fileName());
    for (SearchBar* bar : {fndSyntax_, fndContent_, fndColoured_})
        bar->Reset();
    lastHit_ = {};
    lastHitText_.clear();
    {
        WaitCursor wait;
        lstDossiers_->SetRows(complete ? trelvane::BuildDossierList()
                                       : std::vector<trelvane::DossierListRow>{});
    }
    tabFichier_->setTabEnabled(1, complete);
    tabFichier_->setTabText(1, QStringLiteral("&Dossiers (%1)").arg(lstDossiers_->Rows().size()));
    tabFichier_->setCurrentIndex(0);
    cmdConvertir_->setVisible(withheld != trelvane::WithheldReason::NotChecked &&
                              trelvane::RetrieveInINIFile("ConversionEnabled") == "1");
    cmdConvertir_->setEnabled(complete);
    if (home_.ErrorsOnly()) {
        opt2Erreurs_->setChecked(true);
        if (complete) Keep(tampErr_);
    } else {
        opt1Tout_->setChecked(true);
        if (complete) Keep(tampTout_);
    }
    ScrollPanesHome();
    // The file first: Ctrl+F then searches it, and Enter goes from a line to
    // its error.
    if (complete) rtbColouredFile_->setFocus();
}

void frmTests::ScrollPanesHome() {
    // A pane filled while the window was hidden may have scrolled to show
    // a caret it believed out of view.
    for (QTextEdit* pane : {rtbSyntax_, rtbContent_, rtbColouredFile_}) {
        pane->horizontalScrollBar()->setValue(0);
        pane->verticalScrollBar()->setValue(0);
    }
}

bool frmTests::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Else Enter, ignored by a read-only pane, would press the
            // window's default button.
            if (watched == rtbColouredFile_) {
                GoToFirstError(rtbColouredFile_->textCursor().position());
                return true;
            }
            if (watched == rtbSyntax_ || watched == rtbContent_) {
                auto* report = static_cast<QTextEdit*>(watched);
                GoToSegmentOf(report, report->textCursor().position());
                return true;
            }
        }
    }
    // A click, not a drag: a drag selects text to copy, or a NIR to pick up.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        for (QTextEdit* report : {rtbSyntax_, rtbContent_}) {
            if (watched != report->viewport() || mouse->button() != Qt::LeftButton) continue;
            const QPoint at = mouse->position().toPoint();
            if (event->type() == QEvent::MouseButtonPress) {
                pressedAt_ = at;
            } else if ((at - pressedAt_).manhattanLength() < QApplication::startDragDistance()) {
                GoToSegmentOf(report, report->cursorForPosition(at).position());
            }
        }
    }
    // Focus given by the user selects the NIR criterion; focus coming back
    // with the window does not (it would undo the criterion set on showing).
    if (event->type() == QEvent::FocusIn &&
        (watched == cmbNIR_ || watched == cmbNIR_->lineEdit()) &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason) {
        opt3NIR_->setChecked(true);
    }
    return QDialog::eventFilter(watched, event);
}

void frmTests::Keep(QPointer<QTextDocument>& saved) {
    QTextDocument* doc = colouredSink_->Document();
    // Owned by the window from now on: showing another display in the pane
    // does not delete it.
    doc->setParent(this);
    saved = doc;
}

void frmTests::ForgetSavedDisplays() {
    for (QPointer<QTextDocument>* saved : {&tampTout_, &tampErr_}) {
        if (*saved && *saved != colouredSink_->Document()) delete saved->data();
        *saved = nullptr;
    }
}

void frmTests::ShowSavedOrBuild(QPointer<QTextDocument>& saved, bool errorsOnly,
                                std::int64_t last) {
    if (saved) {
        colouredSink_->Show(saved);
        return;
    }
    InstallReportPanes();
    trelvane::DisplayColouredFile(errorsOnly, 0, last);
    colouredSink_->Attach();
    Keep(saved);
}

void frmTests::cmdAfficher_Click() {
    {
        WaitCursor wait;
        if (opt2Erreurs_->isChecked()) {
            ShowSavedOrBuild(tampErr_, true, -1);
        } else if (opt1Tout_->isChecked()) {
            ShowSavedOrBuild(tampTout_, false, kDisplayedSegments);
        } else if (opt3NIR_->isChecked()) {
            const QString nir = cmbNIR_->currentText();
            if (nir.isEmpty()) {
                Ui().Message(this, QStringLiteral("Erreur de saisie"),
                             QStringLiteral("Veuillez saisir un code NIR."), MsgIcon::Information,
                             MsgButtons::Ok);
            } else if (nir.size() == 13 && trelvane::IsNumeric(ToCp(nir))) {
                ShowDossier(nir);
            } else {
                Ui().Message(this, QStringLiteral("Erreur de saisie"),
                             QStringLiteral("Votre code NIR n'est pas valide."),
                             MsgIcon::Information, MsgButtons::Ok);
            }
        }
    }
    home_.SetStatus(QString());
}

void frmTests::ShowDossier(const QString& nir) {
    std::int64_t unh = 0;
    std::int64_t unt = 0;
    trelvane::FindDossierByNir(ToCp(nir), unh, unt);
    if (unh == 0) {
        Ui().Message(this, QStringLiteral("Erreur de saisie"),
                     QStringLiteral(u"Le dossier de cet adhérent n'est pas présent."),
                     MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    ShowDossierRange(nir, unh, unt);
}

void frmTests::ShowDossierRange(const QString& nir, std::int64_t unh, std::int64_t unt) {
    if (!nir.isEmpty() &&
        cmbNIR_->findText(nir, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) {
        // Adding to an empty list selects the entry; keep the typed text.
        const QString typed = cmbNIR_->currentText();
        cmbNIR_->addItem(nir);
        cmbNIR_->setEditText(typed);
    }
    if (cmbNIR_->currentText() != nir) cmbNIR_->setEditText(nir);
    opt3NIR_->setChecked(true);
    ShowRange(unh, unt);
}

void frmTests::ShowRange(std::int64_t first, std::int64_t last) {
    InstallReportPanes();
    trelvane::DisplayColouredFile(false, first, last);
    colouredSink_->Attach();
    home_.SetStatus(QString());
}

bool frmTests::Complete() {
    return trelvane::State().Withheld == trelvane::WithheldReason::None;
}

std::optional<std::pair<int, int>> frmTests::RevealSegment(std::int64_t segment) {
    if (!Complete() || segment < 0 ||
        segment >= static_cast<std::int64_t>(trelvane::State().Segments.size()))
        return std::nullopt;
    tabFichier_->setCurrentIndex(0);
    int at = trelvane::ui::PositionOfSegment(colouredSink_->Document(), segment);
    if (at < 0) {
        WaitCursor wait;
        const std::vector<trelvane::DossierListRow>& rows = lstDossiers_->Rows();
        // Rows come in the order of the file.
        auto row = std::upper_bound(
            rows.begin(), rows.end(), segment,
            [](std::int64_t s, const trelvane::DossierListRow& r) { return s < r.firstSegment; });
        if (segment <= kDisplayedSegments) {
            opt1Tout_->setChecked(true);
            ShowSavedOrBuild(tampTout_, false, kDisplayedSegments);
        } else if (row != rows.begin() && segment <= std::prev(row)->lastSegment) {
            --row;
            ShowDossierRange(FromCp(row->nir), row->firstSegment, row->lastSegment);
        } else {
            ShowRange(std::max<std::int64_t>(0, segment - kSegmentsAround),
                      segment + kSegmentsAround);
        }
        at = trelvane::ui::PositionOfSegment(colouredSink_->Document(), segment);
        if (at < 0) return std::nullopt;
    }
    return std::pair{at, trelvane::ui::LineEndAt(colouredSink_->Document(), at)};
}

void frmTests::ShowSegment(std::int64_t segment) {
    if (auto line = RevealSegment(segment))
        SelectInPane(rtbColouredFile_, line->first, line->second);
}

void frmTests::GoToSegmentOf(QTextEdit* report, int position) {
    const std::int64_t segment = trelvane::ui::SegmentAt(report->document(), position);
    if (segment >= 0) ShowSegment(segment);
}

void frmTests::GoToFirstError(int position) {
    const std::int64_t segment = trelvane::ui::SegmentAt(rtbColouredFile_->document(), position);
    if (segment < 0) return;
    for (QTextEdit* report : {rtbSyntax_, rtbContent_}) {
        const int at = trelvane::ui::PositionOfSegment(report->document(), segment);
        if (at < 0) continue;
        SelectInPane(report, at, trelvane::ui::LineEndAt(report->document(), at));
        report->setFocus();
        return;
    }
    Ui().Message(this, QStringLiteral("Aucune erreur"),
                 QStringLiteral(u"Les rapports ne signalent aucune erreur sur le segment n°%1.")
                     .arg(segment + 1),
                 MsgIcon::Information, MsgButtons::Ok);
}

void frmTests::ColouredMenu(const QPoint& at) {
    const int position = rtbColouredFile_->cursorForPosition(at).position();
    std::unique_ptr<QMenu> menu(rtbColouredFile_->createStandardContextMenu(at));
    QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().first();
    auto* go =
        new QAction(QStringLiteral(u"Aller à la première &erreur du segment\tEntrée"), menu.get());
    go->setEnabled(trelvane::ui::SegmentAt(rtbColouredFile_->document(), position) >= 0);
    connect(go, &QAction::triggered, this, [this, position] { GoToFirstError(position); });
    menu->insertAction(first, go);
    menu->insertSeparator(first);
    menu->exec(rtbColouredFile_->viewport()->mapToGlobal(at));
}

void frmTests::OpenSearch() {
    if (!Complete()) return;
    const QWidget* focused = focusWidget();
    if (focused && fraSyntax_->isAncestorOf(focused)) {
        fndSyntax_->Open();
    } else if (focused && fraContent_->isAncestorOf(focused)) {
        fndContent_->Open();
    } else {
        tabFichier_->setCurrentIndex(0);
        fndColoured_->Open();
    }
}

SearchBar::Result frmTests::FindInFile(const QString& text, int direction) {
    if (!Complete()) return {};
    const std::string needle = ToCp(text);
    const trelvane::SegmentSearch search(trelvane::State().Segments, needle);
    SearchBar::Result result{search.Count(), 0};
    if (direction == 0 || result.total == 0) return result;
    // From the match shown last; a new text starts from the file's ends.
    const trelvane::SegmentHit from =
        text.compare(lastHitText_, Qt::CaseInsensitive) == 0 ? lastHit_ : trelvane::SegmentHit{};
    const std::optional<trelvane::SegmentHit> hit =
        direction > 0 ? search.Next(from) : search.Previous(from);
    if (!hit) return result;
    lastHit_ = *hit;
    lastHitText_ = text;
    result.current = search.Ordinal(*hit);
    const auto line = RevealSegment(hit->segment);
    if (!line) return result;
    // The match inside its line, which shows the segment's number and then
    // its text: the same occurrence of the text counted from the line's
    // start, or the whole line when the line does not show it (cut short).
    const QTextDocument* doc = rtbColouredFile_->document();
    const QTextBlock block = doc->findBlock(line->first);
    const QString shown =
        block.text().mid(line->first - block.position(), line->second - line->first);
    qsizetype at = 0;
    while (at < shown.size() && (shown[at].isDigit() || shown[at] == QLatin1Char(' ')))
        ++at;
    std::int64_t before = trelvane::FoldedSearch(needle).Count(
        trelvane::State().Segments[static_cast<std::size_t>(hit->segment)], hit->offset);
    for (at = shown.indexOf(text, at, Qt::CaseInsensitive); at >= 0 && before > 0; --before)
        at = shown.indexOf(text, at + 1, Qt::CaseInsensitive);
    if (at < 0) {
        SelectInPane(rtbColouredFile_, line->first, line->second);
    } else {
        const int start = line->first + static_cast<int>(at);
        SelectInPane(rtbColouredFile_, start, start + static_cast<int>(text.size()));
    }
    return result;
}

void frmTests::cmdPickUp_Click() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QString selected = rtbContent_->textCursor().selectedText();
    if (selected.size() != 13 || !trelvane::IsNumeric(ToCp(selected))) return;
    clipboard->setText(selected);
    cmbNIR_->setEditText(clipboard->text());
    opt3NIR_->setChecked(true);
    cmdAfficher_Click();
}

std::string frmTests::BuildReportDocument() {
    AttachPanes();
    QtRichTextSink document(rtbRecepteur_);
    trelvane::BuildReportDocumentHeader(document);
    QTextCursor cursor(document.Document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertFragment(QTextDocumentFragment(syntaxSink_->Document()));
    cursor.insertText(QStringLiteral("\n"), QTextCharFormat());
    cursor.insertFragment(QTextDocumentFragment(contentSink_->Document()));
    cursor.insertText(QStringLiteral("\n"), QTextCharFormat());
    document.Attach();
    // The text from the panes themselves: a pane keeps what it left out of
    // its long lines, the copy printed here does not.
    return trelvane::ReportDocumentText(syntaxSink_->PlainText(), contentSink_->PlainText());
}

void frmTests::cmdImprimer_Click() {
    QPrinter printer(QPrinter::HighResolution);
    if (!Ui().ChoosePrinter(this, printer)) return;
    int pages = 0;
    {
        // A long report takes a while to lay out page by page.
        WaitCursor wait;
        BuildReportDocument();
        pages = trelvane::ui::PrintWholeDocument(*rtbRecepteur_->document(), printer);
    }
    if (pages <= 0) {
        Ui().Message(this, QStringLiteral("Problème lors de l'impression."),
                     QString::number(kErrPrinter) + QStringLiteral(" - Impression impossible."),
                     MsgIcon::Exclamation, MsgButtons::Ok);
    }
}

void frmTests::cmdConvertir_Click() {
    // A CR file only needs the text of the report document.
    const std::string document =
        trelvane::IsFileConvertible()
            ? std::string()
            : trelvane::ReportDocumentText(syntaxSink_->PlainText(), contentSink_->PlainText());
    trelvane::RunConversionCommand(document);
}

void frmTests::cmdFermer_Click() {
    home_.EnableResultat();
    hide();
}

void frmTests::reject() {
    cmdFermer_Click();
}

void frmTests::cmdRelancer_Click() {
    home_.RetestLater();
}

void frmTests::dragEnterEvent(QDragEnterEvent* event) {
    if (!frmAccueil::DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmTests::dropEvent(QDropEvent* event) {
    const QString path = frmAccueil::DroppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    home_.RetestLater(path);
}

void frmTests::cmdEnregistrer_Click() {
    const QFileInfo tested(home_.FilePath());
    const QString html = QStringLiteral("Page HTML des trois rapports (*.html *.htm)");
    const QString csv = QStringLiteral("Liste des dossiers pour un tableur (*.csv)");
    QString chosen = html;
    const auto path = Ui().SaveFileName(
        this, QStringLiteral("Enregistrer le rapport"),
        tested.dir().filePath(tested.completeBaseName() + QStringLiteral("-resultats.html")),
        html + QStringLiteral(";;") + csv, chosen);
    if (!path) return;
    QString name = *path;
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix != QStringLiteral("html") && suffix != QStringLiteral("htm") &&
        suffix != QStringLiteral("csv"))
        name += chosen == csv ? QStringLiteral(".csv") : QStringLiteral(".html");
    SaveReport(name);
}

bool frmTests::SaveReport(const QString& path) {
    if (!Complete()) return false;
    const std::string target = CorePath(path);
    if (trelvane::os::SameFile(target, CorePath(home_.FilePath()))) {
        Ui().Message(this, QStringLiteral("Enregistrement impossible"),
                     QStringLiteral(u"Le rapport ne peut pas remplacer le fichier testé."),
                     MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    }
    const bool csv = path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    int error = 0;
    {
        WaitCursor wait;
        // The very page and list the batch front end writes.
        error = trelvane::WriteFileAtomically(
            target, csv ? trelvane::DossierListCsv(lstDossiers_->Rows())
                        : trelvane::RenderResultsPage(home_.ErrorsOnly(), 0, kDisplayedSegments));
    }
    if (error != 0) {
        Ui().Message(this, QStringLiteral("Enregistrement impossible"),
                     QStringLiteral(u"Le fichier %1 n'a pas pu être écrit :\n%2 - %3")
                         .arg(QDir::toNativeSeparators(path))
                         .arg(error)
                         .arg(FromCp(trelvane::ErrorDescription(error))),
                     MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    }
    Ui().FileWritten(this, QStringLiteral("Enregistrement"),
                     (csv ? QStringLiteral(u"La liste des dossiers a été enregistrée dans le "
                                           u"fichier :\n")
                          : QStringLiteral(u"Le rapport a été enregistré dans le fichier :\n")) +
                         QDir::toNativeSeparators(path),
                     QFileInfo(path).absolutePath());
    return true;
}

void frmTests::SaveLayout(QSettings& settings) const {
    settings.setValue(QStringLiteral("Fenetres/Resultats"), saveGeometry());
    settings.setValue(QStringLiteral("Fenetres/ResultatsRapports"), splitReports_->saveState());
    settings.setValue(QStringLiteral("Fenetres/ResultatsFichier"), splitMain_->saveState());
}

void frmTests::RestoreLayout(const QSettings& settings) {
    restoreGeometry(settings.value(QStringLiteral("Fenetres/Resultats")).toByteArray());
    splitReports_->restoreState(
        settings.value(QStringLiteral("Fenetres/ResultatsRapports")).toByteArray());
    splitMain_->restoreState(
        settings.value(QStringLiteral("Fenetres/ResultatsFichier")).toByteArray());
}

#include "frmTests.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QSplitter>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "DocumentPrinter.h"
#include "QtText.h"
#include "UiServices.h"
#include "config/modIOfunctions.h"
#include "conversion/ConversionCommand.h"
#include "frmAccueil.h"
#include "reports/ReportDocument.h"
#include "reports/modDisplayFunctions.h"
#include "run/Summaries.h"
#include "run/TextValues.h"
#include "run/modMainFunctions.h"

using trelvane::MsgButtons;
using trelvane::MsgIcon;
using trelvane::ui::FromCp;
using trelvane::ui::QtRichTextSink;
using trelvane::ui::ToCp;
using trelvane::ui::Ui;
using trelvane::ui::WaitCursor;

namespace {

constexpr int kMaxNirEntries = 255;
constexpr std::int64_t kDisplayedSegments = 19999;
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
    setWindowTitle(QStringLiteral(u"Résultats de l'analyse"));

    // The captions are long: they wrap when the panes are narrow rather
    // than widen the window beyond a small screen.
    auto framed = [this](const char* name, const QString& caption, QTextEdit* pane) {
        auto* frame = new QGroupBox(this);
        frame->setObjectName(QString::fromLatin1(name));
        auto* label = new QLabel(caption, frame);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        auto* layout = new QVBoxLayout(frame);
        layout->addWidget(label);
        layout->addWidget(pane);
        return frame;
    };
    rtbSyntax_ = Pane(this, "rtbSyntax");
    fraSyntax_ = framed("fraSyntax",
                        QStringLiteral(u"Erreurs de syntaxe EDI      (1 erreur entraîne le rejet "
                                       u"complet du fichier par le CSE)"),
                        rtbSyntax_);
    rtbContent_ = Pane(this, "rtbContent");
    fraContent_ = framed("fraContent",
                         QStringLiteral(u"Erreurs sur dossiers       (chaque dossier en rejet "
                                        u"sera exclu de l'envoi à la VRK) "),
                         rtbContent_);

    rtbColouredFile_ = Pane(this, "rtbColouredFile");
    {
        QPalette palette = rtbColouredFile_->palette();
        palette.setColor(QPalette::Base, QColor(255, 255, 240));
        rtbColouredFile_->setPalette(palette);
    }

    fraLegende_ = new QGroupBox(QStringLiteral(u"Légende"), this);
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
    sideLayout->addWidget(cmdImprimer_);
    sideLayout->addWidget(cmdConvertir_);
    sideLayout->addWidget(cmdFermer_);
    auto* lower = new QWidget(this);
    auto* lowerLayout = new QHBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(rtbColouredFile_, 1);
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

void frmTests::WriteLegend() {
    struct Entry {
        QColor colour;
        QString text;
    };
    const Entry entries[] = {
        {QColor(255, 0, 0), QStringLiteral("Syntaxe incorrecte")},
        {QColor(100, 149, 237), QStringLiteral(u"Nombre de données faux")},
        {QColor(138, 43, 226), QStringLiteral(u"Syntaxe et nombre de données faux")},
        {QColor(255, 140, 0), QStringLiteral("Format ou valeur incorrect")},
        {QColor(102, 202, 102), QStringLiteral("Documents du dossier en anomalie")},
    };
    QTextCursor cursor(rtbLegende_->document());
    QTextCharFormat bullet;
    bullet.setFontFamilies({QStringLiteral("DejaVu Sans")});
    QTextCharFormat text;
    text.setForeground(Qt::black);
    bool first = true;
    for (const Entry& e : entries) {
        if (!first) cursor.insertText(QStringLiteral("\n"), text);
        first = false;
        bullet.setForeground(e.colour);
        cursor.insertText(QStringLiteral(u"\u25CF "), bullet);
        cursor.insertText(e.text, text);
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
    if (cmbNIR_->findText(nir, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) {
        // Adding to an empty list selects the entry; keep the typed text.
        const QString typed = cmbNIR_->currentText();
        cmbNIR_->addItem(nir);
        cmbNIR_->setEditText(typed);
    }
    InstallReportPanes();
    trelvane::DisplayColouredFile(false, unh, unt);
    colouredSink_->Attach();
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

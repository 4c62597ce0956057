// The results window after real test runs: the three panes and their
// formats, the criteria and their saved displays, a NIR's dossier, the NIR
// pick-up, printing, the conversion, the window's life between openings, and
// never a result that is not the last run's.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QToolButton>
#include <QtTest>

#include "ScriptedUi.h"
#include "frmTests.h"

using namespace trelvane;
using namespace trelvane::test;

namespace {

const QColor kDarkGrey(50, 50, 50);
const QColor kRed(255, 0, 0);
const QColor kOrange(255, 140, 0);
const QString kNir = QStringLiteral("1750175123456");

int CampaignYear() {
    return QDate::currentDate().year() - 1;
}

// One reject: a date in a thirteenth month.
std::string WithReject() {
    const std::string y = std::to_string(CampaignYear());
    return ReplaceOnce(SampleFor(CampaignYear()), "DTM+137:" + y + "1215", "DTM+137:" + y + "1399");
}

// Warnings only: the same declarant in two dossiers.
std::string WarningsOnly() {
    const std::string text = SampleFor(CampaignYear());
    const auto unh = text.find("UNH+");
    const auto unz = text.find("UNZ+");
    std::string message = text.substr(unh, unz - unh);
    std::string second =
        ReplaceOnce(ReplaceOnce(message, "UNH+1+", "UNH+2+"), "UNT+14+1", "UNT+14+2");
    return text.substr(0, unz) + second + "UNZ+2+REF00000001'\r\n";
}

class Results {
  public:
    explicit Results(UiFixture& f) : f_(f), w_(f.home->Tests()) {}
    QTextEdit* Pane(const char* name) const { return f_.Find<QTextEdit>(&w_, name); }
    QString Text(const char* name) const { return Pane(name)->toPlainText(); }
    QRadioButton* Option(const char* name) const { return f_.Find<QRadioButton>(&w_, name); }
    QComboBox* Nir() const { return f_.Find<QComboBox>(&w_, "cmbNIR"); }
    void Click(const char* name) const {
        if (auto* b = f_.Find<QPushButton>(&w_, name))
            b->click();
        else
            f_.Find<QToolButton>(&w_, name)->click();
    }
    void Show(const char* option) const {
        Option(option)->click();
        Click("cmdAfficher");
    }
    int Builds() const { return w_.ColouredSink().ClearCount(); }
    frmTests& Window() const { return w_; }

  private:
    UiFixture& f_;
    frmTests& w_;
};

void RunTest(UiFixture& f, const std::string& name, const std::string& content) {
    f.Menu("mnuParamCampA")->trigger();
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write(name, content)));
    f.Home<QPushButton>("cmdTester")->click();
}

QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::Files);
}

// The text of a PDF file, or of one of its pages.
QString PdfText(const QString& pdf, int page = 0) {
    QStringList arguments;
    if (page > 0) arguments << QStringLiteral("-f") << QString::number(page);
    arguments << pdf << QStringLiteral("-");
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), arguments);
    return tool.waitForFinished(120000) ? QString::fromUtf8(tool.readAllStandardOutput())
                                        : QString();
}

}  // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void panesShowTheReportsWithTheirFormats();
    void legendAndLayout();
    void criteriaReuseSavedDisplays();
    void errorsOnlyOptionSelectsSecondCriterion();
    void showsDossierOfNirAndRefusesBadOnes();
    void picksUpNirFromSelection();
    void convertsWarningsOnlyFileToFns3();
    void fileWithRejectsGivesErrorReport();
    void printsReportDocumentToPdf();
    void reopeningKeepsContentAndNewRunResets();
    void nirListHoldsAtMost255Entries();
    void secondProfileShowsNoEarlierResult();
    void declinedReportIsShownAsDeclined();
    void panesOpenAtTheirLeftAndTop();
    void unexpectedFailuresGiveOneBox();
    void printsALongReportWhole();
};

void ResultsWindowTest::panesShowTheReportsWithTheirFormats() {
    UiFixture f;
    RunTest(f, "rejet.edi", WithReject());
    Results r(f);
    QCOMPARE(r.Window().windowTitle(), QStringLiteral(u"Résultats de l'analyse - rejet.edi"));
    QVERIFY(r.Window().isVisible());

    Found ok = FindIn(r.Pane("rtbSyntax")->document(), QStringLiteral("CONTROLES DE SYNTAXE OK"));
    QVERIFY(ok.found);
    QCOMPARE(ok.format.foreground().color(), kDarkGrey);
    QCOMPARE(ok.format.fontWeight(), int(QFont::Bold));

    const QString content = r.Text("rtbContent");
    QVERIFY2(content.contains(QStringLiteral("1 ERREUR DE CONTENU TROUVEE !")),
             qPrintable(content));
    QVERIFY(content.contains(QStringLiteral(u"Segment n°5")));
    QVERIFY(content.contains(QStringLiteral(u"NIR du déclarant : ") + kNir));
    Found count = FindIn(r.Pane("rtbContent")->document(), QStringLiteral("1 ERREUR DE CONTENU"));
    QCOMPARE(count.format.foreground().color(), kRed);
    Found label = FindIn(r.Pane("rtbContent")->document(), QStringLiteral("415 - "));
    QVERIFY(label.found);
    QCOMPARE(label.format.foreground().color(), kDarkGrey);
    QCOMPARE(label.format.fontPointSize(), 9.0);

    // The coloured file: one numbered line per segment, the bad date in orange.
    QTextDocument* coloured = r.Pane("rtbColouredFile")->document();
    const QStringList lines = r.Text("rtbColouredFile").split(QLatin1Char('\n'));
    QCOMPARE(lines.first(), QStringLiteral("1  UNA:+,? "));
    const QString y = QString::number(CampaignYear());
    Found date = FindIn(coloured, y + QStringLiteral("1399"));
    QVERIFY(date.found);
    QCOMPARE(date.format.foreground().color(), kOrange);
    QCOMPARE(date.format.fontWeight(), int(QFont::Bold));
    Found tag = FindIn(coloured, QStringLiteral("5 DTM"));
    QCOMPARE(tag.format.foreground().color(), kDarkGrey);
    QCOMPARE(lines.size(), 18);  // 17 segments and the last line break
    QCOMPARE(r.Pane("rtbColouredFile")->textCursor().position(), 0);
}

void ResultsWindowTest::legendAndLayout() {
    UiFixture f;
    Results r(f);
    QTextDocument* legend = r.Pane("rtbLegende")->document();
    QCOMPARE(legend->blockCount(), 5);
    const QStringList texts{QStringLiteral("Syntaxe incorrecte"),
                            QStringLiteral(u"Nombre de données faux"),
                            QStringLiteral(u"Syntaxe et nombre de données faux"),
                            QStringLiteral("Format ou valeur incorrect"),
                            QStringLiteral("Documents du dossier en anomalie")};
    const QList<QColor> colours{QColor(255, 0, 0), QColor(100, 149, 237), QColor(138, 43, 226),
                                QColor(255, 140, 0), QColor(102, 202, 102)};
    for (int i = 0; i < 5; ++i) {
        const QTextBlock block = legend->findBlockByNumber(i);
        QCOMPARE(block.text(), QStringLiteral(u"\u25CF ") + texts[i]);
        QTextCursor c(block);
        c.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(c.charFormat().foreground().color(), colours[i]);
        c.movePosition(QTextCursor::EndOfBlock);
        QCOMPARE(c.charFormat().foreground().color(), QColor(Qt::black));
    }
    QCOMPARE(r.Pane("rtbColouredFile")->palette().color(QPalette::Base), QColor(255, 255, 240));
    QCOMPARE(r.Option("opt1Tout")->toolTip(), QStringLiteral("(20 000 maximum)"));
    QCOMPARE(f.Find<QToolButton>(&r.Window(), "cmdPickUp")->toolTip(),
             QStringLiteral(u"Affiche le dossier du NIR sélectionné"));
    QVERIFY(r.Pane("rtbRecepteur")->isHidden());
    // The panes share the window as the user drags, and a small screen holds it.
    for (const char* name : {"splitMain", "splitReports"})
        QCOMPARE(f.Find<QSplitter>(&r.Window(), name)->count(), 2);
    QVERIFY(r.Window().minimumSizeHint().width() <= 1024);
}

void ResultsWindowTest::criteriaReuseSavedDisplays() {
    UiFixture f;
    RunTest(f, "rejet.edi", WithReject());
    Results r(f);
    QVERIFY(r.Option("opt1Tout")->isChecked());
    const QString all = r.Text("rtbColouredFile");
    const int afterRun = r.Builds();

    r.Show("opt2Erreurs");
    QCOMPARE(r.Builds(), afterRun + 1);
    const QString errors = r.Text("rtbColouredFile");
    QCOMPARE(errors.count(QLatin1Char('\n')), 1);
    QVERIFY(errors.startsWith(QStringLiteral("5 DTM+137:")));

    r.Show("opt1Tout");
    QCOMPARE(r.Text("rtbColouredFile"), all);
    r.Show("opt2Erreurs");
    QCOMPARE(r.Text("rtbColouredFile"), errors);
    // The saved displays keep their colours.
    QCOMPARE(FindIn(r.Pane("rtbColouredFile")->document(),
                    QString::number(CampaignYear()) + QStringLiteral("1399"))
                 .format.foreground()
                 .color(),
             kOrange);
    r.Show("opt1Tout");
    QCOMPARE(r.Builds(), afterRun + 1);
    QVERIFY(f.Home<QLabel>("txtStatutAppli")->text().isEmpty());
}

void ResultsWindowTest::errorsOnlyOptionSelectsSecondCriterion() {
    UiFixture f;
    f.Menu("mnuOpErOnly")->trigger();
    RunTest(f, "rejet.edi", WithReject());
    Results r(f);
    QVERIFY(r.Option("opt2Erreurs")->isChecked());
    QVERIFY(r.Text("rtbColouredFile").startsWith(QStringLiteral("5 DTM+137:")));
    const int builds = r.Builds();
    r.Show("opt2Erreurs");
    QCOMPARE(r.Builds(), builds);
}

void ResultsWindowTest::showsDossierOfNirAndRefusesBadOnes() {
    UiFixture f;
    RunTest(f, "rejet.edi", WithReject());
    Results r(f);
    QCOMPARE(r.Nir()->currentText(), QStringLiteral("Code NIR"));

    r.Option("opt3NIR")->click();
    r.Click("cmdAfficher");
    QCOMPARE(f.ui.boxes.size(), 1u);
    QCOMPARE(f.ui.boxes[0].text, QStringLiteral("Votre code NIR n'est pas valide."));

    r.Nir()->setEditText(QString());
    r.Click("cmdAfficher");
    QCOMPARE(f.ui.boxes.back().title, QStringLiteral("Erreur de saisie"));
    QCOMPARE(f.ui.boxes.back().text, QStringLiteral("Veuillez saisir un code NIR."));
    QCOMPARE(f.ui.boxes.back().icon, MsgIcon::Information);

    r.Nir()->setEditText(QStringLiteral("175017512345 "));
    r.Click("cmdAfficher");
    QCOMPARE(f.ui.boxes.back().text, QStringLiteral("Votre code NIR n'est pas valide."));
    r.Nir()->setEditText(QStringLiteral("17501751234A6"));
    r.Click("cmdAfficher");
    QCOMPARE(f.ui.boxes.back().text, QStringLiteral("Votre code NIR n'est pas valide."));
    r.Nir()->setEditText(QStringLiteral("1234567890123"));
    r.Click("cmdAfficher");
    QCOMPARE(f.ui.boxes.back().text,
             QStringLiteral(u"Le dossier de cet adhérent n'est pas présent."));
    QCOMPARE(r.Nir()->count(), 0);

    const std::size_t boxes = f.ui.boxes.size();
    r.Nir()->setEditText(kNir);
    r.Click("cmdAfficher");
    QCOMPARE(f.ui.boxes.size(), boxes);
    const QString dossier = r.Text("rtbColouredFile");
    QVERIFY2(dossier.startsWith(QStringLiteral("3  UNH+1+")), qPrintable(dossier));
    QVERIFY(dossier.contains(QStringLiteral("16  UNT+14+1")));
    QVERIFY(!dossier.contains(QStringLiteral("UNZ")));
    r.Click("cmdAfficher");
    QCOMPARE(r.Nir()->count(), 1);
    QCOMPARE(r.Nir()->itemText(0), kNir);
    // A dossier is never saved: the whole file is still the saved one.
    const int builds = r.Builds();
    r.Show("opt1Tout");
    QCOMPARE(r.Builds(), builds);
    QVERIFY(r.Text("rtbColouredFile").startsWith(QStringLiteral("1  UNA")));

    // Giving the focus to the NIR box selects its option.
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(r.Nir(), &focusIn);
    QVERIFY(r.Option("opt3NIR")->isChecked());
}

void ResultsWindowTest::picksUpNirFromSelection() {
    UiFixture f;
    RunTest(f, "rejet.edi", WithReject());
    Results r(f);
    QClipboard* clipboard = QGuiApplication::clipboard();

    clipboard->setText(QStringLiteral("avant"));
    r.Click("cmdPickUp");
    QVERIFY(clipboard->text().isEmpty());
    QVERIFY(r.Option("opt1Tout")->isChecked());

    QTextEdit* content = r.Pane("rtbContent");
    QTextCursor nir = content->document()->find(kNir);
    QVERIFY(!nir.isNull());
    content->setTextCursor(nir);
    r.Click("cmdPickUp");
    QCOMPARE(clipboard->text(), kNir);
    QCOMPARE(r.Nir()->currentText(), kNir);
    QVERIFY(r.Option("opt3NIR")->isChecked());
    QVERIFY(r.Text("rtbColouredFile").startsWith(QStringLiteral("3  UNH+1+")));

    // A selection that is not a NIR only empties the clipboard.
    content->setTextCursor(content->document()->find(QStringLiteral("Segment")));
    r.Click("cmdPickUp");
    QVERIFY(clipboard->text().isEmpty());
    QVERIFY(r.Text("rtbColouredFile").startsWith(QStringLiteral("3  UNH+1+")));
}

void ResultsWindowTest::convertsWarningsOnlyFileToFns3() {
    UiFixture f;
    RunTest(f, "signalements.edi", WarningsOnly());
    Results r(f);
    QVERIFY2(r.Text("rtbContent").contains(QStringLiteral("2 ERREURS DE CONTENU TROUVEES !")),
             qPrintable(r.Text("rtbContent")));
    QVERIFY(r.Text("rtbSyntax").contains(QStringLiteral("CONTROLES DE SYNTAXE OK")));
    r.Click("cmdConvertir");
    const QString folder = Q(f.dir) + QStringLiteral("/FNS3");
    const QStringList written = Entries(folder);
    QCOMPARE(written.size(), 1);
    QVERIFY(written[0].endsWith(QStringLiteral("_FNS3.oth")));
    // Said once written, with its full path and its folder to open.
    QCOMPARE(f.ui.Titles(), QStringList{QStringLiteral("Conversion")});
    QCOMPARE(f.ui.Texts(),
             QStringList{QStringLiteral("Le fichier converti va être produit dans le dossier "
                                        "'FNS3'\r\n") +
                         folder + QLatin1Char('/') + written[0]});
    QCOMPARE(f.ui.writtenFolder, folder);
    QVERIFY(!QDir(Q(f.dir) + QStringLiteral("/CR_Erreurs")).exists());
}

void ResultsWindowTest::fileWithRejectsGivesErrorReport() {
    UiFixture f;
    f.Home<QLineEdit>("txtProcedure")->setText(QStringLiteral(u"Procédure d'essai"));
    RunTest(f, "rejet.edi", WithReject());
    Results r(f);
    r.Click("cmdConvertir");
    QCOMPARE(f.ui.Titles(), QStringList{QStringLiteral("Conversion impossible")});
    QCOMPARE(f.ui.boxes[0].icon, MsgIcon::Information);
    const QString dir = Q(f.dir) + QStringLiteral("/CR_Erreurs");
    const QStringList written = Entries(dir);
    QCOMPARE(written.size(), 1);
    QVERIFY(written[0].endsWith(QStringLiteral("_CRErreur.txt")));
    QVERIFY(!QDir(Q(f.dir) + QStringLiteral("/FNS3")).exists());

    const QString report = ui::FromCp(ReadBytes(ui::ToCp(dir + QLatin1Char('/') + written[0])));
    const QString today = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    QVERIFY2(report.startsWith(QStringLiteral(u"Résultat de l'analyse EDI du ") + today +
                               QStringLiteral("\r\n\r\n\r\nChemin du fichier testé : ")),
             qPrintable(report));
    QVERIFY(report.contains(QStringLiteral(u"Procédure utilisée : Procédure d'essai\r\n")));
    QVERIFY(report.contains(QStringLiteral(u"Profil de test : VRK Déclaration des revenus\r\n")));
    QVERIFY(
        report.contains(QStringLiteral(u"Généré par TOLVEX - Trelvane version 1 mars 2017\r\n")));
    QVERIFY(report.contains(QString(110, QLatin1Char('_')) + QStringLiteral("\r\n\r\n\r\n")));
    QVERIFY(report.contains(QStringLiteral("CONTROLES DE SYNTAXE OK\r\n")));
    QVERIFY(report.contains(QStringLiteral("415 - ")));
    QVERIFY(report.endsWith(QStringLiteral("\r\n")));
    QVERIFY(!report.contains(QLatin1Char('\n') + QString(QLatin1Char('\n'))));
}

void ResultsWindowTest::printsReportDocumentToPdf() {
    UiFixture f;
    RunTest(f, "rejet.edi", WithReject());
    Results r(f);
    f.ui.pdfPath = Q(f.dir) + QStringLiteral("/rapport.pdf");
    f.ui.printerAccepted = false;
    r.Click("cmdImprimer");
    QCOMPARE(f.ui.printerRequests, 1);
    QVERIFY(!QFile::exists(f.ui.pdfPath));

    f.ui.printerAccepted = true;
    r.Click("cmdImprimer");
    QVERIFY(f.ui.boxes.empty());
    const QString document = PdfText(f.ui.pdfPath);
    QVERIFY(document.contains(QStringLiteral("CONTROLES DE SYNTAXE OK")));
    QVERIFY(document.contains(QStringLiteral("1 ERREUR DE CONTENU TROUVEE !")));

    // A printer that cannot write is reported.
    f.ui.pdfPath = Q(f.dir) + QStringLiteral("/absent/rapport.pdf");
    r.Click("cmdImprimer");
    QCOMPARE(f.ui.Titles(), QStringList{QStringLiteral(u"Problème lors de l'impression.")});
    QCOMPARE(f.ui.Texts(), QStringList{QStringLiteral("482 - Impression impossible.")});
}

void ResultsWindowTest::reopeningKeepsContentAndNewRunResets() {
    UiFixture f;
    RunTest(f, "rejet.edi", WithReject());
    Results r(f);
    r.Option("opt3NIR")->click();
    r.Nir()->setEditText(kNir);
    r.Click("cmdAfficher");
    r.Click("cmdFermer");
    QVERIFY(r.Window().isHidden());
    QVERIFY(f.Home<QPushButton>("cmdResultat")->isEnabled());

    const int builds = r.Builds();
    f.Home<QPushButton>("cmdResultat")->click();
    QVERIFY(r.Window().isVisible());
    QVERIFY(r.Option("opt3NIR")->isChecked());
    QCOMPARE(r.Nir()->count(), 1);
    QVERIFY(r.Text("rtbColouredFile").startsWith(QStringLiteral("3  UNH+1+")));
    QCOMPARE(r.Builds(), builds);
    r.Window().reject();  // the window's close box
    QVERIFY(r.Window().isHidden());

    f.Home<QPushButton>("cmdTester")->click();
    QVERIFY(r.Option("opt1Tout")->isChecked());
    QCOMPARE(r.Nir()->count(), 0);
    QCOMPARE(r.Nir()->currentText(), QStringLiteral("Code NIR"));
    QVERIFY(r.Text("rtbColouredFile").startsWith(QStringLiteral("1  UNA")));
}

void ResultsWindowTest::nirListHoldsAtMost255Entries() {
    UiFixture f;
    RunTest(f, "nirs.edi", ManyDossiers(CampaignYear(), 260));
    Results r(f);
    r.Option("opt3NIR")->click();
    for (int i = 1; i <= 260; ++i) {
        r.Nir()->setEditText(QStringLiteral("2%1").arg(i, 12, 10, QLatin1Char('0')));
        r.Click("cmdAfficher");
    }
    QVERIFY(f.ui.boxes.empty());
    QCOMPARE(r.Nir()->count(), 255);
    QVERIFY(r.Text("rtbColouredFile").contains(QStringLiteral("NAD+DT+2000000000260:")));
}

void ResultsWindowTest::secondProfileShowsNoEarlierResult() {
    UiFixture f(IniChanges{{"Profil_CR", "1"}});
    RunTest(f, "rejet.edi", WithReject());
    Results r(f);
    auto* convert = f.Find<QPushButton>(&r.Window(), "cmdConvertir");
    QVERIFY(convert->isVisible());
    r.Click("cmdFermer");

    // No checks with the second profile: nothing of the first file shows,
    // and there is nothing to convert.
    auto* profile = f.Home<QComboBox>("cmbProfil");
    profile->setCurrentIndex(1);
    RunTest(f, "autre.edi", SampleFor(CampaignYear()));
    for (const char* pane : {"rtbSyntax", "rtbContent", "rtbColouredFile"}) {
        QCOMPARE(r.Text(pane),
                 QStringLiteral(u"\nAucun contrôle n'est fait avec ce profil de test."));
    }
    QVERIFY(!convert->isVisible());
    QVERIFY(!f.Find<QPushButton>(&r.Window(), "cmdImprimer")->isEnabled());
    r.Window().cmdConvertir_Click();
    QVERIFY(!QDir(Q(f.dir) + QStringLiteral("/FNS3")).exists());
    QCOMPARE(f.ui.Titles(), QStringList{QStringLiteral("Conversion impossible")});
    r.Click("cmdFermer");

    // The button follows each run's profile.
    profile->setCurrentIndex(0);
    RunTest(f, "autre.edi", SampleFor(CampaignYear()));
    QVERIFY(convert->isVisible() && convert->isEnabled());
    {
        UiFixture off(IniChanges{{"ConversionEnabled", "0"}});
        RunTest(off, "rejet.edi", WithReject());
        QVERIFY(!off.Find<QPushButton>(&off.home->Tests(), "cmdConvertir")->isVisible());
    }
}

void ResultsWindowTest::declinedReportIsShownAsDeclined() {
    UiFixture f;
    RunTest(f, "rejet.edi", WithReject());
    Results r(f);
    r.Click("cmdFermer");

    // 4 000 unknown segments (and the count of UNT): the user declines the
    // long syntax report.
    std::string file = SampleFor(CampaignYear());
    std::string unknown;
    for (int i = 0; i < 4000; ++i)
        unknown += "XYZ+1'\r\n";
    file.insert(file.find("SEQ++2'"), unknown);
    f.ui.answers = {MsgAnswer::No};
    RunTest(f, "inconnus.edi", file);
    QCOMPARE(f.ui.shown.size(), 2u);
    QCOMPARE(f.ui.Titles(), QStringList{QStringLiteral("4001 erreurs de syntaxe")});
    QCOMPARE(r.Text("rtbSyntax"), QStringLiteral(u"\n4001 ERREURS SYNTAXIQUES TROUVEES !\n\n"
                                                 u"Rapport non affiché à votre demande."));
    // Nothing of the first file is left anywhere.
    QVERIFY(!r.Text("rtbContent").contains(QStringLiteral("415 - ")));
    QCOMPARE(r.Text("rtbColouredFile"),
             QStringLiteral(u"\nFichier non affiché : un rapport d'erreur n'a pas été affiché "
                            u"à votre demande."));
    for (const char* disabled : {"cmdImprimer", "cmdConvertir", "cmdAfficher"})
        QVERIFY2(!f.Find<QPushButton>(&r.Window(), disabled)->isEnabled(), disabled);
    // Even asked for, the conversion writes no CR file.
    r.Window().cmdConvertir_Click();
    QVERIFY(!QDir(Q(f.dir) + QStringLiteral("/CR_Erreurs")).exists());
    QCOMPARE(f.ui.Titles().last(), QStringLiteral("Conversion impossible"));
}

void ResultsWindowTest::panesOpenAtTheirLeftAndTop() {
    // The first test of the session finds errors.
    UiFixture f;
    RunTest(f, "rejet.edi", WithReject());
    Results r(f);
    QTest::qWait(50);
    for (const char* name : {"rtbSyntax", "rtbContent", "rtbColouredFile"}) {
        QCOMPARE(r.Pane(name)->horizontalScrollBar()->value(), 0);
        QCOMPARE(r.Pane(name)->verticalScrollBar()->value(), 0);
    }
}

void ResultsWindowTest::unexpectedFailuresGiveOneBox() {
    UiFixture f;
    // Amounts with a decimal point: 700 groups, 2 111 segments.
    RunTest(f, "decimales.edi", AmountGroups(CampaignYear(), 700, "150.00"));
    Results r(f);
    QCOMPARE(f.ui.Titles(), QStringList{QStringLiteral(u"Erreur non gérée")});
    QCOMPARE(f.ui.boxes[0].icon, MsgIcon::Critical);
    QVERIFY2(f.ui.boxes[0].text.endsWith(
                 QStringLiteral(u"En tout, 700 erreurs inattendues se sont produites pendant les "
                                u"tests ; le rapport de contenu les liste sous le code 777.")),
             qPrintable(f.ui.boxes[0].text));
    // Every one of them is in the report, as before.
    QCOMPARE(r.Text("rtbContent").count(QStringLiteral("777 - ")), 700);
}

void ResultsWindowTest::printsALongReportWhole() {
    UiFixture f;
    // 10 000 groups with a bad amount: 20 000 records and more.
    RunTest(f, "long.edi", AmountGroups(CampaignYear(), 10000, "1X"));
    Results r(f);
    const QString content = r.Text("rtbContent");
    const qsizetype records = content.count(QStringLiteral("Segment n°"));
    QVERIFY2(records >= 20000, qPrintable(QString::number(records)));
    f.ui.pdfPath = Q(f.dir) + QStringLiteral("/long.pdf");
    r.Click("cmdImprimer");
    QVERIFY(f.ui.boxes.size() <= 2);  // the long report questions only
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {f.ui.pdfPath});
    QVERIFY(info.waitForFinished(60000));
    const int pages = QRegularExpression(QStringLiteral("Pages: +(\\d+)"))
                          .match(QString::fromUtf8(info.readAllStandardOutput()))
                          .captured(1)
                          .toInt();
    QVERIFY2(pages > 100, qPrintable(QString::number(pages)));
    // The last page ends with the last record.
    const QString last = PdfText(f.ui.pdfPath, pages);
    const QString lastRecord = content.trimmed().section(QLatin1Char('\n'), -1);
    QVERIFY2(last.trimmed().endsWith(lastRecord), qPrintable(last.right(200)));
}

QTEST_MAIN(ResultsWindowTest)
#include "test_results_window.moc"

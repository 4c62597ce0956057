// The results window after real runs: the panes, the display criteria and
// their saved displays, a declarant's dossier by NIR, printing, the
// conversion, the window's life between runs, and never a result that is not
// the last run's.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include "LinesView.h"
#include "QtRichTextSink.h"
#include "ScriptedUi.h"
#include "frmTests.h"
#include "frmVisualisation.h"
#include "run/modMainFunctions.h"

using namespace trelvane;
using namespace trelvane::test;

namespace {

class Results {
  public:
    Results(UiFixture& f, const std::string& content) : f_(f), w_(f.home->Tests()) { Run(content); }
    void Run(const std::string& content) const {
        f_.Menu("mnuParamCampA")->trigger();
        f_.Home<QLineEdit>("txtFichier")->setText(Q(f_.Write("f.edi", content)));
        f_.Click("cmdTester");
    }
    QTextEdit* Pane(const char* name) const { return f_.Find<QTextEdit>(&w_, name); }
    QString Text(const char* pane) const { return Pane(pane)->toPlainText(); }
    QRadioButton* Option(const char* name) const { return f_.Find<QRadioButton>(&w_, name); }
    QPushButton* Button(const char* name) const { return f_.Find<QPushButton>(&w_, name); }
    QComboBox* Nir() const { return f_.Find<QComboBox>(&w_, "cmbNIR"); }
    void Click(const char* name) const { f_.Find<QAbstractButton>(&w_, name)->click(); }
    void Show(const char* option, const QString& nir = {}) const {
        Option(option)->click();
        if (!nir.isNull()) Nir()->setEditText(nir);
        Click("cmdAfficher");
    }
    int Builds() const { return w_.ColouredSink().ClearCount(); }
    frmTests& Window() const { return w_; }
    // The one file written into the program's folder, its path.
    QString Written(const char* folder) const {
        const QDir dir(Q(f_.dir) + QLatin1Char('/') + QLatin1String(folder));
        const QStringList files = dir.entryList(QDir::Files);
        return files.size() == 1 ? dir.filePath(files[0]) : QString();
    }

  private:
    UiFixture& f_;
    frmTests& w_;
};

// The text of a PDF file, or of one of its pages.
QString PdfText(const QString& pdf, int page = 0) {
    QStringList arguments;
    if (page > 0) arguments << QStringLiteral("-f") << QString::number(page);
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
    return tool.waitForFinished(120000) ? QString::fromUtf8(tool.readAllStandardOutput())
                                        : QString();
}

// Lines may share a paragraph, apart by line separators.
qsizetype LongestLine(QTextEdit* pane) {
    qsizetype longest = 0;
    for (const QString& line :
         pane->document()->toRawText().split(QRegularExpression(QStringLiteral(u"[\u2028\u2029]"))))
        longest = std::max(longest, line.size());
    return longest;
}

constexpr int kDossiers = 1500;
const QString kLastNir = QStringLiteral("2000000001500");

// More segments than the 20 000 the coloured file displays: a reject in the
// first dossier, one in the last, and an unknown segment after the last
// dossier.
std::string BigFile() {
    std::string text = Sample(false, kDossiers);
    const std::string date = "DTM+137:" + std::to_string(QDate::currentDate().year() - 1);
    for (auto at : {text.find(date), text.rfind(date)})
        text.replace(at + date.size(), 4, "1399");
    return text.insert(text.rfind("UNZ+"), "XYZ+1'\r\n");
}

// The coloured pane's selection, which is in view.
QString Selected(const Results& r) {
    QTextEdit* pane = r.Pane("rtbColouredFile");
    if (!pane->viewport()->rect().contains(pane->cursorRect().center())) return {};
    return pane->textCursor().selectedText();
}

SearchBar* Search(const Results& r, const char* bar, QWidget* from, const QString& text) {
    r.Window().activateWindow();
    if (!QTest::qWaitForWindowActive(&r.Window())) return nullptr;
    from->setFocus();
    QTest::keyClick(&r.Window(), Qt::Key_F, Qt::ControlModifier);
    auto* found = r.Window().findChild<SearchBar*>(QStringLiteral("%1").arg(bar));
    QTest::keyClicks(found->findChild<QLineEdit*>(QStringLiteral("txtRecherche")), text);
    return found;
}

QString Count(SearchBar* bar) {
    return bar->findChild<QLabel*>(QStringLiteral("lblOccurrences"))->text();
}

}  // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void criteriaReuseSavedDisplays();
    void dossierOfANir();
    void conversionWritesTheFns3FileOrTheErrorReport();
    void printsTheReportDocument();
    void reopeningKeepsTheWindowAndANewRunResetsIt();
    void noResultOfAnEarlierRunIsShown();
    void longSegmentIsCutOnScreenOnly();
    void dossierListSortsFiltersAndShowsADossier();
    void savedReportIsWhatTheBatchFrontEndWrites();
    void recordShowsItsSegmentAndBack();
    void searchReachesBeyondTheDisplayedSegments();
};

void ResultsWindowTest::criteriaReuseSavedDisplays() {
    UiFixture f;
    f.Menu("mnuOpErOnly")->trigger();  // the run shows the errors only
    Results r(f, Sample(true));
    QVERIFY(r.Option("opt2Erreurs")->isChecked());
    const QString errors = r.Text("rtbColouredFile");
    QVERIFY2(
        errors.startsWith(QStringLiteral("5 DTM+137:")) && errors.count(QLatin1Char('\n')) == 1,
        qPrintable(errors));
    const int builds = r.Builds();
    r.Show("opt1Tout");
    const QString all = r.Text("rtbColouredFile");
    QVERIFY(all.startsWith(QStringLiteral("1  UNA")));
    r.Show("opt2Erreurs");
    QCOMPARE(r.Text("rtbColouredFile"), errors);
    r.Show("opt1Tout");
    QCOMPARE(r.Text("rtbColouredFile"), all);
    QCOMPARE(r.Builds(), builds + 1);  // each display built once
}

void ResultsWindowTest::dossierOfANir() {
    UiFixture f;
    Results r(f, Sample(true, 260));
    for (const QString& bad : {QStringLiteral("Code NIR"), QStringLiteral("175017512345 "),
                               QStringLiteral("17501751234A6"), QStringLiteral("")})
        r.Show("opt3NIR", bad);
    r.Show("opt3NIR", QStringLiteral("1234567890123"));
    QCOMPARE(f.ui.Titles().size(), 5);
    QCOMPARE(f.ui.boxes[0].text, QStringLiteral("Votre code NIR n'est pas valide."));
    QCOMPARE(f.ui.boxes[3].text, QStringLiteral("Veuillez saisir un code NIR."));
    QCOMPARE(f.ui.boxes[4].text, QStringLiteral(u"Le dossier de cet adhérent n'est pas présent."));
    QCOMPARE(r.Nir()->count(), 0);
    // The dossier from its UNH to its UNT; the list keeps 255 NIRs at most.
    for (int d = 1; d <= 260; ++d)
        r.Show("opt3NIR", QStringLiteral("2%1").arg(d, 12, 10, QLatin1Char('0')));
    QCOMPARE(f.ui.boxes.size(), 5u);
    QCOMPARE(r.Nir()->count(), 255);
    const QString dossier = r.Text("rtbColouredFile");
    QVERIFY2(dossier.contains(QStringLiteral("UNH+260+")) &&
                 dossier.endsWith(QStringLiteral("UNT+14+260\n")),
             qPrintable(dossier.right(200)));
    // Picked from the selection of the content report.
    QClipboard* clipboard = QGuiApplication::clipboard();
    QTextEdit* content = r.Pane("rtbContent");
    content->setTextCursor(content->document()->find(QStringLiteral("2000000000001")));
    r.Click("cmdPickUp");
    QCOMPARE(clipboard->text(), QStringLiteral("2000000000001"));
    QVERIFY(r.Option("opt3NIR")->isChecked());
    QVERIFY(r.Text("rtbColouredFile").startsWith(QStringLiteral("3  UNH+1+")));
    content->setTextCursor(content->document()->find(QStringLiteral("Segment")));
    r.Click("cmdPickUp");
    QVERIFY(clipboard->text().isEmpty());
    r.Option("opt1Tout")->click();
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(r.Nir(), &focusIn);
    QVERIFY(r.Option("opt3NIR")->isChecked());
}

void ResultsWindowTest::conversionWritesTheFns3FileOrTheErrorReport() {
    {
        UiFixture f;
        Results r(f, Sample());
        r.Click("cmdConvertir");
        // Said once written, with its full path and its folder to open.
        const QString written = r.Written("FNS3");
        QVERIFY(written.endsWith(QStringLiteral("_FNS3.oth")));
        QCOMPARE(
            f.ui.Texts(),
            QStringList{
                QStringLiteral(u"Le fichier converti va être produit dans le dossier 'FNS3'\r\n") +
                written});
        QCOMPARE(f.ui.writtenFolder, Q(f.dir) + QStringLiteral("/FNS3"));
        QVERIFY(!QDir(Q(f.dir) + QStringLiteral("/CR_Erreurs")).exists());
    }
    {
        UiFixture f;
        f.Home<QLineEdit>("txtProcedure")->setText(QStringLiteral(u"Procédure d'essai"));
        Results r(f, Sample(true));
        r.Click("cmdConvertir");
        QCOMPARE(f.ui.Titles(), QStringList{QStringLiteral("Conversion impossible")});
        const QString report = ui::FromCp(ReadBytes(ui::CorePath(r.Written("CR_Erreurs"))));
        QVERIFY(report.contains(QStringLiteral(u"Procédure utilisée : Procédure d'essai\r\n")));
        QVERIFY(report.contains(QStringLiteral("415 - ")));
        QVERIFY(!QDir(Q(f.dir) + QStringLiteral("/FNS3")).exists());
    }
    // Offered only when the parameter file allows it, for the first profile.
    for (const auto& [key, value] : IniChanges{{"ConversionEnabled", "0"}, {"Profil_CR", "1"}}) {
        UiFixture f(IniChanges{{key, value}});
        if (key == "Profil_CR") f.Home<QComboBox>("cmbProfil")->setCurrentIndex(1);
        Results r(f, Sample(true));
        QVERIFY(!r.Button("cmdConvertir")->isVisible());
    }
}

void ResultsWindowTest::printsTheReportDocument() {
    UiFixture f;
    // 1 500 groups with a bad amount: a report printed in several slices, whole.
    Results r(f, AmountGroups(1500, "1X"));
    f.ui.pdfPath = Q(f.dir) + QStringLiteral("/rapport.pdf");
    f.ui.printerAccepted = false;
    r.Click("cmdImprimer");
    QVERIFY(!QFile::exists(f.ui.pdfPath));
    f.ui.printerAccepted = true;
    r.Click("cmdImprimer");
    QVERIFY(f.ui.boxes.size() <= 2);  // the long report questions only
    const auto pages = int(PdfText(f.ui.pdfPath).count(QLatin1Char('\f')));  // one a page
    QVERIFY2(pages > 40, qPrintable(QString::number(pages)));
    QVERIFY(PdfText(f.ui.pdfPath, 1).contains(QStringLiteral("CONTROLES DE SYNTAXE OK")));
    const QString lastRecord = r.Text("rtbContent").trimmed().section(QLatin1Char('\n'), -1);
    QVERIFY(PdfText(f.ui.pdfPath, pages).trimmed().endsWith(lastRecord));
    f.ui.boxes.clear();
    f.ui.pdfPath = Q(f.dir) + QStringLiteral("/absent/rapport.pdf");
    r.Click("cmdImprimer");
    QCOMPARE(f.ui.Titles().last(), QStringLiteral(u"Problème lors de l'impression."));
    QCOMPARE(f.ui.Texts().last(), QStringLiteral("482 - Impression impossible."));
}

// The panes open at their top left; the window keeps its display when
// reopened, and a new run resets it.
void ResultsWindowTest::reopeningKeepsTheWindowAndANewRunResetsIt() {
    UiFixture f;
    Results r(f, Sample(true));
    QCOMPARE(r.Window().windowTitle(), QStringLiteral(u"Résultats de l'analyse - f.edi"));
    QTest::qWait(50);
    for (const char* name : {"rtbSyntax", "rtbContent", "rtbColouredFile"})
        QVERIFY(r.Pane(name)->horizontalScrollBar()->value() == 0 &&
                r.Pane(name)->verticalScrollBar()->value() == 0);
    QCOMPARE(r.Text("rtbColouredFile").count(QLatin1Char('\n')), 17);
    r.Show("opt3NIR", QString::fromLatin1(kNir));
    r.Click("cmdFermer");
    const int builds = r.Builds();
    f.Click("cmdResultat");
    QVERIFY(r.Option("opt3NIR")->isChecked());
    QVERIFY(r.Text("rtbColouredFile").startsWith(QStringLiteral("3  UNH+1+")));
    QCOMPARE(r.Builds(), builds);
    r.Window().reject();
    f.Click("cmdTester");
    QVERIFY(r.Option("opt1Tout")->isChecked());
    QCOMPARE(r.Nir()->count(), 0);
    QVERIFY(r.Text("rtbColouredFile").startsWith(QStringLiteral("1  UNA")));
}

// A run without checks, a declined report or an unusable table: nothing of
// the file tested before shows, and nothing can be printed or converted.
void ResultsWindowTest::noResultOfAnEarlierRunIsShown() {
    UiFixture f(IniChanges{{"Profil_CR", "1"}});
    Results r(f, Sample(true));
    r.Click("cmdFermer");
    f.Home<QComboBox>("cmbProfil")->setCurrentIndex(1);
    r.Run(Sample());
    for (const char* pane : {"rtbSyntax", "rtbContent", "rtbColouredFile"})
        QCOMPARE(r.Text(pane),
                 QStringLiteral(u"\nAucun contrôle n'est fait avec ce profil de test."));
    QVERIFY(!r.Button("cmdConvertir")->isVisible() && !r.Button("cmdImprimer")->isEnabled());
    r.Window().cmdConvertir_Click();
    QCOMPARE(f.ui.Titles(), QStringList{QStringLiteral("Conversion impossible")});
    r.Click("cmdFermer");
    f.Home<QComboBox>("cmbProfil")->setCurrentIndex(0);
    r.Run(Sample(true));
    QVERIFY(r.Button("cmdConvertir")->isVisible() && r.Button("cmdConvertir")->isEnabled());
    r.Click("cmdFermer");

    // 4 000 unknown segments: the user declines the long syntax report.
    std::string file = Sample();
    f.ui.answers = {MsgAnswer::No};
    r.Run(file.insert(file.find("SEQ++2'"), QByteArray("XYZ+1'\r\n").repeated(4000).toStdString()));
    QCOMPARE(f.ui.Titles().last(), QStringLiteral("4001 erreurs de syntaxe"));
    QVERIFY(!r.Text("rtbContent").contains(QStringLiteral("415 - ")));
    QVERIFY(!r.Text("rtbColouredFile").contains(QStringLiteral("1399")));
    for (const char* disabled : {"cmdImprimer", "cmdConvertir", "cmdAfficher"})
        QVERIFY2(!r.Button(disabled)->isEnabled(), disabled);
    r.Window().cmdConvertir_Click();
    QVERIFY(!QDir(Q(f.dir) + QStringLiteral("/CR_Erreurs")).exists());
    r.Click("cmdFermer");

    // The previous results are dropped too: nothing of them can be shown again.
    const std::size_t shown = f.ui.shown.size();
    f.ui.boxes.clear();
    WriteBytes(f.dir + "/tbl_data_format.txt", "");
    r.Run(Sample(true));
    QVERIFY(f.ui.Texts().at(0).startsWith(
        QStringLiteral(u"Le fichier de format des données est vide.")));
    QCOMPARE(f.ui.shown.size(), shown);
    QCOMPARE(f.Buttons(), QStringLiteral("TV-"));
    QCOMPARE(State().Withheld, WithheldReason::ConfigurationFault);
}

// A segment far longer than a screen line is cut in the panes, while the
// error report written from them keeps it whole.
void ResultsWindowTest::longSegmentIsCutOnScreenOnly() {
    UiFixture f;
    const std::string segment = "FTX+AAA+++" + std::string(100000, 'X');
    std::string file = Sample();
    Results r(f, file.insert(file.find("SEQ++1'"), segment + "'\r\n"));
    QVERIFY(
        r.Text("rtbColouredFile")
            .contains(QStringLiteral(u"[...] (ligne coupée à l'affichage : 100010 caractères)")));
    QVERIFY(LongestLine(r.Pane("rtbColouredFile")) < 2100);
    for (const char* name : {"rtbSyntax", "rtbContent"}) {
        QVERIFY(r.Text(name).contains(QStringLiteral(u"[...] (ligne coupée à l'affichage)")));
        QVERIFY(LongestLine(r.Pane(name)) < ui::kShownLineCharacters + 50);
    }
    r.Click("cmdConvertir");
    const std::string report = ReadBytes(ui::CorePath(r.Written("CR_Erreurs")));
    const auto first = report.find(segment + "\r\n");
    QVERIFY(first != std::string::npos);
    QVERIFY(report.find(segment + "\r\n", first + 1) != std::string::npos);
    QVERIFY(report.find("coup") == std::string::npos);
}

// The dossier list: sorted by a click on a column, filtered by verdict, and a
// double-click shows the dossier in the file.
void ResultsWindowTest::dossierListSortsFiltersAndShowsADossier() {
    UiFixture f;
    Results r(f, Sample(true, 3));  // the first dossier rejected
    auto* tabs = f.Find<QTabWidget>(&r.Window(), "tabFichier");
    QCOMPARE(tabs->tabText(1), QStringLiteral("&Dossiers (3)"));
    tabs->setCurrentIndex(1);
    auto* table = f.Find<QTableView>(&r.Window(), "tblDossiers");
    QAbstractItemModel* rows = table->model();
    auto cell = [rows](int row, int column) { return rows->index(row, column).data().toString(); };
    QCOMPARE(cell(0, 1) + cell(0, 5) + cell(1, 5), QStringLiteral(u"2000000000001RejetéAccepté"));
    // A click on "Rejets", then another: one way, then the other.
    QHeaderView* header = table->horizontalHeader();
    QStringList ends;
    for (int click = 0; click < 2; ++click) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(3) + 5, 5));
        ends << cell(0, 3) + cell(2, 3);
    }
    QCOMPARE(QSet<QString>(ends.begin(), ends.end()), (QSet<QString>{"10", "01"}));
    auto* verdict = f.Find<QComboBox>(&r.Window(), "cmbVerdict");
    verdict->setCurrentText(QStringLiteral(u"Rejeté"));
    QCOMPARE(f.Find<QLabel>(&r.Window(), "lblDossiers")->text(),
             QStringLiteral("1 sur 3 dossiers"));
    verdict->setCurrentText(QStringLiteral(u"Accepté"));
    QCOMPARE(rows->rowCount(), 2);
    // The dossier of a row, shown in the file.
    const QPoint row = table->visualRect(rows->index(1, 2)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, row);
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(r.Option("opt3NIR")->isChecked());
    QCOMPARE(r.Nir()->currentText(), cell(1, 1));
    const QStringList shown = r.Text("rtbColouredFile").trimmed().split(QLatin1Char('\n'));
    QVERIFY(shown.first().contains(QStringLiteral("  UNH+")));
    QVERIFY(shown.last().contains(QStringLiteral("  UNT+14+")));
    QCOMPARE(shown.filter(QStringLiteral("NAD+DT+") + cell(1, 1)).size(), 1);
}

// "Enregistrer le rapport...": the page and the dossier list the batch front
// end writes for the same file, byte for byte, and never over the file tested.
void ResultsWindowTest::savedReportIsWhatTheBatchFrontEndWrites() {
    UiFixture f;
    Results r(f, Sample(true, 2));
    const QString dir = Q(f.dir), tested = dir + QStringLiteral("/f.edi");
    QVERIFY(r.Window().SaveReport(dir + QStringLiteral("/page.html")));
    QVERIFY(r.Window().SaveReport(dir + QStringLiteral("/liste.CSV")));
    QCOMPARE(f.ui.writtenFolder, dir);
    QProcess batch;
    batch.start(QStringLiteral(TRELVANE_CHECK_EXE),
                {QStringLiteral("-q"), QStringLiteral("-a"),
                 QString::number(QDate::currentDate().year() - 1), QStringLiteral("--html"),
                 dir + QStringLiteral("/batch.html"), QStringLiteral("--dossiers"),
                 dir + QStringLiteral("/batch.csv"), tested});
    QVERIFY(batch.waitForFinished(60000));
    QCOMPARE(batch.exitCode(), 1);
    const std::string page = ReadBytes(f.dir + "/page.html");
    QCOMPARE(page, ReadBytes(f.dir + "/batch.html"));
    QCOMPARE(ReadBytes(f.dir + "/liste.CSV"), ReadBytes(f.dir + "/batch.csv"));
    QVERIFY(page.find("2000000000001") != std::string::npos);
    // Never over the file tested, which stays as it was; nor into a folder
    // that does not exist.
    const std::string before = ReadBytes(f.dir + "/f.edi");
    QVERIFY(!r.Window().SaveReport(tested));
    QCOMPARE(f.ui.Titles().last(), QStringLiteral("Enregistrement impossible"));
    QCOMPARE(ReadBytes(f.dir + "/f.edi"), before);
    QVERIFY(!r.Window().SaveReport(dir + QStringLiteral("/absent/page.html")));
    QVERIFY(f.ui.Texts().last().contains(QStringLiteral("absent/page.html")));
}

// From an error to its segment and back, and the search bars, beyond the
// segments the coloured file displays.
void ResultsWindowTest::recordShowsItsSegmentAndBack() {
    UiFixture f;
    Results r(f, BigFile());
    r.Window().resize(1000, 720);
    QTextEdit* content = r.Pane("rtbContent");
    const QString date =
        QStringLiteral("DTM+137:%1").arg(QDate::currentDate().year() - 1) + "1399:102";
    // A click on the first record: the segment among the first 20 000.
    const QTextCursor first = content->document()->find(QStringLiteral("415 - "));
    content->setTextCursor(first);
    QTest::mouseClick(content->viewport(), Qt::LeftButton, {}, content->cursorRect(first).center());
    QCOMPARE(Selected(r), QStringLiteral("5 ") + date);
    QVERIFY(f.Find<QRadioButton>(&r.Window(), "opt1Tout")->isChecked());
    // Enter on the last one: beyond them, the display turns to its dossier.
    const QTextCursor last = content->document()->find(QStringLiteral("415 - "), first);
    content->setTextCursor(last);
    QTest::keyClick(content, Qt::Key_Return);
    QVERIFY(f.Find<QRadioButton>(&r.Window(), "opt3NIR")->isChecked());
    QCOMPARE(f.Find<QComboBox>(&r.Window(), "cmbNIR")->currentText(), kLastNir);
    QCOMPARE(Selected(r), QStringLiteral("20991 ") + date);
    // Back from the file's line to its record.
    QTest::keyClick(r.Pane("rtbColouredFile"), Qt::Key_Return);
    QCOMPARE(content->textCursor().selectionStart(), last.selectionStart());
    QCOMPARE(content->textCursor().selectedText(),
             QStringLiteral(u"415 - Date invalide : SSAAMMJJ"));
    // An error outside any dossier: the segments around it.
    QTextEdit* syntax = r.Pane("rtbSyntax");
    syntax->setTextCursor(syntax->document()->find(QStringLiteral("901 - ")));
    QTest::keyClick(syntax, Qt::Key_Return);
    QCOMPARE(Selected(r), QStringLiteral("21003  XYZ+1"));
    QVERIFY(f.ui.boxes.empty());
    // A sound segment has no error to go back to.
    QTextEdit* coloured = r.Pane("rtbColouredFile");
    coloured->setTextCursor(coloured->document()->find(QStringLiteral("UNZ+")));
    QTest::keyClick(coloured, Qt::Key_Return);
    QCOMPARE(f.ui.Titles(), QStringList{QStringLiteral("Aucune erreur")});
}

void ResultsWindowTest::searchReachesBeyondTheDisplayedSegments() {
    UiFixture f;
    Results r(f, BigFile());
    r.Window().resize(1000, 720);
    // The whole file, not only the segments displayed, case aside.
    SearchBar* bar = Search(r, "fndColoured", r.Pane("rtbColouredFile"), QStringLiteral("dtm+137"));
    QCOMPARE(Count(bar), QStringLiteral("%1 occurrences").arg(kDossiers));
    QLineEdit* field = bar->findChild<QLineEdit*>(QStringLiteral("txtRecherche"));
    field->setText(kLastNir);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(Count(bar), QStringLiteral("1 sur 1"));
    QCOMPARE(Selected(r), kLastNir);
    QVERIFY(f.Find<QRadioButton>(&r.Window(), "opt3NIR")->isChecked());
    field->setText(QStringLiteral("ZZZZ"));
    QCOMPARE(Count(bar), QStringLiteral("Aucune occurrence"));
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!bar->isVisible() && r.Window().isVisible());

    // The content report: two records, walked backwards from the end.
    bar = Search(r, "fndContent", r.Pane("rtbContent"), QStringLiteral("date INVALIDE"));
    QCOMPARE(Count(bar), QStringLiteral("2 occurrences"));
    QTest::mouseClick(bar->findChild<QToolButton*>(QStringLiteral("cmdPrecedent")), Qt::LeftButton);
    QCOMPARE(Count(bar), QStringLiteral("2 sur 2"));
    QCOMPARE(r.Pane("rtbContent")->textCursor().selectedText(), QStringLiteral("Date invalide"));

    // The viewer: the line that holds the match.
    r.Window().hide();
    f.Home<QPushButton>("cmdVisualiser")->click();
    frmVisualisation& viewer = f.home->Viewer();
    QTest::keyClick(&viewer, Qt::Key_F, Qt::ControlModifier);
    bar = f.Find<SearchBar>(&viewer, "fndVisu");
    field = bar->findChild<QLineEdit*>(QStringLiteral("txtRecherche"));
    QTest::keyClicks(field, kLastNir);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(Count(bar), QStringLiteral("1 sur 1"));
    QVERIFY(viewer.View().SelectedText().contains(kLastNir));
}

QTEST_MAIN(ResultsWindowTest)
#include "test_results_window.moc"

// The results window after real runs: the display criteria and their saved
// displays, a declarant's dossier by NIR, printing, the conversion, and the
// window's life between runs.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include "ScriptedUi.h"
#include "frmTests.h"

using namespace trelvane;
using namespace trelvane::test;

namespace {

const QString kNirText = QString::fromLatin1(kNir);

class Results {
  public:
    Results(UiFixture& f, const std::string& content) : f_(f), w_(f.home->Tests()) {
        f.Menu("mnuParamCampA")->trigger();
        f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("f.edi", content)));
        f.Home<QPushButton>("cmdTester")->click();
    }
    QString Text(const char* pane) const { return f_.Find<QTextEdit>(&w_, pane)->toPlainText(); }
    QRadioButton* Option(const char* name) const { return f_.Find<QRadioButton>(&w_, name); }
    QComboBox* Nir() const { return f_.Find<QComboBox>(&w_, "cmbNIR"); }
    void Click(const char* name) const {
        if (auto* b = f_.Find<QPushButton>(&w_, name))
            b->click();
        else
            f_.Find<QToolButton>(&w_, name)->click();
    }
    void Show(const char* option, const QString& nir = {}) const {
        Option(option)->click();
        if (!nir.isNull()) Nir()->setEditText(nir);
        Click("cmdAfficher");
    }
    int Builds() const { return w_.ColouredSink().ClearCount(); }
    frmTests& Window() const { return w_; }

  private:
    UiFixture& f_;
    frmTests& w_;
};

}  // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void criteriaReuseSavedDisplays();
    void dossierOfANir();
    void conversionWritesTheFns3FileOrTheErrorReport();
    void printsTheReportDocument();
    void reopeningKeepsTheWindowAndANewRunResetsIt();
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
        r.Show("opt3NIR", QString::number(1750175123455LL + d));
    QCOMPARE(f.ui.boxes.size(), 5u);
    QCOMPARE(r.Nir()->count(), 255);
    const QString dossier = r.Text("rtbColouredFile");
    QVERIFY2(dossier.contains(QStringLiteral("UNH+260+")) &&
                 dossier.endsWith(QStringLiteral("UNT+11+260\n")),
             qPrintable(dossier.right(200)));
    // Picked from the selection of the content report.
    QClipboard* clipboard = QGuiApplication::clipboard();
    QTextEdit* content = f.Find<QTextEdit>(&r.Window(), "rtbContent");
    content->setTextCursor(content->document()->find(kNirText));
    r.Click("cmdPickUp");
    QCOMPARE(clipboard->text(), kNirText);
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
        Results r(f, Sample(false));
        r.Click("cmdConvertir");
        QCOMPARE(f.ui.Titles(), QStringList{QStringLiteral("Conversion")});
        QCOMPARE(QDir(Q(f.dir) + QStringLiteral("/FNS3")).entryList(QDir::Files).size(), 1);
        QVERIFY(!QDir(Q(f.dir) + QStringLiteral("/CR_Erreurs")).exists());
    }
    {
        UiFixture f;
        f.Home<QLineEdit>("txtProcedure")->setText(QStringLiteral(u"Procédure d'essai"));
        Results r(f, Sample(true));
        r.Click("cmdConvertir");
        QCOMPARE(f.ui.Titles(), QStringList{QStringLiteral("Conversion impossible")});
        const QDir reports(Q(f.dir) + QStringLiteral("/CR_Erreurs"));
        const QStringList written = reports.entryList(QDir::Files);
        QCOMPARE(written.size(), 1);
        const QString report = ui::FromCp(ReadBytes(ui::ToCp(reports.filePath(written[0]))));
        QVERIFY(report.contains(QStringLiteral(u"Procédure utilisée : Procédure d'essai\r\n")));
        QVERIFY(report.contains(QStringLiteral("415 - ")));
        QVERIFY(!QDir(Q(f.dir) + QStringLiteral("/FNS3")).exists());
    }
    // Offered only when the parameter file allows it, for the first profile.
    for (const auto& [key, value] : IniChanges{{"ConversionEnabled", "0"}, {"Profil_CR", "1"}}) {
        UiFixture f(IniChanges{{key, value}});
        if (key == "Profil_CR") f.Home<QComboBox>("cmbProfil")->setCurrentIndex(1);
        Results r(f, Sample(true));
        QVERIFY(!f.Find<QPushButton>(&r.Window(), "cmdConvertir")->isVisible());
    }
}

void ResultsWindowTest::printsTheReportDocument() {
    UiFixture f;
    Results r(f, Sample(true));
    f.ui.pdfPath = Q(f.dir) + QStringLiteral("/rapport.pdf");
    f.ui.printerAccepted = false;
    r.Click("cmdImprimer");
    QVERIFY(!QFile::exists(f.ui.pdfPath));
    f.ui.printerAccepted = true;
    r.Click("cmdImprimer");
    QFile pdf(f.ui.pdfPath);
    QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(4) == "%PDF");
    QVERIFY(r.Text("rtbRecepteur").contains(QStringLiteral("1 ERREUR DE CONTENU TROUVEE !")));
    f.ui.pdfPath = Q(f.dir) + QStringLiteral("/absent/rapport.pdf");
    r.Click("cmdImprimer");
    QCOMPARE(f.ui.Titles(), QStringList{QStringLiteral(u"Problème lors de l'impression.")});
    QCOMPARE(f.ui.boxes[0].text, QStringLiteral("482 - Impression impossible."));
}

void ResultsWindowTest::reopeningKeepsTheWindowAndANewRunResetsIt() {
    UiFixture f(IniChanges{{"Profil_CR", "1"}});
    Results r(f, Sample(true));
    r.Show("opt3NIR", kNirText);
    r.Click("cmdFermer");
    const int builds = r.Builds();
    f.Home<QPushButton>("cmdResultat")->click();
    QVERIFY(r.Option("opt3NIR")->isChecked());
    QVERIFY(r.Text("rtbColouredFile").startsWith(QStringLiteral("3  UNH+1+")));
    QCOMPARE(r.Builds(), builds);
    r.Window().reject();
    const QString content = r.Text("rtbContent");
    f.Home<QPushButton>("cmdTester")->click();
    QVERIFY(r.Option("opt1Tout")->isChecked());
    QCOMPARE(r.Nir()->count(), 0);
    QVERIFY(r.Text("rtbColouredFile").startsWith(QStringLiteral("1  UNA")));
    // The second profile checks nothing: the reports of the last check stay.
    r.Window().reject();
    f.Home<QComboBox>("cmbProfil")->setCurrentIndex(1);
    f.Home<QLineEdit>("txtFichier")->setText(Q(f.Write("autre.edi", Sample(false))));
    f.Home<QPushButton>("cmdTester")->click();
    QCOMPARE(r.Text("rtbContent"), content);
}

QTEST_MAIN(ResultsWindowTest)
#include "test_results_window.moc"

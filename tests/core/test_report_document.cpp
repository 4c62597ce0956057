// The report document printed and written as the CR file, and the HTML
// rendering of the reports.
#include "config/Sha256.h"
#include "report_fixture.h"
#include "reports/HtmlSink.h"
#include "reports/ReportDocument.h"

namespace trelvane::test {
namespace {

using ReportDocument = ReportTest;

const std::string kRule(110, '_');

TEST_F(ReportDocument, HeaderThenBothPanesAsShown) {
    platform.filePath = "C:\\Déclarations\\test.edi";  // a path, in UTF-8
    platform.procedureText = "EDI KTV Tome 2";
    platform.profileText = W("VRK Déclaration des revenus");
    platform.now = {2026, 12, 5, 17, 45, 38};
    SetSegments({"UNA:+,? ", "UNB+UNOC:3", "UNZ+1"});
    State().SyntaxErrors = {"[Branchement]"};
    State().ContentErrors = {"[Contenu]"};
    State().File = {.yearCamp = "2025", .read = true, .size = 1234567, .sha256 = "f00d"};
    Initialise_Table_Formats();
    std::string tables;
    for (const char* name : {"tbl_data_format.txt", "tbl_code_erreur_libelle.txt"})
        tables += "SHA-256 de " + std::string(name) + " : " +
                  Sha256Hex(ReadBytes(platform.Directory() + "/" + name)) + "\r\n";
    RemoveTree(platform.Directory() + "/tbl_code_segment.txt");
    Initialise_Table_Codes_Segments_Lib();
    ASSERT_TRUE(Display_Syntax_Errors());
    ASSERT_TRUE(Display_Content_Errors());

    EXPECT_EQ(U(ReportDocumentText()),
              "Résultat de l'analyse EDI du 05/12/2026\r\n\r\n\r\n"
              "Chemin du fichier testé : C:\\Déclarations\\test.edi\r\n"
              "Procédure utilisée : EDI KTV Tome 2\r\n"
              "Profil de test : VRK Déclaration des revenus\r\n"
              "Généré par TOLVEX - Trelvane version 1 mars 2017\r\n"
              "Année de campagne : 2025\r\n"
              "Taille du fichier testé : 1 234 567 octets\r\n"
              "SHA-256 du fichier testé : f00d\r\n" +
                  tables + "SHA-256 de tbl_code_segment.txt : table absente ou illisible\r\n" +
                  kRule +
                  "\r\n\r\n"
                  "\r\nCONTROLES DE SYNTAXE OK\r\n"
                  "\r\nCONTROLES DE CONTENU OK\r\n\r\n");
}

TEST_F(ReportDocument, HeaderRunsSetTheTitleApart) {
    platform.filePath = "x.edi";
    RecordingSink sink;
    sink.InsertText("old");
    BuildReportDocumentHeader(sink);
    ASSERT_EQ(sink.Runs().size(), 2u);
    EXPECT_TRUE(sink.Runs()[0].bold);
    EXPECT_EQ(U(sink.Runs()[0].text), "Résultat de l'analyse EDI du 05/12/2026\r\n\r\n\r\n");
    EXPECT_FALSE(sink.Runs()[1].bold);
    EXPECT_TRUE(sink.PlainText().ends_with(kRule + "\r\n\r\n"));
    EXPECT_EQ(sink.PlainText(), ReportDocumentHeaderText());
    EXPECT_EQ(kVersionText, "1 mars 2017");
}

TEST(HtmlSinkTest, RunsBecomeEscapedSpansInIndentedParagraphs) {
    HtmlSink sink;
    sink.SetIndent(1500);
    sink.SetBold(true);
    sink.SetColor({255, 0, 0});
    sink.InsertText(W("Données <a> & \"b\"\r\n"));
    sink.SetIndent(0);
    sink.SetFontSize(9);
    sink.SetBold(false);
    sink.SetColor({255, 140, 0});
    sink.InsertText("x\x01y");
    EXPECT_EQ(sink.Fragment(),
              "<div class=\"p\" style=\"margin-left:100px\"><span style=\"color:#ff0000;"
              "font-weight:bold\">Données &lt;a&gt; &amp; &quot;b&quot;</span></div>\n"
              "<div class=\"p\"><span style=\"color:#ff8c00;font-size:9pt\">x\xEF\xBF\xBDy"
              "</span></div>\n");
    EXPECT_EQ(U(sink.PlainText()), "Données <a> & \"b\"\r\nx\x01y");
}

TEST(HtmlSinkTest, LegendBulletsAndPage) {
    HtmlSink legend;
    WriteLegend(legend);
    const std::string fragment = legend.Fragment();
    EXPECT_NE(fragment.find("<span style=\"color:#ff0000\">\xE2\x97\x8F </span>"),
              std::string::npos);
    EXPECT_NE(fragment.find("Syntaxe et nombre de données faux"), std::string::npos);
    EXPECT_EQ(U(legend.PlainText()),
              "l Syntaxe incorrecte\r\nl Nombre de données faux\r\n"
              "l Syntaxe et nombre de données faux\r\nl Format ou valeur incorrect\r\n"
              "l Documents du dossier en anomalie");
    const std::string page = HtmlPage(W("Résultats"), {{W("Légende"), &legend, {255, 255, 240}}});
    EXPECT_TRUE(page.starts_with("<!DOCTYPE html>"));
    EXPECT_NE(page.find("<legend>Légende</legend>"), std::string::npos);
    EXPECT_NE(page.find("background:#fffff0"), std::string::npos);
}

}  // namespace
}  // namespace trelvane::test

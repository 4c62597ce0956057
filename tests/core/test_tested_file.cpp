// What a run notes about the file it tested: a hint at the top of the syntax
// report when the file was written for another system, and the file's size
// and digest in the report document's header.
#include <gtest/gtest.h>

#include <string>

#include "driver/MainTest.h"
#include "reports/PlainTextSink.h"
#include "reports/ReportDocument.h"
#include "reports/modDisplayFunctions.h"
#include "run/modMainFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane::test {
namespace {

class TestedFileRun : public ::testing::Test {
  protected:
    void SetUp() override { SetReportPanes({&syntax, &content, &coloured}); }
    void TearDown() override { SetReportPanes({}); }
    // The first line of the syntax report ("" when it starts with its own blank line).
    std::string FirstLine(const std::string& bytes) {
        platform.filePath = platform.Directory() + "/f.edi";
        WriteBytes(platform.filePath, bytes);
        MainTest();
        const std::string text = U(syntax.PlainText());
        return text.substr(0, text.find("\r\n"));
    }
    ScriptedPlatform platform;
    PlainTextSink syntax, content, coloured;
};

TEST_F(TestedFileRun, HintsForLineFeedsAndUtf8) {
    const std::string lf = "Les fins de ligne du fichier sont au format Unix (LF) : ";
    const std::string bom = "Le fichier commence par une marque d'ordre des octets UTF-8 (BOM) : ";
    const std::string utf8 = "Le fichier est codé en UTF-8 : ";
    const std::string both = "Le fichier est codé en UTF-8 et commence par une marque";
    const std::string head = "UNA:+,? 'UNB+UNOC:3'";
    const struct {
        std::string bytes, hint;
    } kCases[] = {
        {"UNA:+,? '\nUNB+UNOC:3'\nUNZ+1'\n", lf},
        {"UNA:+,? '\r\nUNB+UNOC:3'\r\nUNZ+1'\r\n", ""},
        {"UNA:+,? '\nUNB'\nUNH'UNZ'", ""},  // half of the terminators only
        {"UNA:+,? '\nUNB'\nUNH'\nUNZ'", lf},
        {"UNA:+,? 'UNB+A\nB'UNZ'\n", ""},
        {"\xEF\xBB\xBF" + head, bom},
        {"\xEF\xBB\xBF", bom},  // the mark and nothing else
        {head + "NAD+DT+J\xC3\x89R\xC3\x94ME'", utf8},
        {"\xEF\xBB\xBF" + head + "NAD+\xE2\x82\xAC'", both},
        {head + "NAD+DT+J\xC9R\xD4ME'", ""},             // Windows-1252
        {head + "NAD+\xC0\xAF'", ""},                    // overlong
        {head + "NAD+\xED\xA0\x80'", ""},                // surrogate
        {head + "NAD+\xF4\x90\x80\x80'", ""},            // beyond the last character
        {head + "NAD+\xC3", ""},                         // cut short
        {std::string(262143, 'A') + "\xC3\x89'", utf8},  // across two pieces read
    };
    for (const auto& c : kCases) {
        const std::string line = FirstLine(c.bytes);
        if (c.hint.empty())
            EXPECT_EQ(line, "") << c.bytes.substr(0, 40);
        else
            EXPECT_TRUE(line.starts_with(c.hint)) << line;
    }
}

TEST_F(TestedFileRun, HeaderSaysWhatWasRead) {
    // The year, size and digest of a whole run are in the golden files.
    platform.profileIndex = 1;  // checks nothing: no earlier file is named
    FirstLine("UNA'");
    EXPECT_NE(U(ReportDocumentHeaderText()).find("Taille du fichier testé : 4 octets\r\n"),
              std::string::npos);
    platform.profileIndex = 0;
    platform.yearCamp = "2024";
    FirstLine("");
    EXPECT_NE(U(ReportDocumentHeaderText()).find("2024\r\nTaille du fichier testé : 0 octet\r\n"),
              std::string::npos);
    platform.filePath = platform.Directory();  // a directory cannot be read
    MainTest();
    EXPECT_NE(U(ReportDocumentHeaderText())
                  .find(": inconnue (fichier illisible)\r\nSHA-256 du "
                        "fichier testé : inconnue (fichier illisible)"),
              std::string::npos);
}

}  // namespace
}  // namespace trelvane::test

// The FNS3 records of dossiers built from the conversion stores: every field
// of every record type at its columns, the annex cut, the cells and the lines
// of an annex, and a conversion that fails half-way.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <utility>

#include "config/RuntimeErrors.h"
#include "config/modIOfunctions.h"
#include "content/ReferenceTables.h"
#include "content/modKTVContentSEQ.h"
#include "content/modKTVFacChecks.h"
#include "conversion/Fns3Records.h"
#include "conversion/modKTVConversionFunctions.h"
#include "run/modMainFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane {
namespace {

using test::W;

// A 255-character record with texts placed at 1-based columns.
std::string Rec(std::initializer_list<std::pair<std::size_t, std::string>> fields) {
    std::string line(255, ' ');
    for (const auto& [column, text] : fields)
        line.replace(column - 1, text.size(), text);
    return line;
}

std::string Pad(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

// One information cell: code on 4, value on 15.
std::string Cell(const std::string& code, const std::string& value) {
    return Pad(code, 4) + Pad(value, 15);
}

std::string IndValue(const std::string& form, const std::string& number, const std::string& code,
                     const std::string& target) {
    return Pad(form, 8) + "25" + number + "00" + code + target;
}

class Fns3Records : public ::testing::Test {
  public:
    test::ScriptedPlatform platform;
    std::int64_t group = 0;

    void SetUp() override {
        platform.yearCamp = "2026";
        platform.now = {2026, 3, 7, 9, 5, 4};
        std::filesystem::create_directory(platform.Directory() + "/logs");
        State().Delimiters = {"'", "+", ":", "?"};
        Initialise_Table_Codes_Segments_Lib();
        InitFNS3Lines();
        ResetDossData();
        ClearFailedConversions();
        SetFacisOnlyDossier(false);
        Envelope({1});
        Unb("SENDER01", "251215", "1030", "REF00000001", "KTV001", "T");
    }

    // The segments CountMessagesInInterchange walks: n dossiers per interchange.
    static void Envelope(std::initializer_list<int> dossiers) {
        StringList segments;
        for (int n : dossiers) {
            segments.push_back("UNA:+,? ");
            segments.push_back("UNB+UNOC:3+SENDER01:ZZ+CSEKTV:ZZ+251215:1030+REF00000001");
            for (int d = 1; d <= n; ++d) {
                segments.push_back("UNH+" + std::to_string(d) + "+KTV:D:00B:UN:KTV001");
                segments.push_back("UNT+3+" + std::to_string(d));
            }
            segments.push_back("UNZ+" + std::to_string(n) + "+REF00000001");
        }
        State().Segments = SegmentTexts::FromStringList(segments);
    }

    static void Unb(const std::string& sender, const std::string& date, const std::string& time,
                    const std::string& reference, const std::string& agreement,
                    const std::string& test) {
        SaveInterchData(2, 2, 0, sender);
        SaveInterchData(2, 4, 0, date);
        SaveInterchData(2, 4, 1, time);
        SaveInterchData(2, 5, 0, reference);
        SaveInterchData(2, 10, 0, agreement);
        SaveInterchData(2, 11, 0, test);
    }

    static void Party(int n, const std::string& qualifier, const std::string& id,
                      const std::string& name0, const std::string& name1,
                      const std::string& street0, const std::string& street1,
                      const std::string& city, const std::string& postal) {
        SaveDossData(0, 5, n, 1, 0, qualifier);
        SaveDossData(0, 5, n, 2, 0, id);
        SaveDossData(0, 5, n, 4, 0, name0);
        SaveDossData(0, 5, n, 4, 1, name1);
        SaveDossData(0, 5, n, 5, 0, street0);
        SaveDossData(0, 5, n, 5, 1, street1);
        SaveDossData(0, 5, n, 6, 0, city);
        SaveDossData(0, 5, n, 8, 0, postal);
    }

    // The dossier-level values of a usual dossier (its store was just reset).
    void NewDossier(const std::string& nir = "1750175123456") {
        ResetDossData();
        group = 0;
        SaveDossData(0, 2, 1, 2, 0, "Doc0001");
        Party(1, "MS", "SENDER01", "Cabinet Dupont", "", "12 rue des Lilas", "", "Paris", "75001");
        Party(2, "MR", "CSEKTV", "", "", "", "", "", "");
        Party(3, "EM", "EMP00001", W("Société Martin"), "", "3 avenue Foch", W("Bâtiment ?+B"),
              "Lyon", "69001");
        Party(4, "DT", nir, "Duran", "Durand Jean", "8 place Bellecour", "", "Lyon", "69002");
        SaveDossData(0, 6, 1, 1, 1, "Ref-a1");
        SaveDossData(0, 6, 2, 1, 1, "Cli 42");
    }

    std::int64_t Info(const std::string& form, const std::string& number, const std::string& code,
                      const std::string& target) {
        ++group;
        SaveDossData(group, 7, 1, 2, 0, std::to_string(group));
        SaveDossData(group, 8, 1, 2, 0, IndValue(form, number, code, target));
        return group;
    }
    void Moa(const std::string& form, const std::string& number, const std::string& code,
             const std::string& sign, const std::string& amount) {
        const std::int64_t g = Info(form, number, code, "MOA");
        SaveDossData(g, 9, 1, 1, 1, amount);
        SaveDossData(g, 9, 1, 1, 4, sign);
    }
    void Ftx(const std::string& form, const std::string& number, const std::string& code,
             const std::string& text) {
        SaveDossData(Info(form, number, code, "FTX"), 10, 1, 4, 0, text);
    }
    void Pcd(const std::string& percentage) {
        SaveDossData(Info("KTVECE", "0000", "0051", "PCD"), 11, 1, 1, 1, percentage);
    }
    void Company(const std::string& form, const std::string& number, const std::string& id,
                 const std::string& name) {
        const std::int64_t g = Info(form, number, "0050", "NAD");
        SaveDossData(g, 5, 5, 2, 0, id);
        SaveDossData(g, 5, 5, 4, 0, name);
    }
    void Closing(const std::string& form, const std::string& number) {
        SaveDossData(Info(form, number, "0139", "CCI"), 13, 1, 1, 0, "o");
    }

    static std::vector<std::string> Lines() {
        const Fns3LineList& list = FNS3Lines();
        std::vector<std::string> out;
        for (std::size_t i = 1; i < list.size(); ++i)
            out.emplace_back(list[i]);
        return out;
    }
    static std::vector<std::string> LinesOf(const std::string& prefix) {
        std::vector<std::string> out;
        for (const std::string& line : Lines())
            if (line.rfind(prefix, 0) == 0) out.push_back(line);
        return out;
    }
    std::string TraceText() const { return test::ReadBytes(CurrentTraceFilePath()); }

    static std::string Ans0(const std::string& count) {
        return Rec({{1, "ANS0"},
                    {5, "SENDER01"},
                    {19, "CSEKTV"},
                    {33, "20251215"},
                    {41, "1030"},
                    {45, "T"},
                    {46, "KTV"},
                    {52, "D"},
                    {55, "00B"},
                    {58, count},
                    {66, "REF00000001"},
                    {80, "KTV001"},
                    {86, "0"},
                    {87, "EDI"}});
    }
};

TEST_F(Fns3Records, HeaderRecordsOfAnOrdinaryDossierFieldByField) {
    NewDossier();
    Moa("KTVECE", "0000", "0010", "", "15000");
    Moa("KTVECE", "0000", "0055", "-", "200");
    ConvertDossierToFNS3(1, 1);

    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], Ans0("00000001"));
    EXPECT_EQ(lines[1], Rec({{1, "ANS1"},
                             {5, "1750175123456"},
                             {18, "DURAN"},
                             {23, "2025"},
                             {27, "20260307"},
                             {35, "DOC0001"}}));
    EXPECT_EQ(lines[2], Rec({{1, "ANS2"},
                             {5, "MS"},
                             {8, "SENDER01"},
                             {32, "CABINET DUPONT"},
                             {67, "12 RUE DES LILAS"},
                             {172, "PARIS"},
                             {207, "75001"}}));
    EXPECT_EQ(lines[3], Rec({{1, "ANS2"}, {5, "MR"}, {8, "CSEKTV"}, {216, "REF-A1"}}));
    // Accented letters upper-cased in Windows-1252, "?" removed from the streets.
    EXPECT_EQ(lines[4], Rec({{1, "ANS2"},
                             {5, "EM"},
                             {8, "EMP00001"},
                             {32, W("SOCIÉTÉ MARTIN")},
                             {67, "3 AVENUE FOCH"},
                             {102, W("BÂTIMENT +B")},
                             {172, "LYON"},
                             {207, "69001"}}));
    // The member's name is the second name component; RFF2 goes with NAD4.
    EXPECT_EQ(lines[5], Rec({{1, "ANS2"},
                             {5, "DT"},
                             {8, "1750175123456"},
                             {32, "DURAND JEAN"},
                             {67, "8 PLACE BELLECOUR"},
                             {172, "LYON"},
                             {207, "69002"},
                             {216, "CLI 42"}}));
    EXPECT_EQ(lines[6],
              Rec({{1, "ANS3"}, {5, "10"}, {60, Cell("0010", "15000") + Cell("0055", "-200")}}));
    for (const std::string& line : lines)
        EXPECT_EQ(line.size(), 255u);
    EXPECT_TRUE(FailedConversions().empty());
}

TEST_F(Fns3Records, AnInterchangeHeaderOnlyBeforeTheFirstDossierOfEachInterchange) {
    Envelope({2, 3});
    NewDossier();
    Moa("KTVECE", "0000", "0010", "", "100");
    ConvertDossierToFNS3(1, 1);
    NewDossier("2750175123457");
    Moa("KTVECE", "0000", "0010", "", "200");
    ConvertDossierToFNS3(2, 1);

    // The second interchange's UNB, and its own dossier count.
    Unb("SENDER02", "260102", "0815", "REF2", "KTV002", "R");
    NewDossier("1800175123458");
    Moa("KTVECE", "0000", "0010", "", "300");
    ConvertDossierToFNS3(1, 2);

    std::vector<std::string> kinds;
    for (const std::string& line : Lines())
        kinds.push_back(line.substr(0, 4));
    const std::vector<std::string> expected = {
        "ANS0", "ANS1", "ANS2", "ANS2", "ANS2", "ANS2", "ANS3", "ANS1", "ANS2", "ANS2",
        "ANS2", "ANS2", "ANS3", "ANS0", "ANS1", "ANS2", "ANS2", "ANS2", "ANS2", "ANS3"};
    EXPECT_EQ(kinds, expected);
    const std::vector<std::string> headers = LinesOf("ANS0");
    ASSERT_EQ(headers.size(), 2u);
    EXPECT_EQ(headers[0], Ans0("00000002"));
    EXPECT_EQ(headers[1], Rec({{1, "ANS0"},
                               {5, "SENDER02"},
                               {19, "CSEKTV"},
                               {33, "20260102"},
                               {41, "0815"},
                               {45, "R"},
                               {46, "KTV"},
                               {52, "D"},
                               {55, "00B"},
                               {58, "00000003"},
                               {66, "REF2"},
                               {80, "KTV002"},
                               {86, "0"},
                               {87, "EDI"}}));
    // The second dossier never shows the first one's values.
    const std::vector<std::string> details = LinesOf("ANS3");
    ASSERT_EQ(details.size(), 3u);
    EXPECT_EQ(details[1].substr(59, 19), Cell("0010", "200"));
    EXPECT_EQ(LinesOf("ANS1")[1].substr(4, 13), "2750175123457");
}

TEST_F(Fns3Records, TenElevenAndFortyInformationsAndTheContinuationFlag) {
    NewDossier();
    for (int i = 0; i < 10; ++i)
        Moa("KTVECE", "0000", "0010", "", std::to_string(i + 1));
    ConvertDossierToFNS3(2, 1);
    std::vector<std::string> annex = LinesOf("ANS3");
    ASSERT_EQ(annex.size(), 1u);
    EXPECT_EQ(annex[0][35], ' ');
    EXPECT_EQ(annex[0].substr(59 + 9 * 19, 19), Cell("0010", "10"));
    EXPECT_EQ(annex[0].substr(249), "      ");

    InitFNS3Lines();
    Moa("KTVECE", "0000", "0010", "", "11");
    ConvertDossierToFNS3(2, 1);
    annex = LinesOf("ANS3");
    ASSERT_EQ(annex.size(), 2u);
    EXPECT_EQ(annex[0][35], 'S');
    EXPECT_EQ(annex[1][35], ' ');
    EXPECT_EQ(annex[1], Rec({{1, "ANS3"}, {5, "10"}, {60, Cell("0010", "11")}}));

    // L = 380: two full lines, no third.
    InitFNS3Lines();
    for (int i = 11; i < 20; ++i)
        Moa("KTVECE", "0000", "0010", "", std::to_string(i + 1));
    ConvertDossierToFNS3(2, 1);
    annex = LinesOf("ANS3");
    ASSERT_EQ(annex.size(), 2u);
    EXPECT_EQ(annex[0][35], 'S');
    EXPECT_EQ(annex[1][35], ' ');
    EXPECT_EQ(annex[1].substr(59 + 9 * 19, 19), Cell("0010", "20"));

    InitFNS3Lines();
    for (int i = 20; i < 40; ++i)
        Moa("KTVECE", "0000", "0010", "", std::to_string(i + 1));
    ConvertDossierToFNS3(2, 1);
    annex = LinesOf("ANS3");
    ASSERT_EQ(annex.size(), 5u);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(annex[static_cast<std::size_t>(k)][35], 'S') << k;
        EXPECT_EQ(annex[static_cast<std::size_t>(k)].substr(59, 19),
                  Cell("0010", std::to_string(10 * k + 1)));
    }
    // L = 760: a fifth line with no cell at all.
    EXPECT_EQ(annex[4], Rec({{1, "ANS3"}, {5, "10"}}));
}

TEST_F(Fns3Records, TheFirstAnnexIsOneRunAndLaterAnnexesAreCutByTypeAndNumber) {
    NewDossier();
    Moa("KTVECE", "0000", "0010", "", "1000");
    // An odd annex number inside the main form does not cut it.
    Moa("KTVECE", "0001", "0055", "", "700");
    Moa("FACCE", "0001", "0035", "", "300");
    Closing("FACCE", "0001");
    Moa("FACCE", "0002", "0035", "", "50");
    Closing("FACCE", "0002");
    Moa("FACIS", "0001", "0235", "", "80");
    Closing("FACIS", "0001");
    ConvertDossierToFNS3(1, 1);

    const std::vector<std::string> annexes = LinesOf("ANS3");
    ASSERT_EQ(annexes.size(), 4u);
    EXPECT_EQ(annexes[0],
              Rec({{1, "ANS3"}, {5, "10"}, {60, Cell("0010", "1000") + Cell("0055", "700")}}));
    const std::string facce = "20SIRSIRSIRRASOCRASOCRASOCRASOC";
    EXPECT_EQ(annexes[1],
              Rec({{1, "ANS3"}, {5, facce}, {60, Cell("0035", "300") + Cell("0139", "O")}}));
    EXPECT_EQ(annexes[2],
              Rec({{1, "ANS3"}, {5, facce}, {60, Cell("0035", "50") + Cell("0139", "O")}}));
    EXPECT_EQ(annexes[3], Rec({{1, "ANS3"},
                               {5, "60SIRSIRSIRRASOCRASOCRASOCRASOC"},
                               {60, Cell("0235", "80") + Cell("0139", "O")}}));
    // Not a FACIS-only dossier: no marker.
    for (const std::string& line : Lines())
        EXPECT_NE(line, "ANS310");
}

TEST_F(Fns3Records, AnnexCompanyReplacesThePlaceholdersAsItStands) {
    NewDossier();
    Moa("KTVECE", "0000", "0010", "", "1000");
    Company("FACCE", "0001", "123456789012", "Garage du #Centre et fils");
    for (int i = 0; i < 10; ++i)
        Moa("FACCE", "0001", "0035", "", std::to_string(i));
    // A second company of the same annex changes nothing.
    Company("FACCE", "0001", "999999999", "Autre");
    Closing("FACCE", "0001");
    Company("FACCE", "0002", "4321", "Petit");
    Closing("FACCE", "0002");
    ConvertDossierToFNS3(1, 1);

    const std::vector<std::string> annexes = LinesOf("ANS3");
    ASSERT_EQ(annexes.size(), 4u);
    // Not upper-cased; the "#" of the name is not the continuation flag.
    EXPECT_EQ(annexes[1].substr(0, 36), "ANS320123456789Garage du #Centre etS");
    EXPECT_EQ(annexes[2].substr(0, 36), "ANS320123456789Garage du #Centre et ");
    EXPECT_EQ(annexes[2].substr(59, 19), Cell("0139", "O"));
    EXPECT_EQ(annexes[2].substr(78), std::string(255 - 78, ' '));
    EXPECT_EQ(annexes[3], Rec({{1, "ANS3"}, {5, "204321     Petit"}, {60, Cell("0139", "O")}}));
}

TEST_F(Fns3Records, AFreeTextCodedNumberTakesThreeNumberedCells) {
    NewDossier();
    Moa("KTVECE", "0000", "0010", "", "1000");
    Moa("FACCE", "0003", "0035", "", "300");
    // 45 characters once the release characters are gone.
    Ftx("FACCE", "0003", "0120", W("Ligne un : pièces?+jointes / Société 2 / final"));
    Ftx("FACCE", "0003", "0120", "court");
    Closing("FACCE", "0003");
    ConvertDossierToFNS3(1, 1);

    const std::vector<std::string> annexes = LinesOf("ANS3");
    ASSERT_EQ(annexes.size(), 2u);
    const std::string text = W("LIGNE UN : PIÈCES+JOINTES / SOCIÉTÉ 2 / FINAL");
    ASSERT_EQ(text.size(), 45u);
    EXPECT_EQ(annexes[1], Rec({{1, "ANS3"},
                               {5, "20SIRSIRSIRRASOCRASOCRASOCRASOC"},
                               {60, Cell("0035", "300") + Cell("9121", text.substr(0, 15)) +
                                        Cell("9122", text.substr(15, 15)) +
                                        Cell("9123", text.substr(30)) + Cell("9124", "COURT") +
                                        Cell("9125", "") + Cell("9126", "") + Cell("0139", "O")}}));
}

TEST_F(Fns3Records, PercentagesAndOtherInformationKinds) {
    NewDossier();
    Pcd("12,5");
    Pcd("7");
    Pcd("123,45");
    Pcd(",5");
    SaveDossData(Info("KTVECE", "0000", "0020", "RFF"), 6, 3, 1, 1, "ab12");
    SaveDossData(Info("KTVECE", "0000", "0021", "DTM"), 4, 2, 1, 1, "20251231");
    SaveDossData(Info("KTVECE", "0000", "0023", "CCI"), 13, 1, 1, 0, "n");
    Ftx("KTVECE", "0000", "0022", "un texte de plus de quinze lettres");
    ConvertDossierToFNS3(1, 1);
    EXPECT_EQ(
        LinesOf("ANS3").at(0),
        Rec({{1, "ANS3"},
             {5, "10"},
             {60, Cell("0051", "01250") + Cell("0051", "00700") + Cell("0051", "12345") +
                      Cell("0051", "00050") + Cell("0020", "AB12") + Cell("0021", "20251231") +
                      Cell("0023", "N") + Cell("0022", "UN TEXTE DE PLU")}}));
    EXPECT_TRUE(FailedConversions().empty());
}

TEST_F(Fns3Records, AFacisOnlyDossierMarksEachFacisAnnex) {
    SetFacisOnlyDossier(true);
    NewDossier();
    Company("FACIS", "0001", "552100554", "Banque Nord");
    Moa("FACIS", "0001", "0235", "", "120");
    Closing("FACIS", "0001");
    Moa("FACIS", "0002", "0236", "", "40");
    Closing("FACIS", "0002");
    ConvertDossierToFNS3(1, 1);

    std::vector<std::string> kinds;
    for (const std::string& line : Lines())
        kinds.push_back(line.substr(0, 6));
    const std::vector<std::string> expected = {"ANS0SE", "ANS117", "ANS2MS", "ANS2MR", "ANS2EM",
                                               "ANS2DT", "ANS310", "ANS360", "ANS310", "ANS360"};
    EXPECT_EQ(kinds, expected);
    const std::vector<std::string> lines = Lines();
    EXPECT_EQ(lines[6], "ANS310");
    EXPECT_EQ(lines[7], Rec({{1, "ANS3"},
                             {5, "60552100554Banque Nord"},
                             {60, Cell("0235", "120") + Cell("0139", "O")}}));
    EXPECT_EQ(lines[9], Rec({{1, "ANS3"},
                             {5, "60SIRSIRSIRRASOCRASOCRASOCRASOC"},
                             {60, Cell("0236", "40") + Cell("0139", "O")}}));
}

TEST_F(Fns3Records, AnEmptyDeclarationHasNoDetailRecord) {
    NewDossier();
    SaveDossData(0, 2, 1, 3, 0, "9");
    Info("KTVECE", "0000", "0000", "ZZZ");
    ConvertDossierToFNS3(3, 1);
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].substr(0, 4), "ANS1");
    EXPECT_EQ(lines[0][69], '9');
    for (std::size_t i = 1; i < 5; ++i)
        EXPECT_EQ(lines[i].substr(0, 4), "ANS2");
}

TEST_F(Fns3Records, AnAnnexFillingTheLastGroupIsNotLost) {
    NewDossier();
    for (int i = 0; i < 97; ++i)
        Moa("KTVECE", "0000", "0010", "", "1");
    Moa("FACCE", "0001", "0035", "", "5");
    Closing("FACCE", "0001");
    ASSERT_EQ(group, 99);
    ConvertDossierToFNS3(1, 1);
    const std::vector<std::string> annexes = LinesOf("ANS3");
    ASSERT_EQ(annexes.size(), 11u);
    EXPECT_EQ(annexes[10].substr(59, 38), Cell("0035", "5") + Cell("0139", "O"));
}

// A failure keeps what was appended, names the dossier in the trace (trace
// mode off) and in FailedConversions, and the next dossier converts normally.
TEST_F(Fns3Records, AFailedDossierStopsWithATraceLine) {
    struct Case {
        const char* name;
        void (*fill)(Fns3Records&);
        std::size_t linesKept;
        int number;
    };
    const Case cases[] = {
        {"0120 of 50 characters",
         [](Fns3Records& f) {
             f.Moa("KTVECE", "0000", "0010", "", "1");
             f.Ftx("KTVECE", "0000", "0120", std::string(50, 'x'));
         },
         5, 5},
        {"PCD of four integer digits", [](Fns3Records& f) { f.Pcd("1234"); }, 5, 5},
        {"PCD code without PCD segment",
         [](Fns3Records& f) { f.Info("KTVECE", "0000", "0051", "PCD"); }, 5, 9},
        {"BGM document number of 36 characters",
         [](Fns3Records&) { SaveDossData(0, 2, 1, 2, 0, std::string(36, '1')); }, 0, 5},
    };
    std::int64_t dossier = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ++dossier;
        InitFNS3Lines();
        ClearFailedConversions();
        NewDossier();
        c.fill(*this);
        ConvertDossierToFNS3(dossier, 1);
        const std::vector<std::string> lines = Lines();
        ASSERT_EQ(lines.size(), c.linesKept);
        if (c.linesKept > 0) {
            EXPECT_EQ(lines[0].substr(0, 4), "ANS1");
        }
        ASSERT_EQ(FailedConversions().size(), 1u);
        EXPECT_EQ(FailedConversions()[0].dossier, dossier);
        EXPECT_EQ(FailedConversions()[0].interchange, 1);
        const std::string expected = std::to_string(c.number) + " : " + ErrorDescription(c.number) +
                                     W(" : dossier n°") + std::to_string(dossier) + "\r\n";
        const std::string trace = TraceText();
        ASSERT_GE(trace.size(), expected.size());
        EXPECT_EQ(trace.substr(trace.size() - expected.size()), expected);
        EXPECT_NE(trace.find("[modKTVConversionFunctions >> ConvertDossierToFNS3]"),
                  std::string::npos);
    }
    EXPECT_TRUE(platform.messages.empty());

    NewDossier();
    Moa("KTVECE", "0000", "0010", "", "1");
    ConvertDossierToFNS3(9, 1);
    EXPECT_EQ(Lines().size(), 6u);
    EXPECT_EQ(FailedConversions().size(), 1u);
    EXPECT_EQ(FailedConversionsText(), "5");
}

// Out of trace mode and without a log directory, a failed dossier is kept
// for the conversion command but shows no write failure, one per dossier.
TEST_F(Fns3Records, AFailedDossierWithoutLogDirectoryShowsNothing) {
    std::filesystem::remove_all(platform.Directory() + "/logs");
    for (std::int64_t dossier = 1; dossier <= 3; ++dossier) {
        NewDossier();
        Pcd("1234");
        ConvertDossierToFNS3(dossier, 1);
    }
    EXPECT_EQ(FailedConversions().size(), 3u);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(platform.Directory() + "/logs"));
}

}  // namespace
}  // namespace trelvane

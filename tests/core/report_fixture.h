// Shared set-up of the report tests: a scripted platform with a small label
// table, the run state set by hand, and recording panes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Cp1252.h"
#include "content/ReferenceTables.h"
#include "reports/RecordingSink.h"
#include "reports/modDisplayFunctions.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane::test {

// Code, separator, class, separator, message, as the label file holds them.
inline const char* const kLabelLines[] = {
    "003 rej Le premier segment doit être UNA",
    "008 rej Valeur non conforme",
    "080 sig Longueur de la donnée incorrecte",
    "402 rej Nombre de données incorrect",
    "444 rej Donnée simple attendue",
    "612 sir Montant incohérent avec l'annexe",
    "700 xyz Classe inconnue",
    "900 rej Segment non autorisé à cet endroit",
    "901 rej Segment inconnu",
};

class ReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string file;
        for (const char* line : kLabelLines)
            file += W(line) + "\r\n";
        WriteBytes(platform.Directory() + "/tbl_code_erreur_libelle.txt", file);
        Initialise_Table_Erreurs_Lib();
        SetReportPanes({&syntax, &content, &coloured});
        State() = RunState{};
        State().Delimiters = {"'", "+", ":", "?"};
        SetWarningCount(0);
    }
    void TearDown() override {
        SetReportPanes(saved);
        State() = RunState{};
    }
    // The label table is loaded by the reference table module.
    bool LabelsLoaded() const { return !GetErrorLabel("900").empty(); }

    void SetSegments(const std::vector<std::string>& segments) {
        State().Segments = SegmentTexts();
        for (const auto& s : segments)
            State().Segments.push_back(s);
    }

    ScriptedPlatform platform;
    RecordingSink syntax, content, coloured;
    ReportPanes saved = CurrentReportPanes();
};

#define REQUIRE_LABELS()                                                    \
    do {                                                                    \
        if (!LabelsLoaded()) GTEST_SKIP() << "error label table not built"; \
    } while (0)

// The runs as "text|r,g,b|bold|size|indent" lines, UTF-8, for comparisons.
inline std::string Describe(const TextRun& r) {
    return U(r.text) + "|" + std::to_string(r.color.r) + "," + std::to_string(r.color.g) + "," +
           std::to_string(r.color.b) + "|" + (r.bold ? "B" : "-") + "|" + std::to_string(r.size) +
           "|" + std::to_string(r.indent);
}
inline std::vector<std::string> Describe(const RecordingSink& sink) {
    std::vector<std::string> out;
    for (const auto& r : sink.Runs())
        out.push_back(Describe(r));
    return out;
}

}  // namespace trelvane::test

#include "conversion/ConversionCommand.h"

#include <cstdio>
#include <exception>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/RuntimeErrors.h"
#include "config/modIOfunctions.h"
#include "conversion/Fns3Records.h"
#include "conversion/modKTVConversionFunctions.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

namespace trelvane {

namespace {

constexpr std::string_view kModTests = "frmTests";
constexpr std::string_view kProcConvert = "cmdConvertir_Click";

bool HasNoErrorLeft() {
    const RunState& s = State();
    return s.SyntaxErrors.size() == 1 &&
           static_cast<std::int64_t>(s.ContentErrors.size()) - 1 == GetWarningCount();
}

std::string CrFileName(const LocalDateTime& t) {
    const std::string time = LongTime(t);
    char date[32];
    std::snprintf(date, sizeof date, "%02d%02d%04d", t.day, t.month, t.year);
    return time.substr(0, 2) + time.substr(3, 2) + time.substr(6, 2) + "_" + date + "_CRErreur.txt";
}

// The message comes once the file is written, so that it can give the
// file's full path; a failed write has already said why.
ConversionOutcome Announce(ConversionOutcome outcome, std::string_view title,
                           std::string_view text) {
    if (!outcome.path.empty())
        CurrentPlatform().ShowFileWritten(
            title, std::string(text) + "\r\n" + DisplayPath(outcome.path), outcome.path);
    return outcome;
}

ConversionOutcome WriteReport(std::string_view reportDocument, const std::string& baseDirectory,
                              std::string_view text) {
    const std::string dir = OutputDirectory("CR_Erreurs", baseDirectory);
    if (!FileExists(dir)) MakeDir(dir, "d'erreurs");
    ConversionOutcome outcome;
    outcome.path = WriteCRFile(reportDocument, dir);
    outcome.result =
        outcome.path.empty() ? ConversionResult::Failed : ConversionResult::ReportWritten;
    return Announce(outcome, "Conversion impossible", text);
}

}  // namespace

bool IsFileConvertible() {
    return HasNoErrorLeft() && FailedConversions().empty();
}

std::string WriteCRFile(std::string_view reportDocument, const std::string& directory) {
    RemoveStalePartFiles(directory, {"999999_99999999_CRErreur.txt"});
    std::string path = JoinPath(directory, CrFileName(CurrentPlatform().Now()));
    if (!WriteInFile(reportDocument, path, "CRErreur")) return {};
    return path;
}

ConversionOutcome RunConversionCommand(std::string_view reportDocument,
                                       const std::string& baseDirectory) {
    try {
        Trace("** BOUTON CONVERSION EN FNS3 **", kModTests, kProcConvert);
        if (State().Withheld != WithheldReason::None) {
            // The state does not hold this file's complete results: whatever
            // would be written could belong to another file.
            CurrentPlatform().ShowMessage("Conversion impossible",
                                          "Les résultats du dernier test sont incomplets : "
                                          "relancez le test avant la conversion."_cp,
                                          MsgIcon::Information, MsgButtons::Ok);
            return {};
        }
        if (!HasNoErrorLeft()) {
            return WriteReport(
                reportDocument, baseDirectory,
                "La conversion du fichier EDI est impossible car il contient encore des erreurs\r\n"
                "Un compte-rendu d'erreur va être créé dans le répertoire 'CR_Erreurs'"_cp);
        }
        if (!FailedConversions().empty()) {
            // Their records are incomplete: an FNS3 file would silently lack them.
            return WriteReport(
                reportDocument, baseDirectory,
                "La conversion du fichier EDI est impossible car la conversion en FNS3 a échoué "
                "pour les dossiers n° "_cp +
                    FailedConversionsText() +
                    "\r\nUn compte-rendu d'erreur va être créé dans le répertoire 'CR_Erreurs'"_cp);
        }
        const std::string dir = OutputDirectory("FNS3", baseDirectory);
        if (!FileExists(dir)) MakeDir(dir, "FNS3");
        ConversionOutcome outcome;
        outcome.path = WriteFNS3File(dir);
        outcome.result =
            outcome.path.empty() ? ConversionResult::Failed : ConversionResult::Fns3Written;
        return Announce(outcome, "Conversion",
                        "Le fichier converti va être produit dans le dossier 'FNS3'"_cp);
    } catch (const RuntimeError& e) {
        Trace(std::to_string(e.Number()) + " : boum !", kModTests, kProcConvert);
    } catch (const std::exception&) {
        Trace(std::to_string(static_cast<int>(kErrInvalidCall)) + " : boum !", kModTests,
              kProcConvert);
    }
    return {};
}

}  // namespace trelvane

// trelvane-check: the checks of the desktop program, for build pipelines and
// scripts. It runs the same test as the Test button, with the first profile.
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/ConsolePlatform.h"
#include "cli/JsonDump.h"
#include "cli/StreamTextSink.h"
#include "config/Cp1252.h"
#include "config/FileSystem.h"
#include "config/RuntimeErrors.h"
#include "config/modIOfunctions.h"
#include "conversion/ConversionCommand.h"
#include "conversion/modKTVConversionFunctions.h"
#include "reports/DossierList.h"
#include "reports/HtmlSink.h"
#include "reports/NullSink.h"
#include "reports/PlainTextSink.h"
#include "reports/ReportDocument.h"
#include "reports/ResultsPage.h"
#include "reports/modDisplayFunctions.h"
#include "run/Summaries.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

using namespace trelvane;

namespace {

enum ExitCode {
    kConvertible = 0,
    kErrorsFound = 1,
    kBadUsage = 2,
    kConfigurationFault = 3,
    kConversionFailed = 4,
    kOutOfMemory = 5,
};

constexpr const char* kHelp =
    "Usage : trelvane-check [options] FICHIER\n"
    "\n"
    "Teste un fichier de déclaration KTV (syntaxe EDIFACT et contenu) comme le\n"
    "bouton Tester du programme, avec le profil « VRK Déclaration des revenus ».\n"
    "FICHIER « - » : l'entrée standard (lue en entier, 1 Go au plus).\n"
    "\n"
    "Options :\n"
    "  -a, --annee AAAA          année de campagne (par défaut : l'année en cours)\n"
    "  -t, --trace               mode trace : journal du jour dans logs/\n"
    "  -e, --erreurs-uniquement  rapport coloré limité aux segments en erreur\n"
    "  -s, --sans-signalements   n'affiche pas les signalements dans le rapport\n"
    "  -q, --resume              une ligne de résumé au lieu des rapports\n"
    "      --json                l'état complet du test en JSON\n"
    "      --html FICHIER        les trois rapports en couleur dans une page HTML\n"
    "      --dossiers FICHIER    la liste des dossiers (NIR, nom, rejets,\n"
    "                            signalements, verdict) pour un tableur (CSV)\n"
    "  -c, --convertir[=RÉP]     conversion : fichier FNS3 si le fichier est\n"
    "                            convertible, compte-rendu d'erreurs sinon, dans\n"
    "                            FNS3/ ou CR_Erreurs/ du répertoire du programme\n"
    "                            (ou de RÉP) ; un fichier FNS3 n'en remplace\n"
    "                            jamais un autre : si son nom est pris, il\n"
    "                            reçoit _2, _3...\n"
    "  -h, --help                cette aide\n"
    "\n"
    "Codes de sortie :\n"
    "  0  fichier convertible\n"
    "  1  erreurs trouvées\n"
    "  2  usage incorrect, fichier introuvable, illisible ou refusé (dont --html\n"
    "     sur le fichier testé)\n"
    "  3  configuration inutilisable : parametres.ini ou une table de référence\n"
    "     absent, vide, illisible ou endommagé\n"
    "  4  conversion demandée mais fichier FNS3 ou compte-rendu non écrit\n"
    "  5  mémoire insuffisante\n";

std::string ToConsole(std::string_view cp1252) {
    std::string out = Cp1252ToUtf8(cp1252);
    std::string flat;
    flat.reserve(out.size());
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] == '\r' && i + 1 < out.size() && out[i + 1] == '\n') continue;
        flat += out[i];
    }
    return flat;
}

int Usage(const char* message) {
    std::fprintf(stderr, "trelvane-check : %s\nEssayez « trelvane-check --help ».\n", message);
    return kBadUsage;
}

int Refuse(std::string_view cp1252) {
    std::fprintf(stderr, "trelvane-check : %s\n", ToConsole(cp1252).c_str());
    return kBadUsage;
}

// The directory named on the command line, and its parents, made when
// missing; 0 or the error number.
int MakeDirectories(const std::string& path) {
    for (std::size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && !os::IsPathSeparator(path[i])) continue;
        const std::string prefix = path.substr(0, i);
        if (os::StatusOf(prefix).kind == os::FileKind::Directory) continue;
        if (const int err = os::MakeDirectory(prefix); err != 0) return err;
    }
    return 0;
}

int Withheld(WithheldReason reason) {
    switch (reason) {
        case WithheldReason::ConfigurationFault:
            return kConfigurationFault;
        case WithheldReason::InputRefused:
            return kBadUsage;
        default:
            return kOutOfMemory;
    }
}

// Written without allocating: there may be no memory left for it.
int OutOfMemory() {
    std::fputs("trelvane-check : 7 - Mémoire insuffisante\n", stderr);
    return kOutOfMemory;
}

int Run(int argc, char** argv);

}  // namespace

int main(int argc, char** argv) {
    // Whatever runs out of memory after the test (the JSON state, the page,
    // the CR file) ends the same way as the test itself.
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        return OutOfMemory();
    }
}

namespace {

int Run(int argc, char** argv) {
    os::PrepareConsole();
    const std::vector<std::string> args = os::Arguments(argc, argv);
    ConsoleChoices choices;
    bool json = false, quiet = false, convert = false;
    std::string htmlPath, dossiersPath, convertDir, file;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view a = args[i];
        auto value = [&](const char* what) -> const char* {
            if (i + 1 >= args.size()) return nullptr;
            (void)what;
            return args[++i].c_str();
        };
        if (a == "-h" || a == "--help") {
            std::fputs(kHelp, stdout);
            return 0;
        } else if (a == "-a" || a == "--annee" || a == "--year") {
            const char* v = value("année");
            if (!v || std::strlen(v) != 4 ||
                std::string_view(v).find_first_not_of("0123456789") != std::string_view::npos)
                return Usage("l'année de campagne doit avoir quatre chiffres");
            choices.yearCamp = v;
        } else if (a == "-t" || a == "--trace") {
            choices.trace = true;
        } else if (a == "-e" || a == "--erreurs-uniquement" || a == "--errors-only") {
            choices.errorsOnly = true;
        } else if (a == "-s" || a == "--sans-signalements" || a == "--hide-warnings") {
            choices.showWarnings = false;
        } else if (a == "-q" || a == "--resume" || a == "--quiet") {
            quiet = true;
        } else if (a == "--json") {
            json = true;
        } else if (a == "--html") {
            const char* v = value("fichier");
            if (!v) return Usage("--html attend un nom de fichier");
            htmlPath = v;
        } else if (a == "--dossiers") {
            const char* v = value("fichier");
            if (!v) return Usage("--dossiers attend un nom de fichier");
            dossiersPath = v;
        } else if (a == "-c" || a == "--convertir" || a == "--convert") {
            convert = true;
        } else if (a.rfind("--convertir=", 0) == 0 || a.rfind("--convert=", 0) == 0) {
            convert = true;
            convertDir = std::string(a.substr(a.find('=') + 1));
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return Usage(("option inconnue : " + std::string(a)).c_str());
        } else if (file.empty()) {
            file = a;
        } else {
            return Usage("un seul fichier à la fois");
        }
    }
    if (file.empty()) return Usage("aucun fichier indiqué");
    // The page would overwrite the file under test (under another name or
    // through a link as well).
    if (!htmlPath.empty() && file != "-" && os::SameFile(htmlPath, file))
        return Usage("--html ne doit pas désigner le fichier testé");
    if (choices.yearCamp.empty()) choices.yearCamp = std::to_string(os::LocalNow().year);
    choices.filePath = file;

    ConsolePlatform platform(choices);
    SetPlatform(&platform);
    SetFacChecksEnabled(true);

    // A regular file is only looked at here. Anything else is read once,
    // whole, just before the test: a pipe or the standard input cannot be
    // read twice, and a directory or a device is refused by the reading.
    const bool standardInput = file == "-";
    if (!standardInput && !FileExists(file))
        return Refuse("Le fichier indiqué est introuvable."_cp);
    const os::FileStatus input = standardInput ? os::FileStatus{} : os::StatusOf(file);
    const bool readOnce = input.kind != os::FileKind::Regular;
    if (!readOnce && input.size == 0) return Refuse("Le fichier indiqué est vide."_cp);
    if (!dossiersPath.empty()) {
        // The list must never take the place of the file it describes.
        const os::FileStatus list = os::StatusOf(dossiersPath);
        if (!standardInput && list.kind != os::FileKind::Missing && list.volume == input.volume &&
            list.index == input.index)
            return Usage("--dossiers ne peut pas écrire sur le fichier testé");
    }
    if (!FileExists(ProgramPath("parametres.ini"))) {
        // The desktop program stops at the first read of the parameter file.
        RetrieveInINIFile("delimiter1");
        return kConfigurationFault;
    }

    // The syntax and content panes keep their text whenever something reads
    // it: the plain report, the HTML page or the CR file of a conversion.
    const bool html = !htmlPath.empty();
    const bool textNeeded = !(quiet || json) || convert;
    // The plain report goes out while it is built, unless a conversion
    // needs its text afterwards for the CR file.
    const bool stream = !(quiet || json) && !html && !convert;
    StreamTextSink streamSyntax(stdout, ""), streamContent(stdout, "\n\n");
    PlainTextSink plainSyntax, plainContent;
    HtmlSink htmlSyntax, htmlContent, htmlColoured;
    NullSink nullSyntax, nullContent, nullColoured;
    ReportPanes panes;
    panes.syntax = html         ? &htmlSyntax
                   : textNeeded ? static_cast<RichTextSink*>(&plainSyntax)
                                : &nullSyntax;
    panes.content = html         ? &htmlContent
                    : textNeeded ? static_cast<RichTextSink*>(&plainContent)
                                 : &nullContent;
    panes.coloured = html ? static_cast<RichTextSink*>(&htmlColoured) : &nullColoured;
    if (stream) {
        panes.syntax = &streamSyntax;
        panes.content = &streamContent;
    }
    SetReportPanes(panes);

    // As ticking "Mode trace" in the home window does: the log directory is
    // made first, then trace mode is on.
    if (choices.trace && !FileExists(OutputDirectory("logs"))) {
        platform.SetTraceMode(false);
        MakeDir(OutputDirectory("logs"), "de traces");
        platform.SetTraceMode(true);
    }

    std::optional<TestInput> readFirst;
    if (readOnce) {
        readFirst.emplace();
        if (!ReadTestedFile(file, readFirst->text, readFirst->file)) return kBadUsage;
        if (readFirst->text.empty()) return Refuse("Le fichier indiqué est vide."_cp);
    }
    MainTest(std::move(readFirst));
    // Nothing of a withheld run is printed nor written: its message said why.
    if (State().Withheld != WithheldReason::None) return Withheld(State().Withheld);

    const bool convertible = IsFileConvertible();
    ConversionOutcome outcome;
    if (convert) {
        // The directory named on the command line is made when missing;
        // FNS3/ or CR_Erreurs/ then go inside it.
        if (const int err = convertDir.empty() ? 0 : MakeDirectories(convertDir); err != 0) {
            std::fprintf(stderr, "trelvane-check : %s : %s\n", convertDir.c_str(),
                         ToConsole(ErrorDescription(err)).c_str());
        } else {
            outcome = RunConversionCommand(ReportDocumentText(), convertDir);
        }
    }
    const bool conversionFailed = convert && outcome.path.empty();
    if (json) {
        WriteRunStateJson(stdout, convertible);
    } else if (quiet) {
        const RunState& s = State();
        std::printf(
            "%zu segments, %zu erreur(s) de syntaxe, %zu erreur(s) de contenu, "
            "%lld signalement(s), %s%s\n",
            s.Segments.size(), s.SyntaxErrors.empty() ? 0 : s.SyntaxErrors.size() - 1,
            s.ContentErrors.empty() ? 0 : s.ContentErrors.size() - 1,
            static_cast<long long>(GetWarningCount()),
            convertible ? "convertible" : "non convertible",
            !conversionFailed ? ""
            : convertible     ? ", conversion échouée : fichier FNS3 non écrit"
                              : ", conversion échouée : compte-rendu non écrit");
    } else if (stream) {
        std::fputs("\n", stdout);
    } else {
        std::fputs(ToConsole(panes.syntax->PlainText()).c_str(), stdout);
        std::fputs("\n\n", stdout);
        std::fputs(ToConsole(panes.content->PlainText()).c_str(), stdout);
        std::fputs("\n", stdout);
    }
    if (!dossiersPath.empty()) {
        // Whole or not at all, like the page below.
        const std::string list = DossierListCsv(BuildDossierList());
        if (const int err = WriteFileAtomically(dossiersPath, list); err != 0) {
            std::fprintf(stderr, "trelvane-check : %s : %s\n", dossiersPath.c_str(),
                         ToConsole(ErrorDescription(err)).c_str());
            return kBadUsage;
        }
    }
    if (html) {
        const std::string page = ResultsPage(htmlSyntax, htmlContent, htmlColoured);
        // Whole or not at all: a page opened in a browser meanwhile is the
        // old one or the new one.
        if (const int err = WriteFileAtomically(htmlPath, page); err != 0) {
            std::fprintf(stderr, "trelvane-check : %s : %s\n", htmlPath.c_str(),
                         ToConsole(ErrorDescription(err)).c_str());
            return kBadUsage;
        }
    }
    if (!outcome.path.empty()) std::printf("%s\n", outcome.path.c_str());
    if (conversionFailed) return kConversionFailed;
    return convertible ? kConvertible : kErrorsFound;
}

}  // namespace

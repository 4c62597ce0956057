#include "config/RuntimeErrors.h"

#include <atomic>

#include "config/Cp1252.h"

namespace trelvane {

RuntimeError::RuntimeError(int number)
    : std::runtime_error(ErrorDescription(number)), number_(number) {}

std::string ErrorDescription(int number) {
    switch (number) {
        case kErrInvalidCall:
            return std::string("Argument ou appel de procédure incorrect"_cp);
        case kErrOverflow:
            return std::string("Dépassement de capacité"_cp);
        case kErrOutOfMemory:
            return std::string("Mémoire insuffisante"_cp);
        case kErrSubscript:
            return std::string("L'indice n'appartient pas à la sélection"_cp);
        case kErrTypeMismatch:
            return std::string("Type incompatible"_cp);
        case kErrBadFileName:
            return std::string("Nom ou numéro de fichier incorrect"_cp);
        case kErrFileNotFound:
            return std::string("Fichier introuvable"_cp);
        case kErrNotRegularFile:
            return std::string("Ce n'est pas un fichier ordinaire mais un périphérique"_cp);
        case kErrFileAlreadyExists:
            return std::string("Ce fichier existe déjà"_cp);
        case kErrDiskFull:
            return std::string("Disque plein"_cp);
        case kErrPermission:
            return std::string("Permission refusée"_cp);
        case kErrInputPastEnd:
            return std::string("L'entrée dépasse la fin de fichier"_cp);
        case kErrPathFileAccess:
            return std::string("Erreur d'accès au chemin ou au fichier"_cp);
        case kErrPathNotFound:
            return std::string("Chemin d'accès introuvable"_cp);
        case kErrInputTooLarge:
            return std::string(
                "Le contenu reçu dépasse 1 Go : enregistrez-le dans un fichier pour le tester"_cp);
        case kErrLinkRefused:
            return std::string("Ce nom est celui d'un lien symbolique, qui n'est jamais suivi"_cp);
        default:
            return std::string("Erreur d'application"_cp);
    }
}

int ShownErrorNumber(int number) {
    return number >= 1000 ? number - 1000 : number;
}

namespace {
std::atomic<bool> g_outOfMemory{false};
}  // namespace

void NoteOutOfMemory() {
    g_outOfMemory.store(true, std::memory_order_relaxed);
}
bool OutOfMemoryNoted() {
    return g_outOfMemory.load(std::memory_order_relaxed);
}
void ClearOutOfMemoryNote() {
    g_outOfMemory.store(false, std::memory_order_relaxed);
}

}  // namespace trelvane

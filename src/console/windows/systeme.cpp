// The console's system on Windows: the standard handles, through ReadFile and WriteFile.
// Output lines end in CR LF, as Windows programs write text. A pipe in PIPE_NOWAIT mode is
// waited on, as a non-blocking descriptor is on POSIX: it takes nothing while it is full, and
// fails a read with ERROR_NO_DATA while it is empty and its writer is still there.
#include "console/systeme.hpp"

#include <algorithm>
#include <array>

#include "console/console.hpp"
#include "console/windows/lecture.hpp"

namespace console::systeme {
namespace {
// Until a pipe in PIPE_NOWAIT mode is ready again: Windows has no way to wait for it.
constexpr DWORD attente = 1;  // ms

// Whether `poignee`, read from, is a pipe in PIPE_NOWAIT mode (a handle that only writes may
// not be asked: a pipe that takes nothing of a write is one anyway).
bool sansAttente(HANDLE poignee) noexcept {
    DWORD etat = 0;
    return GetNamedPipeHandleState(poignee, &etat, nullptr, nullptr, nullptr, nullptr, 0) != FALSE &&
           (etat & PIPE_NOWAIT) != 0;
}

// Writes all of `donnees` to `poignee`: false after a failure, its number in `erreur`. A write
// that succeeds but takes nothing of a non-empty buffer is, on a pipe, a full PIPE_NOWAIT pipe
// (one that waits never does so), waited on; anywhere else it is a full disk, where trying
// again could go on for ever.
bool ecrireTout(HANDLE poignee, std::string_view donnees, int& erreur) noexcept {
    while (!donnees.empty()) {
        DWORD ecrits = 0;
        if (WriteFile(poignee, donnees.data(), static_cast<DWORD>(donnees.size()), &ecrits, nullptr) ==
            FALSE) {
            erreur = static_cast<int>(GetLastError());
            return false;
        }
        if (ecrits == 0 && GetFileType(poignee) != FILE_TYPE_PIPE) {
            erreur = ERROR_HANDLE_DISK_FULL;
            return false;
        }
        if (ecrits == 0) {
            Sleep(attente);
        }
        donnees.remove_prefix(ecrits);
    }
    return true;
}

// Writes `texte` with each newline as CR LF, a console's output buffer at a time: twice the
// buffer's size is room enough for each.
bool ecrireTexte(HANDLE poignee, std::string_view texte, int& erreur) noexcept {
    static std::array<char, 2 * Console::tailleTampon> traduit;
    for (; !texte.empty(); texte.remove_prefix(std::min(texte.size(), Console::tailleTampon))) {
        std::size_t taille = 0;
        for (const char c : texte.substr(0, Console::tailleTampon)) {
            if (c == '\n') {
                traduit[taille++] = '\r';
            }
            traduit[taille++] = c;
        }
        if (!ecrireTout(poignee, {traduit.data(), taille}, erreur)) {
            return false;
        }
    }
    return true;
}

// Whether `poignee` is a directory, which ReadFile fails with ERROR_INVALID_FUNCTION.
bool estUnDossier(HANDLE poignee) noexcept {
    BY_HANDLE_FILE_INFORMATION informations{};
    return GetFileInformationByHandle(poignee, &informations) != FALSE &&
           (informations.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
}  // namespace

const std::span<const Cause> causes = causesWindows;

std::ptrdiff_t lire(char* tampon, std::size_t taille, int& erreur) noexcept {
    HANDLE entree = GetStdHandle(STD_INPUT_HANDLE);
    for (;;) {
        DWORD lus = 0;  // `taille` is the console's buffer, far less than a DWORD holds
        const bool reussie = ReadFile(entree, tampon, static_cast<DWORD>(taille), &lus, nullptr) != FALSE;
        const DWORD numero = reussie ? 0 : GetLastError();  // taken before GetConsoleMode sets its own
        if (numero != ERROR_NO_DATA || !sansAttente(entree)) {
            const bool dossier = numero == ERROR_INVALID_FUNCTION && estUnDossier(entree);
            erreur = dossier ? ERROR_DIRECTORY : static_cast<int>(numero);
            DWORD mode = 0;
            return compterLecture(reussie, numero, {tampon, lus}, GetConsoleMode(entree, &mode) != FALSE);
        }
        Sleep(attente);
    }
}

bool ecrire(std::string_view donnees, int& erreur) noexcept {
    return ecrireTexte(GetStdHandle(STD_OUTPUT_HANDLE), donnees, erreur);
}

// Standard error may be standard output's very handle: it then stays open, for a diagnostic.
bool fermerSortie(int& erreur) noexcept {
    HANDLE sortie = GetStdHandle(STD_OUTPUT_HANDLE);
    if (sortie == GetStdHandle(STD_ERROR_HANDLE) || CloseHandle(sortie) != FALSE) {
        return true;
    }
    erreur = static_cast<int>(GetLastError());
    return false;
}

void signaler(std::string_view ligne) noexcept {
    int erreur = 0;
    static_cast<void>(ecrireTexte(GetStdHandle(STD_ERROR_HANDLE), ligne, erreur));
}
}  // namespace console::systeme

// The console's system on Windows: the standard handles, through ReadFile and WriteFile.
// Output lines end in CR LF, as Windows programs write text.
#include "console/systeme.hpp"

#include <array>

#include "console/console.hpp"
#include "console/windows/lecture.hpp"
#include "textes.hpp"

namespace console::systeme {
namespace {
// Writes all of `donnees` to `poignee`: 0, or the error number. A write that takes nothing
// of a non-empty buffer is a full disk: trying again could go on for ever.
int ecrireTout(HANDLE poignee, std::string_view donnees) noexcept {
    while (!donnees.empty()) {
        DWORD ecrits = 0;
        const bool reussie =
            WriteFile(poignee, donnees.data(), static_cast<DWORD>(donnees.size()), &ecrits, nullptr) != FALSE;
        if (!reussie || ecrits == 0) {
            return reussie ? ERROR_HANDLE_DISK_FULL : static_cast<int>(GetLastError());
        }
        donnees.remove_prefix(ecrits);
    }
    return 0;
}

// Writes `texte`, at most a full output buffer of the console, with each newline as CR LF:
// twice the buffer's size is room enough.
int ecrireTexte(HANDLE poignee, std::string_view texte) noexcept {
    static std::array<char, 2 * Console::tailleTampon> traduit;
    std::size_t taille = 0;
    for (const char c : texte.substr(0, Console::tailleTampon)) {
        if (c == '\n') {
            traduit[taille++] = '\r';
        }
        traduit[taille++] = c;
    }
    return ecrireTout(poignee, {traduit.data(), taille});
}

// clang-format off
constexpr Cause causesWindows[] = {  // NOLINT(*-avoid-c-arrays): `causes` takes its size
    {ERROR_HANDLE_DISK_FULL, textes::disquePlein}, {ERROR_DISK_FULL, textes::disquePlein},
    {1295 /* ERROR_DISK_QUOTA_EXCEEDED, unnamed in MinGW-w64 */, textes::quotaDepasse},
    {ERROR_FILE_TOO_LARGE, textes::fichierTropGros}, {ERROR_NO_DATA, textes::tubeFerme},
    {ERROR_BROKEN_PIPE, textes::tubeFerme}, {ERROR_IO_DEVICE, textes::entreeSortie},
    {ERROR_ACCESS_DENIED, textes::nonAutorise}, {ERROR_INVALID_HANDLE, textes::descripteurInvalide},
    {ERROR_DIRECTORY, textes::estUnDossier}};
// clang-format on
}  // namespace

const std::span<const Cause> causes = causesWindows;

std::ptrdiff_t lire(char* tampon, std::size_t taille) noexcept {
    HANDLE entree = GetStdHandle(STD_INPUT_HANDLE);
    DWORD lus = 0;  // `taille` is the console's buffer, far less than a DWORD holds
    const bool reussie = ReadFile(entree, tampon, static_cast<DWORD>(taille), &lus, nullptr) != FALSE;
    // The error is taken before GetConsoleMode, which sets its own.
    const DWORD erreur = reussie ? 0 : GetLastError();
    DWORD mode = 0;
    return compterLecture(reussie, erreur, {tampon, lus}, GetConsoleMode(entree, &mode) != FALSE);
}

int ecrire(std::string_view donnees) noexcept {
    return ecrireTexte(GetStdHandle(STD_OUTPUT_HANDLE), donnees);
}

// Standard error may be standard output's very handle: it then stays open, for a diagnostic.
int fermerSortie() noexcept {
    HANDLE sortie = GetStdHandle(STD_OUTPUT_HANDLE);
    const bool fermee = sortie == GetStdHandle(STD_ERROR_HANDLE) || CloseHandle(sortie) != FALSE;
    return fermee ? 0 : static_cast<int>(GetLastError());
}

void signaler(std::string_view ligne) noexcept {
    static_cast<void>(ecrireTexte(GetStdHandle(STD_ERROR_HANDLE), ligne));
}
}  // namespace console::systeme

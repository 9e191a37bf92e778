// The console's system on Windows: the standard handles, through ReadFile and WriteFile.
// Output lines end in CR LF, as Windows programs write text.
#include "console/systeme.hpp"

#include <algorithm>
#include <array>

#include "console/windows/lecture.hpp"

namespace console::systeme {
namespace {
// Writes all of `donnees`, a block of `ecrireTexte`, to `poignee`. A write that takes
// nothing of a non-empty buffer is a failure: trying again could go on for ever.
bool ecrireTout(HANDLE poignee, std::string_view donnees) noexcept {
    while (!donnees.empty()) {
        DWORD ecrits = 0;
        const auto demande = static_cast<DWORD>(donnees.size());
        if (WriteFile(poignee, donnees.data(), demande, &ecrits, nullptr) == FALSE || ecrits == 0) {
            return false;
        }
        donnees.remove_prefix(ecrits);
    }
    return true;
}

// Writes `texte` with each newline as CR LF, translated block by block (any size works).
bool ecrireTexte(HANDLE poignee, std::string_view texte) noexcept {
    static std::array<char, std::size_t{128} * 1024> traduit;
    while (!texte.empty()) {
        std::size_t taille = 0;
        std::size_t pris = 0;
        for (; pris < texte.size() && taille + 2 <= traduit.size(); ++pris) {
            if (texte[pris] == '\n') {
                traduit[taille++] = '\r';
            }
            traduit[taille++] = texte[pris];
        }
        if (!ecrireTout(poignee, {traduit.data(), taille})) {
            return false;
        }
        texte.remove_prefix(pris);
    }
    return true;
}
}  // namespace

std::ptrdiff_t lire(char* tampon, std::size_t taille) noexcept {
    HANDLE entree = GetStdHandle(STD_INPUT_HANDLE);
    DWORD lus = 0;
    const auto demande = static_cast<DWORD>(std::min<std::size_t>(taille, MAXDWORD));
    const bool reussie = ReadFile(entree, tampon, demande, &lus, nullptr) != FALSE;
    // The error is taken before GetConsoleMode, which sets its own.
    const DWORD erreur = reussie ? 0 : GetLastError();
    DWORD mode = 0;
    return compterLecture(reussie, erreur, {tampon, lus}, GetConsoleMode(entree, &mode) != FALSE);
}

bool ecrire(std::string_view donnees) noexcept {
    return ecrireTexte(GetStdHandle(STD_OUTPUT_HANDLE), donnees);
}

// Standard error may be standard output's very handle: it then stays open, for a diagnostic.
bool fermerSortie() noexcept {
    HANDLE sortie = GetStdHandle(STD_OUTPUT_HANDLE);
    return sortie == GetStdHandle(STD_ERROR_HANDLE) || CloseHandle(sortie) != FALSE;
}

void signaler(std::string_view ligne) noexcept {
    static_cast<void>(ecrireTexte(GetStdHandle(STD_ERROR_HANDLE), ligne));
}
}  // namespace console::systeme

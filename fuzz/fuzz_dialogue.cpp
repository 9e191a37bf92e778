// Fuzzing of the whole dialogue, in process: the first byte chooses how the input is
// cut into reads, the rest is the input. Whatever the bytes, the dialogue must end with
// status 0 or 1, write only its own texts and numbers, and every verdict it writes must
// be arithmetically right.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "console/console.hpp"
#include "dialogue/dialogue.hpp"
#include "systeme_memoire.hpp"
#include "textes.hpp"

namespace {

[[noreturn]] void echouer(const char* raison, std::string_view sortie, std::size_t position) {
    std::fprintf(stderr, "%s at byte %zu of the output:\n%.*s\n", raison, position,
                 static_cast<int>(sortie.size() - position), sortie.data() + position);
    std::abort();
}

// Cuts `entree` into reads whose sizes come from `graine`: from one byte at a time
// (carriage returns split from their newlines) to whole buffers.
std::vector<std::string> decouper(std::string_view entree, std::uint8_t graine) {
    static constexpr std::size_t tailles[] = {1, 2, 3, 7, 64, 65536};
    const std::size_t plafond = tailles[graine % std::size(tailles)];
    std::uint32_t etat = graine * 2654435761U + 1;
    std::vector<std::string> morceaux;
    while (!entree.empty()) {
        etat = etat * 1664525U + 1013904223U;
        const std::size_t taille = 1 + (etat >> 8U) % plafond;
        morceaux.emplace_back(entree.substr(0, taille));
        entree.remove_prefix(std::min(taille, entree.size()));
    }
    return morceaux;
}

// Reads a number written in a verdict; advances `position` past it.
long lireNombre(std::string_view sortie, std::size_t& position) {
    const std::size_t debut = position;
    if (position < sortie.size() && sortie[position] == '-') {
        ++position;
    }
    while (position < sortie.size() && sortie[position] >= '0' && sortie[position] <= '9' &&
           position - debut < 7) {
        ++position;
    }
    if (position == debut || sortie[position - 1] == '-') {
        echouer("a number was expected", sortie, debut);
    }
    return std::strtol(std::string(sortie.substr(debut, position - debut)).c_str(), nullptr, 10);
}

bool lire(std::string_view sortie, std::size_t& position, std::string_view texte) {
    if (sortie.substr(position, texte.size()) != texte) {
        return false;
    }
    position += texte.size();
    return true;
}

// Checks one verdict after its label: the numbers, and the label against the builtin.
void verifierVerdict(std::string_view sortie, std::size_t& position, int genre) {
    const std::size_t debut = position;
    const long n1 = lireNombre(sortie, position);
    if (!lire(sortie, position, textes::plus)) {
        echouer("\" + \" was expected", sortie, position);
    }
    const long n2 = lireNombre(sortie, position);
    if (!lire(sortie, position, textes::egal)) {
        echouer("\" = \" was expected", sortie, position);
    }
    const long somme = lireNombre(sortie, position);
    if (n1 < INT16_MIN || n1 > INT16_MAX || n2 < INT16_MIN || n2 > INT16_MAX) {
        echouer("an operand outside the 16-bit range", sortie, debut);
    }
    std::int16_t attendue = 0;
    const bool deborde =
        __builtin_add_overflow(static_cast<std::int16_t>(n1), static_cast<std::int16_t>(n2), &attendue);
    const int genreAttendu = !deborde ? 0 : n1 > 0 ? 1 : 2;
    if (somme != attendue || genre != genreAttendu) {
        echouer("a wrong verdict", sortie, debut);
    }
    if (genre != 0 && !lire(sortie, position, "\n")) {
        echouer("an overflow verdict must end its line", sortie, position);
    }
}

void verifierSortie(std::string_view sortie) {
    std::size_t position = 0;
    while (position < sortie.size()) {
        if (lire(sortie, position, textes::enTetePremiere) || lire(sortie, position, textes::enTeteSeconde) ||
            lire(sortie, position, textes::invite) || lire(sortie, position, textes::question)) {
            continue;
        }
        if (lire(sortie, position, textes::resultatValide)) {
            verifierVerdict(sortie, position, 0);
        } else if (lire(sortie, position, textes::debordementPositif)) {
            if (!lire(sortie, position, textes::resultatInvalide)) {
                echouer("a verdict label", sortie, position);
            }
            verifierVerdict(sortie, position, 1);
        } else if (lire(sortie, position, textes::debordementNegatif)) {
            if (!lire(sortie, position, textes::resultatInvalide)) {
                echouer("a verdict label", sortie, position);
            }
            verifierVerdict(sortie, position, 2);
        } else if (sortie.substr(position) == textes::retourALaLigne) {
            return;
        } else {
            echouer("a text that is not the program's", sortie, position);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    if (taille == 0) {
        return 0;
    }
    const std::string_view entree(reinterpret_cast<const char*>(donnees) + 1, taille - 1);
    SystemeMemoire systeme(decouper(entree, donnees[0]));
    console::Console console;
    const int statut = dialogue::executer(console);
    if (statut != 0 && statut != 1) {
        std::fprintf(stderr, "exit status %d\n", statut);
        std::abort();
    }
    if (!systeme.diagnostics.empty()) {
        echouer("a diagnostic without a failure", systeme.diagnostics, 0);
    }
    verifierSortie(systeme.sortie);
    return 0;
}

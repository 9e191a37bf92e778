#include "dialogue/verdict.hpp"

#include <algorithm>
#include <array>
#include <cstring>

namespace dialogue {

namespace {

// "00", "01" ... "99": two digits at a time halve the divisions.
constexpr std::array<char, 200> paires = [] {
    std::array<char, 200> table{};
    for (std::size_t i = 0; i < 100; ++i) {
        table[2 * i] = static_cast<char>('0' + i / 10);
        table[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return table;
}();

char* copierChiffre(char* sortie, std::uint32_t chiffre) noexcept {
    *sortie = static_cast<char>('0' + chiffre);
    return sortie + 1;
}

char* copierPaire(char* sortie, std::uint32_t paire) noexcept {
    std::memcpy(sortie, &paires[std::size_t{2} * paire], 2);
    return sortie + 2;
}

// Writes `nombre` in decimal, with its sign when negative, and returns where it ends:
// the digits from the left, in pairs where they can be. std::to_chars writes the same,
// but costs a tenth more of the program's CPU per check.
char* ecrireNombre(char* sortie, std::int16_t nombre) noexcept {
    if (nombre < 0) {
        *sortie++ = '-';
    }
    const auto m = static_cast<std::uint32_t>(nombre < 0 ? -std::int32_t{nombre} : std::int32_t{nombre});
    if (m >= 10000) {
        return copierPaire(copierPaire(copierChiffre(sortie, m / 10000), m / 100 % 100), m % 100);
    }
    if (m >= 1000) {
        return copierPaire(copierPaire(sortie, m / 100), m % 100);
    }
    if (m >= 100) {
        return copierPaire(copierChiffre(sortie, m / 100), m % 100);
    }
    return m >= 10 ? copierPaire(sortie, m) : copierChiffre(sortie, m);
}

}  // namespace

static_assert(textes::debordementNegatif.size() == textes::debordementPositif.size());
static_assert(textes::resultatValide.size() <
              textes::debordementPositif.size() + textes::resultatInvalide.size());

char* ecrireVerdict(char* sortie, std::int16_t n1, std::int16_t n2) noexcept {
    const Verdict verdict = classer(n1, n2);
    char* fin = sortie;
    const auto copier = [&fin](std::string_view morceau) {
        fin = std::copy(morceau.begin(), morceau.end(), fin);
    };
    if (verdict.genre == Genre::valide) {
        copier(textes::resultatValide);
    } else {
        copier(verdict.genre == Genre::debordementPositif ? textes::debordementPositif
                                                          : textes::debordementNegatif);
        copier(textes::resultatInvalide);
    }
    fin = ecrireNombre(fin, n1);
    copier(textes::plus);
    fin = ecrireNombre(fin, n2);
    copier(textes::egal);
    fin = ecrireNombre(fin, verdict.somme);
    // Only the overflow verdicts end their line.
    if (verdict.genre != Genre::valide) {
        copier("\n");
    }
    return fin;
}

}  // namespace dialogue

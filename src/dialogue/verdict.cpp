#include "dialogue/verdict.hpp"

#include <array>
#include <cstring>
#include <string_view>

namespace dialogue {

namespace {

char* copier(char* sortie, std::string_view texte) noexcept {
    std::memcpy(sortie, texte.data(), texte.size());
    return sortie + texte.size();
}

// "00", "01" ... "99": two digits at a time halve the divisions.
constexpr std::array<char, 200> paires = [] {
    std::array<char, 200> table{};
    for (std::size_t i = 0; i < 100; ++i) {
        table[2 * i] = static_cast<char>('0' + i / 10);
        table[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return table;
}();

// How many decimal digits `magnitude` has; it is at most 32768.
constexpr std::ptrdiff_t chiffres(std::uint32_t magnitude) noexcept {
    return magnitude >= 10000 ? 5 : magnitude >= 1000 ? 4 : magnitude >= 100 ? 3 : magnitude >= 10 ? 2 : 1;
}

// Writes `nombre` in decimal, with its sign when negative: six characters at most.
char* copierNombre(char* sortie, std::int16_t nombre) noexcept {
    if (nombre < 0) {
        *sortie++ = '-';
    }
    auto magnitude = static_cast<std::uint32_t>(nombre < 0 ? -std::int32_t{nombre} : std::int32_t{nombre});
    char* const fin = sortie + chiffres(magnitude);
    char* chiffre = fin;  // digits are written from the right
    for (; magnitude >= 100; magnitude /= 100) {
        chiffre -= 2;
        std::memcpy(chiffre, &paires[std::size_t{2} * (magnitude % 100)], 2);
    }
    if (magnitude >= 10) {
        std::memcpy(chiffre - 2, &paires[std::size_t{2} * magnitude], 2);
    } else {
        chiffre[-1] = static_cast<char>('0' + magnitude);
    }
    return fin;
}

}  // namespace

char* ecrireVerdict(char* sortie, std::int16_t n1, std::int16_t n2) noexcept {
    const Verdict verdict = classer(n1, n2);
    switch (verdict.genre) {
        case Genre::debordementPositif:
            sortie = copier(copier(sortie, textes::debordementPositif), textes::resultatInvalide);
            break;
        case Genre::debordementNegatif:
            sortie = copier(copier(sortie, textes::debordementNegatif), textes::resultatInvalide);
            break;
        case Genre::valide:
            sortie = copier(sortie, textes::resultatValide);
            break;
    }
    sortie = copierNombre(sortie, n1);
    sortie = copier(sortie, textes::plus);
    sortie = copierNombre(sortie, n2);
    sortie = copier(sortie, textes::egal);
    sortie = copierNombre(sortie, verdict.somme);
    // Only the overflow verdicts end their line.
    if (verdict.genre != Genre::valide) {
        *sortie++ = '\n';
    }
    return sortie;
}

}  // namespace dialogue

// The pure decision on one sum: its 16-bit wrap, whether it overflowed, and the verdict text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "textes.hpp"

namespace dialogue {

enum class Genre { valide, debordementPositif, debordementNegatif };

struct Verdict {
    Genre genre;
    std::int16_t somme;  // n1 + n2 wrapped modulo 65536
};

// n1 + n2 formed in 32 bits and cut to its low 16 bits, read as signed.
constexpr std::int16_t sommeEnveloppee(std::int16_t n1, std::int16_t n2) noexcept {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(std::int32_t{n1} + std::int32_t{n2}));
}

// Classifies n1 + n2 from the signs of the operands and of the wrapped sum;
// zero is neither positive nor negative.
constexpr Verdict classer(std::int16_t n1, std::int16_t n2) noexcept {
    const std::int16_t somme = sommeEnveloppee(n1, n2);
    if (n1 > 0 && n2 > 0 && somme < 0) {
        return {Genre::debordementPositif, somme};
    }
    if (n1 < 0 && n2 < 0 && somme >= 0) {
        return {Genre::debordementNegatif, somme};
    }
    return {Genre::valide, somme};
}

// The longest verdict: an overflow label, three numbers of at most six characters
// ("-32768"), the signs between them and the line end.
inline constexpr std::size_t tailleMaxNombre = 6;
inline constexpr std::size_t tailleMaxVerdict = textes::debordementPositif.size() +
                                                textes::resultatInvalide.size() + 3 * tailleMaxNombre +
                                                textes::plus.size() + textes::egal.size() + 1;
static_assert(textes::debordementNegatif.size() == textes::debordementPositif.size());

// Writes the verdict on n1 + n2, as it follows the second operand, at `sortie`, which
// has room for `tailleMaxVerdict` bytes. Returns where the text ends.
char* ecrireVerdict(char* sortie, std::int16_t n1, std::int16_t n2) noexcept;

}  // namespace dialogue

// The pure decision on one sum: its 16-bit wrap, whether it overflowed, and the verdict text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "textes.hpp"

namespace dialogue {
enum class Genre { valide, debordementPositif, debordementNegatif };

// The kinds' names, in the order of `Genre`, as a host that shows them otherwise than as text is told them.
inline constexpr std::array<std::string_view, 3> nomsDesGenres = {"valide", "positif", "negatif"};
constexpr std::string_view nom(Genre genre) noexcept {
    return nomsDesGenres[static_cast<std::size_t>(genre)];
}

struct Verdict {
    Genre genre;
    std::int16_t somme;  // n1 + n2 wrapped modulo 65536
};

// Classifies n1 + n2 from the signs of the operands and of the wrapped sum (the int sum
// cut to 16 bits, modulo 65536 as C++ converts); zero is neither positive nor negative.
constexpr Verdict classer(std::int16_t n1, std::int16_t n2) noexcept {
    Verdict verdict{Genre::valide, static_cast<std::int16_t>(n1 + n2)};
    if (n1 > 0 && n2 > 0 && verdict.somme < 0) {
        verdict.genre = Genre::debordementPositif;
    } else if (n1 < 0 && n2 < 0 && verdict.somme >= 0) {
        verdict.genre = Genre::debordementNegatif;
    }
    return verdict;
}

// At most: an overflow label, three numbers of at most six characters ("-32768"), the
// signs between them and the line end.
inline constexpr std::size_t tailleMaxNombre = 6;
inline constexpr std::size_t tailleMaxVerdict = textes::debordementPositif.size() +
                                                textes::resultatInvalide.size() + 3 * tailleMaxNombre +
                                                textes::plus.size() + textes::egal.size() + 1;
static_assert(textes::debordementNegatif.size() == textes::debordementPositif.size());

// Writes the verdict on n1 + n2 at `sortie`, which has room for `tailleMaxVerdict` bytes.
// Returns where the text ends.
char* ecrireVerdict(char* sortie, std::int16_t n1, std::int16_t n2) noexcept;
}  // namespace dialogue

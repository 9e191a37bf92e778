// The pure decision on one sum: its 16-bit wrap, whether it overflowed, and the verdict text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

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

// The verdict's text as written after the second operand. Its longest form,
// with three six-character numbers, is well within the capacity.
class TexteVerdict {
public:
    TexteVerdict(std::int16_t n1, std::int16_t n2) noexcept;
    [[nodiscard]] std::string_view vue() const noexcept { return {texte_.data(), taille_}; }

private:
    void ajouter(std::string_view morceau) noexcept;
    void ajouterNombre(std::int16_t nombre) noexcept;

    std::array<char, 96> texte_{};
    std::size_t taille_ = 0;
};

}  // namespace dialogue

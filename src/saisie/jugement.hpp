// The pure judging of one line typed for an operand: is it a value, and which.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace saisie {
// Longest accepted line, its line end not counted: a sign and five digits, or six digits.
inline constexpr std::size_t longueurMax = 6;

// The value of `ligne` (its line end excluded; every byte counts, NUL included) when it is
// an optional "-" or "+" then decimal digits only, at most `longueurMax` characters in all,
// of magnitude at most 32767 (32768 after "-"); nothing otherwise.
constexpr std::optional<std::int16_t> jugerLigne(std::string_view ligne) noexcept {
    const bool negatif = ligne.starts_with('-');
    const std::size_t debut = negatif || ligne.starts_with('+') ? 1 : 0;
    if (ligne.size() <= debut || ligne.size() > longueurMax) {
        return std::nullopt;  // no digit at all, or too long
    }
    std::int32_t valeur = 0;
    std::int32_t place = 1;
    for (std::size_t i = ligne.size(); i > debut; place *= 10) {
        const int chiffre = static_cast<unsigned char>(ligne[--i]) - '0';
        if (chiffre < 0 || chiffre > 9) {
            return std::nullopt;
        }
        valeur += place * chiffre;
    }
    // Six digits at most cannot overflow 32 bits: the whole magnitude decides.
    if (valeur > (negatif ? 32768 : 32767)) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(negatif ? -valeur : valeur);
}
}  // namespace saisie

// The pure judging of one line typed for an operand: is it a value, and which.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace saisie {

// Longest accepted line, its line end not counted: a sign and five digits, or six digits.
inline constexpr std::size_t longueurMax = 6;

// Judges `ligne`, given without its line end (every byte counts, NUL included).
// Returns its value when it is an optional "-" or "+" followed by decimal digits only,
// at most `longueurMax` characters in all, with a magnitude of at most 32767 (32768
// after "-"); returns nothing otherwise. The digits are scanned from the right.
constexpr std::optional<std::int16_t> jugerLigne(std::string_view ligne) noexcept {
    if (ligne.size() > longueurMax) {
        return std::nullopt;
    }
    const bool negatif = ligne.starts_with('-');
    const std::size_t debut = negatif || ligne.starts_with('+') ? 1 : 0;
    if (ligne.size() <= debut) {
        return std::nullopt;  // no digit at all
    }
    std::int32_t valeur = 0;
    std::int32_t place = 1;
    const char* const premier = ligne.data() + debut;
    for (const char* caractere = ligne.data() + ligne.size(); caractere != premier;) {
        const int chiffre = static_cast<unsigned char>(*--caractere) - '0';
        if (chiffre < 0 || chiffre > 9) {
            return std::nullopt;
        }
        valeur += place * chiffre;
        place *= 10;
    }
    // Each digit only adds to the magnitude, so the whole of it decides: six digits at
    // most cannot overflow 32 bits.
    if (valeur > (negatif ? 32768 : 32767)) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(negatif ? -valeur : valeur);
}

}  // namespace saisie

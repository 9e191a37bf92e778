// The pure judging of one line typed for an operand: is it a value, and which.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace saisie {

// Longest accepted line, its newline counted: a sign, five digits and the newline.
inline constexpr std::size_t longueurMax = 7;

// Judges `ligne`, given without its line end (every byte counts, NUL included).
// Returns its value when it is an optional "-" or "+" followed by decimal digits only,
// at most six characters in all, with a magnitude of at most 32767 (32768 after "-");
// returns nothing otherwise. The digits are scanned from the right, and the range is
// checked on the partial magnitude after each one.
constexpr std::optional<std::int16_t> jugerLigne(std::string_view ligne) noexcept {
    const std::size_t longueur = ligne.size() + 1;  // with the newline
    if (longueur > longueurMax) {
        return std::nullopt;
    }
    const bool negatif = !ligne.empty() && ligne.front() == '-';
    const bool positif = !ligne.empty() && ligne.front() == '+';
    const std::size_t debut = (negatif || positif) ? 1 : 0;
    if (ligne.size() <= debut) {
        return std::nullopt;  // no digit at all
    }
    const std::int32_t plafond = negatif ? 32768 : 32767;
    std::int32_t valeur = 0;
    std::int32_t place = 1;
    for (std::size_t indice = ligne.size(); indice-- > debut;) {
        const char caractere = ligne[indice];
        if (caractere < '0' || caractere > '9') {
            return std::nullopt;
        }
        const std::int32_t chiffre = caractere - '0';
        valeur += place * chiffre;
        if (valeur > plafond) {
            return std::nullopt;
        }
        place *= 10;
    }
    return static_cast<std::int16_t>(negatif ? -valeur : valeur);
}

}  // namespace saisie

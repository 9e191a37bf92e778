// The pure judging of one line typed for an operand: is it a value, and which; if not, why.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace saisie {
// Longest accepted line, its line end not counted: a sign and five digits, or six digits.
inline constexpr std::size_t longueurMax = 6;
// Longest line read as one: a longer one is refused as a whole, whatever it holds.
inline constexpr std::uint64_t longueurLue = 99;

// Why a line is refused: the first of these rules, in this order, that it breaks.
enum class Refus : std::uint8_t {
    aucun,             // accepted
    vide,              // nothing before its line end
    ligneTropLongue,   // more than `longueurLue` characters
    tropDeCaracteres,  // more than `longueurMax` characters
    signeSeul,         // a sign, and no digit after it
    espace,            // not an optional sign then digits: the first other character is a space,
    octetNul,          // a NUL byte,
    autreCaractere,    // or anything else (a letter, a second sign, a carriage return)
    tropGrande,        // above 32767
    tropPetite,        // below -32768
};

// The rules' names, in the order of `Refus`, as a host that explains them to the user is told them.
inline constexpr std::array<std::string_view, 10> nomsDesRefus = {
    "aucun",  "vide",     "ligneTropLongue", "tropDeCaracteres", "signeSeul",
    "espace", "octetNul", "autreCaractere",  "tropGrande",       "tropPetite"};
constexpr std::string_view nom(Refus refus) noexcept {
    return nomsDesRefus[static_cast<std::size_t>(refus)];
}

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

// The rule that a line of `longueur` bytes breaks, of which `debut` holds the first (all of
// them when there are at most `longueurMax`): the first of `Refus`, in its order; `aucun`
// when `jugerLigne` takes it.
constexpr Refus pourquoi(std::string_view debut, std::uint64_t longueur) noexcept {
    if (longueur == 0 || longueur > longueurMax) {
        return longueur == 0            ? Refus::vide
               : longueur > longueurLue ? Refus::ligneTropLongue
                                        : Refus::tropDeCaracteres;
    }
    const std::string_view ligne = debut.substr(0, static_cast<std::size_t>(longueur));
    const bool negatif = ligne.starts_with('-');
    const std::size_t premier = negatif || ligne.starts_with('+') ? 1 : 0;
    const auto autre = ligne.find_first_not_of("0123456789", premier);
    if (ligne.size() == premier) {
        return Refus::signeSeul;
    }
    if (autre != std::string_view::npos) {
        return ligne[autre] == ' '    ? Refus::espace
               : ligne[autre] == '\0' ? Refus::octetNul
                                      : Refus::autreCaractere;
    }
    return jugerLigne(ligne) ? Refus::aucun : negatif ? Refus::tropPetite : Refus::tropGrande;
}
}  // namespace saisie

// The pure judging of one line typed for an operand: is it a value, and which; if not, why.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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

// What a line is: its value, or the first rule of `Refus` it breaks (`valeur` 0 then).
struct Jugement {
    std::int16_t valeur;
    Refus refus;
};

// Judges a line of `longueur` bytes (its line end excluded; every byte counts, NUL included),
// of which `debut` holds the first, all of them when there are at most `longueurMax`. A value
// is an optional "-" or "+" then decimal digits only, at most `longueurMax` characters in
// all, of magnitude at most 32767 (32768 after "-").
constexpr Jugement jugerLigne(std::string_view debut, std::uint64_t longueur) noexcept {
    if (longueur == 0 || longueur > longueurMax) {
        return {0, longueur == 0            ? Refus::vide
                   : longueur > longueurLue ? Refus::ligneTropLongue
                                            : Refus::tropDeCaracteres};
    }
    const bool negatif = debut[0] == '-';
    const std::size_t premier = negatif || debut[0] == '+' ? 1 : 0;
    if (longueur == premier) {
        return {0, Refus::signeSeul};
    }
    // From the last digit leftwards; `autre` ends past the leftmost byte that is not a digit.
    std::uint32_t valeur = 0;
    std::uint32_t place = 1;
    std::size_t autre = 0;
    for (auto i = static_cast<std::size_t>(longueur); i > premier; place *= 10) {
        const std::uint32_t chiffre = std::uint32_t{static_cast<unsigned char>(debut[--i])} - '0';
        autre = chiffre > 9 ? i + 1 : autre;
        valeur += place * chiffre;
    }
    if (autre != 0) {
        const char c = debut[autre - 1];
        return {0, c == ' ' ? Refus::espace : c == '\0' ? Refus::octetNul : Refus::autreCaractere};
    }
    // Six digits at most cannot overflow 32 bits: the whole magnitude decides.
    if (valeur > (negatif ? 32768U : 32767U)) {
        return {0, negatif ? Refus::tropPetite : Refus::tropGrande};
    }
    return {static_cast<std::int16_t>(negatif ? 0U - valeur : valeur), Refus::aucun};
}
}  // namespace saisie

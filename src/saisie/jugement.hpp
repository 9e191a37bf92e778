// The pure judging of one line typed for an operand: is it a value, and which; if not, why.
#pragma once

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

// The rule's name, as a host that explains it to the user is told it.
constexpr std::string_view nom(Refus refus) noexcept {
    constexpr std::string_view noms[] = {"aucun",      "vide",      "ligneTropLongue", "tropDeCaracteres",
                                         "signeSeul",  "espace",    "octetNul",        "autreCaractere",
                                         "tropGrande", "tropPetite"};
    return noms[static_cast<std::size_t>(refus)];
}

struct Jugement {
    Refus refus = Refus::aucun;
    std::int16_t valeur = 0;  // when accepted
    friend constexpr bool operator==(const Jugement&, const Jugement&) = default;
};

// Judges a line of `longueur` bytes, its line end excluded, of which `debut` holds the first
// (all of them when there are at most `longueurMax`; every byte counts, NUL included). It is
// a value when it is an optional "-" or "+" then decimal digits only, at most `longueurMax`
// characters in all, of magnitude at most 32767 (32768 after "-").
constexpr Jugement jugerLigne(std::string_view debut, std::uint64_t longueur) noexcept {
    if (longueur == 0 || longueur > longueurMax) {
        return {longueur == 0            ? Refus::vide
                : longueur > longueurLue ? Refus::ligneTropLongue
                                         : Refus::tropDeCaracteres};
    }
    const std::string_view ligne = debut.substr(0, longueur);
    const bool negatif = ligne.starts_with('-');
    const std::size_t premier = negatif || ligne.starts_with('+') ? 1 : 0;
    if (ligne.size() == premier) {
        return {Refus::signeSeul};
    }
    std::int32_t valeur = 0;
    std::int32_t place = 1;
    for (std::size_t i = ligne.size(); i > premier; place *= 10) {
        const char c = ligne[--i];
        if (c < '0' || c > '9') {  // the first such character from the start names the rule
            const auto autre = ligne.find_first_not_of("0123456789", premier);
            const char premierAutre = ligne[autre];
            return {premierAutre == ' '    ? Refus::espace
                    : premierAutre == '\0' ? Refus::octetNul
                                           : Refus::autreCaractere};
        }
        valeur += place * (c - '0');
    }
    // Six digits at most cannot overflow 32 bits: the whole magnitude decides.
    if (valeur > (negatif ? 32768 : 32767)) {
        return {negatif ? Refus::tropPetite : Refus::tropGrande};
    }
    return {Refus::aucun, static_cast<std::int16_t>(negatif ? -valeur : valeur)};
}

// The same, for a line of at most `longueurMax` bytes held whole.
constexpr Jugement jugerLigne(std::string_view ligne) noexcept {
    return jugerLigne(ligne, ligne.size());
}
}  // namespace saisie

// Every possible case of the two decisions, against independent oracles.
#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dialogue/verdict.hpp"
#include "saisie/jugement.hpp"

namespace {

using dialogue::Genre;

// The compiler's own overflow check is the oracle for every operand pair.
TEST(exhaustif, chaque_paire_d_operandes_suit_le_builtin) {
    std::uint64_t desaccords = 0;
    std::string premier;
    for (std::int32_t a = INT16_MIN; a <= INT16_MAX; ++a) {
        const auto n1 = static_cast<std::int16_t>(a);
        for (std::int32_t b = INT16_MIN; b <= INT16_MAX; ++b) {
            const auto n2 = static_cast<std::int16_t>(b);
            std::int16_t attendue = 0;
            const bool deborde = __builtin_add_overflow(n1, n2, &attendue);
            const Genre genre = deborde && n1 > 0 && n2 > 0   ? Genre::debordementPositif
                                : deborde && n1 < 0 && n2 < 0 ? Genre::debordementNegatif
                                                              : Genre::valide;
            const dialogue::Verdict verdict = dialogue::classer(n1, n2);
            if (verdict.genre != genre || verdict.somme != attendue) {
                if (desaccords++ == 0) {
                    premier = std::to_string(n1) + " + " + std::to_string(n2);
                }
            }
        }
    }
    EXPECT_EQ(desaccords, 0U) << "first disagreement: " << premier;
}

// Every 16-bit number written in a verdict as std::to_string writes it: x + 0 = x
// shows x twice, past every change in the number of digits and the sign.
TEST(exhaustif, chaque_nombre_s_ecrit_en_decimal) {
    std::uint64_t desaccords = 0;
    std::string premier;
    for (std::int32_t x = INT16_MIN; x <= INT16_MAX; ++x) {
        const dialogue::TexteVerdict verdict(static_cast<std::int16_t>(x), 0);
        const std::string_view ecrit = verdict.texte();
        const std::string attendu =
            "\n Resultat valide : " + std::to_string(x) + " + 0 = " + std::to_string(x);
        if (ecrit != attendu && desaccords++ == 0) {
            premier = ecrit;
        }
    }
    EXPECT_EQ(desaccords, 0U) << "first disagreement: \"" << premier << "\"";
}

// The rules of a value, written independently of the judging: an optional sign, then
// one or more digits and nothing else, six characters at most, in the 16-bit range.
std::optional<std::int16_t> oracle(std::string_view ligne) {
    if (ligne.size() > 6) {
        return std::nullopt;
    }
    const bool signe = !ligne.empty() && (ligne[0] == '-' || ligne[0] == '+');
    const std::string_view chiffres = ligne.substr(signe ? 1 : 0);
    if (chiffres.empty() || chiffres.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    long magnitude = 0;
    std::from_chars(chiffres.data(), chiffres.data() + chiffres.size(), magnitude);
    const long valeur = ligne[0] == '-' ? -magnitude : magnitude;
    if (valeur < INT16_MIN || valeur > INT16_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(valeur);
}

void comparer(std::string_view ligne, std::uint64_t& desaccords, std::string& premier) {
    if (saisie::jugerLigne(ligne) != oracle(ligne) && desaccords++ == 0) {
        premier = ligne;
    }
}

// Every line of up to six characters over digits, the two bytes on either side of them
// ("/" and ":"), signs, space, a letter, NUL, return and a byte above 127.
TEST(exhaustif, chaque_ligne_courte_suit_l_oracle) {
    static constexpr std::string_view alphabet("0123456789/:+- a\0\r\xff", 19);
    std::uint64_t desaccords = 0;
    std::string premier;
    std::string ligne;
    for (std::size_t longueur = 0; longueur <= 6; ++longueur) {
        ligne.assign(longueur, alphabet[0]);
        std::size_t total = 1;
        for (std::size_t i = 0; i < longueur; ++i) {
            total *= alphabet.size();
        }
        for (std::size_t numero = 0; numero < total; ++numero) {
            std::size_t reste = numero;
            for (char& caractere : ligne) {
                caractere = alphabet[reste % alphabet.size()];
                reste /= alphabet.size();
            }
            comparer(ligne, desaccords, premier);
        }
    }
    EXPECT_EQ(desaccords, 0U) << "first disagreement on \"" << premier << "\"";
}

// Every integer from -99999 to 999999, written plainly, with a plus sign, and with
// one or two leading zeros: the length and range limits from both sides.
TEST(exhaustif, chaque_entier_ecrit_de_plusieurs_facons_suit_l_oracle) {
    std::uint64_t desaccords = 0;
    std::string premier;
    for (long valeur = -99999; valeur <= 999999; ++valeur) {
        const std::string signe = valeur < 0 ? "-" : "";
        const std::string magnitude = std::to_string(valeur < 0 ? -valeur : valeur);
        for (const std::string& ecrit :
             {signe + magnitude, signe + "0" + magnitude, signe + "00" + magnitude}) {
            comparer(ecrit, desaccords, premier);
            if (valeur >= 0) {
                comparer("+" + ecrit, desaccords, premier);
            }
        }
    }
    EXPECT_EQ(desaccords, 0U) << "first disagreement on \"" << premier << "\"";
}

}  // namespace

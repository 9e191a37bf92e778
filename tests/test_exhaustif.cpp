// Every possible case of the two decisions, against independent oracles.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "dialogue/verdict.hpp"
#include "modele.hpp"
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
    std::array<char, dialogue::tailleMaxVerdict> texte{};
    for (std::int32_t x = INT16_MIN; x <= INT16_MAX; ++x) {
        const char* const fin = dialogue::ecrireVerdict(texte.data(), static_cast<std::int16_t>(x), 0);
        const std::string_view ecrit(texte.data(), static_cast<std::size_t>(fin - texte.data()));
        const std::string attendu =
            "\n Resultat valide : " + std::to_string(x) + " + 0 = " + std::to_string(x);
        if (ecrit != attendu && desaccords++ == 0) {
            premier = ecrit;
        }
    }
    EXPECT_EQ(desaccords, 0U) << "first disagreement: \"" << premier << "\"";
}

// The rule's name, and the value of a line that is one, against the model's.
void comparer(std::string_view ligne, std::uint64_t& desaccords, std::string& premier) {
    const auto jugement = saisie::jugerLigne(ligne, ligne.size());
    const modele::Jugement attendu = modele::juger(ligne);
    if ((saisie::nom(jugement.refus) != attendu.regle || jugement.valeur != attendu.valeur) &&
        desaccords++ == 0) {
        premier = ligne;
    }
}

// Every line of up to `longueurMax` characters over `alphabet`.
void comparerToutes(std::string_view alphabet, std::size_t longueurMax) {
    std::uint64_t desaccords = 0;
    std::string premier;
    std::string ligne;
    for (std::size_t longueur = 0; longueur <= longueurMax; ++longueur) {
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

// Every line of up to six characters over digits, the two bytes on either side of them
// ("/" and ":"), signs, space, a letter, NUL, return and a byte above 127.
TEST(exhaustif, chaque_ligne_courte_suit_l_oracle) {
    comparerToutes(std::string_view("0123456789/:+- a\0\r\xff", 19), 6);
}

// Every line of up to three bytes, whatever they are: no single byte can be treated
// specially unseen.
TEST(exhaustif, chaque_ligne_de_trois_octets_au_plus_suit_l_oracle) {
    std::string octets;
    for (int octet = 0; octet < 256; ++octet) {
        octets += static_cast<char>(octet);
    }
    comparerToutes(octets, 3);
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
             {std::string(signe).append(magnitude), std::string(signe).append("0").append(magnitude),
              std::string(signe).append("00").append(magnitude)}) {
            comparer(ecrit, desaccords, premier);
            if (valeur >= 0) {
                comparer("+" + ecrit, desaccords, premier);
            }
        }
    }
    EXPECT_EQ(desaccords, 0U) << "first disagreement on \"" << premier << "\"";
}

}  // namespace

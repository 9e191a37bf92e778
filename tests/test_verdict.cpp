#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string_view>

#include "dialogue/verdict.hpp"

namespace {

struct Cas {
    std::int16_t n1;
    std::int16_t n2;
    std::string_view texte;  // exactly as written
};

const auto cas = std::to_array<Cas>({
    {100, 200, "\n Resultat valide : 100 + 200 = 300"},
    {30000, 30000, "\n Debordement positif :  Resultat invalide : 30000 + 30000 = -5536\n"},
    {32767, 1, "\n Debordement positif :  Resultat invalide : 32767 + 1 = -32768\n"},
    {32767, 32767, "\n Debordement positif :  Resultat invalide : 32767 + 32767 = -2\n"},
    {-32768, -1, "\n Debordement negatif :  Resultat invalide : -32768 + -1 = 32767\n"},
    // A wrapped sum of exactly zero is an overflow for two negative operands.
    {-32768, -32768, "\n Debordement negatif :  Resultat invalide : -32768 + -32768 = 0\n"},
    {32767, -32768, "\n Resultat valide : 32767 + -32768 = -1"},
    {0, -32768, "\n Resultat valide : 0 + -32768 = -32768"},
    {0, 32767, "\n Resultat valide : 0 + 32767 = 32767"},
    {0, 0, "\n Resultat valide : 0 + 0 = 0"},
    {-1, -1, "\n Resultat valide : -1 + -1 = -2"},
    {-16384, -16384, "\n Resultat valide : -16384 + -16384 = -32768"},
    {16384, 16384, "\n Debordement positif :  Resultat invalide : 16384 + 16384 = -32768\n"},
});

TEST(dialogue, ecrit_le_verdict_de_chaque_somme_du_tableau) {
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message() << c.n1 << " + " << c.n2);
        std::array<char, dialogue::tailleMaxVerdict> texte{};
        const char* const fin = dialogue::ecrireVerdict(texte.data(), c.n1, c.n2);
        EXPECT_EQ(std::string_view(texte.data(), static_cast<std::size_t>(fin - texte.data())), c.texte);
    }
}

}  // namespace

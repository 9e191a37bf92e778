#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "saisie/jugement.hpp"

namespace {

using namespace std::string_view_literals;

using saisie::Refus;

struct Cas {
    std::string_view ligne;  // as typed, without its line end
    std::optional<std::int16_t> attendu;
    Refus refus = Refus::aucun;  // the rule it breaks, if any
};

constexpr auto centChiffres = [] {
    std::array<char, 100> chiffres{};
    chiffres.fill('1');
    return chiffres;
}();

const auto cas = std::to_array<Cas>({
    // Accepted, at the range limits and the length limit.
    {"32767", 32767},
    {"+32767", 32767},
    {"-32768", -32768},
    {"0", 0},
    {"+0", 0},
    {"-0", 0},
    {"000001", 1},
    {"-00001", -1},
    {"+00001", 1},
    {"100", 100},
    {"-1", -1},
    {"032767", 32767},
    // Refused.
    {"32768", {}, Refus::tropGrande},
    {"+32768", {}, Refus::tropGrande},  // sign or not
    {"-32769", {}, Refus::tropPetite},
    {"99999", {}, Refus::tropGrande},
    {"100000", {}, Refus::tropGrande},         // at the length limit
    {"0000001", {}, Refus::tropDeCaracteres},  // though its value is 1
    {"-000001", {}, Refus::tropDeCaracteres},
    {"abcdefg", {}, Refus::tropDeCaracteres},  // length is judged first
    {"", {}, Refus::vide},
    {"-", {}, Refus::signeSeul},
    {"+", {}, Refus::signeSeul},
    {" 1", {}, Refus::espace},
    {"1 ", {}, Refus::espace},
    {"1 2", {}, Refus::espace},
    {"- 1", {}, Refus::espace},
    {"1a2", {}, Refus::autreCaractere},
    {"--5", {}, Refus::autreCaractere},  // two signs
    {"+-5", {}, Refus::autreCaractere},
    {"5-", {}, Refus::autreCaractere},   // a sign after the digits
    {"1\r", {}, Refus::autreCaractere},  // a carriage return that is not part of a line end
    {"12\0"sv, {}, Refus::octetNul},     // every byte counts
    {{centChiffres.data(), centChiffres.size()}, {}, Refus::ligneTropLongue},  // refused as a whole
    {{centChiffres.data(), centChiffres.size() - 1}, {}, Refus::tropDeCaracteres},
});

TEST(saisie, juge_chaque_ligne_du_tableau) {
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message()
                     << "ligne \"" << std::string(c.ligne) << "\" (" << c.ligne.size() << " octets)");
        // Its first bytes as the console keeps them, and its length.
        const auto jugement = saisie::jugerLigne(c.ligne.substr(0, 16), c.ligne.size());
        EXPECT_EQ(saisie::nom(jugement.refus), saisie::nom(c.refus));
        EXPECT_EQ(jugement.valeur, c.attendu.value_or(0));
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "saisie/jugement.hpp"

namespace {

using namespace std::string_view_literals;

struct Cas {
    std::string_view ligne;  // as typed, without its line end
    std::optional<std::int16_t> attendu;
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
    {"32768", std::nullopt},    // above the range
    {"+32768", std::nullopt},   // above the range, sign or not
    {"-32769", std::nullopt},   // below the range
    {"99999", std::nullopt},    // magnitude
    {"100000", std::nullopt},   // magnitude, at the length limit
    {"0000001", std::nullopt},  // eight characters with the newline, though its value is 1
    {"-000001", std::nullopt},  // eight characters with the newline
    {"", std::nullopt},         // no digit
    {"-", std::nullopt},        // a sign alone
    {"+", std::nullopt},        // a sign alone
    {" 1", std::nullopt},       // a space before
    {"1 ", std::nullopt},       // a space after
    {"1 2", std::nullopt},      // a space inside
    {"- 1", std::nullopt},      // a space after the sign
    {"1a2", std::nullopt},      // a letter between digits
    {"--5", std::nullopt},      // two signs
    {"+-5", std::nullopt},      // two signs
    {"5-", std::nullopt},       // a sign after the digits
    {"1\r", std::nullopt},      // a carriage return that is not part of a line end
    {"12\0"sv, std::nullopt},   // a NUL byte: every byte counts
    {{centChiffres.data(), centChiffres.size()}, std::nullopt},  // refused as a whole, not judged in pieces
});

TEST(saisie, juge_chaque_ligne_du_tableau) {
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message()
                     << "ligne \"" << std::string(c.ligne) << "\" (" << c.ligne.size() << " octets)");
        EXPECT_EQ(saisie::jugerLigne(c.ligne), c.attendu);
    }
}

}  // namespace

#include "saisie/saisie.hpp"

#include "saisie/jugement.hpp"
#include "textes.hpp"

namespace saisie {

namespace {

// A line of exactly 99 characters is refused twice, and the prompt comes back two times:
// read as with room for 99 characters and the end of the string, its newline makes a
// second, empty line. Any other line is refused once, as a whole, however long.
constexpr std::uint64_t longueurRefuseeDeuxFois = 99;

static_assert(console::Ligne::octetsGardes >= longueurMax, "the console keeps enough of a line to judge it");

}  // namespace

bool lireValeurShort(console::Console& console, std::int16_t& valeur) {
    for (;;) {
        console.ecrire(textes::invite);
        const auto chaineAconvertir = console.lireLigne(console::Retour::ordinaire);
        if (!chaineAconvertir) {
            return false;
        }
        // A line longer than what the console keeps of it is far too long for a value.
        if (chaineAconvertir->entiere()) {
            if (const auto jugee = jugerLigne(chaineAconvertir->debut)) {
                valeur = *jugee;
                return true;
            }
        }
        if (chaineAconvertir->longueur == longueurRefuseeDeuxFois) {
            console.ecrire(textes::invite);
        }
    }
}

}  // namespace saisie

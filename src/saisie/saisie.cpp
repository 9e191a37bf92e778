#include "saisie/saisie.hpp"

#include "saisie/jugement.hpp"
#include "textes.hpp"

namespace saisie {

namespace {

// Lines are taken in pieces of at most 99 characters. A line of exactly 99 characters
// leaves its newline for a piece of its own, an empty line, so it is refused twice and
// the prompt comes back two times; longer lines are refused once, as a whole.
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

#include "saisie/saisie.hpp"

#include "saisie/jugement.hpp"
#include "textes.hpp"

namespace saisie {
// A line of exactly 99 characters is refused twice: the prompt comes back two more times,
// also for a last line without a line end. Any other line is refused once, however long.
constexpr std::uint64_t longueurRefuseeDeuxFois = 99;

static_assert(console::Ligne::octetsGardes >= longueurMax, "the console keeps enough of a line to judge it");

bool lireValeurShort(console::Console& console, std::int16_t& valeur) {
    for (;;) {
        console.ecrire(textes::invite);
        console::Ligne chaineAconvertir;
        if (!console.lireLigne(console::RetourChariot::ordinaire, chaineAconvertir)) {
            return false;
        }
        // A line longer than what the console keeps of it is far too long for a value.
        const auto jugee = chaineAconvertir.entiere() ? jugerLigne(chaineAconvertir.debut) : std::nullopt;
        if (jugee) {
            valeur = *jugee;
            return true;
        }
        if (chaineAconvertir.longueur == longueurRefuseeDeuxFois) {
            console.ecrire(textes::invite);
        }
    }
}
}  // namespace saisie

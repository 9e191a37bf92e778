#include "saisie/saisie.hpp"

#include "console/systeme.hpp"
#include "saisie/jugement.hpp"
#include "textes.hpp"

namespace saisie {
static_assert(console::Ligne::octetsGardes >= longueurMax, "the console keeps enough of a line to judge it");

bool lireValeurShort(console::Console& console, std::int16_t& valeur) {
    for (;;) {
        console.ecrire(textes::invite);
        console::Ligne chaineAconvertir;
        if (!console.lireLigne(console::RetourChariot::ordinaire, chaineAconvertir)) {
            return false;
        }
        const Jugement jugement = jugerLigne(chaineAconvertir.debut, chaineAconvertir.longueur);
        if (jugement.refus == Refus::aucun) {
            valeur = jugement.valeur;
            return true;
        }
        console::systeme::annoncerRefus(nom(jugement.refus), chaineAconvertir.debut,
                                        chaineAconvertir.longueur, console.numeroLigne());
        // A line of exactly as many characters as are read as one is refused twice: its
        // line end comes as a line of its own, and the prompt comes back two more times,
        // also for a last line without a line end. Any other line is refused once.
        if (chaineAconvertir.longueur == longueurLue) {
            console.ecrire(textes::invite);
        }
    }
}
}  // namespace saisie

#include "saisie/saisie.hpp"

#include "saisie/jugement.hpp"
#include "textes.hpp"

namespace saisie {

namespace {

// A line of exactly this many characters fills the 100-byte line buffer without its
// newline; that newline is then read on its own as a second, empty line, so the line
// costs two refusals. Longer lines are refused once, as a whole.
constexpr std::uint64_t longueurQuiLaisseLeRetour = console::Ligne::capacite - 1;

}  // namespace

std::optional<std::int16_t> lireValeurShort(console::Console& console) {
    console::Ligne chaineAconvertir;
    for (;;) {
        console.ecrire(textes::invite);
        if (!console.lireLigne(chaineAconvertir)) {
            return std::nullopt;
        }
        if (const auto valeur = jugerLigne(chaineAconvertir.texte())) {
            return valeur;
        }
        if (chaineAconvertir.longueur == longueurQuiLaisseLeRetour) {
            console.ecrire(textes::invite);
        }
    }
}

}  // namespace saisie

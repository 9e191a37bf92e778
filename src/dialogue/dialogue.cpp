#include "dialogue/dialogue.hpp"

#include "dialogue/verdict.hpp"
#include "saisie/saisie.hpp"
#include "textes.hpp"

namespace dialogue {

bool verifierSomme(console::Console& console) {
    console.ecrire(textes::enTetePremiere);
    const auto n1 = saisie::lireValeurShort(console);
    if (!n1) {
        return false;
    }
    console.ecrire(textes::enTeteSeconde);
    const auto n2 = saisie::lireValeurShort(console);
    if (!n2) {
        return false;
    }
    console.ecrire(TexteVerdict(*n1, *n2).vue());
    return true;
}

void viderLigne(console::Console& console) {
    for (;;) {
        const int caractere = console.lireCaractere();
        if (caractere == console::finDeFlux || caractere == '\n' || caractere == '\r') {
            return;
        }
    }
}

int executer(console::Console& console) {
    char rep = 'y';
    while (rep == 'y') {
        if (!verifierSomme(console)) {
            console.ecrire(textes::finEntree);
            return console.fermer(1);
        }
        console.ecrire(textes::question);
        const int reponse = console.lireCaractere();
        if (reponse == console::finDeFlux) {
            console.ecrire(textes::finEntree);
            return console.fermer(0);
        }
        rep = static_cast<char>(reponse);
        // An empty answer line is a plain no; reading on would swallow the next line.
        if (rep == '\n') {
            break;
        }
        viderLigne(console);
    }
    return console.fermer(0);
}

}  // namespace dialogue

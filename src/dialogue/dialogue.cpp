#include "dialogue/dialogue.hpp"

#include "dialogue/verdict.hpp"
#include "saisie/saisie.hpp"
#include "textes.hpp"

namespace dialogue {

bool verifierSomme(console::Console& console) {
    std::int16_t n1 = 0;
    std::int16_t n2 = 0;
    console.ecrire(textes::enTetePremiere);
    if (!saisie::lireValeurShort(console, n1)) {
        return false;
    }
    console.ecrire(textes::enTeteSeconde);
    if (!saisie::lireValeurShort(console, n2)) {
        return false;
    }
    console.ecrireEnPlace(tailleMaxVerdict, [&](char* sortie) { return ecrireVerdict(sortie, n1, n2); });
    return true;
}

int executer(console::Console& console) {
    char rep = 'y';
    while (rep == 'y') {
        if (!verifierSomme(console)) {
            console.ecrire(textes::retourALaLigne);
            return console.fermer(1);
        }
        console.ecrire(textes::question);
        // Only the answer's first character counts: reading the whole answer line throws
        // the rest away. A carriage return ends it too, so "y\r" goes on at once.
        console::Ligne reponse;
        if (!console.lireLigne(console::RetourChariot::finDeLigne, reponse)) {
            // End of input at the question is a no; a failed read ends with its diagnostic.
            console.ecrire(textes::retourALaLigne);
            return console.fermer(0);
        }
        // An empty answer line is a plain no.
        rep = reponse.debut.empty() ? '\n' : reponse.debut.front();
    }
    return console.fermer(0);
}

}  // namespace dialogue

#include "dialogue/dialogue.hpp"

#include "console/systeme.hpp"
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
    const Verdict verdict = classer(n1, n2);
    console::systeme::annoncerVerdict(nom(verdict.genre), n1, n2, verdict.somme, console.ecrits());
    return true;
}

int executer(console::Console& console) {
    char rep = 'y';
    while (rep == 'y') {
        if (!verifierSomme(console)) {
            console.ecrire(textes::retourALaLigne);
            return 1;
        }
        console.ecrire(textes::question);
        // Only the answer's first character counts, the rest of its line thrown away. A
        // carriage return ends it too, so "y\r" goes on at once.
        console::Ligne reponse;
        if (!console.lireLigne(console::RetourChariot::finDeLigne, reponse)) {
            console.ecrire(textes::retourALaLigne);
            return 0;  // a no, or a failure that closing reports
        }
        rep = reponse.debut.empty() ? '\n' : reponse.debut.front();  // an empty line is a no
        console::systeme::annoncerReponse(rep == 'y');
    }
    return 0;
}
}  // namespace dialogue

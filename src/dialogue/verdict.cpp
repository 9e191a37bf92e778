#include "dialogue/verdict.hpp"

#include <algorithm>
#include <charconv>

namespace dialogue {

static_assert(textes::debordementNegatif.size() == textes::debordementPositif.size());
static_assert(textes::resultatValide.size() <
              textes::debordementPositif.size() + textes::resultatInvalide.size());

char* ecrireVerdict(char* sortie, std::int16_t n1, std::int16_t n2) noexcept {
    const Verdict verdict = classer(n1, n2);
    char* fin = sortie;
    const auto copier = [&fin](std::string_view morceau) {
        fin = std::copy(morceau.begin(), morceau.end(), fin);
    };
    const auto ecrireNombre = [&fin](std::int16_t nombre) {
        fin = std::to_chars(fin, fin + tailleMaxNombre, nombre).ptr;
    };
    if (verdict.genre == Genre::valide) {
        copier(textes::resultatValide);
    } else {
        copier(verdict.genre == Genre::debordementPositif ? textes::debordementPositif
                                                          : textes::debordementNegatif);
        copier(textes::resultatInvalide);
    }
    ecrireNombre(n1);
    copier(textes::plus);
    ecrireNombre(n2);
    copier(textes::egal);
    ecrireNombre(verdict.somme);
    // Only the overflow verdicts end their line.
    if (verdict.genre != Genre::valide) {
        copier("\n");
    }
    return fin;
}

}  // namespace dialogue

#include "dialogue/verdict.hpp"

#include <algorithm>
#include <charconv>

namespace dialogue {

TexteVerdict::TexteVerdict(std::int16_t n1, std::int16_t n2) noexcept {
    const Verdict verdict = classer(n1, n2);
    char* fin = octets_.data();
    const auto copier = [&fin](std::string_view morceau) {
        fin = std::copy(morceau.begin(), morceau.end(), fin);
    };
    const auto ecrireNombre = [&fin](std::int16_t nombre) {
        fin = std::to_chars(fin, fin + tailleNombreMax, nombre).ptr;
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
    taille_ = static_cast<std::size_t>(fin - octets_.data());
}

}  // namespace dialogue

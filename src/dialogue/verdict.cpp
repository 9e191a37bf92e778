#include "dialogue/verdict.hpp"

#include <charconv>
#include <cstring>

#include "textes.hpp"

namespace dialogue {

TexteVerdict::TexteVerdict(std::int16_t n1, std::int16_t n2) noexcept {
    const Verdict verdict = classer(n1, n2);
    switch (verdict.genre) {
        case Genre::debordementPositif:
            ajouter(textes::debordementPositif);
            ajouter(textes::resultatInvalide);
            break;
        case Genre::debordementNegatif:
            ajouter(textes::debordementNegatif);
            ajouter(textes::resultatInvalide);
            break;
        case Genre::valide:
            ajouter(textes::resultatValide);
            break;
    }
    ajouterNombre(n1);
    ajouter(textes::plus);
    ajouterNombre(n2);
    ajouter(textes::egal);
    ajouterNombre(verdict.somme);
    // Only the overflow verdicts end their line.
    if (verdict.genre != Genre::valide) {
        ajouter("\n");
    }
}

void TexteVerdict::ajouter(std::string_view morceau) noexcept {
    std::memcpy(texte_.data() + taille_, morceau.data(), morceau.size());
    taille_ += morceau.size();
}

void TexteVerdict::ajouterNombre(std::int16_t nombre) noexcept {
    char* const debut = texte_.data() + taille_;
    const auto [fin, erreur] = std::to_chars(debut, texte_.data() + texte_.size(), int{nombre});
    static_cast<void>(erreur);  // six characters always fit
    taille_ += static_cast<std::size_t>(fin - debut);
}

}  // namespace dialogue

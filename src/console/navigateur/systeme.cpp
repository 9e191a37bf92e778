// The console's system in a browser: the page that runs the program holds its standard
// streams, and systeme.js, linked in with this file, hands the bytes and the program's
// decisions across. A read suspends the program (Asyncify) until the page has input or
// has ended it; nothing here can fail, as the page keeps whatever it is given, and so
// there is never a diagnostic to report.
#include "console/systeme.hpp"

// Implemented in systeme.js.
extern "C" {
// Waits until the page has input, then copies at most `taille` bytes of it to `tampon`
// and returns how many; 0 once the page has ended input.
int lireNavigateur(char* tampon, std::size_t taille);
void ecrireNavigateur(const char* donnees, std::size_t taille);
// The place, the length and the line's number as doubles: JavaScript's numbers hold any that
// the output or the input can reach, past the 4 GiB of the program's 32-bit size_t.
void annoncerVerdictNavigateur(const char* genre, std::size_t tailleGenre, int n1, int n2, int somme,
                               double fin);
void annoncerRefusNavigateur(const char* regle, std::size_t tailleRegle, const char* debut,
                             std::size_t tailleDebut, double longueur, double numero);
void annoncerReponseNavigateur(int encore);
}

namespace console::systeme {
std::ptrdiff_t lire(char* tampon, std::size_t taille, int& /*erreur*/) noexcept {
    return lireNavigateur(tampon, taille);
}

bool ecrire(std::string_view donnees, int& /*erreur*/) noexcept {
    ecrireNavigateur(donnees.data(), donnees.size());
    return true;
}

bool fermerSortie(int& /*erreur*/) noexcept {
    return true;
}

const std::span<const Cause> causes;

void signaler(std::string_view /*ligne*/) noexcept {}

void annoncerVerdict(std::string_view genre, std::int16_t n1, std::int16_t n2, std::int16_t somme,
                     std::uint64_t fin) noexcept {
    annoncerVerdictNavigateur(genre.data(), genre.size(), n1, n2, somme, static_cast<double>(fin));
}

void annoncerRefus(std::string_view regle, std::string_view debut, std::uint64_t longueur,
                   std::uint64_t numero) noexcept {
    annoncerRefusNavigateur(regle.data(), regle.size(), debut.data(), debut.size(),
                            static_cast<double>(longueur), static_cast<double>(numero));
}

void annoncerReponse(bool encore) noexcept {
    annoncerReponseNavigateur(encore ? 1 : 0);
}
}  // namespace console::systeme

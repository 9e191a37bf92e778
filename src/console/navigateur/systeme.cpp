// The console's system in a browser: the page that runs the program holds its standard
// streams, and systeme.js, linked in with this file, hands the bytes across. A read
// suspends the program (Asyncify) until the page has input or has ended it; nothing
// here can fail, as the page keeps whatever it is given.
#include "console/systeme.hpp"

// Implemented in systeme.js.
extern "C" {
// Waits until the page has input, then copies at most `taille` bytes of it to `tampon`
// and returns how many; 0 once the page has ended input.
int lireNavigateur(char* tampon, std::size_t taille);
void ecrireNavigateur(const char* donnees, std::size_t taille);
void signalerNavigateur(const char* ligne, std::size_t taille);
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

void signaler(std::string_view ligne) noexcept {
    signalerNavigateur(ligne.data(), ligne.size());
}
}  // namespace console::systeme

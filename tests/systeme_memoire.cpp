#include "systeme_memoire.hpp"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "console/systeme.hpp"
#include "textes.hpp"

namespace {

// The system's side is free functions, as the program's are: they find the system in use here.
SystemeMemoire* enService = nullptr;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

}  // namespace

SystemeMemoire::SystemeMemoire(std::vector<std::string> pieces)
    : morceaux(std::move(pieces)), precedent_(std::exchange(enService, this)) {}

SystemeMemoire::~SystemeMemoire() {
    enService = precedent_;
}

namespace console::systeme {

constexpr auto causesMemoire = std::to_array<Cause>({{5, textes::entreeSortie}, {28, textes::disquePlein}});
const std::span<const Cause> causes = causesMemoire;

std::ptrdiff_t lire(char* tampon, std::size_t taille, int& erreur) noexcept {
    SystemeMemoire& s = *enService;
    s.sortieALaLecture.push_back(s.sortie.size());
    s.lecturesApresEchecEcriture += s.ecritureEchouee ? 1 : 0;
    if (s.suivant == s.morceaux.size()) {
        erreur = 5;
        return s.erreurDeLecture ? -1 : 0;
    }
    std::string& morceau = s.morceaux[s.suivant];
    const std::size_t n = std::min(taille, morceau.size());
    std::copy_n(morceau.data(), n, tampon);
    morceau.erase(0, n);
    if (morceau.empty()) {
        ++s.suivant;
    }
    return static_cast<std::ptrdiff_t>(n);
}

bool ecrire(std::string_view donnees, int& erreur) noexcept {
    SystemeMemoire& s = *enService;
    ++s.ecritures;
    const std::size_t place = s.ecritureEchoueApres - std::min(s.sortie.size(), s.ecritureEchoueApres);
    s.sortie += donnees.substr(0, place);
    s.ecritureEchouee = s.ecritureEchouee || donnees.size() > place;
    erreur = 28;
    return !s.ecritureEchouee;
}

bool fermerSortie(int& erreur) noexcept {
    erreur = 0;
    return !enService->fermetureEchoue;
}

void signaler(std::string_view ligne) noexcept {
    enService->diagnostics += ligne;
}

void annoncerVerdict(std::string_view genre, std::int16_t n1, std::int16_t n2, std::int16_t somme,
                     std::uint64_t fin) noexcept {
    enService->annonces += "verdict " + std::string(genre) + ' ' + std::to_string(n1) + " + " +
                           std::to_string(n2) + " = " + std::to_string(somme) + " fin " +
                           std::to_string(fin) + '\n';
}

void annoncerRefus(std::string_view regle, std::string_view /*debut*/, std::uint64_t longueur,
                   std::uint64_t numero) noexcept {
    enService->annonces += "refus " + std::string(regle) + ' ' + std::to_string(longueur) + " ligne " +
                           std::to_string(numero) + '\n';
}

void annoncerReponse(bool encore) noexcept {
    enService->annonces += encore ? "reponse encore\n" : "reponse arret\n";
}

}  // namespace console::systeme

#include "console/console.hpp"

#include "console/systeme.hpp"
#include "textes.hpp"

namespace console {
// The line from `debutLigne_` goes on past the bytes read: what is kept of it moves to the
// front, the rest is counted in `ecartes`, and the next bytes are read after it. False at
// end of input or after a failure.
bool Console::continuerLigne(std::uint64_t& ecartes) noexcept {
    const auto longueur = static_cast<std::size_t>(finLue_ - debutLigne_);
    const std::size_t reportes = std::min(longueur, octetsReportes);
    ecartes += longueur - reportes;
    const char derniere = finLue_[-1];
    std::memmove(entree_.data(), debutLigne_, reportes);
    entree_[reportes - 1] = derniere;
    debutLigne_ = entree_.data();
    return remplirEntree(reportes);
}

// Once all pending output is out, reads what standard input has next after the `reportes`
// bytes at the front. False at end of input or after a failure, when nothing is read.
bool Console::remplirEntree(std::size_t reportes) noexcept {
    viderSortie();
    lecture_ = finLue_ = entree_.data() + reportes;
    if (etat_ != Etat::ouverte) {
        return false;
    }
    const std::ptrdiff_t lus = systeme::lire(entree_.data() + reportes, tailleTampon);
    if (lus <= 0) {
        etat_ = lus == 0 ? Etat::finEntree : Etat::erreurLecture;
        return false;
    }
    finLue_ += lus;
    return true;
}

void Console::viderSortie() noexcept {
    if (enSortie_ > 0) {
        ecrireAuSysteme({sortie_.data(), enSortie_});
        enSortie_ = 0;
    }
}

// Nothing more is written once output has failed.
void Console::ecrireAuSysteme(std::string_view donnees) noexcept {
    if (etat_ != Etat::erreurEcriture && !systeme::ecrire(donnees)) {
        noterEchecEcriture();
    }
}

// The first failure is the one reported: a read error stays.
void Console::noterEchecEcriture() noexcept {
    if (etat_ != Etat::erreurLecture) {
        etat_ = Etat::erreurEcriture;
    }
}

int Console::fermer(int statut) noexcept {
    viderSortie();
    if (!systeme::fermerSortie()) {
        noterEchecEcriture();
    }
    if (etat_ == Etat::erreurEcriture || etat_ == Etat::erreurLecture) {
        systeme::signaler(etat_ == Etat::erreurEcriture ? textes::erreurEcriture : textes::erreurLecture);
        return 1;
    }
    return statut;
}
}  // namespace console

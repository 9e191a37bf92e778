#include "console/console.hpp"

#include "console/systeme.hpp"
#include "textes.hpp"

namespace console {

// The line from `debutLigne_` goes on past the bytes read: what is kept of it moves to
// the front of the buffer, the rest is counted in `ecartes`, and the next bytes are read
// after it. False at end of input or after a failure, the line then ending at `finLue_`.
bool Console::continuerLigne(std::uint64_t& ecartes) noexcept {
    auto reportes = static_cast<std::size_t>(finLue_ - debutLigne_);
    const char derniere = finLue_[-1];
    if (reportes > octetsReportes) {
        ecartes += reportes - octetsReportes;
        reportes = octetsReportes;
    }
    std::memmove(entree_.data(), debutLigne_, reportes);
    entree_[reportes - 1] = derniere;
    debutLigne_ = entree_.data();
    return remplirEntree(reportes);
}

// Reads what standard input has next into the buffer, after the `reportes` bytes carried
// over at its front, once every pending byte of output is out. False at end of input, or
// when a read or write has failed: nothing is read after a failure.
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
        noterEchec(Etat::erreurEcriture);
    }
}

// The first failure is the one reported: a failure after it changes nothing.
void Console::noterEchec(Etat echec) noexcept {
    if (etat_ == Etat::ouverte || etat_ == Etat::finEntree) {
        etat_ = echec;
    }
}

int Console::fermer(int statut) noexcept {
    viderSortie();
    if (!systeme::fermerSortie()) {
        noterEchec(Etat::erreurEcriture);
    }
    if (etat_ == Etat::erreurEcriture || etat_ == Etat::erreurLecture) {
        systeme::signaler(etat_ == Etat::erreurEcriture ? textes::erreurEcriture : textes::erreurLecture);
        return 1;
    }
    return statut;
}

}  // namespace console

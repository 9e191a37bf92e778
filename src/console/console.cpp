#include "console/console.hpp"

#include <algorithm>

#include "console/systeme.hpp"
#include "textes.hpp"

namespace console {

bool Console::remplir() noexcept {
    envoyer();
    if (etat_ != Etat::ouverte) {
        return false;
    }
    const std::ptrdiff_t lus = systeme::lire(entree_.data(), entree_.size());
    if (lus <= 0) {
        etat_ = lus == 0 ? Etat::finEntree : Etat::erreurLecture;
        return false;
    }
    lecture_ = entree_.data();
    finLue_ = lecture_ + lus;
    return true;
}

// Makes an input byte ready, once the newline that completes a carriage return taken as
// a line end is dropped. False at end of input, or after a failure.
bool Console::preparer() noexcept {
    for (;;) {
        if (lecture_ == finLue_ && !remplir()) {
            return false;
        }
        if (!sautAttendu_) {
            return true;
        }
        sautAttendu_ = false;
        if (*lecture_ == '\n') {
            ++lecture_;
        }
    }
}

// Any line that `lireLigne` cannot take whole from the buffer: its first bytes are kept
// aside as it goes on in later reads.
std::optional<Ligne> Console::lireLigneEnMorceaux(Retour retour) noexcept {
    if (!preparer()) {
        return std::nullopt;
    }
    std::uint64_t longueur = 0;
    char derniere = '\0';
    const char* morceau = lecture_;
    const char* fin = chercherFin(morceau, finLue_, retour);
    for (;;) {
        const auto taille = static_cast<std::size_t>(fin - morceau);
        if (longueur < Ligne::octetsGardes) {
            const auto place = Ligne::octetsGardes - static_cast<std::size_t>(longueur);
            std::memcpy(debutLigne_.data() + longueur, morceau, std::min(taille, place));
        }
        if (taille > 0) {
            longueur += taille;
            derniere = fin[-1];
        }
        if (fin != finLue_) {
            lecture_ = fin + 1;
            return terminer(debutLigne_.data(), longueur, derniere, *fin);
        }
        lecture_ = finLue_;
        if (!remplir()) {
            if (etat_ != Etat::finEntree) {
                return std::nullopt;
            }
            return terminer(debutLigne_.data(), longueur, derniere, '\0');
        }
        morceau = lecture_;
        fin = chercherFin(morceau, finLue_, retour);
    }
}

void Console::transmettre(std::string_view donnees) noexcept {
    if (etat_ == Etat::erreurEcriture || systeme::ecrire(donnees)) {
        return;
    }
    // Nothing more is read once output is lost, so the dialogue winds down at once.
    // A read that failed first stays the failure reported.
    if (etat_ != Etat::erreurLecture) {
        etat_ = Etat::erreurEcriture;
    }
    lecture_ = finLue_;
}

void Console::envoyer() noexcept {
    if (enSortie_ > 0) {
        transmettre({sortie_.data(), enSortie_});
        enSortie_ = 0;
    }
}

void Console::ecrireLong(std::string_view texte) noexcept {
    envoyer();
    if (texte.size() > tailleTampon) {
        transmettre(texte);
        return;
    }
    std::memcpy(sortie_.data(), texte.data(), texte.size());
    enSortie_ = texte.size();
}

int Console::fermer(int statut) noexcept {
    envoyer();
    if (!systeme::fermerSortie() && (etat_ == Etat::ouverte || etat_ == Etat::finEntree)) {
        etat_ = Etat::erreurEcriture;
    }
    switch (etat_) {
        case Etat::erreurEcriture:
            systeme::signaler(textes::erreurEcriture);
            return 1;
        case Etat::erreurLecture:
            systeme::signaler(textes::erreurLecture);
            return 1;
        case Etat::ouverte:
        case Etat::finEntree:
            break;
    }
    return statut;
}

}  // namespace console

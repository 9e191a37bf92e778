#include "console/console.hpp"

#include <algorithm>
#include <cstring>

#include "textes.hpp"

namespace console {

namespace {

// Appends the bytes from `debut` to `fin` to `ligne`, keeping only what fits.
void ajouterALigne(Ligne& ligne, const char* debut, const char* fin) noexcept {
    const auto taille = static_cast<std::size_t>(fin - debut);
    if (ligne.longueur < Ligne::capacite) {
        const auto place = Ligne::capacite - static_cast<std::size_t>(ligne.longueur);
        std::memcpy(ligne.debut.data() + ligne.longueur, debut, std::min(taille, place));
    }
    ligne.longueur += taille;
}

}  // namespace

bool Console::remplir() {
    vider();
    if (etat_ != Etat::ouverte) {
        return false;
    }
    const std::ptrdiff_t lus = canal_.lire(entree_.data(), entree_.size());
    if (lus <= 0) {
        etat_ = lus == 0 ? Etat::finEntree : Etat::erreurLecture;
        return false;
    }
    lecture_ = entree_.data();
    finLue_ = lecture_ + lus;
    return true;
}

int Console::lireCaractere() {
    if (lecture_ == finLue_ && !remplir()) {
        return finDeFlux;
    }
    const auto caractere = static_cast<unsigned char>(*lecture_++);
    if (caractere == '\r' && (lecture_ != finLue_ || remplir()) && *lecture_ == '\n') {
        ++lecture_;
        return '\n';
    }
    return caractere;
}

bool Console::lireLigne(Ligne& ligne) {
    static constexpr char retour = '\r';
    bool retourEnAttente = false;  // the last byte seen was a carriage return, not yet counted
    bool rienLu = true;
    ligne.longueur = 0;
    for (;;) {
        if (lecture_ == finLue_ && !remplir()) {
            break;
        }
        rienLu = false;
        if (retourEnAttente) {
            retourEnAttente = false;
            if (*lecture_ == '\n') {
                ++lecture_;
                break;
            }
            ajouterALigne(ligne, &retour, &retour + 1);
        }
        const auto disponibles = static_cast<std::size_t>(finLue_ - lecture_);
        const auto* finDeLigne = static_cast<const char*>(std::memchr(lecture_, '\n', disponibles));
        const char* finDuTexte = finDeLigne != nullptr ? finDeLigne : finLue_;
        if (finDuTexte != lecture_ && finDuTexte[-1] == '\r') {
            --finDuTexte;  // either the line end's first half, or a return whose follower is unread
            retourEnAttente = finDeLigne == nullptr;
        }
        ajouterALigne(ligne, lecture_, finDuTexte);
        if (finDeLigne != nullptr) {
            lecture_ = finDeLigne + 1;
            break;
        }
        lecture_ = finLue_;
    }
    if (retourEnAttente) {
        ajouterALigne(ligne, &retour, &retour + 1);  // a return at the end of input is kept
    }
    return !rienLu;
}

void Console::ecrireLong(std::string_view texte) {
    while (!texte.empty()) {
        if (enSortie_ == tailleTampon) {
            vider();
        }
        const std::size_t morceau = std::min(texte.size(), tailleTampon - enSortie_);
        texte.copy(sortie_.data() + enSortie_, morceau);
        enSortie_ += morceau;
        texte.remove_prefix(morceau);
    }
}

void Console::vider() {
    if (enSortie_ == 0) {
        return;
    }
    const bool ecrit = etat_ != Etat::erreurEcriture && canal_.ecrire({sortie_.data(), enSortie_});
    enSortie_ = 0;
    if (!ecrit) {
        // Nothing more is read once the output is lost: the dialogue winds down at once.
        etat_ = Etat::erreurEcriture;
        lecture_ = finLue_;
    }
}

int Console::fermer(int statut) {
    vider();
    switch (etat_) {
        case Etat::erreurEcriture:
            canal_.signaler(textes::erreurEcriture);
            return 1;
        case Etat::erreurLecture:
            canal_.signaler(textes::erreurLecture);
            return 1;
        case Etat::ouverte:
        case Etat::finEntree:
            break;
    }
    return statut;
}

}  // namespace console

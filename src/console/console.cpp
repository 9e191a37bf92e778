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
    int erreur = 0;
    const std::ptrdiff_t lus = systeme::lire(entree_.data() + reportes, tailleTampon, erreur);
    if (lus <= 0) {
        etat_ = lus == 0 ? Etat::finEntree : Etat::erreurLecture;
        erreur_ = erreur;
        return false;
    }
    finLue_ += lus;
    return true;
}

void Console::viderSortie() noexcept {
    livrer({sortie_.data(), enSortie_});
    enSortie_ = 0;
}

// Hands `texte` to the system; nothing more is written once output has failed.
void Console::livrer(std::string_view texte) noexcept {
    livres_ += texte.size();
    int erreur = 0;
    if (!texte.empty() && etat_ != Etat::erreurEcriture && !systeme::ecrire(texte, erreur)) {
        noterEchec(Etat::erreurEcriture, erreur);
    }
}

// The first failure is the one reported.
void Console::noterEchec(Etat echec, int erreur) noexcept {
    if (etat_ != Etat::erreurLecture && etat_ != Etat::erreurEcriture) {
        etat_ = echec;
        erreur_ = erreur;
    }
}

// Writes `quoi`, then why the failure of error number `erreur` came: a common cause, or the
// number, 0 included (a failure to which the system gave no number).
static char* copierDiagnostic(char* sortie, std::string_view quoi, int erreur) noexcept {
    sortie = std::copy(quoi.begin(), quoi.end(), sortie);
    for (const auto& [numero, texte] : systeme::causes) {
        if (numero == erreur) {
            return std::copy(texte.begin(), texte.end(), sortie);
        }
    }
    sortie = std::copy(textes::erreurSysteme.begin(), textes::erreurSysteme.end(), sortie);
    std::array<char, 12> chiffres{};
    auto* debut = chiffres.end();
    auto reste = static_cast<unsigned>(erreur);  // Windows' are unsigned
    do {
        *--debut = static_cast<char>('0' + reste % 10);
        reste /= 10;
    } while (reste != 0);
    return std::copy(debut, chiffres.end(), sortie);
}

int Console::fermer(int statut) noexcept {
    viderSortie();
    if (int erreur = 0; !systeme::fermerSortie(erreur)) {
        noterEchec(Etat::erreurEcriture, erreur);
    }
    if (etat_ != Etat::erreurEcriture && etat_ != Etat::erreurLecture) {
        return statut;
    }
    std::array<char, 128> ligne{};
    const auto quoi = etat_ == Etat::erreurEcriture ? textes::erreurEcriture : textes::erreurLecture;
    char* fin = copierDiagnostic(ligne.data(), quoi, erreur_);
    *fin++ = '\n';
    systeme::signaler({ligne.data(), static_cast<std::size_t>(fin - ligne.data())});
    return 1;
}
}  // namespace console

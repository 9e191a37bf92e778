// An independent model of the whole dialogue, written from the rules the README states
// and from none of the program's code: for the bytes of standard input and the failures
// a test injects, the exact output, the diagnostic, the exit status, and what the program
// tells its host of each refused line (with its number in the input), verdict and answer, by the
// names the page knows.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace modele {

// What an operand line is, its line end removed: a value ("aucun" its rule) when it is an
// optional sign, then one or more digits and nothing else, six characters at most, in the
// 16-bit range; otherwise the first rule it breaks, in this order, by its name: nothing typed;
// more than 99 characters, too many to be read at all, or more than six; a sign alone; after
// the sign, a character that is not a digit, the first of them a space, a NUL byte or anything
// else; a number above 32767 or below -32768.
struct Jugement {
    std::string_view regle;
    long valeur = 0;
};
inline Jugement juger(std::string_view ligne) {
    const bool signe = !ligne.empty() && (ligne[0] == '-' || ligne[0] == '+');
    const std::string_view chiffres = ligne.substr(signe ? 1 : 0);
    const std::size_t autre = chiffres.find_first_not_of("0123456789");
    if (ligne.empty() || ligne.size() > 6 || chiffres.empty()) {
        return {ligne.empty()       ? "vide"
                : ligne.size() > 99 ? "ligneTropLongue"
                : ligne.size() > 6  ? "tropDeCaracteres"
                                    : "signeSeul"};
    }
    if (autre != std::string_view::npos) {
        return {chiffres[autre] == ' ' ? "espace" : chiffres[autre] == '\0' ? "octetNul" : "autreCaractere"};
    }
    long magnitude = 0;
    std::from_chars(chiffres.data(), chiffres.data() + chiffres.size(), magnitude);
    const long v = ligne[0] == '-' ? -magnitude : magnitude;
    return v < -32768 || v > 32767 ? Jugement{v < 0 ? "tropPetite" : "tropGrande"} : Jugement{"aucun", v};
}

struct Pannes {
    std::optional<std::size_t> lectureApres;  // reading fails once this many bytes are read
    std::size_t ecritureApres = std::numeric_limits<std::size_t>::max();  // output bytes that fit
    bool fermeture = false;                                               // closing standard output fails
};

struct Issue {
    std::string sortie;
    std::string diagnostic;
    int statut = 0;
    std::string annonces;  // what the program tells its host, a line each, if output never fails
};

// Standard input as the program reads it, line by line, up to its end or to the read that fails.
class Entree {
public:
    Entree(std::string_view entree, const Pannes& pannes)
        : entree_(entree),
          fin_(std::min(pannes.lectureApres.value_or(entree.size()), entree.size())),
          panne_(pannes.lectureApres.has_value()) {}

    // The next line, or nothing once input is exhausted, `ecrits` bytes having been written
    // by then; a line cut short by a failed read is never one.
    std::optional<std::string> lireLigne(bool retourFinit, std::size_t ecrits) {
        if (std::exchange(sautAttendu_, false) && position_ < fin_ && entree_[position_] == '\n') {
            ++position_;
        }
        const std::size_t debut = position_;
        while (position_ < fin_ && entree_[position_] != '\n' &&
               !(retourFinit && entree_[position_] == '\r')) {
            ++position_;
        }
        std::string ligne(entree_.substr(debut, position_ - debut));
        ++numero;
        if (position_ == fin_) {
            sortieALaPanne = ecrits;
            return ligne.empty() || panne_ ? std::nullopt : std::optional(ligne);
        }
        sautAttendu_ = entree_[position_++] == '\r';
        if (!sautAttendu_ && ligne.ends_with('\r')) {
            ligne.pop_back();
        }
        return ligne;
    }

    std::optional<std::size_t> sortieALaPanne;  // bytes written when input was exhausted
    // The number of the line last read: what a newline, a carriage return that ends an answer,
    // or the end of input ends is a line.
    std::size_t numero = 0;

private:
    std::string_view entree_;
    std::size_t fin_;
    bool panne_;
    std::size_t position_ = 0;
    bool sautAttendu_ = false;  // an answer ended by a carriage return: a newline after it is dropped
};

// Writes the verdict on `n1` + `n2` at the end of `issue`'s output, and what the program tells
// its host of it: its kind, the operands, the sum as written and where its text ends.
inline void ecrireVerdict(Issue& issue, long n1, long n2) {
    const long somme = n1 + n2;
    const std::string calcul = std::to_string(n1) + " + " + std::to_string(n2) + " = " +
                               std::to_string((somme + 65536 + 32768) % 65536 - 32768);
    issue.sortie += somme > 32767    ? "\n Debordement positif :  Resultat invalide : " + calcul + "\n"
                    : somme < -32768 ? "\n Debordement negatif :  Resultat invalide : " + calcul + "\n"
                                     : "\n Resultat valide : " + calcul;
    const std::string genre = somme > 32767 ? "positif " : somme < -32768 ? "negatif " : "valide ";
    issue.annonces += "verdict " + genre + calcul + " fin " + std::to_string(issue.sortie.size()) + '\n';
}

// The diagnostic, given the failures, what was written when input was exhausted and what was
// written in all. Output is handed over before each read: the failure that comes first is
// reported. The in-memory system's reads fail with an I/O error, its writes with a full disk,
// and its close with no error number (0), which is a failure all the same.
inline std::string diagnostic(const Pannes& pannes, std::optional<std::size_t> sortieALaPanne,
                              std::size_t ecrits) {
    if (pannes.lectureApres && sortieALaPanne && *sortieALaPanne <= pannes.ecritureApres) {
        return "verifier-somme: erreur de lecture sur l'entree standard: erreur d'entree/sortie\n";
    }
    if (ecrits > pannes.ecritureApres) {
        return "verifier-somme: erreur d'ecriture sur la sortie standard: plus de place sur le disque\n";
    }
    return pannes.fermeture ? "verifier-somme: erreur d'ecriture sur la sortie standard: erreur systeme 0\n"
                            : "";
}

inline Issue executer(std::string_view entree, const Pannes& pannes = {}) {
    Entree lignes(entree, pannes);
    Issue issue;
    const std::string invite = "Introduire une valeur entiere entre -2^15 et (2^15) - 1:";
    auto lireOperande = [&](std::string_view entete) -> std::optional<long> {
        issue.sortie += entete;
        for (;;) {
            issue.sortie += invite;
            const auto ligne = lignes.lireLigne(false, issue.sortie.size());
            if (!ligne) {
                return std::nullopt;
            }
            const Jugement jugement = juger(*ligne);
            if (jugement.regle == "aucun") {
                return jugement.valeur;
            }
            issue.annonces += "refus " + std::string(jugement.regle) + ' ' + std::to_string(ligne->size()) +
                              " ligne " + std::to_string(lignes.numero) + '\n';
            issue.sortie += ligne->size() == 99 ? invite : "";
        }
    };
    for (;;) {
        const auto n1 = lireOperande("Introduire 1 premiere valeur short int n1: \n");
        const auto n2 = n1 ? lireOperande("Introduire 1 seconde valeur short int n2: \n") : std::nullopt;
        if (!n2) {
            issue.sortie += "\n";
            issue.statut = 1;
            break;
        }
        ecrireVerdict(issue, *n1, *n2);
        issue.sortie += "\nVoulez-vous verifier la somme de 2 shorts (y)?";
        const auto reponse = lignes.lireLigne(true, issue.sortie.size());
        if (!reponse) {
            issue.sortie += "\n";
            break;
        }
        const bool encore = !reponse->empty() && reponse->front() == 'y';
        issue.annonces += encore ? "reponse encore\n" : "reponse arret\n";
        if (!encore) {
            break;
        }
    }
    issue.diagnostic = diagnostic(pannes, lignes.sortieALaPanne, issue.sortie.size());
    issue.statut = issue.diagnostic.empty() ? issue.statut : 1;
    issue.sortie.resize(std::min(issue.sortie.size(), pannes.ecritureApres));
    return issue;
}

}  // namespace modele

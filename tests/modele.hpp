// An independent model of the whole dialogue, written from the rules the README states
// and from none of the program's code: for the bytes of standard input and the failures
// a test injects, the exact output, the diagnostic and the exit status.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace modele {

// The value of an operand line, its line end removed, when the line is one: an optional
// sign, then one or more digits and nothing else, six characters at most, in the 16-bit range.
inline std::optional<std::int16_t> valeur(std::string_view ligne) {
    const bool signe = !ligne.empty() && (ligne[0] == '-' || ligne[0] == '+');
    const std::string_view chiffres = ligne.substr(signe ? 1 : 0);
    if (ligne.size() > 6 || chiffres.empty() ||
        chiffres.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    long magnitude = 0;
    std::from_chars(chiffres.data(), chiffres.data() + chiffres.size(), magnitude);
    const long v = ligne[0] == '-' ? -magnitude : magnitude;
    return v < INT16_MIN || v > INT16_MAX ? std::nullopt : std::optional(static_cast<std::int16_t>(v));
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
};

inline Issue executer(std::string_view entree, const Pannes& pannes = {}) {
    const std::size_t fin = std::min(pannes.lectureApres.value_or(entree.size()), entree.size());
    std::size_t position = 0;
    bool sautAttendu = false;  // an answer ended by a carriage return: a newline after it is dropped
    std::optional<std::size_t> sortieALaPanne;
    Issue issue;
    // The next line, or nothing once input is exhausted; a line cut short by a failed
    // read is never one.
    auto lireLigne = [&](bool retourFinit) -> std::optional<std::string> {
        if (std::exchange(sautAttendu, false) && position < fin && entree[position] == '\n') {
            ++position;
        }
        const std::size_t debut = position;
        while (position < fin && entree[position] != '\n' && !(retourFinit && entree[position] == '\r')) {
            ++position;
        }
        std::string ligne(entree.substr(debut, position - debut));
        if (position == fin) {
            sortieALaPanne = issue.sortie.size();
            return ligne.empty() || pannes.lectureApres ? std::nullopt : std::optional(ligne);
        }
        sautAttendu = entree[position++] == '\r';
        if (!sautAttendu && ligne.ends_with('\r')) {
            ligne.pop_back();
        }
        return ligne;
    };
    const std::string invite = "Introduire une valeur entiere entre -2^15 et (2^15) - 1:";
    auto lireOperande = [&](std::string_view entete) -> std::optional<long> {
        issue.sortie += entete;
        for (;;) {
            issue.sortie += invite;
            const auto ligne = lireLigne(false);
            if (!ligne || valeur(*ligne)) {
                return ligne ? std::optional<long>(*valeur(*ligne)) : std::nullopt;
            }
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
        const long somme = *n1 + *n2;
        const long enveloppee = (somme + 65536 + 32768) % 65536 - 32768;
        issue.sortie += somme > 32767    ? "\n Debordement positif :  Resultat invalide : "
                        : somme < -32768 ? "\n Debordement negatif :  Resultat invalide : "
                                         : "\n Resultat valide : ";
        issue.sortie +=
            std::to_string(*n1) + " + " + std::to_string(*n2) + " = " + std::to_string(enveloppee);
        issue.sortie += enveloppee != somme ? "\n" : "";
        issue.sortie += "\nVoulez-vous verifier la somme de 2 shorts (y)?";
        const auto reponse = lireLigne(true);
        if (!reponse || reponse->empty() || reponse->front() != 'y') {
            issue.sortie += reponse ? "" : "\n";
            break;
        }
    }
    // Output is handed over before each read: the failure that comes first is reported.
    // The in-memory system's reads fail with an I/O error, its writes with a full disk, and
    // its close with no error number (0), which is a failure all the same.
    if (pannes.lectureApres && sortieALaPanne && *sortieALaPanne <= pannes.ecritureApres) {
        issue.diagnostic =
            "verifier-somme: erreur de lecture sur l'entree standard: erreur d'entree/sortie\n";
    } else if (issue.sortie.size() > pannes.ecritureApres) {
        issue.diagnostic =
            "verifier-somme: erreur d'ecriture sur la sortie standard: plus de place sur le disque\n";
    } else if (pannes.fermeture) {
        issue.diagnostic = "verifier-somme: erreur d'ecriture sur la sortie standard: erreur systeme 0\n";
    }
    issue.statut = issue.diagnostic.empty() ? issue.statut : 1;
    issue.sortie.resize(std::min(issue.sortie.size(), pannes.ecritureApres));
    return issue;
}

}  // namespace modele

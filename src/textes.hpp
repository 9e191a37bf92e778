// Every text the program writes, each used exactly as it stands.
#pragma once

#include <string_view>

namespace textes {
// Value entry: the prompt has no line end, so the value is typed on its line.
inline constexpr std::string_view invite = "Introduire une valeur entiere entre -2^15 et (2^15) - 1:";

// One check: the operand headings and the verdict labels.
inline constexpr std::string_view enTetePremiere = "Introduire 1 premiere valeur short int n1: \n";
inline constexpr std::string_view enTeteSeconde = "Introduire 1 seconde valeur short int n2: \n";
inline constexpr std::string_view debordementPositif = "\n Debordement positif : ";
inline constexpr std::string_view debordementNegatif = "\n Debordement negatif : ";
inline constexpr std::string_view resultatInvalide = " Resultat invalide : ";
inline constexpr std::string_view resultatValide = "\n Resultat valide : ";
inline constexpr std::string_view plus = " + ";
inline constexpr std::string_view egal = " = ";

// The repeat question: the answer is typed on its line.
inline constexpr std::string_view question = "\nVoulez-vous verifier la somme de 2 shorts (y)?";

// Written when the dialogue stops short (input ended, or a read or write failed), so that
// the shell's prompt starts on a fresh line.
inline constexpr std::string_view retourALaLigne = "\n";

// Diagnostics, one line each on standard error: what failed, then why, in the words of
// a common cause or as the system's error number after `erreurSysteme`; then a newline.
inline constexpr std::string_view erreurEcriture =
    "verifier-somme: erreur d'ecriture sur la sortie standard: ";
inline constexpr std::string_view erreurLecture = "verifier-somme: erreur de lecture sur l'entree standard: ";
inline constexpr std::string_view disquePlein = "plus de place sur le disque";
inline constexpr std::string_view quotaDepasse = "quota de disque depasse";
inline constexpr std::string_view fichierTropGros = "fichier trop gros";
inline constexpr std::string_view tubeFerme = "tube ferme";
inline constexpr std::string_view entreeSortie = "erreur d'entree/sortie";
inline constexpr std::string_view nonAutorise = "operation non autorisee";
inline constexpr std::string_view descripteurInvalide = "descripteur invalide";
inline constexpr std::string_view estUnDossier = "c'est un dossier";
inline constexpr std::string_view erreurSysteme = "erreur systeme ";
}  // namespace textes

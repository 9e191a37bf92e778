// Differential fuzzing of the whole dialogue, in process, against the independent model
// of tests/modele.hpp. The first three bytes choose how the input is cut into reads and
// where reading, writing and closing fail; the rest is the input. Whatever the bytes, the
// program must write what the model writes, report what it reports, tell its host what the
// model tells (unless writing fails), end as it ends, and never read once output has failed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "console/console.hpp"
#include "dialogue/dialogue.hpp"
#include "modele.hpp"
#include "systeme_memoire.hpp"

namespace {

[[noreturn]] void echouer(const char* quoi, std::string_view obtenu, std::string_view attendu) {
    std::fprintf(stderr, "%s differs from the model's:\n--- written:\n%.*s\n--- model:\n%.*s\n", quoi,
                 static_cast<int>(obtenu.size()), obtenu.data(), static_cast<int>(attendu.size()),
                 attendu.data());
    std::abort();
}

// Cuts `entree` into reads whose sizes come from `graine`: from one byte at a time
// (carriage returns split from their newlines) to whole buffers.
std::vector<std::string> decouper(std::string_view entree, std::uint8_t graine) {
    static constexpr std::size_t tailles[] = {1, 2, 3, 7, 64, 65536};
    const std::size_t plafond = tailles[graine % std::size(tailles)];
    std::uint32_t etat = graine * 2654435761U + 1;
    std::vector<std::string> morceaux;
    while (!entree.empty()) {
        etat = etat * 1664525U + 1013904223U;
        const std::size_t taille = 1 + (etat >> 8U) % plafond;
        morceaux.emplace_back(entree.substr(0, taille));
        entree.remove_prefix(std::min(taille, entree.size()));
    }
    return morceaux;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    if (taille < 3) {
        return 0;
    }
    const std::string_view entree(reinterpret_cast<const char*>(donnees) + 3, taille - 3);
    // 0 leaves reading and writing as they are; any other value makes them fail at a
    // point spread over the input read and the output written.
    modele::Pannes pannes;
    if (donnees[1] != 0) {
        pannes.lectureApres = (donnees[1] - 1U) * (entree.size() + 1) / 254;
    }
    if (donnees[2] != 0) {
        pannes.ecritureApres = (donnees[2] - 1U) * modele::executer(entree).sortie.size() / 254;
    }
    pannes.fermeture = (donnees[0] & 0x80U) != 0;
    const modele::Issue attendue = modele::executer(entree, pannes);

    SystemeMemoire systeme(
        decouper(entree.substr(0, pannes.lectureApres.value_or(entree.size())), donnees[0]));
    systeme.erreurDeLecture = pannes.lectureApres.has_value();
    systeme.ecritureEchoueApres = pannes.ecritureApres;
    systeme.fermetureEchoue = pannes.fermeture;
    console::Console console;
    const int statut = console.fermer(dialogue::executer(console));
    if (systeme.sortie != attendue.sortie) {
        echouer("the output", systeme.sortie, attendue.sortie);
    }
    if (systeme.diagnostics != attendue.diagnostic) {
        echouer("the diagnostic", systeme.diagnostics, attendue.diagnostic);
    }
    if (donnees[2] == 0 && systeme.annonces != attendue.annonces) {
        echouer("what is told to the host", systeme.annonces, attendue.annonces);
    }
    if (statut != attendue.statut) {
        echouer("the exit status", std::to_string(statut), std::to_string(attendue.statut));
    }
    if (systeme.lecturesApresEchecEcriture != 0) {
        echouer("reading after output failed", "a read", "none");
    }
    return 0;
}

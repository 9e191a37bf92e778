#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "console/console.hpp"
#include "dialogue/dialogue.hpp"
#include "dialogue/verdict.hpp"
#include "modele.hpp"
#include "systeme_memoire.hpp"
#include "textes.hpp"

namespace {

using namespace std::string_literals;
using console::RetourChariot;

std::vector<std::string> lireLignes(console::Console& console, RetourChariot retour) {
    std::vector<std::string> lignes;
    for (console::Ligne ligne; console.lireLigne(retour, ligne);) {
        lignes.emplace_back(ligne.debut);
    }
    return lignes;
}

struct CasLignes {
    std::vector<std::string> morceaux;  // one per read
    RetourChariot retour;
    std::vector<std::string> lignes;  // as read, line ends removed
};

TEST(console, lit_un_retour_suivi_d_un_saut_comme_un_saut_de_ligne) {
    const auto cas = std::to_array<CasLignes>({
        {{"12\r\n34\n"}, RetourChariot::ordinaire, {"12", "34"}},
        {{"12\r", "\n34\n"}, RetourChariot::ordinaire, {"12", "34"}},  // the pair split across two reads
        {{"\r", "\n", "\r", "\n"}, RetourChariot::ordinaire, {"", ""}},
        {{"1\r2\n"}, RetourChariot::ordinaire, {"1\r2"}},  // a lone return is an ordinary character
        {{"1\r", "2\n"}, RetourChariot::ordinaire, {"1\r2"}},
        {{"1\r\r\n"}, RetourChariot::ordinaire, {"1\r"}},  // only the return next to the newline goes
        {{"12\r"}, RetourChariot::ordinaire, {"12\r"}},    // a return at the end of input stays
        {{"12"}, RetourChariot::ordinaire, {"12"}},        // a last line without a line end is a line
        {{"1", "2", "\r", "\n", "3"}, RetourChariot::ordinaire, {"12", "3"}},
        // In an answer a return ends the line, and takes the newline right after it.
        {{"y\rn\r\nx\n"}, RetourChariot::finDeLigne, {"y", "n", "x"}},
        {{"y\r", "\n", "x\n"}, RetourChariot::finDeLigne, {"y", "x"}},
        {{"\r\r\n\n"}, RetourChariot::finDeLigne, {"", "", ""}},
        {{"yes\r\n"}, RetourChariot::finDeLigne, {"yes"}},
    });
    for (const CasLignes& c : cas) {
        SCOPED_TRACE(testing::PrintToString(c.morceaux));
        SystemeMemoire systeme(c.morceaux);
        console::Console console;
        EXPECT_EQ(lireLignes(console, c.retour), c.lignes);
    }
}

TEST(console, une_ligne_immense_ne_garde_que_son_debut_mais_compte_tous_ses_octets) {
    const std::string bloc(console::Console::tailleTampon, '1');
    SystemeMemoire systeme({bloc, bloc, bloc + "\r", "\n5\n"});
    console::Console console;
    console::Ligne ligne;
    ASSERT_TRUE(console.lireLigne(RetourChariot::ordinaire, ligne));
    EXPECT_EQ(ligne.longueur, 3 * bloc.size());
    EXPECT_EQ(ligne.debut, std::string(console::Ligne::octetsGardes, '1'));
    ASSERT_TRUE(console.lireLigne(RetourChariot::ordinaire, ligne));
    EXPECT_EQ(ligne.debut, "5");
}

TEST(console, tout_est_ecrit_avant_chaque_attente_et_pas_avant) {
    SystemeMemoire systeme({"1\n2\n", "3\n"});
    console::Console console;
    console::Ligne ligne;
    console.ecrire("a:");
    ASSERT_TRUE(console.lireLigne(RetourChariot::ordinaire, ligne));
    console.ecrire("b:");
    ASSERT_TRUE(console.lireLigne(RetourChariot::ordinaire, ligne));  // already there: no write, no read
    console.ecrire("c:");
    ASSERT_TRUE(console.lireLigne(RetourChariot::ordinaire, ligne));
    EXPECT_EQ(systeme.sortieALaLecture, (std::vector<std::size_t>{2, 6}));
    EXPECT_EQ(systeme.ecritures, 2);
    const std::string texte(console::Console::tailleTampon + 1, 'x');  // written whole all the same
    console.ecrire(texte);
    EXPECT_EQ(console.fermer(0), 0);
    EXPECT_EQ(systeme.sortie, "a:b:c:" + texte);
}

TEST(console, une_sortie_perdue_arrete_la_lecture_et_donne_le_statut_1) {
    SystemeMemoire systeme({"1\n2\ny\n1\n2\ny\n"});
    systeme.ecritureEchoueApres = 0;
    console::Console console;
    EXPECT_EQ(console.fermer(dialogue::executer(console)), 1);
    EXPECT_EQ(systeme.ecritures, 1);
    EXPECT_EQ(systeme.diagnostics, std::string(textes::erreurEcriture) + "plus de place sur le disque\n");
}

std::string verdict(std::int16_t n1, std::int16_t n2) {
    std::string texte(dialogue::tailleMaxVerdict, '\0');
    texte.resize(static_cast<std::size_t>(dialogue::ecrireVerdict(texte.data(), n1, n2) - texte.data()));
    return texte;
}

// A read that fails ends the dialogue as input ending while an operand is awaited
// would: one newline, the diagnostic and status 1. What came before it in the same
// line is never judged, and no verdict, heading or question follows it.
TEST(console, une_erreur_de_lecture_ne_donne_jamais_de_verdict) {
    const std::string operandes = std::string(textes::enTetePremiere) + std::string(textes::invite) +
                                  std::string(textes::enTeteSeconde) + std::string(textes::invite);
    const std::string premierTour = operandes + verdict(1, 2) + std::string(textes::question);
    struct Cas {
        std::vector<std::string> morceaux;  // then the read fails
        std::string sortie;
    };
    const auto cas = std::to_array<Cas>({
        {{"1\n2"}, operandes + "\n"},  // the second operand cut short
        {{"1\n", "2"}, operandes + "\n"},
        {{"1\n2\n"}, premierTour + "\n"},   // at the question
        {{"1\n2\ny"}, premierTour + "\n"},  // an answer cut short, yes or no
        {{"1\n2\nn"}, premierTour + "\n"},
        {{"1\n2\ny\n"},
         premierTour + std::string(textes::enTetePremiere) + std::string(textes::invite) + "\n"},
    });
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::PrintToString(c.morceaux));
        SystemeMemoire systeme(c.morceaux);
        systeme.erreurDeLecture = true;
        console::Console console;
        EXPECT_EQ(console.fermer(dialogue::executer(console)), 1);
        EXPECT_EQ(systeme.sortie, c.sortie);
        EXPECT_EQ(systeme.diagnostics, std::string(textes::erreurLecture) + "erreur d'entree/sortie\n");
    }
}

// An answer ended by a lone return goes on at once: the next heading and prompt are
// out before the program waits for the newline that may follow.
TEST(dialogue, une_reponse_finie_par_un_retour_n_attend_pas_le_saut) {
    SystemeMemoire systeme({"1\n2\ny\r", "\n3\n4\nn\n"});
    console::Console console;
    EXPECT_EQ(console.fermer(dialogue::executer(console)), 0);
    const std::string avantAttente = systeme.sortie.substr(0, systeme.sortieALaLecture.at(1));
    EXPECT_TRUE(avantAttente.ends_with(std::string(textes::enTetePremiere) + std::string(textes::invite)));
    EXPECT_TRUE(systeme.sortie.ends_with(verdict(3, 4) + std::string(textes::question)));
}

// The dialogue must not depend on how the input is cut into reads.
TEST(dialogue, le_decoupage_des_lectures_ne_change_rien) {
    const auto entrees = std::to_array<std::string>({
        "30000\r\n30000\r\ny\r\nabc\r\n-1\r\n-1\r\nyes\r5\n6\r\n\r\n",
        "1\n2\ny\n"s + std::string(150, '7') + "\r\n" + std::string(99, '8') + "\r\n3\r\n4\r\nn",
        "12\0\n1\n2\n\n"s,
        "1\n2\ny\r\r\n3\n4\n\r\n",
    });
    for (const std::string& entree : entrees) {
        SCOPED_TRACE(testing::PrintToString(entree));
        int statut = 0;
        std::string sortie;
        {
            SystemeMemoire entier({entree});
            console::Console console;
            statut = console.fermer(dialogue::executer(console));
            sortie = entier.sortie;
        }
        std::vector<std::string> octets;
        for (const char c : entree) {
            octets.emplace_back(1, c);
        }
        SystemeMemoire decoupe(octets);
        console::Console console;
        EXPECT_EQ(console.fermer(dialogue::executer(console)), statut);
        EXPECT_EQ(decoupe.sortie, sortie);
    }
}

// Inputs read at once whose output after the first read (the heading and prompt before it
// are out) fills the buffer to -112 to 167 bytes short of its end just before the longest
// verdict, so that each text meets its end at every offset: checks that shift the fill by
// -4 + 0..3 bytes in 56, then refused empty lines.
std::vector<std::string> entreesAuBordDuTampon() {
    std::vector<std::string> entrees;
    const std::size_t invite = textes::invite.size();
    const std::string longue = "-16384\n-16385\nn\n";
    for (std::string tete; tete.size() < std::size_t{14} * 6; tete += "1\n1\ny\n") {
        for (const std::string v : {"1", "-1", "10", "-10"}) {
            const std::string debut = std::string(tete).append("1\n").append(v).append("\ny\n");
            // Input ending at the longest verdict's second operand writes one newline more.
            const std::size_t vide = console::Console::tailleTampon + textes::enTetePremiere.size() + invite +
                                     1 - modele::executer(debut + longue.substr(0, 7)).sortie.size();
            for (std::size_t lignes = vide / invite - 2; lignes <= vide / invite + 2; ++lignes) {
                entrees.push_back(std::string(debut).append(lignes, '\n').append(longue));
            }
        }
    }
    return entrees;
}

// Every transcript's input and a few more, read at once or cut into reads of one to seven
// bytes, with reading failing after each number of bytes, writing failing past each number
// of bytes, both, and a failing close: the program writes, reports, tells its host (unless
// writing fails) and ends as the independent model does, and it never reads once output has
// failed. Inputs of more output than the buffer holds fail at a few points only.
TEST(dialogue, fait_ce_que_dit_le_modele_quelles_que_soient_les_lectures_et_les_pannes) {
    std::vector<std::string> entrees = entreesAuBordDuTampon();
    entrees.emplace_back("1\n2\ny\r\n3\n4\ny\r");
    entrees.emplace_back("1\n\n2\ny\rx\n3\n4\ny\r\n\n-\n5\n6\nn");  // refused lines, after a lone CR too
    entrees.push_back(std::string(99, '7') + "\r\n8\n" + std::string(98, '9') + "\n");
    // The folder's path as UTF-8 (u8): on Windows, a plain string would be read in the
    // ANSI code page, and a folder with accents not found.
    for (const auto& fichier : std::filesystem::directory_iterator(std::filesystem::path(u8"" TRANSCRIPTS))) {
        if (fichier.path().extension() == ".in") {
            entrees.emplace_back(
                (std::ostringstream() << std::ifstream(fichier.path(), std::ios::binary).rdbuf()).str());
        }
    }
    for (const std::string& entree : entrees) {
        std::vector<modele::Pannes> pannes = {{}, {std::nullopt, SIZE_MAX, true}};
        const std::size_t sortie = modele::executer(entree).sortie.size();
        const std::size_t pas = sortie > console::Console::tailleTampon ? sortie / 4 : 1;
        for (std::size_t lus = 0; lus <= entree.size() + 1; lus += pas < 2 ? 1 : entree.size() / 4) {
            pannes.push_back({lus});
            pannes.push_back({lus, modele::executer(entree, {lus}).sortie.size() - 1});
        }
        for (std::size_t ecrits = 0; ecrits < sortie; ecrits += pas) {
            pannes.push_back({std::nullopt, ecrits});
        }
        for (std::size_t i = 0; i < pannes.size(); ++i) {
            const modele::Pannes& p = pannes[i];
            SCOPED_TRACE(testing::Message()
                         << testing::PrintToString(entree) << " read failing after "
                         << p.lectureApres.value_or(SIZE_MAX) << ", write past " << p.ecritureApres);
            std::vector<std::string> morceaux;
            const std::size_t taille = i % 8 == 0 ? entree.size() : i % 8;
            for (std::size_t debut = 0; debut < std::min(entree.size(), p.lectureApres.value_or(SIZE_MAX));
                 debut += taille) {
                morceaux.push_back(
                    entree.substr(debut, std::min(taille, p.lectureApres.value_or(SIZE_MAX) - debut)));
            }
            SystemeMemoire systeme(morceaux);
            systeme.erreurDeLecture = p.lectureApres.has_value();
            systeme.ecritureEchoueApres = p.ecritureApres;
            systeme.fermetureEchoue = p.fermeture;
            console::Console console;
            const int statut = console.fermer(dialogue::executer(console));
            const modele::Issue attendue = modele::executer(entree, p);
            ASSERT_EQ(systeme.sortie, attendue.sortie);
            ASSERT_EQ(systeme.diagnostics, attendue.diagnostic);
            ASSERT_EQ(statut, attendue.statut);
            ASSERT_EQ(systeme.lecturesApresEchecEcriture, 0);
            if (p.ecritureApres == SIZE_MAX) {  // once output fails, the program stops at its next read
                ASSERT_EQ(systeme.annonces, attendue.annonces);
            }
        }
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "canal_memoire.hpp"
#include "console/console.hpp"
#include "dialogue/dialogue.hpp"
#include "textes.hpp"

namespace {

using namespace std::string_literals;

std::vector<std::string> lireLignes(console::Console& console) {
    std::vector<std::string> lignes;
    console::Ligne ligne;
    while (console.lireLigne(ligne)) {
        lignes.emplace_back(ligne.texte());
    }
    return lignes;
}

struct CasLignes {
    std::vector<std::string> morceaux;  // one per read
    std::vector<std::string> lignes;    // as read, line ends removed
};

TEST(console, lit_un_retour_suivi_d_un_saut_comme_un_saut_de_ligne) {
    const CasLignes cas[] = {
        {{"12\r\n34\n"}, {"12", "34"}},
        {{"12\r", "\n34\n"}, {"12", "34"}},  // the pair split across two reads
        {{"\r", "\n", "\r", "\n"}, {"", ""}},
        {{"1\r2\n"}, {"1\r2"}},  // a lone return is an ordinary character
        {{"1\r", "2\n"}, {"1\r2"}},
        {{"1\r\r\n"}, {"1\r"}},  // only the return next to the newline goes
        {{"12\r"}, {"12\r"}},    // a return at the end of input stays
        {{"12"}, {"12"}},        // a last line without a line end is a line
        {{"1", "2", "\r", "\n", "3"}, {"12", "3"}},
    };
    for (const CasLignes& c : cas) {
        SCOPED_TRACE(testing::PrintToString(c.morceaux));
        CanalMemoire canal(c.morceaux);
        console::Console console(canal);
        EXPECT_EQ(lireLignes(console), c.lignes);
    }
}

TEST(console, lit_les_caracteres_avec_la_meme_regle_de_retour) {
    CanalMemoire canal({"a\r", "\nb\r", "c\r"});
    console::Console console(canal);
    std::string lus;
    for (int c = console.lireCaractere(); c != console::finDeFlux; c = console.lireCaractere()) {
        lus += static_cast<char>(c);
    }
    EXPECT_EQ(lus, "a\nb\rc\r");
}

TEST(console, une_ligne_immense_ne_garde_que_son_debut_mais_compte_tous_ses_octets) {
    const std::string bloc(console::Console::tailleTampon, '1');
    CanalMemoire canal({bloc, bloc, bloc + "\r", "\n5\n"});
    console::Console console(canal);
    console::Ligne ligne;
    ASSERT_TRUE(console.lireLigne(ligne));
    EXPECT_EQ(ligne.longueur, 3 * bloc.size());
    EXPECT_EQ(ligne.texte(), std::string(console::Ligne::capacite, '1'));
    ASSERT_TRUE(console.lireLigne(ligne));
    EXPECT_EQ(ligne.texte(), "5");
}

TEST(console, tout_est_ecrit_avant_chaque_attente_et_pas_avant) {
    CanalMemoire canal({"1\n2\n", "3\n"});
    console::Console console(canal);
    console::Ligne ligne;
    console.ecrire("a:");
    ASSERT_TRUE(console.lireLigne(ligne));
    console.ecrire("b:");
    ASSERT_TRUE(console.lireLigne(ligne));  // already there: no write, no read
    console.ecrire("c:");
    ASSERT_TRUE(console.lireLigne(ligne));
    EXPECT_EQ(canal.sortieALaLecture, (std::vector<std::size_t>{2, 6}));
    EXPECT_EQ(canal.ecritures, 2);
    EXPECT_EQ(console.fermer(0), 0);
    EXPECT_EQ(canal.sortie, "a:b:c:");
}

TEST(console, une_sortie_perdue_arrete_la_lecture_et_donne_le_statut_1) {
    CanalMemoire canal({"1\n2\ny\n1\n2\ny\n"});
    canal.sortiePerdue = true;
    console::Console console(canal);
    EXPECT_EQ(dialogue::executer(console), 1);
    EXPECT_EQ(canal.ecritures, 1);
    EXPECT_EQ(canal.diagnostics, textes::erreurEcriture);
}

TEST(console, une_erreur_de_lecture_donne_le_statut_1) {
    CanalMemoire canal({"1\n2\n"});
    canal.erreurDeLecture = true;
    console::Console console(canal);
    EXPECT_EQ(dialogue::executer(console), 1);
    EXPECT_EQ(canal.diagnostics, textes::erreurLecture);
}

// The dialogue must not depend on how the input is cut into reads.
TEST(dialogue, le_decoupage_des_lectures_ne_change_rien) {
    const std::string entrees[] = {
        "30000\r\n30000\r\ny\r\nabc\r\n-1\r\n-1\r\nyes\r5\n6\r\n\r\n",
        "1\n2\ny\n"s + std::string(150, '7') + "\r\n" + std::string(99, '8') + "\r\n3\r\n4\r\nn",
        "12\0\n1\n2\n\n"s,
    };
    for (const std::string& entree : entrees) {
        SCOPED_TRACE(testing::PrintToString(entree));
        CanalMemoire entier({entree});
        console::Console consoleEntiere(entier);
        const int statut = dialogue::executer(consoleEntiere);

        std::vector<std::string> octets;
        for (const char c : entree) {
            octets.emplace_back(1, c);
        }
        CanalMemoire decoupe(octets);
        console::Console consoleDecoupee(decoupe);
        EXPECT_EQ(dialogue::executer(consoleDecoupee), statut);
        EXPECT_EQ(decoupe.sortie, entier.sortie);
    }
}

}  // namespace

// Drives the real program the way a person or a script does: it types each answer
// only once the text it waits for is visible. A prompt left in a buffer makes the
// wait fail instead of the program going on.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <string_view>

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr std::string_view invite = "Introduire une valeur entiere entre -2^15 et (2^15) - 1:";
constexpr std::string_view question = "Voulez-vous verifier la somme de 2 shorts (y)?";
constexpr int attenteMaxMs = 10000;  // only bounds a failing test; no timing is measured

enum class Liaison { terminal, tubes };

class Session {
public:
    explicit Session(Liaison liaison) : liaison_(liaison) {
        if (liaison == Liaison::terminal) {
            pid_ = forkpty(&sortie_, nullptr, nullptr, nullptr);
            entree_ = sortie_;
        } else {
            int versProgramme[2];
            int depuisProgramme[2];
            if (pipe(versProgramme) != 0 || pipe(depuisProgramme) != 0) {
                return;
            }
            pid_ = fork();
            if (pid_ == 0) {
                dup2(versProgramme[0], STDIN_FILENO);
                dup2(depuisProgramme[1], STDOUT_FILENO);
                close(versProgramme[1]);
                close(depuisProgramme[0]);
            }
            close(versProgramme[0]);
            close(depuisProgramme[1]);
            entree_ = versProgramme[1];
            sortie_ = depuisProgramme[0];
        }
        if (pid_ == 0) {
            execl(PROGRAMME, PROGRAMME, static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    ~Session() {
        if (pid_ > 0 && !termine_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (entree_ != sortie_ && entree_ >= 0) {
            close(entree_);
        }
        if (sortie_ >= 0) {
            close(sortie_);
        }
    }

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Waits until `texte` appears in what the program wrote after the previous match.
    bool attendre(std::string_view texte) {
        for (;;) {
            const auto trouve = lu_.find(texte, curseur_);
            if (trouve != std::string::npos) {
                curseur_ = trouve + texte.size();
                return true;
            }
            pollfd attente{sortie_, POLLIN, 0};
            if (poll(&attente, 1, attenteMaxMs) <= 0) {
                ADD_FAILURE() << "still waiting for \"" << texte << "\"; written so far:\n" << lu_;
                return false;
            }
            char tampon[4096];
            const ssize_t n = read(sortie_, tampon, sizeof tampon);
            if (n <= 0) {
                ADD_FAILURE() << "output ended before \"" << texte << "\"; written:\n" << lu_;
                return false;
            }
            lu_.append(tampon, static_cast<std::size_t>(n));
        }
    }

    void taper(std::string_view texte) {
        ASSERT_EQ(write(entree_, texte.data(), texte.size()), static_cast<ssize_t>(texte.size()));
    }

    // Ends input: Ctrl-D on an empty terminal line, or the pipe closed.
    void finir() {
        if (liaison_ == Liaison::terminal) {
            taper("\x04");
        } else {
            close(entree_);
            entree_ = -1;
        }
    }

    int statut() {
        int etat = 0;
        waitpid(pid_, &etat, 0);
        termine_ = true;
        return WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    }

private:
    Liaison liaison_;
    pid_t pid_ = -1;
    int entree_ = -1;
    int sortie_ = -1;
    bool termine_ = false;
    std::string lu_;
    std::size_t curseur_ = 0;
};

class Interactif : public testing::TestWithParam<Liaison> {};

TEST_P(Interactif, chaque_invite_est_visible_avant_l_attente) {
    Session session(GetParam());
    ASSERT_TRUE(session.attendre("Introduire 1 premiere valeur short int n1: "));
    ASSERT_TRUE(session.attendre(invite));
    session.taper("abc\n");
    ASSERT_TRUE(session.attendre(invite));  // refused: asked again
    session.taper("30000\n");
    ASSERT_TRUE(session.attendre("Introduire 1 seconde valeur short int n2: "));
    ASSERT_TRUE(session.attendre(invite));
    session.taper("30000\n");
    ASSERT_TRUE(session.attendre("Debordement positif :  Resultat invalide : 30000 + 30000 = -5536"));
    ASSERT_TRUE(session.attendre(question));
    session.taper("y\n");
    ASSERT_TRUE(session.attendre(invite));
    session.taper("-1\n");
    ASSERT_TRUE(session.attendre(invite));
    session.taper("-1\n");
    ASSERT_TRUE(session.attendre("Resultat valide : -1 + -1 = -2"));
    ASSERT_TRUE(session.attendre(question));
    session.taper("n\n");
    EXPECT_EQ(session.statut(), 0);
}

TEST_P(Interactif, la_fin_d_entree_a_l_invite_donne_le_statut_1) {
    Session session(GetParam());
    ASSERT_TRUE(session.attendre(invite));
    session.taper("7\n");
    ASSERT_TRUE(session.attendre(invite));
    session.finir();
    EXPECT_EQ(session.statut(), 1);
}

TEST_P(Interactif, la_fin_d_entree_a_la_question_donne_le_statut_0) {
    Session session(GetParam());
    ASSERT_TRUE(session.attendre(invite));
    session.taper("7\n");
    ASSERT_TRUE(session.attendre(invite));
    session.taper("8\n");
    ASSERT_TRUE(session.attendre(question));
    session.finir();
    EXPECT_EQ(session.statut(), 0);
}

INSTANTIATE_TEST_SUITE_P(Liaisons, Interactif, testing::Values(Liaison::terminal, Liaison::tubes),
                         [](const testing::TestParamInfo<Liaison>& parametre) {
                             return parametre.param == Liaison::terminal ? "terminal" : "tubes";
                         });

}  // namespace

// Drives the real program the way a person or a script does: it types each answer
// only once the text it waits for is visible. A prompt left in a buffer makes the
// wait fail instead of the program going on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr std::string_view invite = "Introduire une valeur entiere entre -2^15 et (2^15) - 1:";
constexpr std::string_view question = "Voulez-vous verifier la somme de 2 shorts (y)?";
constexpr int attenteMaxMs = 10000;  // only bounds a failing test; no timing is measured

enum class Liaison { terminal, tubes };

// How the program's standard input and output reach the test, and whether the parent
// leaves them non-blocking (O_NONBLOCK, inherited by the program).
struct Mode {
    Liaison liaison;
    bool nonBloquant;
};

void PrintTo(const Mode& mode, std::ostream* flux) {
    *flux << (mode.liaison == Liaison::terminal ? "terminal" : "tubes")
          << (mode.nonBloquant ? ", non-blocking" : "");
}

void rendreNonBloquant(int descripteur) {
    fcntl(descripteur, F_SETFL, fcntl(descripteur, F_GETFL) | O_NONBLOCK);  // NOLINT(*-vararg): POSIX's own
}

class Session {
public:
    explicit Session(Mode mode) : liaison_(mode.liaison) {
        // A program that ended too early makes typing fail, rather than kill the test.
        static_cast<void>(signal(SIGPIPE, SIG_IGN));
        if (liaison_ == Liaison::terminal) {
            pid_ = forkpty(&sortie_, nullptr, nullptr, nullptr);
            entree_ = sortie_;
        } else {
            std::array<int, 2> versProgramme{};
            std::array<int, 2> depuisProgramme{};
            if (pipe(versProgramme.data()) != 0 || pipe(depuisProgramme.data()) != 0) {
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
            if (mode.nonBloquant) {
                rendreNonBloquant(STDIN_FILENO);
                rendreNonBloquant(STDOUT_FILENO);
            }
            execl(PROGRAMME, PROGRAMME, static_cast<char*>(nullptr));  // NOLINT(*-vararg): POSIX's own
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

    // Waits until `texte` appears in what the program wrote after the previous match;
    // with `aussitot`, it must come right after it, with nothing in between.
    bool attendre(std::string_view texte, bool aussitot = false) {
        for (;;) {
            const auto trouve = lu_.find(texte, curseur_);
            if (trouve != std::string::npos) {
                if (aussitot && trouve != curseur_) {
                    ADD_FAILURE() << "\"" << lu_.substr(curseur_, trouve - curseur_) << "\" came before \""
                                  << texte << "\"";
                }
                curseur_ = trouve + texte.size();
                return true;
            }
            if (!lirePlus()) {
                ADD_FAILURE() << "still waiting for \"" << texte << "\"; written so far:\n" << lu_;
                return false;
            }
        }
    }

    // Everything the program writes until it ends.
    std::string toutLire() {
        while (lirePlus()) {
        }
        return lu_.substr(curseur_);
    }

    void taper(std::string_view texte) const {
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

    // The exit status, once the program has ended of itself: its output is read to
    // its end, so a program that waits for more input fails the test instead.
    int statut() {
        toutLire();
        if (!finSortie_) {
            return -1;
        }
        int etat = 0;
        waitpid(pid_, &etat, 0);
        termine_ = true;
        return WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    }

    // Waits until the program sleeps in the system (state S in /proc: it waits for
    // input, or for room in its output, rather than trying again and again) with at
    // least `nonLus` bytes of its output left unread; false when it does not in time.
    [[nodiscard]] bool dort(int nonLus) const {
        for (int ms = 0; ms < attenteMaxMs; ++ms, poll(nullptr, 0, 1)) {
            std::ifstream fichier("/proc/" + std::to_string(pid_) + "/stat");
            const std::string stat{std::istreambuf_iterator<char>(fichier), {}};
            int enAttente = 0;
            ioctl(sortie_, FIONREAD, &enAttente);  // NOLINT(*-vararg): POSIX's own
            if (stat.find(") S ") != std::string::npos && enAttente >= nonLus) {
                return true;
            }
        }
        return false;
    }

private:
    // Reads what the program wrote next; false when its output has ended (on a
    // terminal, the end shows as EIO) or when nothing came in time.
    bool lirePlus() {
        if (finSortie_) {
            return false;
        }
        pollfd attente{sortie_, POLLIN, 0};
        if (poll(&attente, 1, attenteMaxMs) <= 0) {
            ADD_FAILURE() << "the program wrote nothing more and did not end; written so far:\n" << lu_;
            return false;
        }
        std::array<char, 4096> tampon{};
        const ssize_t n = read(sortie_, tampon.data(), tampon.size());
        if (n <= 0) {
            finSortie_ = true;
            return false;
        }
        lu_.append(tampon.data(), static_cast<std::size_t>(n));
        return true;
    }

    Liaison liaison_;
    pid_t pid_ = -1;
    int entree_ = -1;
    int sortie_ = -1;
    bool termine_ = false;
    bool finSortie_ = false;
    std::string lu_;
    std::size_t curseur_ = 0;
};

class Interactif : public testing::TestWithParam<Mode> {};

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

// An empty answer ends the program at once: it must not wait for one more line.
TEST_P(Interactif, une_reponse_vide_termine_sans_attendre) {
    Session session(GetParam());
    session.taper("7\n8\n");
    ASSERT_TRUE(session.attendre(question));
    session.taper("\n");
    EXPECT_EQ(session.statut(), 0);
}

// Whatever the user or the writer does, the dialogue is the same when the descriptors
// are non-blocking and the reader is slow: here nothing is read of the output until all
// the input is written, so the output pipe or terminal fills up long before the end.
TEST_P(Interactif, rien_ne_se_perd_quand_le_lecteur_tarde) {
    constexpr int checks = 1000;
    Session session(GetParam());
    std::string entree;
    for (int i = 0; i < checks; ++i) {
        entree += "1\n2\ny\n";
    }
    session.taper(entree + "1\n2\nn\n");
    std::string attendu;
    for (int i = 0; i <= checks; ++i) {
        attendu += "Introduire 1 premiere valeur short int n1: \n" + std::string(invite) +
                   "Introduire 1 seconde valeur short int n2: \n" + std::string(invite) +
                   "\n Resultat valide : 1 + 2 = 3\n" + std::string(question);
    }
    const std::string sortie = session.toutLire();
    if (GetParam().liaison == Liaison::tubes) {
        EXPECT_EQ(sortie, attendu);
    } else {  // a terminal echoes what is typed, and ends its lines with CR LF
        EXPECT_EQ(std::count(sortie.begin(), sortie.end(), '='), checks + 1);
        EXPECT_TRUE(sortie.ends_with(question));
    }
    EXPECT_EQ(session.statut(), 0);
}

std::string nommer(const testing::TestParamInfo<Mode>& parametre) {
    const std::string liaison = parametre.param.liaison == Liaison::terminal ? "terminal" : "tubes";
    return parametre.param.nonBloquant ? liaison + "_non_bloquants" : liaison;
}

INSTANTIATE_TEST_SUITE_P(Liaisons, Interactif,
                         testing::Values(Mode{Liaison::terminal, false}, Mode{Liaison::tubes, false},
                                         Mode{Liaison::terminal, true}, Mode{Liaison::tubes, true}),
                         nommer);

// An answer ended by a lone carriage return goes on at once, on a pipe: a script that
// sends "y\r" and waits for the next prompt is not left waiting. The newline that may
// follow belongs to that answer, and is not an empty operand line.
TEST(Tubes, une_reponse_finie_par_un_retour_relance_aussitot) {
    Session session({Liaison::tubes, false});
    session.taper("7\n8\n");
    ASSERT_TRUE(session.attendre(question));
    session.taper("y\r");
    ASSERT_TRUE(session.attendre("Introduire 1 premiere valeur short int n1: \n", true));
    ASSERT_TRUE(session.attendre(invite, true));
    session.taper("\n3\n");
    ASSERT_TRUE(session.attendre("Introduire 1 seconde valeur short int n2: \n", true));
    session.taper("4\nn\n");
    ASSERT_TRUE(session.attendre("Resultat valide : 3 + 4 = 7"));
    EXPECT_EQ(session.statut(), 0);
}

// Non-blocking input with nothing in it yet, and non-blocking output whose reader does
// not empty it, are waited for, not tried again and again: the program sleeps in the
// system until the other side is ready, where one that kept trying would keep running.
TEST(Tubes, un_tube_non_bloquant_est_attendu_sans_tourner) {
    if (!std::ifstream("/proc/self/stat")) {
        GTEST_SKIP() << "no /proc to see the program sleep";
    }
    for (const bool entree : {true, false}) {
        SCOPED_TRACE(entree ? "input" : "output");
        Session session({Liaison::tubes, true});
        if (entree) {
            ASSERT_TRUE(session.attendre(invite));
        } else {  // far more output than the pipe holds
            std::string reponses;
            for (int i = 0; i < 2000; ++i) {
                reponses += "1\n2\ny\n";
            }
            session.taper(reponses);
        }
        ASSERT_TRUE(session.dort(entree ? 0 : 4096));  // past the first prompts: its output is full
        session.taper("1\n2\nn\n");
        EXPECT_EQ(session.statut(), 0);
    }
}

// End of input is final. At a terminal, Ctrl-D after "23" hands over the "23" without a
// newline; the next Ctrl-D is end of input, after which the program must not wait for
// more, though a terminal could give it.
TEST(Terminal, la_fin_d_entree_est_definitive) {
    Session session({Liaison::terminal, false});
    ASSERT_TRUE(session.attendre(invite));
    session.taper("7\n");
    ASSERT_TRUE(session.attendre(invite));
    session.taper("23\x04");
    session.taper("\x04");
    ASSERT_TRUE(session.attendre("Resultat valide : 7 + 23 = 30"));
    ASSERT_TRUE(session.attendre(question));
    EXPECT_EQ(session.statut(), 0);
}

}  // namespace

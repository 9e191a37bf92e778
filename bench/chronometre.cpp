// Runs programs side by side and reports what each run cost: wall time, user and
// system CPU time, and peak resident memory, as the median, minimum and maximum of the
// runs. The programs take turns (A B A B ...), so that a slow spell of the machine
// falls on all of them alike.
//
// Usage: chronometre RUNS OUTPUT INPUT PROGRAM [INPUT PROGRAM]...
//   OUTPUT  null (/dev/null), file (a temporary file, rewritten by every run)
//           or pipe (a pipe that this program empties as the run writes)
//   INPUT   the file that the program after it reads as standard input
// Each program is started directly (fork and exec), without a shell or arguments.
// Prints one line per program and figure: PROGRAM FIGURE MEDIAN MIN MAX, with times
// in milliseconds and memory in KiB; then, for each program after the first, its ratio
// to the first, run by run (PROGRAM FIGURE/FIRST ...): runs side by side share the
// machine's mood, so these ratios vary far less than the figures themselves.
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Mesure {
    double mur = 0;          // wall time, ms
    double utilisateur = 0;  // user CPU, ms
    double systeme = 0;      // system CPU, ms
    double memoire = 0;      // peak resident set, KiB
};

[[noreturn]] void echouer(const std::string& message) {
    std::fprintf(stderr, "chronometre: %s: %s\n", message.c_str(), std::strerror(errno));
    std::exit(2);
}

double millisecondes(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

double maintenant() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// One run of `programme` with standard input from `entree`, standard output as `sortie` says.
Mesure lancer(const std::string& programme, const std::string& entree, std::string_view sortie,
              const std::string& fichierSortie) {
    std::array<int, 2> tube{-1, -1};
    if (sortie == "pipe" && pipe2(tube.data(), O_CLOEXEC) != 0) {
        echouer("pipe");
    }
    const std::string cible = sortie == "file" ? fichierSortie : "/dev/null";
    const double debut = maintenant();
    // A child's peak counts what it held before exec too. After fork, that is the pages
    // of this process's own memory that it copied, which this program keeps small; a
    // posix_spawn child, which shares this process's memory until exec, counted all of
    // it (2.6 MiB against 1 MiB for a trivial program, on the machine this was written on).
    const pid_t pid = fork();
    if (pid < 0) {
        echouer("fork");
    }
    if (pid == 0) {
        const int depuis = open(entree.c_str(), O_RDONLY);
        const int vers = tube[1] >= 0 ? tube[1] : open(cible.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (depuis < 0 || vers < 0 || dup2(depuis, STDIN_FILENO) < 0 || dup2(vers, STDOUT_FILENO) < 0) {
            _exit(127);
        }
        std::array<char*, 2> arguments{const_cast<char*>(programme.c_str()), nullptr};
        execve(programme.c_str(), arguments.data(), environ);
        _exit(127);
    }
    if (tube[1] >= 0) {
        close(tube[1]);
        static std::array<char, 1 << 16> poubelle;
        while (read(tube[0], poubelle.data(), poubelle.size()) > 0) {
        }
        close(tube[0]);
    }
    int etat = 0;
    rusage usage{};
    if (wait4(pid, &etat, 0, &usage) != pid) {
        echouer("wait4");
    }
    if (!WIFEXITED(etat) || WEXITSTATUS(etat) == 127) {
        std::fprintf(stderr, "chronometre: %s did not run to its end\n", programme.c_str());
        std::exit(2);
    }
    Mesure mesure;
    mesure.mur = maintenant() - debut;
    mesure.utilisateur = millisecondes(usage.ru_utime);
    mesure.systeme = millisecondes(usage.ru_stime);
    mesure.memoire = static_cast<double>(usage.ru_maxrss);
    return mesure;
}

void rapporter(const std::string& programme, const char* figure, std::vector<double> valeurs) {
    std::sort(valeurs.begin(), valeurs.end());
    std::printf("%s %s %.3f %.3f %.3f\n", programme.c_str(), figure, valeurs[(valeurs.size() - 1) / 2],
                valeurs.front(), valeurs.back());
}

}  // namespace

int main(int argc, char** argv) {
    const char* const usage = "usage: chronometre RUNS null|file|pipe INPUT PROGRAM [INPUT PROGRAM]...\n";
    if (argc < 5 || argc % 2 == 0) {
        std::fputs(usage, stderr);
        return 2;
    }
    const int essais = std::atoi(argv[1]);
    const std::string_view sortie = argv[2];
    std::vector<std::string> entrees;
    std::vector<std::string> programmes;
    for (int i = 3; i + 1 < argc; i += 2) {
        entrees.emplace_back(argv[i]);
        programmes.emplace_back(argv[i + 1]);
    }
    if (essais < 1 || (sortie != "null" && sortie != "file" && sortie != "pipe")) {
        std::fputs(usage, stderr);
        return 2;
    }
    const std::string fichierSortie = "chronometre-sortie." + std::to_string(getpid());

    std::vector<std::vector<Mesure>> mesures(programmes.size());
    for (int essai = 0; essai < essais; ++essai) {
        for (std::size_t p = 0; p < programmes.size(); ++p) {
            mesures[p].push_back(lancer(programmes[p], entrees[p], sortie, fichierSortie));
        }
    }
    unlink(fichierSortie.c_str());

    const auto figures = [](const Mesure& m) {
        return std::array<double, 4>{m.mur, m.utilisateur, m.systeme, m.memoire};
    };
    constexpr std::array<const char*, 4> noms{"wall", "user", "system", "memory"};
    for (std::size_t p = 0; p < programmes.size(); ++p) {
        for (std::size_t f = 0; f < noms.size(); ++f) {
            std::vector<double> valeurs;
            for (const Mesure& m : mesures[p]) {
                valeurs.push_back(figures(m)[f]);
            }
            rapporter(programmes[p], noms[f], valeurs);
        }
    }
    for (std::size_t p = 1; p < programmes.size(); ++p) {
        for (std::size_t f = 0; f < noms.size(); ++f) {
            std::vector<double> rapports;
            for (std::size_t essai = 0; essai < mesures[p].size(); ++essai) {
                const double reference = figures(mesures[0][essai])[f];
                if (reference > 0) {
                    rapports.push_back(figures(mesures[p][essai])[f] / reference);
                }
            }
            if (!rapports.empty()) {
                rapporter(programmes[p], (std::string(noms[f]) + "/first").c_str(), rapports);
            }
        }
    }
    return 0;
}

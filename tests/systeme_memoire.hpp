// The console's system over bytes in memory, for the tests and the fuzzer: input
// arrives in the pieces given, one per read, and failures come where they are asked
// for: reading with error number 5, writing with 28, the two causes this system names, and
// closing with none (0), as Windows fails some calls; what the program tells its host is
// kept as modele.hpp writes it. The latest one built is the one in use.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

class SystemeMemoire {
public:
    explicit SystemeMemoire(std::vector<std::string> pieces);
    ~SystemeMemoire();
    SystemeMemoire(const SystemeMemoire&) = delete;
    SystemeMemoire& operator=(const SystemeMemoire&) = delete;

    bool erreurDeLecture = false;  // the read after the last piece fails
    // Standard output takes this many bytes; the write that would go past them fails,
    // having written what fits, as a file at its size limit does.
    std::size_t ecritureEchoueApres = std::numeric_limits<std::size_t>::max();
    bool fermetureEchoue = false;  // closing standard output fails
    std::string sortie;
    std::string diagnostics;
    int ecritures = 0;
    bool ecritureEchouee = false;
    int lecturesApresEchecEcriture = 0;
    std::vector<std::size_t> sortieALaLecture;  // output already written at each read
    std::string annonces;  // "verdict valide 1 + 2 = 3 fin 170\nrefus vide 0 ligne 4\n"...

    std::vector<std::string> morceaux;
    std::size_t suivant = 0;

private:
    SystemeMemoire* precedent_;
};

// The console's system over bytes in memory, for the tests and the fuzzer: input
// arrives in the pieces given, one per read. The latest one built is the one in use.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class SystemeMemoire {
public:
    explicit SystemeMemoire(std::vector<std::string> morceaux);
    ~SystemeMemoire();
    SystemeMemoire(const SystemeMemoire&) = delete;
    SystemeMemoire& operator=(const SystemeMemoire&) = delete;

    bool sortiePerdue = false;     // every write fails
    bool erreurDeLecture = false;  // the read after the last piece fails
    bool fermetureEchoue = false;  // closing standard output fails
    std::string sortie;
    std::string diagnostics;
    int ecritures = 0;
    std::vector<std::size_t> sortieALaLecture;  // output already written at each read

    std::vector<std::string> morceaux;
    std::size_t suivant = 0;

private:
    SystemeMemoire* precedent_;
};

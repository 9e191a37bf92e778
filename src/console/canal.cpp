#include "console/canal.hpp"

#include <cerrno>

#include <unistd.h>

namespace console {

namespace {

// Writes all of `donnees` to `descripteur`; false on the first failure that is not an interruption.
bool ecrireTout(int descripteur, std::string_view donnees) {
    while (!donnees.empty()) {
        const ssize_t ecrits = ::write(descripteur, donnees.data(), donnees.size());
        if (ecrits < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        donnees.remove_prefix(static_cast<std::size_t>(ecrits));
    }
    return true;
}

}  // namespace

std::ptrdiff_t CanalStandard::lire(char* tampon, std::size_t taille) {
    for (;;) {
        const ssize_t lus = ::read(STDIN_FILENO, tampon, taille);
        if (lus >= 0 || errno != EINTR) {
            return lus < 0 ? -1 : lus;
        }
    }
}

bool CanalStandard::ecrire(std::string_view donnees) {
    return ecrireTout(STDOUT_FILENO, donnees);
}

void CanalStandard::signaler(std::string_view ligne) {
    // Nothing more can be done if even standard error fails.
    static_cast<void>(ecrireTout(STDERR_FILENO, ligne));
}

}  // namespace console

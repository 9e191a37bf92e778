// The console's system on POSIX: descriptors 0, 1 and 2. Interrupted calls are retried,
// short writes completed, and a non-blocking descriptor waited for with poll.
#include "console/systeme.hpp"

#include <cerrno>

#include <poll.h>
#include <unistd.h>

#include "textes.hpp"

namespace console::systeme {
namespace {
// After a call failed with `errno`: whether to try again, having waited, when non-blocking, until
// `descripteur` is ready for `evenement` (it has just answered: it is open) or a signal came.
// If not, the failure's number is in `erreur`: the call's, or the wait's own when poll failed.
bool reessayer(int descripteur, short evenement, int& erreur) noexcept {
    pollfd attente{descripteur, evenement, 0};
    const bool bloque = errno == EAGAIN || errno == EWOULDBLOCK;
    if (errno == EINTR || (bloque && (::poll(&attente, 1, -1) >= 0 || errno == EINTR))) {
        return true;
    }
    erreur = errno;
    return false;
}

// Writes all of `donnees` to `descripteur`: false after a failure, its number in `erreur`. A
// write that takes nothing of a non-empty buffer is a full device: trying again could go on for ever.
bool ecrireTout(int descripteur, std::string_view donnees, int& erreur) noexcept {
    while (!donnees.empty()) {
        const ssize_t ecrits = ::write(descripteur, donnees.data(), donnees.size());
        if (ecrits > 0) {
            donnees.remove_prefix(static_cast<std::size_t>(ecrits));
        } else if (ecrits == 0 || !reessayer(descripteur, POLLOUT, erreur)) {
            erreur = ecrits == 0 ? ENOSPC : erreur;
            return false;
        }
    }
    return true;
}

// NOLINTNEXTLINE(*-avoid-c-arrays): `causes` takes its size
constexpr Cause causesPosix[] = {
    {ENOSPC, textes::disquePlein}, {EDQUOT, textes::quotaDepasse},       {EFBIG, textes::fichierTropGros},
    {EPIPE, textes::tubeFerme},    {EIO, textes::entreeSortie},          {EPERM, textes::nonAutorise},
    {EACCES, textes::nonAutorise}, {EBADF, textes::descripteurInvalide}, {EISDIR, textes::estUnDossier},
};
}  // namespace

const std::span<const Cause> causes = causesPosix;

std::ptrdiff_t lire(char* tampon, std::size_t taille, int& erreur) noexcept {
    for (;;) {
        const ssize_t lus = ::read(STDIN_FILENO, tampon, taille);
        if (lus >= 0 || !reessayer(STDIN_FILENO, POLLIN, erreur)) {
            return lus >= 0 ? lus : -1;
        }
    }
}

bool ecrire(std::string_view donnees, int& erreur) noexcept {
    return ecrireTout(STDOUT_FILENO, donnees, erreur);
}

bool fermerSortie(int& erreur) noexcept {
    if (::close(STDOUT_FILENO) == 0) {
        return true;
    }
    erreur = errno;
    return false;
}

void signaler(std::string_view ligne) noexcept {
    int erreur = 0;
    static_cast<void>(ecrireTout(STDERR_FILENO, ligne, erreur));
}
}  // namespace console::systeme

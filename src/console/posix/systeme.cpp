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
bool reessayer(int descripteur, short evenement) noexcept {
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
        return errno == EINTR;
    }
    pollfd attente{descripteur, evenement, 0};
    return ::poll(&attente, 1, -1) >= 0 || errno == EINTR;
}

// Writes all of `donnees` to `descripteur`; returns 0 or the error number. A write that
// takes nothing of a non-empty buffer is a full device: trying again could go on for ever.
int ecrireTout(int descripteur, std::string_view donnees) noexcept {
    while (!donnees.empty()) {
        const ssize_t ecrits = ::write(descripteur, donnees.data(), donnees.size());
        if (ecrits > 0) {
            donnees.remove_prefix(static_cast<std::size_t>(ecrits));
        } else if (ecrits == 0 || !reessayer(descripteur, POLLOUT)) {
            return ecrits == 0 ? ENOSPC : errno;
        }
    }
    return 0;
}

// NOLINTNEXTLINE(*-avoid-c-arrays): `causes` takes its size
constexpr Cause causesPosix[] = {
    {ENOSPC, textes::disquePlein}, {EDQUOT, textes::quotaDepasse},       {EFBIG, textes::fichierTropGros},
    {EPIPE, textes::tubeFerme},    {EIO, textes::entreeSortie},          {EPERM, textes::nonAutorise},
    {EACCES, textes::nonAutorise}, {EBADF, textes::descripteurInvalide}, {EISDIR, textes::estUnDossier},
};
}  // namespace

const std::span<const Cause> causes = causesPosix;

std::ptrdiff_t lire(char* tampon, std::size_t taille) noexcept {
    for (;;) {
        const ssize_t lus = ::read(STDIN_FILENO, tampon, taille);
        if (lus >= 0 || !reessayer(STDIN_FILENO, POLLIN)) {
            return lus >= 0 ? lus : -errno;
        }
    }
}

int ecrire(std::string_view donnees) noexcept {
    return ecrireTout(STDOUT_FILENO, donnees);
}

int fermerSortie() noexcept {
    return ::close(STDOUT_FILENO) == 0 ? 0 : errno;
}

void signaler(std::string_view ligne) noexcept {
    static_cast<void>(ecrireTout(STDERR_FILENO, ligne));
}
}  // namespace console::systeme

// System-call faults for the error tests, loaded into the program with LD_PRELOAD.
// VERIFIER_SOMME_FAUTE chooses one:
//   lecture:N  standard input gives its first N bytes, then every read fails with EIO
//   ecriture   every write to standard output takes nothing and returns 0, leaving in
//              errno what an earlier call put there: here an interruption, which a
//              writer that took the 0 for a failed call would try again for ever
//   fermeture  closing standard output fails with EDQUOT, as on an NFS file whose data is
//              written out, and counted against the quota, only then
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include <sys/syscall.h>
#include <unistd.h>

namespace {

const char* faute() {
    const char* valeur = std::getenv("VERIFIER_SOMME_FAUTE");
    return valeur != nullptr ? valeur : "";
}

}  // namespace

// The faults call the system directly, through syscall(2), which takes its arguments as C's "...".
// NOLINTBEGIN(cppcoreguidelines-pro-type-vararg)
extern "C" ssize_t read(int descripteur, void* tampon, std::size_t taille) {
    static std::size_t restants = 0;
    static bool limite = false;
    if (descripteur == STDIN_FILENO && std::strncmp(faute(), "lecture:", 8) == 0) {
        if (!limite) {
            restants = std::strtoul(faute() + 8, nullptr, 10);
            limite = true;
        }
        if (restants == 0) {
            errno = EIO;
            return -1;
        }
        taille = taille < restants ? taille : restants;
        const auto lus = syscall(SYS_read, descripteur, tampon, taille);
        if (lus > 0) {
            restants -= static_cast<std::size_t>(lus);
        }
        return lus;
    }
    return syscall(SYS_read, descripteur, tampon, taille);
}

extern "C" int close(int descripteur) {
    const auto ferme = syscall(SYS_close, descripteur);
    if (descripteur == STDOUT_FILENO && std::strcmp(faute(), "fermeture") == 0) {
        errno = EDQUOT;
        return -1;
    }
    return static_cast<int>(ferme);
}

extern "C" ssize_t write(int descripteur, const void* donnees, std::size_t taille) {
    if (descripteur == STDOUT_FILENO && std::strcmp(faute(), "ecriture") == 0) {
        errno = EINTR;
        return 0;
    }
    return syscall(SYS_write, descripteur, donnees, taille);
}
// NOLINTEND(cppcoreguidelines-pro-type-vararg)

// The system under the console: raw bytes on standard input, output and error. A failure is
// told by the result, and why by its error number (errno, GetLastError), which may be 0:
// Windows leaves it so for some failures. One side per platform, chosen at build time
// (posix/, windows/, navigateur/); tests link their own.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <utility>

namespace console::systeme {
// Reads at most `taille` bytes of standard input into `tampon`, waiting for at least one whatever
// the descriptor's state: how many, 0 at end of input, or -1 after a failure, its number in `erreur`.
std::ptrdiff_t lire(char* tampon, std::size_t taille, int& erreur) noexcept;
// Writes all of `donnees` to standard output, waiting while it takes no more: false after a
// failure, its number in `erreur`.
bool ecrire(std::string_view donnees, int& erreur) noexcept;
// Closes standard output, so that a failure reported only then (a full disk or an I/O error
// on a network or FUSE file) is seen: false after a failure, its number in `erreur`.
bool fermerSortie(int& erreur) noexcept;
// Writes one diagnostic line to standard error; nothing more is tried if that fails.
void signaler(std::string_view ligne) noexcept;
using Cause = std::pair<int, std::string_view>;  // an error number, in the diagnostic's words
extern const std::span<const Cause> causes;      // the common ones on this system
}  // namespace console::systeme

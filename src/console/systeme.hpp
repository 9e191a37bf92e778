// The system under the console: raw bytes on standard input, output and error, a failure told
// by its error number (errno, GetLastError). One side per platform, chosen at build time
// (posix/, windows/, navigateur/); tests link their own.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <utility>

namespace console::systeme {
// Reads at most `taille` bytes of standard input into `tampon`, waiting for at least one whatever
// the descriptor's state: how many, 0 at end of input, or -(error number).
std::ptrdiff_t lire(char* tampon, std::size_t taille) noexcept;
// Writes all of `donnees` to standard output, waiting while it takes no more: 0, or the error number.
int ecrire(std::string_view donnees) noexcept;
// Closes standard output, so that a failure reported only then (a full disk or an I/O error
// on a network or FUSE file) is seen: 0, or the error number.
int fermerSortie() noexcept;
// Writes one diagnostic line to standard error; nothing more is tried if that fails.
void signaler(std::string_view ligne) noexcept;
using Cause = std::pair<int, std::string_view>;  // an error number, in the diagnostic's words
extern const std::span<const Cause> causes;      // the common ones on this system
}  // namespace console::systeme

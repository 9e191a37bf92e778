// The system under the console: raw bytes on standard input, output and error. One side
// per platform, chosen at build time (posix/, windows/, navigateur/); tests link their own.
#pragma once

#include <cstddef>
#include <string_view>

namespace console::systeme {
// Reads at most `taille` bytes of standard input into `tampon`, waiting for at least one
// whatever the descriptor's state. Returns how many, 0 at end of input, -1 on failure.
std::ptrdiff_t lire(char* tampon, std::size_t taille) noexcept;

// Writes all of `donnees` to standard output, waiting as long as it cannot take more.
// Returns false when that cannot be done.
bool ecrire(std::string_view donnees) noexcept;

// Closes standard output, so that a failure reported only then (a full disk or an I/O
// error on a network or FUSE file) is seen. Returns false when the close fails.
bool fermerSortie() noexcept;

// Writes one diagnostic line to standard error; nothing more is tried if that fails.
void signaler(std::string_view ligne) noexcept;
}  // namespace console::systeme

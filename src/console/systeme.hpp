// The system under the console: raw bytes on standard input, output and error. One side
// per platform, chosen at build time (posix/, windows/, navigateur/); tests link their own.
// A failure comes back with the system's error number (errno, or GetLastError on Windows).
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <utility>

namespace console::systeme {
// Reads at most `taille` bytes of standard input into `tampon`, waiting for at least one
// whatever the descriptor's state. Returns how many, 0 at end of input, or minus the error
// number on failure.
std::ptrdiff_t lire(char* tampon, std::size_t taille) noexcept;

// Writes all of `donnees` to standard output, waiting as long as it cannot take more.
// Returns 0, or the error number when that cannot be done.
int ecrire(std::string_view donnees) noexcept;

// Closes standard output, so that a failure reported only then (a full disk or an I/O
// error on a network or FUSE file) is seen. Returns 0, or the error number.
int fermerSortie() noexcept;

// Writes one diagnostic line to standard error; nothing more is tried if that fails.
void signaler(std::string_view ligne) noexcept;

// The common causes of failure on this system: an error number, and the diagnostic's words.
using Cause = std::pair<int, std::string_view>;
extern const std::span<const Cause> causes;
}  // namespace console::systeme

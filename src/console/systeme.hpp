// The system under the console: raw bytes on standard input, output and error.
// One implementation per platform, chosen when the program is built (console/posix/,
// console/windows/, console/navigateur/); the tests link one over bytes in memory instead.
#pragma once

#include <cstddef>
#include <string_view>

namespace console::systeme {

// Reads at most `taille` bytes of standard input into `tampon`, waiting until at least
// one is there, whatever the state of the descriptor. Returns how many were read,
// 0 at end of input, or -1 when the input cannot be read.
std::ptrdiff_t lire(char* tampon, std::size_t taille) noexcept;

// Writes all of `donnees` to standard output, waiting as long as it cannot take more.
// Returns false when that cannot be done.
bool ecrire(std::string_view donnees) noexcept;

// Closes standard output once everything is written, so that a failure the system
// reports only then (a full disk or an I/O error on a network or FUSE file) is seen.
// Returns false when the close fails.
bool fermerSortie() noexcept;

// Writes one diagnostic line to standard error; nothing more is tried if that fails.
void signaler(std::string_view ligne) noexcept;

}  // namespace console::systeme

// The system under the console: raw bytes on standard input, output and error. A failure is
// told by the result, and why by its error number (errno, GetLastError), which may be 0:
// Windows leaves it so for some failures. One side per platform, chosen at build time
// (posix/, windows/, navigateur/); tests link their own.
#pragma once

#include <cstddef>
#include <cstdint>
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

// What the program decided, told as it decides it to a host that shows it otherwise than
// as text: the browser's page explains each verdict and refused line, and counts them,
// without reading the program's output back; the tests' in-memory system records it. The
// names are the decisions' own (`nom` in dialogue/verdict.hpp and saisie/jugement.hpp).
// A console hears nothing: there these calls are empty, and the compiler leaves nothing
// of them.
#ifdef VERIFIER_SOMME_ANNONCES
// A verdict of kind `genre` on n1 + n2, wrapped to `somme`, whose text ends `fin` bytes into
// the output, counted from its start (`Console::ecrits`: bytes not yet handed to `ecrire`
// included).
void annoncerVerdict(std::string_view genre, std::int16_t n1, std::int16_t n2, std::int16_t somme,
                     std::uint64_t fin) noexcept;
// An operand line of `longueur` bytes refused by the rule `regle`; `debut` holds its first bytes,
// `numero` is its number in the input, from 1.
void annoncerRefus(std::string_view regle, std::string_view debut, std::uint64_t longueur,
                   std::uint64_t numero) noexcept;
// The answer to the repeat question: another check, or the end.
void annoncerReponse(bool encore) noexcept;
#else
inline void annoncerVerdict(std::string_view /*genre*/, std::int16_t /*n1*/, std::int16_t /*n2*/,
                            std::int16_t /*somme*/, std::uint64_t /*fin*/) noexcept {}
inline void annoncerRefus(std::string_view /*regle*/, std::string_view /*debut*/, std::uint64_t /*longueur*/,
                          std::uint64_t /*numero*/) noexcept {}
inline void annoncerReponse(bool /*encore*/) noexcept {}
#endif
}  // namespace console::systeme

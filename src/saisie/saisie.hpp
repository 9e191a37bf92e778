// Entry of one 16-bit value at the console.
#pragma once

#include <cstdint>

#include "console/console.hpp"

namespace saisie {
// Prompts and reads lines until one is a value (see jugerLigne), prompting again before
// each further line, and sets `valeur` to it. False, leaving `valeur` as it was, when
// input ends (or the console fails) before a line is accepted.
bool lireValeurShort(console::Console& console, std::int16_t& valeur);
}  // namespace saisie

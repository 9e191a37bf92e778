// Entry of one 16-bit value at the console.
#pragma once

#include <cstdint>
#include <optional>

#include "console/console.hpp"

namespace saisie {

// Writes the prompt and reads lines until one is a value (see jugerLigne), writing
// the same prompt again before each further line. Returns nothing when input ends
// (or the console fails) before a line is accepted.
std::optional<std::int16_t> lireValeurShort(console::Console& console);

}  // namespace saisie

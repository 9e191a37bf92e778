// The dialogue: one check of a sum, and the loop that repeats it.
#pragma once

#include "console/console.hpp"

namespace dialogue {
// Reads two operands and writes the verdict on their 16-bit sum. False, with no verdict,
// when input ends (or the console fails) before both are read.
bool verifierSomme(console::Console& console);

// Runs checks while the answer to the repeat question starts with "y". Returns the exit
// status for `Console::fermer`: 0 when the user declines (any other answer, an empty line,
// or end of input at the question); 1 when input ends, or a read fails, at an operand.
int executer(console::Console& console);
}  // namespace dialogue

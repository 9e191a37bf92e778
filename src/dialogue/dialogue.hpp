// The dialogue: one check of a sum, and the loop that repeats it.
#pragma once

#include "console/console.hpp"

namespace dialogue {

// Reads two operands and writes the verdict on their 16-bit sum. Returns false,
// having written no verdict, when input ends (or the console fails) before both
// operands are read.
bool verifierSomme(console::Console& console);

// Runs checks while the answer to the repeat question starts with "y", and returns
// the exit status: 0 when the user declines (any other answer, an empty answer line,
// or end of input at the question); 1 when input ends while an operand is awaited,
// or when a read or write fails.
int executer(console::Console& console);

}  // namespace dialogue

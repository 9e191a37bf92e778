// verifier-somme: checks the sum of two 16-bit signed integers for overflow.
#include "console/console.hpp"
#include "dialogue/dialogue.hpp"

int main() {
    // Static storage, not the stack: the console holds two 64 KiB buffers.
    static constinit console::Console laConsole;
    return dialogue::executer(laConsole);
}

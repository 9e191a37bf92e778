// verifier-somme: checks the sum of two 16-bit signed integers for overflow.
#include <cstdlib>

#include "console/console.hpp"
#include "dialogue/dialogue.hpp"

int main() {
    // Static storage, not the stack: the console holds two 64 KiB buffers.
    static constinit console::Console laConsole;
    // Output closed here, whatever ended the dialogue; exit hands the status to a browser's page.
    std::exit(laConsole.fermer(dialogue::executer(laConsole)));
}

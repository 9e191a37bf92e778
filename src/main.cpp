// verifier-somme: checks the sum of two 16-bit signed integers for overflow.
#include "console/canal.hpp"
#include "console/console.hpp"
#include "dialogue/dialogue.hpp"

int main() {
    console::CanalStandard canal;
    console::Console console(canal);
    return dialogue::executer(console);
}

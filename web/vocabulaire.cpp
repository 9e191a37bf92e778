// Writes, on standard output, the module through which the page knows what the program
// tells it: the names of the verdicts' kinds and of the rules a refused line breaks, and
// the limits a hint quotes, each exported under its own name. Built and run when the page
// is built, so that a name renamed or removed in the program fails the page's build
// (esbuild refuses an import that no export matches), and a limit changed there changes
// what the page says.
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string_view>

#include "dialogue/verdict.hpp"
#include "saisie/jugement.hpp"

namespace {
void nommer(std::string_view nom) {
    std::printf("export const %.*s = '%.*s';\n", static_cast<int>(nom.size()), nom.data(),
                static_cast<int>(nom.size()), nom.data());
}

void chiffrer(const char* nom, long long valeur) {
    std::printf("export const %s = %lld;\n", nom, valeur);
}
}  // namespace

int main() {
    std::puts("// Made when the page is built, from the program's own names and limits: not to be edited.");
    std::puts("// The kinds of verdict.");
    for (const std::string_view nom : dialogue::nomsDesGenres) {
        nommer(nom);
    }
    std::puts("// The rules a refused line breaks, the first of them in this order; aucun: accepted.");
    for (const std::string_view nom : saisie::nomsDesRefus) {
        nommer(nom);
    }
    std::puts("// The longest line that can be a value, its line end not counted; the longest read as one.");
    chiffrer("longueurMax", saisie::longueurMax);
    chiffrer("longueurLue", static_cast<long long>(saisie::longueurLue));
    std::puts("// The range of a 16-bit value.");
    chiffrer("plusPetite", std::numeric_limits<std::int16_t>::min());
    chiffrer("plusGrande", std::numeric_limits<std::int16_t>::max());
    return 0;
}

// Writes the batch benchmark's workload to standard output: `checks` checks (default
// 1,000,000), each two operands drawn uniformly from -32768 to 32767, one operand in
// five preceded by a line the program refuses, the answer y after each check and n
// after the last. The same count always gives the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// splitmix64: small, fast, and the same on every platform.
class Hasard {
public:
    std::uint64_t suivant() {
        etat_ += 0x9e3779b97f4a7c15U;
        std::uint64_t z = etat_;
        z = (z ^ (z >> 30U)) * 0xbf58476d1ce4e5b9U;
        z = (z ^ (z >> 27U)) * 0x94d049bb133111ebU;
        return z ^ (z >> 31U);
    }
    // Uniform over [0, n) for the small n used here.
    std::uint32_t moins(std::uint32_t n) { return static_cast<std::uint32_t>((suivant() >> 32U) % n); }

private:
    std::uint64_t etat_ = 20261207;
};

// One refused line, of one of the kinds a user gets wrong.
std::string ligneRefusee(Hasard& hasard) {
    switch (hasard.moins(6)) {
        case 0:
            return "abc";
        case 1: {
            const auto magnitude = 32769 + static_cast<long>(hasard.moins(99999 - 32769));
            return std::to_string(hasard.moins(2) == 0 ? magnitude : -magnitude);
        }
        case 2:
            return "";
        case 3:
            return hasard.moins(2) == 0 ? "-" : "+";
        case 4:
            return "0000001";
        default:
            return "12 34";
    }
}

}  // namespace

int main(int argc, char** argv) {
    const long checks = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1000000;
    Hasard hasard;
    std::string texte;
    for (long i = 0; i < checks; ++i) {
        for (int operande = 0; operande < 2; ++operande) {
            if (hasard.moins(5) == 0) {
                texte += ligneRefusee(hasard);
                texte += '\n';
            }
            texte += std::to_string(static_cast<int>(hasard.suivant() >> 48U) - 32768);
            texte += '\n';
        }
        texte += i + 1 < checks ? "y\n" : "n\n";
        if (texte.size() > (1U << 20U)) {
            std::fwrite(texte.data(), 1, texte.size(), stdout);
            texte.clear();
        }
    }
    std::fwrite(texte.data(), 1, texte.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

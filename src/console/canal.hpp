// The raw byte channels under the console: standard input, output and error,
// or, in tests, bytes in memory.
#pragma once

#include <cstddef>
#include <string_view>

namespace console {

class Canal {
public:
    virtual ~Canal() = default;

    // Reads at most `taille` bytes into `tampon`, waiting until at least one is there.
    // Returns how many were read, 0 at end of input, or -1 on a read error.
    virtual std::ptrdiff_t lire(char* tampon, std::size_t taille) = 0;

    // Writes all of `donnees`; returns false when that could not be done.
    virtual bool ecrire(std::string_view donnees) = 0;

    // Writes one diagnostic line where the user sees it, apart from the dialogue.
    virtual void signaler(std::string_view ligne) = 0;
};

// File descriptors 0, 1 and 2. Interrupted system calls are retried; a short write is completed.
class CanalStandard final : public Canal {
public:
    std::ptrdiff_t lire(char* tampon, std::size_t taille) override;
    bool ecrire(std::string_view donnees) override;
    void signaler(std::string_view ligne) override;
};

}  // namespace console

// Buffered text input and output over a channel.
//
// Input: a carriage return immediately followed by a newline is read as one newline,
// even when the two arrive in different reads; any other carriage return is an
// ordinary character. End of input is final: once met, nothing more is read.
//
// Output: written text waits in a buffer, handed to the channel when the buffer is
// full and whenever the console must wait for more input, so that everything written
// is out before each wait but a burst of ready input costs no write per prompt.
//
// A failed read or write ends the dialogue: the console then behaves as if input
// had ended, and `fermer` reports the failure.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "console/canal.hpp"

namespace console {

inline constexpr int finDeFlux = -1;

// One input line, its line end excluded. Only its first bytes are kept, so that a line
// of any length costs the same memory; its length counts every byte.
struct Ligne {
    static constexpr std::size_t capacite = 100;

    std::array<char, capacite> debut{};
    std::uint64_t longueur = 0;

    [[nodiscard]] std::string_view texte() const noexcept {
        return {debut.data(), longueur < capacite ? static_cast<std::size_t>(longueur) : capacite};
    }
};

class Console {
public:
    static constexpr std::size_t tailleTampon = std::size_t{64} * 1024;

    explicit Console(Canal& canal) noexcept : canal_(canal) {}
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;
    ~Console() = default;

    // The next character as an unsigned byte value, or `finDeFlux`.
    int lireCaractere();

    // Reads the next line into `ligne`. A last line without a newline counts as a line.
    // Returns false when input has ended before any byte.
    bool lireLigne(Ligne& ligne);

    void ecrire(std::string_view texte) {
        if (texte.size() <= tailleTampon - enSortie_) {
            texte.copy(sortie_.data() + enSortie_, texte.size());
            enSortie_ += texte.size();
        } else {
            ecrireLong(texte);
        }
    }

    // Hands every pending byte of output to the channel.
    void vider();

    // Ends the session: hands over the pending output, and reports a failed read or
    // write with one diagnostic line. Returns `statut`, or 1 after a failure.
    int fermer(int statut);

private:
    enum class Etat { ouverte, finEntree, erreurLecture, erreurEcriture };

    // Empties the output buffer, then waits for more input. False when there is none.
    bool remplir();
    void ecrireLong(std::string_view texte);

    Canal& canal_;
    Etat etat_ = Etat::ouverte;
    std::array<char, tailleTampon> entree_{};
    const char* lecture_ = nullptr;  // next unread input byte
    const char* finLue_ = nullptr;   // end of the bytes read
    std::array<char, tailleTampon> sortie_{};
    std::size_t enSortie_ = 0;
};

}  // namespace console

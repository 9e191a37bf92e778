// Buffered text input and output on the standard streams.
//
// Input is read as lines. A line ends at a newline; a carriage return right before
// that newline is the first half of the line end, also when the two arrive in
// different reads. Whether a carriage return that is not followed by a newline ends
// the line is the reader's choice (`Retour`). End of input is final: once met, nothing
// more is read.
//
// Output waits in a buffer, handed to the system when the buffer is full and whenever
// the console must wait for more input, so that everything written is out before each
// wait but a burst of ready input costs no write per prompt.
//
// A failed read or write is kept as the console's state: from then on no line is
// returned, and `fermer` reports the first failure.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace console {

// What a carriage return that is not followed by a newline is, in the line being read.
enum class Retour {
    ordinaire,   // a character of the line
    finDeLigne,  // the end of the line; a newline that comes right after it belongs to it
                 // and is dropped when it arrives, without waiting for it
};

// One line of input, its line end excluded: only its first bytes are kept, so that a
// line of any length costs the same memory; its length counts every byte.
struct Ligne {
    static constexpr std::size_t octetsGardes = 16;

    std::string_view debut;  // the first min(longueur, octetsGardes) bytes, until the next line is read
    std::uint64_t longueur = 0;

    [[nodiscard]] bool entiere() const noexcept { return debut.size() == longueur; }
};

class Console {
public:
    static constexpr std::size_t tailleTampon = std::size_t{64} * 1024;

    constexpr Console() noexcept = default;
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;
    ~Console() = default;

    // The next line. Nothing when input has ended before any byte of it, when a read
    // failed (a line cut short by a failure is never returned) or when output failed.
    // A last line that ends at end of input without a line end is a line.
    std::optional<Ligne> lireLigne(Retour retour) noexcept {
        if (lecture_ != finLue_ && !sautAttendu_) {
            const char* const debut = lecture_;
            const char* const fin = chercherFin(debut, finLue_, retour);
            if (fin != finLue_) {  // the whole line is already in the buffer
                lecture_ = fin + 1;
                const auto longueur = static_cast<std::uint64_t>(fin - debut);
                return terminer(debut, longueur, longueur > 0 ? fin[-1] : '\0', *fin);
            }
        }
        return lireLigneEnMorceaux(retour);
    }

    void ecrire(std::string_view texte) noexcept {
        if (texte.size() > tailleTampon - enSortie_) {
            ecrireLong(texte);
            return;
        }
        std::memcpy(sortie_.data() + enSortie_, texte.data(), texte.size());
        enSortie_ += texte.size();
    }

    // Writes a text of at most `tailleMax` bytes (no more than the buffer holds) formatted
    // in place: `formater` receives where to write and returns where its text ends.
    template <class Formateur>
    void ecrireEnPlace(std::size_t tailleMax, Formateur formater) noexcept {
        if (tailleMax > tailleTampon - enSortie_) {
            envoyer();
        }
        char* const debut = sortie_.data() + enSortie_;
        enSortie_ += static_cast<std::size_t>(formater(debut) - debut);
    }

    // Hands every pending byte of output to the system.
    void envoyer() noexcept;

    // Ends the session: hands over the pending output, and reports the first failed
    // read or write with one diagnostic line. Returns `statut`, or 1 after a failure.
    int fermer(int statut) noexcept;

private:
    enum class Etat { ouverte, finEntree, erreurLecture, erreurEcriture };

    // The first line end in [debut, fin), or `fin` when the line goes on past it. An
    // answer line is looked at byte by byte; so are the first bytes of an operand line,
    // which is short as a rule, and the rest of a long one is left to memchr.
    static const char* chercherFin(const char* debut, const char* fin, Retour retour) noexcept {
        if (retour == Retour::finDeLigne) {
            while (debut != fin && *debut != '\n' && *debut != '\r') {
                ++debut;
            }
            return debut;
        }
        const char* const finCourte = fin - debut > 16 ? debut + 16 : fin;
        for (; debut != finCourte; ++debut) {
            if (*debut == '\n') {
                return debut;
            }
        }
        const void* saut = std::memchr(debut, '\n', static_cast<std::size_t>(fin - debut));
        return saut != nullptr ? static_cast<const char*>(saut) : fin;
    }

    // The line end's rule, for every line: `fin` is the byte that ended the line ('\0'
    // at end of input) and `derniere` the last byte before it. A carriage return right
    // before a newline is the first half of the line end; a carriage return that ends
    // a line on its own takes the newline that may come right after it.
    Ligne terminer(const char* texte, std::uint64_t longueur, char derniere, char fin) noexcept {
        if (fin == '\n' && longueur > 0 && derniere == '\r') {
            --longueur;
        } else if (fin == '\r') {
            sautAttendu_ = true;
        }
        const std::size_t gardes =
            longueur < Ligne::octetsGardes ? static_cast<std::size_t>(longueur) : Ligne::octetsGardes;
        return {{texte, gardes}, longueur};
    }

    std::optional<Ligne> lireLigneEnMorceaux(Retour retour) noexcept;
    bool remplir() noexcept;
    bool preparer() noexcept;
    void transmettre(std::string_view donnees) noexcept;
    void ecrireLong(std::string_view texte) noexcept;

    Etat etat_ = Etat::ouverte;
    bool sautAttendu_ = false;  // a carriage return ended the last line; a newline may follow
    std::array<char, tailleTampon> entree_{};
    const char* lecture_ = nullptr;                       // next unread input byte
    const char* finLue_ = nullptr;                        // end of the bytes read
    std::array<char, Ligne::octetsGardes> debutLigne_{};  // a line that spans reads starts here
    std::array<char, tailleTampon> sortie_{};
    std::size_t enSortie_ = 0;
};

}  // namespace console

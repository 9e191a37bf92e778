// Buffered text input and output on the standard streams. Input is read as lines; end of
// input is final. Output waits in a buffer, handed to the system when it is full and before
// each wait for input, so that a burst of ready input costs no write per prompt. A failed
// read or write is kept, with the system's error number, as the console's state: from then
// on no line is returned, and `fermer` reports the first failure and its cause.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace console {
// A line ends at a newline, and a carriage return right before it is part of the line
// end, even when the two arrive in different reads. A carriage return not followed by a
// newline is, in the line being read:
enum class RetourChariot {
    ordinaire,   // a character of the line
    finDeLigne,  // its end; a newline right after it is dropped when it comes, not waited for
};

// One line, its line end excluded: only its first bytes are kept, so that a line of any
// length costs the same memory; its length counts every byte.
struct Ligne {
    // Enough for the longest value, 6 bytes (value entry checks it); any more cost nothing
    // but a copy of that many bytes each time a line goes on past a read.
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

    // Reads the next line into `ligne`; a last line without a line end is a line. False,
    // leaving `ligne` as it was, at end of input or once a read or a write has failed: a
    // line cut short by a failure is never read.
    bool lireLigne(RetourChariot retour, Ligne& ligne) noexcept {
        if (etat_ != Etat::ouverte) {
            return false;
        }
        if (sautApresRetour_ && (lecture_ != finLue_ || remplirEntree())) {
            sautApresRetour_ = false;
            if (*lecture_ == '\n') {
                ++lecture_;
            }
        }
        if (lecture_ == finLue_ && !remplirEntree()) {
            return false;
        }
        debutLigne_ = lecture_;
        std::uint64_t ecartes = 0;  // bytes of the line counted, but no longer kept
        const char* fin = chercherFin(lecture_, finLue_, retour);
        while (fin == finLue_) {  // a long line, or one that arrives in pieces, as typed lines do
            if (!continuerLigne(ecartes)) {
                if (etat_ != Etat::finEntree) {
                    return false;
                }
                ligne = retirerFinDeLigne(finLue_, ecartes);
                ++lignesLues_;
                return true;
            }
            fin = chercherFin(lecture_, finLue_, retour);
        }
        lecture_ = fin + 1;
        ++lignesLues_;
        ligne = retirerFinDeLigne(fin, ecartes);
        return true;
    }

    // Writes `texte` whole, whatever its length: one longer than the buffer goes straight out.
    void ecrire(std::string_view texte) noexcept {
        if (texte.size() > sortie_.size() - enSortie_) {
            viderSortie();
            if (texte.size() > sortie_.size()) {
                livrer(texte);
                return;
            }
        }
        std::memcpy(sortie_.data() + enSortie_, texte.data(), texte.size());
        enSortie_ += texte.size();
    }

    // Writes the text of at most `tailleMax` bytes (no more than the buffer holds) that
    // `formater` writes where it is told, returning where it ends: a copy saved per check.
    template <class Formateur>
    void ecrireEnPlace(std::size_t tailleMax, Formateur formater) noexcept {
        if (tailleMax > sortie_.size() - enSortie_) {
            viderSortie();
        }
        char* const debut = sortie_.data() + enSortie_;
        enSortie_ += static_cast<std::size_t>(formater(debut) - debut);
    }

    // The number in the input of the line last read, from 1: each line end read ends a line (a
    // carriage return alone ends an answer's), and so does the end of input.
    [[nodiscard]] std::uint64_t numeroLigne() const noexcept { return lignesLues_; }

    // How many bytes have been written so far: those still in the buffer included, and
    // those lost once output has failed.
    [[nodiscard]] std::uint64_t ecrits() const noexcept { return livres_ + enSortie_; }

    // Hands over the pending output, closes standard output and reports the first failed
    // read or write with one diagnostic line. Returns `statut`, or 1 after a failure.
    int fermer(int statut) noexcept;

private:
    enum class Etat { ouverte, finEntree, erreurLecture, erreurEcriture };

    // Kept of a line that goes on past the bytes read: its first bytes, and its last one,
    // which may be the first half of a CR LF.
    static constexpr std::size_t octetsReportes = Ligne::octetsGardes + 1;

    // The first line end in [debut, fin), or `fin` when the line goes on past it.
    static const char* chercherFin(const char* debut, const char* fin, RetourChariot retour) noexcept {
        if (retour == RetourChariot::finDeLigne) {
            while (debut != fin && *debut != '\n' && *debut != '\r') {
                ++debut;
            }
            return debut;
        }
        const void* saut = std::memchr(debut, '\n', static_cast<std::size_t>(fin - debut));
        return saut != nullptr ? static_cast<const char*>(saut) : fin;
    }

    // The line from `debutLigne_` to `fin`, its line end, or `finLue_` when input ended it;
    // `ecartes` of its bytes no longer kept. A carriage return that ends it on its own takes
    // the newline that may come right after it.
    Ligne retirerFinDeLigne(const char* fin, std::uint64_t ecartes) noexcept {
        auto gardes = static_cast<std::size_t>(fin - debutLigne_);
        if (fin != finLue_ && *fin == '\r') {
            sautApresRetour_ = true;
        } else if (fin != finLue_ && gardes > 0 && fin[-1] == '\r') {
            --gardes;
        }
        return {{debutLigne_, std::min(gardes, Ligne::octetsGardes)}, gardes + ecartes};
    }

    bool continuerLigne(std::uint64_t& ecartes) noexcept;
    bool remplirEntree(std::size_t reportes = 0) noexcept;
    void viderSortie() noexcept;
    void livrer(std::string_view texte) noexcept;
    void noterEchec(Etat echec, int erreur) noexcept;

    Etat etat_ = Etat::ouverte;
    int erreur_ = 0;                // the system's error number of the first failure, maybe 0
    bool sautApresRetour_ = false;  // a carriage return ended the last line; a newline may follow
    // A read fills `tailleTampon` bytes after those carried over from a line going on.
    std::array<char, octetsReportes + tailleTampon> entree_{};
    const char* debutLigne_ = nullptr;  // first byte of the line being read
    const char* lecture_ = nullptr;     // next unread input byte
    const char* finLue_ = nullptr;      // end of the bytes read
    std::array<char, tailleTampon> sortie_{};
    std::size_t enSortie_ = 0;
    std::uint64_t livres_ = 0;      // bytes that left the buffer, handed to the system or lost
    std::uint64_t lignesLues_ = 0;  // lines read: every line end, and a last line that input ended
};
}  // namespace console

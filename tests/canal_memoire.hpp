// A channel over bytes in memory, for tests: input arrives in the pieces given, one per read.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "console/canal.hpp"

class CanalMemoire final : public console::Canal {
public:
    explicit CanalMemoire(std::vector<std::string> morceaux) : morceaux_(std::move(morceaux)) {}

    std::ptrdiff_t lire(char* tampon, std::size_t taille) override {
        sortieALaLecture.push_back(sortie.size());
        if (erreurDeLecture && suivant_ == morceaux_.size()) {
            return -1;
        }
        if (suivant_ == morceaux_.size()) {
            return 0;
        }
        std::string& morceau = morceaux_[suivant_];
        const std::size_t n = std::min(taille, morceau.size());
        std::copy_n(morceau.data(), n, tampon);
        morceau.erase(0, n);
        if (morceau.empty()) {
            ++suivant_;
        }
        return static_cast<std::ptrdiff_t>(n);
    }

    bool ecrire(std::string_view donnees) override {
        ++ecritures;
        if (sortiePerdue) {
            return false;
        }
        sortie += donnees;
        return true;
    }

    void signaler(std::string_view ligne) override { diagnostics += ligne; }

    bool sortiePerdue = false;     // every write fails
    bool erreurDeLecture = false;  // the read after the last piece fails
    std::string sortie;
    std::string diagnostics;
    int ecritures = 0;
    std::vector<std::size_t> sortieALaLecture;  // output already written at each read

private:
    std::vector<std::string> morceaux_;
    std::size_t suivant_ = 0;
};

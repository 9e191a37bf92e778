#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "console/windows/lecture.hpp"

namespace {

TEST(windows, compte_chaque_lecture_du_tableau) {
    struct Cas {  // NOLINT(clang-analyzer-optin.performance.Padding): a row, in the order it reads
        bool reussie;
        DWORD erreur;
        std::string_view lus;
        bool console;
        std::ptrdiff_t attendu;
    };
    const auto cas = std::to_array<Cas>({
        {true, 0, "7\r\n", false, 3},
        {true, 0, "", false, 0},                      // the end of a file
        {false, ERROR_BROKEN_PIPE, "", false, 0},     // a pipe whose writer has closed it
        {false, ERROR_ACCESS_DENIED, "", false, -1},  // a failure, not an end
        {false, 0, "", false, -1},                    // nor when Windows gives it no number
        {false, ERROR_MORE_DATA, "7\r\n", false, 3},  // the start of a message longer than the buffer
        {true, 0, "\x1a\r\n", true, 0},               // Ctrl-Z then Enter at the console
        {true, 0, "\x1a\r\n", false, 3},              // in a pipe or a file, a byte like any other
        {true, 0, "\x1a", true, 0},                   // at the console, whatever follows it
        {true, 0, "\x1a", false, 1},
        {true, 0, "\x1ax\r\n", true, 0},
        {true, 0, "\x1ax\r\n", false, 4},
        {true, 0, "7\x1a\r\n", true, 4},  // not at the start of the line
        {true, 0, "7\x1a\r\n", false, 4},
    });
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::PrintToString(c.lus) + (c.console ? " at the console" : ""));
        EXPECT_EQ(console::systeme::compterLecture(c.reussie, c.erreur, c.lus, c.console), c.attendu);
    }
}

// A pipe's other end gone: its reader (ERROR_NO_DATA), or a named pipe's server, and under
// Wine a Linux pipe's reader (ERROR_PIPE_NOT_CONNECTED).
TEST(windows, nomme_tube_ferme_chaque_fin_d_un_tube) {
    for (const int erreur : {ERROR_NO_DATA, ERROR_PIPE_NOT_CONNECTED, ERROR_BROKEN_PIPE}) {
        const console::systeme::Cause cause{erreur, textes::tubeFerme};
        EXPECT_EQ(std::ranges::count(console::systeme::causesWindows, cause), 1) << erreur;
    }
}

}  // namespace

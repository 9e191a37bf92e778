#include <gtest/gtest.h>

#include "console/windows/lecture.hpp"

namespace {

TEST(windows, compte_chaque_lecture_du_tableau) {
    const struct {
        bool reussie;
        DWORD erreur;
        std::string_view lus;
        bool console;
        std::ptrdiff_t attendu;
    } cas[] = {
        {true, 0, "7\r\n", false, 3},
        {true, 0, "", false, 0},                                        // the end of a file
        {false, ERROR_BROKEN_PIPE, "", false, 0},                       // a pipe whose writer has closed it
        {false, ERROR_ACCESS_DENIED, "", false, -ERROR_ACCESS_DENIED},  // a failure, not an end
        {false, ERROR_MORE_DATA, "7\r\n", false, 3},  // the start of a message longer than the buffer
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::PrintToString(c.lus) + (c.console ? " at the console" : ""));
        EXPECT_EQ(console::systeme::compterLecture(c.reussie, c.erreur, c.lus, c.console), c.attendu);
    }
}

// At the console, a read that starts with Ctrl-Z ends input, whatever follows it; in a pipe
// or a file, every byte read counts.
TEST(windows, ctrl_z_finit_l_entree_a_la_console_seulement) {
    const struct {
        std::string_view lus;
        std::ptrdiff_t aLaConsole;
    } cas[] = {{"\x1a\r\n", 0},   {"\x1a", 0},      {"\x1ax\r\n", 0},
               {"\x1a\x1a\n", 0}, {"7\x1a\r\n", 4}, {"\r\n", 2}};
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::PrintToString(c.lus));
        EXPECT_EQ(console::systeme::compterLecture(true, 0, c.lus, true), c.aLaConsole);
        EXPECT_EQ(console::systeme::compterLecture(true, 0, c.lus, false), std::ssize(c.lus));
    }
}

}  // namespace

// How the Windows side counts what one ReadFile of standard input gave.
#pragma once

#include <cstddef>
#include <string_view>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace console::systeme {
// How many bytes a ReadFile that succeeded (or failed with `erreur`) read, 0 at end of
// input, -1 on failure. A pipe closed by its writer has ended. At the console, a line that
// begins with Ctrl-Z ends input, however the console hands it over; in a pipe or a file,
// Ctrl-Z is a byte like any other.
inline std::ptrdiff_t compterLecture(bool reussie, DWORD erreur, std::string_view lus,
                                     bool console) noexcept {
    if (!reussie) {
        return erreur == ERROR_BROKEN_PIPE ? 0 : -1;
    }
    return console && lus.starts_with('\x1a') ? 0 : static_cast<std::ptrdiff_t>(lus.size());
}
}  // namespace console::systeme

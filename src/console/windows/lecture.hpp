// How the Windows side counts what one ReadFile of standard input gave.
#pragma once

#include <cstddef>
#include <string_view>

#include <windows.h>  // WIN32_LEAN_AND_MEAN is defined where it is built

namespace console::systeme {
// How many bytes a ReadFile that succeeded (or failed with `erreur`) read, 0 at end of input,
// or -(error number). A pipe closed by its writer has ended; a message longer than the buffer
// fills it, its rest read next. At the console, a line that begins with Ctrl-Z ends input,
// however the console hands it over; in a pipe or a file, Ctrl-Z is a byte like any other.
inline std::ptrdiff_t compterLecture(bool reussie, DWORD erreur, std::string_view lus,
                                     bool console) noexcept {
    if (!reussie && erreur != ERROR_MORE_DATA) {
        return erreur == ERROR_BROKEN_PIPE ? 0 : -static_cast<std::ptrdiff_t>(erreur);
    }
    return console && lus.starts_with('\x1a') ? 0 : static_cast<std::ptrdiff_t>(lus.size());
}
}  // namespace console::systeme

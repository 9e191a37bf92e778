// How the Windows side counts what one ReadFile of standard input gave, and names the causes
// of Windows' error numbers.
#pragma once

#include <cstddef>
#include <string_view>

#include <windows.h>  // WIN32_LEAN_AND_MEAN is defined where it is built

#include "console/systeme.hpp"
#include "textes.hpp"

namespace console::systeme {
// How many bytes a ReadFile that succeeded (or failed with `erreur`) read, 0 at end of input,
// or -1 after a failure, whatever its number. A pipe closed by its writer has ended; a message
// longer than the buffer fills it, its rest read next. At the console, a line that begins with
// Ctrl-Z ends input, however the console hands it over; in a pipe or a file, Ctrl-Z is a byte
// like any other.
inline std::ptrdiff_t compterLecture(bool reussie, DWORD erreur, std::string_view lus,
                                     bool console) noexcept {
    if (!reussie && erreur != ERROR_MORE_DATA) {
        return erreur == ERROR_BROKEN_PIPE ? 0 : -1;
    }
    return console && lus.starts_with('\x1a') ? 0 : static_cast<std::ptrdiff_t>(lus.size());
}

// A pipe's other end gone is ERROR_NO_DATA when it was the reader, ERROR_BROKEN_PIPE or, for a
// named pipe whose server disconnected (and under Wine for any pipe), ERROR_PIPE_NOT_CONNECTED.
// clang-format off
constexpr Cause causesWindows[] = {  // NOLINT(*-avoid-c-arrays): `causes` takes its size
    {ERROR_HANDLE_DISK_FULL, textes::disquePlein}, {ERROR_DISK_FULL, textes::disquePlein},
    {1295 /* ERROR_DISK_QUOTA_EXCEEDED, unnamed in MinGW-w64 */, textes::quotaDepasse},
    {ERROR_FILE_TOO_LARGE, textes::fichierTropGros}, {ERROR_NO_DATA, textes::tubeFerme},
    {ERROR_BROKEN_PIPE, textes::tubeFerme}, {ERROR_PIPE_NOT_CONNECTED, textes::tubeFerme},
    {ERROR_IO_DEVICE, textes::entreeSortie}, {ERROR_ACCESS_DENIED, textes::nonAutorise},
    {ERROR_INVALID_HANDLE, textes::descripteurInvalide}, {ERROR_DIRECTORY, textes::estUnDossier}};
// clang-format on
}  // namespace console::systeme

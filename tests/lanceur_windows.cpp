// Starts the Windows program with standard handles that a redirection from a file does not
// give: a pipe whose writer has closed it, a handle that cannot be read, and one handle for
// both standard output and standard error. Each row says how the program must end.
// Usage: lanceur_windows PROGRAMME (CTest runs it under Wine)
#include <cstdio>
#include <string>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace {

SECURITY_ATTRIBUTES herite{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};

// Runs `programme` on `entree`, one file taking both its output and its error; returns its
// exit status, and what it wrote in `ecrit`.
DWORD lancer(const char* programme, HANDLE entree, std::string& ecrit) {
    HANDLE sortie =
        CreateFileA("lanceur.sortie", GENERIC_READ | GENERIC_WRITE, 0, &herite, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA demarrage{};
    demarrage.cb = sizeof demarrage;
    demarrage.dwFlags = STARTF_USESTDHANDLES;
    demarrage.hStdInput = entree;
    demarrage.hStdOutput = sortie;
    demarrage.hStdError = sortie;
    PROCESS_INFORMATION processus{};
    DWORD statut = 99;
    if (CreateProcessA(programme, nullptr, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &demarrage,
                       &processus)) {
        WaitForSingleObject(processus.hProcess, 20000);
        GetExitCodeProcess(processus.hProcess, &statut);
    }
    char tampon[4096];
    DWORD lus = 0;
    SetFilePointer(sortie, 0, nullptr, FILE_BEGIN);
    ReadFile(sortie, tampon, sizeof tampon, &lus, nullptr);
    ecrit.assign(tampon, lus);
    CloseHandle(sortie);
    return statut;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    HANDLE tube = nullptr;
    HANDLE ecrivain = nullptr;
    DWORD ecrits = 0;
    CreatePipe(&tube, &ecrivain, &herite, 0);
    WriteFile(ecrivain, "1\n2\n", 4, &ecrits, nullptr);
    CloseHandle(ecrivain);
    const struct {
        const char* quoi;
        HANDLE entree;
        DWORD statut;
        std::string fin;  // the end of what is written
    } cas[] = {
        // The end of the pipe's data at the question is the end of input.
        {"a pipe whose writer has closed it", tube, 0, "(y)?\r\n"},
        // The diagnostic reaches standard error, though it is standard output's handle.
        {"input that cannot be read",
         CreateFileA("lanceur.illisible", GENERIC_WRITE, 0, &herite, CREATE_ALWAYS, 0, nullptr), 1,
         "verifier-somme: erreur de lecture sur l'entree standard: operation non autorisee\r\n"},
    };
    int echecs = 0;
    for (const auto& c : cas) {
        std::string ecrit;
        const DWORD statut = lancer(argv[1], c.entree, ecrit);
        if (statut != c.statut || !ecrit.ends_with(c.fin)) {
            std::printf("%s: status %lu, wrote:\n%s\n", c.quoi, statut, ecrit.c_str());
            ++echecs;
        }
    }
    return echecs;
}

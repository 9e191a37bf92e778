// Starts the Windows program with standard handles that a redirection from a file does not
// give: a pipe whose writer has closed it, one in PIPE_NOWAIT mode whose writer pauses, a named
// pipe whose server has disconnected, a directory, a handle that cannot be read, and one pipe,
// in either mode, for both standard output and standard error. Each row says how the program
// must end.
// Usage: lanceur_windows PROGRAMME (CTest runs it under Wine)
#include <array>
#include <cstdio>
#include <string>
#include <utility>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace {

// Runs `programme` on `entree`, one pipe in `mode` taking both its output and its error, and
// writes "1\n2\n" to `ecrivain`, if any, once the program waits for its first operand. Returns
// its exit status, and what it wrote in `ecrit`.
DWORD lancer(const char* programme, HANDLE entree, HANDLE ecrivain, DWORD mode, std::string& ecrit) {
    HANDLE lecteur = nullptr;
    HANDLE sortie = nullptr;
    CreatePipe(&lecteur, &sortie, nullptr, 0);
    SetHandleInformation(sortie, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    SetNamedPipeHandleState(sortie, &mode, nullptr, nullptr);
    STARTUPINFOA demarrage{};
    demarrage.cb = sizeof demarrage;
    demarrage.dwFlags = STARTF_USESTDHANDLES;
    demarrage.hStdInput = entree;
    demarrage.hStdOutput = sortie;
    demarrage.hStdError = sortie;
    PROCESS_INFORMATION processus{};
    DWORD statut = 99;
    if (CreateProcessA(programme, nullptr, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &demarrage,
                       &processus) != FALSE) {
        CloseHandle(sortie);
        std::array<char, 4096> tampon{};
        for (DWORD lus = 0;
             ReadFile(lecteur, tampon.data(), static_cast<DWORD>(tampon.size()), &lus, nullptr) != FALSE;) {
            ecrit.append(tampon.data(), lus);
            if (ecrivain != nullptr && ecrit.ends_with("1:")) {
                Sleep(200);  // long enough for the program to meet the empty pipe
                WriteFile(ecrivain, "1\n2\n", 4, &lus, nullptr);
                CloseHandle(std::exchange(ecrivain, nullptr));
            }
        }
        WaitForSingleObject(processus.hProcess, 20000);
        GetExitCodeProcess(processus.hProcess, &statut);
    }
    CloseHandle(lecteur);
    return statut;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    SECURITY_ATTRIBUTES herite{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE tube = nullptr;
    HANDLE ecrivain = nullptr;
    DWORD ecrits = 0;
    CreatePipe(&tube, &ecrivain, &herite, 0);
    WriteFile(ecrivain, "1\n2\n", 4, &ecrits, nullptr);
    CloseHandle(ecrivain);
    HANDLE tubeLent = nullptr;
    HANDLE ecrivainLent = nullptr;
    DWORD sansAttente = PIPE_NOWAIT;
    CreatePipe(&tubeLent, &ecrivainLent, &herite, 0);
    SetHandleInformation(ecrivainLent, HANDLE_FLAG_INHERIT, 0);
    SetNamedPipeHandleState(tubeLent, &sansAttente, nullptr, nullptr);
    const char* nom = R"(\\.\pipe\lanceur-verifier-somme)";
    HANDLE serveur = CreateNamedPipeA(nom, PIPE_ACCESS_OUTBOUND, 0, 1, 0, 0, 0, nullptr);
    HANDLE client = CreateFileA(nom, GENERIC_READ, 0, &herite, OPEN_EXISTING, 0, nullptr);
    DisconnectNamedPipe(serveur);
    HANDLE vides =  // as many refused lines: more output than a pipe holds
        CreateFileA("lanceur.entree", GENERIC_READ | GENERIC_WRITE, 0, &herite, CREATE_ALWAYS, 0, nullptr);
    WriteFile(vides, std::string(50000, '\n').data(), 50000, &ecrits, nullptr);
    SetFilePointer(vides, 0, nullptr, FILE_BEGIN);
    struct Cas {
        const char* quoi;
        HANDLE entree;
        DWORD statut;
        std::string fin;            // the end of what is written
        HANDLE ecrivain = nullptr;  // written to once the program waits for input
        DWORD sortie = PIPE_WAIT;
    };
    const auto cas = std::to_array<Cas>({
        // The end of the pipe's data at the question is the end of input.
        {"a pipe whose writer has closed it", tube, 0, "(y)?\r\n"},
        {"a PIPE_NOWAIT pipe whose writer pauses", tubeLent, 0, "(y)?\r\n", ecrivainLent},
        {"a PIPE_NOWAIT pipe as output", vides, 1, "- 1:\r\n", nullptr, PIPE_NOWAIT},
        {"a named pipe whose server has disconnected", client, 1,
         "verifier-somme: erreur de lecture sur l'entree standard: tube ferme\r\n"},
        {"a directory",
         CreateFileA(".", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &herite, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS, nullptr),
         1, "verifier-somme: erreur de lecture sur l'entree standard: c'est un dossier\r\n"},
        // The diagnostic reaches standard error, though it is standard output's handle.
        {"input that cannot be read",
         CreateFileA("lanceur.illisible", GENERIC_WRITE, 0, &herite, CREATE_ALWAYS, 0, nullptr), 1,
         "verifier-somme: erreur de lecture sur l'entree standard: operation non autorisee\r\n"},
    });
    int echecs = 0;
    for (const auto& c : cas) {
        std::string ecrit;
        const DWORD statut = lancer(argv[1], c.entree, c.ecrivain, c.sortie, ecrit);
        if (statut != c.statut || !ecrit.ends_with(c.fin)) {
            // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg): the one report
            std::printf("%s: status %lu, wrote at the end:\n%s\n", c.quoi, statut,
                        ecrit.substr(ecrit.size() > 400 ? ecrit.size() - 400 : 0).c_str());
            ++echecs;
        }
    }
    return echecs;
}

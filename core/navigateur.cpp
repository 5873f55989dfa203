#include "navigateur.h"

#include <vector>

#include "chemins.h"

#if defined(_WIN32)
#include <windows.h>
#include <bcrypt.h>
#include <shellapi.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/random.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <cerrno>
extern char** environ;
#endif

namespace {

#if !defined(_WIN32)
bool OctetsAleatoires(unsigned char* octets, std::size_t n) {
    std::size_t lus = 0;
    while (lus < n) {
        const ssize_t k = getrandom(octets + lus, n - lus, 0);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) break;
        lus += static_cast<std::size_t>(k);
    }
    if (lus == n) return true;
    const int f = open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    if (f < 0) return false;
    for (lus = 0; lus < n;) {
        const ssize_t k = read(f, octets + lus, n - lus);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) break;
        lus += static_cast<std::size_t>(k);
    }
    close(f);
    return lus == n;
}
#else
bool OctetsAleatoires(unsigned char* octets, std::size_t n) {
    return BCryptGenRandom(nullptr, octets, static_cast<ULONG>(n), BCRYPT_USE_SYSTEM_PREFERRED_RNG) == 0;
}
#endif

}  // namespace

std::string HexAleatoire(std::size_t n) {
    std::vector<unsigned char> octets(n);
    if (!OctetsAleatoires(octets.data(), n)) return "";
    static const char chiffres[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char o : octets) hex += std::string{chiffres[o >> 4], chiffres[o & 15]};
    return hex;
}

#if defined(_WIN32)

bool OuvreNavigateur(const std::string& adresse) {
    const std::wstring large = CheminLarge(adresse);
    const HINSTANCE h = ShellExecuteW(nullptr, L"open", large.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(h) > 32;
}

std::string ProgrammeEnCours() {
    std::wstring large(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, large.data(), static_cast<DWORD>(large.size()));
    if (n == 0 || n >= large.size()) return {};
    large.resize(n);
    return Utf8DeChemin(std::filesystem::path(large));
}

#else

// Through a shell that starts xdg-open in the background and ends at once:
// xdg-open then belongs to no one here (no zombie, no wait for the browser).
bool OuvreNavigateur(const std::string& adresse) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int f : {0, 1, 2})
        posix_spawn_file_actions_addopen(&actions, f, "/dev/null", f == 0 ? O_RDONLY : O_WRONLY, 0);
    std::string sh = "sh", option = "-c", script = "xdg-open \"$1\" &", nom = "sh", copie = adresse;
    char* arguments[] = {sh.data(), option.data(), script.data(), nom.data(), copie.data(), nullptr};
    pid_t pid = 0;
    const int r = posix_spawn(&pid, "/bin/sh", &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (r != 0) return false;
    int etat = 0;
    while (waitpid(pid, &etat, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(etat) && WEXITSTATUS(etat) == 0;
}

std::string ProgrammeEnCours() {
    std::error_code e;
    const std::filesystem::path p = std::filesystem::read_symlink("/proc/self/exe", e);
    return e ? std::string() : Utf8DeChemin(p);
}

#endif

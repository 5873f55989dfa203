// File names as Windows' wide calls take them.
#include "chemins.h"

#ifndef _WIN32
#include <cstdint>
#include <cstdlib>

#include <sys/vfs.h>
#endif

std::filesystem::path CheminFs(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8DeChemin(const std::filesystem::path& chemin) {
    const std::u8string u8 = chemin.generic_u8string();
    return std::string(u8.begin(), u8.end());
}

#ifndef _WIN32
std::vector<std::string> ArgumentsUtf8(int argc, char** argv) { return {argv, argv + argc}; }
#else
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

namespace {

// The programs' output is written as its bytes are, as on Linux: the
// teacher's tool chooses its line ends itself (CR LF in the spreadsheet's
// file), which Windows' text mode would double.
// A window program has no standard output at all: nothing to change then.
void SortieBinaire(DWORD sortie, FILE* flux) {
    const HANDLE h = GetStdHandle(sortie);
    if (h != nullptr && h != INVALID_HANDLE_VALUE) _setmode(_fileno(flux), _O_BINARY);
}
const bool sorties_binaires = [] {
    SortieBinaire(STD_OUTPUT_HANDLE, stdout);
    SortieBinaire(STD_ERROR_HANDLE, stderr);
    return true;
}();

// The programs' messages are UTF-8 (the teacher's tool writes them to its
// console): a Windows console shows them with their accents only when told
// so, and gets its own code page back when the program ends.
UINT page_console = 0;
void RendPageConsole() { SetConsoleOutputCP(page_console); }
const bool console_utf8 = [] {
    page_console = GetConsoleOutputCP();
    if (page_console == 0 || !SetConsoleOutputCP(CP_UTF8)) return false;
    std::atexit(RendPageConsole);
    return true;
}();

}  // namespace

std::wstring CheminLarge(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int taille = static_cast<int>(utf8.size());
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), taille, nullptr, 0);
    if (n <= 0) return {};
    std::wstring large(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), taille, large.data(), n);
    return large;
}

std::vector<std::string> ArgumentsUtf8(int argc, char** argv) {
    int n = 0;
    LPWSTR* larges = CommandLineToArgvW(GetCommandLineW(), &n);
    if (larges == nullptr || n != argc) {
        if (larges != nullptr) LocalFree(larges);
        return {argv, argv + argc};
    }
    std::vector<std::string> arguments;
    for (int k = 0; k < n; ++k) {
        const int taille = WideCharToMultiByte(CP_UTF8, 0, larges[k], -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(taille > 0 ? taille : 1), '\0');
        if (taille > 0) WideCharToMultiByte(CP_UTF8, 0, larges[k], -1, utf8.data(), taille, nullptr, nullptr);
        utf8.resize(utf8.size() - 1);  // the NUL the call writes
        arguments.push_back(utf8);
    }
    LocalFree(larges);
    return arguments;
}
#endif

// ---------------------------------------------------------------------------
// Where a folder lives, and this computer's own folder.
// ---------------------------------------------------------------------------

#ifdef _WIN32

namespace {

std::string Utf8DeLarge(const std::wstring& large) {
    if (large.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, large.data(), static_cast<int>(large.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, large.data(), static_cast<int>(large.size()), utf8.data(), n, nullptr,
                            nullptr);
    return utf8;
}

}  // namespace

bool DossierDistant(const std::string& dossier) {
    const std::wstring relatif = dossier.empty() ? std::wstring(L".") : CheminLarge(dossier);
    if (relatif.empty()) return false;
    wchar_t complet[4096];
    const DWORD n = GetFullPathNameW(relatif.c_str(), 4096, complet, nullptr);
    if (n == 0 || n >= 4096) return false;
    std::wstring chemin(complet, n);
    for (wchar_t& c : chemin)
        if (c == L'/') c = L'\\';
    // \\?\UNC\serveur\partage and \\serveur\partage are on a server;
    // \\?\C:\... and \\.\ devices are named by their drive.
    if (chemin.rfind(L"\\\\?\\UNC\\", 0) == 0) return true;
    if (chemin.rfind(L"\\\\?\\", 0) == 0 || chemin.rfind(L"\\\\.\\", 0) == 0) chemin.erase(0, 4);
    else if (chemin.rfind(L"\\\\", 0) == 0) return true;
    if (chemin.size() < 2 || chemin[1] != L':') return false;
    const wchar_t racine[] = {chemin[0], L':', L'\\', L'\0'};
    return GetDriveTypeW(racine) == DRIVE_REMOTE;
}

std::string DossierDeCetOrdinateur() {
    wchar_t donnees[1024];
    const DWORD n = GetEnvironmentVariableW(L"ProgramData", donnees, 1024);
    if (n == 0 || n >= 1024) return {};
    std::string dossier = Utf8DeLarge(std::wstring(donnees, n));
    for (char& c : dossier)
        if (c == '\\') c = '/';
    if (dossier.back() != '/') dossier += '/';
    return dossier + "Pivolette/";
}

#else

bool DossierDistant(const std::string& dossier) {
    struct statfs etat {};
    if (::statfs(dossier.empty() ? "." : dossier.c_str(), &etat) != 0) return false;
    // The systems' own numbers (linux/magic.h and the file systems' sources).
    switch (static_cast<std::uint32_t>(etat.f_type)) {
    case 0xFF534D42u:  // cifs
    case 0xFE534D42u:  // smb3
    case 0x0000517Bu:  // smbfs
    case 0x00006969u:  // nfs
    case 0x5346414Fu:  // afs
    case 0x00C36400u:  // ceph
    case 0x65735546u:  // fuse (smbnetfs, sshfs…)
        return true;
    default:
        return false;
    }
}

std::string DossierDeCetOrdinateur() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        const std::string dossier(xdg);
        return dossier + (dossier.back() == '/' ? "" : "/") + "pivolette/";
    }
    const char* maison = std::getenv("HOME");
    if (maison == nullptr || maison[0] != '/') return {};
    return std::string(maison) + "/.config/pivolette/";
}

#endif

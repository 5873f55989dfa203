// File names as Windows' wide calls take them.
#include "chemins.h"

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

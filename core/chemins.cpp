// File names as Windows' wide calls take them.
#include "chemins.h"

std::filesystem::path CheminFs(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8DeChemin(const std::filesystem::path& chemin) {
    const std::u8string u8 = chemin.u8string();
    return std::string(u8.begin(), u8.end());
}

#ifdef _WIN32
#include <windows.h>

std::wstring CheminLarge(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int taille = static_cast<int>(utf8.size());
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), taille, nullptr, 0);
    if (n <= 0) return {};
    std::wstring large(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), taille, large.data(), n);
    return large;
}
#endif

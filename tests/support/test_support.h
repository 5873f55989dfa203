// Helpers shared by the tests.
#pragma once
#include <filesystem>
#include <functional>
#include <string>

namespace test_support {

// A fresh empty folder under the system's temporary folder, removed when the
// object goes; the working directory moves into it while it lives.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

std::string ReadFile(const std::filesystem::path& path);      // "" when absent
// Whether this system lets the tests make symbolic links (Windows gives them
// to administrators only; Wine has none).
bool LinksPossible();
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

#ifndef _WIN32
// Runs `ecrit` while no file may grow past `octets` bytes, as on a disk that
// fills up in the middle of a save: the write fails (EFBIG) instead of the
// process being stopped by SIGXFSZ. Returns what `ecrit` returned.
int AvecTailleLimitee(long octets, const std::function<int()>& ecrit);
#endif

}  // namespace test_support

#ifdef _WIN32
#include <cstdlib>
// The POSIX calls the tests use, over Windows' own.
inline int setenv(const char* name, const char* value, int) { return _putenv_s(name, value); }
inline int unsetenv(const char* name) { return _putenv_s(name, ""); }
#endif

// Data files: existence, opening with a wait while another program holds the
// file, and "KEY=value" files such as LCConfig.txt.
//
// The only place of the layer that calls the system directly: the advisory
// locks (flock) that tell the programs sharing a data file apart.
#include "lumicanvas.h"
#include "internal.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kWaitMs = 5000;       // how long WaitAccessFile waits for a held file
constexpr int kRetryMs = 20;        // between two tries
constexpr size_t kMaxLine = 65536;  // the part of a line kept by GetDataValue

// Takes the lock (shared to read, exclusive to write), trying again while
// another holder keeps it, for kWaitMs at most.
bool LockWaiting(int fd, int operation) {
    for (int waited = 0;; waited += kRetryMs) {
        if (::flock(fd, operation | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        if (waited >= kWaitMs) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(kRetryMs));
    }
}

// Reads one line of `in` (without its line end) into `line`, keeping at most
// kMaxLine characters of it; false at the end of the file.
bool ReadLine(FILE* in, std::string& line) {
    line.clear();
    int c = std::fgetc(in);
    if (c == EOF) return false;
    for (; c != EOF && c != '\n'; c = std::fgetc(in)) {
        if (line.size() < kMaxLine) line.push_back(static_cast<char>(c));
    }
    return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string Trim(const std::string& s) {
    size_t b = 0;
    size_t e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

std::string lc::NativePath(const char* path) {
    if (!path) return {};
#ifdef _WIN32
    return path;
#else
    const std::string bytes(path);
    return lc::IsUtf8(bytes) ? bytes : lc::Cp1252ToUtf8(bytes);
#endif
}

int ModeAccessFile(const char* path, int mode) {
    if (!path || !*path) return 0;
    int how = F_OK;
    if (mode & 2) how |= W_OK;
    if (mode & 4) how |= R_OK;
    return ::access(lc::NativePath(path).c_str(), how) == 0 ? 1 : 0;
}

FILE* WaitAccessFile(const char* path, int mode) {
    if (!path || !*path) {
        lc::Fail("WaitAccessFile : aucun nom de fichier");
        return nullptr;
    }
    if (mode != 0 && mode != 1) {
        lc::Fail("WaitAccessFile(\"%s\", %d) : mode inconnu (0 lecture, 1 écriture)", path, mode);
        return nullptr;
    }
    const bool write = mode == 1;
    // Opened without truncating: the content is replaced only once the lock
    // is held, so a reader never sees a file emptied under it.
    const int fd = ::open(lc::NativePath(path).c_str(), write ? (O_WRONLY | O_CREAT | O_CLOEXEC) : (O_RDONLY | O_CLOEXEC), 0666);
    if (fd < 0) {
        lc::Fail("Impossible d'ouvrir \"%s\" : %s", path, std::strerror(errno));
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        lc::Fail("Impossible d'ouvrir \"%s\" : c'est un dossier", path);
        ::close(fd);
        return nullptr;
    }
    if (!LockWaiting(fd, write ? LOCK_EX : LOCK_SH)) {
        lc::Fail("Le fichier \"%s\" reste occupé par un autre programme", path);
        ::close(fd);
        return nullptr;
    }
    if (write && ::ftruncate(fd, 0) != 0) {
        lc::Fail("Impossible de vider \"%s\" : %s", path, std::strerror(errno));
        ::close(fd);
        return nullptr;
    }
    FILE* f = ::fdopen(fd, write ? "wb" : "rb");
    if (!f) {
        lc::Fail("Impossible d'ouvrir \"%s\" : %s", path, std::strerror(errno));
        ::close(fd);
    }
    return f;  // closing the stream releases the lock
}

int GetDataValue(const char* path, const char* key, const char** value) {
    static std::string found;
    if (value) *value = nullptr;
    if (!path || !key || !*key || !value) return 0;
    std::unique_ptr<FILE, FileCloser> in(std::fopen(lc::NativePath(path).c_str(), "rb"));
    if (!in) return 0;
    // Not while another program rewrites it (the configuration tool saving
    // LCConfig.txt): a half-written file would read as missing keys.
    LockWaiting(::fileno(in.get()), LOCK_SH);
    std::string line;
    bool first = true;
    while (ReadLine(in.get(), line)) {
        if (first && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // a UTF-8 mark
        first = false;
        const size_t eq = line.find('=');
        if (eq == std::string::npos || Trim(line.substr(0, eq)) != key) continue;
        found = Trim(line.substr(eq + 1));
        *value = found.c_str();
        return 1;
    }
    return 0;
}

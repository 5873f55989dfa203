// Data files: existence, opening with a wait while another program holds the
// file, and "KEY=value" files such as LCConfig.txt.
//
// The only place of the layer that calls the system directly: the locks
// (flock, LockFileEx on Windows) that tell the programs sharing a data file
// apart, and the opens (through UTF-16 names on Windows).
#include "lumicanvas.h"
#include "internal.h"
#include "lcconfig.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "chemins.h"
#else
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

constexpr int kWaitMs = 5000;       // how long WaitAccessFile waits for a held file
constexpr int kRetryMs = 20;        // between two tries

#ifdef _WIN32

constexpr int kShared = 0;
constexpr int kExclusive = LOCKFILE_EXCLUSIVE_LOCK;

// The lock over the whole file, without waiting; EWOULDBLOCK while another
// program holds it.
bool TryLock(int fd, int operation) {
    OVERLAPPED whole{};
    const auto h = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (LockFileEx(h, operation | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole)) return true;
    errno = GetLastError() == ERROR_LOCK_VIOLATION ? EWOULDBLOCK : EIO;
    return false;
}

// A folder is refused by the open itself: it is told apart by EISDIR.
int OpenFile(const std::string& utf8, bool write) {
    const std::wstring name = CheminLarge(utf8);
    const int flags = _O_BINARY | _O_NOINHERIT | (write ? (_O_WRONLY | _O_CREAT) : _O_RDONLY);
    const int fd = ::_wopen(name.c_str(), flags, _S_IREAD | _S_IWRITE);
    if (fd < 0 && errno == EACCES) {
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) errno = EISDIR;
    }
    return fd;
}

bool Empty(int fd) { return ::_chsize_s(fd, 0) == 0; }

bool Accessible(const std::string& utf8, int how) { return ::_waccess(CheminLarge(utf8).c_str(), how) == 0; }

#else

constexpr int kShared = LOCK_SH;
constexpr int kExclusive = LOCK_EX;

bool TryLock(int fd, int operation) { return ::flock(fd, operation | LOCK_NB) == 0; }

int OpenFile(const std::string& utf8, bool write) {
    return ::open(utf8.c_str(), write ? (O_WRONLY | O_CREAT | O_CLOEXEC) : (O_RDONLY | O_CLOEXEC), 0666);
}

bool Empty(int fd) { return ::ftruncate(fd, 0) == 0; }

bool Accessible(const std::string& utf8, int how) { return ::access(utf8.c_str(), how) == 0; }

#endif

// Takes the lock (shared to read, exclusive to write), trying again while
// another holder keeps it, for kWaitMs at most.
bool LockWaiting(int fd, int operation) {
    for (int waited = 0;; waited += kRetryMs) {
        if (TryLock(fd, operation)) return true;
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        if (waited >= kWaitMs) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(kRetryMs));
    }
}

}  // namespace

std::string lc::NativePath(const char* path) {
    if (!path) return {};
    const std::string bytes(path);
    return lc::IsUtf8(bytes) ? bytes : lc::Cp1252ToUtf8(bytes);
}

int ModeAccessFile(const char* path, int mode) {
    if (!path || !*path) return 0;
    int how = F_OK;
    if (mode & 2) how |= W_OK;
    if (mode & 4) how |= R_OK;
    return Accessible(lc::NativePath(path), how) ? 1 : 0;
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
    const int fd = OpenFile(lc::NativePath(path), write);
    if (fd < 0 && errno == EISDIR) {
        lc::Fail("Impossible d'ouvrir \"%s\" : c'est un dossier", path);
        return nullptr;
    }
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
    if (!LockWaiting(fd, write ? kExclusive : kShared)) {
        lc::Fail("Le fichier \"%s\" reste occupé par un autre programme", path);
        ::close(fd);
        return nullptr;
    }
    if (write && !Empty(fd)) {
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
    // One bounded read of a regular file, waiting while another program
    // rewrites it in place; the same parser as every other reader.
    std::string bytes;
    if (!LitOctetsConfig(lc::NativePath(path), bytes, LIMITE_CLES)) return 0;
    std::string text;
    if (!ValeurDeCle(bytes, key, text)) return 0;
    found = text.substr(0, text.find('\0'));  // handed out as a C string
    *value = found.c_str();
    return 1;
}

// Whole-file reads with a size limit, for every data file.
#include "lecture.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <chrono>
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

ResultatLecture Echec(EchecLecture echec, const std::string& message) {
    return ResultatLecture{echec, message};
}

std::string Cite(const std::string& chemin) { return "« " + chemin + " »"; }

// Closes the descriptor when the read is over, whatever its outcome.
struct Descripteur {
    int fd;
    ~Descripteur() {
        if (fd >= 0) ::close(fd);
    }
};

#ifdef _WIN32

// No FIFO can be met under a file name on Windows: a plain binary open.
// A folder is refused by the open itself: it is told apart by EISDIR.
int OuvreEnLecture(const std::string& chemin) {
    const std::wstring nom = CheminLarge(chemin);
    const int fd = ::_wopen(nom.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0 && errno == EACCES) {
        const DWORD attributs = GetFileAttributesW(nom.c_str());
        if (attributs != INVALID_FILE_ATTRIBUTES && (attributs & FILE_ATTRIBUTE_DIRECTORY)) errno = EISDIR;
    }
    return fd;
}

// The shared lock over the whole file, without waiting.
bool VerrouPartage(int fd) {
    OVERLAPPED zone{};
    const auto h = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (LockFileEx(h, LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &zone)) return true;
    errno = GetLastError() == ERROR_LOCK_VIOLATION ? EWOULDBLOCK : EIO;
    return false;
}

void FinLectureBloquante(int) {}

#else

// Non-blocking: opening a FIFO for reading would otherwise wait for a
// writer forever. The flag is taken off once the file is known regular.
int OuvreEnLecture(const std::string& chemin) {
    return ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

bool VerrouPartage(int fd) { return ::flock(fd, LOCK_SH | LOCK_NB) == 0; }

void FinLectureBloquante(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK); }

#endif

// Waits for a shared lock, 5 s at most; reads anyway when it cannot be had.
void AttendVerrou(int fd) {
    for (int attendu = 0; attendu < 5000; attendu += 20) {
        if (VerrouPartage(fd)) return;
        if (errno != EWOULDBLOCK && errno != EINTR) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace

ResultatLecture LitFichierBorne(const std::string& chemin, std::size_t limite,
                                std::string& octets, bool attend_verrou) {
    octets.clear();
    const auto pas_fichier = [&] {
        return Echec(EchecLecture::PasFichier, Cite(chemin) + " n'est pas un fichier ordinaire : il n'est pas lu.");
    };
    Descripteur d{OuvreEnLecture(chemin)};
    if (d.fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return Echec(EchecLecture::Absent, "Le fichier " + Cite(chemin) + " est introuvable.");
        if (errno == EISDIR) return pas_fichier();
        return Echec(EchecLecture::Illisible, "Le fichier " + Cite(chemin) +
                                                  " ne peut pas être lu (" +
                                                  std::strerror(errno) + ").");
    }
    struct stat info {};
    if (::fstat(d.fd, &info) != 0 || !S_ISREG(info.st_mode)) return pas_fichier();
    const auto trop_grand = [&] {
        return Echec(EchecLecture::TropGrand, "Le fichier " + Cite(chemin) + " est trop grand (plus de " +
                                                  std::to_string(limite) + " octets) : il n'est pas lu.");
    };
    if (static_cast<unsigned long long>(info.st_size) > limite) return trop_grand();
    if (attend_verrou) AttendVerrou(d.fd);
    FinLectureBloquante(d.fd);
    // Read up to one byte past the limit: a file that grew since fstat is
    // still caught, and nothing past the limit is ever held. The buffer is
    // the size fstat gave, and grows only with a file that grows meanwhile:
    // a whole limit's worth (64 MiB for a quiz) zeroed at each read took
    // longer than anything else the teacher's tool does.
    const std::size_t plafond = limite + 1;
    std::string lu(std::min(plafond, static_cast<std::size_t>(info.st_size) + 1), '\0');
    std::size_t n = 0;
    while (true) {
        if (n == lu.size()) {
            if (lu.size() == plafond) break;
            lu.resize(std::min(plafond, 2 * lu.size()));
        }
        const ssize_t r = ::read(d.fd, lu.data() + n, lu.size() - n);
        if (r == 0) break;
        if (r < 0) {
            if (errno == EINTR) continue;
            return Echec(EchecLecture::Illisible, "Le fichier " + Cite(chemin) +
                                                      " ne peut pas être lu (" +
                                                      std::strerror(errno) + ").");
        }
        n += static_cast<std::size_t>(r);
    }
    if (n > limite) return trop_grand();
    lu.resize(n);
    octets = std::move(lu);
    return {};
}

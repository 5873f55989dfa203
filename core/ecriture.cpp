// Safe whole-file writes: temporary file beside the target, exclusive and
// without following links, flushed to the disk, renamed or linked in place.
#include "ecriture.h"
#include "chemins.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

CrochetEcriture CrochetEtapeEcriture = nullptr;

namespace {

std::string DossierDe(const std::string& chemin);

namespace fs = std::filesystem;

const char PREFIXE[] = ".pivolette-";
const char SUFFIXE[] = ".tmp";
// Attempts at a free temporary name before giving up: a name is only ever
// taken by a stale file or by a pupil who planted something there.
constexpr int ESSAIS = 8;

void Etape(EtapeEcriture etape, const std::string& chemin) {
    if (CrochetEtapeEcriture != nullptr) CrochetEtapeEcriture(etape, chemin);
}

std::string Cite(const std::string& chemin) { return "« " + chemin + " »"; }

// ---------------------------------------------------------------------------
// The system calls, one small branch per system.
// ---------------------------------------------------------------------------

#ifdef _WIN32

const char SEPARATEURS[] = "/\\";

// The system's text of the last error, in UTF-8.
std::string Raison() {
    const DWORD code = GetLastError();
    wchar_t texte[256];
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                   code, 0, texte, 256, nullptr);
    if (n == 0) return "erreur système " + std::to_string(code);
    char utf8[768];
    const int m = WideCharToMultiByte(CP_UTF8, 0, texte, static_cast<int>(n), utf8, sizeof utf8,
                                      nullptr, nullptr);
    std::string r(utf8, m > 0 ? m : 0);
    while (!r.empty() && (r.back() == '\n' || r.back() == '\r' || r.back() == '.')) r.pop_back();
    return r;
}

bool NomExiste() {
    const DWORD code = GetLastError();
    return code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS;
}

unsigned long Processus() { return GetCurrentProcessId(); }

struct Ouvert {
    HANDLE h = INVALID_HANDLE_VALUE;
    ~Ouvert() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

// CREATE_NEW fails on any existing name, a link included.
bool CreeExclusif(const std::string& chemin, Ouvert& f) {
    f.h = CreateFileW(CheminLarge(chemin).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    return f.h != INVALID_HANDLE_VALUE;
}

bool EcritTout(Ouvert& f, const std::string& octets) {
    std::size_t fait = 0;
    while (fait < octets.size()) {
        const DWORD morceau = static_cast<DWORD>(std::min<std::size_t>(octets.size() - fait, 1 << 20));
        DWORD ecrit = 0;
        if (!WriteFile(f.h, octets.data() + fait, morceau, &ecrit, nullptr) || ecrit == 0) return false;
        fait += ecrit;
    }
    return true;
}

bool Synchronise(Ouvert& f) { return FlushFileBuffers(f.h) != 0; }

bool Ferme(Ouvert& f) {
    const bool ok = CloseHandle(f.h) != 0;
    f.h = INVALID_HANDLE_VALUE;
    return ok;
}

// A program reading the target (Windows opens files without letting them
// be replaced meanwhile) or replacing it at the same moment makes the move
// fail for an instant: it is tried again, for 2 s at most.
bool Remplace(const std::string& source, const std::string& cible) {
    const std::wstring de = CheminLarge(source), vers = CheminLarge(cible);
    for (int attendu = 0;; attendu += 10) {
        if (MoveFileExW(de.c_str(), vers.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD code = GetLastError();
        if ((code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) || attendu >= 2000) return false;
        Sleep(10);
        SetLastError(code);
    }
}

// Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists.
Publication DeplaceExclusif(const std::string& source, const std::string& cible, bool& source_restee) {
    source_restee = true;
    if (MoveFileExW(CheminLarge(source).c_str(), CheminLarge(cible).c_str(), MOVEFILE_WRITE_THROUGH) != 0) {
        source_restee = false;
        return Publication::Publiee;
    }
    return NomExiste() ? Publication::Existe : Publication::Echec;
}

void Supprime(const std::string& chemin) { DeleteFileW(CheminLarge(chemin).c_str()); }

// MOVEFILE_WRITE_THROUGH has already put the new name on the disk.
void SynchroniseDossier(const std::string&) {}

#else

const char SEPARATEURS[] = "/";

std::string Raison() { return std::strerror(errno); }

bool NomExiste() { return errno == EEXIST; }

unsigned long Processus() { return static_cast<unsigned long>(::getpid()); }

struct Ouvert {
    int fd = -1;
    ~Ouvert() {
        if (fd >= 0) ::close(fd);
    }
};

// O_EXCL with O_NOFOLLOW: a link of that name, even dangling, is an error,
// never a way to a file elsewhere.
bool CreeExclusif(const std::string& chemin, Ouvert& f) {
    f.fd = ::open(chemin.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    return f.fd >= 0;
}

bool EcritTout(Ouvert& f, const std::string& octets) {
    std::size_t fait = 0;
    while (fait < octets.size()) {
        const ssize_t n = ::write(f.fd, octets.data() + fait, octets.size() - fait);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        fait += static_cast<std::size_t>(n);
    }
    return true;
}

bool Synchronise(Ouvert& f) { return ::fsync(f.fd) == 0; }

bool Ferme(Ouvert& f) {
    const int fd = f.fd;
    f.fd = -1;
    return ::close(fd) == 0;
}

bool Remplace(const std::string& source, const std::string& cible) {
    return ::rename(source.c_str(), cible.c_str()) == 0;
}

// A claim older than this was left by a run stopped in the middle of its
// publication (which lasts well under a second).
constexpr std::chrono::hours AGE_PRISE{1};

bool PriseAbandonnee(const std::string& prise) {
    struct stat etat {};
    if (::lstat(prise.c_str(), &etat) != 0 || !S_ISDIR(etat.st_mode)) return false;
    const auto age = std::chrono::system_clock::now() - std::chrono::system_clock::from_time_t(etat.st_mtime);
    return age > AGE_PRISE;
}

// The target claimed first by a folder beside it, ".pivolette-NAME.prise":
// a folder's creation is decided by the file server itself on every network
// file system, FUSE ones included (smbnetfs creates files without asking the
// server for exclusivity, and makes no links). The claimant alone checks
// that no file of that name exists, renames the whole file onto it, then
// gives the claim up: the name never holds part of the content.
Publication PublieParPrise(const std::string& source, const std::string& cible, bool& source_restee) {
    const std::string prise = DossierDe(cible) + PREFIXE + cible.substr(DossierDe(cible).size()) + ".prise";
    if (::mkdir(prise.c_str(), 0777) != 0) {
        if (errno != EEXIST) return Publication::Echec;
        if (!PriseAbandonnee(prise)) return Publication::Existe;  // another computer is publishing it
        ::rmdir(prise.c_str());
        if (::mkdir(prise.c_str(), 0777) != 0) return errno == EEXIST ? Publication::Existe : Publication::Echec;
    }
    Publication r = Publication::Echec;
    struct stat etat {};
    if (::lstat(cible.c_str(), &etat) == 0) {
        r = Publication::Existe;
    } else if (errno == ENOENT && ::rename(source.c_str(), cible.c_str()) == 0) {
        source_restee = false;
        r = Publication::Publiee;
    }
    const int raison = errno;
    ::rmdir(prise.c_str());
    errno = raison;
    return r;
}

// A hard link fails when the target exists, whatever it is, on a local disk
// as on an SMB or NFS mount (the client asks the server for a link that may
// not replace). Where links are refused (FAT, FUSE mounts such as smbnetfs,
// servers without them): on a local disk, a rename that may not replace; on
// a network folder, where that rename is checked by this computer alone (the
// CIFS client asks the server to replace), or where it is refused, the claim
// above.
Publication DeplaceExclusif(const std::string& source, const std::string& cible, bool& source_restee) {
    source_restee = true;
    if (::link(source.c_str(), cible.c_str()) == 0) return Publication::Publiee;
    if (errno == EEXIST) return Publication::Existe;
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOTSUP && errno != ENOSYS && errno != EMLINK)
        return Publication::Echec;
#ifdef __linux__
    if (!DossierDistant(DossierDe(cible))) {
        if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, cible.c_str(), RENAME_NOREPLACE) == 0) {
            source_restee = false;
            return Publication::Publiee;
        }
        if (errno == EEXIST) return Publication::Existe;
        if (errno != EINVAL && errno != ENOSYS) return Publication::Echec;
    }
#endif
    return PublieParPrise(source, cible, source_restee);
}

void Supprime(const std::string& chemin) { ::unlink(chemin.c_str()); }

// The rename or link is itself a change of the folder: without this, a power
// cut could forget it although the file's bytes are on the disk.
void SynchroniseDossier(const std::string& dossier) {
    Ouvert d;
    d.fd = ::open(dossier.empty() ? "." : dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d.fd >= 0) ::fsync(d.fd);  // some file systems refuse it: nothing more can be done
}

#endif

// ---------------------------------------------------------------------------
// The write itself.
// ---------------------------------------------------------------------------

// The folder of `chemin` with its last separator; empty for a bare name.
std::string DossierDe(const std::string& chemin) {
    const std::size_t p = chemin.find_last_of(SEPARATEURS);
    return p == std::string::npos ? std::string() : chemin.substr(0, p + 1);
}

unsigned Aleatoire() {
    try {
        return std::random_device{}();
    } catch (...) {
        return static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    }
}

std::string NomProvisoire() {
    static std::atomic<unsigned long> compteur{0};
    char nom[96];
    std::snprintf(nom, sizeof nom, "%s%lu-%lu-%08x%s", PREFIXE, Processus(), ++compteur, Aleatoire(),
                  SUFFIXE);
    return nom;
}

// A temporary file that is removed when the write stops before its end.
struct Provisoire {
    std::string chemin;
    bool present = false;
    ~Provisoire() {
        if (present) Supprime(chemin);
    }
};

// Creates the temporary file beside `cible` and puts `octets` in it, down to
// the disk.
bool EcritProvisoire(const std::string& cible, const std::string& octets, Provisoire& p,
                     std::string& erreur) {
    const std::string dossier = DossierDe(cible);
    Ouvert f;
    for (int essai = 1;; ++essai) {
        p.chemin = dossier + NomProvisoire();
        Etape(EtapeEcriture::Creation, p.chemin);
        if (CreeExclusif(p.chemin, f)) break;
        if (!NomExiste() || essai == ESSAIS) {
            erreur = "impossible de créer un fichier à côté de " + Cite(cible) + " (" + Raison() + ")";
            return false;
        }
    }
    p.present = true;
    const auto echec = [&](const char* action) {
        erreur = std::string("impossible ") + action + " " + Cite(cible) + " (" + Raison() + ")";
        return false;
    };
    Etape(EtapeEcriture::Ecriture, p.chemin);
    if (!EcritTout(f, octets)) return echec("d'écrire");
    Etape(EtapeEcriture::Synchronisation, p.chemin);
    if (!Synchronise(f)) return echec("de mettre sur le disque");
    Etape(EtapeEcriture::Fermeture, p.chemin);
    if (!Ferme(f)) return echec("d'écrire");
    return true;
}

}  // namespace

bool EcritFichierSur(const std::string& chemin, const std::string& octets, std::string& erreur) {
    Provisoire p;
    if (!EcritProvisoire(chemin, octets, p, erreur)) return false;
    Etape(EtapeEcriture::Publication, chemin);
    if (!Remplace(p.chemin, chemin)) {
        erreur = "impossible de remplacer " + Cite(chemin) + " (" + Raison() + ")";
        return false;
    }
    p.present = false;
    Etape(EtapeEcriture::SynchroDossier, DossierDe(chemin));
    SynchroniseDossier(DossierDe(chemin));
    return true;
}

Publication PublieExclusif(const std::string& chemin, const std::string& octets,
                           std::string& erreur) {
    Provisoire p;
    if (!EcritProvisoire(chemin, octets, p, erreur)) return Publication::Echec;
    Etape(EtapeEcriture::Publication, chemin);
    bool restee = true;
    const Publication r = DeplaceExclusif(p.chemin, chemin, restee);
    if (r == Publication::Echec)
        erreur = "impossible de créer " + Cite(chemin) + " (" + Raison() + ")";
    if (r != Publication::Publiee) return r;
    if (restee) {
        Etape(EtapeEcriture::Suppression, p.chemin);
        Supprime(p.chemin);
    }
    p.present = false;
    Etape(EtapeEcriture::SynchroDossier, DossierDe(chemin));
    SynchroniseDossier(DossierDe(chemin));
    return r;
}

bool EstFichierProvisoire(const std::string& nom) {
    const std::size_t p = sizeof PREFIXE - 1, s = sizeof SUFFIXE - 1;
    return nom.size() > p + s && nom.compare(0, p, PREFIXE) == 0 &&
           nom.compare(nom.size() - s, s, SUFFIXE) == 0;
}

int NettoieProvisoires(const std::string& dossier, std::chrono::seconds age) {
    int retires = 0;
    std::error_code e;
    const auto limite = fs::file_time_type::clock::now() - age;
    for (fs::directory_iterator it(CheminFs(dossier.empty() ? "." : dossier), e), fin; !e && it != fin;
         it.increment(e)) {
        const std::u8string nom = it->path().filename().u8string();
        if (!EstFichierProvisoire(std::string(nom.begin(), nom.end()))) continue;
        std::error_code e2;
        const fs::file_status etat = it->symlink_status(e2);
        // A link of that name is none of ours: it goes at once, unfollowed.
        const bool vieux = fs::is_symlink(etat) ||
                           (fs::is_regular_file(etat) && fs::last_write_time(it->path(), e2) < limite && !e2);
        if (vieux && fs::remove(it->path(), e2)) ++retires;
    }
    return retires;
}

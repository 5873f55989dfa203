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
#include <cstdint>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
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
// No write lasts this long: a temporary file this old was left behind,
// wherever its writer runs.
constexpr std::chrono::hours AGE_ABANDON{1};

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

// This computer: its name, which Windows refuses twice on one network, and
// its system's own MachineGuid, which tells apart two systems of one name
// (two Wine installations on one host, copies of one disk image).
std::string Identite() {
    wchar_t nom[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD n = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(nom, &n)) return "";
    std::wstring identite(nom, n);
    wchar_t guid[80];
    DWORD taille = sizeof guid;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Cryptography", L"MachineGuid", RRF_RT_REG_SZ,
                     nullptr, guid, &taille) == ERROR_SUCCESS)
        identite += L"/" + std::wstring(guid);
    char utf8[4 * 128];
    const int m = WideCharToMultiByte(CP_UTF8, 0, identite.c_str(), static_cast<int>(identite.size()), utf8,
                                      sizeof utf8, nullptr, nullptr);
    return m > 0 ? "windows:" + std::string(utf8, m) : "";
}

// Whether no process of that number runs on this computer. A process that
// cannot be opened for another reason (another user's) is running.
bool ProcessusDisparu(unsigned long numero) {
    if (numero == 0 || numero > 0xFFFFFFFFul) return false;
    const HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(numero));
    if (h == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool fini = GetExitCodeProcess(h, &code) && code != STILL_ACTIVE;
    CloseHandle(h);
    return fini;
}

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

// A hard link fails on an existing name, decided at once by the file system
// or the file server, as on POSIX. Where links are refused (FAT, a share
// without them), the move without MOVEFILE_REPLACE_EXISTING, which fails
// when the target exists: its check and its move are one step for Windows
// and for an SMB server, but two for Wine, which two Wine installations on
// one folder can both pass.
Publication DeplaceExclusif(const std::string& source, const std::string& cible, bool& source_restee) {
    source_restee = true;
    if (CreateHardLinkW(CheminLarge(cible).c_str(), CheminLarge(source).c_str(), nullptr) != 0)
        return Publication::Publiee;
    if (NomExiste()) return Publication::Existe;
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

// This boot of this computer, and the space its process numbers are in:
// the boot's random number, drawn anew at each start (cloned machines get
// different ones), and the process-number namespace (a container's numbers
// are not the host's). Empty where the system does not say.
std::string Identite() {
    std::FILE* f = std::fopen("/proc/sys/kernel/random/boot_id", "re");
    if (f == nullptr) return "";
    char demarrage[64] = {};
    const bool lu = std::fgets(demarrage, sizeof demarrage, f) != nullptr;
    std::fclose(f);
    char espace[64] = {};
    const ssize_t n = ::readlink("/proc/self/ns/pid", espace, sizeof espace - 1);
    if (!lu || n <= 0) return "";
    return std::string("linux:") + demarrage + espace;
}

// Whether no process of that number runs here. EPERM: one runs, another
// user's.
bool ProcessusDisparu(unsigned long numero) {
    if (numero == 0 || numero > 0x7FFFFFFFul) return false;
    return ::kill(static_cast<pid_t>(numero), 0) != 0 && errno == ESRCH;
}

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

// The mark of the writers whose process numbers this process can check:
// those of this computer (on Linux: of this boot and namespace), 16 hex
// digits of a hash of its identity; empty when it cannot be had.
const std::string& MarqueMachine() {
    static const std::string marque = [] {
        const std::string identite = Identite();
        if (identite.empty()) return std::string();
        std::uint64_t h = 0xcbf29ce484222325ull;  // FNV-1a
        for (unsigned char c : identite) h = (h ^ c) * 0x100000001b3ull;
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
        return std::string(hex);
    }();
    return marque;
}

// ".pivolette-PROCESS-COUNT-RANDOM-MACHINE.tmp"; without the machine's
// mark where there is none (and in the names of earlier versions).
std::string NomProvisoire() {
    static std::atomic<unsigned long> compteur{0};
    char nom[128];
    const std::string& marque = MarqueMachine();
    std::snprintf(nom, sizeof nom, "%s%lu-%lu-%08x%s%s%s", PREFIXE, Processus(), ++compteur, Aleatoire(),
                  marque.empty() ? "" : "-", marque.c_str(), SUFFIXE);
    return nom;
}

// The writer's process number of a temporary file made on this computer
// (its name carries this machine's mark); 0 for any other name.
unsigned long ProcessusDeCePoste(const std::string& nom) {
    const std::string& marque = MarqueMachine();
    const std::size_t p = sizeof PREFIXE - 1, s = sizeof SUFFIXE - 1;
    if (marque.empty() || !EstFichierProvisoire(nom) || nom.size() < p + s + marque.size() + 1) return 0;
    const std::size_t m = nom.size() - s - marque.size();
    if (nom.compare(m, marque.size(), marque) != 0 || nom[m - 1] != '-') return 0;
    unsigned long numero = 0;
    std::size_t k = p;
    for (; k < m && k < p + 10 && nom[k] >= '0' && nom[k] <= '9'; ++k) numero = numero * 10 + (nom[k] - '0');
    return k > p && k < m && nom[k] == '-' ? numero : 0;
}

// Whether a temporary file of ours may go: a link (none of ours: it goes at
// once, unfollowed), a file older than `limite` (no write lasts that long),
// or one whose writer on this computer has ended (its write can never end).
bool Abandonne(const fs::directory_entry& f, const std::string& nom, fs::file_time_type limite) {
    std::error_code e;
    const fs::file_status etat = f.symlink_status(e);
    if (e) return false;
    if (fs::is_symlink(etat)) return true;
    if (!fs::is_regular_file(etat)) return false;
    const fs::file_time_type date = fs::last_write_time(f.path(), e);
    if (!e && date < limite) return true;
    const unsigned long auteur = ProcessusDeCePoste(nom);
    return auteur != 0 && ProcessusDisparu(auteur);
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
    // What earlier writers left in the folder goes before anything is added.
    NettoieProvisoires(dossier, AGE_ABANDON);
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
        const std::u8string u8 = it->path().filename().u8string();
        const std::string nom(u8.begin(), u8.end());
        std::error_code e2;
        if (EstFichierProvisoire(nom) && Abandonne(*it, nom, limite) && fs::remove(it->path(), e2)) ++retires;
    }
    return retires;
}

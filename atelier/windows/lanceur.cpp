// Atelier.exe: the teacher's workshop for a double-click on Windows.
//
// A window program (no console opens): it runs `pivolette atelier` in this
// process, on the folder it was given (a folder dropped on it), else on its
// own folder when that holds InfosQuizz (the unzipped Pivolette folder),
// else on what the workshop finds itself. Without a console, what the
// workshop prints goes into two pipes: the first line, the address with its
// token, is opened in the default browser, or shown in a message box when no
// browser opens; the error messages of a workshop that stops on a fault are
// shown in a message box too. Nothing it says is lost.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>  // CommandLineToArgvW

#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "atelier.h"
#include "chemins.h"
#include "navigateur.h"

namespace {

// One of the C runtime's output streams, turned into a pipe that a thread
// of this program reads.
struct Tuyau {
    HANDLE lecture = nullptr;
    int descripteur = -1;  // the writing end, kept open until the end
    std::mutex verrou;
    std::string texte;  // everything read so far
    bool fini = false;
};

// Points `flux` (stdout or stderr, which a window program has not) at a new
// pipe, unbuffered, so that each line reaches the reader when it is
// written. False when Windows refuses the pipe.
bool Redirige(FILE* flux, DWORD standard, Tuyau& tuyau) {
    SECURITY_ATTRIBUTES attributs{sizeof attributs, nullptr, FALSE};
    HANDLE ecriture = nullptr;
    if (!CreatePipe(&tuyau.lecture, &ecriture, &attributs, 0)) return false;
    SetStdHandle(standard, ecriture);
    // The stream gets a descriptor of its own first (a window program's
    // streams have none), which then becomes the pipe's.
    if (std::freopen("NUL", "w", flux) == nullptr) return false;
    tuyau.descripteur = _open_osfhandle(reinterpret_cast<intptr_t>(ecriture), _O_WRONLY | _O_BINARY);
    if (tuyau.descripteur < 0 || _dup2(tuyau.descripteur, _fileno(flux)) != 0) return false;
    std::setvbuf(flux, nullptr, _IONBF, 0);
    return true;
}

// Reads the pipe to its end (when every writing end is closed).
void Lit(Tuyau& tuyau) {
    char bloc[4096];
    DWORD n = 0;
    while (ReadFile(tuyau.lecture, bloc, sizeof bloc, &n, nullptr) && n > 0) {
        std::lock_guard<std::mutex> garde(tuyau.verrou);
        tuyau.texte.append(bloc, n);
    }
    std::lock_guard<std::mutex> garde(tuyau.verrou);
    tuyau.fini = true;
}

// The first line written to the pipe, waited for; empty when the pipe ended
// without one.
std::string PremiereLigne(Tuyau& tuyau) {
    for (;;) {
        {
            std::lock_guard<std::mutex> garde(tuyau.verrou);
            const std::size_t fin = tuyau.texte.find('\n');
            if (fin != std::string::npos) {
                std::string ligne = tuyau.texte.substr(0, fin);
                if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
                return ligne;
            }
            if (tuyau.fini) return {};
        }
        Sleep(20);
    }
}

void Message(const std::wstring& texte, UINT icone) {
    MessageBoxW(nullptr, texte.c_str(), L"Atelier Pivolette", MB_OK | icone | MB_SETFOREGROUND);
}

// The workshop's words: the launcher's own arguments (a folder dropped on
// it), else its own folder when that holds InfosQuizz; the browser is the
// launcher's to open.
std::vector<std::string> Mots() {
    std::vector<std::string> mots;
    int n = 0;
    LPWSTR* larges = CommandLineToArgvW(GetCommandLineW(), &n);
    for (int k = 1; larges != nullptr && k < n; ++k) mots.push_back(Utf8DeChemin(std::filesystem::path(larges[k])));
    if (larges != nullptr) LocalFree(larges);
    if (mots.empty()) {
        std::wstring exe(MAX_PATH, L'\0');
        DWORD longueur = 0;
        while ((longueur = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()))) == exe.size())
            exe.resize(exe.size() * 2);
        exe.resize(longueur);
        const std::filesystem::path dossier = std::filesystem::path(exe).parent_path();
        std::error_code erreur;
        if (longueur > 0 && std::filesystem::is_directory(dossier / L"InfosQuizz", erreur))
            mots.push_back(Utf8DeChemin(dossier));
    }
    mots.push_back("--no-browser");
    return mots;
}

// Opens the address in the default browser, or shows it.
void Ouvre(const std::string& adresse) {
    if (OuvreNavigateur(adresse)) return;
    Message(L"Le navigateur ne s'est pas ouvert. Ouvrez-le et tapez cette adresse "
            L"dans sa barre d'adresse :\n\n" + CheminLarge(adresse) +
            L"\n\n(Ctrl+C copie ce message.) L'atelier reste ouvert tant que sa page l'est.",
            MB_ICONINFORMATION);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Tuyau sortie, erreurs;
    if (!Redirige(stdout, STD_OUTPUT_HANDLE, sortie) || !Redirige(stderr, STD_ERROR_HANDLE, erreurs)) {
        Message(L"L'atelier n'a pas pu démarrer : Windows a refusé de lui ouvrir un canal de sortie.",
                MB_ICONERROR);
        return 2;
    }
    std::thread lecteur_sortie(Lit, std::ref(sortie));
    std::thread lecteur_erreurs(Lit, std::ref(erreurs));

    std::vector<std::string> mots = Mots();
    int code = 2;
    std::thread atelier([&] {
        std::vector<char*> argv;
        for (std::string& m : mots) argv.push_back(m.data());
        argv.push_back(nullptr);
        code = CommandeAtelier(static_cast<int>(mots.size()), argv.data());
        // Closes every writing end, so that the readers see their pipes end.
        std::fclose(stdout);
        std::fclose(stderr);
        _close(sortie.descripteur);
        _close(erreurs.descripteur);
    });

    const std::string adresse = PremiereLigne(sortie);
    if (adresse.rfind("http://", 0) == 0) Ouvre(adresse);
    atelier.join();
    lecteur_sortie.join();
    lecteur_erreurs.join();
    if (code != 0) {
        std::wstring texte = CheminLarge(erreurs.texte);
        if (texte.empty()) texte = L"(aucun message)";
        Message(L"L'atelier s'est arrêté sur une erreur :\n\n" + texte, MB_ICONERROR);
    }
    return code;
}

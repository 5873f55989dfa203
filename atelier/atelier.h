// The teacher's workshop: `pivolette atelier [FOLDER] [--port N]
// [--no-browser]`, a web server on 127.0.0.1 that serves the pages of
// atelier/pages/ and the resources of API.md, over the operations of the
// teacher's tool (teacher/operations.h) and the readers and writers of core/.
//
// Its state is one record, `Atelier`, passed to whatever uses it. The
// server's own thread answers the requests one at a time; the program's
// thread sleeps until the workshop is closed (« Fermer l'atelier ») or left
// without a request for ATTENTE_MAX.
#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>

// Started from the command line (teacher/main.cpp) or from Atelier.exe on
// Windows: the words after "atelier". Returns the exit code.
int CommandeAtelier(int argc, char** argv);

// No request for this long: the pages are closed, the workshop stops.
inline constexpr std::chrono::seconds ATTENTE_MAX{180};

// A page, a style sheet, a script… of the pages' archive.
struct Page {
    std::string type;   // its MIME type
    std::string octets;
    std::string etag;   // "\"hash\""
};

// When the workshop stops. Shared by the server's thread and the program's.
struct Vie {
    std::mutex verrou;
    std::condition_variable reveil;
    bool arret = false;
    std::chrono::steady_clock::time_point derniere = std::chrono::steady_clock::now();
};

struct Atelier {
    std::string dossier;   // the game folder (holding InfosQuizz), UTF-8; empty until chosen
    std::string donnees;   // its data folder, "…/InfosQuizz"
    std::string jeton;     // the address's one-time token (32 hex digits)
    bool jeton_utilise = false;
    std::string session;   // the cookie's value, once the token is exchanged
    std::string csrf;      // what every write sends back in X-Atelier-CSRF
    int port = 0;
    std::map<std::string, Page> pages;  // by path, "/index.html"
    Vie vie;
};

// Chooses `dossier` as the workshop's game folder (it, or its InfosQuizz).
// False when it holds no InfosQuizz.
bool ChoisitDossier(Atelier& atelier, const std::string& dossier);

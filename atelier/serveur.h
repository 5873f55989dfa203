// The HTTP server: libmicrohttpd on 127.0.0.1 only, one internal thread that
// answers the requests one at a time through the guard and the routes.
#pragma once

#include <string>

#include "atelier.h"

struct MHD_Daemon;

class Serveur {
public:
    Serveur() = default;
    Serveur(const Serveur&) = delete;
    Serveur& operator=(const Serveur&) = delete;
    ~Serveur();

    // Listens on 127.0.0.1:`port` (0: a free port the system picks) and sets
    // atelier.port to the real one. False with `erreur` (UTF-8) when it cannot.
    bool Demarre(Atelier& atelier, int port, std::string& erreur);
    // Stops listening, after the answers in progress.
    void Arrete();

private:
    MHD_Daemon* daemon_ = nullptr;
};

// Records that a request came in, and wakes the program's thread when the
// workshop is asked to stop.
void NoteActivite(Vie& vie);
void DemandeArret(Vie& vie);

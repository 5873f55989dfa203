// One computer of a room choosing a pupil: the game's own steps from the
// pupil's name to his results file (refused when he has played, else created
// exclusively), at a moment given to the millisecond, so that two computers
// sharing one data folder can choose the same pupil at the same instant.
//
//   course_eleve DATA_FOLDER CLASS SURNAME FIRST_NAME [START_MS]
//
// START_MS: the moment, in milliseconds since 1970, to act at (slept until).
// Prints "joue", "refuse" or "erreur: <message>"; exit code 0, 1 or 2.
// tools/windows/partage.sh runs it on two Wine prefixes, and over Samba.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "etat.h"

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: course_eleve DATA_FOLDER CLASS SURNAME FIRST_NAME [START_MS]\n");
        return 2;
    }
    Reglages classe;
    FicheJoueur joueur{};
    std::snprintf(classe.CheminDonnees, sizeof classe.CheminDonnees, "%s/InfosQuizz/", argv[1]);
    std::snprintf(joueur.Classe, sizeof joueur.Classe, "%s", argv[2]);
    std::snprintf(joueur.Nom, sizeof joueur.Nom, "%s", argv[3]);
    std::snprintf(joueur.Prenom, sizeof joueur.Prenom, "%s", argv[4]);
    if (argc > 5) {
        const std::chrono::system_clock::time_point depart{std::chrono::milliseconds(std::atoll(argv[5]))};
        std::this_thread::sleep_until(depart);
    }
    // As the game: a pupil whose file exists is refused at once, else his
    // file is published only if no other computer published it meanwhile.
    if (JoueurDejaJoue(classe.CheminDonnees, joueur)) return std::puts("refuse"), 1;
    switch (CreeFichierJoueur(classe.CheminDonnees, joueur)) {
    case RESULTATS_CREE:
        return std::puts("joue"), 0;
    case RESULTATS_EXISTE:
        return std::puts("refuse"), 1;
    default:
        std::printf("erreur: %s\n", MessageErreur);
        return 2;
    }
}

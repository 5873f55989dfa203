// Grelinor's state: one record of each kind, as a fresh record has it.
#include "etat.h"

Reglages Classe;
Eleve Pupille;
Partie Jeu;
Ecran Vue;
FILE* Fichier = nullptr;
char MessageErreur[512];

void FClose(FILE* stream) {
    if (stream != nullptr) std::fclose(stream);
}

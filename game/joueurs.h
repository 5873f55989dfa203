// The pupil list: the class in two columns, one name to pick and confirm.
#pragma once

#include <vector>

#include "etat.h"

// One pupil of the list.
struct FicheEleve {
    char Nom[30];     // surname, in capitals
    char Prenom[30];  // first name, capital initial
    char Classe[50];  // class as written in the list
};

// The whole pupil-list screen for the pupils of `liste` (the list
// VerifieListeJoueurs accepted); returns true with the pupil's record and
// its display copies set, false for an empty list.
bool ChoixJoueur(const std::vector<FicheListe>& liste, const Ecran& vue, Eleve& eleve);

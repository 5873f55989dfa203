// The pupil list: the class in two columns, one name to pick and confirm.
#pragma once

// One pupil of the list.
struct FicheEleve {
    char Nom[30];     // surname, in capitals
    char Prenom[30];  // first name, capital initial
    char Classe[50];  // class as written in the list
};

extern FicheEleve Joueurs[60];
extern signed char NombreJoueurs;
extern int NumeroDuJoueur;  // mouse area of the selected pupil (index + 1); -1 none

// The number of pupils of the checked list (VerifieListeJoueurs).
int GetNbJoueurs();
// The whole pupil-list screen; returns true with Joueur and its copies set.
// The list is the one VerifieListeJoueurs accepted, checked now when it was
// not; false, with MessageErreur set, when it cannot be read.
bool ChoixJoueur();

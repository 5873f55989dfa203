// Grelinor's entry: one run of the quiz game, from the class-level screen to
// the end. Returns the process's exit code.
#pragma once

#include <vector>

#include "etat.h"
#include "reponses_joueur.h"

// One run's records: what the run reads and writes, passed by reference to
// each screen and data function.
struct Course {
    Reglages Classe;
    Eleve Pupille;
    Partie Jeu;
    Ecran Vue;
    std::vector<FicheListe> Liste;  // the pupil list as checked, in list mode
    CarnetReponses Carnet;          // the pupil's answers file
};

// One run on fresh records.
int GrelinorMain();
// One run on `course`, which should be fresh; it is left as the run ended
// (its screen pieces released).
int GrelinorMain(Course& course);

// The pupil's answers file as the game drives it (core/reponses.h): begun
// once the quiz is loaded, rewritten whole after every question, beside the
// results file. The results file stays the authority: a failure here is said
// on standard error and the pupil plays on, his results file untouched.
#pragma once

#include <string>

#include "etat.h"
#include "reponses.h"

// The run's answers file: where it goes and what it holds so far. Inactive
// when it could not be begun: the run then keeps no answers.
struct CarnetReponses {
    bool actif = false;
    std::string chemin;  // UTF-8
    FicheReponses fiche;
};

// Begins the answers file of the pupil: the quiz's title, the start time, no
// question yet. Creates the folder "reponses" of the class folder when
// missing; refuses a folder that is a link (it could lead out of the class
// folder).
void DebutReponses(CarnetReponses& carnet, const Reglages& reglages, const Eleve& eleve);

// The question on screen (jeu.Question[jeu.NumQuestion]) has just finished: `choix`
// is the answer chosen, 1 to 4, or 0 when the time ran out, and `secondes`
// the seconds it took. Adds its line and rewrites the file.
void NoteReponse(CarnetReponses& carnet, const Partie& jeu, int choix, int secondes);

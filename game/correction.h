// The correction review that follows the "FIN DU QUIZZ !" notice.
#pragma once

#include "couleurs.h"
#include "etat.h"

// Five seconds on the end-of-quiz notice, then every question again in the
// order the pupil met them: the expected answer in green, the pupil's wrong
// answer in red. A key or a mouse button goes on to the next question;
// Escape stops the review at once. True when every question was reviewed
// (the final score comes next), false on Escape (the run ends). The number
// of questions is the class's NbQuestionsM0, the pictures come from its data
// folder; jeu.NumQuestion walks the questions.
bool CorrectionQuizz(const Reglages& classe, Partie& jeu, const Ecran& vue);

// The colour of answer k (1 .. 4) of jeu.Question[numero] on its review
// screen: green when it is the expected answer, red when the pupil chose it
// and it was wrong, the boxes' black otherwise (couleurs.h).
Couleur CouleurCorrection(const Partie& jeu, int numero, int k);

// The last screens of a run: the final score, then the credits.
#pragma once

#include "etat.h"

// The pupil's score "n/N" (n read back from the pupil's Bonnes text, N the
// number of questions) with the farewell texts, until a key. Mouse clicks
// are ignored.
void FinJeu(const Ecran& vue, const FicheJoueur& joueur, int nombreQuestions);

// The right answers as the results file holds them (the pupil's Bonnes
// text, two digits and a line feed), as a number.
int BonnesLues(const FicheJoueur& joueur);

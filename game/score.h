// The last screens of a run: the final score, then the credits.
#pragma once

// The pupil's score "n/N" (n read back from Joueur's Bonnes text, N the
// number of questions) with the farewell texts, until a key. Mouse clicks
// are ignored.
void FinJeu();

// The right answers as the results file holds them (Joueur's Bonnes text,
// two digits and a line feed), as a number.
int BonnesLues();

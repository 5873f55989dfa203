// The answer countdown: a dial of d seconds drawn on the question screen, its
// band filled clockwise from the top, one sector per second, green to red.
#pragma once
#include <ctime>

#include "etat.h"

// Draws and advances the dial centred at (x, y), outer radius r, for d
// seconds. Starts a new count when jeu.PremiereCompteur is non-zero, and
// keeps jeu.TempsSecondes. Returns the whole seconds elapsed (0 .. d - 1),
// or -1 once the d seconds are used up.
int DeCompteur(Partie& jeu, int x, int y, int r, int d);

// Puts back the time an extract was shown: the count of `jeu` stands still
// from its latest reading to now.
void DecaleCompteur(Partie& jeu);

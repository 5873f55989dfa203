// The answer countdown: a dial of d seconds drawn on the question screen, its
// band filled clockwise from the top, one sector per second, green to red.
#pragma once
#include <ctime>

// Calendar times in whole seconds (ClockSeconds): the start of the current
// count (moved forward by the pauses of the media extracts), the latest
// reading, and the moment the count was stopped for an extract.
extern std::time_t TempsDebut;
extern std::time_t TempsActuel;
extern std::time_t TempsArret;
// TempsSecondes at the latest redraw of the dial; -1 after the set-up.
extern int OldTime;
// Red level and angle (degrees, -90 at the top) of the next sector: scratch
// counters of the whole program, used by the countdown alone during play.
extern int j;
extern int k;

// Draws and advances the dial centred at (x, y), outer radius r, for d
// seconds. Starts a new count when PremiereCompteur is non-zero. Returns the
// whole seconds elapsed (0 .. d - 1), or -1 once the d seconds are used up.
int DeCompteur(int x, int y, int r, int d);

// Puts back the time an extract was shown: the count stands still from its
// latest reading to now.
void DecaleCompteur();

// The credits screen shown after the final score.
#pragma once

#include "etat.h"

// Draws the credits screen and returns at once; reads no input and leaves
// the pointer hidden.
void APropos(const Ecran& vue);

// The credits screen at the end of a run, until a key; the keys typed
// meanwhile are then forgotten.
void AProposFinal(const Ecran& vue);

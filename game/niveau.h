// The class-level screen, the first screen of every run.
#pragma once

#include "etat.h"

// Draws the six class levels and the confirm button, and returns once a
// level is chosen and confirmed. `niveau` (QuelNiveau) follows the clicks:
// the code (3 .. 8) of the level chosen, -1 when none is; on return, the
// level confirmed.
void ChoixNiveau(const Ecran& vue, signed char& niveau);

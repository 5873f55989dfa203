// Answer selection on the question screen.
#pragma once

#include "etat.h"

// Called after a click: 0 .. 3 when answer 1 .. 4 was clicked (it is shown
// highlighted for one second), 4 for the corner mark, 5 for the media
// thumbnail, -1 outside every area.
int SelectionReponse(const char* donnees, Partie& jeu, const Eleve& eleve, const Ecran& vue);


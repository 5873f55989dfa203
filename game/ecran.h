// The screen's shared pieces: the archive fused to the program, the nine
// pieces of the question screen cut from its background, its mouse areas,
// and the end of the media library. Every screen draws with these; none
// needs the game driver.
#pragma once

#include "etat.h"

// Stops the media library: sound, mouse, font, graphics, in this order.
// Called before every end of the program.
void Close();

// Opens the archive fused to the program into `vue` (no archive: none).
void OuvreArchive(Ecran& vue);

// Builds the nine screen pieces of the question screen (Quizz, Gagnant,
// Choix1 ... Choix7) from the archive's background and end-of-quiz panel.
void CreeMorceaux(Ecran& vue);

// Forgets every mouse area and defines the six of the question screen:
// answers 1 to 4 (areas 0 to 3), the corner mark (4), the thumbnail (5).
void DefinitZonesQuestion();

// Releases the archive and the nine screen pieces of the question screen.
void LibereRessources(Ecran& vue);

// Draws archive object `index` scaled into (x, y, w, h), in pixels; an
// object the archive lacks draws nothing.
void DessineObjet(const Ecran& vue, int index, int x, int y, int w, int h);

// The game's screen without a window: the media layer opened as the game
// opens it, with the fonts of the game's archive that this program carries,
// so that the tool draws the game's screens exactly as the pupil sees them.
#pragma once

#include <functional>
#include <string>

#include "etat.h"

// Runs `dessin` on a headless game screen of `largeur` x `hauteur` pixels,
// with a screen record whose archive `Donnees` is opened as the game opens
// it. The working folder is a temporary one meanwhile (holding only the
// display settings): `dessin` must use absolute paths. False, with `erreur`
// (UTF-8), when the screen or the fonts cannot be had.
bool SurEcranDuJeu(int largeur, int hauteur, const std::function<void(Ecran&)>& dessin, std::string& erreur);

// The same screen kept open between calls, for the workshop's previews: it is
// opened at the first call (or again when the size changes; `largeur` 0 takes
// the open one, whatever its size), its fonts and archive loaded once, and
// each call only draws. Callers on several threads take turns.
bool SurEcranOuvert(int largeur, int hauteur, const std::function<void(Ecran&)>& dessin, std::string& erreur);
// Closes that screen (SurEcranDuJeu closes it too, before its own).
void FermeEcranOuvert();

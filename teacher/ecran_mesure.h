// The game's screen without a window: the media layer opened as the game
// opens it, with the fonts of the game's archive that this program carries,
// so that the tool measures and draws texts exactly as the pupil sees them.
#pragma once

#include <functional>
#include <string>

// Runs `dessin` on a headless game screen of `largeur` x `hauteur` pixels
// (CorrectionX, CorrectionY and the archive `Donnees` set as the game sets
// them). The working folder is a temporary one meanwhile (holding only the
// display settings): `dessin` must use absolute paths. False, with `erreur`
// (UTF-8), when the screen or the fonts cannot be had.
bool SurEcranDuJeu(int largeur, int hauteur, const std::function<void()>& dessin, std::string& erreur);

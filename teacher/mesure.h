// The quiz's texts measured with the game's own fonts, sizes and boxes: which
// will be drawn smaller than the layout says, which will not fit at all.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "outils.h"

// Runs `mesure` with the game's fonts, opened as the game opens them from the
// archive this program carries, and no window: the game's boxes and text
// sizes are then those of its 1024 x 768 reference screen, the size the
// tool measures at. False, with `erreur` (UTF-8), when the fonts cannot be
// had; `mesure` then does not run.
bool AvecPolicesDuJeu(const std::function<void()>& mesure, std::string& erreur);

// Measures every question line and answer line of a quiz's plain text
// (Windows-1252) on the game's 1024 x 768 screen. A text the game will
// shrink, or wrap, or that will run out of its box even at the smallest
// size, gives a warning with its line, the column of its widest part, and
// by how many pixels. When the game's fonts cannot be had, one warning says
// so and nothing is measured.
void MesureQuizz(const std::string& texte, const std::string& fichier, std::vector<Diagnostic>& diagnostics);

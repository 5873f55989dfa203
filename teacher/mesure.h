// The quiz's texts measured with the game's own fonts, sizes and boxes: which
// will be drawn smaller than the layout says, which will not fit at all.
#pragma once

#include <string>
#include <vector>

#include "outils.h"

// Measures every question line and answer line of a quiz's plain text
// (Windows-1252) on the game's 1024 x 768 screen. A text the game will
// shrink, or wrap, or that will run out of its box even at the smallest
// size, gives a warning with its line, the column of its widest part, and
// by how many pixels. When the game's screen cannot be had, one warning says
// so and nothing is measured.
void MesureQuizz(const std::string& texte, const std::string& fichier, std::vector<Diagnostic>& diagnostics);

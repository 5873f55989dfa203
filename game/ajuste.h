// Text that fits its box: the size the layout gives is the first choice;
// a text too wide or too tall for its box at that size is drawn smaller,
// one pixel at a time, until it fits, and when even a small size is too
// wide its lines are wrapped at the spaces. Ordinary texts are drawn
// exactly as the layout says.
#pragma once

#include <string>
#include <vector>

// The lines of a text as they will be drawn, and their height in pixels.
struct BlocTexte {
    int taille = 0;
    std::vector<std::string> lignes;
    bool coupe = false;  // the lines were wrapped: they stand a whole line height apart
};

// Fits `lignes` (drawn one under the other, `pas` line heights apart, each
// centred; wrapped lines a whole line height apart, so that more lines than
// the layout planned never overlap) in a box `largeur` x `hauteur` pixels,
// from size `taille` down.
// Empty lines are kept (the caller decides which lines to pass). Sets the
// text size it returns. Inline style marks ("#i...#") are kept across a
// wrap. A text that does not fit even at the smallest size is drawn at that
// size.
BlocTexte AjusteBloc(const std::vector<std::string>& lignes, int taille, int largeur, int hauteur,
                     double pas = 1.0);

// Sets the text size to `taille`, or smaller until `texte` is no wider
// than `largeur` and no taller than `hauteur`; returns the size set.
int AjusteLigne(const char* texte, int taille, int largeur, int hauteur);

// One line centred on (x, y), its size stepped down from `taille` until it
// is no wider than `largeur` and no taller than `hauteur` (no wrapping).
// Plain text (CenterTextXY), no style marks.
void CentreAjuste(int x, int y, const char* texte, int taille, int largeur, int hauteur);

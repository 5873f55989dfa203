// Where the question screen draws the lines of the question and of each
// answer: the box they must fit and the size they start at. Drawing and the
// teacher's tool's measuring read the same boxes; nothing here draws.
#pragma once
#include <string>
#include <vector>

#include "etat.h"

// The lines of the question, or of answer n (1 .. 4), in the box they must
// fit (AjusteBloc, ajuste.h) and at the size they start at.
struct BoiteLignes {
    int x = 0;          // the lines' centre, pixels
    int y = 0;          // its reference row (1024 x 768 screen)
    int largeur = 0;    // the box, pixels
    int hauteur = 0;
    int taille = 0;     // the layout's text size, pixels
    double pas = 1.0;   // line heights between two lines
    std::vector<std::string> lignes;
};
BoiteLignes BoiteEnonce(const FicheQuestion& q);
BoiteLignes BoiteReponse(const FicheQuestion& q, int n);

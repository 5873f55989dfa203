// The question screen: the pupil's header, the counters, the question band
// with the media thumbnail, and the four answer boxes.
#pragma once
#include <string>
#include <vector>

#include "boites.h"
#include "couleurs.h"
#include "etat.h"

// The pictures of the questions and answers are read from the data folder
// `donnees` (its questions//images//).

// Mode 0: the whole screen for jeu.Question[jeu.NumQuestion], the frame
// presented first. Modes 1 .. 4: that answer alone, in the highlight colour
// (couleurs.h), over what is on screen. Any other mode only presents the
// screen. Mode 0 re-arms the question's once-only media flags.
void AfficheQuestionReponses(const char* donnees, Partie& jeu, const Eleve& eleve, const Ecran& vue, char mode);

// The whole question screen of jeu.Question[jeu.NumQuestion] as mode 0 draws
// it, into the back buffer without presenting it: for a screen drawn once
// (a preview of the quiz). Re-arms the question's once-only media flags.
void DessineEcranQuestion(const char* donnees, Partie& jeu, const Eleve& eleve, const Ecran& vue);

// The frame every question shares: background, pupil's name, school line
// and the corner mark. Draws into the back buffer without presenting it.
void DessineCadreQuestion(const Eleve& eleve, const Ecran& vue);

// Pieces shared with the correction review.
// The thumbnail of the question's picture, sound or video extract. With a
// run (the question screen, not the review) the once-only flags of the
// media present are re-armed in it and the line inviting a click is drawn.
void DessineVignette(const char* donnees, const Ecran& vue, FicheQuestion& q, Partie* jeu);
// Answer n (1 .. 4): its picture square, then its lines in `couleur`, at
// the layout's size or smaller when they would not fit the box.
void DessineReponse(const char* donnees, const FicheQuestion& q, int n, Couleur couleur);

// The question's lines in the current colour, centred in the band between
// the dial and the thumbnail, smaller when they would not fit.
void DessineEnonce(const FicheQuestion& q);

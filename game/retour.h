// Right/wrong feedback and the erasing of the question screen.
#pragma once

#include "etat.h"

// The right-answer counter redrawn with `bonnes`, then "correct.mp3".
void AfficheBonneReponse(const Ecran& vue, int bonnes);
// The wrong-answer counter redrawn with `mauvaises`, then "incorrect.mp3".
void AfficheMauvaiseReponse(const Ecran& vue, int mauvaises);
// The question band (text, thumbnail, invitation) back to its background.
void EffaceQuestion(const Ecran& vue);
// Answer box n (1 .. 4) back to its background; other n only present.
void EffaceReponse(const Ecran& vue, int n);
// Plays a sound file to its end; the left button or a key cuts it short.
void PlayMusic(const char* file);

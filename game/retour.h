// Right/wrong feedback and the erasing of the question screen.
#pragma once

// The right-answer counter redrawn with BonnesReponses, then "correct.mp3".
void AfficheBonneReponse();
// The wrong-answer counter redrawn with MauvaisesReponses, then "incorrect.mp3".
void AfficheMauvaiseReponse();
// The question band (text, thumbnail, invitation) back to its background.
void EffaceQuestion();
// Answer box n (1 .. 4) back to its background; other n only present.
void EffaceReponse(int n);
// Plays a sound file to its end; the left button or a key cuts it short.
void PlayMusic(const char* file);

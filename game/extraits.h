// The question's medium, opened from its thumbnail: the picture full screen
// (animated when it is a GIF), the sound extract in a panel, the video
// extract on a screen of its own. Each opens once per question and the
// countdown stands still while it is open.
#pragma once

#include "etat.h"

// A rectangle on the screen, in pixels.
struct Cadrage {
    int x, y, w, h;
};

// Where a still picture of w x h pixels is shown: the whole width of the
// screen when it is wider than high, else the whole height, centred.
// A picture of no size (unreadable) gives an empty rectangle.
Cadrage CadrageImage(int w, int h);
// Where an animated GIF of w x h pixels is shown: 400 reference units wide
// when it is wider than high, else 300 high, centred.
Cadrage CadrageGIF(int w, int h);

// A click on the thumbnail (mouse area 5): opens the picture, sound extract
// or video extract of jeu.Question[jeu.NumQuestion], read from the data
// folder `donnees`, when it exists and was not opened yet, and
// gives back the time it stayed open to the countdown. Clicks made to close
// the medium are taken up, so they never answer the question.
void ExtraitsMedia(const char* donnees, const Ecran& vue, Partie& jeu);

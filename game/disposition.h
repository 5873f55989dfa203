// The question screen's layout on the 1024 × 768 reference screen, in one
// table that the drawing, the mouse areas and the tests read by name. Every
// figure is in reference units, scaled to the screen with RX and RY.
#pragma once

// A box: its top-left corner and its size.
struct Boite {
    int x, y, w, h;
    constexpr int x2() const { return x + w; }  // right edge
    constexpr int y2() const { return y + h; }  // bottom edge
};

// Where an answer's picture and text go inside its box.
struct PlaceReponse {
    Boite image;         // the picture's square beside the text
    int texteAvecImage;  // the text's centre x beside a picture
    int texteSansImage;  // the text's centre x without one
    int texteY;          // the text's centre y
};

struct DispositionQuestion {
    Boite bonnes;       // the right-answer counter
    Boite mauvaises;    // the wrong-answer counter
    Boite enonce;       // the question's area
    Boite reponses[4];  // answers 1 .. 4, mouse areas 0 .. 3
    PlaceReponse places[4];
    Boite vignette;     // the thumbnail's square
    Boite zoneVignette; // its mouse area (area 5), a little wider
};

inline constexpr DispositionQuestion kQuestion = {
    {125, 100, 90, 75},
    {810, 100, 90, 75},
    {90, 225, 844, 143},
    {{84, 425, 340, 95}, {595, 425, 340, 95}, {84, 575, 340, 95}, {595, 575, 340, 95}},
    {{{350, 445, 60, 60}, 224, 254, 472},
     {{615, 445, 60, 60}, 795, 765, 472},
     {{350, 585, 60, 60}, 224, 254, 612},
     {{615, 585, 60, 60}, 795, 765, 612}},
    {800, 235, 120, 120},
    {798, 233, 124, 124},
};

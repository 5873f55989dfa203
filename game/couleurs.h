// The game's colours in one place: the palette colours it names, and the
// role each colour plays on screen. Every role is chosen for the pixels it
// is drawn on (the artwork of the archive: pastel answer boxes, the cream
// question band, the dark-blue header band and backgrounds), so that a
// pupil reads it at a contrast of at least 4.5 : 1 (3 : 1 for big text),
// while keeping the meaning he learns: green is the expected answer, red
// his wrong answer, blue the answer he has just chosen.
#pragma once

#include "lumicanvas.h"

struct Couleur {
    int r, g, b;
};

// Makes `c` the current drawing colour.
inline void PrendCouleur(Couleur c) { SetColorRGB(c.r, c.g, c.b); }
inline uint32_t RGBDe(Couleur c) {
    return static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(c.g) << 8 | static_cast<uint32_t>(c.b);
}

// --- Palette colours, by name -------------------------------------------------
constexpr Couleur kNoir{0, 0, 0};             // palette 0
constexpr Couleur kBleu{0, 0, 170};           // palette 1
constexpr Couleur kBleuClair{85, 85, 255};    // palette 9
constexpr Couleur kVertClair{85, 255, 85};    // palette 10
constexpr Couleur kJaune{255, 255, 85};       // palette 14
constexpr Couleur kBlanc{255, 255, 255};      // palette 15

// --- Roles on the light boxes (answer boxes, question band, counters) --------
// Ordinary text of questions and answers, and the counters' numbers.
constexpr Couleur kTexteBoite = kNoir;
// The answer the pupil has just clicked: the light blue of the palette
// made a little deeper, 4.5 : 1 or more on every box even when a long
// answer is drawn small.
constexpr Couleur kSurlignage{60, 60, 240};
// Review: the expected answer, a dark green (5.3 : 1 or more on every box).
constexpr Couleur kReponseAttendue{0, 110, 30};
// Review: the pupil's wrong answer, a dark red (5.4 : 1 or more).
constexpr Couleur kReponseFausse{190, 0, 0};
// Review: the first footer line, a deep blue on the grass of the artwork.
constexpr Couleur kPiedCorrection{40, 40, 210};

// The chosen class level's label, on its white plate.
constexpr Couleur kNiveauChoisi = kReponseFausse;

// --- Roles on the dark-blue band and backgrounds ------------------------------
// Titles and the pupil's name.
constexpr Couleur kTitre = kJaune;
// The review's header "Correction de la question n", on the header band.
constexpr Couleur kEnteteCorrection = kJaune;
// A name of the pupil list, and the selected one (a light red that stays
// readable on the whole background, its lighter ribbon included).
// Each name lies on a dark band inside its frame, which keeps it readable
// where the list runs over the lighter ribbon of the background.
constexpr Couleur kNomListe = kBlanc;
constexpr Couleur kNomChoisi{255, 150, 150};
constexpr Couleur kFondNom{27, 37, 89};
// The corner mark "@" of the list, light red.
constexpr Couleur kMarqueListe = kNomChoisi;
// The "VALIDER !" button: white on its light-blue fill.
constexpr Couleur kFondBouton = kBleuClair;
constexpr Couleur kTexteBouton = kBlanc;
// The credits' frames: a light sky blue that stands out from the night blue.
constexpr Couleur kCadreApropos{150, 200, 255};
// The credits' red title and the magenta line, lightened for the dark blue.
constexpr Couleur kTitreApropos{255, 150, 150};
constexpr Couleur kLigneApropos{255, 150, 255};

// Name entry: the typed name and its underline, a light sky blue; the
// instructions in light grey; the rules in light magenta.
constexpr Couleur kSaisie = kCadreApropos;
constexpr Couleur kConsigne{210, 210, 210};
constexpr Couleur kRegle = kLigneApropos;
// The sound extract's panel (black): its remarks in a light blue.
constexpr Couleur kRemarqueSon{120, 120, 255};

// --- The dial (black inside, grey ring) ----------------------------------------
constexpr Couleur kCadranFond = kNoir;
constexpr Couleur kCadranTrait = kBlanc;
constexpr Couleur kCadranAnneau{150, 150, 150};
// Sector t of d: from green (t = 0) to red (t = d), red level `rouge`.
inline Couleur CouleurSecteur(int rouge) { return {rouge, 255 - rouge, 0}; }

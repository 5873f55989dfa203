// The parts of `pivolette` that measure and draw texts on the game's screen.
// On Linux they are two plug-ins, loaded only by the commands that need
// them, so that the file commands start without mapping SDL:
// - libpivolette_mesure.so measures texts with the game's fonts (SDL_ttf
//   and the archive reader alone: check, encode and import load it);
// - libpivolette_ecran.so draws the game's screens (the whole media layer:
//   preview loads it).
// Elsewhere both are linked in.
#pragma once

#include <string>
#include <vector>

#include "importe.h"
#include "operations.h"
#include "outils.h"

// The text measure, as its plug-in gives it.
struct TableMesure {
    int version;  // VERSION_ECRAN
    void (*mesure_quizz)(const std::string& texte, const std::string& fichier, std::vector<Diagnostic>& d);
    bool (*sur_ecran_mesure)(const std::function<void(const TientDansCase&)>& travail, std::string& erreur);
};

// The screen's drawing, as its plug-in gives it.
struct TableEcran {
    int version;  // VERSION_ECRAN
    int (*commande_preview)(int argc, char** argv);
    bool (*apercu_question)(const DemandeApercu& demande, std::string& png, std::string& erreur);
    bool (*image_du_jeu)(const std::string& octets, const std::string& nom, std::string& raison);
    void (*ferme_ecran)();
};

// Changes whenever a table or what its functions take changes: a plug-in of
// another build is refused rather than called.
inline constexpr int VERSION_ECRAN = 4;
inline constexpr const char* MODULE_MESURE = "libpivolette_mesure.so";
inline constexpr const char* ENTREE_MESURE = "pivolette_mesure_table";
inline constexpr const char* MODULE_ECRAN = "libpivolette_ecran.so";
inline constexpr const char* ENTREE_ECRAN = "pivolette_ecran_table";

// Runs `travail` with the test of whether a display line fits its box on the
// game's screen, measured with the game's fonts at the layout's size (a
// question's box or an answer's, two display lines). False, with `erreur`
// (UTF-8), when the fonts cannot be had; `travail` then does not run.
bool SurEcranMesure(const std::function<void(const TientDansCase&)>& travail, std::string& erreur);

// How many characters the test of SurEcranMesure has been given since the
// program started, in this program or plug-in: the work of cutting texts
// into lines, which grows as the texts do.
std::size_t CaracteresMesures();

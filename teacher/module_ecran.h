// The part of `pivolette` that measures and draws texts on the game's screen
// (the media layer, SDL and its libraries). On Linux it is a plug-in,
// libpivolette_ecran.so, loaded only by the commands that need it, so that
// the file commands start without mapping SDL; elsewhere it is linked in.
#pragma once

#include <string>
#include <vector>

#include "importe.h"
#include "outils.h"

// The screen's services, as the plug-in gives them.
struct TableEcran {
    int version;  // VERSION_ECRAN
    void (*mesure_quizz)(const std::string& texte, const std::string& fichier, std::vector<Diagnostic>& d);
    bool (*sur_ecran_mesure)(const std::function<void(const TientDansCase&)>& travail, std::string& erreur);
    int (*commande_preview)(int argc, char** argv);
};

// Changes whenever TableEcran or what its functions take changes: a
// plug-in of another build is refused rather than called.
inline constexpr int VERSION_ECRAN = 1;
inline constexpr const char* ENTREE_ECRAN = "pivolette_ecran_table";
inline constexpr const char* MODULE_ECRAN = "libpivolette_ecran.so";

// Runs `travail` with the test of whether a display line fits its box on the
// game's screen, measured with the game's fonts at the layout's size (a
// question's box or an answer's, two display lines). False, with `erreur`
// (UTF-8), when the screen cannot be had; `travail` then does not run.
bool SurEcranMesure(const std::function<void(const TientDansCase&)>& travail, std::string& erreur);

// "KEY=value" files, LCConfig.txt first: the display settings that the game,
// its media layer and Tamarel read with this one parser, so that a value
// means the same to all of them.
#pragma once

#include <string>

#include "lecture.h"

// The value of `cle` in the bytes of a "KEY=value" file: the first line
// whose text before its first "=" is the key (blanks, tabs and CR around
// key and value dropped; a UTF-8 mark at the start ignored). False when no
// line holds the key.
bool ValeurDeCle(const std::string& octets, const std::string& cle, std::string& valeur);

// The display settings of LCConfig.txt. Each value is read as a number at
// its start (blanks, a sign, digits up to the first other character); a
// value with no number, or one beyond an int, keeps the default and is
// reported in `problemes`; an absent key keeps the default.
struct ConfigAffichage {
    int largeur = 800;      // RESOLUTION_HORIZONTALE, used with code 9
    int hauteur = 600;      // RESOLUTION_VERTICALE, used with code 9
    int code = 9;           // RESOLUTION_PREDEFINIE, 0 … 9
    int plein_ecran = 0;    // PLEIN_ECRAN, 1 = full screen
    int messages = 0;       // MESSAGE_ERREUR, 1 = error boxes
    std::string problemes;  // UTF-8, for the teacher; empty when all went well
};

// Reads `cle` into `reglage` as above; true when the key held a usable number.
bool LitReglageConfig(const std::string& octets, const char* cle, int& reglage,
                      std::string& problemes);

ConfigAffichage AnalyseConfig(const std::string& octets);

// Reads the file (UTF-8 name) within LIMITE_CONFIG, waiting for a writer
// that holds it; a missing file gives the defaults, an unreadable one the
// defaults and the reason in `problemes`.
ConfigAffichage LitFichierConfig(const std::string& chemin);

// The bytes of a "KEY=value" file for ValeurDeCle, read within `limite`:
// false (and no bytes) when it is missing or cannot be read.
bool LitOctetsConfig(const std::string& chemin, std::string& octets,
                     std::size_t limite = LIMITE_CONFIG);

// Where this computer's LCConfig.txt is, for programs started in the data
// folder (their working directory): "LCConfig.txt" there, as always, when
// that folder is on this computer; this computer's own folder
// (DossierDeCetOrdinateur, made when missing) when the data folder is on the
// network, where the room's computers, whose screens differ, share it. The
// game, its media layer and Tamarel all take the file from here.
std::string CheminLCConfig();

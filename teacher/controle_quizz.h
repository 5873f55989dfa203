// The checks of a quiz's plain text, shared by `pivolette encode` (before it
// scrambles a text) and `pivolette check` (on the data tree's quiz file): what
// the game's loader would cut, ignore or misread.
#pragma once

#include <string>
#include <vector>

#include "outils.h"

// A medium file named by a quiz line.
struct MediaNomme {
    int ligne;             // line of the quiz, from 1
    std::string dossier;   // "images", "sons" or "videos"
    std::string nom;       // the name as the game opens it, Windows-1252
};

// Checks the plain Windows-1252 text of a quiz (LF line ends; a CR before an
// LF is reported once, as a warning). `questions` >= 0: the number of
// questions the class settings ask for, only the lines the game reads are
// checked and too few lines is an error; -1: the text must hold whole
// question blocks, at least one. `raison` says where `questions` comes from
// (for the message). Problems go to `diagnostics` under the name `fichier`;
// the media named by the lines read go to `medias` (may be nullptr).
void ControleTexteQuizz(const std::string& texte, const std::string& fichier, int questions,
                        const std::string& raison, std::vector<Diagnostic>& diagnostics,
                        std::vector<MediaNomme>* medias);

// A warning when a Windows-1252 line holds text that looks like UTF-8 read as
// Windows-1252 ("Ã©" for "é").
void ControleMojibake(const std::string& ligne, const std::string& fichier, int numero,
                      std::vector<Diagnostic>& diagnostics);

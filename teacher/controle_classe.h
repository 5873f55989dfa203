// Checks of the class files of the data tree (Windows-1252 bytes as stored).
#pragma once

#include <string>
#include <vector>

#include "outils.h"

// A class settings file: eight lines, three texts (48 characters kept), then
// numbers of 1 to 3 digits; 1 … 60 questions, 1 … 360 seconds per answer.
void ControleReglages(const std::string& octets, const std::string& fichier,
                      std::vector<Diagnostic>& diagnostics);

// The pupil list: the count on line 1 (1 … 60) matches the lines that follow,
// three per pupil of at most 28 characters; no two pupils share a results
// file; names that are no file names or look converted twice are reported.
void ControleListe(const std::string& octets, const std::string& fichier,
                   std::vector<Diagnostic>& diagnostics);

// The key under which the game files a listed pupil's results (Windows-1252
// names): surname in capitals, first name with a capital initial, both as
// file-name parts. Two pupils of one key would share one results file.
std::string CleEleve(const std::string& nom, const std::string& prenom);

// The subcommands of `pivolette`, the teacher's tool. Each takes the words
// after its own name and returns the exit code (outils.h).
#pragma once

#include <string>
#include <vector>

#include "outils.h"

int CommandeInit(int argc, char** argv);
int CommandeEncode(int argc, char** argv);
int CommandeDecode(int argc, char** argv);
int CommandeCheck(int argc, char** argv);
int CommandeShow(int argc, char** argv);
int CommandeImport(int argc, char** argv);
int CommandeResults(int argc, char** argv);
int CommandePreview(int argc, char** argv);

// How the plain text of a quiz is written.
enum class Codage { Auto, Utf8, Cp1252 };

// The plain text of a quiz as `encode` scrambles it: Windows-1252, LF line
// ends; false with the problems reported when a character cannot be
// converted or the encoding rule refuses the bytes.
bool TexteClairQuizz(const std::string& octets, const std::string& nom, Codage codage, std::string& texte,
                     std::vector<Diagnostic>& diagnostics);

// Scrambles the plain text `entree` into the quiz file `sortie` ("-":
// standard output). The text is converted from UTF-8 unless it is
// Windows-1252 (Auto: UTF-8 when the bytes are UTF-8), line ends become LF,
// and it is checked as the game will read it: a character Windows-1252
// cannot hold or a text the game would cut refuses it, with its line. An
// existing `sortie` that is not a scrambled quiz is replaced only by `force`.
int EncodeQuizz(const std::string& entree, const std::string& sortie, Codage codage, bool force);

// Unscrambles the quiz file `entree` into `sortie` ("-": standard output), in
// UTF-8 or, with Cp1252, the exact bytes of the plain text. An existing
// `sortie` is replaced only by `force`.
int DecodeQuizz(const std::string& entree, const std::string& sortie, Codage codage, bool force);

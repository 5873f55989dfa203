// Multiple-choice questions read from the export formats of other quiz
// systems (Aiken, GIFT), and their writing as the game's quiz text.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "outils.h"

// A question as read from an export, texts in UTF-8.
struct QuestionImportee {
    int ligne = 0;                      // where it starts in the export
    std::string texte;
    std::vector<std::string> reponses;  // 2 to 4
    int bonne = 0;                      // index of the right answer
    std::string image;                  // file names of the question's picture and
    std::string son;                    // sound, beside the export; empty: none
    std::vector<std::string> images;    // an answer's picture, by answer; may be empty
};

// Reads an Aiken export: question line, answers "A." or "A)", "ANSWER: X".
// Questions that cannot be carried give a warning in `diagnostics`.
std::vector<QuestionImportee> LitAiken(const std::string& texte, const std::string& fichier,
                                       std::vector<Diagnostic>& diagnostics);

// Reads the multiple-choice questions with one right answer and the
// true/false questions of a GIFT export; every other question gives a
// warning in `diagnostics`. Pictures and sounds its HTML names are looked
// for in the export's folder.
std::vector<QuestionImportee> LitGift(const std::string& texte, const std::string& fichier,
                                      std::vector<Diagnostic>& diagnostics);

// Puts the diagnostics in line order, each once (the importers and the
// writing of the quiz text add theirs apart).
void RangeDiagnostics(std::vector<Diagnostic>& diagnostics);

// Whether a display line (UTF-8) fits its box on the game's screen: a
// question's line (`question`) or an answer's.
using TientDansCase = std::function<bool(const std::string& ligne, bool question)>;

// Cuts a text into at most `lignes` display lines at word boundaries, each
// as long as `tient` lets it, or, without `tient`, of about `largeur`
// characters; what does not fit stays on the last line. A lone "?", "!",
// ":", ";" or "»" stays with the word before it, a "«" with the word after.
std::vector<std::string> CoupeEnLignes(const std::string& texte, std::size_t largeur,
                                       std::size_t lignes, const std::function<bool(const std::string&)>& tient = {});

// The plain quiz text (UTF-8, LF line ends) of the questions: title, theme,
// a free line, then seven lines per question. Texts cut to fit the game's
// fields give warnings. With `tient`, lines are cut where they fit the
// game's boxes as measured; without, by a count of characters.
std::string TexteQuizz(const std::vector<QuestionImportee>& questions, const std::string& titre,
                       const std::string& fichier, std::vector<Diagnostic>& diagnostics,
                       const TientDansCase& tient = {});

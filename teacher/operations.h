// The teacher's operations, each a function that returns a record: the
// command line's commands print them, the workshop (atelier/) sends them to
// its pages. None prints, none reads argv.
#pragma once

#include <string>
#include <vector>

#include "bilan_questions.h"
#include "commandes.h"
#include "diagnostic.h"

// What `check` finds in the data folder `donnees` (InfosQuizz), read as the
// game will read it: settings, pupil list, quiz, its media, its text beside
// the folder, the answer sounds.
std::vector<Diagnostic> VerifieDossier(const std::string& donnees);

// What `init` makes: a complete game folder `dossier` with the example class
// and quiz, and quiz.txt beside InfosQuizz. Nothing is made when one of its
// files exists already; false with `erreur` (UTF-8) then or on a failed write.
bool CreeDossierJeu(const std::string& dossier, std::string& erreur);

// The class's results as `results` gathers them.
struct BilanClasse {
    std::vector<Resultat> classe;        // sorted by surname, then first name
    QuizzVue quizz;
    int colonnes = 0;                    // question columns
    std::vector<StatQuestion> stats;     // the questions the class missed most first
    std::vector<Diagnostic> diagnostics; // files left out, and why
};

// Reads the results folder of `donnees`; false with `erreur` when it has none.
bool LitBilanClasse(const std::string& donnees, BilanClasse& bilan, std::string& erreur);
// What `results --csv` and `results --html` write.
std::string ResultatsCsv(const BilanClasse& bilan);
std::string ResultatsHtml(const BilanClasse& bilan);

// A quiz's plain text made ready for the game as `encode` makes it: decoded
// by `codage`, checked as the game will read it (whole question blocks, the
// fields' limits, characters it can show) and, when no error is found,
// measured with the game's fonts. True when no error was found: `clair` is
// then the Windows-1252 text to scramble.
bool PrepareQuizzPourLeJeu(const std::string& octets, const std::string& nom, Codage codage,
                           std::string& clair, std::vector<Diagnostic>& diagnostics);

// The teacher's operations, each a function that returns a record: the
// command line's commands print them, the workshop (atelier/) sends them to
// its pages. None prints, none reads argv.
#pragma once

#include <string>
#include <vector>

#include "bilan_questions.h"
#include "commandes.h"
#include "diagnostic.h"
#include "importe.h"

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

// What `import` makes of an export (`format` "aiken" or "gift", its bytes in
// UTF-8 or Windows-1252): the questions carried, the quiz text written from
// them with its lines cut where they fit the game's boxes, and in
// `diagnostics`, in line order, each question left out with its line and
// reason. `lisible` false: the encoding rule refused the bytes (the
// diagnostic says where); nothing else is made.
struct Importation {
    bool lisible = false;
    std::vector<QuestionImportee> questions;
    std::string texte;  // UTF-8, as `import -o` writes it
    std::vector<Diagnostic> diagnostics;
};
Importation ImporteExport(const std::string& format, const std::string& octets, const std::string& source);

// The media a quiz's plain text (Windows-1252) names, looked for in the
// data folder `donnees` as `check` looks for them: one diagnostic at its
// line, named `fichier`, for each missing or misnamed one.
void ControleMediasQuizz(const std::string& donnees, const std::string& clair, const std::string& fichier,
                         std::vector<Diagnostic>& d);

// One question screen drawn by the game's own code, as `preview` draws it,
// into PNG bytes in memory.
struct DemandeApercu {
    std::string clair;    // a quiz's plain text, Windows-1252
    std::string donnees;  // the data folder its media are found in
    int question = 0;     // from 0
    int largeur = 1024;
    int hauteur = 768;
    bool reponse = false; // the right answer marked as when the pupil picks it
};
// False with `erreur` (UTF-8) when the game's screen cannot be had or the
// question is not in the text.
bool ApercuQuestion(const DemandeApercu& demande, std::string& png, std::string& erreur);

// Whether the game opens the picture file `octets` (named `nom` in the
// reason), with its own decoder; false with the reason (UTF-8).
bool ImageDuJeu(const std::string& octets, const std::string& nom, std::string& raison);
// The two above keep the game's screen open between calls; this closes it
// (the workshop, when it stops).
void FermeEcranDuJeu();

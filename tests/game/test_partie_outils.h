// What the end-to-end runs of Grelinor share: a data tree built in a scratch
// folder, the run started under the harness, the screen read back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "grelinor.h"
#include "harness.h"
#include "test_support.h"

namespace partie {

// One question of a test quiz, in Windows-1252 plain text.
struct QuestionTest {
    std::string enonce;
    std::string reponses[4];
    std::string bonne;  // "1" .. "4"
};

// The class settings file (8 lines) under InfosQuizz/infos/.
void EcritReglages(const std::string& fichier, const std::string& nombre, const std::string& temps,
                   bool saisie);
// The pupil list file: the count line, then surname, first name, class.
void EcritListe(const std::string& contenu);
// The scrambled quiz file "vorlines_DEMO".
void EcritQuizz(const std::vector<QuestionTest>& questions);
// A silent MP3 of three seconds, for the feedback sounds.
void CopieSonMuet(const std::string& chemin);
// LCConfig.txt for a 1024 x 768 window.
void EcritConfig(int largeur = 1024, int hauteur = 768);

// Three questions whose right answer is always 2, so that the shuffled
// order does not matter: answer 2 is right, answer 3 wrong.
std::vector<QuestionTest> TroisQuestions();

// The whole data tree of a standard run: both settings files (list for
// G.S./C.P., name entry for the others), 3 questions, 10 s per answer, a
// list of three pupils.
void ArbreStandard();

// Starts GrelinorMain under the harness with the game's archive, on fresh
// records that the test reads through EnCours() while the run goes on and
// after it ends (until the next Lance).
Course& Lance();
// The records of the run last started by Lance.
Course& EnCours();

// Clicks a class level (0 G.S. ... 5 C.M.2) then the confirm button.
void ChoisitNiveau(int niveau);

// The results file of a pupil, "" when absent.
std::string Resultats(const std::string& fichier);

// Number of pixels of colour `rgb` in the rectangle of the back buffer.
int CompteCouleur(uint32_t rgb, int x1, int y1, int x2, int y2);
// The pixels of a rectangle of the back buffer, row after row.
std::vector<uint32_t> Zone(int x1, int y1, int x2, int y2);

// The centre of the pixels of colour `rgb` in the rectangle (a button found
// by its fill colour); {-1, -1} when there is none.
struct Point {
    int x, y;
};
Point CentreCouleur(uint32_t rgb, int x1, int y1, int x2, int y2);

// Answer boxes 1 .. 4 of the question screen (1024 x 768), and the centre
// of each.
struct Boite {
    int x1, y1, x2, y2;
};
extern const Boite kBoites[4];

// Counts, at every presented frame, the pixels of the highlight colour in
// answer box n; keeps the greatest count seen.
class GuetteSurlignage {
public:
    explicit GuetteSurlignage(int n);
    ~GuetteSurlignage();
    int Maximum() const { return maximum_; }

private:
    int maximum_ = 0;
};

// Keeps, among the frames presented while it lives, the one that shows the
// most of the end-of-quiz notice (its text colour in its panel): the notice
// stays five seconds on the program's clock, then the correction review
// draws over it.
class GuetteFin {
public:
    GuetteFin();
    ~GuetteFin();
    int Maximum() const { return maximum_; }
    // Pixels of colour `rgb` in a rectangle of that frame.
    int Compte(uint32_t rgb, int x1, int y1, int x2, int y2) const;

private:
    int maximum_ = 0;
    int largeur_ = 0;
    std::vector<uint32_t> image_;
};

// Plays the three questions of TroisQuestions() from the question screen:
// answer 2 (right) after 3 s, answer 3 (wrong) after 5 s, then the time
// runs out (10 s). Checks the results file `fichier` after each question,
// the highlighted answer, the counters, and the end-of-quiz panel shown
// before the correction review.
void JoueTroisQuestions(const std::string& fichier, const std::string& entete);

}  // namespace partie

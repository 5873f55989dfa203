// The class's picture of the quiz for `pivolette results`: each pupil's
// answers checked against the quiz, the per-question figures, and the
// self-contained web page.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "reponses.h"

// A pupil of the class as the results command shows him.
struct Resultat {
    std::string fichier; // the results file's name in the class folder, UTF-8
    std::string nom;     // UTF-8
    std::string prenom;
    std::int64_t bonnes = 0;  // counts read back from the files: wide, held at COMPTE_MAX
    std::int64_t mauvaises = 0;
    std::int64_t secondes = 0;
    std::int64_t questions = 0;  // of the pupil's quiz
    std::string remarque;
    bool avec_reponses = false;  // his answers file was read and agrees with the quiz
    FicheReponses reponses;      // then: what he answered
};

// "71,4": the score in percent with one decimal; empty without questions.
std::string Pourcentage(const Resultat& r);

// One question of the quiz, in UTF-8, without the style marks.
struct QuestionVue {
    std::string texte;          // its display lines, joined by spaces
    std::string premiere;       // its first display line
    std::string reponses[4];
    char bonne = '\0';          // '1' … '4', or none
};

struct QuizzVue {
    bool lu = false;
    std::string titre;          // Windows-1252, as the game copies it
    std::vector<QuestionVue> questions;  // in the file's order
};

// The quiz of the data folder `donnees`, its first max(`nombres`) questions
// (every whole block without settings). Not read: lu is false (the check
// command says why).
QuizzVue LitQuizzVue(const std::string& donnees, const std::vector<int>& nombres);

// Whether an answers file belongs to this quiz: same title, questions of
// the quiz, right and wrong as its right answers say. Else the line and the
// reason.
bool AccordeAuQuizz(const FicheReponses& fiche, const QuizzVue& quizz, int& ligne, std::string& raison);

// How many question columns the class needs: the quiz's questions, or
// without the quiz the greatest question number answered.
int NombreColonnes(const std::vector<Resultat>& classe, const QuizzVue& quizz);

// One question's figures over the pupils with answers.
struct StatQuestion {
    int numero = 0;        // place in the quiz file, from 1
    int rencontres = 0;    // pupils who met it
    int justes = 0;
    int choix[5] = {};     // by answer chosen; [0]: none, the time ran out
    double mediane = 0;    // seconds, over the pupils who met it
    int bonne = 0;         // the right answer (1 … 4), 0 when unknown
};

// The figures of questions 1 … `colonnes`, the questions the class missed
// most first (the unmet ones last).
std::vector<StatQuestion> StatistiquesQuestions(const std::vector<Resultat>& classe, int colonnes);

// The wrong answer chosen most (0 when none was).
int FaussePlusChoisie(const StatQuestion& s);

// The pupil's answer to question `numero` for a table cell: "3 juste",
// "2 fausse", "aucune (temps écoulé)"; empty when he did not meet it.
std::string CelluleReponse(const Resultat& r, int numero);

// The per-question view for the terminal.
void EnVueQuestions(std::ostream& o, const std::vector<StatQuestion>& stats, const QuizzVue& quizz);

// The whole web page: the class table and a bar per question.
std::string PageHtml(const std::vector<Resultat>& classe, const std::vector<StatQuestion>& stats,
                     const QuizzVue& quizz, int colonnes);

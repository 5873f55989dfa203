// The game's data tree as the teacher's tool sees it: its files, and the
// class settings read through the game's own reader.
#pragma once

#include <string>
#include <vector>

// Files of the data folder ("InfosQuizz"), relative to it.
constexpr const char* REGLAGES_PETITS = "infos/infos_jeu_DEMO0";  // G.S. and C.P.
constexpr const char* REGLAGES_GRANDS = "infos/infos_jeu_DEMO";   // C.E.1 to C.M.2
constexpr const char* LISTE_ELEVES = "infos/infos_quizz_DEMO";
constexpr const char* FICHIER_QUIZZ = "questions/vorlines_DEMO";
constexpr const char* DOSSIER_RESULTATS = "joueurs/DEMO";

// One class settings file, as the game reads it.
struct ReglagesClasse {
    std::string chemin;   // path of the file
    std::string classes;  // the levels that read it, for messages
    bool existe = false;
    bool lu = false;      // the game accepts it
    int questions = 0;    // when lu
    bool liste = false;   // when lu: the pupils pick their name in the list
    std::string message;  // when !lu: the game's reason, UTF-8
    bool octets_lus = false;  // the file could be read (within its limit)
    std::string octets;   // its bytes, read once for every check
};


// Reads the two class settings files of `donnees` with the game's reader
// (each file read once, within its limit).
std::vector<ReglagesClasse> LitReglages(const std::string& donnees);

// The distinct numbers of questions of the readable settings files.
std::vector<int> NombresDeQuestions(const std::vector<ReglagesClasse>& reglages);

// The scrambled quiz file: its codec, its lines, its records and the check
// made before a pupil starts, over the bytes of the file.
//
// The file is a plain Windows-1252 text, one item per line, every byte XOR
// CLE_QUIZZ so that pupils cannot read the answers. Lines 1 and 2 are the
// title and the theme, line 3 is free, then each question takes seven lines:
// the question, answers 1 to 4, the number of the right answer (its first
// character), a free line. It is decoded in memory; no plain copy is written.
//
// The game checks and loads the quiz from one read of the file: what was
// checked is what is played, even if the file is replaced meanwhile.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Every byte of a quiz file is the byte of its plain text XOR this key.
constexpr unsigned char CLE_QUIZZ = 0xA5;

// A line of the plain text holds at most this many characters before its LF.
constexpr int LIGNE_QUIZZ_MAX = 254;

constexpr int LIGNES_ENTETE = 3;
constexpr int LIGNES_PAR_QUESTION = 7;
constexpr int ROLE_BONNE_REPONSE = 5;

// Scrambles or unscrambles (the same operation) `n` bytes in place.
void BrouilleQuizz(unsigned char* octets, std::size_t n);
void BrouilleQuizz(std::string& octets);

// What the line reader found about a line it read.
constexpr int LIGNE_COUPEE = 1;   // longer than LIGNE_QUIZZ_MAX: the rest was dropped
constexpr int LIGNE_NUL = 2;      // held NUL bytes, which were dropped

struct LigneQuizzLue {
    std::string texte;
    int anomalies = 0;  // LIGNE_ flags
};

// The first `max` lines of a plain text as the game reads them: without
// their LF and without a CR just before it; a last line without LF taken
// whole; NUL bytes dropped; characters beyond LIGNE_QUIZZ_MAX dropped up to
// the line's end.
std::vector<LigneQuizzLue> LignesQuizz(const std::string& clair, std::size_t max);

// Medium markers of a question line: picture "§", sound extract "µ", video
// extract "~" (Windows-1252 bytes), in the order image, sound, video. An
// answer line knows only the picture.
constexpr const char* MARQUEURS_QUESTION = "\xA7\xB5~";
constexpr const char* MARQUEURS_REPONSE = "\xA7";

// Splits a question or answer line: up to three display segments separated
// by "|" (a third "|" is plain text), then, in the last segment only, the
// first of the `marqueurs` found ends the text and the rest of the line is
// the file name of the medium of that marker (medias[k] for marqueurs[k]).
// Segments after the last one present are emptied; media are set only by a
// marker (the others are left as they are).
void DecoupeLigne(const std::string& t, std::string lignes[3], const char* marqueurs,
                  std::string medias[]);

struct ReponseQuizz {
    std::string lignes[3];
    std::string image;  // picture beside the answer, in questions/images/
};

struct QuestionQuizz {
    std::string enonce[3];
    std::string image;   // a leading "_": thumbnail only
    std::string son;
    std::string video;
    ReponseQuizz reponses[4];
    char bonne = '\0';   // '1' … '4', or '\0': no answer counts as right
};

struct FicheQuizz {
    std::string titre;
    std::string theme;
    std::vector<QuestionQuizz> questions;  // as many as asked; missing ones empty
};

// The records of the first `questions` questions (0 … MAX_QUESTIONS) of a plain text.
FicheQuizz AnalyseQuizz(const std::string& clair, int questions);

// The check before a pupil starts: the plain text holds the header and
// `questions` whole blocks (the free last line may be missing), each with a
// right answer. `nom` names the file in the reason.
bool VerifieQuizz(const std::string& clair, int questions, const std::string& nom,
                  std::string& raison);

// Reads the scrambled file `chemin` (UTF-8 name) whole, within LIMITE_QUIZZ,
// and decodes it into `clair`.
bool LitFichierQuizz(const std::string& chemin, std::string& clair, std::string& raison);

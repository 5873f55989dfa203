// A pupil's answers file: what he answered to each question he met, for the
// teacher's view of the class. It lies in the folder "reponses" of the class
// folder ("joueurs//<class>//reponses//"), under the same name as the
// pupil's results file, so that nothing looking for results files sees it.
//
// Plain Windows-1252 text, each line ended by a line feed:
//
//   Questionnaire : <title of the quiz>
//   Début : 08/12/2026 09:41:05
//   question 7 : réponse 3, juste, 5 s, média ouvert
//   question 2 : aucune réponse, fausse, 30 s, sans média
//
// One line per question met, in the order met; the number is the question's
// place in the quiz file (1 for its first question), whatever the shuffle.
// The medium is "média ouvert", "média non ouvert" or "sans média".
//
// The game writes it whole after every question, beside the results file,
// which stays the authority: a pupil who left with Escape has the lines of
// the questions he finished.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "resultats.h"

// Size limit of an answers file, in bytes: 60 question lines fit many times.
constexpr std::size_t LIMITE_REPONSES = 16 * 1024;

// Whether the question had a medium, and whether the pupil opened it.
enum class MediaQuestion { Aucun, NonOuvert, Ouvert };

// One question met.
struct ReponseDonnee {
    int question = 0;   // place in the quiz file, 1 … MAX_QUESTIONS
    int choix = 0;      // answer chosen 1 … 4; 0: none, the time ran out
    bool juste = false;
    int secondes = 0;   // 0 … TEMPS_REPONSE_MAX
    MediaQuestion media = MediaQuestion::Aucun;
    int ligne = 0;      // its line in the file, when read back (not written)
};

struct FicheReponses {
    std::string titre;  // Windows-1252, without line feed
    std::string debut;  // "JJ/MM/AAAA HH:MM:SS", local time of the start
    std::vector<ReponseDonnee> reponses;  // in the order met
};

// The bytes of the file, the title kept on its line (TitreSurUneLigne).
std::string TexteReponses(const FicheReponses& fiche);
// A title as the file holds it: each CR or LF in it becomes a space.
std::string TitreSurUneLigne(std::string titre);

// "JJ/MM/AAAA HH:MM:SS" of a calendar time, in local time.
std::string DateDebut(long long secondes_epoque);

// Why an answers file could not be read.
struct LectureReponses {
    bool lu = false;
    bool absent = false;  // no file at all: a pupil who played before answers were kept
    int ligne = 0;        // the faulty line, 0: the file as a whole
    std::string raison;   // UTF-8
    explicit operator bool() const { return lu; }
};

// Reads the file from its bytes (CR LF line ends allowed). Refused, with the
// line: a file cut short (a last line without its line feed, a missing
// header), a line that is not a question line, a number or time out of
// range, an answer none but right, a question met twice.
LectureReponses AnalyseReponses(const std::string& octets, FicheReponses& fiche);
// Reads the file `chemin` (a regular file of at most LIMITE_REPONSES bytes).
LectureReponses LitReponses(const std::string& chemin, FicheReponses& fiche);

// The answers folder of a class folder ("<donnees>joueurs//<class>//reponses")
// and the answers file of a pupil in it.
std::string DossierReponses(const std::string& donnees, const std::string& classe1252);
std::string CheminReponses(const std::string& donnees, const FicheResultats& fiche);
// The folder's name inside the class folder.
constexpr const char* NOM_DOSSIER_REPONSES = "reponses";
// The folder of the class folder where a pupil's files go when he may play
// again (« Rejouer »): "archives/AAAA-MM-JJ_HHMMSS/", never deleted.
constexpr const char* NOM_DOSSIER_ARCHIVES = "archives";

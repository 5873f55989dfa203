// The class files of the data tree: the class settings file and the pupil
// list. Readers over the bytes of a file (Windows-1252 texts as stored),
// returning a record or the reason of the refusal (UTF-8, naming the file),
// and thin wrappers that read the file first. The game, its checks and the
// teacher's tool all go through them, so they accept and refuse the same.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int MAX_QUESTIONS = 60;  // the greatest number of questions in a quiz
constexpr int MAX_JOUEURS = 60;    // the greatest number of pupils in a list

constexpr int REGLAGE_TEXTE_MAX = 48;     // characters kept of a settings text line
constexpr int REGLAGE_CHIFFRES_MAX = 3;   // digits of a settings number line
constexpr int NOM_ELEVE_MAX = 28;         // characters of a pupil list line
constexpr int TEMPS_REPONSE_MAX = 360;    // seconds per answer
constexpr int ELEVES_CHIFFRES_MAX = 9;    // digits of the pupil count

// The lines of a data file: LF ends, a CR just before the LF dropped; the
// last line without LF counts, a text ending with LF has no empty last line.
std::vector<std::string> LignesDonnees(const std::string& octets);

// A whole number of 1 to `chiffres` digits, blanks around allowed, nothing
// else (a NUL byte included); -1 otherwise.
std::int64_t NombreDeTexte(const std::string& texte, int chiffres);

// Why a class file's bytes cannot be read as text: where, and what to do.
struct RefusCodage {
    int ligne = 0;
    int colonne = 0;
    std::string message;  // UTF-8, without the file's name
};

// The bytes of a class file as the game reads them, Windows-1252: a file the
// teacher saved in UTF-8, with or without a byte-order mark, is converted
// (by the one rule of the teacher's texts, encodage.h). False, with the
// refusal, when the rule refuses the bytes or a character has no place in
// Windows-1252. The analyses below convert first.
bool ClasseEn1252(const std::string& octets, std::string& sortie, RefusCodage& refus);

// The class settings file: three texts, then five numbers.
struct FicheReglages {
    std::string questionnaire;  // line 1, at most REGLAGE_TEXTE_MAX bytes (the rest dropped)
    std::string theme;          // line 2, idem
    std::string entete;         // line 3, idem
    int saisie = 0;             // line 4: non-zero, the pupils type their names
    int questions = 0;          // line 5: 1 … MAX_QUESTIONS
    int attente1 = 0;           // lines 6 and 7
    int attente2 = 0;
    int temps = 0;              // line 8: seconds per answer, 1 … TEMPS_REPONSE_MAX
};

// Reads the settings file's bytes; `nom` names the file in the reason.
bool AnalyseReglages(const std::string& octets, const std::string& nom, FicheReglages& r,
                     std::string& raison);
// Reads the file `chemin` (UTF-8 name) whole, then analyses it.
bool LitFichierReglages(const std::string& chemin, FicheReglages& r, std::string& raison);

// One pupil of the list, as written (Windows-1252, at most NOM_ELEVE_MAX bytes each).
struct FicheListe {
    std::string nom;
    std::string prenom;
    std::string classe;
};

// Reads the pupil list's bytes: the count (1 … MAX_JOUEURS) on line 1, then
// three lines per pupil. Lines after them are not read.
bool AnalyseListe(const std::string& octets, const std::string& nom, std::vector<FicheListe>& eleves,
                  std::string& raison);
// The writers of the two files, beside their readers: the bytes (Windows-1252
// texts as the records hold them, LF line ends) that the analyses above read
// back as the same record. The records' limits are not checked here: the
// checks of the teacher's tool say what the game would refuse or cut.
std::string TexteReglages(const FicheReglages& r);
std::string TexteListe(const std::vector<FicheListe>& eleves);

bool LitFichierListe(const std::string& chemin, std::vector<FicheListe>& eleves, std::string& raison);

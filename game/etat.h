// Grelinor's state: the question records, the four records of a run (the
// class settings, the pupil, the quiz and its progress, the screen's pieces)
// that the game driver owns and passes to the functions that use them, and
// the quiz-content functions (class settings file, quiz file, shuffle,
// results file) that the game driver calls.
//
// Every text is 8-bit Windows-1252, NUL-terminated, in a fixed-width field: a
// field of n bytes holds at most n - 1 characters.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

#include "classe.h"
#include "lumicanvas.h"

// ---------------------------------------------------------------------------
// Records
// ---------------------------------------------------------------------------

// MAX_QUESTIONS and MAX_JOUEURS come with the class files' readers (classe.h).

// One possible answer: up to three display lines and an optional picture.
struct FicheReponse {
    char Ligne1[60];
    char Ligne2[60];  // empty when the answer has one line
    char Ligne3[60];  // empty when it has one or two lines
    char Image[60];   // picture beside the answer, in questions//images//; empty if none
};

// One question: up to three display lines, at most one medium, four answers.
struct FicheQuestion {
    char Enonce1[256];
    char Enonce2[256];  // empty when the question has one line
    char Enonce3[256];  // empty when it has one or two lines
    char Image[60];     // picture in questions//images//; a leading "_" = thumbnail only
    char Son[60];       // sound extract in questions//sons//
    char Video[60];     // video extract in questions//videos//
    FicheReponse Reponse[4];  // answers 1 to 4 at indices 0 to 3
    char BonneReponse[3];     // "1" … "4", or empty: no answer counts as right
    int NumeroFichier;        // place in the quiz file, from 1; set before the shuffle, moves with the record
};

// The current pupil. Nom, Prenom and Classe never hold a line feed: the
// results file adds its own line ends when it writes them.
struct FicheJoueur {
    char Nom[30];
    char Prenom[30];
    char Classe[10];     // "DEMO" in both identification modes
    char Bonnes[4];      // BonnesReponses as "%02d\n"
    char Mauvaises[4];   // MauvaisesReponses as "%02d\n"
    char Temps[12];      // TempsJeu as "%04d\n"; wide enough for any int in full
};

// ---------------------------------------------------------------------------
// The game's state: four records, owned by the run (GrelinorMain) and passed
// by reference; every field starts as a fresh record has it, so a run starts
// from fresh records.
// ---------------------------------------------------------------------------

// The class settings (class settings file) and the data tree.
struct Reglages {
    char CheminDonnees[256] = ".//InfosQuizz//";  // the prefix of every data path
    signed char QuelNiveau = -1;  // 8 G.S., 7 C.P., 6 C.E.1, 5 C.E.2, 4 C.M.1, 3 C.M.2; -1 none
    char Questionnaire[64] = {};  // title of the quiz
    char Theme[64] = {};          // theme of the quiz (shown by name entry)
    char EnteteClasse[64] = {};   // third line of the class settings file
    unsigned char GetInfosJoueur = 0;  // non-zero: name entry; zero: pupil list
    char NbQuestionsM0[8] = {};   // the number of questions as text
    int NombreQuestions = 0;      // 1 … 60, from NbQuestionsM0
    int TempsAttente1 = 0;        // sixth and seventh lines of the class settings file
    int TempsAttente2 = 0;
    int TempsReponseAutorise = 0;  // seconds allowed per answer, 1 … 360
};

// The pupil, and the copies of his names the question screen shows.
struct Eleve {
    FicheJoueur Joueur = {};
    char NOM_JOUEUR[32] = {};  // display copies made when the pupil is identified
    char PRENOM_JOUEUR[32] = {};
    char CLASSE_JOUEUR[40] = {};
};

// The answer countdown's dial between two calls (compteur.h).
struct EtatCadran {
    std::time_t debut = 0;   // clock reading when the count started, moved on by the pauses
    std::time_t actuel = 0;  // clock reading of the last call
    int ancien = -1;         // seconds shown by the last redraw
    int teinte = 0;          // colour step of the next sector
    int angle = -90;         // angle of the next spoke, degrees clockwise from east
};

// The quiz and the pupil's progress through it.
struct Partie {
    FicheQuestion Question[MAX_QUESTIONS] = {};  // records 0 … NombreQuestions - 1 in use
    int NumQuestion = 0;         // index of the question on screen
    int BonnesReponses = 0;
    int MauvaisesReponses = 0;   // time-outs included
    // Per question index: 0 no answer (time ran out), 1 … 4 wrong answer n
    // chosen, 61 … 64 right answer n chosen (60 + n).
    unsigned char JoueurSolo[MAX_QUESTIONS] = {};
    int TempsJeu = 0;            // seconds used over the answered questions
    int TempsSecondes = -1;      // seconds elapsed on the current countdown; -1 at start
    int PremiereCompteur = 1;    // 1: the next countdown call starts a new count
    EtatCadran Cadran;           // the countdown's dial
    int VueImage = 0;            // 1 once the question's picture was opened full screen
    int ExtraitSonEcoute = 0;    // 1 once the question's sound extract was played
    int VideoVue = 0;            // 1 once the question's video extract was played
    int PremiereJoueur = 1;      // 1 until SetInfosJoueur has run once
    // The quiz file's plain text as VerifieFichierQuizz checked it, loaded
    // by ChargeQuizzVerifie: the quiz a pupil plays is the one that was
    // checked, whatever happens to the file meanwhile.
    bool QuizzVerifie = false;
    std::string TexteVerifie;
};

// The screen: the archive fused to the executable and the pieces of the
// question screen made from it. Its scale against the 1024 × 768 reference
// is the open window's (echelle.h).
struct Ecran {
    Datafile* Donnees = nullptr;  // owned: released by LibereRessources
    Bitmap* Quizz = nullptr;     // the whole question-screen background
    Bitmap* Gagnant = nullptr;   // panel behind the end-of-quiz notice
    Bitmap* Choix1 = nullptr;    // background of the right-answer counter
    Bitmap* Choix2 = nullptr;    // background of the wrong-answer counter
    Bitmap* Choix3 = nullptr;    // background of the question area
    Bitmap* Choix4 = nullptr;    // backgrounds of answers 1 … 4
    Bitmap* Choix5 = nullptr;
    Bitmap* Choix6 = nullptr;
    Bitmap* Choix7 = nullptr;
};

// Why the last data check or data access below failed, in Windows-1252, ready
// for Message() in the 8-bit text format. Names the file and the problem.
// Like a library's last-error text: a function says it failed by what it
// returns, this tells why; only the failing function sets it.
extern char MessageErreur[512];

// ---------------------------------------------------------------------------
// Class settings file and pupil list (reglages.cpp)
// ---------------------------------------------------------------------------

// The limits of the class settings file and the pupil list (REGLAGE_TEXTE_MAX,
// REGLAGE_CHIFFRES_MAX, NOM_ELEVE_MAX, TEMPS_REPONSE_MAX) come with their
// readers (classe.h), shared with the teacher's tool.

// Reads the class settings file chosen by QuelNiveau ("infos//infos_jeu_DEMO0"
// for C.P. and G.S., "infos//infos_jeu_DEMO" otherwise) of the data folder
// CheminDonnees into Questionnaire,
// Theme, EnteteClasse, GetInfosJoueur, NbQuestionsM0, TempsAttente1/2 and
// TempsReponseAutorise, and sets NombreQuestions. Text lines (1 to 3) keep at most 48 characters, the rest of
// a longer line is dropped. Returns 1, or 0 with MessageErreur set when the
// file is missing or unreadable, ends early, has a number line (4 to 8) that
// is not a number of at most 3 digits, a number of questions outside 1 … 60
// or a time per answer outside 1 … 360 seconds.
int LitInfosJeu(Reglages& classe);

// The class settings file's path chosen by QuelNiveau, into `dest`. 1, or 0
// when it does not fit.
int CheminInfosJeu(const Reglages& classe, char* dest, std::size_t taille);

// Checks the pupil list file "infos//infos_quizz_DEMO" of the data folder
// `donnees` before the pupil list screen reads it: the file is readable,
// announces 1 … 60 pupils on its first line and holds the three lines of
// each, none longer than 28 characters (a CR before the line feed not
// counted). Returns that number with the pupils read in `liste`, for the
// list screen (which so shows what was checked), or 0 with `liste` empty and
// MessageErreur set.
int VerifieListeJoueurs(const char* donnees, std::vector<FicheListe>& liste);

// ---------------------------------------------------------------------------
// Quiz file (fichier_quizz.cpp)
// ---------------------------------------------------------------------------

// Builds the quiz file's path "%squestions//%s" of the data folder `donnees`
// and "vorlines_DEMO" into `dest`.
void CheminQuizz(const char* donnees, char* dest, std::size_t taille);

// Checks the quiz file of the class's data folder before the pupil's results
// file is created: it can be read and holds the three header lines and
// NombreQuestions blocks of seven lines. Returns 1, or 0 with MessageErreur
// set. The checked text is kept in `jeu` for ChargeQuizzVerifie: the file is
// read once.
int VerifieFichierQuizz(const Reglages& classe, Partie& jeu);

// Loads the quiz kept in `jeu` by the last VerifieFichierQuizz that accepted
// it (then forgets it), so that a file replaced since cannot give blank
// questions; without one, reads the quiz file as GetInfoFile does. 0, or -1
// with MessageErreur set.
int ChargeQuizzVerifie(Reglages& classe, Partie& jeu);

// Loads a quiz's plain text into Questionnaire, Theme and
// Question[0 … NombreQuestions - 1]; missing lines leave their questions
// empty, every text is cut to its field.
void ChargeQuizzTexte(const std::string& clair, Reglages& classe, Partie& jeu);

// Sets the counters for a new quiz of `nombreQuestions` questions and
// empties the records 0 … nombreQuestions - 1 and their JoueurSolo entries:
// BonnesReponses = MauvaisesReponses = NumQuestion = TempsJeu = 0,
// TempsSecondes = -1, PremiereJoueur = PremiereCompteur = 1.
void PrepareQuizz(Partie& jeu, int nombreQuestions);

// Loads the scrambled quiz file `path` into Questionnaire, Theme and
// Question[0 … NombreQuestions - 1], decoding it in memory. Returns 0, or -1
// with MessageErreur set when the file cannot be read: missing, not a
// regular file, larger than the quiz limit (nothing is loaded).
// A file with fewer lines leaves the remaining questions empty; overlong
// lines and texts are cut to their fields.
int GetInfoFile(const char* path, Reglages& classe, Partie& jeu);

// ---------------------------------------------------------------------------
// Shuffle (melange.cpp)
// ---------------------------------------------------------------------------

// Reorders Question[0 … nombreQuestions - 1] by 2 × nombreQuestions
// exchanges of two distinct records drawn with Random(); a quiz of 0 or 1
// question is left as it is.
void MelangeQuestions(Partie& jeu, int nombreQuestions);

// Exchanges two NUL-terminated texts held in fields of `taille` bytes.
void EchangerStr(char* a, char* b, std::size_t taille);

// ---------------------------------------------------------------------------
// Results file (resultats.cpp)
// ---------------------------------------------------------------------------

// The results file: thin callers of the shared writer (core/resultats.h and
// core/ecriture.h), working on the pupil's record and the counters, in the
// data folder `donnees`.

// Copies a Windows-1252 name into `dest` as a UTF-8 file-name part
// (PartieDeNom): two different names never give the same part, and ordinary
// names (letters, accents, spaces, hyphens, apostrophes) stay as typed.
// Returns 1, or 0 when `dest` is too small (it then holds an empty text).
int NomDeFichier(const char* nom1252, char* dest, std::size_t taille);

// The longest path of a data file the game opens, its NUL included.
constexpr std::size_t TAILLE_CHEMIN = 256;

// Builds the results file's path of `joueur` into `dest`: "%s%s%s//%s_%s.txt" of
// CheminDonnees, "joueurs//", Classe, Nom, Prenom, each name part passed
// through NomDeFichier. Returns 1, or 0 with MessageErreur set.
int CheminJoueur(const char* donnees, const FicheJoueur& joueur, char* dest, std::size_t taille);

// 1 when the pupil `joueur` already has a results file (he has played).
int JoueurDejaJoue(const char* donnees, const FicheJoueur& joueur);

// Results of CreeFichierJoueur.
constexpr int RESULTATS_CREE = 1;
constexpr int RESULTATS_EXISTE = 0;   // another run (maybe on another computer) has it
constexpr int RESULTATS_ERREUR = -1;  // MessageErreur says why

// Creates the pupil's results file, only if it does not exist yet (a second
// computer sharing the data folder cannot start the same pupil), creating
// the folder "joueurs//<class>//" when missing. It holds the three name
// lines and "0", "0", "9999", and is published whole: a run stopped at any
// moment leaves either no file or this one (or, on a network folder whose
// server makes no hard links, an empty one: the claim of the name, for the
// instant before its content replaces it).
int CreeFichierJoueur(const char* donnees, const FicheJoueur& joueur);

// Rewrites the whole results file from `joueur` and the counters of `jeu`
// (its Bonnes, Mauvaises and Temps texts are set from them): the new
// content is written beside it, put on the disk and then renamed over it, so
// the file is never seen half written. Lines 4 to 6: "%02d", "%02d", "%04d"
// of BonnesReponses, MauvaisesReponses, TempsJeu. Returns 1, or 0 with
// MessageErreur set (the previous content is then left whole): it tells the
// pupil up to which question his answers are kept, and whether the data
// folder itself went away (a network share cut off).
int SetInfosJoueur(const char* donnees, FicheJoueur& joueur, Partie& jeu);

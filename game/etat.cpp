// Grelinor's process-wide state. Everything starts empty and zero, except
// the countdown's TempsSecondes (-1), the first-call flags (1) and the class
// level (-1, none chosen yet).
#include "etat.h"

FicheQuestion Question[MAX_QUESTIONS];
int NombreQuestions = 0;
char NbQuestionsM0[8];
int TempsReponseAutorise = 0;
char Questionnaire[64];
char Theme[64];
FILE* Fichier = nullptr;
int NumQuestion = 0;
int BonnesReponses = 0;
int MauvaisesReponses = 0;
unsigned char JoueurSolo[MAX_QUESTIONS];
int TempsJeu = 0;
int TempsSecondes = -1;
int PremiereCompteur = 1;
int VueImage = 0;
int ExtraitSonEcoute = 0;
int VideoVue = 0;
int PremiereJoueur = 1;

FicheJoueur Joueur;
char NOM_JOUEUR[32];
char PRENOM_JOUEUR[32];
char CLASSE_JOUEUR[40];

Bitmap* Quizz = nullptr;
Bitmap* Gagnant = nullptr;
Bitmap* Choix1 = nullptr;
Bitmap* Choix2 = nullptr;
Bitmap* Choix3 = nullptr;
Bitmap* Choix4 = nullptr;
Bitmap* Choix5 = nullptr;
Bitmap* Choix6 = nullptr;
Bitmap* Choix7 = nullptr;

char CheminDonnees[256] = ".//InfosQuizz//";
Datafile* Donnees = nullptr;
float CorrectionX = 1.0f;
float CorrectionY = 1.0f;
signed char QuelNiveau = -1;
unsigned char GetInfosJoueur = 0;
char EnteteClasse[64];
int TempsAttente1 = 0;
int TempsAttente2 = 0;
char MessageErreur[512];

void FClose(FILE* stream) {
    if (stream != nullptr) std::fclose(stream);
}

// Grelinor's game driver: one run is one pupil playing one quiz, from the
// class-level screen to the end of the quiz.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ajuste.h"
#include "compteur.h"
#include "correction.h"
#include "couleurs.h"
#include "echelle.h"
#include "etat.h"
#include "grelinor.h"
#include "joueurs.h"
#include "lumicanvas.h"
#include "niveau.h"
#include "question.h"
#include "quizz.h"
#include "reponses_joueur.h"
#include "retour.h"
#include "saisie.h"
#include "selection.h"

namespace {

// Every global as it is when the process starts, so that each run starts
// from the same state (the test harness plays several runs in one process).
void EtatInitial() {
    std::memset(Question, 0, sizeof Question);
    std::memset(JoueurSolo, 0, sizeof JoueurSolo);
    Joueur = FicheJoueur{};
    NOM_JOUEUR[0] = PRENOM_JOUEUR[0] = CLASSE_JOUEUR[0] = '\0';
    QuelNiveau = -1;
    NumQuestion = BonnesReponses = MauvaisesReponses = TempsJeu = 0;
    TempsSecondes = -1;
    PremiereCompteur = PremiereJoueur = 1;
    Donnees = nullptr;
    Quizz = Gagnant = Choix1 = Choix2 = Choix3 = Choix4 = Choix5 = Choix6 = Choix7 = nullptr;
    snprintf(CheminDonnees, sizeof CheminDonnees, "%s", ".//InfosQuizz//");
}

void Demarrage() {
    SpriteMode(1);
    DrawingMode(1);
    if (InitGraph(4, 1, 0) == 0) {
        // No display at all: nothing can be shown, the layer has said why.
        Close();
        ExitProgram(1);
    }
    InitMouse();
    InitFont();
    SetFontMode(1);
    InitSound();
    CorrectionX = (GetMaxX() + 1) / 1024.0f;
    CorrectionY = (GetMaxY() + 1) / 768.0f;
    Donnees = GetData("#");
}

void IdentifieJoueur() {
    InitMouse();
    if (GetInfosJoueur != 0) {
        SaisieInfos();
        return;
    }
    if (VerifieListeJoueurs() == 0) ArretSurErreur();
    ChoixJoueur();
}

[[noreturn]] void Refuse() {
    SetUFormat(U_ASCII8);
    Message("Ton nom a déjà été choisi dans la liste !\nAppelle ton professeur.");
    LibereRessources();
    Close();
    ExitProgram(0);
}

// Refuses a pupil who has played already, else creates his results file.
// The quiz file is checked first so that a broken quiz never leaves a
// results file that would refuse the pupil at the next run.
void CreeResultats() {
    if (VerifieFichierQuizz() == 0 || CheminJoueur() == 0) ArretSurErreur();
    if (JoueurDejaJoue()) Refuse();
    int r = CreeFichierJoueur();
    if (r == RESULTATS_EXISTE) Refuse();
    if (r != RESULTATS_CREE) ArretSurErreur();
}

// The question screen's frame and its six mouse areas.
void AfficheEntete() {
    HideMouse();
    SetUFormat(U_ASCII8);
    DessineCadreQuestion();
    ShowScreen();
    ShowMouse();
    DefinitZonesQuestion();
}

void PrepareJeu() {
    PrepareQuizz();
    CheminQuizz(Chemin, sizeof Chemin);
    if (ChargeQuizzVerifie() != 0) ArretSurErreur();
    MelangeQuestions();
    SetUFormat(U_UTF8);
    AfficheQuestionReponses(0);
    HideMouse();
    DimText(4);
    SetColor(0);
    CenterTextXY(RX(170), RY(137), "0");
    CenterTextXY(RX(855), RY(137), "0");
    ShowScreen();
    ShowMouse();
}

int Compteur() { return DeCompteur(RX(160), RY(296), RY(55), TempsReponseAutorise); }

// The results file after each question; a file that cannot be written ends
// the run with the reason rather than letting the pupil play for nothing.
void Sauve() {
    if (SetInfosJoueur() == 0) ArretSurErreur();
}

// Clicks made while the answer was held or its sound played belong to the
// question just answered: they must not answer the next one.
void OublieClics() {
    while (ClickMouse() == 1) {
    }
}

// The next question, or the end of the quiz after the last one.
void QuestionSuivante() {
    if (NumQuestion >= NombreQuestions - 1) FinQuizz();
    ++NumQuestion;
    AfficheQuestionReponses(0);
    PremiereCompteur = 1;
}

void TempsEcoule() {
    TempsJeu += TempsReponseAutorise;
    TempsSecondes = -1;
    ++MauvaisesReponses;
    AfficheMauvaiseReponse();
    Sauve();
    NoteReponse(0, TempsReponseAutorise);
    OublieClics();
    QuestionSuivante();
}

// Answer n (1 .. 4) chosen for the question on screen.
void Repond(int n) {
    TempsJeu += TempsSecondes;
    if (Question[NumQuestion].BonneReponse[0] == '0' + n) {
        AfficheQuestionReponses(static_cast<char>(n));
        ++BonnesReponses;
        AfficheBonneReponse();
        Sauve();
        JoueurSolo[NumQuestion] = static_cast<unsigned char>(60 + n);
    } else {
        ++MauvaisesReponses;
        AfficheMauvaiseReponse();
        Sauve();
        JoueurSolo[NumQuestion] = static_cast<unsigned char>(n);
    }
    NoteReponse(n, TempsSecondes);
    OublieClics();
    QuestionSuivante();
    Compteur();
}

// One question after the other until the end of the quiz; returns on Escape.
void BoucleQuestions() {
    while (GetKeyPressed() != KEY_ESCAPE) {
        if (Compteur() == -1) {
            // The next pass starts the new question's clock before any click
            // is taken for it.
            TempsEcoule();
            continue;
        }
        if (ClickMouse() == 1) {
            HideMouse();
            int s = SelectionReponse();
            if (s >= 0 && s <= 3) Repond(s + 1);
        }
    }
}

// What a run cut short from outside leaves (the test harness ends a scripted
// run by unwinding the program): released on the way out. Every end of the
// program itself releases first, so nothing is left here then.
struct Liberation {
    ~Liberation() { LibereRessources(); }
};

}  // namespace

namespace {

// A background piece of the question screen, cut from Quizz at (x, y).
Bitmap* Morceau(int x, int y, int w, int h) {
    Bitmap* b = CreateBitmap(RX(w), RY(h));
    if (b != nullptr && Quizz != nullptr) Blit(Quizz, b, RX(x), RY(y), 0, 0, RX(w), RY(h));
    return b;
}

}  // namespace

void CreeMorceaux() {
    Quizz = CreateBitmap(GetMaxX() + 1, GetMaxY() + 1);
    if (Bitmap* fond = DataBitmap(Donnees, 0); fond != nullptr && Quizz != nullptr)
        StretchBlit(fond, Quizz, 0, 0, BitmapWidth(fond), BitmapHeight(fond), 0, 0, GetMaxX() + 1,
                    GetMaxY() + 1);
    Gagnant = CreateBitmap(RX(780), RY(130));
    if (Bitmap* panneau = DataBitmap(Donnees, 1); panneau != nullptr && Gagnant != nullptr) {
        int w = std::min(655, BitmapWidth(panneau)), h = std::min(274, BitmapHeight(panneau));
        StretchBlit(panneau, Gagnant, 0, 0, w, h, 0, 0, RX(780), RY(130));
    }
    Choix1 = Morceau(125, 100, 90, 75);
    Choix2 = Morceau(810, 100, 90, 75);
    Choix3 = Morceau(90, 225, 844, 143);
    Choix4 = Morceau(84, 425, 340, 95);
    Choix5 = Morceau(595, 425, 340, 95);
    Choix6 = Morceau(84, 575, 340, 95);
    Choix7 = Morceau(595, 575, 340, 95);
}


void DefinitZonesQuestion() {
    InitMouse();
    DefineMouseArea(RX(84), RY(425), RX(424), RY(520));
    DefineMouseArea(RX(595), RY(425), RX(935), RY(520));
    DefineMouseArea(RX(84), RY(575), RX(424), RY(670));
    DefineMouseArea(RX(595), RY(575), RX(935), RY(670));
    DefineMouseArea(PX(GetMaxX(), -40), PY(GetMaxY(), -40), PX(GetMaxX(), -10), PY(GetMaxY(), -10));
    DefineMouseArea(RX(798), RY(233), RX(922), RY(357));
}

void Close() {
    CloseSound();
    CloseMouse();
    CloseFont();
    CloseGraph();
}

void LibereRessources() {
    UnloadDatafile(Donnees);
    Donnees = nullptr;
    for (Bitmap** b : {&Quizz, &Gagnant, &Choix1, &Choix2, &Choix3, &Choix4, &Choix5, &Choix6, &Choix7}) {
        DestroyBitmap(*b);
        *b = nullptr;
    }
}

void ArretSurErreur() {
    SetUFormat(U_ASCII8);
    Message(MessageErreur);
    LibereRessources();
    Close();
    ExitProgram(0);
}

void DessineObjet(int index, int x, int y, int w, int h) {
    if (Bitmap* b = DataBitmap(Donnees, index); b != nullptr) PutImageAdjust(b, x, y, w, h);
}

void FinQuizz() {
    HideMouse();
    EffaceQuestion();
    for (int n = 1; n <= 4; ++n) EffaceReponse(n);
    PutImageAdjust(Gagnant, RX(100), RY(230), RX(780), RY(130));
    // The two lines centred on the panel (100, 230)-(880, 360), inside its
    // stars.
    const char* seconde = "Correction de celui-ci dans quelques secondes...";
    DimText(2);
    AjusteLigne(seconde, TextHeight(), RX(600), RY(55));
    PrendCouleur(kBleu);
    int h = TextHeight();
    CenterTextXY(RX(490), RYPlus(295, -(h / 2)), "FIN DU QUIZZ !");
    CenterTextXY(RX(490), RYPlus(295, h - h / 2), seconde);
    ShowScreen();
    ShowMouse();
    CorrectionQuizz();
}

int GrelinorMain() {
    Liberation liberation;
    EtatInitial();
    Demarrage();
    ChoixNiveau();
    if (LitInfosJeu() == 0) ArretSurErreur();
    CreeMorceaux();
    IdentifieJoueur();
    CreeResultats();
    AfficheEntete();
    PrepareJeu();
    DebutReponses();
    BoucleQuestions();
    LibereRessources();
    Close();
    ExitProgram(0);
}

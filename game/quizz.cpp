// Grelinor's game driver: one run is one pupil playing one quiz, told as one
// sequence: level, identification, questions, review, score, credits. Each
// screen returns to the driver, which alone decides what comes next and
// ends the run.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ajuste.h"
#include "apropos.h"
#include "compteur.h"
#include "correction.h"
#include "couleurs.h"
#include "echelle.h"
#include "etat.h"
#include "ecran.h"
#include "grelinor.h"
#include "joueurs.h"
#include "lumicanvas.h"
#include "niveau.h"
#include "question.h"
#include "reponses_joueur.h"
#include "retour.h"
#include "saisie.h"
#include "score.h"
#include "selection.h"

namespace {

// Fresh records, so that each run starts from the same state (the test
// harness plays several runs in one process).
void EtatInitial() {
    Classe = Reglages{};
    Pupille = Eleve{};
    Jeu = Partie{};
    Vue = Ecran{};
}

// How the part of a run that can stop early ended.
enum class Issue {
    EnCours,  // nothing stopped it: the run goes on
    Finie,    // the last question was answered or timed out
    Quittee,  // Escape during the questions
    Refusee,  // the pupil has played already
    Erreur,   // a data file is missing, malformed or cannot be written: MessageErreur says why
};

// False when there is no display at all: nothing can be shown, the layer
// has said why.
bool Demarrage() {
    SpriteMode(1);
    DrawingMode(1);
    if (InitGraph(4, 1, 0) == 0) return false;
    InitMouse();
    InitFont();
    SetFontMode(1);
    InitSound();
    Vue.CorrectionX = (GetMaxX() + 1) / 1024.0f;
    Vue.CorrectionY = (GetMaxY() + 1) / 768.0f;
    Vue.Donnees = GetData("#");
    return true;
}

// The pupil types his name, or picks it in the checked list.
bool IdentifieJoueur() {
    InitMouse();
    if (Classe.GetInfosJoueur != 0) {
        SaisieInfos();
        return true;
    }
    return VerifieListeJoueurs() != 0 && ChoixJoueur();
}

// Refuses a pupil who has played already, else creates his results file.
// The quiz file is checked first so that a broken quiz never leaves a
// results file that would refuse the pupil at the next run.
Issue CreeResultats() {
    char chemin[TAILLE_CHEMIN];
    if (VerifieFichierQuizz() == 0 || CheminJoueur(chemin, sizeof chemin) == 0) return Issue::Erreur;
    if (JoueurDejaJoue()) return Issue::Refusee;
    switch (CreeFichierJoueur()) {
    case RESULTATS_CREE:
        return Issue::EnCours;
    case RESULTATS_EXISTE:
        return Issue::Refusee;
    default:
        return Issue::Erreur;
    }
}

// The question screen's frame and its six mouse areas.
void AfficheEntete() {
    HideMouse();
    SetUFormat(U_ASCII8);
    DessineCadreQuestion(Pupille, Vue);
    ShowScreen();
    ShowMouse();
    DefinitZonesQuestion();
}

bool PrepareJeu() {
    PrepareQuizz();
    if (ChargeQuizzVerifie() != 0) return false;
    MelangeQuestions();
    SetUFormat(U_UTF8);
    AfficheQuestionReponses(Jeu, Pupille, Vue, 0);
    HideMouse();
    DimText(4);
    SetColor(0);
    CenterTextXY(RX(170), RY(137), "0");
    CenterTextXY(RX(855), RY(137), "0");
    ShowScreen();
    ShowMouse();
    return true;
}

int Compteur() { return DeCompteur(RX(160), RY(296), RY(55), Classe.TempsReponseAutorise); }

// Clicks made while the answer was held or its sound played belong to the
// question just answered: they must not answer the next one.
void OublieClics() {
    while (ClickMouse() == 1) {
    }
}

// The next question; Finie after the last one.
Issue QuestionSuivante() {
    if (Jeu.NumQuestion >= Classe.NombreQuestions - 1) return Issue::Finie;
    ++Jeu.NumQuestion;
    AfficheQuestionReponses(Jeu, Pupille, Vue, 0);
    Jeu.PremiereCompteur = 1;
    return Issue::EnCours;
}

// The results file is rewritten after each question; a file that cannot be
// written ends the run with the reason rather than letting the pupil play
// for nothing.
Issue TempsEcoule() {
    Jeu.TempsJeu += Classe.TempsReponseAutorise;
    Jeu.TempsSecondes = -1;
    ++Jeu.MauvaisesReponses;
    AfficheMauvaiseReponse();
    if (SetInfosJoueur() == 0) return Issue::Erreur;
    NoteReponse(Jeu, 0, Classe.TempsReponseAutorise);
    OublieClics();
    return QuestionSuivante();
}

// Answer n (1 .. 4) chosen for the question on screen.
Issue Repond(int n) {
    Jeu.TempsJeu += Jeu.TempsSecondes;
    const bool bonne = Jeu.Question[Jeu.NumQuestion].BonneReponse[0] == '0' + n;
    if (bonne) {
        AfficheQuestionReponses(Jeu, Pupille, Vue, static_cast<char>(n));
        ++Jeu.BonnesReponses;
        AfficheBonneReponse();
    } else {
        ++Jeu.MauvaisesReponses;
        AfficheMauvaiseReponse();
    }
    if (SetInfosJoueur() == 0) return Issue::Erreur;
    Jeu.JoueurSolo[Jeu.NumQuestion] = static_cast<unsigned char>(bonne ? 60 + n : n);
    NoteReponse(Jeu, n, Jeu.TempsSecondes);
    OublieClics();
    const Issue suite = QuestionSuivante();
    if (suite == Issue::EnCours) Compteur();
    return suite;
}

// One question after the other until the end of the quiz or Escape.
Issue BoucleQuestions() {
    while (GetKeyPressed() != KEY_ESCAPE) {
        Issue issue = Issue::EnCours;
        if (Compteur() == -1) {
            // The next pass starts the new question's clock before any click
            // is taken for it.
            issue = TempsEcoule();
        } else if (ClickMouse() == 1) {
            HideMouse();
            int s = SelectionReponse();
            if (s >= 0 && s <= 3) issue = Repond(s + 1);
        }
        if (issue != Issue::EnCours) return issue;
    }
    return Issue::Quittee;
}

// The end of the quiz: the question and answers wiped, the "FIN DU QUIZZ !"
// panel, left up for the review's delay.
void FinQuizz() {
    HideMouse();
    EffaceQuestion();
    for (int n = 1; n <= 4; ++n) EffaceReponse(n);
    PutImageAdjust(Vue.Gagnant, RX(100), RY(230), RX(780), RY(130));
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
}

// From the level screen to the last question.
Issue JoueQuestions() {
    ChoixNiveau();
    if (LitInfosJeu() == 0) return Issue::Erreur;
    CreeMorceaux();
    if (!IdentifieJoueur()) return Issue::Erreur;
    if (const Issue issue = CreeResultats(); issue != Issue::EnCours) return issue;
    AfficheEntete();
    if (!PrepareJeu()) return Issue::Erreur;
    DebutReponses(Classe, Pupille);
    return BoucleQuestions();
}

// The message that ends a run stopped by its data or by a refusal.
void Explique(Issue issue) {
    SetUFormat(U_ASCII8);
    if (issue == Issue::Erreur) Message(MessageErreur);
    if (issue == Issue::Refusee) Message("Ton nom a déjà été choisi dans la liste !\nAppelle ton professeur.");
}

// What a run cut short from outside leaves (the test harness ends a scripted
// run by unwinding the program): released on the way out.
struct Liberation {
    ~Liberation() { LibereRessources(); }
};

}  // namespace

int GrelinorMain() {
    Liberation liberation;
    EtatInitial();
    if (!Demarrage()) {
        Close();
        return 1;
    }
    const Issue issue = JoueQuestions();
    Explique(issue);
    if (issue == Issue::Finie) {
        FinQuizz();
        if (CorrectionQuizz()) {
            FinJeu();
            AProposFinal();
        }
    }
    LibereRessources();
    Close();
    return 0;
}

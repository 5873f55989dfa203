// Grelinor's game driver: one run is one pupil playing one quiz, told as one
// sequence: level, identification, questions, review, score, credits. Each
// screen returns to the driver, which alone decides what comes next and
// ends the run.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

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
bool Demarrage(Ecran& vue) {
    SpriteMode(1);
    DrawingMode(1);
    if (InitGraph(4, 1, 0) == 0) return false;
    InitMouse();
    InitFont();
    SetFontMode(1);
    InitSound();
    OuvreArchive(vue);
    return true;
}

// The pupil types his name, or picks it in the checked list.
bool IdentifieJoueur(Course& c) {
    InitMouse();
    if (c.Classe.GetInfosJoueur != 0) {
        SaisieInfos(c.Classe, c.Vue, c.Pupille);
        return true;
    }
    return VerifieListeJoueurs(c.Classe.CheminDonnees, c.Liste) != 0 && ChoixJoueur(c.Liste, c.Vue, c.Pupille);
}

// Refuses a pupil who has played already, else creates his results file.
// The quiz file is checked first so that a broken quiz never leaves a
// results file that would refuse the pupil at the next run.
Issue CreeResultats(Course& c) {
    const char* donnees = c.Classe.CheminDonnees;
    const FicheJoueur& joueur = c.Pupille.Joueur;
    char chemin[TAILLE_CHEMIN];
    if (VerifieFichierQuizz(c.Classe, c.Jeu) == 0 || CheminJoueur(donnees, joueur, chemin, sizeof chemin) == 0)
        return Issue::Erreur;
    if (JoueurDejaJoue(donnees, joueur)) return Issue::Refusee;
    switch (CreeFichierJoueur(donnees, joueur)) {
    case RESULTATS_CREE:
        return Issue::EnCours;
    case RESULTATS_EXISTE:
        return Issue::Refusee;
    default:
        return Issue::Erreur;
    }
}

// The question screen's frame and its six mouse areas.
void AfficheEntete(const Course& c) {
    HideMouse();
    SetUFormat(U_ASCII8);
    DessineCadreQuestion(c.Pupille, c.Vue);
    ShowScreen();
    ShowMouse();
    DefinitZonesQuestion();
}

bool PrepareJeu(Course& c) {
    PrepareQuizz(c.Jeu, c.Classe.NombreQuestions);
    if (ChargeQuizzVerifie(c.Classe, c.Jeu) != 0) return false;
    MelangeQuestions(c.Jeu, c.Classe.NombreQuestions);
    SetUFormat(U_UTF8);
    AfficheQuestionReponses(c.Classe.CheminDonnees, c.Jeu, c.Pupille, c.Vue, 0);
    HideMouse();
    DimText(4);
    SetColor(0);
    CenterTextXY(RX(170), RY(137), "0");
    CenterTextXY(RX(855), RY(137), "0");
    ShowScreen();
    ShowMouse();
    return true;
}

int Compteur(Course& c) { return DeCompteur(c.Jeu, RX(160), RY(296), RY(55), c.Classe.TempsReponseAutorise); }

// Clicks made while the answer was held or its sound played belong to the
// question just answered: they must not answer the next one.
void OublieClics() {
    while (ClickMouse() == 1) {
    }
}

// The next question; Finie after the last one.
Issue QuestionSuivante(Course& c) {
    Partie& jeu = c.Jeu;
    if (jeu.NumQuestion >= c.Classe.NombreQuestions - 1) return Issue::Finie;
    ++jeu.NumQuestion;
    AfficheQuestionReponses(c.Classe.CheminDonnees, jeu, c.Pupille, c.Vue, 0);
    jeu.PremiereCompteur = 1;
    return Issue::EnCours;
}

// The results file is rewritten after each question; a file that cannot be
// written ends the run with the reason rather than letting the pupil play
// for nothing.
Issue TempsEcoule(Course& c) {
    Partie& jeu = c.Jeu;
    jeu.TempsJeu += c.Classe.TempsReponseAutorise;
    jeu.TempsSecondes = -1;
    ++jeu.MauvaisesReponses;
    AfficheMauvaiseReponse(c.Vue, jeu.MauvaisesReponses);
    if (SetInfosJoueur(c.Classe.CheminDonnees, c.Pupille.Joueur, jeu) == 0) return Issue::Erreur;
    NoteReponse(c.Carnet, jeu, 0, c.Classe.TempsReponseAutorise);
    OublieClics();
    return QuestionSuivante(c);
}

// Answer n (1 .. 4) chosen for the question on screen.
Issue Repond(Course& c, int n) {
    Partie& jeu = c.Jeu;
    jeu.TempsJeu += jeu.TempsSecondes;
    const bool bonne = jeu.Question[jeu.NumQuestion].BonneReponse[0] == '0' + n;
    if (bonne) {
        AfficheQuestionReponses(c.Classe.CheminDonnees, jeu, c.Pupille, c.Vue, static_cast<char>(n));
        ++jeu.BonnesReponses;
        AfficheBonneReponse(c.Vue, jeu.BonnesReponses);
    } else {
        ++jeu.MauvaisesReponses;
        AfficheMauvaiseReponse(c.Vue, jeu.MauvaisesReponses);
    }
    if (SetInfosJoueur(c.Classe.CheminDonnees, c.Pupille.Joueur, jeu) == 0) return Issue::Erreur;
    jeu.JoueurSolo[jeu.NumQuestion] = static_cast<unsigned char>(bonne ? 60 + n : n);
    NoteReponse(c.Carnet, jeu, n, jeu.TempsSecondes);
    OublieClics();
    const Issue suite = QuestionSuivante(c);
    if (suite == Issue::EnCours) Compteur(c);
    return suite;
}

// One question after the other until the end of the quiz or Escape.
Issue BoucleQuestions(Course& c) {
    while (GetKeyPressed() != KEY_ESCAPE) {
        Issue issue = Issue::EnCours;
        if (Compteur(c) == -1) {
            // The next pass starts the new question's clock before any click
            // is taken for it.
            issue = TempsEcoule(c);
        } else if (ClickMouse() == 1) {
            HideMouse();
            int s = SelectionReponse(c.Classe.CheminDonnees, c.Jeu, c.Pupille, c.Vue);
            if (s >= 0 && s <= 3) issue = Repond(c, s + 1);
        }
        if (issue != Issue::EnCours) return issue;
    }
    return Issue::Quittee;
}

// The end of the quiz: the question and answers wiped, the "FIN DU QUIZZ !"
// panel, left up for the review's delay.
void FinQuizz(const Ecran& vue) {
    HideMouse();
    EffaceQuestion(vue);
    for (int n = 1; n <= 4; ++n) EffaceReponse(vue, n);
    PutImageAdjust(vue.Gagnant, RX(100), RY(230), RX(780), RY(130));
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
Issue JoueQuestions(Course& c) {
    ChoixNiveau(c.Vue, c.Classe.QuelNiveau);
    if (LitInfosJeu(c.Classe) == 0) return Issue::Erreur;
    CreeMorceaux(c.Vue);
    if (!IdentifieJoueur(c)) return Issue::Erreur;
    if (const Issue issue = CreeResultats(c); issue != Issue::EnCours) return issue;
    AfficheEntete(c);
    if (!PrepareJeu(c)) return Issue::Erreur;
    DebutReponses(c.Carnet, c.Classe, c.Pupille);
    return BoucleQuestions(c);
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
    Ecran& vue;
    ~Liberation() { LibereRessources(vue); }
};

}  // namespace

int GrelinorMain() {
    // Fresh records for each run (the test harness plays several runs in one
    // process), on the heap: the quiz's table is too large for a small stack.
    const auto course = std::make_unique<Course>();
    return GrelinorMain(*course);
}

int GrelinorMain(Course& c) {
    Liberation liberation{c.Vue};
    if (!Demarrage(c.Vue)) {
        Close();
        return 1;
    }
    const Issue issue = JoueQuestions(c);
    Explique(issue);
    if (issue == Issue::Finie) {
        FinQuizz(c.Vue);
        if (CorrectionQuizz(c.Classe, c.Jeu, c.Vue)) {
            FinJeu(c.Vue, c.Pupille.Joueur, c.Classe.NombreQuestions);
            AProposFinal(c.Vue);
        }
    }
    LibereRessources(c.Vue);
    Close();
    return 0;
}

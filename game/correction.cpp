// The correction review: one screen per question, drawn with the question
// screen's own pieces.
#include "correction.h"

#include <cstdio>
#include <cstdlib>

#include "echelle.h"
#include "etat.h"
#include "nombres.h"
#include "lumicanvas.h"
#include "question.h"
#include "attente.h"
#include "ecran.h"

namespace {

// The two lines at the foot of a review screen.
void PiedCorrection() {
    SetFontAttribute(2);
    PrendCouleur(kPiedCorrection);
    DimText(0);
    // The second line is lifted off the screen's edge; the first stands a
    // whole line above it, so that the two never overlap.
    int h = TextHeight(), mx = GetMaxX() / 2, y = PY(GetMaxY() - h / 2, -7);
    CenterTextXY(mx, y - h,
                 "En vert, la réponse attendue et en rouge votre réponse si différente de la bonne réponse !");
    PrendCouleur(kBleu);
    CenterTextXY(mx, y, "Appuyez sur une touche ou cliquez pour poursuivre ...");
    // The question texts of the next screen are drawn upright, as on the
    // first one.
    SetFontAttribute(0);
}

// The review screen of question `numero`.
void EcranCorrection(const char* donnees, Partie& jeu, const Ecran& vue, int numero) {
    FicheQuestion& q = jeu.Question[numero];
    HideMouse();
    DessineObjet(vue, 0, 0, 0, GetMaxX(), GetMaxY());
    DimText(2);
    PrendCouleur(kEnteteCorrection);
    char titre[64];
    snprintf(titre, sizeof titre, "#iCorrection de la question %d#", numero + 1);
    OutCenterTextXY(GetMaxX() / 2, RY(25), titre);
    PrendCouleur(kTexteBoite);
    DessineVignette(donnees, vue, q, nullptr);
    for (int k = 1; k <= 4; ++k) DessineReponse(donnees, q, k, CouleurCorrection(jeu, numero, k));
    PrendCouleur(kTexteBoite);
    DessineEnonce(q);
}

// Until a key or a mouse button goes down; false for Escape. `boutonTenu`:
// a button still down from the click that ended the previous screen; it must
// be released before a press counts again, so one click goes on by one
// question only.
bool AttendSuite(bool& boutonTenu) {
    Attente a;
    a.boutonTenu = boutonTenu;
    const Reveil r = Attend(a);
    boutonTenu = r.tenu;
    return r.touche != KEY_ESCAPE;
}

// The number of questions, kept within the question table.
int NombreCorrections(const Reglages& classe) {
    return static_cast<int>(LitEntierSature(classe.NbQuestionsM0, 0, MAX_QUESTIONS));
}

}  // namespace

Couleur CouleurCorrection(const Partie& jeu, int numero, int k) {
    if (LitEntierSature(jeu.Question[numero].BonneReponse, 0, 4) == k) return kReponseAttendue;
    if (jeu.JoueurSolo[numero] == k) return kReponseFausse;
    return kTexteBoite;
}

bool CorrectionQuizz(const Reglages& classe, Partie& jeu, const Ecran& vue) {
    Delay(5000);
    bool boutonTenu = false;
    for (jeu.NumQuestion = 0; jeu.NumQuestion != NombreCorrections(classe);) {
        EcranCorrection(classe.CheminDonnees, jeu, vue, jeu.NumQuestion);
        ++jeu.NumQuestion;
        PiedCorrection();
        ShowScreen();
        ShowMouse();
        if (!AttendSuite(boutonTenu)) return false;
        ClearKeyBuf();
    }
    return true;
}

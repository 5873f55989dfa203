// The correction review: one screen per question, drawn with the question
// screen's own pieces.
#include "correction.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>

#include "disposition.h"
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

// A stroke of thickness 2r + 1 from (x1, y1) to (x2, y2), in the current colour.
void Trait(int x1, int y1, int x2, int y2, int r) {
    const int pas = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    for (int i = 0; i <= pas; ++i) DrawCircleFill(x1 + (x2 - x1) * i / std::max(pas, 1), y1 + (y2 - y1) * i / std::max(pas, 1), r);
}

// Beside answer box k, outside it (to the left of the left column, to the
// right of the right one): a check mark for the expected answer, a cross for
// a wrong chosen one, thick and dark enough to be seen from a pupil's chair
// and read without their colours.
void MarqueCorrection(int k, Couleur couleur) {
    const Boite& b = kQuestion.reponses[k - 1];
    const double cx = k % 2 == 1 ? b.x - 42 : b.x2() + 44;
    const double cy = b.y + b.h / 2.0;
    const int r = std::max(2, RY(5));
    PrendCouleur(couleur);
    if (RGBDe(couleur) == RGBDe(kReponseAttendue)) {
        Trait(RX(cx - 24), RY(cy), RX(cx - 8), RY(cy + 18), r);
        Trait(RX(cx - 8), RY(cy + 18), RX(cx + 24), RY(cy - 22), r);
    } else {
        Trait(RX(cx - 20), RY(cy - 20), RX(cx + 20), RY(cy + 20), r);
        Trait(RX(cx - 20), RY(cy + 20), RX(cx + 20), RY(cy - 20), r);
    }
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
    for (int k = 1; k <= 4; ++k) {
        const Couleur c = CouleurCorrection(jeu, numero, k);
        DessineReponse(donnees, q, k, c);
        if (RGBDe(c) != RGBDe(kTexteBoite)) MarqueCorrection(k, c);
    }
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

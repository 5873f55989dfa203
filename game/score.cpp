// The final score screen.
#include "score.h"

#include <cstdio>
#include <cstdlib>

#include "echelle.h"
#include "etat.h"
#include "lumicanvas.h"
#include "nombres.h"
#include "attente.h"
#include "ecran.h"

namespace {

// The score "n/N" in its box, a quarter of the way down.
void CadreScore(const FicheJoueur& joueur, int nombreQuestions) {
    int mx = GetMaxX() / 2, y = GetMaxY() / 4;
    SetColor(12);
    DimText(4);
    int h = TextHeight(), w = TextLength("XXRésultat obtenu :XX");
    DrawRectangle(mx - w / 2, y - h, mx + w / 2, y + h);
    CenterTextXY(mx, y - h / 2, "Résultat obtenu :");
    char score[32];
    snprintf(score, sizeof score, "%d/%d", BonnesLues(joueur), nombreQuestions);
    CenterTextXY(mx, y + h / 2, score);
}

void Adieux(const Ecran& vue) {
    int mx = GetMaxX() / 2;
    SetColor(15);
    DimText(5);
    int h = TextHeight();
    CenterTextXY(mx, GetMaxY() / 2 - h / 2, "A bientôt pour un nouveau");
    CenterTextXY(mx, GetMaxY() / 2 + h / 2, "test de tes connaissances !");
    DimText(1);
    CenterTextXY(mx, GetMaxY() - TextHeight(), "Appuyez sur une touche pour quitter.");
    DessineObjet(vue, 3, static_cast<int>(mx - 75 * CorrectionX()), static_cast<int>(3 * GetMaxY() / 4 - 75 * CorrectionY()),
                 RX(150), RY(150));
}

}  // namespace

// The right-answer count as last written to the results file; the field
// only ever holds digits, read with the shared bounded reader all the same.
int BonnesLues(const FicheJoueur& joueur) { return static_cast<int>(LitEntierSature(joueur.Bonnes, 0, MAX_QUESTIONS)); }

void FinJeu(const Ecran& vue, const FicheJoueur& joueur, int nombreQuestions) {
    HideMouse();
    SetUFormat(U_ASCII8);
    DessineObjet(vue, 2, 0, 0, GetMaxX(), GetMaxY());
    SetColor(15);
    DrawRectangle(0, 0, GetMaxX(), GetMaxY());
    DrawRectangle(4, 4, GetMaxX() - 4, GetMaxY() - 4);
    CadreScore(joueur, nombreQuestions);
    Adieux(vue);
    ShowScreen();
    AttendTouche();
}

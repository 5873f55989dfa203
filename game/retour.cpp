// Feedback after each question (counters and sounds) and the erasing of
// the question screen at the end of the quiz.
#include "retour.h"

#include "attente.h"
#include "couleurs.h"
#include "echelle.h"
#include "etat.h"
#include "lumicanvas.h"

namespace {

// A counter's background put back, then its new value.
void DessineCompteur(Bitmap* fond, int x, int y, int valeur) {
    HideMouse();
    PutImage(fond, RX(x - 45), RY(y - 37));
    DimText(4);
    PrendCouleur(kTexteBoite);
    CenterTextXY(RX(x), RY(y), NbToTxt(valeur));
    ShowScreen();
    ShowMouse();
}

void RemetFond(Bitmap* fond, int x, int y) {
    HideMouse();
    PutImage(fond, RX(x), RY(y));
    ShowScreen();
    ShowMouse();
}

}  // namespace

void AfficheBonneReponse() {
    DessineCompteur(Vue.Choix1, 170, 137, Jeu.BonnesReponses);
    PlayMusic("correct.mp3");
}

void AfficheMauvaiseReponse() {
    DessineCompteur(Vue.Choix2, 855, 137, Jeu.MauvaisesReponses);
    PlayMusic("incorrect.mp3");
}

void EffaceQuestion() { RemetFond(Vue.Choix3, 90, 225); }

void EffaceReponse(int n) {
    Bitmap* fonds[4] = {Vue.Choix4, Vue.Choix5, Vue.Choix6, Vue.Choix7};
    constexpr int x[4] = {84, 595, 84, 595};
    constexpr int y[4] = {425, 425, 575, 575};
    if (n < 1 || n > 4) {
        ShowScreen();
        return;
    }
    RemetFond(fonds[n - 1], x[n - 1], y[n - 1]);
}

void PlayMusic(const char* file) {
    // Until the sound ends, the left button alone is down or a key waits.
    Attente a;
    a.touches = Touches::Restent;
    a.boutons = false;
    a.passe = [file] { return PlaySnd(file, 0) == 1 || GetMouseButton() == 1; };
    Attend(a);
    StopSnd(file);
}

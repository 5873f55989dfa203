// Feedback after each question (counters and sounds) and the erasing of
// the question screen at the end of the quiz.
#include "retour.h"

#include "attente.h"
#include "couleurs.h"
#include "disposition.h"
#include "echelle.h"
#include "etat.h"
#include "lumicanvas.h"

namespace {

// A counter's background put back, then its new value in its centre.
void DessineCompteur(Bitmap* fond, const Boite& boite, int valeur) {
    HideMouse();
    PutImage(fond, RX(boite.x), RY(boite.y));
    DimText(4);
    PrendCouleur(kTexteBoite);
    CenterTextXY(RX(boite.x + boite.w / 2), RY(boite.y + boite.h / 2), NbToTxt(valeur));
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

void AfficheBonneReponse(const Ecran& vue, int bonnes) {
    DessineCompteur(vue.Choix1, kQuestion.bonnes, bonnes);
    PlayMusic("correct.mp3");
}

void AfficheMauvaiseReponse(const Ecran& vue, int mauvaises) {
    DessineCompteur(vue.Choix2, kQuestion.mauvaises, mauvaises);
    PlayMusic("incorrect.mp3");
}

void EffaceQuestion(const Ecran& vue) { RemetFond(vue.Choix3, kQuestion.enonce.x, kQuestion.enonce.y); }

void EffaceReponse(const Ecran& vue, int n) {
    Bitmap* fonds[4] = {vue.Choix4, vue.Choix5, vue.Choix6, vue.Choix7};
    if (n < 1 || n > 4) {
        ShowScreen();
        return;
    }
    RemetFond(fonds[n - 1], kQuestion.reponses[n - 1].x, kQuestion.reponses[n - 1].y);
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

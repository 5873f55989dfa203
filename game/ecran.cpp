// The screen's shared pieces: the nine pieces of the question screen, its
// mouse areas, the archive's pictures, the end of the media library.
#include "ecran.h"

#include <algorithm>

#include "echelle.h"
#include "etat.h"
#include "lumicanvas.h"

namespace {

// A background piece of the question screen, cut from Quizz at (x, y).
Bitmap* Morceau(int x, int y, int w, int h) {
    Bitmap* b = CreateBitmap(RX(w), RY(h));
    if (b != nullptr && Vue.Quizz != nullptr) Blit(Vue.Quizz, b, RX(x), RY(y), 0, 0, RX(w), RY(h));
    return b;
}

}  // namespace

void CreeMorceaux() {
    Vue.Quizz = CreateBitmap(GetMaxX() + 1, GetMaxY() + 1);
    if (Bitmap* fond = DataBitmap(Vue.Donnees, 0); fond != nullptr && Vue.Quizz != nullptr)
        StretchBlit(fond, Vue.Quizz, 0, 0, BitmapWidth(fond), BitmapHeight(fond), 0, 0, GetMaxX() + 1,
                    GetMaxY() + 1);
    Vue.Gagnant = CreateBitmap(RX(780), RY(130));
    if (Bitmap* panneau = DataBitmap(Vue.Donnees, 1); panneau != nullptr && Vue.Gagnant != nullptr) {
        int w = std::min(655, BitmapWidth(panneau)), h = std::min(274, BitmapHeight(panneau));
        StretchBlit(panneau, Vue.Gagnant, 0, 0, w, h, 0, 0, RX(780), RY(130));
    }
    Vue.Choix1 = Morceau(125, 100, 90, 75);
    Vue.Choix2 = Morceau(810, 100, 90, 75);
    Vue.Choix3 = Morceau(90, 225, 844, 143);
    Vue.Choix4 = Morceau(84, 425, 340, 95);
    Vue.Choix5 = Morceau(595, 425, 340, 95);
    Vue.Choix6 = Morceau(84, 575, 340, 95);
    Vue.Choix7 = Morceau(595, 575, 340, 95);
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
    UnloadDatafile(Vue.Donnees);
    Vue.Donnees = nullptr;
    for (Bitmap** b : {&Vue.Quizz, &Vue.Gagnant, &Vue.Choix1, &Vue.Choix2, &Vue.Choix3, &Vue.Choix4, &Vue.Choix5, &Vue.Choix6, &Vue.Choix7}) {
        DestroyBitmap(*b);
        *b = nullptr;
    }
}

void DessineObjet(int index, int x, int y, int w, int h) {
    if (Bitmap* b = DataBitmap(Vue.Donnees, index); b != nullptr) PutImageAdjust(b, x, y, w, h);
}

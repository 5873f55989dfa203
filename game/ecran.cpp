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

void DessineObjet(int index, int x, int y, int w, int h) {
    if (Bitmap* b = DataBitmap(Donnees, index); b != nullptr) PutImageAdjust(b, x, y, w, h);
}

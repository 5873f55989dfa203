// The screen's shared pieces: the nine pieces of the question screen, its
// mouse areas, the archive's pictures, the end of the media library.
#include "ecran.h"

#include <algorithm>

#include "disposition.h"
#include "echelle.h"
#include "etat.h"
#include "lumicanvas.h"

namespace {

// A background piece of the question screen, cut from Quizz.
Bitmap* Morceau(const Ecran& vue, const Boite& z) {
    Bitmap* b = CreateBitmap(RX(z.w), RY(z.h));
    if (b != nullptr && vue.Quizz != nullptr) Blit(vue.Quizz, b, RX(z.x), RY(z.y), 0, 0, RX(z.w), RY(z.h));
    return b;
}

void ZoneSouris(const Boite& z) { DefineMouseArea(RX(z.x), RY(z.y), RX(z.x2()), RY(z.y2())); }

}  // namespace

void OuvreArchive(Ecran& vue) { vue.Donnees = GetData("#"); }

void CreeMorceaux(Ecran& vue) {
    vue.Quizz = CreateBitmap(GetMaxX() + 1, GetMaxY() + 1);
    if (Bitmap* fond = DataBitmap(vue.Donnees, 0); fond != nullptr && vue.Quizz != nullptr)
        StretchBlit(fond, vue.Quizz, 0, 0, BitmapWidth(fond), BitmapHeight(fond), 0, 0, GetMaxX() + 1,
                    GetMaxY() + 1);
    vue.Gagnant = CreateBitmap(RX(780), RY(130));
    if (Bitmap* panneau = DataBitmap(vue.Donnees, 1); panneau != nullptr && vue.Gagnant != nullptr) {
        int w = std::min(655, BitmapWidth(panneau)), h = std::min(274, BitmapHeight(panneau));
        StretchBlit(panneau, vue.Gagnant, 0, 0, w, h, 0, 0, RX(780), RY(130));
    }
    vue.Choix1 = Morceau(vue, kQuestion.bonnes);
    vue.Choix2 = Morceau(vue, kQuestion.mauvaises);
    vue.Choix3 = Morceau(vue, kQuestion.enonce);
    vue.Choix4 = Morceau(vue, kQuestion.reponses[0]);
    vue.Choix5 = Morceau(vue, kQuestion.reponses[1]);
    vue.Choix6 = Morceau(vue, kQuestion.reponses[2]);
    vue.Choix7 = Morceau(vue, kQuestion.reponses[3]);
}


void DefinitZonesQuestion() {
    InitMouse();
    for (const Boite& r : kQuestion.reponses) ZoneSouris(r);
    DefineMouseArea(PX(GetMaxX(), -40), PY(GetMaxY(), -40), PX(GetMaxX(), -10), PY(GetMaxY(), -10));
    ZoneSouris(kQuestion.zoneVignette);
}

void Close() {
    CloseSound();
    CloseMouse();
    CloseFont();
    CloseGraph();
}

void LibereRessources(Ecran& vue) {
    UnloadDatafile(vue.Donnees);
    vue.Donnees = nullptr;
    for (Bitmap** b : {&vue.Quizz, &vue.Gagnant, &vue.Choix1, &vue.Choix2, &vue.Choix3, &vue.Choix4, &vue.Choix5, &vue.Choix6, &vue.Choix7}) {
        DestroyBitmap(*b);
        *b = nullptr;
    }
}

void DessineObjet(const Ecran& vue, int index, int x, int y, int w, int h) {
    if (Bitmap* b = DataBitmap(vue.Donnees, index); b != nullptr) PutImageAdjust(b, x, y, w, h);
}

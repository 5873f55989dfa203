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
Bitmap* Morceau(const Ecran& Vue, const Boite& z) {
    Bitmap* b = CreateBitmap(RX(z.w), RY(z.h));
    if (b != nullptr && Vue.Quizz != nullptr) Blit(Vue.Quizz, b, RX(z.x), RY(z.y), 0, 0, RX(z.w), RY(z.h));
    return b;
}

void ZoneSouris(const Boite& z) { DefineMouseArea(RX(z.x), RY(z.y), RX(z.x2()), RY(z.y2())); }

}  // namespace

void OuvreArchive(Ecran& vue) { vue.Donnees = GetData("#"); }

void CreeMorceaux(Ecran& Vue) {
    Vue.Quizz = CreateBitmap(GetMaxX() + 1, GetMaxY() + 1);
    if (Bitmap* fond = DataBitmap(Vue.Donnees, 0); fond != nullptr && Vue.Quizz != nullptr)
        StretchBlit(fond, Vue.Quizz, 0, 0, BitmapWidth(fond), BitmapHeight(fond), 0, 0, GetMaxX() + 1,
                    GetMaxY() + 1);
    Vue.Gagnant = CreateBitmap(RX(780), RY(130));
    if (Bitmap* panneau = DataBitmap(Vue.Donnees, 1); panneau != nullptr && Vue.Gagnant != nullptr) {
        int w = std::min(655, BitmapWidth(panneau)), h = std::min(274, BitmapHeight(panneau));
        StretchBlit(panneau, Vue.Gagnant, 0, 0, w, h, 0, 0, RX(780), RY(130));
    }
    Vue.Choix1 = Morceau(Vue, kQuestion.bonnes);
    Vue.Choix2 = Morceau(Vue, kQuestion.mauvaises);
    Vue.Choix3 = Morceau(Vue, kQuestion.enonce);
    Vue.Choix4 = Morceau(Vue, kQuestion.reponses[0]);
    Vue.Choix5 = Morceau(Vue, kQuestion.reponses[1]);
    Vue.Choix6 = Morceau(Vue, kQuestion.reponses[2]);
    Vue.Choix7 = Morceau(Vue, kQuestion.reponses[3]);
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

void LibereRessources(Ecran& Vue) {
    UnloadDatafile(Vue.Donnees);
    Vue.Donnees = nullptr;
    for (Bitmap** b : {&Vue.Quizz, &Vue.Gagnant, &Vue.Choix1, &Vue.Choix2, &Vue.Choix3, &Vue.Choix4, &Vue.Choix5, &Vue.Choix6, &Vue.Choix7}) {
        DestroyBitmap(*b);
        *b = nullptr;
    }
}

void DessineObjet(const Ecran& Vue, int index, int x, int y, int w, int h) {
    if (Bitmap* b = DataBitmap(Vue.Donnees, index); b != nullptr) PutImageAdjust(b, x, y, w, h);
}

// The question's medium opened from its thumbnail.
#include "extraits.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "ajuste.h"
#include "attente.h"
#include "compteur.h"
#include "couleurs.h"
#include "echelle.h"
#include "etat.h"
#include "fichier_quizz.h"
#include "lumicanvas.h"
#include "ecran.h"
#include "selection.h"

namespace {

// The path of a medium of the questions' folders, long enough for any of them.
using CheminExtrait = char[256];

// The media path of `nom` in the folder `dossier` of the questions of the
// data folder `donnees`, built in `chemin`. False when it does not fit (never
// a cut path), the file is absent or its name leaves the folder.
bool CheminMedia(const char* donnees, const char* dossier, const char* nom, CheminExtrait& chemin) {
    return CheminMediaQuizz(donnees, dossier, nom, chemin, sizeof chemin);
}

// Whether the path's extension (its text from the last ".") is `ext`,
// whatever the case of its letters.
bool ExtensionEst(const char* chemin, const char* ext) {
    const char* point = std::strrchr(chemin, '.');
    if (point == nullptr || std::strlen(point) != std::strlen(ext)) return false;
    for (std::size_t i = 0; ext[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(point[i])) != ext[i]) return false;
    return true;
}

// Clicks made while a medium was open closed it: they are not answers.
void OublieClics() {
    while (ClickMouse() == 1) {
    }
}

// The wait of a view opened by a click: the button that opened it is most
// often still held when the view comes up, and counts only once it has been
// released and pressed again, so that the click on the thumbnail does not
// close at once what it opened.
Attente AttenteVue(Touches touches) {
    Attente a;
    a.touches = touches;
    a.boutonTenu = true;
    return a;
}

// Waits for the click that opened the view to end (keys are thrown away),
// then for one whole click.
void AttendNouveauClic() {
    Attente a = AttenteVue(Touches::Jetees);
    a.relache = true;
    Attend(a);
}

// A box of w x h reference units, scaled on the longer side, centred.
Cadrage Centre(double largeur, double hauteur) {
    double x = (GetMaxX() - largeur) / 2, y = (GetMaxY() - hauteur) / 2;
    return {static_cast<int>(x), static_cast<int>(y), static_cast<int>(largeur), static_cast<int>(hauteur)};
}

// ---------------------------------------------------------------------------
// Picture
// ---------------------------------------------------------------------------

// The box at the foot of the full-screen picture: the clock is stopped, a
// click goes back to the question.
void BoiteRemarques() {
    const char* s = "Le chronomètre est arrêté pendant l'affichage de l'image !";
    DimText(0);
    int l = TextLength(s), t = TextHeight(), mx = GetMaxX() / 2, my = GetMaxY();
    SetColor(15);
    DrawRectFill(PX(mx - l / 2, -5), my - 4 * t, PX(mx + l / 2, 5), PY(my, -2));
    SetColor(0);
    DrawRectangle(PX(mx - l / 2, -5), my - 4 * t, PX(mx + l / 2, 5), PY(my, -2));
    CenterTextXY(mx, my - 3 * t, "Remarques :");
    CenterTextXY(mx, my - 2 * t, s);
    CenterTextXY(mx, my - t, "Pour répondre à la question posée, cliquez !");
}

// The GIF `chemin`, one frame per pass, until a key or a mouse button.
void AnimeGIF(const char* chemin, int w, int h) {
    Cadrage c = CadrageGIF(w, h);
    int etat = -1;
    Attente a = AttenteVue(Touches::Restent);
    a.passe = [&] {
        if (c.w > 0 && c.h > 0) ShowGIFAdjust(chemin, c.x, c.y, c.w, c.h, &etat);
        BoiteRemarques();
        Delay(100);
        ShowScreen();
        return false;
    };
    Attend(a);
    FreeGIFS();
    ClickMouse();
}

void ImageFixe(const Bitmap* image, int w, int h) {
    Cadrage c = CadrageImage(w, h);
    if (image != nullptr && c.w > 0 && c.h > 0) PutImageAdjust(image, c.x, c.y, c.w, c.h);
    BoiteRemarques();
    ShowScreen();
    AttendNouveauClic();
}

void MontreImage(const char* chemin, int& vue) {
    bool gif = ExtensionEst(chemin, ".gif");
    Bitmap* ecran = GetImage(0, 0, GetMaxX(), GetMaxY());
    SetColor(15);
    DrawRectFill(0, 0, GetMaxX(), GetMaxY());
    // An unreadable picture has no size: the view opens on white and
    // closes as any other.
    Bitmap* image = GetDataIMG(chemin, 0);
    int w = BitmapWidth(image), h = BitmapHeight(image);
    if (gif)
        AnimeGIF(chemin, w, h);
    else
        ImageFixe(image, w, h);
    PutImage(ecran, 0, 0);
    ShowScreen();
    DestroyBitmap(image);
    DestroyBitmap(ecran);
    vue = 1;
}

// ---------------------------------------------------------------------------
// Sound extract
// ---------------------------------------------------------------------------

// The black panel with its double yellow outline and its remarks.
void PanneauSon(int y0, int y1) {
    SetColor(0);
    DrawRectFill(RX(250), y0, RX(774), y1);
    SetColor(14);
    DrawRectangle(RX(250), y0, RX(774), y1);
    DrawRectangle(RX(252), PY(GetMaxY() / 2, -48), RX(772), PY(GetMaxY() / 2, 48));
    DimText(0);
    int t = TextHeight(), mx = GetMaxX() / 2;
    SetColor(12);
    CenterTextXY(mx, y0 + t, "Remarques :");
    PrendCouleur(kRemarqueSon);
    CenterTextXY(mx, y0 + 2 * t, "Le chronomètre est arrêté pendant la lecture de cet extrait sonore !");
    CenterTextXY(mx, y0 + 3 * t, "Cet extrait n'est écoutable qu'une seule fois !");
    CenterTextXY(mx, y0 + 4 * t, "Pour répondre à la question posée, cliquez !");
}

void EcouteSon(const char* chemin, int& ecoute) {
    bool mp3 = ExtensionEst(chemin, ".mp3");
    SetUFormat(U_ASCII8);
    HideMouse();
    int y0 = PY(GetMaxY() / 2, -50), y1 = PY(GetMaxY() / 2, 50);
    Bitmap* dessous = GetImage(RX(250), y0, RX(774), y1);
    PanneauSon(y0, y1);
    ShowScreen();
    ShowMouse();
    if (mp3) {
        // Fed until a button goes down, even once the extract has ended.
        Attente a = AttenteVue(Touches::Ignorees);
        a.passe = [&] {
            PlaySnd(chemin, 0);
            return false;
        };
        Attend(a);
    } else {
        PlaySnd(chemin, 0);
        AttendNouveauClic();
    }
    HideMouse();
    PutImage(dessous, RX(250), y0);
    ShowScreen();
    ShowMouse();
    DestroyBitmap(dessous);
    StopSnd(chemin);
    ecoute = 1;
    AttendClic();
}

// ---------------------------------------------------------------------------
// Video extract
// ---------------------------------------------------------------------------

// The question recalled above the video: its first line, and its third
// when it has one, a fifth larger than on the question screen.
void RappelEnonce(const FicheQuestion& q) {
    int mx = GetMaxX() / 2, y = GetMaxY() / 4 - 75;
    SetColor(15);
    // A long line steps down to stay on the screen.
    const int largeur = GetMaxX() - RX(40);
    if (q.Enonce3[0] == '\0') {
        AjusteLigne(q.Enonce1, static_cast<int>(30 * CorrectionY() * 1.2), largeur, GetMaxY());
        OutCenterTextXY(mx, y, q.Enonce1);
        return;
    }
    int t = static_cast<int>(28 * CorrectionY() * 1.2);
    t = std::min(AjusteLigne(q.Enonce1, t, largeur, GetMaxY()), AjusteLigne(q.Enonce3, t, largeur, GetMaxY()));
    SetDimText(t);
    OutCenterTextXY(mx, y - TextHeight(), q.Enonce1);
    OutCenterTextXY(mx, y, q.Enonce3);
}

void RemarquesVideo() {
    SetColor(0);
    DimText(0);
    int yb = static_cast<int>((3 * GetMaxY() + 300 * CorrectionY()) / 4), t = TextHeight();
    int mx = GetMaxX() / 2;
    OutCenterTextXY(mx, yb - t, "#uRemarques :#");
    CenterTextXY(mx, yb, "Le chronomètre est arrêté pendant la lecture de cette vidéo !");
    CenterTextXY(mx, yb + t, "Cet extrait n'est visualisable qu'une seule fois !");
    CenterTextXY(mx, yb + 2 * t,
                 "Pour répondre à la question posée, cliquez sur la croix ou attendre la fin de l'extrait vidéo.");
}

// The video screen: background, double frame, emblem, close cross (whose
// mouse area is returned), the question and the remarks.
int EcranVideo(const Ecran& vue, const FicheQuestion& q) {
    int mx = GetMaxX() / 2, my = GetMaxY() / 2;
    DessineObjet(vue, 2, 0, 0, GetMaxX(), GetMaxY());
    SetColor(15);
    DrawRectangle(mx - 203, my - 153, mx + 203, my + 153);
    DrawRectangle(mx - 205, my - 155, mx + 205, my + 155);
    DessineObjet(vue, 6, RX(10), RY(10), RX(100), RY(100));
    DessineObjet(vue, 8, static_cast<int>(GetMaxX() - 50 * CorrectionX() - 30 * CorrectionX()), RY(30), RX(50), RY(50));
    int croix = DefineMouseArea(PX(GetMaxX(), -80), RY(30), PX(GetMaxX(), -30), RY(80));
    RappelEnonce(q);
    RemarquesVideo();
    return croix;
}

void RegardeVideo(const Ecran& vue, const FicheQuestion& q, const char* chemin, int& regardee) {
    HideMouse();
    OpenVideo(chemin);
    Bitmap* ecran = GetImage(0, 0, GetMaxX(), GetMaxY());
    int croix = EcranVideo(vue, q);
    ShowScreen();
    ShowMouse();
    for (bool fini = false; !fini;) {
        fini = (GetMouseArea() == croix && GetMouseButton() == 1) || GetVideoCurrentTime() == GetVideoEndTime();
        PlayVideo(GetMaxX() / 2 - 200, GetMaxY() / 2 - 150, 400, 300, 0);
    }
    CloseVideo();
    DestroyMouseArea(croix);
    regardee = 1;
    PutImage(ecran, 0, 0);
    ShowScreen();
    DestroyBitmap(ecran);
}

// The medium was shown: its time is given back to the countdown and the
// clicks that closed it are taken up.
void Referme(Partie& jeu) {
    OublieClics();
    DecaleCompteur(jeu);
}

}  // namespace

Cadrage CadrageImage(int w, int h) {
    if (w <= 0 || h <= 0) return {0, 0, 0, 0};
    if (w >= h) return Centre(1024.0 * CorrectionX(), 1024.0 * CorrectionX() * h / w);
    return Centre(768.0 * CorrectionY() * w / h, 768.0 * CorrectionY());
}

Cadrage CadrageGIF(int w, int h) {
    if (w <= 0 || h <= 0) return {0, 0, 0, 0};
    if (w >= h) return Centre(400.0 * CorrectionX(), 400.0 * CorrectionX() * h / w);
    return Centre(300.0 * CorrectionY() * w / h, 300.0 * CorrectionY());
}

void ExtraitsMedia(const char* donnees, const Ecran& vue, Partie& jeu) {
    if (jeu.NumQuestion < 0 || jeu.NumQuestion >= MAX_QUESTIONS) return;
    FicheQuestion& q = jeu.Question[jeu.NumQuestion];
    CheminExtrait chemin;
    if (q.Image[0] != '\0' && q.Image[0] != '_' && jeu.VueImage == 0 && CheminMedia(donnees, "images", q.Image, chemin)) {
        MontreImage(chemin, jeu.VueImage);
        Referme(jeu);
    }
    if (q.Son[0] != '\0' && jeu.ExtraitSonEcoute == 0 && CheminMedia(donnees, "sons", q.Son, chemin)) {
        EcouteSon(chemin, jeu.ExtraitSonEcoute);
        Referme(jeu);
    }
    if (q.Video[0] != '\0' && jeu.VideoVue == 0 && CheminMedia(donnees, "videos", q.Video, chemin)) {
        RegardeVideo(vue, q, chemin, jeu.VideoVue);
        Referme(jeu);
    }
}

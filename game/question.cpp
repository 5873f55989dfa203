// The question screen and the drawing pieces it shares with the correction
// review: thumbnail, answers, question lines.
#include "question.h"

#include <cstdio>
#include <cstring>

#include "echelle.h"
#include "fichier_quizz.h"
#include "lumicanvas.h"
#include "quizz.h"

namespace {

// Answer boxes 1 .. 4: picture square's top-left corner, text centre x with
// and without a picture, text centre y (reference units).
struct PlaceReponse {
    int imageX, imageY, texteAvecImage, texteSansImage, texteY;
};
constexpr PlaceReponse kPlaces[4] = {
    {350, 445, 224, 254, 472},
    {615, 445, 795, 765, 472},
    {350, 585, 224, 254, 612},
    {615, 585, 795, 765, 612},
};

constexpr int kVignetteX = 800, kVignetteY = 235, kVignetteTaille = 120;

// A picture file of the questions' folder scaled into a white square
// outlined in black (reference units).
void ImageEncadree(const char* nom, int x, int y, int taille) {
    CheminMediaQuizz("images", nom, msg, sizeof msg);
    SetColor(15);
    DrawRectFill(RX(x), RY(y), RX(x + taille), RY(y + taille));
    if (msg[0] != '\0') ShowPictureAdjust(msg, RX(x), RY(y), RX(taille), RY(taille));
    SetColor(0);
    DrawRectangle(RX(x), RY(y), RX(x + taille), RY(y + taille));
}

// An archive object in the thumbnail's square, white behind, black outline.
void ObjetEncadre(int objet) {
    int x = kVignetteX, y = kVignetteY, t = kVignetteTaille;
    SetColor(15);
    DrawRectFill(RX(x), RY(y), RX(x + t), RY(y + t));
    DessineObjet(objet, RX(x), RY(y), RX(t), RY(t));
    SetColor(0);
    DrawRectangle(RX(x), RY(y), RX(x + t), RY(y + t));
}

// The name a question picture is drawn from. A name that begins with "_"
// marks a thumbnail-only picture: the name is what follows the leading "_"
// up to the next "_", where the field is cut.
const char* NomVignette(char* image) {
    char* p = image;
    while (*p == '_') ++p;
    if (p != image) {
        char* fin = std::strchr(p, '_');
        if (fin) *fin = '\0';
    }
    return p;
}

void Invitation(const char* texte) {
    DimText(0);
    SetColor(0);
    CenterTextXY(RX(512), RY(350), texte);
}

void DessineCompteurs() {
    DimText(4);
    SetColor(0);
    CenterTextXY(RX(170), RY(137), NbToTxt(BonnesReponses));
    CenterTextXY(RX(855), RY(137), NbToTxt(MauvaisesReponses));
}

}  // namespace

void DessineCadreQuestion() {
    PutImageAdjust(Quizz, 0, 0, GetMaxX(), GetMaxY());
    snprintf(msg, sizeof msg, "%s %s (%s)", NOM_JOUEUR, PRENOM_JOUEUR, CLASSE_JOUEUR);
    SetColor(14);
    DimText(3);
    TextXY(GetMaxX() / 2 - TextLength(msg) / 2, 5, msg);
    SetColor(1);
    DimText(1);
    CenterTextXY(GetMaxX() / 2, GetMaxY() - TextHeight(), "'Pivolette' du collège Vermandière de BRUNOIS");
    DimText(3);
    TextXY(PX(GetMaxX(), -40), PY(GetMaxY(), -50), "@");
}

void DessineVignette(FicheQuestion& q, bool invitations) {
    if (q.Image[0] != '\0') {
        bool ouvrable = q.Image[0] != '_';
        ImageEncadree(NomVignette(q.Image), kVignetteX, kVignetteY, kVignetteTaille);
        if (ouvrable && invitations) {
            VueImage = 0;
            Invitation("Cliquez sur l'image pour l'observer en plein écran !");
        }
    }
    if (q.Son[0] != '\0') {
        ObjetEncadre(4);
        if (invitations) {
            ExtraitSonEcoute = 0;
            Invitation("Cliquez sur le haut-parleur pour écouter l'extrait sonore !");
        }
    }
    if (q.Video[0] != '\0') {
        ObjetEncadre(5);
        if (invitations) {
            VideoVue = 0;
            Invitation("Cliquez sur le film pour regarder l'extrait vidéo !");
        }
    }
}

void DessineReponse(const FicheQuestion& q, int n, int couleur) {
    const FicheReponse& rep = q.Reponse[n - 1];
    const PlaceReponse& place = kPlaces[n - 1];
    bool image = rep.Image[0] != '\0';
    if (image) ImageEncadree(rep.Image, place.imageX, place.imageY, 60);
    SetColor(couleur);
    int x = RX(image ? place.texteAvecImage : place.texteSansImage);
    int y = place.texteY;
    if (rep.Ligne2[0] == '\0') {
        TailleTexte(image && std::strlen(rep.Ligne1) > 22 ? 25 : 28);
        OutCenterTextXY(x, RY(y), rep.Ligne1);
        return;
    }
    TailleTexte(25);
    int h = TextHeight();
    if (rep.Ligne3[0] == '\0') {
        OutCenterTextXY(x, RYPlus(y, -(h / 2)), rep.Ligne1);
        OutCenterTextXY(x, RYPlus(y, h / 2), rep.Ligne2);
        return;
    }
    OutCenterTextXY(x, RYPlus(y, -(4 * h / 5)), rep.Ligne1);
    OutCenterTextXY(x, RY(y), rep.Ligne2);
    OutCenterTextXY(x, RYPlus(y, 4 * h / 5), rep.Ligne3);
}

void DessineEnonce(const FicheQuestion& q) {
    int x = RX(512);
    if (q.Enonce2[0] == '\0') {
        TailleTexte(30);
        OutCenterTextXY(x, RY(296), q.Enonce1);
        return;
    }
    TailleTexte(28);
    int h = TextHeight();
    if (q.Enonce3[0] == '\0') {
        OutCenterTextXY(x, RYPlus(296, -(h / 2)), q.Enonce1);
        OutCenterTextXY(x, RYPlus(296, h / 2), q.Enonce2);
        return;
    }
    // A whole line height apart: closer, the three lines would overlap.
    OutCenterTextXY(x, RYPlus(296, -h), q.Enonce1);
    OutCenterTextXY(x, RY(296), q.Enonce2);
    OutCenterTextXY(x, RYPlus(296, h), q.Enonce3);
}

void AfficheQuestionReponses(char mode) {
    SetUFormat(U_ASCII8);
    HideMouse();
    if (NumQuestion < 0 || NumQuestion >= MAX_QUESTIONS) mode = -1;  // no such record: draw nothing
    FicheQuestion& q = Question[NumQuestion < 0 || NumQuestion >= MAX_QUESTIONS ? 0 : NumQuestion];
    if (mode == 0) {
        DessineCadreQuestion();
        ShowScreen();
        ShowMouse();
        DessineCompteurs();
        SetColor(0);
        DessineEnonce(q);
        DessineVignette(q, true);
        for (int n = 1; n <= 4; ++n) DessineReponse(q, n, 0);
    } else if (mode >= 1 && mode <= 4) {
        DessineReponse(q, mode, 9);
    }
    ShowScreen();
    ShowMouse();
}

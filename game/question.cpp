// The question screen and the drawing pieces it shares with the correction
// review: thumbnail, answers, question lines.
#include "question.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ajuste.h"
#include "couleurs.h"
#include "disposition.h"

#include "echelle.h"
#include "fichier_quizz.h"
#include "lumicanvas.h"
#include "ecran.h"

namespace {


// A picture file of the questions' folder scaled into a white square
// outlined in black (reference units).
void ImageEncadree(const char* donnees, const char* nom, int x, int y, int taille) {
    char chemin[256];
    CheminMediaQuizz(donnees, "images", nom, chemin, sizeof chemin);
    SetColor(15);
    DrawRectFill(RX(x), RY(y), RX(x + taille), RY(y + taille));
    if (chemin[0] != '\0') ShowPictureAdjust(chemin, RX(x), RY(y), RX(taille), RY(taille));
    SetColor(0);
    DrawRectangle(RX(x), RY(y), RX(x + taille), RY(y + taille));
}

// An archive object in the thumbnail's square, white behind, black outline.
void ObjetEncadre(const Ecran& vue, int objet) {
    const Boite& v = kQuestion.vignette;
    int x = v.x, y = v.y, t = v.w;
    SetColor(15);
    DrawRectFill(RX(x), RY(y), RX(x + t), RY(y + t));
    DessineObjet(vue, objet, RX(x), RY(y), RX(t), RY(t));
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
    PrendCouleur(kTexteBoite);
    CenterTextXY(RX(512), RY(350), texte);
}

void DessineCompteurs(const Partie& jeu) {
    DimText(4);
    PrendCouleur(kTexteBoite);
    const Boite& b = kQuestion.bonnes;
    const Boite& m = kQuestion.mauvaises;
    CenterTextXY(RX(b.x + b.w / 2), RY(b.y + b.h / 2), NbToTxt(jeu.BonnesReponses));
    CenterTextXY(RX(m.x + m.w / 2), RY(m.y + m.h / 2), NbToTxt(jeu.MauvaisesReponses));
}

}  // namespace

void DessineCadreQuestion(const Eleve& eleve, const Ecran& vue) {
    PutImageAdjust(vue.Quizz, 0, 0, GetMaxX(), GetMaxY());
    char nom[128];
    snprintf(nom, sizeof nom, "%s %s (%s)", eleve.NOM_JOUEUR, eleve.PRENOM_JOUEUR, eleve.CLASSE_JOUEUR);
    PrendCouleur(kTitre);
    DimText(3);
    // A long name steps down to stay on the header band.
    AjusteLigne(nom, TextHeight(), GetMaxX() - RX(20), RY(42));
    TextXY(GetMaxX() / 2 - TextLength(nom) / 2, 5, nom);
    PrendCouleur(kBleu);
    DimText(1);
    CenterTextXY(GetMaxX() / 2, GetMaxY() - TextHeight(), "'Pivolette' du collège Vermandière de BRUNOIS");
    DimText(3);
    TextXY(PX(GetMaxX(), -40), PY(GetMaxY(), -50), "@");
}

void DessineVignette(const char* donnees, const Ecran& vue, FicheQuestion& q, Partie* jeu) {
    const bool invitations = jeu != nullptr;
    if (q.Image[0] != '\0') {
        bool ouvrable = q.Image[0] != '_';
        ImageEncadree(donnees, NomVignette(q.Image), kQuestion.vignette.x, kQuestion.vignette.y, kQuestion.vignette.w);
        if (ouvrable && invitations) {
            jeu->VueImage = 0;
            Invitation("Cliquez sur l'image pour l'observer en plein écran !");
        }
    }
    if (q.Son[0] != '\0') {
        ObjetEncadre(vue, 4);
        if (invitations) {
            jeu->ExtraitSonEcoute = 0;
            Invitation("Cliquez sur le haut-parleur pour écouter l'extrait sonore !");
        }
    }
    if (q.Video[0] != '\0') {
        ObjetEncadre(vue, 5);
        if (invitations) {
            jeu->VideoVue = 0;
            Invitation("Cliquez sur le film pour regarder l'extrait vidéo !");
        }
    }
}

namespace {

// The lines of a block centred on x and on the reference row y, `pas`
// pixels apart.
void DessineLignes(int x, int y, const BlocTexte& bloc, int pas) {
    const int n = static_cast<int>(bloc.lignes.size());
    for (int i = 0; i < n; ++i) OutCenterTextXY(x, RYPlus(y, (2 * i - (n - 1)) * pas / 2), bloc.lignes[i].c_str());
}

}  // namespace

void DessineReponse(const char* donnees, const FicheQuestion& q, int n, Couleur couleur) {
    const FicheReponse& rep = q.Reponse[n - 1];
    const PlaceReponse& place = kQuestion.places[n - 1];
    if (rep.Image[0] != '\0') ImageEncadree(donnees, rep.Image, place.image.x, place.image.y, place.image.w);
    PrendCouleur(couleur);
    const BoiteLignes b = BoiteReponse(q, n);
    BlocTexte bloc = AjusteBloc(b.lignes, b.taille, b.largeur, b.hauteur, b.pas);
    int h = bloc.taille;
    DessineLignes(b.x, b.y, bloc, bloc.lignes.size() == 3 && !bloc.coupe ? 4 * h / 5 : h);
}

void DessineEnonce(const FicheQuestion& q) {
    const BoiteLignes b = BoiteEnonce(q);
    BlocTexte bloc = AjusteBloc(b.lignes, b.taille, b.largeur, b.hauteur, b.pas);
    DessineLignes(b.x, b.y, bloc, bloc.taille);
}

namespace {

// Whether jeu.NumQuestion names a record of the question table.
bool QuestionValide(const Partie& jeu) { return jeu.NumQuestion >= 0 && jeu.NumQuestion < MAX_QUESTIONS; }

// Everything over the frame: counters, question, thumbnail, answers.
void DessineContenuQuestion(const char* donnees, Partie& jeu, const Ecran& vue) {
    FicheQuestion& q = jeu.Question[jeu.NumQuestion];
    DessineCompteurs(jeu);
    SetColor(0);
    DessineEnonce(q);
    DessineVignette(donnees, vue, q, &jeu);
    for (int n = 1; n <= 4; ++n) DessineReponse(donnees, q, n, kTexteBoite);
}

}  // namespace

void DessineEcranQuestion(const char* donnees, Partie& jeu, const Eleve& eleve, const Ecran& vue) {
    SetUFormat(U_ASCII8);
    DessineCadreQuestion(eleve, vue);
    if (QuestionValide(jeu)) DessineContenuQuestion(donnees, jeu, vue);
}

void AfficheQuestionReponses(const char* donnees, Partie& jeu, const Eleve& eleve, const Ecran& vue, char mode) {
    SetUFormat(U_ASCII8);
    HideMouse();
    if (!QuestionValide(jeu)) mode = -1;  // no such record: draw nothing
    FicheQuestion& q = jeu.Question[QuestionValide(jeu) ? jeu.NumQuestion : 0];
    if (mode == 0) {
        DessineCadreQuestion(eleve, vue);
        ShowScreen();
        ShowMouse();
        DessineContenuQuestion(donnees, jeu, vue);
    } else if (mode >= 1 && mode <= 4) {
        DessineReponse(donnees, q, mode, kSurlignage);
    }
    ShowScreen();
    ShowMouse();
}

// The pupil list: the class read from the pupil list file, drawn in two
// columns; the pupil clicks his name, then "VALIDER !".
#include "joueurs.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>

#include "ajuste.h"
#include "attente.h"
#include "couleurs.h"
#include "echelle.h"
#include "ecran.h"
#include "etat.h"
#include "lumicanvas.h"
#include "selection.h"

namespace {

// The list screen's state while it is up.
struct ListeEcran {
    FicheEleve Joueurs[60] = {};
    signed char NombreJoueurs = 0;
    int NumeroDuJoueur = -1;  // mouse area of the selected pupil (index + 1); -1 none
    int Pas = 0;     // height of a row, in pixels
    int Ecart = 0;   // gap between two rows, in pixels
    int Taille = 0;  // text height of the names and of "VALIDER !", in pixels
};

// The rows' pitch and gap, and the names' text size. The layout's pitch,
// (2 GetMaxX()) / (2N + 1), grows with the screen's width: it is kept
// when the rows of a column fit between the title and the school line (a
// class of a dozen on a 4:3 screen), and shrunk otherwise (a list of one
// to three, a wide screen), so that no frame runs off the screen. The text size is
// the layout's N p / 50, at least the size of the school line so that a
// short list stays readable, and never taller than a row.
void MiseEnPage(ListeEcran& l) {
    const int n = l.NombreJoueurs > 0 ? l.NombreJoueurs : 1;
    const int rangees = (n + 1) / 2;
    const int pas = (2 * GetMaxX()) / (2 * n + 1);
    DimText(1);
    const int pied = TextHeight();
    const int place = GetMaxY() - 2 * pied - RY(110);  // rows and gaps, above the school line
    const int plafond = place * 4 / (5 * rangees);      // a row and its quarter-row gap
    l.Pas = std::max(1, std::min(pas, plafond));
    l.Ecart = l.Pas / 4;
    l.Taille = std::min(std::max(n * pas / 50, pied), l.Pas - 2);
}

// Copies a list text into a field, cut to fit and at a NUL.
void CopieNom(char* dest, std::size_t taille, const std::string& texte) {
    std::snprintf(dest, taille, "%s", texte.c_str());
}

void RangeEleve(FicheEleve& e, const FicheListe& lu) {
    CopieNom(e.Nom, sizeof e.Nom, lu.nom);
    for (char* c = e.Nom; *c; ++c) *c = static_cast<char>(UToUpper(static_cast<unsigned char>(*c)));
    CopieNom(e.Prenom, sizeof e.Prenom, lu.prenom);
    for (char* c = e.Prenom; *c; ++c) *c = static_cast<char>(UToLower(static_cast<unsigned char>(*c)));
    e.Prenom[0] = static_cast<char>(UToUpper(static_cast<unsigned char>(e.Prenom[0])));
    CopieNom(e.Classe, sizeof e.Classe, lu.classe);
}

void LitListe(ListeEcran& l, const std::vector<FicheListe>& eleves) {
    for (int i = 0; i < l.NombreJoueurs && i < static_cast<int>(eleves.size()); ++i)
        RangeEleve(l.Joueurs[i], eleves[static_cast<std::size_t>(i)]);
}

// The frame of pupil i: left column for the first half of the list, right
// column for the rest.
void Cadre(const ListeEcran& l, int i, int& x1, int& y1, int& x2, int& y2) {
    int moitie = l.NombreJoueurs / 2;
    bool gauche = i < moitie;
    int ligne = gauche ? i : i - moitie;
    x1 = RX(gauche ? 150 : 600);
    x2 = RX(gauche ? 550 : 1000);
    y1 = RYPlus(110, ligne * l.Pas + ligne * l.Ecart);
    y2 = RYPlus(110, (ligne + 1) * l.Pas + ligne * l.Ecart);
}

// The name inside its frame: the list's text size, smaller for a name too
// long for the frame.
void DessineNom(const ListeEcran& l, int i) {
    int x1, y1, x2, y2;
    Cadre(l, i, x1, y1, x2, y2);
    int ligne = i < l.NombreJoueurs / 2 ? i : i - l.NombreJoueurs / 2;
    char nom[128];
    const FicheEleve& e = l.Joueurs[i];
    snprintf(nom, sizeof nom, "%s %s (%s)", e.Nom, e.Prenom, e.Classe);
    int x = RX(i < l.NombreJoueurs / 2 ? 350 : 810);
    int largeur = 2 * std::min(x - x1, x2 - x) - RX(16);
    CentreAjuste(x, RYPlus(110, ligne * l.Pas + ligne * l.Ecart + l.Pas / 2), nom, l.Taille, largeur, l.Pas - 2);
}

// Pupil i's frame and name in colour c.
void DessineEleve(const ListeEcran& l, int i, Couleur c) {
    int x1, y1, x2, y2;
    Cadre(l, i, x1, y1, x2, y2);
    PrendCouleur(c);
    DrawRectangle(x1, y1, x2, y2);
    DessineNom(l, i);
}

void DessineEcran(const Ecran& vue) {
    HideMouse();
    DessineObjet(vue, 2, 0, 0, GetMaxX(), GetMaxY());
    SetUFormat(U_ASCII8);
    PrendCouleur(kTitre);
    DimText(2);
    int h = TextHeight();
    CenterTextXY(GetMaxX() / 2, h, "Sélectionne ton nom dans la liste suivante");
    CenterTextXY(GetMaxX() / 2, 2 * h, "puis valide ton choix ...");
}

void DessinePied() {
    DimText(1);
    PrendCouleur(kTitre);
    CenterTextXY(GetMaxX() / 2, GetMaxY() - TextHeight(), "'Pivolette du collège Vermandière de BRUNOIS");
    DimText(3);
    PrendCouleur(kMarqueListe);
    TextXY(PX(GetMaxX(), -40), PY(GetMaxY(), -50), "@");
    DefineMouseArea(PX(GetMaxX(), -45), PY(GetMaxY(), -50), PX(GetMaxX() + TextLength("@"), -35),
                    PY(GetMaxY() + TextHeight(), -50));
}

void DessineListe(const ListeEcran& l) {
    for (int i = 0; i < l.NombreJoueurs; ++i) {
        int x1, y1, x2, y2;
        Cadre(l, i, x1, y1, x2, y2);
        PrendCouleur(kFondNom);
        DrawRectFill(x1, y1, x2, y2);
        PrendCouleur(kNomListe);
        DrawRectangle(x1, y1, x2, y2);
        DefineMouseArea(x1, y1, x2, y2);
    }
    SetUFormat(U_ASCII8);
    for (int i = 0; i < l.NombreJoueurs; ++i) DessineNom(l, i);
}

// "VALIDER !" in the names' text size, top right; its area follows the
// pupils' areas.
void DessineBouton(const ListeEcran& l) {
    SetDimText(l.Taille);
    int w = TextLength("VALIDER !"), h = TextHeight(), gmx = GetMaxX();
    PrendCouleur(kFondBouton);
    DrawRectFill(PX(gmx - w, -110), RY(60), PX(gmx, -90), RYPlus(60, h));
    PrendCouleur(kTitre);
    DrawRectangle(PX(gmx - w, -111), RY(59), PX(gmx, -89), RYPlus(61, h));
    DrawRectangle(PX(gmx - w, -113), RY(57), PX(gmx, -87), RYPlus(63, h));
    DefineMouseArea(PX(gmx - w, -113), RY(57), PX(gmx, -87), RYPlus(63, h));
    PrendCouleur(kTexteBouton);
    CenterTextXY(PX(gmx - w / 2, -100), RYPlus(60, h / 2), "VALIDER !");
}

// A left click on a name selects it (the previous one back to white); on
// "VALIDER !" with a name selected it confirms. Returns 1 when confirmed.
int Clic(ListeEcran& l) {
    ClearKeyBuf();
    if (AttendClic() != 1) return 0;
    int a = GetMouseArea();
    if (a >= 1 && a <= l.NombreJoueurs && a != l.NumeroDuJoueur) {
        HideMouse();
        DessineEleve(l, a - 1, kNomChoisi);
        if (l.NumeroDuJoueur >= 1) DessineEleve(l, l.NumeroDuJoueur - 1, kNomListe);
        ShowScreen();
        ShowMouse();
        l.NumeroDuJoueur = a;
        return 0;
    }
    return a == l.NombreJoueurs + 1 && l.NumeroDuJoueur >= 1;
}

}  // namespace

bool ChoixJoueur(const std::vector<FicheListe>& liste, const Ecran& vue, Eleve& eleve) {
    if (liste.empty()) return false;
    ClearKeyBuf();
    const int n = static_cast<int>(liste.size());
    // The list is checked before this screen; the table holds 60 pupils.
    ListeEcran l;
    l.NombreJoueurs = static_cast<signed char>(n > 60 ? 60 : n);
    MiseEnPage(l);
    DessineEcran(vue);
    LitListe(l, liste);
    DessinePied();
    DessineListe(l);
    DessineBouton(l);
    ShowScreen();
    ShowMouse();
    while (!Clic(l)) {
    }
    ShowScreen();
    ShowMouse();
    const FicheEleve& e = l.Joueurs[l.NumeroDuJoueur - 1];
    snprintf(eleve.Joueur.Nom, sizeof eleve.Joueur.Nom, "%s", e.Nom);
    snprintf(eleve.Joueur.Prenom, sizeof eleve.Joueur.Prenom, "%s", e.Prenom);
    snprintf(eleve.Joueur.Classe, sizeof eleve.Joueur.Classe, "%s", "DEMO");
    snprintf(eleve.NOM_JOUEUR, sizeof eleve.NOM_JOUEUR, "%s", eleve.Joueur.Nom);
    snprintf(eleve.PRENOM_JOUEUR, sizeof eleve.PRENOM_JOUEUR, "%s", eleve.Joueur.Prenom);
    snprintf(eleve.CLASSE_JOUEUR, sizeof eleve.CLASSE_JOUEUR, "%s", eleve.Joueur.Classe);
    return true;
}

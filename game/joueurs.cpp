// The pupil list: the class read from the pupil list file, drawn in two
// columns; the pupil clicks his name, then "VALIDER !".
#include "joueurs.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "echelle.h"
#include "quizz.h"
#include "etat.h"
#include "lumicanvas.h"
#include "selection.h"

FicheEleve Joueurs[60];
signed char NombreJoueurs = 0;
int NumeroDuJoueur = -1;

namespace {

int Pas = 0;    // height of a row, in pixels
int Ecart = 0;  // gap between two rows, in pixels

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

// The pupils as the list's check read them; the list is read now when it was
// not checked.
const std::vector<FicheListe>& ListeLue() {
    if (ListeVerifiee().empty() && VerifieListeJoueurs() == 0) ArretSurErreur();
    return ListeVerifiee();
}

void LitListe() {
    std::memset(Joueurs, 0, sizeof Joueurs);
    const std::vector<FicheListe>& eleves = ListeLue();
    for (int i = 0; i < NombreJoueurs && i < static_cast<int>(eleves.size()); ++i)
        RangeEleve(Joueurs[i], eleves[static_cast<std::size_t>(i)]);
}

// The frame of pupil i: left column for the first half of the list, right
// column for the rest.
void Cadre(int i, int& x1, int& y1, int& x2, int& y2) {
    int moitie = NombreJoueurs / 2;
    bool gauche = i < moitie;
    int ligne = gauche ? i : i - moitie;
    x1 = RX(gauche ? 150 : 600);
    x2 = RX(gauche ? 550 : 1000);
    y1 = RYPlus(110, ligne * Pas + ligne * Ecart);
    y2 = RYPlus(110, (ligne + 1) * Pas + ligne * Ecart);
}

void DessineNom(int i) {
    int x1, y1, x2, y2;
    Cadre(i, x1, y1, x2, y2);
    int ligne = i < NombreJoueurs / 2 ? i : i - NombreJoueurs / 2;
    SetDimText(NombreJoueurs * Pas / 50);
    snprintf(msg, sizeof msg, "%s %s (%s)", Joueurs[i].Nom, Joueurs[i].Prenom, Joueurs[i].Classe);
    CenterTextXY(RX(i < NombreJoueurs / 2 ? 350 : 810), RYPlus(110, ligne * Pas + ligne * Ecart + Pas / 2), msg);
}

// Pupil i's frame and name in colour c.
void DessineEleve(int i, int c) {
    int x1, y1, x2, y2;
    Cadre(i, x1, y1, x2, y2);
    SetColor(c);
    DrawRectangle(x1, y1, x2, y2);
    DessineNom(i);
}

void DessineEcran() {
    HideMouse();
    DessineObjet(2, 0, 0, GetMaxX(), GetMaxY());
    SetUFormat(U_ASCII8);
    SetColor(14);
    DimText(2);
    int h = TextHeight();
    CenterTextXY(GetMaxX() / 2, h, "Sélectionne ton nom dans la liste suivante");
    CenterTextXY(GetMaxX() / 2, 2 * h, "puis valide ton choix ...");
}

void DessinePied() {
    DimText(1);
    SetColor(14);
    CenterTextXY(GetMaxX() / 2, GetMaxY() - TextHeight(), "'Pivolette du collège Vermandière de BRUNOIS");
    DimText(3);
    SetColor(12);
    TextXY(PX(GetMaxX(), -40), PY(GetMaxY(), -50), "@");
    DefineMouseArea(PX(GetMaxX(), -45), PY(GetMaxY(), -50), PX(GetMaxX() + TextLength("@"), -35),
                    PY(GetMaxY() + TextHeight(), -50));
}

void DessineListe() {
    SetColor(15);
    for (int i = 0; i < NombreJoueurs; ++i) {
        int x1, y1, x2, y2;
        Cadre(i, x1, y1, x2, y2);
        DrawRectangle(x1, y1, x2, y2);
        DefineMouseArea(x1, y1, x2, y2);
    }
    SetUFormat(U_ASCII8);
    for (int i = 0; i < NombreJoueurs; ++i) DessineNom(i);
}

// "VALIDER !" in the names' text size, top right; its area follows the
// pupils' areas.
void DessineBouton() {
    int w = TextLength("VALIDER !"), h = TextHeight(), gmx = GetMaxX();
    SetColor(9);
    DrawRectFill(PX(gmx - w, -110), RY(60), PX(gmx, -90), RYPlus(60, h));
    SetColor(14);
    DrawRectangle(PX(gmx - w, -111), RY(59), PX(gmx, -89), RYPlus(61, h));
    DrawRectangle(PX(gmx - w, -113), RY(57), PX(gmx, -87), RYPlus(63, h));
    DefineMouseArea(PX(gmx - w, -113), RY(57), PX(gmx, -87), RYPlus(63, h));
    SetColor(1);
    CenterTextXY(PX(gmx - w / 2, -100), RYPlus(60, h / 2), "VALIDER !");
}

// A left click on a name selects it (the previous one back to white); on
// "VALIDER !" with a name selected it confirms. Returns 1 when confirmed.
int Clic() {
    ClearKeyBuf();
    if (WaitAClic() != 1) return 0;
    int a = GetMouseArea();
    if (a >= 1 && a <= NombreJoueurs && a != NumeroDuJoueur) {
        HideMouse();
        DessineEleve(a - 1, 12);
        if (NumeroDuJoueur >= 1) DessineEleve(NumeroDuJoueur - 1, 15);
        ShowScreen();
        ShowMouse();
        NumeroDuJoueur = a;
        return 0;
    }
    return a == NombreJoueurs + 1 && NumeroDuJoueur >= 1;
}

}  // namespace

int GetNbJoueurs() { return static_cast<int>(ListeLue().size()); }

void ChoixJoueur() {
    ClearKeyBuf();
    const int n = GetNbJoueurs();
    // The list is checked before this screen; the table holds 60 pupils.
    NombreJoueurs = static_cast<signed char>(n < 0 ? 0 : (n > 60 ? 60 : n));
    Pas = (2 * GetMaxX()) / (2 * NombreJoueurs + 1);
    Ecart = Pas / 4;
    DessineEcran();
    LitListe();
    DessinePied();
    DessineListe();
    DessineBouton();
    ShowScreen();
    ShowMouse();
    NumeroDuJoueur = -1;
    while (!Clic()) {
    }
    ShowScreen();
    ShowMouse();
    const FicheEleve& e = Joueurs[NumeroDuJoueur - 1];
    snprintf(Joueur.Nom, sizeof Joueur.Nom, "%s", e.Nom);
    snprintf(Joueur.Prenom, sizeof Joueur.Prenom, "%s", e.Prenom);
    snprintf(Joueur.Classe, sizeof Joueur.Classe, "%s", "DEMO");
    snprintf(NOM_JOUEUR, sizeof NOM_JOUEUR, "%s", Joueur.Nom);
    snprintf(PRENOM_JOUEUR, sizeof PRENOM_JOUEUR, "%s", Joueur.Prenom);
    snprintf(CLASSE_JOUEUR, sizeof CLASSE_JOUEUR, "%s", Joueur.Classe);
}

// The class-level screen: six levels, one to pick, then "JE VALIDE MON CHOIX !".
#include "niveau.h"

#include "attente.h"
#include "couleurs.h"
#include "echelle.h"
#include "etat.h"
#include "lumicanvas.h"
#include "ecran.h"

namespace {

struct Niveau {
    const char* label;
    signed char code;
    int x1, y1, x2, y2;  // mouse area
    int objet, ix, iy;   // icon, 40 x 70
    int lx, ly;          // label centre
};

constexpr Niveau kNiveaux[6] = {
    {"G.S.", 8, 100, 380, 420, 450, 14, 110, 380, 260, 415},
    {"C.P.", 7, 600, 380, 925, 450, 13, 610, 380, 762, 415},
    {"C.E.1", 6, 100, 510, 420, 580, 12, 110, 515, 260, 545},
    {"C.E.2", 5, 600, 510, 925, 580, 11, 610, 515, 762, 545},
    {"C.M.1", 4, 100, 640, 420, 710, 10, 110, 640, 260, 675},
    {"C.M.2", 3, 600, 640, 925, 710, 9, 610, 640, 762, 675},
};
constexpr int kZoneBouton = 6;

// A level's label on a white plate: red when selected, black otherwise.
void DessineLabel(const Niveau& n, bool choisi) {
    DimText(3);
    int w = TextLength(n.label), h = TextHeight();
    int x = RX(n.lx), y = RY(n.ly);
    SetColor(15);
    DrawRectFill(x - w / 2, y - h / 2, x + w / 2, y + h / 2);
    PrendCouleur(choisi ? kNiveauChoisi : kTexteBoite);
    CenterTextXY(x, y, n.label);
}

void DessineTitres(const Ecran& vue) {
    DessineObjet(vue, 16, 0, 0, GetMaxX(), GetMaxY());
    SetColor(0);
    DimText(0);
    CenterTextXY(GetMaxX() / 2, GetMaxY() - TextHeight(), "'PIVOLETTE' du collège Vermandière");
    DimText(3);
    DessineObjet(vue, 15, RX(110), RY(180), RX(100), RY(100));
    CenterTextXY(RX(540), RY(225), "Quelle est ta classe ?");
    DimText(1);
    OutCenterTextXY(RX(540), RY(260), "#iChoisis ton niveau puis clique sur 'JE VALIDE MON CHOIX !'# ");
}

void DessineNiveaux(const Ecran& vue) {
    DimText(3);
    for (const Niveau& n : kNiveaux) {
        DefineMouseArea(RX(n.x1), RY(n.y1), RX(n.x2), RY(n.y2));
        DessineObjet(vue, n.objet, RX(n.ix), RY(n.iy), RX(40), RY(70));
        SetColor(0);
        CenterTextXY(RX(n.lx), RY(n.ly), n.label);
    }
}

void DessineBouton() {
    DimText(1);
    int w = TextLength("XXJE VALIDEXX"), h = TextHeight();
    int x1 = PX(GetMaxX() - w, -20), x2 = PX(GetMaxX(), -20), y1 = RY(20);
    SetColor(15);
    DrawRectFill(x1, y1, x2, y1 + 2 * h);
    SetColor(0);
    DrawRectangle(x1, y1, x2, y1 + 2 * h);
    DefineMouseArea(x1, y1, x2, y1 + 2 * h);
    int x = PX(GetMaxX() - w / 2, -20);
    OutCenterTextXY(x, RYPlus(20, h / 2), "#iJE VALIDE# ");
    OutCenterTextXY(x, RYPlus(20, 3 * h / 2), "#iMON CHOIX !# ");
}

void DessineRemarque() {
    DimText(0);
    SetColor(126);
    int h = TextHeight(), x = RX(180);
    OutCenterTextXY(x, RY(40), "#bRemarque :# ");
    OutCenterTextXY(x, RYPlus(40, 2 * h), "#iSi le niveau de l'élève est 'GS' ou 'CP' alors la liste# ");
    OutCenterTextXY(x, RYPlus(40, 3 * h), "#ides noms (et/ou prénoms) de la classe est proposée.# ");
    OutCenterTextXY(x, RYPlus(40, 4 * h), "#iPour les autres niveaux, les élèves# ");
    OutCenterTextXY(x, RYPlus(40, 5 * h), "#isaisissent leur nom et leur prénom.# ");
}

// One click: the previous label back to normal, the level under the pointer
// chosen in `niveau` (or none, -1, outside every area). Returns the area
// clicked.
int Clic(int zonePrecedente, signed char& niveau) {
    HideMouse();
    if (zonePrecedente >= 0 && zonePrecedente < 6) DessineLabel(kNiveaux[zonePrecedente], false);
    int zone = GetMouseArea();
    if (zone >= 0 && zone < 6) {
        niveau = kNiveaux[zone].code;
        DessineLabel(kNiveaux[zone], true);
    } else if (zone != kZoneBouton) {
        niveau = -1;
    }
    ShowScreen();
    ShowMouse();
    return zone;
}

}  // namespace

void ChoixNiveau(const Ecran& vue, signed char& niveau) {
    HideMouse();
    SetUFormat(U_ASCII8);
    DessineTitres(vue);
    DessineNiveaux(vue);
    DessineBouton();
    DessineRemarque();
    ShowScreen();
    ShowMouse();
    DimText(3);
    int zone = -1;
    niveau = -1;
    bool tenu = false;
    do {
        AttendAppui(tenu);
        zone = Clic(zone, niveau);
    } while (!(niveau >= 3 && niveau <= 8 && zone == kZoneBouton));
}

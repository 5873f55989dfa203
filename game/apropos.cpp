// The credits screen: who made the game, what it stands on, where to find
// the project.
#include "apropos.h"

#include "attente.h"
#include "couleurs.h"
#include "echelle.h"
#include "etat.h"
#include "lumicanvas.h"
#include "ecran.h"

namespace {

// The inner frame: four sides stopping r short of each corner, and a
// quarter arc centred on the corner point that joins the two sides' ends,
// on the frame's inside. The layer turns angles clockwise on the screen
// (0 east, 90 south): top-right corner from west (180) back to south (90),
// and so on round the frame.
void CadreArrondi() {
    int g = RX(145), h = RY(175), d = PX(GetMaxX(), -145), b = PY(GetMaxY(), -175);
    int r = static_cast<int>(10 * CorrectionY());
    DrawLine(g + r, h, d - r, h);
    DrawArc(d, h, 90, 180, r);
    DrawLine(g, h + r, g, b - r);
    DrawArc(d, b, 180, 270, r);
    DrawLine(g + r, b, d - r, b);
    DrawArc(g, b, 270, 360, r);
    DrawLine(d, h + r, d, b - r);
    DrawArc(g, h, 0, 90, r);
}

// One line of text centred across the screen, `pas` text heights plus 200
// reference rows from the top.
void Ligne(Couleur couleur, double pas, const char* texte) {
    PrendCouleur(couleur);
    CenterTextXY(GetMaxX() / 2, static_cast<int>(pas * TextHeight() + 200 * CorrectionY()), texte);
}

}  // namespace

void APropos(const Ecran& vue) {
    HideMouse();
    Clear();
    DessineObjet(vue, 2, 0, 0, GetMaxX(), GetMaxY());
    PrendCouleur(kCadreApropos);
    DrawRectangle(RX(140), RY(170), PX(GetMaxX(), -140), PY(GetMaxY(), -170));
    DrawRectangle(RX(141), RY(171), PX(GetMaxX(), -141), PY(GetMaxY(), -171));
    CadreArrondi();
    SetUFormat(U_ASCII8);
    DimText(3);
    Ligne(kTitreApropos, 1, "'PIVOLETTE' !");
    DimText(1);
    Ligne(kVertClair, 3.5, "Un jeu de l'équipe Pivolette");
    Ligne(kVertClair, 4.5, "à l'aide de la bibliothèque 'Lumicanvas 4.4' :");
    Ligne(kLigneApropos, 5.5, "--> Lumicanvas, bâtie sur SDL2, SDL2_image, SDL2_ttf, SDL2_mixer, SDL2_gfx,");
    Ligne(kLigneApropos, 6.5, "minizip, ffmpeg et les polices DejaVu");
    Ligne(kJaune, 9.5, "Site : son adresse est dans le README fourni avec le programme");
    Ligne(kJaune, 10.5, "Pour contacter l'auteur : l'équipe Pivolette, voir ce même README");
    ShowScreen();
}

void AProposFinal(const Ecran& vue) {
    APropos(vue);
    AttendTouche();
    ClearKeyBuf();
}

// The credits screen: who made the game, what it stands on, where to find
// the project.
#include "apropos.h"

#include "echelle.h"
#include "etat.h"
#include "lumicanvas.h"
#include "quizz.h"

namespace {

// The inner frame: four sides, each corner marked by a quarter arc centred
// on the corner point.
void CadreArrondi() {
    int g = RX(145), h = RY(175), d = PX(GetMaxX(), -145), b = PY(GetMaxY(), -175);
    int r = static_cast<int>(10 * CorrectionY);
    DrawLine(g + r, h, d - r, h);
    DrawArc(d, h, 180, 270, r);
    DrawLine(g, h + r, g, b - r);
    DrawArc(d, b, 90, 180, r);
    DrawLine(g + r, b, d - r, b);
    DrawArc(g, b, 0, 90, r);
    DrawLine(d, h + r, d, b - r);
    DrawArc(g, h, -90, 0, r);
}

// One line of text centred across the screen, `pas` text heights plus 200
// reference rows from the top.
void Ligne(int couleur, double pas, const char* texte) {
    SetColor(couleur);
    CenterTextXY(GetMaxX() / 2, static_cast<int>(pas * TextHeight() + 200 * CorrectionY), texte);
}

}  // namespace

void APropos() {
    HideMouse();
    Clear();
    DessineObjet(2, 0, 0, GetMaxX(), GetMaxY());
    SetColor(1);
    DrawRectangle(RX(140), RY(170), PX(GetMaxX(), -140), PY(GetMaxY(), -170));
    DrawRectangle(RX(141), RY(171), PX(GetMaxX(), -141), PY(GetMaxY(), -171));
    CadreArrondi();
    SetUFormat(U_ASCII8);
    DimText(3);
    Ligne(12, 1, "'PIVOLETTE' !");
    DimText(1);
    Ligne(10, 3.5, "Un jeu de l'équipe Pivolette");
    Ligne(10, 4.5, "à l'aide de la bibliothèque 'Lumicanvas 4.4' :");
    Ligne(13, 5.5, "--> Lumicanvas, bâtie sur SDL2, SDL2_image, SDL2_ttf, SDL2_mixer, SDL2_gfx,");
    Ligne(13, 6.5, "minizip, ffmpeg et les polices DejaVu");
    Ligne(14, 9.5, "Site : son adresse est dans le README fourni avec le programme");
    Ligne(14, 10.5, "Pour contacter l'auteur : l'équipe Pivolette, voir ce même README");
    ShowScreen();
}

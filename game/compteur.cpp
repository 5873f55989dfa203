// The answer countdown of the question screen.
#include "compteur.h"

#include <cmath>

#include "etat.h"
#include "lumicanvas.h"

std::time_t TempsDebut = 0;
std::time_t TempsActuel = 0;
std::time_t TempsArret = 0;
int OldTime = -1;
int j = 0;
int k = -90;

namespace {

constexpr double kPi = 3.14159;

// The point at angle a (degrees, clockwise from east) and radius rho.
int PointX(int x, double a, double rho) { return static_cast<int>(x + std::cos(a * kPi / 180) * rho); }
int PointY(int y, double a, double rho) { return static_cast<int>(y + std::sin(a * kPi / 180) * rho); }

// One spoke across the band, in the current colour.
void Rayon(int x, int y, int r, double a) {
    double r1 = r / 2 + 1, r2 = 9 * r / 10 - 1;
    DrawLine(PointX(x, a, r1), PointY(y, a, r1), PointX(x, a, r2), PointY(y, a, r2));
}

// The remaining seconds, or the rectangle that hides them, at the centre.
void EffaceNombre(int x, int y, int n) {
    SetColor(0);
    SetDimText(static_cast<int>(32 * CorrectionX));
    const char* t = NbToTxt(n);
    int w = TextLength(t), h = TextHeight();
    DrawRectFill(x - w / 2, y - h / 2, x + w / 2, y + h / 2);
}

void EcritNombre(int x, int y, int n) {
    SetColor(15);
    SetDimText(static_cast<int>(32 * CorrectionX));
    CenterTextXY(x, y, NbToTxt(n));
}

// The empty dial: black disc, white circles, d in the centre, the white
// spokes, the grey outer ring.
void DessineCadran(int x, int y, int r, int d) {
    HideMouse();
    SetColor(0);
    DrawCircleFill(x, y, r);
    SetColor(15);
    const int rayons[] = {r / 2, r / 2 + 1, 9 * r / 10, 9 * r / 10 - 1, r};
    for (int rho : rayons) DrawCircle(x, y, rho);
    EcritNombre(x, y, d);
    SetColor(15);
    int s = 360 / d;
    for (int a = -90; a < 270; a += s)
        if (a % 5 == 0) Rayon(x, y, r, a);
    SetColorRGB(150, 150, 150);
    DrawFloodFill(x + r - 2, y);
    ShowScreen();
    ShowMouse();
}

// Paints the sector that ends at angle k in the current colour. The seed
// point lies inside the sector; a seed already painted (a sector narrower
// than its spokes) is left alone so that no earlier sector is repainted.
void PeintSecteur(int x, int y, int r, int s) {
    double a = s >= 4 ? k - 2 : k - s / 2.0;
    int px = PointX(x, a, 3 * r / 4), py = PointY(y, a, 3 * r / 4);
    if (GetPixelRGB(px, py) == 0x000000) DrawFloodFill(px, py);
}

void Redessine(int x, int y, int r, int d) {
    int s = 360 / d, q = 255 / d;
    HideMouse();
    SetColorRGB(j, 255 - j, 0);
    if (k != -90) {
        Rayon(x, y, r, k);
        PeintSecteur(x, y, r, s);
    }
    SetColor(15);
    if (k % 9 == 0) Rayon(x, y, r, k);
    EffaceNombre(x, y, d - OldTime);
    EcritNombre(x, y, d - TempsSecondes);
    k += s;
    j += q;
    OldTime = TempsSecondes;
    ShowScreen();
    ShowMouse();
}

}  // namespace

int DeCompteur(int x, int y, int r, int d) {
    // The class settings file is checked for 1 .. 360; a step of at least one
    // degree per second keeps the dial drawable whatever the caller passes.
    if (d < 1) d = 1;
    if (d > 360) d = 360;
    if (PremiereCompteur != 0) {
        DessineCadran(x, y, r, d);
        TempsDebut = ClockSeconds();
        j = 0;
        k = -90;
        TempsSecondes = -1;
        OldTime = -1;
        PremiereCompteur = 0;
    }
    TempsActuel = ClockSeconds();
    TempsSecondes = static_cast<int>(std::difftime(TempsActuel, TempsDebut));
    if (TempsSecondes != OldTime) Redessine(x, y, r, d);
    return d - TempsSecondes > 0 ? TempsSecondes : -1;
}

void DecaleCompteur() {
    TempsArret = TempsActuel;
    TempsActuel = ClockSeconds();
    TempsDebut += static_cast<std::time_t>(std::difftime(TempsActuel, TempsArret));
}

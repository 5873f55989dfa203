// The answer countdown of the question screen.
#include "compteur.h"

#include <cmath>

#include "couleurs.h"
#include "echelle.h"
#include "etat.h"
#include "lumicanvas.h"

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

// The size of the number in the centre: 32 reference columns high, or less
// on a screen wider than 4:3, so that the black rectangle that erases the
// widest number (d itself) stays inside the inner circle. Wider, it would
// break the circle and the fill of one sector would run round them all.
void TailleNombre(int r, int d) {
    int t = static_cast<int>(32 * CorrectionX());
    for (;; --t) {
        SetDimText(t);
        const int w = TextLength(NbToTxt(d)) / 2 + 1, h = TextHeight() / 2 + 1;
        if (t <= 4 || w * w + h * h < (r / 2 - 1) * (r / 2 - 1)) return;
    }
}

// The remaining seconds, or the rectangle that hides them, at the centre.
void EffaceNombre(int x, int y, int r, int d, int n) {
    PrendCouleur(kCadranFond);
    TailleNombre(r, d);
    const char* t = NbToTxt(n);
    int w = TextLength(t), h = TextHeight();
    DrawRectFill(x - w / 2, y - h / 2, x + w / 2, y + h / 2);
}

void EcritNombre(int x, int y, int r, int d, int n) {
    PrendCouleur(kCadranTrait);
    TailleNombre(r, d);
    CenterTextXY(x, y, NbToTxt(n));
}

// The empty dial: black disc, white circles, d in the centre, the white
// spokes, the grey outer ring.
void DessineCadran(int x, int y, int r, int d) {
    HideMouse();
    PrendCouleur(kCadranFond);
    DrawCircleFill(x, y, r);
    PrendCouleur(kCadranTrait);
    const int rayons[] = {r / 2, r / 2 + 1, 9 * r / 10, 9 * r / 10 - 1, r};
    for (int rho : rayons) DrawCircle(x, y, rho);
    EcritNombre(x, y, r, d, d);
    PrendCouleur(kCadranTrait);
    int s = 360 / d;
    for (int a = -90; a < 270; a += s)
        if (a % 5 == 0) Rayon(x, y, r, a);
    PrendCouleur(kCadranAnneau);
    DrawFloodFill(x + r - 2, y);
    ShowScreen();
    ShowMouse();
}

// Paints the sector that ends at angle `k` in the current colour. The seed
// point lies inside the sector, 2 degrees behind the new spoke at three
// quarters of the radius; on a small dial that point can fall on the spoke
// itself, so the seed moves on, round towards the middle of the sector and
// across the band, to the first point still unpainted. A sector with no
// unpainted point (narrower than its spokes) is left alone, so that no
// earlier sector is repainted.
void PeintSecteur(int x, int y, int r, int s, int k) {
    const uint32_t vide = RGBDe(kCadranFond);
    const double debut = s >= 4 ? k - 2 : k - s / 2.0;
    const int rayons[] = {3 * r / 4, 3 * r / 4 - 1, 3 * r / 4 + 1, 3 * r / 4 - 2, 3 * r / 4 + 2};
    for (double a = debut; a >= k - s / 2.0 - 0.01; a -= 0.5) {
        for (int rho : rayons) {
            int px = PointX(x, a, rho), py = PointY(y, a, rho);
            if (GetPixelRGB(px, py) == vide) {
                DrawFloodFill(px, py);
                return;
            }
        }
        if (s < 4) return;
    }
}

void Redessine(Partie& jeu, int x, int y, int r, int d) {
    int s = 360 / d, q = 255 / d;
    HideMouse();
    EtatCadran& c = jeu.Cadran;
    PrendCouleur(CouleurSecteur(c.teinte));
    if (c.angle != -90) {
        Rayon(x, y, r, c.angle);
        PeintSecteur(x, y, r, s, c.angle);
    }
    PrendCouleur(kCadranTrait);
    if (c.angle % 9 == 0) Rayon(x, y, r, c.angle);
    EffaceNombre(x, y, r, d, d - c.ancien);
    EcritNombre(x, y, r, d, d - jeu.TempsSecondes);
    c.angle += s;
    c.teinte += q;
    c.ancien = jeu.TempsSecondes;
    ShowScreen();
    ShowMouse();
}

}  // namespace

int DeCompteur(Partie& jeu, int x, int y, int r, int d) {
    // The class settings file is checked for 1 .. 360; a step of at least one
    // degree per second keeps the dial drawable whatever the caller passes.
    if (d < 1) d = 1;
    if (d > 360) d = 360;
    if (jeu.PremiereCompteur != 0) {
        DessineCadran(x, y, r, d);
        jeu.Cadran = EtatCadran{};
        jeu.Cadran.debut = ClockSeconds();
        jeu.TempsSecondes = -1;
        jeu.PremiereCompteur = 0;
    }
    EtatCadran& c = jeu.Cadran;
    c.actuel = ClockSeconds();
    jeu.TempsSecondes = static_cast<int>(std::difftime(c.actuel, c.debut));
    if (jeu.TempsSecondes != c.ancien) Redessine(jeu, x, y, r, d);
    return d - jeu.TempsSecondes > 0 ? jeu.TempsSecondes : -1;
}

void DecaleCompteur(Partie& jeu) {
    EtatCadran& c = jeu.Cadran;
    const std::time_t arret = c.actuel;
    c.actuel = ClockSeconds();
    c.debut += static_cast<std::time_t>(std::difftime(c.actuel, arret));
}

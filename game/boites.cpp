// The question screen's text boxes, on the 1024 x 768 reference screen
// scaled to the open window (echelle.h).
#include "boites.h"

#include <algorithm>
#include <cstring>

#include "disposition.h"
#include "echelle.h"

namespace {

// Twice the distance from x to the nearer of x1 and x2: the widest text
// centred on x that stays between them.
int LargeurCentree(int x, int x1, int x2) { return 2 * std::min(x - x1, x2 - x); }

}  // namespace

BoiteLignes BoiteReponse(const FicheQuestion& q, int n) {
    const FicheReponse& rep = q.Reponse[n - 1];
    const PlaceReponse& place = kQuestion.places[n - 1];
    const Boite& boite = kQuestion.reponses[n - 1];
    bool image = rep.Image[0] != '\0';
    BoiteLignes b;
    b.x = RX(image ? place.texteAvecImage : place.texteSansImage);
    b.y = place.texteY;
    // The text stays inside the box's border, and beside the picture.
    bool gaucheEcran = place.image.x < 512;
    int gauche = gaucheEcran ? 92 : (image ? 683 : 603);
    int droite = gaucheEcran ? (image ? 342 : 416) : 927;
    b.largeur = LargeurCentree(b.x, RX(gauche), RX(droite));
    // The box's inside, above and below the text's centre alike.
    const int haut = boite.y;
    b.hauteur = 2 * std::min(RY(place.texteY) - RY(haut + 4), RY(boite.y2() - 4) - RY(place.texteY));
    b.lignes = {rep.Ligne1};
    int taille = image && std::strlen(rep.Ligne1) > 22 ? 25 : 28;
    if (rep.Ligne2[0] != '\0') {
        b.lignes.push_back(rep.Ligne2);
        if (rep.Ligne3[0] != '\0') b.lignes.push_back(rep.Ligne3);
        taille = 25;
    }
    b.taille = RY(taille);
    b.pas = b.lignes.size() >= 3 ? 0.8 : 1.0;
    return b;
}

BoiteLignes BoiteEnonce(const FicheQuestion& q) {
    BoiteLignes b;
    b.x = RX(512);
    b.y = 296;
    b.lignes = {q.Enonce1};
    if (q.Enonce2[0] != '\0') {
        b.lignes.push_back(q.Enonce2);
        if (q.Enonce3[0] != '\0') b.lignes.push_back(q.Enonce3);
    }
    // Between the dial and the thumbnail's place, above the invitation line.
    b.taille = RY(b.lignes.size() == 1 ? 30 : 28);
    b.largeur = LargeurCentree(b.x, RX(230), RX(792));
    b.hauteur = RY(90);
    return b;
}

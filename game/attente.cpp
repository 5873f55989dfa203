// The one wait of every screen.
#include "attente.h"

#include "lumicanvas.h"

namespace {

void JetteTouche() {
    if (KeyPressed() == 1) {
        ShowScreen();
        ClearKeyBuf();
    }
}

// Whether a key ends the wait now.
bool ToucheVenue(Touches touches, Reveil& r) {
    switch (touches) {
    case Touches::Finissent:
        r.touche = GetKeyPressed();
        return r.parTouche = r.touche != -1;
    case Touches::Restent:
        return r.parTouche = KeyPressed() == 1;
    case Touches::Jetees:
        JetteTouche();
        return false;
    case Touches::Ignorees:
        break;
    }
    return false;
}

}  // namespace

Reveil Attend(const Attente& a) {
    Reveil r;
    r.tenu = a.boutonTenu;
    for (;;) {
        if (a.passe && a.passe()) return r;
        if (ToucheVenue(a.touches, r)) return r;
        if (!a.boutons) continue;
        const int bouton = GetMouseButton();
        if (bouton == 0) r.tenu = false;
        if (bouton == 0 || r.tenu) continue;
        r.bouton = bouton;
        r.tenu = true;
        if (a.relache)
            while (GetMouseButton() != 0) JetteTouche();
        return r;
    }
}

int AttendClic() {
    Attente a;
    a.touches = Touches::Jetees;
    a.relache = true;
    return Attend(a).bouton;
}

int AttendAppui(bool& tenu) {
    Attente a;
    a.touches = Touches::Ignorees;
    a.boutonTenu = tenu;
    const Reveil r = Attend(a);
    tenu = r.tenu;
    return r.bouton;
}

int AttendTouche() {
    Attente a;
    a.boutons = false;
    return Attend(a).touche;
}

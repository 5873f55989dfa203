// Answer selection: what the pupil clicked on the question screen.
#include "selection.h"

#include "disposition.h"
#include "echelle.h"
#include "etat.h"
#include "extraits.h"
#include "lumicanvas.h"
#include "question.h"

namespace {

// Answer `zone` + 1 on its clean background, highlighted, held one second.
void MontreChoix(const char* donnees, Partie& jeu, const Eleve& eleve, const Ecran& vue, int zone) {
    Bitmap* fonds[4] = {vue.Choix4, vue.Choix5, vue.Choix6, vue.Choix7};
    PutImage(fonds[zone], RX(kQuestion.reponses[zone].x), RY(kQuestion.reponses[zone].y));
    AfficheQuestionReponses(donnees, jeu, eleve, vue, static_cast<char>(zone + 1));
    ShowScreen();
    ShowMouse();
    Delay(1000);
}

}  // namespace

int SelectionReponse(const char* donnees, Partie& jeu, const Eleve& eleve, const Ecran& vue) {
    int zone = GetMouseArea();
    ClearKeyBuf();
    HideMouse();
    if (zone >= 0 && zone <= 3) {
        MontreChoix(donnees, jeu, eleve, vue, zone);
        return zone;
    }
    // The corner mark does nothing. The pointer comes back at the
    // countdown's next redraw.
    if (zone == 4) return 4;
    if (zone == 5) {
        ExtraitsMedia(donnees, vue, jeu);
        return 5;
    }
    ShowScreen();
    ShowMouse();
    return -1;
}


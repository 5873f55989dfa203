// Answer selection: what the pupil clicked on the question screen.
#include "selection.h"

#include "echelle.h"
#include "etat.h"
#include "extraits.h"
#include "lumicanvas.h"
#include "question.h"

namespace {

// Top-left corners of the answer boxes 1 .. 4 (reference units).
constexpr int kBoiteX[4] = {84, 595, 84, 595};
constexpr int kBoiteY[4] = {425, 425, 575, 575};

// Answer `zone` + 1 on its clean background, highlighted, held one second.
void MontreChoix(int zone) {
    Bitmap* fonds[4] = {Vue.Choix4, Vue.Choix5, Vue.Choix6, Vue.Choix7};
    PutImage(fonds[zone], RX(kBoiteX[zone]), RY(kBoiteY[zone]));
    AfficheQuestionReponses(static_cast<char>(zone + 1));
    ShowScreen();
    ShowMouse();
    Delay(1000);
}

}  // namespace

int SelectionReponse() {
    int zone = GetMouseArea();
    ClearKeyBuf();
    HideMouse();
    if (zone >= 0 && zone <= 3) {
        MontreChoix(zone);
        return zone;
    }
    // The corner mark does nothing. The pointer comes back at the
    // countdown's next redraw.
    if (zone == 4) return 4;
    if (zone == 5) {
        ExtraitsMedia();
        return 5;
    }
    ShowScreen();
    ShowMouse();
    return -1;
}


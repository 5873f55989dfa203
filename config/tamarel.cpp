// Tamarel's entry: start-up, the one screen, the loop, the ending.
#include "lumicanvas.h"
#include "tamarel.h"

int TamarelMain() {
    ConfigParDefaut();
    if (!InitGraphHorsConfig()) return 1;
    InitMouse();
    InitFont();
    SetFontMode(1);
    Datafile* archive = GetData("#");
    CalculeCorrection();
    SetUFormat(U_ASCII8);

    HideMouse();
    AfficheEcranConfig(archive);
    ShowMouse();

    FinConfig(BoucleConfig());

    if (archive != nullptr) UnloadDatafile(archive);
    CloseFont();
    CloseMouse();
    CloseGraph();
    return 0;
}

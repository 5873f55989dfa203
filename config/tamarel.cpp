// Tamarel's entry: start-up, the one screen, the loop, the ending.
#include "lumicanvas.h"
#include "tamarel.h"

Datafile* DonneesTamarel = nullptr;

int OuvreTamarel() {
    ConfigParDefaut();
    if (!InitGraphHorsConfig()) return 0;
    InitMouse();
    InitFont();
    SetFontMode(1);
    DonneesTamarel = GetData("#");
    CalculeCorrection();
    SetUFormat(U_ASCII8);

    HideMouse();
    AfficheEcranConfig(DonneesTamarel);
    ShowMouse();
    return 1;
}

void FermeTamarel() {
    if (DonneesTamarel != nullptr) UnloadDatafile(DonneesTamarel);
    DonneesTamarel = nullptr;
    CloseFont();
    CloseMouse();
    CloseGraph();
}

int TamarelMain() {
    if (!OuvreTamarel()) return 1;
    FinConfig(BoucleConfig());
    FermeTamarel();
    return 0;
}

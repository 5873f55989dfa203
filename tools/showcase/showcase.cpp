// The media layer's example program (see showcase.h): everything on its one
// screen is drawn through lumicanvas.h only.
#include "showcase.h"

#include <cstdio>

#include "lumicanvas.h"

using namespace showcase;

namespace {

float CorrectionX = 1.0f;
float CorrectionY = 1.0f;
Datafile* Donnees = nullptr;
char CheminPhoto[256];
char CheminGif[256];
int EtatGif = -1;

int X(int v) { return static_cast<int>(v * CorrectionX); }
int Y(int v) { return static_cast<int>(v * CorrectionY); }
int R(int v) { return static_cast<int>(v * CorrectionY); }

void Ground() { SetColorRGB(kBackground[0], kBackground[1], kBackground[2]); }

// A framed panel with its title in the top-left corner.
void Panel(int x1, int y1, int x2, int y2, const char* title) {
    SetColor(8);
    DrawRectangle(X(x1), Y(y1), X(x2), Y(y2));
    SetColor(14);
    DimText(1);
    TextXY(X(x1 + 10), Y(y1 + 6), title);
}

void Caption(int x, int y, const char* text) {
    SetColor(7);
    DimText(0);
    CenterTextXY(X(x), Y(y), text);
}

void DrawShapes() {
    Panel(16, 56, 504, 372, "Formes");
    for (int k = 0; k < 8; ++k) {
        SetColor(8 + k);
        DrawLine(X(40), Y(350), X(40 + 20 * k), Y(100));
    }
    SetColor(12);
    DrawRectangle(X(kOutlineRect[0]), Y(kOutlineRect[1]), X(kOutlineRect[2]), Y(kOutlineRect[3]));
    SetColor(4);
    DrawRectFill(X(kFillRect[0]), Y(kFillRect[1]), X(kFillRect[2]), Y(kFillRect[3]));
    SetColor(11);
    DrawCircle(X(kCircle[0]), Y(kCircle[1]), R(kCircle[2]));
    SetColor(3);
    DrawCircleFill(X(kDisc[0]), Y(kDisc[1]), R(kDisc[2]));
    SetColor(13);
    DrawArc(X(kLowerArc[0]), Y(kLowerArc[1]), 0, 180, R(kLowerArc[2]));
    SetColor(14);
    DrawArc(X(kUpperArc[0]), Y(kUpperArc[1]), 180, 360, R(kUpperArc[2]));
}

void NextGifFrame() {
    ShowGIFAdjust(CheminGif, X(kGif[0]), Y(kGif[1]), X(kGif[2]), Y(kGif[3]), &EtatGif);
}

void DrawPictures() {
    Panel(520, 56, 1008, 372, "Images");
    PutImageAdjust(DataBitmap(Donnees, 0), X(kObject[0]), Y(kObject[1]), X(kObject[2]), Y(kObject[3]));
    ShowPictureAdjust(CheminPhoto, X(kPhoto[0]), Y(kPhoto[1]), X(kPhoto[2]), Y(kPhoto[3]));
    NextGifFrame();
    Caption(kObject[0] + kObject[2] / 2, 245, "Objet 0 de l'archive");
    Caption(kPhoto[0] + kPhoto[2] / 2, 245, "paysage.png");
    Caption(kGif[0] + kGif[2] / 2, 245, "feux.gif");
    // A quarter of the archive picture, taken back from the screen.
    Bitmap* copie = GetImage(X(kObject[0]), Y(kObject[1]), X(kObject[0] + kObject[2] / 2),
                             Y(kObject[1] + kObject[3] / 2));
    PutImage(copie, X(kCopy[0]), Y(kCopy[1]));
    DestroyBitmap(copie);
    Caption(kCopy[0] + kObject[2] / 2 + 100, kCopy[1] + kObject[3] / 4, "GetImage puis PutImage");
}

void DrawRing() {
    const int x = X(kRing[0]), y = Y(kRing[1]);
    SetColor(15);
    DrawCircle(x, y, R(kRing[2]));
    DrawCircle(x, y, R(kRing[3]));
    SetColor(10);
    DrawFloodFill(x + R((kRing[2] + kRing[3]) / 2), y);
    Caption(kRing[0], kRing[1] + kRing[2] + 20, "Anneau rempli");
}

void DrawBox(int n, bool chosen) {
    const int* b = kBoxes[n];
    SetColor(chosen ? kChosenColour : kBoxColour);
    DrawRectFill(X(b[0]), Y(b[1]), X(b[2]), Y(b[3]));
    SetColor(15);
    DrawRectangle(X(b[0]), Y(b[1]), X(b[2]), Y(b[3]));
    SetColor(0);
    DimText(2);
    char label[32];
    std::snprintf(label, sizeof label, "Case %d", n + 1);
    CenterTextXY((X(b[0]) + X(b[2])) / 2, (Y(b[1]) + Y(b[3])) / 2, label);
}

// The line under the boxes telling which one was clicked last.
void DrawStatus(int area) {
    Ground();
    DrawRectFill(X(260), Y(640), X(490), Y(670));
    SetColor(15);
    DimText(1);
    if (area >= 0 && area <= 2) {
        TextXY(X(260), Y(645), "Case choisie : ");
        Text(NbToTxt(area + 1));
    } else {
        TextXY(X(260), Y(645), "Aucune case choisie");
    }
}

void DrawAreas() {
    Panel(16, 388, 504, 752, "Remplissage et zones");
    DrawRing();
    InitMouse();
    for (int n = 0; n < 3; ++n) {
        DefineMouseArea(X(kBoxes[n][0]), Y(kBoxes[n][1]), X(kBoxes[n][2]), Y(kBoxes[n][3]));
        DrawBox(n, false);
    }
    DrawStatus(-1);
    SetColor(7);
    DimText(0);
    TextXY(X(36), Y(720), "Cliquez sur une case ; Échap pour quitter.");
}

void DrawTexts() {
    Panel(520, 388, 1008, 752, "Textes");
    SetColor(15);
    int y = Y(420);
    for (int preset = 0; preset <= 5; ++preset) {
        DimText(preset);
        TextXY(X(540), y, "Taille ");
        Text(NbToTxt(preset));
        Text(" : Ça, élève");
        y += TextHeight();
    }
    SetColor(14);
    DimText(1);
    OutCenterTextXY(X(kMarksLine[0]), Y(kMarksLine[1]),
                    "#iitalique# #bgras# #usouligné# #b#iles deux# ##1");
    // The same layer in its 8-bit format: Windows-1252 bytes.
    SetUFormat(U_ASCII8);
    SetColor(11);
    CenterTextXY(X(764), Y(672), "Windows-1252 : \x80 \x8C\x9C \x8A\x9A \x9F \x93\xAB\xBB\x94 \x85 \x99");
    SetUFormat(U_UTF8);
    SetColor(10);
    SetFontAttribute(1);
    CenterTextXY(X(764), Y(708), "Gras, couleur 10");
    SetFontAttribute(0);
}

void DrawScreen() {
    HideMouse();
    Ground();
    DrawRectFill(0, 0, GetMaxX(), GetMaxY());
    SetColor(15);
    DimText(3);
    CenterTextXY(GetMaxX() / 2, Y(28), "Lumicanvas — la vitrine");
    DrawShapes();
    DrawPictures();
    DrawAreas();
    DrawTexts();
    ShowScreen();
    ShowMouse();
}

// A click: the box under the pointer lights up, the others go back.
void Click() {
    HideMouse();
    int area = GetMouseArea();
    for (int n = 0; n < 3; ++n) DrawBox(n, n == area);
    DrawStatus(area);
    ShowScreen();
    ShowMouse();
}

void Close() {
    CloseMouse();
    CloseFont();
    FreeGIFS();
    UnloadDatafile(Donnees);
    Donnees = nullptr;
    CloseGraph();
}

}  // namespace

int ShowcaseMain(const char* files) {
    if (!files) files = ".";
    std::snprintf(CheminPhoto, sizeof CheminPhoto, "%s/paysage.png", files);
    std::snprintf(CheminGif, sizeof CheminGif, "%s/feux.gif", files);
    EtatGif = -1;
    if (!InitGraph(4, 1, 0)) return 1;
    InitMouse();
    InitFont();  // without fonts the screen still shows, without its texts
    SetFontMode(1);
    SetUFormat(U_UTF8);
    CorrectionX = (GetMaxX() + 1) / 1024.0f;
    CorrectionY = (GetMaxY() + 1) / 768.0f;
    Donnees = GetData("#");
    DrawScreen();

    uint32_t next_frame = ClockMillis() + kGifFrameMs;
    while (true) {
        if (GetKeyPressed() == KEY_ESCAPE) break;
        if (ClickMouse() == 1) Click();
        if (ClockMillis() >= next_frame) {
            next_frame = ClockMillis() + kGifFrameMs;
            HideMouse();
            NextGifFrame();
            ShowScreen();
            ShowMouse();
        }
    }
    Close();
    return 0;
}

// Tamarel's one screen: the settings drawn over the background, the mouse
// areas of the choices, the interaction loop and the parting message.
#include <cstdio>

#include "lumicanvas.h"
#include "tamarel.h"

float CorrectionX = 1.0f;
float CorrectionY = 1.0f;
bool ChoixModifie = false;

namespace {

// Palette indices of the screen, each readable on the dark background.
// The explanations of the codes are in the palette's pale blue (80): the
// light blue 9 reaches only 2.9 : 1 there.
constexpr int CouleurCadre = 1;
constexpr int CouleurExplication = 80;
constexpr int CouleurLibelle = 10;
constexpr int CouleurChoisi = 12;
constexpr int CouleurAutre = 13;
constexpr int CouleurTitre = 14;

constexpr int ZoneDernierChiffre = 9;
constexpr int ZoneDerniere = 13;

const char* const Explications[10] = {
    "0 --> Résolution actuelle du système d'exploitation",
    "1 --> Résolution 320 x 200",
    "2 --> Résolution 640 x 480",
    "3 --> Résolution 800 x 600",
    "4 --> Résolution 1024 x 768",
    "5 --> Résolution 1400 x 1050",
    "6 --> Résolution 1280 x 1024",
    "7 --> Résolution 1600 x 1200",
    "8 --> Résolution 2048 x 1536",
    "9 --> Résolution définie ci-dessous !",
};

// A row with a "OUI / NON" choice: full screen (row 14) and error messages
// (row 15). Its "OUI" is the mouse area `zoneOui`, its "NON" the next one.
struct ChoixOuiNon {
    int ligne;
    const char* libelle;
    const char* cle;
    int* valeur;
    float xOui, xBarre, xNon;
    int zoneOui;
};

const ChoixOuiNon LignesOuiNon[2] = {
    {14, "AFFICHAGE EN PLEIN ECRAN : ", "PLEIN_ECRAN", &PleinEcran, 380, 425, 440, 10},
    {15, "AFFICHAGE DES MESSAGES D'ERREUR : ", "MESSAGE_ERREUR", &MessageErreur, 475, 520, 535,
     12},
};

// h: the height of a line at text preset 1, the step between rows.
int HauteurLigne = 0;

int EchelleX(float x) { return static_cast<int>(x * CorrectionX); }
int EchelleY(float y) { return static_cast<int>(y * CorrectionY); }
int Ligne(int n) { return static_cast<int>(180 * CorrectionY + n * HauteurLigne); }
int XChiffre(int k) { return EchelleX(360.0f + 30.0f * k); }

void TexteCouleur(int x, int y, const char* texte, int couleur) {
    SetColor(couleur);
    TextXY(x, y, texte);
}

// The mouse area of a text drawn at (x, y): its width across, h down.
void ZoneTexte(int x, int y, const char* texte) {
    DefineMouseArea(x, y, x + TextLength(texte), y + HauteurLigne);
}

void DessineChiffre(int k, int couleur) {
    char chiffre[2] = {static_cast<char>('0' + k), '\0'};
    TexteCouleur(XChiffre(k), Ligne(0), chiffre, couleur);
}

// Row 0: the label and the ten codes, each followed by " /"; areas 0 to 9.
void DessineCodes() {
    TexteCouleur(EchelleX(80), Ligne(0), "RESOLUTION PREDEFINIE : ", CouleurLibelle);
    LitConfig("RESOLUTION_PREDEFINIE");
    for (int k = 0; k <= ZoneDernierChiffre; k++) {
        DessineChiffre(k, k == ResolutionPredefinie ? CouleurChoisi : CouleurAutre);
        SetColor(CouleurAutre);
        Text(" /");
        char chiffre[2] = {static_cast<char>('0' + k), '\0'};
        ZoneTexte(XChiffre(k), Ligne(0), chiffre);
    }
}

// Rows 12 and 13: the two sizes of code 9, shown but not changed here.
void DessineTaille(int ligne, const char* libelle, const char* cle, int* valeur, float xValeur) {
    TexteCouleur(EchelleX(80), Ligne(ligne), libelle, CouleurLibelle);
    LitConfig(cle);
    TexteCouleur(EchelleX(xValeur), Ligne(ligne), NbToTxt(*valeur), CouleurAutre);
}

void DessineOui(const ChoixOuiNon& c, int couleur) {
    TexteCouleur(EchelleX(c.xOui), Ligne(c.ligne), "OUI", couleur);
}

void DessineNon(const ChoixOuiNon& c, int couleur) {
    TexteCouleur(EchelleX(c.xNon), Ligne(c.ligne), "NON", couleur);
}

// Rows 14 and 15, with their two areas each.
void DessineOuiNon(const ChoixOuiNon& c) {
    TexteCouleur(EchelleX(80), Ligne(c.ligne), c.libelle, CouleurLibelle);
    LitConfig(c.cle);
    bool oui = *c.valeur == 1;
    DessineOui(c, oui ? CouleurChoisi : CouleurAutre);
    ZoneTexte(EchelleX(c.xOui), Ligne(c.ligne), "OUI");
    TexteCouleur(EchelleX(c.xBarre), Ligne(c.ligne), "/", CouleurAutre);
    DessineNon(c, oui ? CouleurAutre : CouleurChoisi);
    ZoneTexte(EchelleX(c.xNon), Ligne(c.ligne), "NON");
}

void DessineFond(Datafile* archive) {
    // The background may be missing from the archive: the screen then stays
    // black behind the texts.
    Bitmap* fond = archive != nullptr ? DataBitmap(archive, 0) : nullptr;
    if (fond != nullptr) PutImageAdjust(fond, 0, 0, GetMaxX(), GetMaxY());
    SetColor(CouleurCadre);
    Rectangle(0, 0, GetMaxX(), GetMaxY());
    SetColor(CouleurTitre);
    Rectangle(EchelleX(270), EchelleY(90), EchelleX(750), EchelleY(130));
    DimText(1);
    CenterTextXY(GetMaxX() / 2, EchelleY(110), "CONFIGURATION GRAPHIQUE 'LUMICANVAS'");
}

void ChoisitResolution(int k) {
    if (ResolutionPredefinie == k) return;
    HideMouse();
    DessineChiffre(k, CouleurChoisi);
    int ancien = ResolutionPredefinie;
    if (ancien >= 0 && ancien <= ZoneDernierChiffre) DessineChiffre(ancien, CouleurAutre);
    ResolutionPredefinie = k;
    ShowMouse();
    ChoixModifie = true;
}

// A click on "OUI" (oui) or "NON" of a row: only a setting that is exactly 0
// turns on and only one that is exactly 1 turns off, so an odd value read from
// the file is kept as it is.
void ChoisitOuiNon(const ChoixOuiNon& c, bool oui) {
    if (*c.valeur != (oui ? 0 : 1)) return;
    HideMouse();
    if (oui) {
        DessineOui(c, CouleurChoisi);
        DessineNon(c, CouleurAutre);
    } else {
        DessineNon(c, CouleurChoisi);
        DessineOui(c, CouleurAutre);
    }
    *c.valeur = oui ? 1 : 0;
    ShowMouse();
    ChoixModifie = true;
}

// The two lines of the parting message, centred on the right half.
void MessageFin(const char* premiere, const char* seconde) {
    int h = TextHeight();
    CenterTextXY(3 * GetMaxX() / 4, GetMaxY() / 2, premiere);
    CenterTextXY(3 * GetMaxX() / 4, GetMaxY() / 2 + h, seconde);
}

}  // namespace

void CalculeCorrection() {
    CorrectionX = (GetMaxX() + 1) * 0.0009765625f;
    CorrectionY = (GetMaxY() + 1) / 768.0f;
}

void AfficheEcranConfig(Datafile* archive) {
    ChoixModifie = false;
    DessineFond(archive);
    HauteurLigne = TextHeight();
    DessineCodes();
    for (int n = 1; n <= 10; n++) {
        TexteCouleur(EchelleX(80), Ligne(n), Explications[n - 1], CouleurExplication);
    }
    DessineTaille(12, "RESOLUTION HORIZONTALE : ", "RESOLUTION_HORIZONTALE",
                  &ResolutionHorizontale, 380);
    DessineTaille(13, "RESOLUTION VERTICALE : ", "RESOLUTION_VERTICALE", &ResolutionVerticale,
                  340);
    for (const ChoixOuiNon& c : LignesOuiNon) DessineOuiNon(c);
    SetColor(CouleurTitre);
    CenterTextXY(GetMaxX() / 2, GetMaxY() - HauteurLigne, "Appuyez sur une touche pour quitter ...");
}

void AgitZone(int zone) {
    if (zone < 0 || zone > ZoneDerniere) return;
    if (zone <= ZoneDernierChiffre) {
        ChoisitResolution(zone);
        return;
    }
    const ChoixOuiNon& c = LignesOuiNon[(zone - 10) / 2];
    ChoisitOuiNon(c, zone == c.zoneOui);
}

int BoucleConfig() {
    // The layer's polling calls hand the processor back when nothing has
    // happened, so this loop waits without heating the machine.
    int touche;
    do {
        touche = GetKeyPressed();
        if (GetMouseButton() == 1) {
            // "No area" comes as -1, that is 255 as a byte: ignored.
            AgitZone(static_cast<unsigned char>(GetMouseArea()));
        }
    } while (touche == -1);
    return touche;
}

void FinConfig(int touche) {
    DimText(2);
    SetColor(ChoixModifie ? CouleurAutre : CouleurTitre);
    if (touche == KEY_ESCAPE) {
        MessageFin("ON IGNORE LA", "CONFIGURATION !");
    } else {
        MessageFin("ECRITURE DES", "DONNEES ...");
        EcritConfig(SignatureGenere);
    }
    Delay(1500);
}

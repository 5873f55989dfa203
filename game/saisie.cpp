// Name entry: the pupil types his surname and first name, then confirms or
// starts again.
#include "saisie.h"

#include <cstdio>
#include <cstring>

#include "attente.h"
#include "couleurs.h"
#include "echelle.h"
#include "etat.h"
#include "lumicanvas.h"
#include "ecran.h"

namespace {

void DessineConsignes(const Reglages& classe, const Ecran& vue) {
    HideMouse();
    DessineObjet(vue, 2, 0, 0, GetMaxX(), GetMaxY());
    int mx = GetMaxX() / 2, my = GetMaxY() / 2;
    SetUFormat(U_ASCII8);
    DimText(4);
    int h = TextHeight();
    SetColor(12);
    CenterTextXY(mx, h, "'PIVOLETTE'");
    SetColor(14);
    CenterTextXY(mx, 2 * h, classe.Theme);
    DimText(2);
    h = TextHeight();
    PrendCouleur(kConsigne);
    CenterTextXY(mx, 5 * h, "Renseigne ton nom et ton prénom (sans accent)...");
    CenterTextXY(mx, 6 * h, "(Appuie sur entrée à chaque saisie)");
    DimText(4);
    h = TextHeight();
    SetColor(10);
    TextXY(50, my - h, "Ton nom : ");
    TextXY(50, my, "Ton prénom : ");
    DessineObjet(vue, 7, PX(GetMaxX(), -220), PY(GetMaxY(), -420), RX(200), RY(400));
}

void DessineRegles(const Reglages& classe) {
    DimText(1);
    int h = TextHeight(), mx = GetMaxX() / 2, gmy = GetMaxY();
    PrendCouleur(kRegle);
    char ligne[128];
    snprintf(ligne, sizeof ligne, "Ce 'quizz' comporte %s questions.", classe.NbQuestionsM0);
    CenterTextXY(mx, gmy - 3 * h, ligne);
    snprintf(ligne, sizeof ligne, "Tu disposes de %d secondes pour répondre à chaque question.", classe.TempsReponseAutorise);
    CenterTextXY(mx, gmy - 2 * h, ligne);
    CenterTextXY(mx, gmy - h, "La réponse sera considérée fausse si le temps imparti est dépassé !");
}

// The line under a label that marks the field being typed, in the colour
// the name is then typed in.
void Souligne(const char* label, int y, Couleur couleur) {
    PrendCouleur(couleur);
    DrawLine(50, y, 50 + TextLength(label), y);
}

// Spaces around a name are no part of it (a trailing space would make the
// same pupil a different one for his results file).
void Rogne(char* nom) {
    size_t n = std::strlen(nom);
    while (n > 0 && nom[n - 1] == ' ') nom[--n] = '\0';
    size_t debut = std::strspn(nom, " ");
    std::memmove(nom, nom + debut, n - debut + 1);
}

// Line input at (x, y) until a non-empty name is typed.
void LitNom(char* champ, int taille, int x, int y) {
    do {
        MoveTo(x, y);
        ReadLn(champ, taille, CaractereNomAccepte);
        Rogne(champ);
    } while (champ[0] == '\0');
}

void LitNoms(FicheJoueur& joueur) {
    DimText(4);
    int h = TextHeight(), my = GetMaxY() / 2;
    Souligne("Ton nom :", my, kSaisie);
    ShowScreen();
    LitNom(joueur.Nom, sizeof joueur.Nom, 50 + TextLength("Ton nom : "), my - h);
    for (char* c = joueur.Nom; *c; ++c)
        if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 32);
    Souligne("Ton nom :", my, kNoir);
    Souligne("Ton prénom :", my + h, kSaisie);
    ShowScreen();
    LitNom(joueur.Prenom, sizeof joueur.Prenom, 50 + TextLength("Ton prénom : "), my);
    for (char* c = joueur.Prenom; *c; ++c)
        if (*c >= 'A' && *c <= 'Z') *c = static_cast<char>(*c + 32);
    if (joueur.Prenom[0] >= 'a' && joueur.Prenom[0] <= 'z') joueur.Prenom[0] = static_cast<char>(joueur.Prenom[0] - 32);
    Souligne("Ton prénom :", my + h, kNoir);
    SetColor(9);
    ShowScreen();
    snprintf(joueur.Classe, sizeof joueur.Classe, "%s", "DEMO");
}

// "JE RECOMMENCE !" (area 0) and "JE VALIDE MON CHOIX !" (area 1).
void DessineBoutons() {
    InitMouse();
    DimText(1);
    int h = TextHeight(), mx = GetMaxX() / 2, my = GetMaxY() / 2;
    int wr = TextLength("XJE RECOMMENCE !X"), wv = TextLength("XJE VALIDE MON CHOIX !X");
    SetColor(42);
    DrawRectFill(mx - wr / 2, my + 4 * h, mx + wr / 2, my + 5 * h);
    SetColor(46);
    DrawRectFill(mx - wv / 2, my + 6 * h, mx + wv / 2, my + 7 * h);
    SetColor(0);
    DrawRectangle(mx - wr / 2, my + 4 * h, mx + wr / 2, my + 5 * h);
    DrawRectangle(mx - wv / 2, my + 6 * h, mx + wv / 2, my + 7 * h);
    OutCenterTextXY(mx, my + 9 * h / 2, "#iJE RECOMMENCE !# ");
    OutCenterTextXY(mx, my + 13 * h / 2, "#iJE VALIDE MON CHOIX !# ");
    ShowScreen();
    ShowMouse();
    DefineMouseArea(mx - wr / 2, my + 4 * h, mx + wr / 2, my + 5 * h);
    DefineMouseArea(mx - wv / 2, my + 6 * h, mx + wv / 2, my + 7 * h);
}

// Waits for a click on one of the two buttons: 1 to confirm, 0 to restart.
int Confirme() {
    bool tenu = false;
    for (;;) {
        AttendAppui(tenu);
        int zone = GetMouseArea();
        if (zone == 0) return 0;
        if (zone == 1) return 1;
    }
}

}  // namespace

int CaractereNomAccepte(int ch) {
    if (ch < 32 || ch == 127 || ch > 255) return 0;
    return std::strchr("/\\:*?\"<>|", ch) == nullptr ? 1 : 0;
}

void SaisieInfos(const Reglages& classe, const Ecran& vue, Eleve& eleve) {
    do {
        DessineConsignes(classe, vue);
        DessineRegles(classe);
        LitNoms(eleve.Joueur);
        DessineBoutons();
    } while (Confirme() == 0);
    snprintf(eleve.NOM_JOUEUR, sizeof eleve.NOM_JOUEUR, "%s", eleve.Joueur.Nom);
    snprintf(eleve.PRENOM_JOUEUR, sizeof eleve.PRENOM_JOUEUR, "%s", eleve.Joueur.Prenom);
    snprintf(eleve.CLASSE_JOUEUR, sizeof eleve.CLASSE_JOUEUR, "%s", eleve.Joueur.Classe);
}

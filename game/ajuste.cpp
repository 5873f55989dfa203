// Text that fits its box.
#include "ajuste.h"

#include <algorithm>

#include "lumicanvas.h"

namespace {

// Below this height a text steps down further only to stay inside its box:
// wrapping is tried first.
constexpr int kTailleLisible = 12;
constexpr int kTailleMin = 4;  // the media layer's smallest text

int Largeur(const std::string& ligne) { return TextLength(ligne.c_str()); }

int HauteurBloc(int n, int h, double pas) { return n == 0 ? 0 : static_cast<int>(h + (n - 1) * pas * h); }

bool Tient(const std::vector<std::string>& lignes, int largeur, int hauteur, double pas) {
    if (HauteurBloc(static_cast<int>(lignes.size()), TextHeight(), pas) > hauteur) return false;
    return std::all_of(lignes.begin(), lignes.end(), [largeur](const std::string& l) { return Largeur(l) <= largeur; });
}

// The style marks ("#i", "#b", "#u") still open at the end of `texte`.
std::string MarquesOuvertes(const std::string& texte) {
    std::string ouvertes;
    for (size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] != '#') continue;
        char suivant = i + 1 < texte.size() ? texte[i + 1] : '\0';
        if (suivant == 'i' || suivant == 'b' || suivant == 'u') {
            ouvertes += suivant;
            ++i;
        } else if (suivant == '#') {
            ++i;
        } else if (!ouvertes.empty()) {
            ouvertes.pop_back();
        }
    }
    return ouvertes;
}

// A piece of a wrapped line, its open marks closed; `reprise` receives the
// marks that open the next piece.
std::string Ferme(const std::string& morceau, std::string& reprise) {
    std::string ouvertes = MarquesOuvertes(morceau);
    reprise.clear();
    for (char m : ouvertes) reprise += std::string("#") + m;
    return morceau + std::string(ouvertes.size(), '#');
}

// One line cut at the spaces (or anywhere, for a word wider than the box)
// into pieces no wider than `largeur` at the current size.
void Coupe(const std::string& ligne, int largeur, std::vector<std::string>& sortie) {
    std::string reste = ligne;
    while (!reste.empty()) {
        if (Largeur(reste) <= largeur) {
            sortie.push_back(reste);
            return;
        }
        // The longest prefix that fits, at least one byte (widths grow with
        // the length: a halving search).
        size_t fin = 1, trop = reste.size();
        while (trop - fin > 1) {
            size_t milieu = (fin + trop) / 2;
            (Largeur(reste.substr(0, milieu)) <= largeur ? fin : trop) = milieu;
        }
        size_t espace = reste.rfind(' ', fin);
        size_t coupe = (espace != std::string::npos && espace > 0 && fin < reste.size()) ? espace : fin;
        std::string reprise;
        sortie.push_back(Ferme(reste.substr(0, coupe), reprise));
        size_t debut = coupe;
        while (debut < reste.size() && reste[debut] == ' ') ++debut;
        reste = reprise + reste.substr(debut);
        if (reste == reprise) return;
    }
}

std::vector<std::string> Enveloppe(const std::vector<std::string>& lignes, int largeur) {
    std::vector<std::string> sortie;
    for (const std::string& l : lignes) Coupe(l, std::max(1, largeur), sortie);
    return sortie;
}

}  // namespace

BlocTexte AjusteBloc(const std::vector<std::string>& lignes, int taille, int largeur, int hauteur, double pas) {
    const int lisible = std::min(taille, kTailleLisible);
    for (int t = taille; t >= lisible; --t) {
        SetDimText(t);
        if (Tient(lignes, largeur, hauteur, pas)) return {TextHeight(), lignes, false};
    }
    for (int t = taille; t >= kTailleMin; --t) {
        SetDimText(t);
        std::vector<std::string> coupees = Enveloppe(lignes, largeur);
        if (Tient(coupees, largeur, hauteur, 1.0)) return {TextHeight(), coupees, coupees != lignes};
    }
    SetDimText(kTailleMin);
    std::vector<std::string> coupees = Enveloppe(lignes, largeur);
    return {TextHeight(), coupees, coupees != lignes};
}

int AjusteLigne(const char* texte, int taille, int largeur, int hauteur) {
    int t = taille;
    for (SetDimText(t); t > kTailleMin && (TextLength(texte) > largeur || TextHeight() > hauteur);) SetDimText(--t);
    return TextHeight();
}

void CentreAjuste(int x, int y, const char* texte, int taille, int largeur, int hauteur) {
    AjusteLigne(texte, taille, largeur, hauteur);
    CenterTextXY(x, y, texte);
}

// Measuring a quiz as the question screen lays it out.
#include "mesure.h"

#include <algorithm>
#include <memory>

#include "ajuste.h"
#include "boites.h"
#include "etat.h"
#include "lecture_quizz.h"
#include "lumicanvas.h"

namespace {

// Where each display segment of a quiz line starts, in characters from 1
// (Windows-1252: one byte a character).
std::vector<int> Colonnes(const std::string& ligne) {
    std::vector<int> c{1};
    for (std::size_t k = 0; k < ligne.size() && c.size() < 3; ++k) {
        if (ligne[k] == '|') c.push_back(static_cast<int>(k) + 2);
    }
    return c;
}

int HauteurLignes(int n, int h, double pas) { return n == 0 ? 0 : static_cast<int>(h + (n - 1) * pas * h); }

std::string Px(int n) { return std::to_string(n) + " pixel" + (n > 1 ? "s" : ""); }

// One text block: the question's or an answer's lines, from line `ligne`.
void Mesure(const BoiteLignes& b, const std::string& texte, int ligne, const std::string& f, std::vector<Diagnostic>& d) {
    const BlocTexte bloc = AjusteBloc(b.lignes, b.taille, b.largeur, b.hauteur, b.pas);
    // Wrapped: more lines than written (a word alone cannot be wrapped).
    const bool coupe = bloc.coupe && bloc.lignes.size() > b.lignes.size();
    if (bloc.taille >= b.taille && !coupe) return;
    // The widest line at the layout's size is the one to shorten.
    SetDimText(b.taille);
    std::size_t large = 0;
    int largeur = 0;
    for (std::size_t k = 0; k < b.lignes.size(); ++k) {
        const int l = TextLength(b.lignes[k].c_str());
        if (l > largeur) largeur = l, large = k;
    }
    const std::vector<int> colonnes = Colonnes(texte);
    const int colonne = large < colonnes.size() ? colonnes[large] : 1;
    // What is left over at the size the game settles on.
    SetDimText(bloc.taille);
    int depasse = 0;
    for (const std::string& l : bloc.lignes) depasse = std::max(depasse, TextLength(l.c_str()) - b.largeur);
    const double pas = coupe ? 1.0 : b.pas;
    const int trop_haut = HauteurLignes(static_cast<int>(bloc.lignes.size()), TextHeight(), pas) - b.hauteur;
    const std::string place = " (" + Px(largeur) + " de large en taille " + std::to_string(b.taille) +
                              " pour une case de " + Px(b.largeur) + " sur " + Px(b.hauteur) + ")";
    if (depasse > 0 || trop_haut > 0) {
        d.push_back({f, ligne, colonne, false,
                     "texte trop long : il déborde de sa case de " + Px(std::max(depasse, trop_haut)) +
                         " même en taille " + std::to_string(bloc.taille) + place});
    } else if (coupe) {
        d.push_back({f, ligne, colonne, false,
                     "texte coupé par le jeu en " + std::to_string(bloc.lignes.size()) +
                         " lignes et réduit de la taille " + std::to_string(b.taille) + " à " +
                         std::to_string(bloc.taille) + place});
    } else {
        d.push_back({f, ligne, colonne, false,
                     "texte réduit par le jeu de la taille " + std::to_string(b.taille) + " à " +
                         std::to_string(bloc.taille) + place});
    }
}

// The fonts closed, and the text settings put back, however `mesure` ends.
struct PolicesOuvertes {
    ~PolicesOuvertes() { CloseFont(); }
};

}  // namespace

bool AvecPolicesDuJeu(const std::function<void()>& mesure, std::string& erreur) {
    if (InitFont() == 0) return erreur = "les polices du jeu ne s'ouvrent pas : " + std::string(GetMediaError()), false;
    const PolicesOuvertes fermeture;
    mesure();
    return true;
}

void MesureQuizz(const std::string& texte, const std::string& f, std::vector<Diagnostic>& d) {
    const std::vector<std::string> lignes = DecoupeLignes(texte);
    if (lignes.size() < static_cast<std::size_t>(LIGNES_ENTETE) + 6) return;
    // Whole blocks only (the free seventh line of the last may be missing).
    const int questions = std::min<int>(MAX_QUESTIONS, static_cast<int>((lignes.size() + 1 - LIGNES_ENTETE) / 7));
    std::string erreur;
    const bool mesure = AvecPolicesDuJeu([&]() {
        Reglages classe;
        classe.NombreQuestions = questions;
        auto jeu = std::make_unique<Partie>();
        PrepareQuizz(*jeu, questions);
        ChargeQuizzTexte(texte, classe, *jeu);
        SetUFormat(U_ASCII8);
        for (int q = 0; q < questions; ++q) {
            const int ligne = LIGNES_ENTETE + 7 * q;  // from 0
            const FicheQuestion& question = jeu->Question[q];
            Mesure(BoiteEnonce(question), lignes[static_cast<std::size_t>(ligne)], ligne + 1, f, d);
            for (int n = 1; n <= 4; ++n) {
                if (question.Reponse[n - 1].Ligne1[0] == '\0') continue;
                Mesure(BoiteReponse(question, n), lignes[static_cast<std::size_t>(ligne + n)], ligne + n + 1, f, d);
            }
        }
    }, erreur);
    if (!mesure) d.push_back({f, 0, 0, false, "les textes n'ont pas pu être mesurés : " + erreur});
}

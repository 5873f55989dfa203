// `pivolette preview`: every question screen drawn by the game's own code on
// its screen without a window, saved as PNG files, and a contact sheet of
// them all, so that the teacher looks at the quiz as the pupil will.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

#include "chemins.h"
#include "commandes.h"
#include "ecran_mesure.h"
#include "etat.h"
#include "harness.h"
#include "lecture_quizz.h"
#include "lumicanvas.h"
#include "question.h"
#include "ecran.h"
#include "operations.h"
#include "pictures.h"

#include <SDL.h>
#include <SDL_image.h>

namespace fs = std::filesystem;

namespace {

const char* const AIDE_PREVIEW =
    "usage : pivolette preview QUIZZ [-o DOSSIER] [--size LxH] [--answers]\n"
    "\n"
    "Dessine chaque écran de question comme l'élève le verra (le dessin du jeu,\n"
    "sans fenêtre), en 1024 x 768 ou à la taille LxH : question-01.png,\n"
    "question-02.png… et planche.png, toutes les questions en vignettes, dans\n"
    "DOSSIER (« apercu » par défaut). QUIZZ est le quiz brouillé\n"
    "(InfosQuizz/questions/vorlines_DEMO, ses images cherchées à côté) ou son\n"
    "texte (.txt, à côté d'InfosQuizz). Avec --answers, la bonne réponse est\n"
    "marquée comme le jeu la marque quand l'élève la choisit. Seuls les fichiers\n"
    "question-NN.png et planche.png du dossier sont remplacés.\n"
    "Codes de sortie : 0 écrit, 1 écran du jeu impossible, 2 usage ou quiz illisible.\n";

// What is drawn, and where it goes.
struct Apercu {
    std::string clair;         // the quiz's plain text, Windows-1252
    fs::path donnees;          // the data folder the quiz's media are in
    fs::path sortie;           // the folder of the PNG files
    int largeur = 1024;
    int hauteur = 768;
    bool reponses = false;
    int questions = 0;
    int ecrits = 0;
};

bool LitTaille(const std::string& t, int& largeur, int& hauteur) {
    int l = 0, h = 0;
    char fin = 0;
    if (std::sscanf(t.c_str(), "%dx%d%c", &l, &h, &fin) != 2 || l < 320 || h < 240 || l > 4096 || h > 4096)
        return false;
    return largeur = l, hauteur = h, true;
}

// The quiz's plain text and its data folder, from the scrambled file or its text.
bool LitQuizz(const std::string& chemin, Apercu& a, std::string& erreur) {
    const fs::path p = fs::absolute(CheminFs(chemin));
    if (p.extension() == ".txt") {
        std::string octets;
        std::vector<Diagnostic> d;
        if (!LitFichierEntier(chemin, octets)) return erreur = chemin + " : fichier introuvable ou illisible", false;
        if (!TexteClairQuizz(octets, chemin, Codage::Auto, a.clair, d))
            return erreur = chemin + " : texte refusé (pivolette encode dit pourquoi)", false;
        std::error_code e;
        a.donnees = fs::is_directory(p.parent_path() / "InfosQuizz", e) ? p.parent_path() / "InfosQuizz" : p.parent_path();
        return true;
    }
    if (!LitFichierQuizz(chemin, a.clair, erreur)) return false;
    a.donnees = p.parent_path().parent_path();  // InfosQuizz/questions/vorlines_DEMO
    return true;
}

std::string Nom(const Apercu& a, const char* nom) { return Utf8DeChemin(a.sortie / nom); }

// The one call into the game's drawing: its question screen for question k,
// and with `reponse` the right answer redrawn as when the pupil picks it.
void DessineApercu(const Reglages& classe, Partie& jeu, const Eleve& eleve, const Ecran& vue, int k, bool reponse) {
    jeu.NumQuestion = k;
    AfficheQuestionReponses(classe.CheminDonnees, jeu, eleve, vue, 0);
    const char bonne = jeu.Question[k].BonneReponse[0];
    if (reponse && bonne >= '1' && bonne <= '4')
        AfficheQuestionReponses(classe.CheminDonnees, jeu, eleve, vue, static_cast<char>(bonne - '0'));
}

// The quiz loaded by the game's loader, and the pupil the screens name.
struct Scene {
    Reglages classe;
    std::unique_ptr<Partie> jeu = std::make_unique<Partie>();
    Eleve eleve;

    Scene(const Apercu& a, Ecran& vue) {
        classe.NombreQuestions = a.questions;
        PrepareQuizz(*jeu, a.questions);
        ChargeQuizzTexte(a.clair, classe, *jeu);
        std::snprintf(classe.CheminDonnees, sizeof classe.CheminDonnees, "%s/", Utf8DeChemin(a.donnees).c_str());
        std::snprintf(eleve.NOM_JOUEUR, sizeof eleve.NOM_JOUEUR, "%s", "APER\xC7U");
        std::snprintf(eleve.PRENOM_JOUEUR, sizeof eleve.PRENOM_JOUEUR, "%s", "du quiz");
        std::snprintf(eleve.CLASSE_JOUEUR, sizeof eleve.CLASSE_JOUEUR, "%s", "DEMO");
        CreeMorceaux(vue);
    }
};

struct Vignettes {
    std::vector<Bitmap*> b;
    ~Vignettes() {
        for (Bitmap* x : b) DestroyBitmap(x);
    }
};

void Dessine(Apercu& a, Ecran& vue) {
    Scene scene(a, vue);
    Reglages& classe = scene.classe;
    Partie& jeu = *scene.jeu;
    const Eleve& eleve = scene.eleve;
    const int colonnes = static_cast<int>(std::ceil(std::sqrt(a.questions)));
    const int lignes = (a.questions + colonnes - 1) / colonnes;
    const int w = (GetMaxX() + 1) / colonnes, h = (GetMaxY() + 1) / std::max(lignes, colonnes);
    Vignettes v;
    for (int k = 0; k < a.questions; ++k) {
        DessineApercu(classe, jeu, eleve, vue, k, a.reponses);
        char nom[32];
        std::snprintf(nom, sizeof nom, "question-%02d.png", k + 1);
        if (harness::SavePNG(Nom(a, nom))) ++a.ecrits;
        std::unique_ptr<Bitmap, void (*)(Bitmap*)> ecran(GetImage(0, 0, GetMaxX(), GetMaxY()), DestroyBitmap);
        Bitmap* vignette = CreateBitmap(w - 4, h - 4);
        if (ecran && vignette) StretchBlit(ecran.get(), vignette, 0, 0, GetMaxX() + 1, GetMaxY() + 1, 0, 0, w - 4, h - 4);
        v.b.push_back(vignette);
    }
    SetColor(15);
    DrawRectFill(0, 0, GetMaxX(), GetMaxY());
    for (int k = 0; k < a.questions; ++k) {
        if (v.b[static_cast<std::size_t>(k)]) PutImage(v.b[static_cast<std::size_t>(k)], (k % colonnes) * w + 2, (k / colonnes) * h + 2);
    }
    if (harness::SavePNG(Nom(a, "planche.png"))) ++a.ecrits;
}

// The back buffer as PNG bytes, through an SDL stream that appends to a string.
bool EcranEnPng(std::string& png) {
    int w = 0, h = 0;
    std::vector<uint32_t> pixels = harness::BackBuffer(&w, &h);
    if (pixels.empty()) return false;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), w, h, 32, w * 4, SDL_PIXELFORMAT_RGB888);
    SDL_RWops* flux = s ? SDL_AllocRW() : nullptr;
    if (!flux) return SDL_FreeSurface(s), false;
    flux->hidden.unknown.data1 = &png;
    flux->write = [](SDL_RWops* f, const void* p, size_t taille, size_t n) -> size_t {
        static_cast<std::string*>(f->hidden.unknown.data1)->append(static_cast<const char*>(p), taille * n);
        return n;
    };
    flux->seek = [](SDL_RWops* f, Sint64, int) -> Sint64 {
        return static_cast<Sint64>(static_cast<std::string*>(f->hidden.unknown.data1)->size());
    };
    flux->close = [](SDL_RWops* f) -> int { return SDL_FreeRW(f), 0; };
    const bool ok = IMG_SavePNG_RW(s, flux, 1) == 0;
    SDL_FreeSurface(s);
    return ok && !png.empty();
}

// The screen of question `k` of `a`, drawn as `DessineApercu` draws it.
void DessineUne(const Apercu& a, Ecran& vue, int k, std::string& png) {
    Scene scene(a, vue);
    DessineApercu(scene.classe, *scene.jeu, scene.eleve, vue, k, a.reponses);
    EcranEnPng(png);
    // The screen stays open for the next preview: its pieces go, its archive stays.
    for (Bitmap** b : {&vue.Quizz, &vue.Gagnant, &vue.Choix1, &vue.Choix2, &vue.Choix3, &vue.Choix4, &vue.Choix5, &vue.Choix6, &vue.Choix7}) {
        DestroyBitmap(*b);
        *b = nullptr;
    }
}

}  // namespace

bool ApercuQuestion(const DemandeApercu& demande, std::string& png, std::string& erreur) {
    Apercu a;
    a.clair = demande.clair;
    a.donnees = fs::absolute(CheminFs(demande.donnees));
    a.largeur = std::clamp(demande.largeur, 320, 4096);
    a.hauteur = std::clamp(demande.hauteur, 240, 4096);
    a.reponses = demande.reponse;
    const std::vector<std::string> lignes = DecoupeLignes(a.clair);
    a.questions = lignes.size() < LIGNES_ENTETE + 6 ? 0 : std::min<int>(MAX_QUESTIONS, static_cast<int>((lignes.size() + 1 - LIGNES_ENTETE) / 7));
    if (demande.question < 0 || demande.question >= a.questions) return erreur = "aucune question complète à dessiner", false;
    png.clear();
    if (!SurEcranOuvert(a.largeur, a.hauteur, [&](Ecran& vue) { DessineUne(a, vue, demande.question, png); }, erreur)) return false;
    if (png.empty()) return erreur = "l'aperçu n'a pas pu être mis en PNG", false;
    return true;
}

bool ImageDuJeu(const std::string& octets, const std::string& nom, std::string& raison) {
    bool lue = false;
    std::string erreur;
    const bool ecran = SurEcranOuvert(0, 0, [&](Ecran&) {
        lue = lc::DecodePicture(octets, nom) != nullptr;
        if (!lue) raison = GetMediaError();
    }, erreur);
    if (!ecran) raison = erreur;
    if (!lue && raison.empty()) raison = "image illisible";
    return lue;
}

void FermeEcranDuJeu() { FermeEcranOuvert(); }

int CommandePreview(int argc, char** argv) {
    const Arguments args = LitArguments(argc, argv, {"--help", "-h", "--answers"}, {"-o", "--size"});
    if (args.A("--help") || args.A("-h")) return std::cout << AIDE_PREVIEW, SORTIE_OK;
    Apercu a;
    a.reponses = args.A("--answers");
    if (!args.inconnue.empty() || args.valeur_manquante || args.mots.size() != 1 ||
        (args.A("--size") && !LitTaille(args.Valeur("--size"), a.largeur, a.hauteur)))
        return std::cerr << AIDE_PREVIEW, SORTIE_USAGE;
    std::string erreur;
    if (!LitQuizz(args.mots[0], a, erreur)) return Echec(SORTIE_USAGE, erreur);
    const std::vector<std::string> lignes = DecoupeLignes(a.clair);
    a.questions = lignes.size() < LIGNES_ENTETE + 6 ? 0 : std::min<int>(MAX_QUESTIONS, static_cast<int>((lignes.size() + 1 - LIGNES_ENTETE) / 7));
    if (a.questions == 0) return Echec(SORTIE_USAGE, args.mots[0] + " : aucune question complète à dessiner");
    std::error_code e;
    a.sortie = fs::absolute(CheminFs(args.Valeur("-o", "apercu")));
    fs::create_directories(a.sortie, e);
    if (!fs::is_directory(a.sortie, e)) return Echec(SORTIE_USAGE, Utf8DeChemin(a.sortie) + " : impossible d'y écrire");
    if (!SurEcranDuJeu(a.largeur, a.hauteur, [&](Ecran& vue) { Dessine(a, vue); }, erreur)) return Echec(SORTIE_PROBLEMES, erreur);
    if (a.ecrits != a.questions + 1) return Echec(SORTIE_PROBLEMES, Utf8DeChemin(a.sortie) + " : des images n'ont pas pu être écrites");
    std::cerr << a.questions << " écran(s) de question et la planche dans " << Utf8DeChemin(a.sortie) << "\n";
    return SORTIE_OK;
}

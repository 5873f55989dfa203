// grelinor_joue FOLDER LEVEL [SURNAME FIRST-NAME]: plays one whole run of the
// game headless in the data folder FOLDER, as a pupil of LEVEL (0 G.S. ...
// 5 C.M.2) would: the first name the game lists (top left), or the names typed when the
// level types them, then answer 1 to every question after a second. The
// workshop's browser suite uses it to put a real pupil's results in a
// folder. Prints what the run counted; exit 0 once every question was
// answered, 1 otherwise.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "disposition.h"
#include "grelinor.h"
#include "harness.h"
#include "lumicanvas.h"

namespace {

// The screen's size, and a point of the 1024 x 768 reference screen on it.
struct Echelle {
    int largeur = 1024, hauteur = 768;
    void Clic(int x, int y) const { harness::ClickAt(x * largeur / 1024, y * hauteur / 768); }
};

Echelle Mesure() {
    Echelle e;
    harness::BackBuffer(&e.largeur, &e.hauteur);
    if (e.largeur <= 0 || e.hauteur <= 0) e = Echelle{};
    return e;
}

// The centre of the pixels of a colour in a rectangle of the screen; false
// when there is none.
bool Centre(uint32_t rgb, int x1, int y1, int x2, int y2, int* cx, int* cy) {
    int w = 0, h = 0;
    const std::vector<uint32_t> image = harness::BackBuffer(&w, &h);
    return harness::CentreOfColour(image, w, h, rgb, x1, y1, x2, y2, cx, cy);
}

bool ClicCouleur(int couleur, int x1, int y1, int x2, int y2) {
    int x = 0, y = 0;
    if (!Centre(PaletteRGB(couleur), x1, y1, x2, y2, &x, &y)) return false;
    harness::ClickAt(x, y);
    return true;
}

// The level screen: the level's button, then the confirm button top right.
void ChoisitNiveau(const Echelle& e, int niveau) {
    const int x[6] = {260, 762, 260, 762, 260, 762};
    const int y[6] = {415, 415, 545, 545, 675, 675};
    e.Clic(x[niveau], y[niveau]);
    e.Clic(1023 - 25, 30);
}

// The pupil: the first name of the list and « VALIDER ! », or the two names
// typed and the validating button below them.
bool Identifie(const Course& course, const Echelle& e, const std::string& nom, const std::string& prenom) {
    if (course.Classe.GetInfosJoueur == 0) {
        e.Clic(350, 256);
        return ClicCouleur(9, e.largeur * 700 / 1024, 0, e.largeur - 1, e.hauteur * 110 / 768);
    }
    harness::Type(nom);
    harness::Key(KEY_ENTER);
    harness::Type(prenom);
    harness::Key(KEY_ENTER);
    return ClicCouleur(46, 0, e.hauteur * 400 / 768, e.largeur - 1, e.hauteur - 1);
}

int Joue(int niveau, const std::string& nom, const std::string& prenom) {
    Course course;
    harness::Options o;
    o.archive = GRELINOR_ARCHIVE;
    harness::Start([&course] { return GrelinorMain(course); }, o);
    const Echelle e = Mesure();
    ChoisitNiveau(e, niveau);
    if (harness::Finished() || !Identifie(course, e, nom, prenom)) {
        std::fprintf(stderr, "grelinor_joue: the run stopped before the first question\n");
        harness::Stop();
        return 1;
    }
    const Boite& b = kQuestion.reponses[0];
    for (int tour = 0; tour < 4 * MAX_QUESTIONS && !harness::Finished(); ++tour) {
        const Partie& jeu = course.Jeu;
        if (jeu.BonnesReponses + jeu.MauvaisesReponses >= course.Classe.NombreQuestions) break;
        harness::Advance(1000);
        e.Clic(b.x + b.w / 2, b.y + b.h / 2);
        harness::Advance(1500);
    }
    const int repondues = course.Jeu.BonnesReponses + course.Jeu.MauvaisesReponses;
    std::printf("questions %d, right %d, wrong %d\n", course.Classe.NombreQuestions, course.Jeu.BonnesReponses,
                course.Jeu.MauvaisesReponses);
    const bool complet = course.Classe.NombreQuestions > 0 && repondues >= course.Classe.NombreQuestions;
    harness::Stop();
    return complet ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: grelinor_joue FOLDER LEVEL(0-5) [SURNAME FIRST-NAME]\n");
        return 2;
    }
    const int niveau = std::atoi(argv[2]);
    if (niveau < 0 || niveau > 5) {
        std::fprintf(stderr, "grelinor_joue: the level is 0 (G.S.) to 5 (C.M.2)\n");
        return 2;
    }
    std::error_code erreur;
    std::filesystem::current_path(argv[1], erreur);
    if (erreur) {
        std::fprintf(stderr, "grelinor_joue: %s: %s\n", argv[1], erreur.message().c_str());
        return 2;
    }
    return Joue(niveau, argc == 5 ? argv[3] : "", argc == 5 ? argv[4] : "");
}

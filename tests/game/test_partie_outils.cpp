#include "couleurs.h"
#include "test_partie_outils.h"

#include <cstring>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "disposition.h"
#include "fichier_quizz.h"
#include "grelinor.h"
#include "lumicanvas.h"

namespace partie {

namespace fs = std::filesystem;

void EcritReglages(const std::string& fichier, const std::string& nombre, const std::string& temps,
                   bool saisie) {
    test_support::WriteFile("InfosQuizz/infos/" + fichier,
                            "Quiz d'essai\nLes fruits de saison\nClasse d'essai\n" +
                                std::string(saisie ? "1" : "0") + "\n" + nombre + "\n5\n3\n" + temps + "\n");
}

void EcritListe(const std::string& contenu) { test_support::WriteFile("InfosQuizz/infos/infos_quizz_DEMO", contenu); }

void EcritQuizz(const std::vector<QuestionTest>& questions) {
    std::string texte = "Quiz des fruits\nLes fruits\nnote\n";
    for (const QuestionTest& q : questions) {
        texte += q.enonce + "\n";
        for (const std::string& r : q.reponses) texte += r + "\n";
        texte += q.bonne + "\n--\n";
    }
    BrouilleQuizz(reinterpret_cast<unsigned char*>(texte.data()), texte.size());
    test_support::WriteFile("InfosQuizz/questions/vorlines_DEMO", texte);
}

void CopieSonMuet(const std::string& chemin) {
    test_support::WriteFile(chemin, test_support::ReadFile(SOURCE_DIR "/tests/game/donnees/silence_3s.mp3"));
}

void EcritConfig(int largeur, int hauteur) {
    test_support::WriteFile("LCConfig.txt", "RESOLUTION_HORIZONTALE=" + std::to_string(largeur) +
                                                "\nRESOLUTION_VERTICALE=" + std::to_string(hauteur) +
                                                "\nRESOLUTION_PREDEFINIE=9\nPLEIN_ECRAN=0\nMESSAGE_ERREUR=0\n");
}

std::vector<QuestionTest> TroisQuestions() {
    return {
        {"Quel fruit est jaune ?", {"La fraise", "La banane", "La cerise", "Le raisin"}, "2"},
        {"Quel fruit pousse|sur un palmier ?", {"La pomme", "La datte", "La poire", "La prune"}, "2"},
        {"Quel fruit a|des p\xE9pins|?", {"La cerise", "La pomme", "L'abricot", "La p\xEA" "che"}, "2"},
    };
}

void ArbreStandard() {
    EcritConfig();
    EcritReglages("infos_jeu_DEMO0", "3", "10", false);
    EcritReglages("infos_jeu_DEMO", "3", "10", true);
    EcritListe("3\ndupont\nmarie\nCP A\nMARTIN\nLUC\nCP A\npetit\nZOE\nCP B\n");
    EcritQuizz(TroisQuestions());
}

namespace {
std::unique_ptr<Course> Derniere;  // the records of the last run started
}  // namespace

Course& Lance() {
    harness::Stop();  // the last run lets go of its records first
    Derniere = std::make_unique<Course>();
    harness::Options o;
    o.archive = GRELINOR_ARCHIVE;
    Course& course = *Derniere;
    harness::Start([&course] { return GrelinorMain(course); }, o);
    return course;
}

Course& EnCours() { return *Derniere; }

void ChoisitNiveau(int niveau) {
    const int x[6] = {260, 762, 260, 762, 260, 762};
    const int y[6] = {415, 415, 545, 545, 675, 675};
    harness::ClickAt(x[niveau], y[niveau]);
    harness::ClickAt(1023 - 25, 30);  // the confirm button, top right
}

std::string Resultats(const std::string& fichier) {
    return test_support::ReadFile("InfosQuizz/joueurs/DEMO/" + fichier);
}

namespace {
// The screen as the program left it: the back buffer while it runs, the
// last presented frame once it has ended (its display is closed by then).
std::vector<uint32_t> Image(int* w, int* h) {
    return harness::Finished() ? harness::Frame(w, h) : harness::BackBuffer(w, h);
}
}  // namespace

int CompteCouleur(uint32_t rgb, int x1, int y1, int x2, int y2) {
    int w = 0, h = 0;
    std::vector<uint32_t> image = Image(&w, &h);
    int n = 0;
    for (int y = y1; y <= y2 && y < h; ++y)
        for (int x = x1; x <= x2 && x < w; ++x)
            if (image[static_cast<size_t>(y) * w + x] == rgb) ++n;
    return n;
}

std::vector<uint32_t> Zone(int x1, int y1, int x2, int y2) {
    int w = 0, h = 0;
    std::vector<uint32_t> image = Image(&w, &h);
    std::vector<uint32_t> z;
    for (int y = y1; y <= y2 && y < h; ++y)
        for (int x = x1; x <= x2 && x < w; ++x) z.push_back(image[static_cast<size_t>(y) * w + x]);
    return z;
}

Point CentreCouleur(uint32_t rgb, int x1, int y1, int x2, int y2) {
    int w = 0, h = 0;
    const std::vector<uint32_t> image = Image(&w, &h);
    Point p{-1, -1};  // kept when the colour is not there
    harness::CentreOfColour(image, w, h, rgb, x1, y1, x2, y2, &p.x, &p.y);
    return p;
}

// Read from the game's own layout: the boxes the pupil clicks are the ones it
// draws.
constexpr Boite DeLaDisposition(const ::Boite& b) { return {b.x, b.y, b.x2(), b.y2()}; }
const Boite kBoites[4] = {DeLaDisposition(kQuestion.reponses[0]), DeLaDisposition(kQuestion.reponses[1]),
                          DeLaDisposition(kQuestion.reponses[2]), DeLaDisposition(kQuestion.reponses[3])};

GuetteSurlignage::GuetteSurlignage(int n) {
    const Boite b = kBoites[n - 1];
    const uint32_t bleu = RGBDe(kSurlignage);
    harness::OnPresent([this, b, bleu] {
        int w = 0, h = 0;
        std::vector<uint32_t> image = harness::Frame(&w, &h);
        int compte = 0;
        for (int y = b.y1; y <= b.y2 && y < h; ++y)
            for (int x = b.x1; x <= b.x2 && x < w; ++x)
                if (image[static_cast<size_t>(y) * w + x] == bleu) ++compte;
        if (compte > maximum_) maximum_ = compte;
    });
}

GuetteSurlignage::~GuetteSurlignage() { harness::OnPresent(nullptr); }

GuetteFin::GuetteFin() {
    harness::OnPresent([this] {
        int w = 0, h = 0;
        std::vector<uint32_t> image = harness::Frame(&w, &h);
        int compte = 0;
        for (int y = 250; y <= 340 && y < h; ++y)
            for (int x = 150; x <= 870 && x < w; ++x)
                if (image[static_cast<size_t>(y) * w + x] == PaletteRGB(1)) ++compte;
        if (compte > maximum_) {
            maximum_ = compte;
            largeur_ = w;
            image_ = std::move(image);
        }
    });
}

GuetteFin::~GuetteFin() { harness::OnPresent(nullptr); }

int GuetteFin::Compte(uint32_t rgb, int x1, int y1, int x2, int y2) const {
    int n = 0;
    const int h = largeur_ > 0 ? static_cast<int>(image_.size()) / largeur_ : 0;
    for (int y = y1; y <= y2 && y < h; ++y)
        for (int x = x1; x <= x2 && x < largeur_; ++x)
            if (image_[static_cast<size_t>(y) * largeur_ + x] == rgb) ++n;
    return n;
}

namespace {

// The exact black pixels of a counter: the same for the same number,
// however often it was drawn over itself.
int CompteurBon() { return CompteCouleur(0x000000, 125, 100, 215, 175); }
int CompteurMauvais() { return CompteCouleur(0x000000, 810, 100, 900, 175); }
int TexteFin() { return CompteCouleur(PaletteRGB(1), 150, 250, 870, 340); }

void Repond(int n, int secondes, const std::string& fichier, const std::string& attendu) {
    const Boite b = kBoites[n - 1];
    EXPECT_EQ(CompteCouleur(RGBDe(kSurlignage), b.x1, b.y1, b.x2, b.y2), 0) << "answer " << n << " highlighted too early";
    harness::Advance(secondes * 1000);
    GuetteSurlignage guet(n);
    harness::ClickAt((b.x1 + b.x2) / 2, (b.y1 + b.y2) / 2);
    EXPECT_GT(guet.Maximum(), 20) << "answer " << n << " was not shown highlighted";
    EXPECT_EQ(Resultats(fichier), attendu);
}

}  // namespace

void JoueTroisQuestions(const std::string& fichier, const std::string& entete) {
    ASSERT_TRUE(harness::Healthy());
    ASSERT_FALSE(harness::Finished());
    EXPECT_EQ(Resultats(fichier), entete + "0\n0\n9999\n");
    EXPECT_EQ(TexteFin(), 0);
    const int zero = CompteurBon();
    EXPECT_GT(zero, 0);
    EXPECT_EQ(CompteurMauvais(), zero);

    Repond(2, 3, fichier, entete + "01\n00\n0003\n");
    const int un = CompteurBon();
    EXPECT_NE(un, zero) << "the right-answer counter did not change";
    EXPECT_EQ(CompteurMauvais(), zero);

    Repond(3, 5, fichier, entete + "01\n01\n0008\n");
    EXPECT_EQ(CompteurBon(), un);
    EXPECT_EQ(CompteurMauvais(), un) << "the wrong-answer counter does not show 1";

    harness::Advance(9000);
    EXPECT_FALSE(harness::Finished()) << "the time ran out early";
    EXPECT_EQ(Resultats(fichier), entete + "01\n01\n0008\n");
    GuetteFin fin;
    harness::Advance(1000);
    EXPECT_EQ(Resultats(fichier), entete + "01\n02\n0018\n");
    EXPECT_GT(fin.Maximum(), 50) << "no FIN DU QUIZZ ! notice";
    EXPECT_EQ(fin.Compte(0x000000, 125, 100, 215, 175), un) << "the wrong-answer counter was changed";
    EXPECT_NE(fin.Compte(0x000000, 810, 100, 900, 175), un) << "the wrong-answer counter does not show 2";
    EXPECT_FALSE(harness::Finished()) << "the correction review follows the notice";
    EXPECT_EQ(TexteFin(), 0) << "the review is drawn over the notice";
}

}  // namespace partie

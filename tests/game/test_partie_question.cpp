// The question screen drawn on its own: layout of the answers, text sizes,
// question lines, thumbnail rules, highlight modes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "couleurs.h"
#include "ecran.h"
#include "etat.h"
#include "harness.h"
#include "lumicanvas.h"
#include "question.h"
#include "test_partie_outils.h"
#include "test_support.h"

namespace {

// Draws Question[0] on a white screen with mode 0, then the mode of each
// digit key typed ("-" for mode -1), until Escape.
int Programme(const Reglages& Classe, Partie& Jeu, const Eleve& Pupille) {
    InitGraph(4, 1, 0);
    InitFont();
    Ecran Vue;
    OuvreArchive(Vue);
    SetColor(15);
    DrawRectFill(0, 0, GetMaxX(), GetMaxY());
    Vue.Quizz = GetImage(0, 0, GetMaxX(), GetMaxY());
    Jeu.NumQuestion = 0;
    AfficheQuestionReponses(Classe.CheminDonnees, Jeu, Pupille, Vue, 0);
    for (;;) {
        int touche = GetKeyPressed();
        if (touche == KEY_ESCAPE) break;
        if (touche >= '0' && touche <= '9') AfficheQuestionReponses(Classe.CheminDonnees, Jeu, Pupille, Vue, static_cast<char>(touche - '0'));
        if (touche == '-') AfficheQuestionReponses(Classe.CheminDonnees, Jeu, Pupille, Vue, -1);
    }
    DestroyBitmap(Vue.Quizz);
    Vue.Quizz = nullptr;
    UnloadDatafile(Vue.Donnees);
    Vue.Donnees = nullptr;
    CloseGraph();
    return 0;
}

// The rectangle around the pixels of colour `rgb` in a zone.
struct Cadre {
    int x1 = 10000, y1 = 10000, x2 = -1, y2 = -1;
    int Hauteur() const { return y2 - y1 + 1; }
    int CentreX() const { return (x1 + x2) / 2; }
};
Cadre Englobe(uint32_t rgb, int x1, int y1, int x2, int y2) {
    Cadre c;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            if (harness::Pixel(x, y) == rgb) {
                c.x1 = std::min(c.x1, x);
                c.y1 = std::min(c.y1, y);
                c.x2 = std::max(c.x2, x);
                c.y2 = std::max(c.y2, y);
            }
    return c;
}

void Copie(char* champ, size_t taille, const char* texte) { snprintf(champ, taille, "%s", texte); }

class EcranQuestion : public ::testing::Test {
protected:
    void SetUp() override {
        partie::EcritConfig();
        Copie(Jeu.Question[0].Enonce1, sizeof Jeu.Question[0].Enonce1, "Quel fruit est jaune ?");
        for (int n = 0; n < 4; ++n) Copie(Jeu.Question[0].Reponse[n].Ligne1, 60, "Fruit");
        Copie(Jeu.Question[0].BonneReponse, 3, "2");
    }
    void Lance() {
        harness::Options o;
        o.archive = GRELINOR_ARCHIVE;
        harness::Start([this] { return Programme(Classe, Jeu, Pupille); }, o);
        ASSERT_TRUE(harness::Healthy());
    }
    void TearDown() override {
        if (HasFailure()) harness::SaveShot(::testing::UnitTest::GetInstance()->current_test_info()->name());
        harness::Key(KEY_ESCAPE);  // the program releases what it made
        harness::Stop();
    }
    test_support::ScratchDir dossier_;
    // Fresh records for each test: the question screen's pupil and quiz.
    Reglages Classe;
    Partie Jeu;
    Eleve Pupille;
};

TEST_F(EcranQuestion, AnAnswerPictureMovesTheTextAndLongTextsGetSmaller) {
    FicheReponse* r = Jeu.Question[0].Reponse;
    // Narrow letters: each line fits its box at the layout's own size.
    Copie(r[0].Ligne1, 60, "iiiiiiiiiiijiiiiiiiiii");   // 22 characters
    Copie(r[0].Image, 60, "absente.png");
    Copie(r[2].Ligne1, 60, "iiiiiiiiiiijiiiiiiiiiii");  // 23 characters
    Copie(r[2].Image, 60, "absente.png");
    Copie(r[3].Ligne1, 60, "iiiiiiiiiiijiiiiiiiiiii");  // 23, no picture
    Copie(r[1].Image, 60, "absente.png");                // "Fruit" beside a picture
    Lance();
    // Only the heights are compared.
    const Cadre a22 = Englobe(0x000000, 40, 430, 345, 515);
    const Cadre a23 = Englobe(0x000000, 40, 580, 345, 665);
    const Cadre sans = Englobe(0x000000, 600, 580, 1000, 665);
    const Cadre court = Englobe(0x000000, 680, 430, 930, 515);
    EXPECT_NEAR(court.CentreX(), 795, 4);
    EXPECT_NEAR(sans.CentreX(), 765, 4);
    EXPECT_GT(a22.Hauteur(), a23.Hauteur()) << "23 characters beside a picture are drawn smaller";
    EXPECT_EQ(sans.Hauteur(), a22.Hauteur()) << "without a picture the size stays 28";
    // The picture square of answer 1: white, outlined in black.
    EXPECT_EQ(harness::Pixel(350, 475), 0x000000u);
    EXPECT_EQ(harness::Pixel(380, 475), 0xFFFFFFu);
}

TEST_F(EcranQuestion, TwoLineAnswersAndThreeLineQuestionsAreStacked) {
    Copie(Jeu.Question[0].Reponse[1].Ligne2, 60, "Fruit");
    Copie(Jeu.Question[0].Enonce2, 256, "deuxieme ligne");
    Copie(Jeu.Question[0].Enonce3, 256, "troisieme ligne");
    Lance();
    const Cadre une = Englobe(0x000000, 90, 430, 420, 515);
    const Cadre deux = Englobe(0x000000, 600, 430, 930, 515);
    EXPECT_GT(deux.Hauteur(), une.Hauteur() * 3 / 2);
    EXPECT_NEAR((deux.y1 + deux.y2) / 2, 472, 4);
    // Three lines a whole line height apart: three bands of ink with blank
    // rows between them, the middle one on the band's centre line.
    std::vector<std::pair<int, int>> bandes;
    for (int y = 240; y <= 345; ++y) {
        if (Englobe(0x000000, 300, y, 720, y).y1 != y) continue;
        if (!bandes.empty() && bandes.back().second == y - 1)
            bandes.back().second = y;
        else
            bandes.push_back({y, y});
    }
    ASSERT_EQ(bandes.size(), 3u) << "the three question lines overlap";
    EXPECT_NEAR((bandes[1].first + bandes[1].second) / 2, 296, 6);
    EXPECT_GT(bandes[2].first - bandes[0].second, 25) << "the first and third lines are a line apart";
}

TEST_F(EcranQuestion, AThirdLineWithoutASecondIsNotDrawn) {
    Copie(Jeu.Question[0].Enonce3, 256, "troisieme ligne");
    Lance();
    const Cadre enonce = Englobe(0x000000, 300, 240, 720, 345);
    EXPECT_LT(enonce.Hauteur(), 35);
    EXPECT_NEAR((enonce.y1 + enonce.y2) / 2, 296, 5);
}

TEST_F(EcranQuestion, AnUnderscorePictureIsAThumbnailOnlyAndItsNameIsCut) {
    Copie(Jeu.Question[0].Image, 60, "_a_b.png");
    Jeu.VueImage = 1;
    Lance();
    EXPECT_STREQ(Jeu.Question[0].Image, "_a");
    EXPECT_EQ(Jeu.VueImage, 1);
    EXPECT_EQ(partie::CompteCouleur(0x000000, 300, 343, 720, 358), 0) << "no invitation under the band";
    EXPECT_EQ(harness::Pixel(800, 300), 0x000000u) << "the thumbnail's outline";
}

TEST_F(EcranQuestion, APictureThatMayBeOpenedReArmsItsFlagAndInvites) {
    Copie(Jeu.Question[0].Image, 60, "chat.png");
    Jeu.VueImage = 1;
    Jeu.ExtraitSonEcoute = 1;
    Lance();
    EXPECT_STREQ(Jeu.Question[0].Image, "chat.png");
    EXPECT_EQ(Jeu.VueImage, 0);
    EXPECT_EQ(Jeu.ExtraitSonEcoute, 1);
    EXPECT_GT(partie::CompteCouleur(0x000000, 300, 343, 720, 358), 20);
}

TEST_F(EcranQuestion, HighlightModesDrawOneAnswerAndOtherModesNothing) {
    Lance();
    const std::vector<uint32_t> avant = partie::Zone(0, 0, 1023, 767);
    const int presents = harness::Presents();
    harness::Key('5');
    harness::Key('-');
    EXPECT_GT(harness::Presents(), presents);
    EXPECT_EQ(partie::Zone(0, 0, 1023, 767), avant);
    harness::Key('3');
    const uint32_t bleu = RGBDe(kSurlignage);
    EXPECT_GT(partie::CompteCouleur(bleu, 84, 575, 424, 670), 20);
    EXPECT_EQ(partie::CompteCouleur(bleu, 84, 425, 935, 520), 0);
    EXPECT_EQ(partie::CompteCouleur(bleu, 595, 575, 935, 670), 0);
}

}  // namespace

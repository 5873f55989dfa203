// Whole runs of a G.S. pupil who picks his name in the class list.
#include <gtest/gtest.h>

#include "couleurs.h"
#include "harness.h"
#include "lumicanvas.h"
#include "test_partie_outils.h"
#include "test_support.h"

namespace {

using partie::Resultats;

constexpr const char* kFichier = "DUPONT_Marie.txt";
constexpr const char* kEntete = "DUPONT\nMarie\nDEMO\n";

class PartieListe : public ::testing::Test {
protected:
    void SetUp() override { partie::ArbreStandard(); }
    void TearDown() override {
        if (HasFailure()) harness::SaveShot(::testing::UnitTest::GetInstance()->current_test_info()->name());
        harness::Stop();
    }

    // Three pupils: one on the left (index 0), two on the right.
    static void ClicEleve(int i) {
        const int x[3] = {350, 810, 810};
        const int y[3] = {256, 256, 621};
        harness::ClickAt(x[i], y[i]);
    }
    // "VALIDER !", found by its fill colour in the top-right corner.
    static void ClicValider() {
        partie::Point p = partie::CentreCouleur(PaletteRGB(9), 700, 40, 1023, 110);
        ASSERT_GE(p.x, 0) << "no VALIDER ! button";
        harness::ClickAt(p.x, p.y);
    }

    test_support::ScratchDir dossier_;
};

TEST_F(PartieListe, PlaysTheWholeQuizFromTheListToTheEndNotice) {
    partie::Lance();
    ASSERT_TRUE(harness::Healthy());
    partie::ChoisitNiveau(0);  // G.S.: the list
    ASSERT_FALSE(harness::Finished());
    // The names are shown in capitals / with a capital initial.
    ClicEleve(0);
    EXPECT_GT(partie::CompteCouleur(RGBDe(kNomChoisi), 150, 110, 550, 402), 50) << "the chosen name is not red";
    ClicValider();
    partie::JoueTroisQuestions(kFichier, kEntete);
}

TEST_F(PartieListe, ValiderDoesNothingUntilANameIsChosenAndTheLastChoiceCounts) {
    partie::Lance();
    partie::ChoisitNiveau(1);  // C.P.: the list too
    ClicValider();
    EXPECT_EQ(Resultats(kFichier), "");
    EXPECT_FALSE(harness::Finished());
    // Right clicks and keys choose nobody.
    harness::ClickAt(350, 256, 2);
    harness::Type("1");
    harness::Key(KEY_ENTER);
    EXPECT_EQ(partie::CompteCouleur(RGBDe(kNomChoisi), 150, 110, 1000, 700), 0);
    ClicEleve(2);
    ClicEleve(1);
    // Only the last chosen pupil stays red (the corner mark below is red too).
    EXPECT_EQ(partie::CompteCouleur(RGBDe(kNomChoisi), 600, 476, 1000, 700), 0);
    EXPECT_GT(partie::CompteCouleur(RGBDe(kNomChoisi), 600, 110, 1000, 402), 50);
    ClicValider();
    EXPECT_EQ(Resultats("MARTIN_Luc.txt"), "MARTIN\nLuc\nDEMO\n0\n0\n9999\n");
    EXPECT_EQ(Resultats(kFichier), "");
}

TEST_F(PartieListe, EscapeEndsTheRunAndKeepsTheLastAnsweredQuestion) {
    partie::Lance();
    partie::ChoisitNiveau(0);
    ClicEleve(0);
    ClicValider();
    harness::Advance(2000);
    harness::ClickAt(765, 472);  // answer 2, right
    EXPECT_EQ(Resultats(kFichier), std::string(kEntete) + "01\n00\n0002\n");
    harness::Advance(4000);
    harness::Key(KEY_ESCAPE);
    EXPECT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 0);
    EXPECT_EQ(Resultats(kFichier), std::string(kEntete) + "01\n00\n0002\n");
    // His answers file holds the question he answered, numbered as in the
    // quiz file (whichever the shuffle put first), and nothing for the one
    // he left.
    const std::string reponses = Resultats(std::string("reponses/") + kFichier);
    const std::size_t ligne = reponses.find("\nquestion ");
    ASSERT_NE(ligne, std::string::npos) << reponses;
    std::string derniere = reponses.substr(ligne + 1);
    EXPECT_TRUE(derniere[9] >= '1' && derniere[9] <= '3') << derniere;
    derniere[9] = 'N';
    EXPECT_EQ(derniere, "question N : r\xE9ponse 2, juste, 2 s, sans m\xE9" "dia\n");
}

TEST_F(PartieListe, ClicksOutsideTheAnswersChangeNothing) {
    partie::Lance();
    partie::ChoisitNiveau(0);
    ClicEleve(0);
    ClicValider();
    const std::vector<uint32_t> reponses = partie::Zone(84, 425, 935, 670);
    harness::ClickAt(500, 550);   // between the boxes
    harness::ClickAt(1000, 745);  // the corner mark
    harness::Advance(1500);
    EXPECT_FALSE(harness::Finished());
    EXPECT_EQ(Resultats(kFichier), std::string(kEntete) + "0\n0\n9999\n");
    EXPECT_EQ(partie::Zone(84, 425, 935, 670), reponses);
    EXPECT_TRUE(harness::Sounds().empty());
}

TEST_F(PartieListe, APupilWhoHasPlayedIsRefusedAndHisFileKept) {
    const std::string ancien = std::string(kEntete) + "02\n01\n0042\n";
    test_support::WriteFile(std::string("InfosQuizz/joueurs/DEMO/") + kFichier, ancien);
    partie::Lance();
    partie::ChoisitNiveau(0);
    ClicEleve(0);
    ClicValider();
    EXPECT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 0);
    ASSERT_EQ(harness::Messages().size(), 1u);
    EXPECT_EQ(harness::Messages()[0], "Ton nom a d\xC3\xA9j\xC3\xA0 \xC3\xA9t\xC3\xA9 choisi dans la liste !\nAppelle ton professeur.");
    EXPECT_EQ(Resultats(kFichier), ancien);
}

TEST_F(PartieListe, FeedbackSoundsPlayToTheirEndOrUntilAClick) {
    partie::CopieSonMuet("correct.mp3");
    partie::CopieSonMuet("incorrect.mp3");
    partie::Lance();
    partie::ChoisitNiveau(0);
    ClicEleve(0);
    ClicValider();
    harness::ClickAt(765, 472);  // right
    ASSERT_FALSE(harness::Sounds().empty());
    EXPECT_EQ(harness::Sounds().back(), "correct.mp3");
    // The results come once the sound has stopped.
    EXPECT_EQ(Resultats(kFichier), std::string(kEntete) + "0\n0\n9999\n");
    // The sound lasts 3 s; some MP3 decoders count its padding too (3.24 s).
    harness::Advance(3500);
    EXPECT_EQ(Resultats(kFichier), std::string(kEntete) + "01\n00\n0000\n");
    harness::ClickAt(254, 612);  // wrong
    EXPECT_EQ(harness::Sounds().back(), "incorrect.mp3");
    // A click cuts the sound short; it does not answer the next question.
    harness::ClickAt(765, 472);
    EXPECT_EQ(Resultats(kFichier), std::string(kEntete) + "01\n01\n0000\n");
    harness::Advance(4000);
    EXPECT_EQ(harness::Sounds().size(), 2u) << "the click that cut the sound answered the next question";
    EXPECT_EQ(Resultats(kFichier), std::string(kEntete) + "01\n01\n0000\n");
    EXPECT_FALSE(harness::Finished());
}

}  // namespace

namespace {

TEST_F(PartieListe, Plays800By600WithEveryPlaceScaled) {
    partie::EcritConfig(800, 600);
    partie::Lance();
    harness::ClickAt(203, 324);  // G.S. at (260, 415) x 0.78125
    harness::ClickAt(774, 25);   // the confirm button
    harness::ClickAt(273, 199);  // the first pupil: row 0 of the left column
    partie::Point p = partie::CentreCouleur(PaletteRGB(9), 500, 30, 799, 90);
    ASSERT_GE(p.x, 0) << "no VALIDER ! button";
    harness::ClickAt(p.x, p.y);
    EXPECT_EQ(Resultats(kFichier), std::string(kEntete) + "0\n0\n9999\n");
    harness::Advance(4000);
    harness::ClickAt(597, 369);        // answer 2 at (765, 472) scaled
    EXPECT_EQ(Resultats(kFichier), std::string(kEntete) + "01\n00\n0004\n");
    // Answer 3 at (254, 612) scaled: wrong.
    harness::ClickAt(198, 478);
    EXPECT_EQ(Resultats(kFichier), std::string(kEntete) + "01\n01\n0004\n");
    EXPECT_FALSE(harness::Finished());
}

}  // namespace

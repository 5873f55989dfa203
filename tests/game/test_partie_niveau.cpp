// The class-level screen, and the ends of a run that the pupil may cause.
#include <gtest/gtest.h>

#include "couleurs.h"
#include "etat.h"
#include "harness.h"
#include "lumicanvas.h"
#include "test_partie_outils.h"
#include "test_support.h"

namespace {

class Niveau : public ::testing::Test {
protected:
    void SetUp() override { partie::ArbreStandard(); }
    void TearDown() override {
        if (HasFailure()) harness::SaveShot(::testing::UnitTest::GetInstance()->current_test_info()->name());
        harness::Stop();
    }
    // Red pixels on the label of a level (its plate around the label centre).
    static int Rouge(int x, int y) { return partie::CompteCouleur(RGBDe(kNiveauChoisi), x - 50, y - 20, x + 50, y + 20); }
    static void Confirme() { harness::ClickAt(998, 30); }
    test_support::ScratchDir dossier_;
};

TEST_F(Niveau, OnlyTheLastChosenLevelIsRedAndTheButtonNeedsALevel) {
    partie::Lance();
    ASSERT_TRUE(harness::Healthy());
    Confirme();  // no level yet
    EXPECT_EQ(partie::EnCours().Classe.QuelNiveau, -1);
    harness::ClickAt(260, 675);  // C.M.1
    EXPECT_EQ(partie::EnCours().Classe.QuelNiveau, 4);
    EXPECT_GT(Rouge(260, 675), 10);
    harness::ClickAt(762, 545);  // C.E.2
    EXPECT_EQ(partie::EnCours().Classe.QuelNiveau, 5);
    EXPECT_EQ(Rouge(260, 675), 0);
    EXPECT_GT(Rouge(762, 545), 10);
    harness::ClickAt(540, 330);  // outside every area: no level any more
    EXPECT_EQ(partie::EnCours().Classe.QuelNiveau, -1);
    EXPECT_EQ(Rouge(762, 545), 0);
    Confirme();
    EXPECT_EQ(partie::CompteCouleur(PaletteRGB(46), 0, 400, 1023, 767), 0) << "the button left the level screen without a level";
    harness::ClickAt(762, 675);  // C.M.2
    Confirme();
    EXPECT_EQ(partie::EnCours().Classe.QuelNiveau, 3);
    // C.M.2 reads the name-entry settings: its screen asks for the names.
    harness::Type("Leroy");
    harness::Key(KEY_ENTER);
    harness::Type("Paul");
    harness::Key(KEY_ENTER);
    EXPECT_GT(partie::CompteCouleur(PaletteRGB(46), 0, 400, 1023, 767), 20);
}

TEST_F(Niveau, ClosingTheWindowDuringTheQuizEndsCleanly) {
    partie::Lance();
    partie::ChoisitNiveau(3);
    harness::Type("Leroy");
    harness::Key(KEY_ENTER);
    harness::Type("Paul");
    harness::Key(KEY_ENTER);
    partie::Point p = partie::CentreCouleur(PaletteRGB(46), 0, 400, 1023, 767);
    harness::ClickAt(p.x, p.y);
    harness::Advance(6000);
    harness::ClickAt(254, 612);  // wrong
    harness::Advance(2000);
    harness::CloseWindow();
    EXPECT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 0);
    EXPECT_EQ(partie::Resultats("LEROY_Paul.txt"), "LEROY\nPaul\nDEMO\n00\n01\n0006\n");
}

TEST_F(Niveau, AQuizOfOneQuestionEndsAfterItsFirstAnswer) {
    partie::EcritReglages("infos_jeu_DEMO0", "1", "10", false);
    partie::Lance();
    partie::ChoisitNiveau(0);
    harness::ClickAt(350, 256);
    partie::Point p = partie::CentreCouleur(PaletteRGB(9), 700, 40, 1023, 110);
    harness::ClickAt(p.x, p.y);
    partie::GuetteFin fin;
    harness::ClickAt(765, 472);  // right
    EXPECT_EQ(partie::Resultats("DUPONT_Marie.txt"), "DUPONT\nMarie\nDEMO\n01\n00\n0000\n");
    EXPECT_GT(fin.Maximum(), 50) << "no FIN DU QUIZZ ! notice";
    EXPECT_FALSE(harness::Finished()) << "the correction review follows the notice";
}

}  // namespace

// Whole runs of a pupil who types his names (levels C.E.1 to C.M.2).
#include <gtest/gtest.h>

#include <string>

#include "harness.h"
#include "lumicanvas.h"
#include "saisie.h"
#include "test_partie_outils.h"
#include "test_support.h"

namespace {

using partie::Resultats;

class PartieSaisie : public ::testing::Test {
protected:
    void SetUp() override { partie::ArbreStandard(); }
    void TearDown() override {
        if (HasFailure()) harness::SaveShot(::testing::UnitTest::GetInstance()->current_test_info()->name());
        harness::Stop();
    }
    static void Entre(const std::string& texte) {
        harness::Type(texte);
        harness::Key(KEY_ENTER);
    }
    // The two buttons, found by their fill colours below the names.
    static void Clic(int couleur) {
        partie::Point p = partie::CentreCouleur(PaletteRGB(couleur), 0, 400, 1023, 767);
        ASSERT_GE(p.x, 0) << "no button of colour " << couleur;
        harness::ClickAt(p.x, p.y);
    }
    static void Valide() { Clic(46); }
    static void Recommence() { Clic(42); }

    test_support::ScratchDir dossier_;
};

TEST_F(PartieSaisie, PlaysTheWholeQuizFromTheNameEntryToTheEndNotice) {
    partie::Lance();
    partie::ChoisitNiveau(4);  // C.M.1: name entry
    ASSERT_FALSE(harness::Finished());
    Entre("du/pont");   // "/" cannot be typed
    Entre("");          // an empty first name is asked again
    Entre("MARIE-ANNE");
    Valide();
    partie::JoueTroisQuestions("DUPONT_Marie-anne.txt", "DUPONT\nMarie-anne\nDEMO\n");
}

TEST_F(PartieSaisie, RestartKeepsOnlyTheLastNamesTyped) {
    partie::Lance();
    partie::ChoisitNiveau(5);  // C.M.2
    Entre("martin");
    Entre("luc");
    Recommence();
    EXPECT_EQ(Resultats("MARTIN_Luc.txt"), "");
    Entre("  petit ");
    Entre("zOE");
    Valide();
    EXPECT_EQ(Resultats("PETIT_Zoe.txt"), "PETIT\nZoe\nDEMO\n0\n0\n9999\n");
    EXPECT_EQ(Resultats("MARTIN_Luc.txt"), "");
}

TEST_F(PartieSaisie, NamesAreCutAt29CharactersAndKeepOtherSigns) {
    partie::Lance();
    partie::ChoisitNiveau(2);  // C.E.1
    Entre("abcdefghijklmnopqrstuvwxyzabcdefgh");  // 34 letters
    Entre("3eme");
    Valide();
    const std::string nom = "ABCDEFGHIJKLMNOPQRSTUVWXYZABC";
    EXPECT_EQ(Resultats(nom + "_3eme.txt"), nom + "\n3eme\nDEMO\n0\n0\n9999\n");
}

TEST_F(PartieSaisie, TheSameNamesTypedAgainAreRefused) {
    test_support::WriteFile("InfosQuizz/joueurs/DEMO/DUPONT_Marie.txt", "DUPONT\nMarie\nDEMO\n03\n00\n0012\n");
    partie::Lance();
    partie::ChoisitNiveau(3);
    Entre("Dupont");
    Entre("marie");
    Valide();
    EXPECT_TRUE(harness::Finished());
    ASSERT_EQ(harness::Messages().size(), 1u);
    EXPECT_NE(harness::Messages()[0].find("Appelle ton professeur."), std::string::npos);
    EXPECT_EQ(Resultats("DUPONT_Marie.txt"), "DUPONT\nMarie\nDEMO\n03\n00\n0012\n");
}

TEST(SaisieCaracteres, RefusesWhatAFileNameCannotHold) {
    for (char c : std::string("/\\:*?\"<>|")) EXPECT_EQ(CaractereNomAccepte(static_cast<unsigned char>(c)), 0) << c;
    for (int c : {0, 9, 10, 13, 27, 127, 256 + 40}) EXPECT_EQ(CaractereNomAccepte(c), 0) << c;
    for (int c : {int{'A'}, int{'z'}, int{'-'}, int{' '}, int{'\''}, int{'.'}, int{'3'}, 0xE9}) EXPECT_EQ(CaractereNomAccepte(c), 1) << c;
}

}  // namespace

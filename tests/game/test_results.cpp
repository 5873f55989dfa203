// The pupil's results file: its path and name, the exclusive creation that
// refuses a second start, and the whole rewrite after each question.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "etat.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

void Eleve(const char* nom, const char* prenom, const char* classe = "DEMO") {
    std::memset(&Joueur, 0, sizeof Joueur);
    std::snprintf(Joueur.Nom, sizeof Joueur.Nom, "%s", nom);
    std::snprintf(Joueur.Prenom, sizeof Joueur.Prenom, "%s", prenom);
    std::snprintf(Joueur.Classe, sizeof Joueur.Classe, "%s", classe);
}

// A new quiz of n questions for the pupil, counters at zero.
void NouveauQuizz(int n) {
    NombreQuestions = n;
    PrepareQuizz();
}

class Resultats : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories("InfosQuizz");
        Eleve("MARTIN", "Julie");
        NouveauQuizz(12);
    }
    ScratchDir dossier;
    const fs::path fichier = "InfosQuizz/joueurs/DEMO/MARTIN_Julie.txt";
};

TEST_F(Resultats, PathFollowsTheDataTreeFormat) {
    ASSERT_EQ(CheminJoueur(), 1);
    EXPECT_STREQ(Chemin, ".//InfosQuizz//joueurs//DEMO//MARTIN_Julie.txt");
}

TEST_F(Resultats, CreationMakesTheFolderAndWritesTheStartingLines) {
    EXPECT_EQ(JoueurDejaJoue(), 0);
    ASSERT_EQ(CreeFichierJoueur(), RESULTATS_CREE) << MessageErreur;
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n0\n0\n9999\n");
    EXPECT_EQ(JoueurDejaJoue(), 1);
    EXPECT_STREQ(Joueur.Nom, "MARTIN");  // no line feed left in the record
    EXPECT_EQ(Fichier, nullptr);
}

TEST_F(Resultats, SecondStartOfTheSamePupilIsRefusedAndTheFileKept) {
    ASSERT_EQ(CreeFichierJoueur(), RESULTATS_CREE);
    BonnesReponses = 3;
    ASSERT_EQ(SetInfosJoueur(), 1);
    const std::string avant = ReadFile(fichier);
    // Another computer sharing the data folder tries to start the same pupil.
    EXPECT_EQ(CreeFichierJoueur(), RESULTATS_EXISTE);
    EXPECT_EQ(ReadFile(fichier), avant);
    Eleve("MARTIN", "Paul");
    EXPECT_EQ(JoueurDejaJoue(), 0);
    EXPECT_EQ(CreeFichierJoueur(), RESULTATS_CREE);
}

TEST_F(Resultats, LinesFourToSixAfterRightWrongAndTimedOutAnswers) {
    ASSERT_EQ(CreeFichierJoueur(), RESULTATS_CREE);
    TempsReponseAutorise = 30;
    // Time runs out on the first question.
    TempsJeu += TempsReponseAutorise;
    MauvaisesReponses += 1;
    ASSERT_EQ(SetInfosJoueur(), 1);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n00\n01\n0030\n");
    // A right answer after 7 seconds, then a wrong one after 12.
    TempsJeu += 7;
    BonnesReponses += 1;
    ASSERT_EQ(SetInfosJoueur(), 1);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n01\n01\n0037\n");
    TempsJeu += 12;
    MauvaisesReponses += 1;
    ASSERT_EQ(SetInfosJoueur(), 1);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n01\n02\n0049\n");
    EXPECT_STREQ(Joueur.Bonnes, "01\n");
    EXPECT_EQ(PremiereJoueur, 0);
}

TEST_F(Resultats, TwelveQuestionsNineRight) {
    ASSERT_EQ(CreeFichierJoueur(), RESULTATS_CREE);
    BonnesReponses = 9;
    MauvaisesReponses = 3;
    TempsJeu = 83;
    ASSERT_EQ(SetInfosJoueur(), 1);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n09\n03\n0083\n");
}

TEST_F(Resultats, TimesOfTenThousandSecondsOrMoreAreWrittenInFull) {
    ASSERT_EQ(CreeFichierJoueur(), RESULTATS_CREE);
    BonnesReponses = 60;
    TempsJeu = 21600;
    ASSERT_EQ(SetInfosJoueur(), 1);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n60\n00\n21600\n");
    TempsJeu = 2147483647;
    ASSERT_EQ(SetInfosJoueur(), 1);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n60\n00\n2147483647\n");
}

TEST_F(Resultats, RewriteReplacesTheFileByRenamingAWholeNewOne) {
    ASSERT_EQ(CreeFichierJoueur(), RESULTATS_CREE);
    // A second name for the old file: an in-place rewrite would change it
    // too, a new file renamed over the old name leaves it alone.
    fs::create_hard_link(fichier, "ancien.txt");
    BonnesReponses = 1;
    TempsJeu = 5;
    ASSERT_EQ(SetInfosJoueur(), 1);
    EXPECT_EQ(ReadFile("ancien.txt"), "MARTIN\nJulie\nDEMO\n0\n0\n9999\n");
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n01\n00\n0005\n");
    EXPECT_FALSE(fs::exists(fichier.string() + ".tmp"));
    EXPECT_EQ(Fichier, nullptr);
}

TEST_F(Resultats, FailedRewriteKeepsThePreviousContentAndSaysSo) {
    ASSERT_EQ(CreeFichierJoueur(), RESULTATS_CREE);
    fs::create_directories(fichier.string() + ".tmp");  // the new file cannot be made
    BonnesReponses = 1;
    MessageErreur[0] = '\0';
    EXPECT_EQ(SetInfosJoueur(), 0);
    EXPECT_EQ(ReadFile(fichier), "MARTIN\nJulie\nDEMO\n0\n0\n9999\n");
    EXPECT_NE(std::strstr(MessageErreur, "MARTIN Julie"), nullptr) << MessageErreur;
}

TEST_F(Resultats, AccentedNamesGiveUtf8FileNamesAndWindows1252Content) {
    Eleve("B\xC9RANGER", "L\xE9" "a\x9C");  // BÉRANGER, Léaœ
    ASSERT_EQ(CreeFichierJoueur(), RESULTATS_CREE);
    const fs::path nom = fs::path("InfosQuizz/joueurs/DEMO") /
                         fs::path(u8"B\u00C9RANGER_L\u00E9a\u0153.txt");
    ASSERT_TRUE(fs::exists(nom));
    EXPECT_EQ(ReadFile(nom), "B\xC9RANGER\nL\xE9" "a\x9C\nDEMO\n0\n0\n9999\n");
    EXPECT_EQ(JoueurDejaJoue(), 1);  // the test of a later run finds it
    EXPECT_EQ(CreeFichierJoueur(), RESULTATS_EXISTE);
}

TEST_F(Resultats, NamesCanNeverLeaveTheClassFolder) {
    Eleve("../../x", "..\\y:z", "..");
    ASSERT_EQ(CreeFichierJoueur(), RESULTATS_CREE) << MessageErreur;
    EXPECT_STREQ(Chemin, ".//InfosQuizz//joueurs//_.//_._.._x__._y_z.txt");
    int fichiers = 0;
    for (const auto& f : fs::recursive_directory_iterator(dossier.path())) {
        if (!f.is_regular_file()) continue;
        ++fichiers;
        EXPECT_EQ(f.path().parent_path(), dossier.path() / "InfosQuizz/joueurs/_.");
    }
    EXPECT_EQ(fichiers, 1);
}

TEST(NomDeFichier, ReplacesWhatAFileNameCannotHold) {
    char nom[64];
    ASSERT_EQ(NomDeFichier("a/b\\c\td\xE9" "*?\"<>|\x7F\x81", nom, sizeof nom), 1);
    EXPECT_STREQ(nom, "a_b_c_d\xC3\xA9________");
    ASSERT_EQ(NomDeFichier("", nom, sizeof nom), 1);
    EXPECT_STREQ(nom, "_");
    ASSERT_EQ(NomDeFichier(".cache", nom, sizeof nom), 1);
    EXPECT_STREQ(nom, "_cache");
    ASSERT_EQ(NomDeFichier("\x80", nom, sizeof nom), 1);
    EXPECT_STREQ(nom, "\xE2\x82\xAC");
    char court[3];
    EXPECT_EQ(NomDeFichier("\xE9\xE9", court, sizeof court), 0);
    EXPECT_STREQ(court, "");
}

TEST_F(Resultats, TooLongAPathIsRefusedWithAMessage) {
    std::snprintf(CheminDonnees, sizeof CheminDonnees, ".//%0200d//", 0);
    Eleve("\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9\xC9",
          "Julie");
    MessageErreur[0] = '\0';
    EXPECT_EQ(CreeFichierJoueur(), RESULTATS_ERREUR);
    EXPECT_EQ(SetInfosJoueur(), 0);
    EXPECT_NE(MessageErreur[0], '\0');
    std::snprintf(CheminDonnees, sizeof CheminDonnees, ".//InfosQuizz//");
}

}  // namespace

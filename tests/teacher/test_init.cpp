// pivolette init: the tree it makes is read by the game's own readers
// without a single refusal, and its example quiz is the text beside it.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <filesystem>

#include "etat.h"
#include "fichier_quizz.h"
#include "lance.h"

namespace fs = std::filesystem;
using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

TEST(Init, TheGameReadsTheNewTreeAsItIs) {
    ScratchDir dossier;
    const Sortie s = Pivolette("init classe");
    ASSERT_EQ(s.code, 0) << s.err;
    Reglages Classe;
    std::vector<FicheListe> Liste;
    const auto jeu = std::make_unique<Partie>();
    Partie& Jeu = *jeu;
    std::snprintf(Classe.CheminDonnees, sizeof Classe.CheminDonnees, "%s", "classe/InfosQuizz/");
    for (signed char niveau : {8, 3}) {
        Classe.QuelNiveau = niveau;
        ASSERT_EQ(LitInfosJeu(Classe), 1) << MessageErreur;
        EXPECT_EQ(Classe.NombreQuestions, 3);
        EXPECT_EQ(Classe.GetInfosJoueur, niveau == 8 ? 0 : 1);  // the list for G.S., names typed above
    }
    EXPECT_EQ(VerifieListeJoueurs(Classe.CheminDonnees, Liste), 3) << MessageErreur;
    EXPECT_EQ(VerifieFichierQuizz(Classe, Jeu), 1) << MessageErreur;
    char chemin[256];
    CheminQuizz(Classe.CheminDonnees, chemin, sizeof chemin);
    PrepareQuizz(Jeu, Classe.NombreQuestions);
    ASSERT_EQ(GetInfoFile(chemin, Classe, Jeu), 0);
    EXPECT_STREQ(Jeu.Question[1].Enonce2, "dit \xAB miaou \xBB ?");
    EXPECT_STREQ(Jeu.Question[2].BonneReponse, "3");
    EXPECT_TRUE(fs::is_directory("classe/InfosQuizz/joueurs/DEMO"));
    EXPECT_TRUE(fs::is_directory("classe/InfosQuizz/questions/videos"));

    // The text beside the tree is the quiz the game reads.
    ASSERT_EQ(Pivolette("encode classe/quiz.txt -o nouveau").code, 0);
    EXPECT_EQ(ReadFile("nouveau"), ReadFile("classe/InfosQuizz/questions/vorlines_DEMO"));
}

TEST(Init, RefusesToReplaceAnythingAndNeedsAFolder) {
    ScratchDir dossier;
    WriteFile("classe/InfosQuizz/infos/infos_quizz_DEMO", "1\nMA\nLISTE\nCP\n");
    const Sortie s = Pivolette("init classe");
    EXPECT_EQ(s.code, 1);
    EXPECT_NE(s.err.find("existe d\xC3\xA9j\xC3\xA0"), std::string::npos) << s.err;
    EXPECT_EQ(ReadFile("classe/InfosQuizz/infos/infos_quizz_DEMO"), "1\nMA\nLISTE\nCP\n");
    EXPECT_FALSE(fs::exists("classe/quiz.txt"));
    EXPECT_EQ(Pivolette("init").code, 2);
    EXPECT_EQ(Pivolette("init --help").code, 0);
}

}  // namespace

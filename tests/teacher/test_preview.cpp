// pivolette preview: its picture of a demo question is the game's own
// question screen, pixel for pixel.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <filesystem>
#include <string>

#include "etat.h"
#include "harness.h"
#include "lance.h"
#include "lumicanvas.h"
#include "question.h"
#include "ecran.h"

using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

const std::string DEMO = std::string(SOURCE_DIR) + "/demo/InfosQuizz/questions/vorlines_DEMO";

// The game's start-up, its quiz loader and its question screen for the
// first question, with the pupil the preview names.
int EcranDuJeu() {
    InitGraph(4, 1, 0);
    InitFont();
    SetFontMode(1);
    // The test stops the run while it waits: the archive and the pieces are
    // released on the way out.
    struct Liberation {
        Ecran Vue;
        ~Liberation() { LibereRessources(Vue); }
    } liberation;
    Ecran& Vue = liberation.Vue;
    Reglages Classe;
    Eleve Pupille;
    const auto jeu = std::make_unique<Partie>();
    Partie& Jeu = *jeu;
    OuvreArchive(Vue);
    Classe.NombreQuestions = 3;
    PrepareQuizz(Jeu, Classe.NombreQuestions);
    std::snprintf(Classe.CheminDonnees, sizeof Classe.CheminDonnees, "%s/demo/InfosQuizz/", SOURCE_DIR);
    GetInfoFile(DEMO.c_str(), Classe, Jeu);
    std::snprintf(Pupille.NOM_JOUEUR, sizeof Pupille.NOM_JOUEUR, "%s", "APER\xC7U");
    std::snprintf(Pupille.PRENOM_JOUEUR, sizeof Pupille.PRENOM_JOUEUR, "%s", "du quiz");
    std::snprintf(Pupille.CLASSE_JOUEUR, sizeof Pupille.CLASSE_JOUEUR, "%s", "DEMO");
    CreeMorceaux(Vue);
    Jeu.NumQuestion = 1;
    AfficheQuestionReponses(Classe.CheminDonnees, Jeu, Pupille, Vue, 0);
    GetKeyPressed();  // waits for the test
    LibereRessources(Vue);
    return 0;
}

TEST(Preview, AQuestionIsTheGamesOwnScreenPixelForPixel) {
    ScratchDir dossier;
    const Sortie s = Pivolette("preview " + DEMO + " -o apercu --size 1024x768");
    ASSERT_EQ(s.code, 0) << s.err;
    EXPECT_TRUE(std::filesystem::exists("apercu/planche.png"));
    WriteFile("LCConfig.txt", "RESOLUTION_PREDEFINIE=4\n");
    harness::Options o;
    o.archive = GRELINOR_ARCHIVE;
    harness::Start(EcranDuJeu, o);
    ASSERT_TRUE(harness::Healthy());
    ASSERT_TRUE(harness::SavePNG("jeu.png"));
    harness::Stop();
    // Same pixels, same encoder: the same bytes.
    const std::string jeu = ReadFile("jeu.png");
    EXPECT_GT(jeu.size(), 1000u);
    EXPECT_TRUE(jeu == ReadFile("apercu/question-02.png"));
    EXPECT_FALSE(jeu == ReadFile("apercu/question-01.png"));

    // The right answer marked: another picture of the same question.
    ASSERT_EQ(Pivolette("preview " + DEMO + " -o reponses --answers").code, 0);
    EXPECT_FALSE(ReadFile("reponses/question-02.png") == jeu);
    EXPECT_EQ(Pivolette("preview " + DEMO + " --size 10x10").code, 2);
}

}  // namespace

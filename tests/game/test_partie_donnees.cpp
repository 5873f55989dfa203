// Runs that stop on bad data: a clear message naming the file, a clean end,
// and no results file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "harness.h"
#include "lumicanvas.h"
#include "test_partie_outils.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

class PartieDonnees : public ::testing::Test {
protected:
    void SetUp() override { partie::ArbreStandard(); }
    void TearDown() override { harness::Stop(); }

    // Plays up to the point where the run should stop with a message that
    // names `fichier`.
    void AttendArret(int niveau, const std::string& fichier) {
        partie::Lance();
        partie::ChoisitNiveau(niveau);
        if (!harness::Finished() && niveau >= 2) {
            harness::Type("dupont");
            harness::Key(KEY_ENTER);
            harness::Type("marie");
            harness::Key(KEY_ENTER);
            partie::Point p = partie::CentreCouleur(PaletteRGB(46), 0, 400, 1023, 767);
            if (p.x >= 0) harness::ClickAt(p.x, p.y);
        } else if (!harness::Finished()) {
            harness::ClickAt(350, 256);
            partie::Point p = partie::CentreCouleur(PaletteRGB(9), 700, 40, 1023, 110);
            if (p.x >= 0) harness::ClickAt(p.x, p.y);
        }
        EXPECT_TRUE(harness::Finished());
        EXPECT_EQ(harness::ExitCode(), 0);
        ASSERT_EQ(harness::Messages().size(), 1u);
        EXPECT_NE(harness::Messages()[0].find(fichier), std::string::npos) << harness::Messages()[0];
        EXPECT_EQ(partie::Resultats("DUPONT_Marie.txt"), "");
    }

    test_support::ScratchDir dossier_;
};

TEST_F(PartieDonnees, ANumberOfQuestionsOutsideOneToSixtyStopsTheRun) {
    partie::EcritReglages("infos_jeu_DEMO0", "61", "10", false);
    AttendArret(0, "infos_jeu_DEMO0");
}

TEST_F(PartieDonnees, ATimePerAnswerOutsideOneTo360StopsTheRun) {
    partie::EcritReglages("infos_jeu_DEMO", "3", "0", true);
    AttendArret(4, "infos_jeu_DEMO");
}

TEST_F(PartieDonnees, AMissingSettingsFileStopsTheRun) {
    fs::remove("InfosQuizz/infos/infos_jeu_DEMO0");
    AttendArret(1, "infos_jeu_DEMO0");
}

TEST_F(PartieDonnees, APupilListWithoutPupilsStopsTheRun) {
    partie::EcritListe("0\n");
    AttendArret(0, "infos_quizz_DEMO");
}

TEST_F(PartieDonnees, AMissingQuizFileStopsTheRunBeforeTheResultsFile) {
    fs::remove("InfosQuizz/questions/vorlines_DEMO");
    AttendArret(5, "vorlines_DEMO");
    EXPECT_FALSE(fs::exists("InfosQuizz/joueurs/DEMO/DUPONT_Marie.txt"));
}

}  // namespace

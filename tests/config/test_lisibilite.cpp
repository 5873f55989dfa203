// Tamarel's screen at the three display sizes a classroom meets: each text
// on the screen, inside its box, and readable against what lies around it
// (the game's screens are judged the same way in the game's tests).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "lisibilite.h"
#include "lumicanvas.h"
#include "tamarel.h"
#include "test_support.h"

namespace {

struct Taille {
    int w, h;
};

class Lisibilite : public ::testing::TestWithParam<Taille> {
protected:
    void TearDown() override { harness::Stop(); }
    // The texts drawn since the last look, judged on the screen as it is.
    void Juge(const std::string& ecran) {
        lisibilite::Image image;
        image.pixels = harness::BackBuffer(&image.w, &image.h);
        const std::vector<harness::TextDrawn> textes = harness::Texts();
        EXPECT_FALSE(textes.empty()) << ecran;
        for (const std::string& d : lisibilite::Defauts(image, textes, zones_)) defauts_ += ecran + ": " + d + "\n";
        harness::ClearTexts();
    }
    std::vector<harness::Zone> zones_;
    std::string defauts_;
    test_support::ScratchDir dossier_;
};

TEST_P(Lisibilite, TheScreenKeepsItsTextsOnScreenInTheirBoxesAndReadable) {
    // The tool's own screen, opened at the size under test with every
    // setting at its widest.
    test_support::WriteFile("LCConfig.txt", "RESOLUTION_HORIZONTALE=" + std::to_string(GetParam().w) +
                                                "\nRESOLUTION_VERTICALE=" + std::to_string(GetParam().h) +
                                                "\nRESOLUTION_PREDEFINIE=9\nPLEIN_ECRAN=1\nMESSAGE_ERREUR=1\n");
    harness::Options o;
    o.archive = TAMAREL_ARCHIVE;
    harness::Start(
        [] {
            if (!InitGraph(3, 2, 0)) return 1;
            InitMouse();
            InitFont();
            SetFontMode(1);
            // An archive of its own: the tool's global may still hold the
            // archive of an earlier run that the harness stopped.
            Datafile* archive = GetData("#");
            CalculeCorrection();
            SetUFormat(U_ASCII8);
            AfficheEcranConfig(archive);
            FinConfig(BoucleConfig());
            while (GetKeyPressed() == -1) {  // the parting message stays for the test to read
            }
            UnloadDatafile(archive);
            CloseFont();
            CloseMouse();
            CloseGraph();
            return 0;
        },
        o);
    ASSERT_TRUE(harness::Healthy());
    EXPECT_EQ(GetMaxX() + 1, GetParam().w);
    zones_ = harness::MouseAreas();
    Juge("settings");
    harness::Key(KEY_ESCAPE);
    Juge("parting message");
    harness::Key(KEY_ESCAPE);
    EXPECT_TRUE(harness::Finished());
    EXPECT_EQ(defauts_, "");
}

INSTANTIATE_TEST_SUITE_P(Tailles, Lisibilite, ::testing::Values(Taille{640, 480}, Taille{1024, 768}, Taille{1920, 1080}),
                         [](const auto& info) { return std::to_string(info.param.w) + "x" + std::to_string(info.param.h); });

}  // namespace

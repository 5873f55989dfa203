// The countdown dial on a clock the test drives.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "compteur.h"
#include "etat.h"
#include "harness.h"
#include "lumicanvas.h"
#include "test_partie_outils.h"
#include "test_support.h"

namespace {

// A large dial in the middle of a 1024 x 768 screen, so that each sector
// holds many pixels.
constexpr int kX = 512, kY = 384, kR = 300;

std::vector<int> Retours;  // what each call of DeCompteur returned

// Calls the countdown over and over, as the question loop does; "p" stands
// for a 20-second extract during which the dial is not called.
int Programme(int d) {
    InitGraph(4, 1, 0);
    InitFont();
    const auto jeu = std::make_unique<Partie>();  // fresh: its first call starts a count
    for (;;) {
        Retours.push_back(DeCompteur(*jeu, kX, kY, kR, d));
        int touche = GetKeyPressed();
        if (touche == KEY_ESCAPE) break;
        if (touche == 'p') {
            Delay(20000);
            DecaleCompteur(*jeu);
        }
    }
    CloseGraph();
    return 0;
}

// The colour at angle a (degrees, clockwise from east) in the band.
uint32_t Bande(double a) {
    double rad = a * 3.14159 / 180, rho = 3 * kR / 4;
    return harness::Pixel(static_cast<int>(kX + std::cos(rad) * rho), static_cast<int>(kY + std::sin(rad) * rho));
}

uint32_t Rgb(int r, int g, int b) { return static_cast<uint32_t>(r << 16 | g << 8 | b); }

class Compteur : public ::testing::Test {
protected:
    void Lance(int d) {
        partie::EcritConfig();
        Retours.clear();
        harness::Options o;
        o.archive = GRELINOR_ARCHIVE;
        harness::Start([d] { return Programme(d); }, o);
        ASSERT_TRUE(harness::Healthy());
        ASSERT_FALSE(Retours.empty());
    }
    void TearDown() override {
        if (HasFailure()) harness::SaveShot(::testing::UnitTest::GetInstance()->current_test_info()->name());
        harness::Stop();
    }
    test_support::ScratchDir dossier_;
};

TEST_F(Compteur, OneSecondPaintsTheWholeBandRed) {
    Lance(1);
    EXPECT_EQ(Retours.back(), 0);
    EXPECT_EQ(Bande(0), Rgb(0, 0, 0));
    EXPECT_EQ(Bande(-80), Rgb(0, 0, 0));
    harness::Advance(1000);
    EXPECT_EQ(Retours.back(), -1);
    for (double a : {-80.0, 0.0, 90.0, 180.0, 260.0}) EXPECT_EQ(Bande(a), Rgb(255, 0, 0)) << a;
    EXPECT_EQ(Bande(-90), Rgb(255, 255, 255)) << "the spoke at the top is white again";
    // The outer ring is grey.
    EXPECT_EQ(harness::Pixel(kX + kR - 3, kY), Rgb(150, 150, 150));
}

TEST_F(Compteur, ThirtySecondsGoFromGreenToRedOneSectorPerSecond) {
    Lance(30);
    // White spokes every 60 degrees from the top.
    for (int a : {-90, -30, 30, 90, 150, 210}) EXPECT_EQ(Bande(a), Rgb(255, 255, 255)) << a;
    EXPECT_EQ(Bande(-84), Rgb(0, 0, 0));
    for (int t = 1; t <= 29; ++t) {
        harness::Advance(1000);
        EXPECT_EQ(Retours.back(), t);
        // Sector t lies between -90 + 12(t - 1) and -90 + 12t degrees.
        EXPECT_EQ(Bande(-90 + 12 * t - 6), Rgb(8 * t, 255 - 8 * t, 0)) << "second " << t;
        EXPECT_EQ(Bande(-90 + 12 * t + 6), Rgb(0, 0, 0)) << "second " << t;
    }
    harness::Advance(1000);
    EXPECT_EQ(Retours.back(), -1);
    EXPECT_EQ(Bande(264), Rgb(240, 15, 0));
}

TEST_F(Compteur, SevenSecondsLeaveAGapAtTheTop) {
    Lance(7);
    harness::Advance(7000);
    EXPECT_EQ(Retours.back(), -1);
    EXPECT_EQ(Bande(265), Rgb(7 * 36, 255 - 7 * 36, 0));
    EXPECT_EQ(Bande(268.5), Rgb(0, 0, 0)) << "the last 3 degrees stay unpainted";
    for (int v : Retours) EXPECT_NE(v, 7);
}

TEST_F(Compteur, NarrowSectorsOfLongCountsArePaintedOneAtATime) {
    Lance(180);  // 2 degrees per second, red level 1 per second
    harness::Advance(1000);
    EXPECT_EQ(Bande(-89), Rgb(1, 254, 0));
    EXPECT_EQ(Bande(-87), Rgb(0, 0, 0));
    harness::Advance(1000);
    EXPECT_EQ(Bande(-89), Rgb(1, 254, 0)) << "the first sector was painted over";
    EXPECT_EQ(Bande(-87), Rgb(2, 253, 0));
    EXPECT_EQ(Bande(-83), Rgb(0, 0, 0));
}

TEST_F(Compteur, AnExtractStopsTheClock) {
    Lance(30);
    harness::Advance(4000);
    EXPECT_EQ(Retours.back(), 4);
    const std::vector<uint32_t> avant = partie::Zone(kX - kR, kY - kR, kX + kR, kY + kR);
    harness::Key('p');  // 20 seconds without the dial
    EXPECT_EQ(Retours.back(), 4);
    EXPECT_EQ(partie::Zone(kX - kR, kY - kR, kX + kR, kY + kR), avant);
    harness::Advance(1000);
    EXPECT_EQ(Retours.back(), 5);
    EXPECT_EQ(Bande(-90 + 12 * 5 - 6), Rgb(40, 215, 0));
    EXPECT_EQ(Bande(-90 + 12 * 6 - 6), Rgb(0, 0, 0));
}

}  // namespace

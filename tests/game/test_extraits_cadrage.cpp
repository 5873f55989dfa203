// Where a full-screen picture and an animated GIF are shown, for their sizes
// on screens of two sizes.
#include <gtest/gtest.h>

#include <functional>

#include "etat.h"
#include "extraits.h"
#include "harness.h"
#include "lumicanvas.h"
#include "test_partie_outils.h"
#include "test_support.h"

namespace {

// Opens the display from LCConfig.txt, sets the scale and runs `calcul`.
void Calcule(int largeur, int hauteur, const std::function<void()>& calcul) {
    test_support::ScratchDir dossier;
    partie::EcritConfig(largeur, hauteur);
    harness::Start([calcul] {
        InitGraph(4, 1, 0);
        calcul();
        CloseGraph();
        return 0;
    });
    ASSERT_TRUE(harness::Finished());
    harness::Stop();
}

void Attendu(const Cadrage& c, int x, int y, int w, int h) {
    EXPECT_EQ(c.x, x);
    EXPECT_EQ(c.y, y);
    EXPECT_EQ(c.w, w);
    EXPECT_EQ(c.h, h);
}

TEST(Cadrage, StillPicturesTakeTheWholeWidthOrTheWholeHeight) {
    Cadrage paysage{}, carre{}, portrait{}, illisible{};
    Calcule(1024, 768, [&] {
        paysage = CadrageImage(800, 600);
        carre = CadrageImage(500, 500);
        portrait = CadrageImage(300, 600);
        illisible = CadrageImage(0, 0);
    });
    Attendu(paysage, 0, 0, 1024, 768);  // (1023 - 1024) / 2 = -0.5, truncated to 0
    // A square is as wide as the screen, so taller: its top and bottom lie
    // outside (767 - 1024) / 2 = -128.5 -> -128.
    Attendu(carre, 0, -128, 1024, 1024);
    Attendu(portrait, 319, 0, 384, 768);  // (1023 - 384) / 2 = 319.5
    Attendu(illisible, 0, 0, 0, 0);
}

TEST(Cadrage, GifsAre400WideOr300High) {
    Cadrage large{}, haut{}, impair{};
    Calcule(1024, 768, [&] {
        large = CadrageGIF(200, 100);
        haut = CadrageGIF(100, 200);
        impair = CadrageGIF(300, 200);
    });
    Attendu(large, 311, 283, 400, 200);   // (1023 - 400) / 2 = 311.5, (767 - 200) / 2 = 283.5
    Attendu(haut, 436, 233, 150, 300);    // (1023 - 150) / 2 = 436.5
    // 400 x 200 / 300 = 266.67: truncated after x and y are centred on the
    // exact height, (767 - 266.67) / 2 = 250.17.
    Attendu(impair, 311, 250, 400, 266);
}

TEST(Cadrage, SizesFollowTheScreenScale) {
    Cadrage image{}, gif{};
    Calcule(800, 600, [&] {
        image = CadrageImage(1000, 500);
        gif = CadrageGIF(50, 100);
    });
    // 1024 x 800/1024 = 800 wide, 400 high; (599 - 400) / 2 = 99.5.
    Attendu(image, 0, 99, 800, 400);
    // 300 x 600/768 = 234.375 high, 117.1875 wide; (799 - 117.19) / 2 = 340.9.
    Attendu(gif, 340, 182, 117, 234);
}

}  // namespace

// The final score screen and the credits screen, drawn on their own.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "apropos.h"
#include "couleurs.h"
#include "etat.h"
#include "harness.h"
#include "lumicanvas.h"
#include "ecran.h"
#include "score.h"
#include "test_partie_outils.h"
#include "test_support.h"

namespace {

int HauteurScore = 0;  // TextHeight() of the score line, measured by Reference

// A screen record whose archive is released however the run ends (the test
// may stop it before its last key), as the game's own run does.
struct EcranTeste {
    Ecran vue;
    ~EcranTeste() { LibereRessources(vue); }
};

void Ouvre(Ecran& vue) {
    InitGraph(4, 1, 0);
    InitFont();
    OuvreArchive(vue);
}

// The score screen of the pupil `joueur` whose results file says `bonnes`.
int Score(FicheJoueur& joueur, const char* bonnes, int questions) {
    EcranTeste liberation;
    Ouvre(liberation.vue);
    snprintf(joueur.Bonnes, sizeof joueur.Bonnes, "%s", bonnes);
    FinJeu(liberation.vue, joueur, questions);
    AProposFinal(liberation.vue);
    return 0;
}

// `texte` alone where the score's number is written, on black.
int Reference(const std::string& texte) {
    EcranTeste e;
    Ecran& Vue = e.vue;
    Ouvre(Vue);
    SetUFormat(U_ASCII8);
    SetColor(12);
    DimText(4);
    HauteurScore = TextHeight();
    CenterTextXY(GetMaxX() / 2, GetMaxY() / 4 + HauteurScore / 2, texte.c_str());
    ShowScreen();
    while (GetKeyPressed() != KEY_ESCAPE) {
    }
    UnloadDatafile(Vue.Donnees);
    Vue.Donnees = nullptr;
    CloseGraph();
    return 0;
}

class Score_ : public ::testing::Test {
protected:
    void SetUp() override { partie::EcritConfig(); }
    void TearDown() override {
        if (HasFailure()) harness::SaveShot(::testing::UnitTest::GetInstance()->current_test_info()->name());
        harness::Stop();
    }
    static void Lance(std::function<int()> programme) {
        harness::Options o;
        o.archive = GRELINOR_ARCHIVE;
        harness::Start(std::move(programme), o);
        ASSERT_TRUE(harness::Healthy());
    }
    // Where the pixels of the score's colour lie on the score's line.
    static std::vector<bool> Trace() {
        // Inside the box's sides, between its top half and its bottom side.
        std::vector<uint32_t> z = partie::Zone(340, 193, 684, 191 + HauteurScore - 2);
        std::vector<bool> t;
        for (uint32_t p : z) t.push_back(p == PaletteRGB(12));
        return t;
    }
    static std::vector<bool> TraceDe(const std::string& texte) {
        Lance([texte] { return Reference(texte); });
        std::vector<bool> t = Trace();
        harness::Key(KEY_ESCAPE);
        harness::Stop();
        return t;
    }
    test_support::ScratchDir dossier_;
    FicheJoueur joueur_ = {};  // the pupil of the score screen's run
};

TEST_F(Score_, SevenRightOfTenReadsSevenSlashTen) {
    const std::vector<bool> sept = TraceDe("7/10"), zero = TraceDe("07/10");
    ASSERT_NE(sept, zero);
    Lance([this] { return Score(joueur_, "07\n", 10); });
    EXPECT_EQ(BonnesLues(joueur_), 7);
    EXPECT_TRUE(Trace() == sept) << "the score is not written 7/10";
    // The farewell texts in white, the box around the score in colour 12.
    EXPECT_GT(partie::CompteCouleur(0xFFFFFF, 100, 330, 924, 440), 500);
    EXPECT_EQ(harness::Pixel(0, 300), 0xFFFFFFu);
    EXPECT_EQ(harness::Pixel(4, 300), 0xFFFFFFu);
}

TEST_F(Score_, NoRightAnswerReadsZeroAndOnlyKeysGoOn) {
    const std::vector<bool> attendu = TraceDe("0/3");
    Lance([this] { return Score(joueur_, "00\n", 3); });
    EXPECT_TRUE(Trace() == attendu);
    const int presents = harness::Presents();
    harness::ClickAt(512, 384);
    harness::ClickAt(512, 384, 2);
    EXPECT_EQ(harness::Presents(), presents) << "a click went on";
    harness::Key(KEY_ESCAPE);  // the credits
    EXPECT_FALSE(harness::Finished());
    EXPECT_GT(harness::Presents(), presents);
    harness::ClickAt(512, 384);
    EXPECT_FALSE(harness::Finished());
    harness::Key(KEY_ESCAPE);
    ASSERT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 0);
}

// The credits screen: double rectangle, inner frame with its corner arcs,
// the lines in their colours, every line inside the frame.
int Credits() {
    EcranTeste e;
    Ecran& Vue = e.vue;
    Ouvre(Vue);
    APropos(Vue);
    while (GetKeyPressed() != KEY_ESCAPE) {
    }
    UnloadDatafile(Vue.Donnees);
    Vue.Donnees = nullptr;
    CloseGraph();
    return 0;
}

TEST_F(Score_, TheCreditsScreenHasItsFrameArcsAndLines) {
    Lance(Credits);
    const uint32_t cadre = RGBDe(kCadreApropos);
    EXPECT_EQ(harness::Pixel(140, 400), cadre);
    EXPECT_EQ(harness::Pixel(141, 400), cadre);
    EXPECT_EQ(harness::Pixel(1023 - 140, 400), cadre);
    EXPECT_EQ(harness::Pixel(512, 175), cadre) << "the inner frame's top side";
    EXPECT_EQ(harness::Pixel(145, 400), cadre) << "its left side";
    EXPECT_EQ(harness::Pixel(512, 767 - 175), cadre) << "its bottom side";
    // Each corner's arc joins the ends of its two sides on the frame's
    // inside (through the point 7 pixels across and 7 in from the corner),
    // and nothing of it bulges out across the double frame (the strip just
    // beyond the outer rectangle, beside the corner).
    struct Coin {
        const char* nom;
        int x, y, dx, dy;        // the corner point, and the way inside
        int x1, y1, x2, y2;      // the strip outside
    };
    for (const Coin& c : {Coin{"top right", 878, 175, -1, 1, 870, 164, 880, 169},
                          Coin{"bottom right", 878, 592, -1, -1, 870, 599, 880, 604},
                          Coin{"bottom left", 145, 592, 1, -1, 144, 599, 154, 604},
                          Coin{"top left", 145, 175, 1, 1, 144, 164, 154, 169}}) {
        const int ix = c.x + 7 * c.dx, iy = c.y + 7 * c.dy;
        EXPECT_GT(partie::CompteCouleur(cadre, ix - 2, iy - 2, ix + 2, iy + 2), 0) << c.nom;
        EXPECT_EQ(partie::CompteCouleur(cadre, c.x1, c.y1, c.x2, c.y2), 0) << c.nom;
    }
    // The title in light red, credit lines in light green, the libraries
    // in light magenta, the project's home and contact in yellow, one line
    // step apart below the title. At 768 rows the small text is 18 rows
    // high: the lines lie at 3.5, 4.5, 5.5, 6.5, 9.5 and 10.5 of these steps
    // below row 200.
    EXPECT_GT(partie::CompteCouleur(RGBDe(kTitreApropos), 145, 210, 879, 248), 100);
    EXPECT_GT(partie::CompteCouleur(RGBDe(kVertClair), 145, 252, 879, 290), 200);
    EXPECT_GT(partie::CompteCouleur(RGBDe(kLigneApropos), 145, 290, 879, 326), 300);
    EXPECT_GT(partie::CompteCouleur(RGBDe(kJaune), 145, 360, 879, 398), 300);
    EXPECT_EQ(partie::CompteCouleur(RGBDe(kJaune), 145, 330, 879, 358), 0) << "the gap before the home line";
    for (Couleur c : {kVertClair, kTitreApropos, kLigneApropos, kJaune}) {
        EXPECT_EQ(partie::CompteCouleur(RGBDe(c), 0, 0, 143, 767), 0) << "colour " << RGBDe(c) << " out of the frame";
        EXPECT_EQ(partie::CompteCouleur(RGBDe(c), 881, 0, 1023, 767), 0) << "colour " << RGBDe(c) << " out of the frame";
    }
    EXPECT_FALSE(harness::PointerShown());
    harness::Key(KEY_ESCAPE);
}

}  // namespace

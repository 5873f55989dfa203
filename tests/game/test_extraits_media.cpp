// Whole runs that open a question's picture, GIF, sound extract or video
// extract from its thumbnail: once only, the clock standing still, the
// question screen put back exactly as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "couleurs.h"
#include "../media/picture_files.h"
#include "etat.h"
#include "test_extraits_outils.h"

namespace {

using extraits::Resultats;

constexpr int kVignetteX = 860, kVignetteY = 295;  // the thumbnail's centre
const std::string kEntete = "DUPONT\nMarie\nDEMO\n";

std::vector<uint32_t> Ecran() { return partie::Zone(0, 0, 1023, 767); }

// One question whose medium is given by the sign and name after its text.
partie::QuestionTest Question(const std::string& enonce) {
    return {enonce, {"un", "deux", "trois", "quatre"}, "2"};
}

class Extraits : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* d : {"images", "sons", "videos"})
            std::filesystem::create_directories(std::string("InfosQuizz/questions/") + d);
    }
    void TearDown() override {
        if (HasFailure()) harness::SaveShot(::testing::UnitTest::GetInstance()->current_test_info()->name());
        harness::Stop();
    }
    // The quiz of one question with this text, 30 s to answer, the pupil in.
    void Lance(const std::string& enonce) {
        extraits::Arbre({Question(enonce)}, 30);
        extraits::JusquAuxQuestions();
        ASSERT_TRUE(harness::Healthy());
        ASSERT_FALSE(harness::Finished());
        harness::Advance(3000);
        avant_ = Ecran();
        presents_ = harness::Presents();
    }
    // The medium is open: the screen is no longer the question screen. The
    // pupil's click lasts a moment: its release must not close the medium.
    void Ouvre() {
        extraits::ClicTenu(kVignetteX, kVignetteY);
        ASSERT_TRUE(harness::Healthy());
        EXPECT_NE(Ecran(), avant_) << "the medium did not open";
    }
    // The medium is closed: the question screen as it was, the countdown
    // on the same number, a second click on the thumbnail does nothing.
    void VerifieRetour(int& drapeau) {
        EXPECT_EQ(drapeau, 1);
        EXPECT_TRUE(Ecran() == avant_) << "the question screen was not put back as it was";
        const int presents = harness::Presents();
        harness::ClickAt(kVignetteX, kVignetteY);
        EXPECT_EQ(harness::Presents(), presents) << "a second opening";
        EXPECT_TRUE(Ecran() == avant_);
        EXPECT_EQ(Resultats(), kEntete + "0\n0\n9999\n") << "the thumbnail answered the question";
    }
    // Two more seconds, then the right answer: 5 seconds counted in all.
    void RepondApres2s() {
        harness::Advance(2000);
        harness::ClickAt(765, 472);
        EXPECT_EQ(Resultats(), kEntete + "01\n00\n0005\n") << "the time the medium was open was counted";
    }
    std::vector<uint32_t> avant_;
    int presents_ = 0;
    test_support::ScratchDir dossier_;
};

TEST_F(Extraits, AStillPictureFillsTheScreenWithItsNoticeUntilAClick) {
    picture_files::SolidPng("InfosQuizz/questions/images/rouge.png", 800, 600, 0xFFFF0000u);
    Lance("Regarde bien ce dessin\xA7rouge.png");
    EXPECT_EQ(partie::EnCours().Jeu.VueImage, 0);
    Ouvre();
    EXPECT_EQ(partie::CompteCouleur(0xFF0000, 0, 0, 1023, 600), 1024 * 601) << "800 x 600 fills 1024 x 768";
    // The notice box at the foot: white, outlined and written in black.
    EXPECT_GT(partie::CompteCouleur(0xFFFFFF, 300, 700, 724, 765), 5000);
    EXPECT_GT(partie::CompteCouleur(0x000000, 300, 700, 724, 765), 300);
    EXPECT_EQ(harness::Pixel(5, 765), 0xFF0000u);
    harness::Advance(20000);
    EXPECT_EQ(partie::EnCours().Jeu.VueImage, 0) << "still open";
    // The click that closes the picture lies over answer 3: it must not
    // answer the question.
    harness::ClickAt(254, 612);
    VerifieRetour(partie::EnCours().Jeu.VueImage);
    RepondApres2s();
}

TEST_F(Extraits, AnAnimatedGifPlaysAtItsSizeUntilAKey) {
    test_support::WriteFile("InfosQuizz/questions/images/balle.GIF",
                            picture_files::SolidGif(200, 100, {0xFF0000, 0x0000FF}));
    Lance("Observe la balle\xA7" "balle.GIF");
    Ouvre();
    // 200 x 100 is shown 400 x 200, centred: (311, 283) to (711, 483).
    auto couleur = [] { return harness::Pixel(512, 384); };
    const uint32_t premiere = couleur();
    EXPECT_TRUE(premiere == 0xFF0000u || premiere == 0x0000FFu);
    for (int x : {314, 708}) EXPECT_EQ(harness::Pixel(x, 384), premiere) << x;
    for (int y : {286, 480}) EXPECT_EQ(harness::Pixel(512, y), premiere) << y;
    for (int x : {307, 715}) EXPECT_EQ(harness::Pixel(x, 384), 0xFFFFFFu) << x;
    for (int y : {279, 487}) EXPECT_EQ(harness::Pixel(512, y), 0xFFFFFFu) << y;
    bool anime = false;
    for (int n = 0; n < 10 && !anime; ++n) {
        harness::Advance(100);
        anime = couleur() != premiere;
    }
    EXPECT_TRUE(anime) << "the GIF does not move";
    harness::Advance(20000);
    EXPECT_EQ(partie::EnCours().Jeu.VueImage, 0);
    harness::Key('a');
    VerifieRetour(partie::EnCours().Jeu.VueImage);
    RepondApres2s();
}

TEST_F(Extraits, AnMp3ExtractIsFedInItsPanelUntilAButtonGoesDown) {
    partie::CopieSonMuet("InfosQuizz/questions/sons/notes.mp3");
    Lance("\xC9" "coute bien\xB5notes.mp3");
    Ouvre();
    EXPECT_EQ(harness::Sounds().back(), ".//InfosQuizz//questions//sons//notes.mp3");
    const uint32_t jaune = PaletteRGB(14);
    EXPECT_EQ(harness::Pixel(250, 384), jaune);
    EXPECT_EQ(harness::Pixel(252, 384), jaune);
    EXPECT_EQ(harness::Pixel(251, 384), 0x000000u);
    EXPECT_GT(partie::CompteCouleur(RGBDe(kRemarqueSon), 260, 340, 764, 428), 300) << "the panel's remarks";
    // The three-second sound ends long before: the panel stays.
    const std::vector<uint32_t> panneau = Ecran();
    harness::Advance(20000);
    EXPECT_TRUE(Ecran() == panneau);
    EXPECT_EQ(partie::EnCours().Jeu.ExtraitSonEcoute, 0);
    const size_t sons = harness::Sounds().size();
    extraits::ClicTenu(254, 612);
    VerifieRetour(partie::EnCours().Jeu.ExtraitSonEcoute);
    EXPECT_EQ(harness::Sounds().size(), sons) << "the extract was played again";
    RepondApres2s();
}

TEST_F(Extraits, AnotherSoundIsStartedOnceAndTakesTwoClicks) {
    test_support::WriteFile("InfosQuizz/questions/sons/cloche.wav", extraits::WavMuet(500));
    Lance("\xC9" "coute la cloche\xB5" "cloche.wav");
    Ouvre();
    harness::Advance(20000);
    harness::ClickAt(500, 100);
    EXPECT_EQ(partie::EnCours().Jeu.ExtraitSonEcoute, 1);
    EXPECT_TRUE(Ecran() == avant_) << "the panel goes at the end of the first click";
    // One more click is awaited: the countdown stays still meanwhile.
    harness::Advance(5000);
    EXPECT_TRUE(Ecran() == avant_);
    harness::ClickAt(500, 100);
    VerifieRetour(partie::EnCours().Jeu.ExtraitSonEcoute);
    RepondApres2s();
}

TEST_F(Extraits, AVideoPlaysOnItsOwnScreenUntilALeftClickOnTheCross) {
    test_support::WriteFile("InfosQuizz/questions/videos/drapeau.mp4",
                            test_support::ReadFile(SOURCE_DIR "/demo/InfosQuizz/questions/videos/drapeau.mp4"));
    Lance("Voici un drapeau.|Regarde la vid\xE9o :|de quel pays est-il ?~drapeau.mp4");
    Ouvre();
    // The double white frame around the 400 x 300 picture at (311, 233).
    for (int x : {511 - 205, 511 - 203, 511 + 203, 511 + 205}) EXPECT_EQ(harness::Pixel(x, 300), 0xFFFFFFu) << x;
    EXPECT_NE(harness::Pixel(511 - 204, 300), 0xFFFFFFu);
    // The first and third lines of the question, white, above the video.
    EXPECT_GT(partie::CompteCouleur(0xFFFFFF, 100, 55, 924, 95), 100);
    EXPECT_GT(partie::CompteCouleur(0xFFFFFF, 100, 100, 924, 135), 100);
    // The remarks below it, in black.
    EXPECT_GT(partie::CompteCouleur(0x000000, 100, 600, 924, 720), 300);
    harness::Advance(1000);
    harness::ClickAt(1023 - 55, 55, 2);
    EXPECT_EQ(partie::EnCours().Jeu.VideoVue, 0) << "the right button closed the video";
    harness::Advance(1000);
    harness::ClickAt(1023 - 55, 55);
    VerifieRetour(partie::EnCours().Jeu.VideoVue);
    RepondApres2s();
}

TEST_F(Extraits, AVideoPlayedToItsEndClosesItself) {
    test_support::WriteFile("InfosQuizz/questions/videos/drapeau.mp4",
                            test_support::ReadFile(SOURCE_DIR "/demo/InfosQuizz/questions/videos/drapeau.mp4"));
    Lance("Voici un drapeau.|de quel pays est-il ?~drapeau.mp4");
    Ouvre();
    // A two-line question recalls its first line only, at the third line's
    // place: nothing white where a three-line question has its first line.
    EXPECT_GT(partie::CompteCouleur(0xFFFFFF, 100, 100, 924, 135), 100);
    EXPECT_EQ(partie::CompteCouleur(0xFFFFFF, 100, 55, 924, 95), 0);
    harness::Advance(2000);
    EXPECT_EQ(partie::EnCours().Jeu.VideoVue, 0);
    // The four-second video ends by itself; the time it played is not
    // counted, what follows is.
    harness::Advance(2100);
    VerifieRetour(partie::EnCours().Jeu.VideoVue);
    RepondApres2s();
}

// Files that exist but cannot be read open and close like any other and
// the clock stands still all the same.
TEST_F(Extraits, AnUndecodablePictureOpensAWhiteViewAndCloses) {
    test_support::WriteFile("InfosQuizz/questions/images/faux.png", "ceci n'est pas une image");
    Lance("Regarde bien\xA7" "faux.png");
    Ouvre();
    EXPECT_GT(partie::CompteCouleur(0xFFFFFF, 0, 0, 1023, 767), 700000);
    harness::Advance(20000);
    harness::ClickAt(500, 100);
    VerifieRetour(partie::EnCours().Jeu.VueImage);
    RepondApres2s();
}

TEST_F(Extraits, ATruncatedGifOpensAndClosesByAButton) {
    const std::string gif = picture_files::SolidGif(200, 100, {0xFF0000, 0x0000FF});
    test_support::WriteFile("InfosQuizz/questions/images/coupe.gif", gif.substr(0, 40));
    Lance("Observe\xA7" "coupe.gif");
    Ouvre();
    harness::Advance(20000);
    harness::ClickAt(500, 100);
    VerifieRetour(partie::EnCours().Jeu.VueImage);
    RepondApres2s();
}

TEST_F(Extraits, AnMp3ThatIsNoSoundKeepsItsPanelUntilAButton) {
    test_support::WriteFile("InfosQuizz/questions/sons/faux.mp3", std::string(5000, 'x'));
    Lance("\xC9" "coute\xB5" "faux.mp3");
    Ouvre();
    harness::Advance(20000);
    EXPECT_EQ(harness::Pixel(250, 384), PaletteRGB(14)) << "the panel went by itself";
    extraits::ClicTenu(500, 100);
    VerifieRetour(partie::EnCours().Jeu.ExtraitSonEcoute);
    RepondApres2s();
}

TEST_F(Extraits, AVideoThatIsNoVideoEndsAtOnce) {
    test_support::WriteFile("InfosQuizz/questions/videos/faux.mp4", std::string(5000, 'x'));
    Lance("Regarde :~faux.mp4");
    harness::ClickAt(kVignetteX, kVignetteY);
    VerifieRetour(partie::EnCours().Jeu.VideoVue);
    RepondApres2s();
}

TEST_F(Extraits, AMissingFileOrAThumbnailOnlyPictureOpensNothing) {
    picture_files::SolidPng("InfosQuizz/questions/images/carte.png", 80, 60, 0xFF00FF00u);
    Lance("O\xF9 est la mer ?\xA7_carte.png");
    partie::EnCours().Jeu.VueImage = 0;
    harness::ClickAt(kVignetteX, kVignetteY);
    EXPECT_EQ(harness::Presents(), presents_);
    EXPECT_TRUE(Ecran() == avant_);
    RepondApres2s();
}

TEST_F(Extraits, AMissingSoundStaysAvailableForALaterClick) {
    Lance("\xC9" "coute\xB5" "absent.mp3");
    harness::ClickAt(kVignetteX, kVignetteY);
    EXPECT_EQ(partie::EnCours().Jeu.ExtraitSonEcoute, 0);
    EXPECT_TRUE(Ecran() == avant_);
    // The teacher puts the file in place: the next click plays it.
    partie::CopieSonMuet("InfosQuizz/questions/sons/absent.mp3");
    harness::ClickAt(kVignetteX, kVignetteY);
    EXPECT_EQ(harness::Sounds().back(), ".//InfosQuizz//questions//sons//absent.mp3");
    extraits::ClicTenu(500, 100);
    EXPECT_EQ(partie::EnCours().Jeu.ExtraitSonEcoute, 1);
}

}  // namespace

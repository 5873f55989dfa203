// What the file Tamarel writes does to the game's display, and what Tamarel
// does when no display can open at all.
#include <gtest/gtest.h>

#include <cstdlib>
#ifndef _WIN32
#include <sys/wait.h>
#endif
#include <filesystem>
#include <string>

#include "harness.h"
#include "lumicanvas.h"
#include "tamarel.h"
#include "test_support.h"

using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

struct Taille {
    int largeur = 0;
    int hauteur = 0;
};

// Opens the display the way Grelinor does, headless, in the current folder,
// and gives the size of its back buffer.
Taille TailleDuJeu() {
    static Taille vue;
    vue = {};
    harness::Options o;
    o.archive = TAMAREL_ARCHIVE;
    harness::Start(
        [] {
            if (!InitGraph(4, 1, 0)) return 1;
            vue = {GetMaxX() + 1, GetMaxY() + 1};
            CloseGraph();
            return 0;
        },
        o);
    EXPECT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 0);
    harness::Stop();
    return vue;
}

// Writes the file as Tamarel saves it, from the five settings.
void Sauve(int horizontale, int verticale, int code) {
    ConfigParDefaut();
    ResolutionHorizontale = horizontale;
    ResolutionVerticale = verticale;
    ResolutionPredefinie = code;
    ASSERT_EQ(EcritConfig(SignatureGenere), 1);
}

}  // namespace

TEST(AffichageDuJeu, FollowsTheResolutionCodeTamarelSaved) {
    ScratchDir dir;
    Sauve(800, 600, 4);
    Taille t = TailleDuJeu();
    EXPECT_EQ(t.largeur, 1024);
    EXPECT_EQ(t.hauteur, 768);

    Sauve(1000, 700, 9);
    t = TailleDuJeu();
    EXPECT_EQ(t.largeur, 1000);
    EXPECT_EQ(t.hauteur, 700);

    Sauve(1000, 700, 2);  // the sizes count only with code 9
    t = TailleDuJeu();
    EXPECT_EQ(t.largeur, 640);
    EXPECT_EQ(t.hauteur, 480);
}

TEST(AffichageDuJeu, CodeZeroTakesTheDesktopsSize) {
    ScratchDir dir;
    Sauve(800, 600, 0);
    Taille t = TailleDuJeu();
    // The headless desktop of the media layer.
    EXPECT_EQ(t.largeur, 1920);
    EXPECT_EQ(t.hauteur, 1080);
}

TEST(AffichageDuJeu, NoFileGives800x600) {
    ScratchDir dir;
    Taille t = TailleDuJeu();
    EXPECT_EQ(t.largeur, 800);
    EXPECT_EQ(t.hauteur, 600);
}

TEST(AffichageDuJeu, TheDefaultsFileTamarelCreatesGives800x600) {
    ScratchDir dir;
    ConfigParDefaut();
    ASSERT_EQ(EcritConfig(SignatureCree), 1);
    Taille t = TailleDuJeu();
    EXPECT_EQ(t.largeur, 800);
    EXPECT_EQ(t.hauteur, 600);
}

// The real program, started where no display can open: the teacher's file
// must be back under its name, and the reason said on standard error.
TEST(SansAffichage, TheFileIsPutBackAndTheToolSaysWhy) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: the program started through a POSIX shell (env -u)";
#else
    const std::string programme = std::string(BUILD_DIR) + "/tamarel";
    ASSERT_TRUE(std::filesystem::exists(programme)) << programme << " is not built";
    ScratchDir dir;
    const std::string fichier = "RESOLUTION_PREDEFINIE=4\nPLEIN_ECRAN=1\n";
    WriteFile("LCConfig.txt", fichier);
    const std::string commande = "env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=aucun '" +
                                 programme + "' 2>erreurs.txt";
    int statut = std::system(commande.c_str());
    ASSERT_NE(statut, -1);
    EXPECT_TRUE(WIFEXITED(statut));
    EXPECT_EQ(WEXITSTATUS(statut), 1);
    EXPECT_EQ(ReadFile("LCConfig.txt"), fichier);
    EXPECT_FALSE(std::filesystem::exists("LCConfig.tmp"));
    EXPECT_NE(ReadFile("erreurs.txt").find("LCConfig.txt"), std::string::npos)
        << ReadFile("erreurs.txt");
#endif
}

TEST(SansAffichage, NoFileIsCreatedWhenNoDisplayOpens) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: the program started through a POSIX shell (env -u)";
#else
    const std::string programme = std::string(BUILD_DIR) + "/tamarel";
    ASSERT_TRUE(std::filesystem::exists(programme)) << programme << " is not built";
    ScratchDir dir;
    const std::string commande = "env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=aucun '" +
                                 programme + "' 2>/dev/null";
    int statut = std::system(commande.c_str());
    EXPECT_TRUE(WIFEXITED(statut));
    EXPECT_EQ(WEXITSTATUS(statut), 1);
    EXPECT_FALSE(std::filesystem::exists("LCConfig.txt"));
    EXPECT_FALSE(std::filesystem::exists("LCConfig.tmp"));
#endif
}

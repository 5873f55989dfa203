// Whole runs of Tamarel, headless: the screen read as pixels, the mouse and
// the keyboard scripted, LCConfig.txt checked before and after.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "harness.h"
#include "lumicanvas.h"
#include "tamarel.h"
#include "fichiers_attendus.h"
#include "test_support.h"

using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

// Text sizes of the layer on Tamarel's 800 x 600 display, measured once by a
// small headless program in a folder of its own (no LCConfig.txt there).
struct Mesures {
    int largeur = 0, hauteur = 0;  // the screen
    int h = 0;                     // line height at preset 1
    int h2 = 0;                    // line height at preset 2
    int chiffre[10] = {};          // TextLength of each digit at preset 1
    int oui = 0, non = 0, barre = 0;
};

const Mesures& Mesure() {
    static Mesures m;
    static bool faites = false;
    if (faites) return m;
    ScratchDir ailleurs;
    harness::Options o;
    o.archive = TAMAREL_ARCHIVE;
    harness::Start(
        [] {
            InitGraph(3, 2, 0);
            InitFont();
            SetUFormat(U_ASCII8);
            m.largeur = GetMaxX() + 1;
            m.hauteur = GetMaxY() + 1;
            DimText(1);
            m.h = TextHeight();
            for (int k = 0; k < 10; k++) {
                char c[2] = {static_cast<char>('0' + k), '\0'};
                m.chiffre[k] = TextLength(c);
            }
            m.oui = TextLength("OUI");
            m.non = TextLength("NON");
            m.barre = TextLength(" /");
            DimText(2);
            m.h2 = TextHeight();
            CloseFont();
            CloseGraph();
            return 0;
        },
        o);
    harness::Stop();
    faites = true;
    return m;
}

// A rectangle of the screen, corners included.
struct Boite {
    int x1, y1, x2, y2;
    int X() const { return (x1 + x2) / 2; }
    int Y() const { return (y1 + y2) / 2; }
};

// Where Tamarel draws its texts, from the reference layout of 1024 x 768.
struct Disposition {
    const Mesures& m = Mesure();
    float cx = m.largeur / 1024.0f;
    float cy = m.hauteur / 768.0f;

    int Ligne(int n) const { return static_cast<int>(180 * cy + n * m.h); }
    int X(float x) const { return static_cast<int>(x * cx); }
    Boite Chiffre(int k) const {
        int x = X(360.0f + 30.0f * k);
        return {x, Ligne(0), x + m.chiffre[k] - 1, Ligne(0) + m.h - 1};
    }
    Boite Barre(int k) const {
        int x = Chiffre(k).x2 + 1;
        return {x, Ligne(0), x + m.barre - 1, Ligne(0) + m.h - 1};
    }
    Boite Oui(int ligne) const {
        int x = X(ligne == 14 ? 380 : 475);
        return {x, Ligne(ligne), x + m.oui - 1, Ligne(ligne) + m.h - 1};
    }
    Boite Non(int ligne) const {
        int x = X(ligne == 14 ? 440 : 535);
        return {x, Ligne(ligne), x + m.non - 1, Ligne(ligne) + m.h - 1};
    }
    // The two lines of the parting message, centred at three quarters across.
    Boite Adieu() const {
        int xc = 3 * (m.largeur - 1) / 4;
        int yc = (m.hauteur - 1) / 2;
        return {xc - m.largeur / 5, yc - m.h2, xc + m.largeur / 5, yc + 2 * m.h2};
    }
};

// A picture of the screen.
struct Image {
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
};

Image Ecran() {
    Image i;
    i.pixels = harness::BackBuffer(&i.w, &i.h);
    return i;
}

// The screen as the parting message left it: Tamarel closes its display at
// the end, so the picture is taken on the program's side just before.
Image PhotoAdieu;

// How many pixels of the box have the colour of palette entry `couleur`, on
// the live screen or on a picture.
int Compte(const Boite& b, int couleur, const Image& image = Ecran()) {
    const std::vector<uint32_t>& pixels = image.pixels;
    int w = image.w, h = image.h;
    uint32_t rgb = PaletteRGB(couleur);
    int n = 0;
    for (int y = b.y1; y <= b.y2 && y < h; y++) {
        for (int x = b.x1; x <= b.x2 && x < w; x++) {
            if (y >= 0 && x >= 0 && pixels[static_cast<size_t>(y) * w + x] == rgb) n++;
        }
    }
    return n;
}

// The pixels of a box, to compare two moments.
std::vector<uint32_t> Copie(const Boite& b) {
    std::vector<uint32_t> r;
    for (int y = b.y1; y <= b.y2; y++) {
        for (int x = b.x1; x <= b.x2; x++) r.push_back(harness::Pixel(x, y));
    }
    return r;
}

// Expects the text in the box drawn in `choisi` only: some pixels of that
// colour, none of the other one of the pair 12 / 13.
void AttendCouleur(const Boite& b, int choisi, const char* quoi) {
    int autre = choisi == 12 ? 13 : 12;
    EXPECT_GT(Compte(b, choisi), 0) << quoi << " has no pixel of colour " << choisi;
    EXPECT_EQ(Compte(b, autre), 0) << quoi << " still has pixels of colour " << autre;
}

void Clique(const Boite& b) { harness::ClickAt(b.X(), b.Y()); }

class Tamarel : public ::testing::Test {
protected:
    void SetUp() override { (void)Mesure(); }
    void TearDown() override {
        if (HasFailure()) {
            harness::SaveShot(::testing::UnitTest::GetInstance()->current_test_info()->name());
        }
        harness::Stop();
    }

    void Demarre(std::function<int()> programme, const std::string& archive) {
        harness::Options o;
        o.archive = archive;
        harness::Start(std::move(programme), o);
        ASSERT_TRUE(harness::Healthy());
        ASSERT_FALSE(harness::Finished());
    }
    void Lance(const std::string& archive = TAMAREL_ARCHIVE) {
        Demarre([] { return TamarelMain(); }, archive);
    }
    // Tamarel's run in its own steps, with a picture of the parting message
    // taken before the display closes.
    void LanceEtGardeAdieu() {
        PhotoAdieu = {};
        Demarre(
            [] {
                if (!OuvreTamarel()) return 1;
                FinConfig(BoucleConfig());
                PhotoAdieu = Ecran();
                FermeTamarel();
                return 0;
            },
            TAMAREL_ARCHIVE);
    }
    void Quitte(int touche) {
        harness::Key(touche);
        ASSERT_TRUE(harness::Healthy());
        ASSERT_TRUE(harness::Finished());
        EXPECT_EQ(harness::ExitCode(), 0);
    }

    ScratchDir dir_;
    Disposition ecran_;
};

}  // namespace

TEST_F(Tamarel, NoFileGivesTheDefaultsFileAndScreenAndEscapeKeepsIt) {
    Lance();
    // Written at start-up, before the teacher does anything.
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierDefaut);
    EXPECT_FALSE(std::filesystem::exists("LCConfig.tmp"));
    AttendCouleur(ecran_.Chiffre(9), 12, "digit 9");
    AttendCouleur(ecran_.Chiffre(0), 13, "digit 0");
    AttendCouleur(ecran_.Chiffre(4), 13, "digit 4");
    AttendCouleur(ecran_.Non(14), 12, "NON of full screen");
    AttendCouleur(ecran_.Oui(14), 13, "OUI of full screen");
    AttendCouleur(ecran_.Non(15), 12, "NON of error messages");
    AttendCouleur(ecran_.Oui(15), 13, "OUI of error messages");
    // Hidden while the screen was drawn, shown for the teacher afterwards.
    EXPECT_TRUE(harness::PointerShown());
    Quitte(KEY_ESCAPE);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierDefaut);
}

TEST_F(Tamarel, DisplayOpensOnTheLayersDefaultsWhateverTheFileSays) {
    const std::string fichier = FichierGenere(640, 480, 4, 1, 0);
    WriteFile("LCConfig.txt", fichier);
    Lance();
    int w = 0, h = 0;
    harness::BackBuffer(&w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    // The file came back, untouched, before the screen was drawn.
    EXPECT_EQ(ReadFile("LCConfig.txt"), fichier);
    EXPECT_FALSE(std::filesystem::exists("LCConfig.tmp"));
    AttendCouleur(ecran_.Chiffre(4), 12, "digit 4");
    AttendCouleur(ecran_.Chiffre(9), 13, "digit 9");
    AttendCouleur(ecran_.Oui(14), 12, "OUI of full screen");
    Quitte(KEY_ESCAPE);
    EXPECT_EQ(ReadFile("LCConfig.txt"), fichier);
}

TEST_F(Tamarel, ClickingFourWhileNineIsChosenSwapsTheirColoursAndSavesFour) {
    Lance();
    Clique(ecran_.Chiffre(4));
    AttendCouleur(ecran_.Chiffre(4), 12, "digit 4");
    AttendCouleur(ecran_.Chiffre(9), 13, "digit 9");
    EXPECT_TRUE(harness::PointerShown());
    // The separators are never redrawn: still colour 13 only.
    EXPECT_GT(Compte(ecran_.Barre(4), 13), 0);
    EXPECT_EQ(Compte(ecran_.Barre(4), 12), 0);
    Quitte(KEY_ENTER);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierGenere(800, 600, 4, 0, 0));
}

TEST_F(Tamarel, ClickingTheChosenDigitChangesNothing) {
    LanceEtGardeAdieu();
    std::vector<uint32_t> avant = Copie(ecran_.Chiffre(9));
    Clique(ecran_.Chiffre(9));
    EXPECT_EQ(Copie(ecran_.Chiffre(9)), avant);
    Quitte(KEY_ENTER);
    // No change: the parting message is in colour 14.
    EXPECT_GT(Compte(ecran_.Adieu(), 14, PhotoAdieu), 0);
    EXPECT_EQ(Compte(ecran_.Adieu(), 13, PhotoAdieu), 0);
}

TEST_F(Tamarel, HoldingTheButtonOnADigitActsOnce) {
    Lance();
    harness::MoveTo(ecran_.Chiffre(4).X(), ecran_.Chiffre(4).Y());
    harness::Press();
    std::vector<uint32_t> quatre = Copie(ecran_.Chiffre(4));
    std::vector<uint32_t> neuf = Copie(ecran_.Chiffre(9));
    AttendCouleur(ecran_.Chiffre(4), 12, "digit 4");
    // Many more passes with the button still down: the digits are not drawn
    // again (a text drawn again over itself thickens its edges).
    harness::Advance(500);
    ASSERT_TRUE(harness::Healthy());
    EXPECT_EQ(Copie(ecran_.Chiffre(4)), quatre);
    EXPECT_EQ(Copie(ecran_.Chiffre(9)), neuf);
    harness::Release();
    Quitte(KEY_ENTER);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierGenere(800, 600, 4, 0, 0));
}

TEST_F(Tamarel, ClicksOutsideTheChoicesAndRightClicksDoNothing) {
    LanceEtGardeAdieu();
    Clique(ecran_.Barre(4));                                              // a " /"
    harness::ClickAt(ecran_.X(100), ecran_.Ligne(0) + ecran_.m.h / 2);    // the label of row 0
    harness::ClickAt(ecran_.X(150), ecran_.Ligne(5) + ecran_.m.h / 2);    // an explanation line
    harness::ClickAt(ecran_.X(390), ecran_.Ligne(12) + ecran_.m.h / 2);   // the width, not editable
    harness::ClickAt(ecran_.X(430), ecran_.Ligne(14) + ecran_.m.h / 2);   // the "/" of row 14
    harness::ClickAt(ecran_.Chiffre(2).X(), ecran_.Chiffre(2).Y(), 2);     // right button on 2
    harness::ClickAt(ecran_.Oui(14).X(), ecran_.Oui(14).Y(), 2);           // right button on OUI
    AttendCouleur(ecran_.Chiffre(9), 12, "digit 9");
    AttendCouleur(ecran_.Chiffre(2), 13, "digit 2");
    AttendCouleur(ecran_.Non(14), 12, "NON of full screen");
    Quitte(KEY_ENTER);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierGenere(800, 600, 9, 0, 0));
    EXPECT_GT(Compte(ecran_.Adieu(), 14, PhotoAdieu), 0);
}

TEST_F(Tamarel, OuiAndNonTurnTheTwoSettingsOnAndOff) {
    WriteFile("LCConfig.txt", FichierGenere(800, 600, 9, 0, 1));
    LanceEtGardeAdieu();
    Clique(ecran_.Oui(14));
    AttendCouleur(ecran_.Oui(14), 12, "OUI of full screen");
    AttendCouleur(ecran_.Non(14), 13, "NON of full screen");
    Clique(ecran_.Non(15));
    AttendCouleur(ecran_.Non(15), 12, "NON of error messages");
    AttendCouleur(ecran_.Oui(15), 13, "OUI of error messages");
    Quitte(KEY_ENTER);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierGenere(800, 600, 9, 1, 0));
    // A choice changed: the parting message is in colour 13.
    EXPECT_GT(Compte(ecran_.Adieu(), 13, PhotoAdieu), 0);
    EXPECT_EQ(Compte(ecran_.Adieu(), 14, PhotoAdieu), 0);
}

TEST_F(Tamarel, OddOnOffValuesShowNonAndAreKeptWhateverIsClicked) {
    WriteFile("LCConfig.txt", "PLEIN_ECRAN=2\nMESSAGE_ERREUR=-1\n");
    Lance();
    AttendCouleur(ecran_.Non(14), 12, "NON of full screen");
    AttendCouleur(ecran_.Non(15), 12, "NON of error messages");
    Clique(ecran_.Oui(14));
    Clique(ecran_.Non(14));
    Clique(ecran_.Oui(15));
    AttendCouleur(ecran_.Oui(14), 13, "OUI of full screen");
    AttendCouleur(ecran_.Oui(15), 13, "OUI of error messages");
    Quitte(KEY_ENTER);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierGenere(800, 600, 9, 2, -1));
}

TEST_F(Tamarel, EscapeAfterAChangeLeavesTheFileAndSaysSoInColour13) {
    const std::string fichier =
        "; written by hand\nRESOLUTION_PREDEFINIE=9\nPLEIN_ECRAN=0\n";
    WriteFile("LCConfig.txt", fichier);
    LanceEtGardeAdieu();
    Clique(ecran_.Chiffre(4));
    Clique(ecran_.Oui(15));
    Quitte(KEY_ESCAPE);
    EXPECT_EQ(ReadFile("LCConfig.txt"), fichier);
    EXPECT_GT(Compte(ecran_.Adieu(), 13, PhotoAdieu), 0);
    EXPECT_EQ(Compte(ecran_.Adieu(), 14, PhotoAdieu), 0);
}

TEST_F(Tamarel, EnterWithoutAChangeRewritesAHandWrittenFileInTheStandardLayout) {
    WriteFile("LCConfig.txt",
              "# salle informatique\n"
              "MESSAGE_ERREUR = 1\n"
              "RESOLUTION_VERTICALE=720\n"
              "\n"
              "RESOLUTION_PREDEFINIE= 6\n"
              "RESOLUTION_HORIZONTALE=1280px\n"
              "PLEIN_ECRAN=OUI\n");
    LanceEtGardeAdieu();
    AttendCouleur(ecran_.Chiffre(6), 12, "digit 6");
    AttendCouleur(ecran_.Non(14), 12, "NON of full screen (\"OUI\" reads as 0)");
    AttendCouleur(ecran_.Oui(15), 12, "OUI of error messages");
    Quitte(KEY_ENTER);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierGenere(1280, 720, 6, 0, 1));
    EXPECT_EQ(FichiersProvisoires(), 0);
    EXPECT_GT(Compte(ecran_.Adieu(), 14, PhotoAdieu), 0);
    EXPECT_EQ(Compte(ecran_.Adieu(), 13, PhotoAdieu), 0);
}

TEST_F(Tamarel, AnyKeyButEscapeSaves) {
    Lance();
    Quitte('a');
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierGenere(800, 600, 9, 0, 0));
}

TEST_F(Tamarel, ACodeOfMinusOneHighlightsNoDigitAndIsSavedBack) {
    WriteFile("LCConfig.txt", FichierGenere(800, 600, -1, 0, 0));
    Lance();
    for (int k = 0; k < 10; k++) AttendCouleur(ecran_.Chiffre(k), 13, "a digit");
    Quitte(KEY_ENTER);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierGenere(800, 600, -1, 0, 0));
}

TEST_F(Tamarel, ACodeOfMinusOneIsReplacedByTheDigitClicked) {
    WriteFile("LCConfig.txt", FichierGenere(800, 600, -1, 0, 0));
    LanceEtGardeAdieu();
    Clique(ecran_.Chiffre(2));
    AttendCouleur(ecran_.Chiffre(2), 12, "digit 2");
    for (int k : {0, 1, 3, 9}) AttendCouleur(ecran_.Chiffre(k), 13, "another digit");
    Quitte(KEY_ENTER);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierGenere(800, 600, 2, 0, 0));
    // The last click drew in colour 12, yet the message says a choice changed.
    EXPECT_GT(Compte(ecran_.Adieu(), 13, PhotoAdieu), 0);
    EXPECT_EQ(Compte(ecran_.Adieu(), 12, PhotoAdieu), 0);
}

TEST_F(Tamarel, AFileHoldingOnlyFullScreenShowsItAndSavesAllFiveLines) {
    WriteFile("LCConfig.txt", "PLEIN_ECRAN=1");
    Lance();
    AttendCouleur(ecran_.Oui(14), 12, "OUI of full screen");
    AttendCouleur(ecran_.Chiffre(9), 12, "digit 9");
    AttendCouleur(ecran_.Non(15), 12, "NON of error messages");
    Quitte(KEY_ENTER);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierGenere(800, 600, 9, 1, 0));
}

TEST_F(Tamarel, ALeftoverTmpFileComesBackAndIsShownAndSaved) {
    WriteFile("LCConfig.tmp", FichierGenere(1024, 768, 5, 1, 1));
    Lance();
    EXPECT_FALSE(std::filesystem::exists("LCConfig.tmp"));
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierGenere(1024, 768, 5, 1, 1));
    AttendCouleur(ecran_.Chiffre(5), 12, "digit 5");
    AttendCouleur(ecran_.Oui(14), 12, "OUI of full screen");
    AttendCouleur(ecran_.Oui(15), 12, "OUI of error messages");
    Clique(ecran_.Chiffre(7));
    Quitte(KEY_ENTER);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierGenere(1024, 768, 7, 1, 1));
}

TEST_F(Tamarel, ALeftoverTmpFileNeverReplacesTheCurrentFile) {
    const std::string courant = FichierGenere(800, 600, 3, 0, 0);
    WriteFile("LCConfig.txt", courant);
    WriteFile("LCConfig.tmp", FichierGenere(1024, 768, 5, 1, 1));
    Lance();
    EXPECT_EQ(ReadFile("LCConfig.txt"), courant);
    AttendCouleur(ecran_.Chiffre(3), 12, "digit 3");
    Quitte(KEY_ESCAPE);
    EXPECT_EQ(ReadFile("LCConfig.txt"), courant);
}

TEST_F(Tamarel, ThePartingMessageStaysOneAndAHalfSecondsOnTheClock) {
    Lance();
    harness::Advance(200);
    uint32_t avant = harness::Now();
    Quitte(KEY_ESCAPE);
    EXPECT_EQ(harness::Now() - avant, 1500u);
}

TEST_F(Tamarel, WorksWithoutItsArchive) {
    Lance(std::string(SOURCE_DIR) + "/no-such-archive.zip");
    Quitte(KEY_ENTER);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierGenere(800, 600, 9, 0, 0));
}

TEST_F(Tamarel, ClosingTheWindowLeavesTheFileAsItWas) {
    const std::string fichier = FichierGenere(800, 600, 3, 0, 0);
    WriteFile("LCConfig.txt", fichier);
    Lance();
    Clique(ecran_.Chiffre(8));
    harness::CloseWindow();
    ASSERT_TRUE(harness::Finished());
    EXPECT_EQ(ReadFile("LCConfig.txt"), fichier);
    EXPECT_FALSE(std::filesystem::exists("LCConfig.tmp"));
    EXPECT_EQ(FichiersProvisoires(), 0);
}

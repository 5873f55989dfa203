// LCConfig.txt as Tamarel reads and writes it, without a display.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

#include <signal.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif
#ifndef _WIN32
#include <sys/wait.h>
#endif
#include <unistd.h>

#include "ecriture.h"
#include "harness.h"
#include "lumicanvas.h"
#include "tamarel.h"
#include "fichiers_attendus.h"
#include "test_support.h"

using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

void LitLesCinq() {
    LitConfig("RESOLUTION_PREDEFINIE");
    LitConfig("RESOLUTION_HORIZONTALE");
    LitConfig("RESOLUTION_VERTICALE");
    LitConfig("PLEIN_ECRAN");
    LitConfig("MESSAGE_ERREUR");
}

// Reads a hand-written file from the defaults.
void LitFichier(const std::string& contenu) {
    WriteFile("LCConfig.txt", contenu);
    ConfigParDefaut();
    LitLesCinq();
}

}  // namespace

TEST(EcritConfig, DefaultsFileHasTheExactBytes) {
    ScratchDir dir;
    ConfigParDefaut();
    ASSERT_EQ(EcritConfig(SignatureCree), 1);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierDefaut);
    // The bytes went through the file beside it, which is gone once renamed.
    EXPECT_EQ(FichiersProvisoires(), 0);
}

TEST(EcritConfig, SavedChoicesKeepTheStandardOrderAndSignature) {
    ScratchDir dir;
    WriteFile("LCConfig.txt", "an older file, longer than the new one, that must not leave a tail\n"
                              "an older file, longer than the new one, that must not leave a tail\n"
                              "an older file, longer than the new one, that must not leave a tail\n");
    ResolutionHorizontale = 1920;
    ResolutionVerticale = 1080;
    ResolutionPredefinie = -1;
    PleinEcran = 1;
    MessageErreur = 7;
    ASSERT_EQ(EcritConfig(SignatureGenere), 1);
    EXPECT_EQ(ReadFile("LCConfig.txt"),
              "RESOLUTION_HORIZONTALE=1920\n"
              "RESOLUTION_VERTICALE=1080\n"
              "RESOLUTION_PREDEFINIE=-1\n"
              "PLEIN_ECRAN=1\n"
              "MESSAGE_ERREUR=7\n"
              "\n"
              "--> Fichier g\xE9n\xE9r\xE9 par 'Tamarel.exe'");
}

TEST(EcritConfig, ExtremeValuesAreWrittenWhole) {
    ScratchDir dir;
    ConfigParDefaut();
    ResolutionHorizontale = INT_MIN;
    ResolutionVerticale = INT_MAX;
    ASSERT_EQ(EcritConfig(SignatureGenere), 1);
    std::string f = ReadFile("LCConfig.txt");
    EXPECT_NE(f.find("RESOLUTION_HORIZONTALE=-2147483648\n"), std::string::npos) << f;
    EXPECT_NE(f.find("RESOLUTION_VERTICALE=2147483647\n"), std::string::npos) << f;
}

TEST(EcritConfig, GetDataValueReadsBackEveryKey) {
    ScratchDir dir;
    ResolutionHorizontale = 1366;
    ResolutionVerticale = 768;
    ResolutionPredefinie = 0;
    PleinEcran = 1;
    MessageErreur = -3;
    ASSERT_EQ(EcritConfig(SignatureGenere), 1);
    const struct {
        const char* cle;
        const char* attendu;
    } cas[] = {{"RESOLUTION_HORIZONTALE", "1366"}, {"RESOLUTION_VERTICALE", "768"},
               {"RESOLUTION_PREDEFINIE", "0"},      {"PLEIN_ECRAN", "1"},
               {"MESSAGE_ERREUR", "-3"}};
    for (const auto& c : cas) {
        const char* texte = nullptr;
        EXPECT_EQ(GetDataValue("LCConfig.txt", c.cle, &texte), 1) << c.cle;
        ASSERT_NE(texte, nullptr) << c.cle;
        EXPECT_STREQ(texte, c.attendu) << c.cle;
    }
    // And Tamarel's own reading gives the same five settings.
    ConfigParDefaut();
    LitLesCinq();
    EXPECT_EQ(ResolutionHorizontale, 1366);
    EXPECT_EQ(ResolutionVerticale, 768);
    EXPECT_EQ(ResolutionPredefinie, 0);
    EXPECT_EQ(PleinEcran, 1);
    EXPECT_EQ(MessageErreur, -3);
}

namespace {

// A failed save tells the teacher in a box; the run goes through the harness,
// which records the box instead of waiting for a click on it.
int EcritSousHarnais() {
    static int resultat;
    resultat = -1;
    harness::Start([] { return resultat = EcritConfig(SignatureGenere); });
    EXPECT_TRUE(harness::Finished());
    harness::Stop();
    return resultat;
}

bool UnMessageParle(const char* mot) {
    for (const std::string& m : harness::Messages()) {
        if (m.find(mot) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

TEST(EcritConfig, AWriteCutShortKeepsThePreviousFile) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: child processes (fork) or a file size limit (setrlimit)";
#else
    ScratchDir dir;
    WriteFile("LCConfig.txt", FichierDefaut);
    ConfigParDefaut();
    ResolutionPredefinie = 4;
    // Files may not grow past 40 bytes, as on a disk that fills up in the
    // middle of the save.
    int resultat = test_support::AvecTailleLimitee(40, [] { return EcritSousHarnais(); });

    EXPECT_EQ(resultat, 0);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierDefaut);
    EXPECT_EQ(FichiersProvisoires(), 0);
    EXPECT_TRUE(UnMessageParle("LCConfig.txt"));
#endif
}

namespace {

// Something else stands at every temporary name the save tries.
void OccupeLeNom(EtapeEcriture etape, const std::string& chemin) {
    if (etape == EtapeEcriture::Creation) std::filesystem::create_directory(chemin);
}

}  // namespace

TEST(EcritConfig, AFileBesideThatCannotBeCreatedKeepsThePreviousFile) {
    ScratchDir dir;
    WriteFile("LCConfig.txt", FichierDefaut);
    ConfigParDefaut();
    PleinEcran = 1;
    CrochetEtapeEcriture = OccupeLeNom;
    const int resultat = EcritSousHarnais();
    CrochetEtapeEcriture = nullptr;
    EXPECT_EQ(resultat, 0);
    EXPECT_EQ(ReadFile("LCConfig.txt"), FichierDefaut);
    EXPECT_TRUE(UnMessageParle("LCConfig.txt"));
}

TEST(EcritConfig, TwoToolsSavingAtOnceBothSucceedAndTheLastChoiceStays) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: child processes (fork) or a file size limit (setrlimit)";
#else
    ScratchDir dir;
    WriteFile("LCConfig.txt", FichierDefaut);
    pid_t tamarels[2];
    for (int k = 0; k < 2; ++k) {
        tamarels[k] = fork();
        if (tamarels[k] != 0) continue;
        ConfigParDefaut();
        ResolutionHorizontale = 1000 + k;
        int reussies = 0;
        for (int n = 0; n < 40; ++n) reussies += EcritConfig(SignatureGenere);
        _exit(reussies == 40 ? 0 : 1);
    }
    for (pid_t t : tamarels) {
        int statut = 0;
        waitpid(t, &statut, 0);
        EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0) << "a save reported a failure";
    }
    const std::string f = ReadFile("LCConfig.txt");
    EXPECT_TRUE(f == FichierGenere(1000, 600, 9, 0, 0) || f == FichierGenere(1001, 600, 9, 0, 0)) << f;
    EXPECT_EQ(FichiersProvisoires(), 0);
#endif
}

TEST(LitConfig, HandWrittenFileWithOtherLinesOrderAndSpaces) {
    ScratchDir dir;
    LitFichier(
        "; display of the classroom computer\n"
        "MESSAGE_ERREUR=1\n"
        "\n"
        "PLEIN_ECRAN = OUI\n"
        "RESOLUTION_VERTICALE=  720\n"
        "COULEURS=32\n"
        "RESOLUTION_HORIZONTALE=800px\n"
        "RESOLUTION_PREDEFINIE=-1\n"
        "--> Fichier g\xE9n\xE9r\xE9 par 'Tamarel.exe'");
    EXPECT_EQ(ResolutionPredefinie, -1);
    EXPECT_EQ(ResolutionHorizontale, 800);  // "800px": the number before the letters
    EXPECT_EQ(ResolutionVerticale, 720);    // spaces before the number skipped
    EXPECT_EQ(PleinEcran, 0);               // "OUI" is not a number
    EXPECT_EQ(MessageErreur, 1);
}

TEST(LitConfig, MissingKeysKeepTheirValue) {
    ScratchDir dir;
    LitFichier("PLEIN_ECRAN=1");
    EXPECT_EQ(PleinEcran, 1);
    EXPECT_EQ(ResolutionHorizontale, 800);
    EXPECT_EQ(ResolutionVerticale, 600);
    EXPECT_EQ(ResolutionPredefinie, 9);
    EXPECT_EQ(MessageErreur, 0);
}

TEST(LitConfig, NoFileChangesNothing) {
    ScratchDir dir;
    ResolutionHorizontale = 1;
    ResolutionVerticale = 2;
    ResolutionPredefinie = 3;
    PleinEcran = 4;
    MessageErreur = 5;
    LitLesCinq();
    EXPECT_EQ(ResolutionHorizontale, 1);
    EXPECT_EQ(ResolutionVerticale, 2);
    EXPECT_EQ(ResolutionPredefinie, 3);
    EXPECT_EQ(PleinEcran, 4);
    EXPECT_EQ(MessageErreur, 5);
}

// As the game reads them: a value beyond an int is no size the game uses,
// so Tamarel shows the default the game applies.
TEST(LitConfig, NumbersAreReadAsTheGameReadsThem) {
    ScratchDir dir;
    LitFichier(
        "RESOLUTION_HORIZONTALE=99999999999999999999\n"
        "RESOLUTION_VERTICALE=-99999999999\n"
        "RESOLUTION_PREDEFINIE=+4 (1024 x 768)\n"
        "PLEIN_ECRAN=\n"
        "MESSAGE_ERREUR=1.9\n");
    EXPECT_EQ(ResolutionHorizontale, 800);
    EXPECT_EQ(ResolutionVerticale, 600);
    EXPECT_EQ(ResolutionPredefinie, 4);
    EXPECT_EQ(PleinEcran, 0);
    EXPECT_EQ(MessageErreur, 1);
}

TEST(LitConfig, EachKeyIsReadOnItsOwnAndUnknownKeysChangeNothing) {
    ScratchDir dir;
    WriteFile("LCConfig.txt", "RESOLUTION_PREDEFINIE=2\nPLEIN_ECRAN=1\n");
    ConfigParDefaut();
    LitConfig("RESOLUTION_PREDEFINIE");
    EXPECT_EQ(ResolutionPredefinie, 2);
    EXPECT_EQ(PleinEcran, 0);  // not read yet
    LitConfig("COULEURS");
    LitConfig("resolution_predefinie");
    EXPECT_EQ(ResolutionPredefinie, 2);
    EXPECT_EQ(PleinEcran, 0);
    // The file's existence is asked anew for each key.
    std::filesystem::remove("LCConfig.txt");
    LitConfig("PLEIN_ECRAN");
    EXPECT_EQ(PleinEcran, 0);
}

// What Tamarel shows the teacher is what the game's display applies: for
// each file, the size the game opens equals the size Tamarel's code and
// dimensions name, whatever is odd in the file.
TEST(LitConfig, TamarelShowsWhatTheGameOpens) {
    struct Taille {
        int w, h;
    };
    const Taille standard[] = {{0, 0},     {320, 200},   {640, 480},   {800, 600}, {1024, 768},
                               {1400, 1050}, {1280, 1024}, {1600, 1200}, {2048, 1536}};
    const char* fichiers[] = {
        "RESOLUTION_PREDEFINIE=abc\n",
        "RESOLUTION_PREDEFINIE=2\n",
        "RESOLUTION_PREDEFINIE= 4 \r\n",
        "RESOLUTION_PREDEFINIE=99999999999\n",
        "RESOLUTION_PREDEFINIE=9\nRESOLUTION_HORIZONTALE=640\nRESOLUTION_VERTICALE=xyz\n",
        "\xEF\xBB\xBFRESOLUTION_PREDEFINIE=9\nRESOLUTION_HORIZONTALE=700\nRESOLUTION_VERTICALE=500\n",
    };
    for (const char* contenu : fichiers) {
        ScratchDir dir;
        LitFichier(contenu);
        ASSERT_GE(ResolutionPredefinie, 1) << contenu;
        ASSERT_LE(ResolutionPredefinie, 9) << contenu;
        const Taille montree = ResolutionPredefinie == 9 ? Taille{ResolutionHorizontale, ResolutionVerticale}
                                                         : standard[ResolutionPredefinie];
        ASSERT_EQ(InitGraph(4, 1, 0), 1) << GetMediaError();
        EXPECT_EQ(GetMaxX() + 1, montree.w) << contenu;
        EXPECT_EQ(GetMaxY() + 1, montree.h) << contenu;
        CloseGraph();
    }
}

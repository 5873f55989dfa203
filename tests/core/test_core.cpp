// The core library's readers on their own, without a display: the class
// settings, the pupil list, the quiz's lines, LCConfig.txt, the bounded
// whole-file read and the resolution of media names.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "classe.h"
#include "lcconfig.h"
#include "lecture.h"
#include "lecture_quizz.h"
#include "medias.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test_support::ScratchDir;
using test_support::WriteFile;

std::string Reglages(const std::string& questions, const std::string& temps = "30") {
    return "Mon quiz\nLe th\xE8me\nCE1\n1\n" + questions + "\n5\n3\n" + temps + "\n";
}

TEST(Reglages, NumbersAreReadBoundedAndWhole) {
    const struct {
        std::string octets;
        bool accepte;
        int questions;
        const char* dans_raison;
    } cas[] = {
        {Reglages("12"), true, 12, ""},
        {Reglages(" 7\r"), true, 7, ""},
        {Reglages("99999999999"), false, 0, "ligne 5 : un nombre de 1 à 3 chiffres"},
        {Reglages("1\0 4"s), false, 0, "ligne 5 : un nombre de 1 à 3 chiffres"},
        {Reglages("-3"), false, 0, "ligne 5"},
        {Reglages("61"), false, 0, "le nombre de questions vaut 61"},
        {Reglages("10", "999"), false, 0, "vaut 999, il doit aller de 1 à 360"},
        {"Mon quiz\nTh\n", false, 0, "s'arrête à la ligne 2"},
        {"", false, 0, "est vide"},
        {"Titre\nTh\nCE1\nx\n", false, 0, "ligne 4 : un nombre"},
    };
    for (const auto& c : cas) {
        FicheReglages r;
        std::string raison;
        EXPECT_EQ(AnalyseReglages(c.octets, "infos_jeu_DEMO", r, raison), c.accepte) << c.octets;
        if (c.accepte) {
            EXPECT_EQ(r.questions, c.questions) << c.octets;
        } else {
            EXPECT_NE(raison.find(c.dans_raison), std::string::npos) << raison;
            EXPECT_NE(raison.find("infos_jeu_DEMO"), std::string::npos) << raison;
        }
    }
    FicheReglages r;
    std::string raison;
    ASSERT_TRUE(AnalyseReglages(std::string(60, 'x') + "\nT\nC\n0\n3\n1\n2\n9", "f", r, raison));
    EXPECT_EQ(r.questionnaire, std::string(REGLAGE_TEXTE_MAX, 'x'));  // cut, the rest dropped
    EXPECT_EQ(r.saisie, 0);
    EXPECT_EQ(r.temps, 9);
}

TEST(Liste, CountAndLinesAreBounded) {
    const struct {
        std::string octets;
        int eleves;  // -1: refused
        const char* dans_raison;
    } cas[] = {
        {"2\nDUPONT\nAnne\nCM1\nMARTIN\nLeo\nCM2\n", 2, ""},
        {"1\r\nA\r\nB\r\nC", 1, ""},
        {"2147483648\nA\nB\nC\n", -1, "de 1 à 60"},
        {"1\0 4\nA\nB\nC\n"s, -1, "de 1 à 60"},
        {"61\n", -1, "de 1 à 60"},
        {"2\nA\nB\nC\nD\n", -1, "s'arrête à la ligne 5"},
        {"1\n" + std::string(29, 'N') + "\nB\nC\n", -1, "ligne 2 : trop longue"},
        {"", -1, "de 1 à 60"},
        // Saved in UTF-8, with or without a byte-order mark, or refused with the way to save it.
        {"\xEF\xBB\xBF" "1\nL\xC3\x89ON\nZo\xC3\xA9\nCE1\n", 1, ""},
        {"1\nL\xC3\x89ON\nZo\xC3\xA9\nCE1\n", 1, ""},
        {"1\nL\xC3\x89ON\nZo\xE9\nCE1\n", -1, "ligne 3, colonne 3 : l'octet 0xE9 n'est pas de l'UTF-8"},
        {"1\nL\xC3\x89ON\nZo\xE2\x98\xBA\nCE1\n", -1, "ligne 3, colonne 3 : \xC2\xAB \xE2\x98\xBA \xC2\xBB n'existe pas"},
    };
    for (const auto& c : cas) {
        std::vector<FicheListe> eleves;
        std::string raison;
        const bool lu = AnalyseListe(c.octets, "infos_quizz_DEMO", eleves, raison);
        EXPECT_EQ(lu ? static_cast<int>(eleves.size()) : -1, c.eleves) << c.octets;
        if (!lu) {
            EXPECT_NE(raison.find(c.dans_raison), std::string::npos) << raison;
        }
    }
    std::vector<FicheListe> eleves;
    std::string raison;
    ASSERT_TRUE(AnalyseListe("1\nDUPONT\nAnne\nCM1\n", "f", eleves, raison));
    EXPECT_EQ(eleves[0].prenom, "Anne");
    EXPECT_EQ(eleves[0].classe, "CM1");
    // The game reads Windows-1252 whatever encoding the list was saved in.
    ASSERT_TRUE(AnalyseListe("\xEF\xBB\xBF" "1\nL\xC3\x89ON\nZo\xC3\xA9\nCE1\n", "f", eleves, raison));
    EXPECT_EQ(eleves[0].nom, "L\xC9ON");
    EXPECT_EQ(eleves[0].prenom, "Zo\xE9");
    FicheReglages r;
    ASSERT_TRUE(AnalyseReglages("\xEF\xBB\xBF" "Mon quiz\nLe th\xC3\xA8me\nCE1\n1\n3\n5\n3\n30\n", "f", r, raison)) << raison;
    EXPECT_EQ(r.questionnaire, "Mon quiz");
    EXPECT_EQ(r.theme, "Le th\xE8me");
}

TEST(LignesQuizz, ReportWhatWasMendedAndStopWhereAsked) {
    const std::vector<LigneQuizzLue> l = LignesQuizz(std::string(300, 'a') + "\nb\0c\r\nd"s, 10);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0].anomalies, LIGNE_COUPEE);
    EXPECT_EQ(l[0].texte.size(), static_cast<std::size_t>(LIGNE_QUIZZ_MAX));
    EXPECT_EQ(l[1].anomalies, LIGNE_NUL);
    EXPECT_EQ(l[1].texte, "bc");
    EXPECT_EQ(l[2].texte, "d");
    EXPECT_EQ(LignesQuizz("a\nb\nc\n", 2).size(), 2u);

    std::string brouille = "Titre\n";
    BrouilleQuizz(brouille);
    EXPECT_EQ(static_cast<unsigned char>(brouille[0]), 'T' ^ CLE_QUIZZ);
}

TEST(Config, ValuesMeanTheSameToEveryReader) {
    const struct {
        const char* ligne;
        int attendu;         // RESOLUTION_PREDEFINIE after reading (default 9)
        bool signale;        // reported as unusable
    } cas[] = {
        {"RESOLUTION_PREDEFINIE=4", 4, false},
        {"RESOLUTION_PREDEFINIE =  +3px\r", 3, false},
        {"RESOLUTION_PREDEFINIE=abc", 9, true},
        {"RESOLUTION_PREDEFINIE=99999999999", 9, true},
        {"RESOLUTION_PREDEFINIE=-2147483649", 9, true},
        {"\xEF\xBB\xBFRESOLUTION_PREDEFINIE=2", 2, false},
        {"RESOLUTION_PREDEFINIEX=2", 9, false},
        {"", 9, false},
    };
    for (const auto& c : cas) {
        const ConfigAffichage a = AnalyseConfig(std::string(c.ligne) + "\nPLEIN_ECRAN=1\n");
        EXPECT_EQ(a.code, c.attendu) << c.ligne;
        EXPECT_EQ(a.plein_ecran, 1) << c.ligne;
        EXPECT_EQ(a.problemes.find("RESOLUTION_PREDEFINIE") != std::string::npos, c.signale) << c.ligne;
    }
}

// Only regular files, whole, within their limit; never a hang on a FIFO,
// never an endless read of a device, never a huge allocation.
TEST(LitFichierBorne, RefusesWhatIsNoRegularFileOrTooBig) {
    ScratchDir dossier;
    WriteFile("petit", "PLEIN_ECRAN=1\n");
#ifndef _WIN32
    ASSERT_EQ(::mkfifo("fifo", 0600), 0);
    fs::create_symlink("/dev/zero", "zero");
#endif
    fs::create_directory("dossier");
    { WriteFile("enorme", ""); }
    fs::resize_file("enorme", 3ull * 1024 * 1024 * 1024);  // sparse
    const struct {
        const char* nom;
        std::size_t limite;
        EchecLecture echec;
    } cas[] = {
        {"petit", LIMITE_CONFIG, EchecLecture::Aucun},
        {"petit", 4, EchecLecture::TropGrand},
        {"fifo", LIMITE_CONFIG, EchecLecture::PasFichier},
        {"zero", LIMITE_QUIZZ, EchecLecture::PasFichier},
        {"dossier", LIMITE_LISTE, EchecLecture::PasFichier},
        {"enorme", LIMITE_QUIZZ, EchecLecture::TropGrand},
        {"absent", LIMITE_REGLAGES, EchecLecture::Absent},
    };
    for (const auto& c : cas) {
#ifdef _WIN32
        if (c.nom == std::string("fifo") || c.nom == std::string("zero")) continue;  // no FIFO, no /dev
#endif
        std::string octets = "avant";
        const ResultatLecture r = LitFichierBorne(c.nom, c.limite, octets);
        EXPECT_EQ(r.echec, c.echec) << c.nom;
        if (r) continue;
        EXPECT_TRUE(octets.empty()) << c.nom;
        EXPECT_NE(r.message.find(c.nom), std::string::npos) << r.message;
    }
#ifndef _WIN32
    // A file whose size the system tells as 0 is still read whole, and still
    // refused past its limit.
    std::string etat;
    EXPECT_TRUE(LitFichierBorne("/proc/self/status", LIMITE_CONFIG, etat));
    EXPECT_NE(etat.find("VmRSS"), std::string::npos) << etat;
    EXPECT_EQ(LitFichierBorne("/proc/self/status", 64, etat).echec, EchecLecture::TropGrand);
    // Every reader goes through it: LCConfig.txt as a FIFO gives the defaults at once.
    const ConfigAffichage a = LitFichierConfig("fifo");
    EXPECT_EQ(a.code, 9);
    EXPECT_NE(a.problemes.find("fifo"), std::string::npos) << a.problemes;
#endif
}

TEST(Medias, NamesResolveOnlyInsideTheirFolder) {
    ScratchDir dossier;
    WriteFile("InfosQuizz/questions/images/chat.png", "png");
    WriteFile("InfosQuizz/questions/images/sous/chien.png", "png");
    WriteFile(fs::path(u8"InfosQuizz/questions/images/\u00e9t\u00e9.png"), "png");  // "été.png"
    WriteFile("InfosQuizz/infos/secret.png", "png");
    WriteFile("ailleurs.png", "png");
    const bool liens = test_support::LinksPossible();
    if (liens) {
        fs::create_symlink(fs::absolute("ailleurs.png"), "InfosQuizz/questions/images/lien.png");
        fs::create_symlink("chat.png", "InfosQuizz/questions/images/alias.png");
    }
    const struct {
        std::string nom;
        EtatMedia etat;
    } cas[] = {
        {"chat.png", EtatMedia::Trouve},
        {"sous/chien.png", EtatMedia::Trouve},
        {"alias.png", EtatMedia::Trouve},
        {"\xE9t\xE9.png", EtatMedia::Trouve},  // Windows-1252 name, UTF-8 file
        {"absent.png", EtatMedia::Absent},
        {"sous", EtatMedia::Absent},
        {"", EtatMedia::Absent},
        {"../../infos/secret.png", EtatMedia::Refuse},
        {"sous/../../../infos/secret.png", EtatMedia::Refuse},
        {"..\\..\\infos\\secret.png", EtatMedia::Refuse},
        {fs::absolute("ailleurs.png").string(), EtatMedia::Refuse},
        {"lien.png", EtatMedia::Refuse},
        {"C:secret.png", EtatMedia::Refuse},
    };
    for (const auto& c : cas) {
        if (!liens && (c.nom == "alias.png" || c.nom == "lien.png")) continue;
        const MediaResolu m = ResoutMedia("InfosQuizz", "images", c.nom);
        EXPECT_EQ(m.etat, c.etat) << c.nom;
        if (m.etat == EtatMedia::Refuse) {
            EXPECT_TRUE(m.chemin.empty()) << c.nom;
            EXPECT_FALSE(m.raison.empty()) << c.nom;
        }
    }
}

}  // namespace

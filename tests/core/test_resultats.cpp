// The results file and the answers file beside it, on their own: its bytes, its reading back (damaged and
// absurd files included) and the one-to-one mapping of names to file names.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "lecture.h"
#include "reponses.h"
#include "resultats.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using test_support::ScratchDir;
using test_support::WriteFile;

TEST(FichierResultats, BytesAtCreationAndAfterQuestions) {
    struct Cas {
        std::int64_t bonnes, mauvaises, secondes;
        const char* attendu;
    };
    const Cas cas[] = {
        {9, 3, 83, "B\xC9RANGER\nL\xE9" "a\nDEMO\n09\n03\n0083\n"},
        {0, 1, 30, "B\xC9RANGER\nL\xE9" "a\nDEMO\n00\n01\n0030\n"},
        {60, 0, 21600, "B\xC9RANGER\nL\xE9" "a\nDEMO\n60\n00\n21600\n"},
    };
    FicheResultats f{"B\xC9RANGER", "L\xE9" "a", "DEMO"};
    EXPECT_EQ(TexteDepart(f), "B\xC9RANGER\nL\xE9" "a\nDEMO\n0\n0\n9999\n");
    for (const Cas& c : cas) {
        f.bonnes = c.bonnes;
        f.mauvaises = c.mauvaises;
        f.secondes = c.secondes;
        EXPECT_EQ(TexteResultats(f), c.attendu);
    }
}

TEST(FichierResultats, ReaderOnGoodDamagedAndAbsurdFiles) {
    struct Cas {
        std::string octets;
        bool lu;
        int ligne;
        std::int64_t bonnes, mauvaises, secondes;
    };
    const Cas cas[] = {
        {"A\nB\nDEMO\n09\n01\n0083\n", true, 0, 9, 1, 83},
        {"A\r\nB\r\nDEMO\r\n10\r\n04\r\n0200\r\n", true, 0, 10, 4, 200},
        {"A\nB\nDEMO\n0\n0\n9999", true, 0, 0, 0, 9999},           // no last line feed
        {"A\nB\nDEMO\n1\n2\n3\nplus\n", true, 0, 1, 2, 3},          // a seventh line is ignored
        {"A\nB\nDEMO\n2147484\n0\n10\n", true, 0, 2147484, 0, 10},  // beyond an int percentage
        {"A\nB\nDEMO\n" + std::string(600, '9') + "\n0\n1\n", true, 0, COMPTE_MAX, 0, 1},
        {"", false, 0, 0, 0, 0},
        {"A\nB\nDEMO\n", false, 3, 0, 0, 0},
        {"A\nB\nDEMO\nabc\n00\n0010\n", false, 4, 0, 0, 0},
        {"A\nB\nDEMO\n01\n-1\n0010\n", false, 5, 0, 0, 0},
        {"A\nB\nDEMO\n01\n00\n 10\n", false, 6, 0, 0, 0},
        {std::string("A\nB\nDEMO\n01\n0\0 1\n10\n", 20), false, 5, 0, 0, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.octets.substr(0, 40));
        FicheResultats f;
        const LectureResultats r = AnalyseResultats(c.octets, f);
        EXPECT_EQ(static_cast<bool>(r), c.lu) << r.raison;
        EXPECT_EQ(r.ligne, c.ligne);
        EXPECT_EQ(r.raison.empty(), c.lu);
        if (!c.lu) continue;
        EXPECT_EQ(f.nom, "A");
        EXPECT_EQ(f.classe, "DEMO");
        EXPECT_EQ(f.bonnes, c.bonnes);
        EXPECT_EQ(f.mauvaises, c.mauvaises);
        EXPECT_EQ(f.secondes, c.secondes);
    }
    ScratchDir dossier;
    WriteFile("gros.txt", "A\nB\nDEMO\n1\n1\n" + std::string(LIMITE_RESULTATS, '1') + "\n");
    FicheResultats f;
    const LectureResultats r = LitResultats("gros.txt", f);
    EXPECT_FALSE(r);
    EXPECT_NE(r.raison.find("gros.txt"), std::string::npos) << r.raison;
}

TEST(FichierResultats, FileNamesAreOneToOneAndOrdinaryNamesKeepTheirName) {
    struct Cas {
        const char* nom;
        const char* prenom;
        const char* fichier;
    };
    const Cas cas[] = {
        // Ordinary names: the names files already have.
        {"MARTIN", "Julie", "MARTIN_Julie.txt"},
        {"B\xC9RANGER", "L\xE9" "a\x9C", "B\xC3\x89RANGER_L\xC3\xA9" "a\xC5\x93.txt"},
        {"DE LA FONTAINE", "Jean-No\xEBl", "DE LA FONTAINE_Jean-No\xC3\xABl.txt"},
        {"O'NEIL", "J.", "O'NEIL_J..txt"},
        {"\x80", "2", "\xE2\x82\xAC_2.txt"},
        // Pairs that once shared a file.
        {"x_1", "2", "x%5F1_2.txt"},
        {"x", "1_2", "x_1%5F2.txt"},
        {".bob", "al", "%2Ebob_al.txt"},
        {"_bob", "al", "%5Fbob_al.txt"},
        {"", "", "___.txt"},
        {"_", "", "%5F__.txt"},
        // What would leave the folder or that file systems refuse.
        {"../../x", "..\\y:z", "%2E.%2F..%2Fx_%2E.%5Cy%3Az.txt"},
        {"a/b\\c\td\xE9*?\"<>|\x7F\x81", "%", "a%2Fb%5Cc%09d\xC3\xA9%2A%3F%22%3C%3E%7C%7F%81_%25.txt"},
        // Names Windows takes for devices, and names that only look like them.
        {"NUL.x", "y", "%4EUL.x_y.txt"},
        {"com1 .a", "b", "%63om1 .a_b.txt"},
        {"Aux", "", "Aux__.txt"},
        {"CON.", "", "%43ON.__.txt"},
        {"COMA.b", "", "COMA.b__.txt"},
    };
    for (const Cas& c : cas) EXPECT_EQ(NomFichierResultats(c.nom, c.prenom), c.fichier) << c.nom;

    // Every pair of names of up to two characters taken among the troublesome
    // ones has its own file name, which stays inside its folder.
    const std::string alphabet = std::string("a1_%./\\:\x81\xE9 ", 11) + '\0';
    std::vector<std::string> noms = {""};
    for (char x : alphabet) {
        noms.push_back(std::string(1, x));
        for (char y : alphabet) noms.push_back(std::string(1, x) + y);
    }
    std::set<std::string> fichiers;
    for (const std::string& n : noms) {
        for (const std::string& p : noms) {
            const std::string f = NomFichierResultats(n, p);
            EXPECT_EQ(f.find_first_of(std::string("/\\\0", 3)), std::string::npos) << f;
            EXPECT_NE(f[0], '.') << f;
            fichiers.insert(f);
        }
    }
    EXPECT_EQ(fichiers.size(), noms.size() * noms.size());
    const struct {
        const char* classe;
        const char* dossier;
    } classes[] = {{"..", "%2E%2E"}, {"CM1 ", "CM1%20"}, {"nul", "%6Eul"}, {"LPT9.a", "%4CPT9.a"}, {"C.P.", "C.P%2E"}};
    for (const auto& c : classes)
        EXPECT_EQ(CheminResultats(".//InfosQuizz//", {"A_", "B", c.classe}),
                  std::string(".//InfosQuizz//joueurs//") + c.dossier + "//A%5F_B.txt");
}

// The answers file: written, read back the same, and every damaged or
// impossible file refused with its line.
TEST(FichierReponses, WrittenThenReadBackAndDamagedFilesRefusedWithTheirLine) {
    FicheReponses f{"Les anim\xE9" "aux", "08/12/2026 09:41:05", {}};
    f.reponses.push_back({7, 3, true, 5, MediaQuestion::Ouvert});
    f.reponses.push_back({2, 0, false, 30, MediaQuestion::Aucun});
    f.reponses.push_back({60, 1, false, 0, MediaQuestion::NonOuvert});
    const std::string entete = "Questionnaire : Les anim\xE9" "aux\nD\xE9" "but : 08/12/2026 09:41:05\n";
    const std::string texte = TexteReponses(f);
    ASSERT_EQ(texte, entete +
                         "question 7 : r\xE9ponse 3, juste, 5 s, m\xE9" "dia ouvert\n"
                         "question 2 : aucune r\xE9ponse, fausse, 30 s, sans m\xE9" "dia\n"
                         "question 60 : r\xE9ponse 1, fausse, 0 s, m\xE9" "dia non ouvert\n");
    FicheReponses lue;
    ASSERT_TRUE(AnalyseReponses(texte, lue));
    ASSERT_EQ(lue.reponses.size(), 3u);
    EXPECT_EQ(lue.titre, f.titre);
    EXPECT_EQ(lue.debut, f.debut);
    EXPECT_EQ(lue.reponses[0].question, 7);
    EXPECT_EQ(lue.reponses[1].choix, 0);
    EXPECT_EQ(lue.reponses[2].media, MediaQuestion::NonOuvert);
    EXPECT_EQ(lue.reponses[2].ligne, 5);
    // A title with line ends stays on its line.
    EXPECT_EQ(TexteReponses({"A\r\nB", "08/12/2026 09:41:05", {}}).rfind("Questionnaire : A  B\nD", 0), 0u);
    // A pupil who left before his first answer, CR LF line ends, a blank line.
    EXPECT_TRUE(AnalyseReponses(entete, lue));
    EXPECT_TRUE(lue.reponses.empty());
    EXPECT_TRUE(AnalyseReponses("Questionnaire : X\r\nD\xE9" "but : 01/01/2027 00:00:00\r\n\r\n"
                                "question 1 : r\xE9ponse 4, juste, 360 s, sans m\xE9" "dia\r\n", lue));

    const std::string q1 = "question 1 : r\xE9ponse 2, fausse, 4 s, sans m\xE9" "dia\n";
    const struct {
        std::string octets;
        int ligne;
    } mauvais[] = {
        {"", 0},
        {texte.substr(0, texte.size() - 9), 0},  // cut in its last line
        {"Questionnaire : X\n", 1},
        {"Titre : X\n" + entete.substr(entete.find('\n') + 1), 1},
        {"Questionnaire : X\nD\xE9" "but : 32/01/2026 09:41:05\n", 2},
        {entete + q1 + "question 61 : r\xE9ponse 2, fausse, 4 s, sans m\xE9" "dia\n", 4},
        {entete + "question 0 : r\xE9ponse 2, fausse, 4 s, sans m\xE9" "dia\n", 3},
        {entete + "question 3 : r\xE9ponse 5, fausse, 4 s, sans m\xE9" "dia\n", 3},
        {entete + "question 3 : aucune r\xE9ponse, juste, 4 s, sans m\xE9" "dia\n", 3},
        {entete + "question 3 : r\xE9ponse 1, vraie, 4 s, sans m\xE9" "dia\n", 3},
        {entete + q1 + "question 3 : r\xE9ponse 1, juste, 361 s, sans m\xE9" "dia\n", 4},
        {entete + "question 3 : r\xE9ponse 1, juste, -4 s, sans m\xE9" "dia\n", 3},
        {entete + "question 3 : r\xE9ponse 1, juste, 4 s\n", 3},
        {entete + "question 3 : r\xE9ponse 1, juste, 4 s, film vu\n", 3},
        {entete + q1 + q1, 4},  // the same question twice
        {entete + "n'importe quoi\n", 3},
    };
    for (const auto& m : mauvais) {
        FicheReponses garde = f;
        const LectureReponses r = AnalyseReponses(m.octets, garde);
        EXPECT_FALSE(r) << m.octets;
        EXPECT_EQ(r.ligne, m.ligne) << m.octets << r.raison;
        EXPECT_FALSE(r.raison.empty());
        EXPECT_EQ(garde.titre, f.titre);  // the record is left as it was
    }
    ScratchDir dossier;
    const LectureReponses absent = LitReponses("absent.txt", lue);
    EXPECT_FALSE(absent);
    EXPECT_TRUE(absent.absent);
    WriteFile("grand.txt", std::string(LIMITE_REPONSES + 1, 'x'));
    EXPECT_FALSE(LitReponses("grand.txt", lue).absent);
    EXPECT_EQ(CheminReponses(".//InfosQuizz//", {"A_B", "C", "DEMO"}),
              ".//InfosQuizz//joueurs//DEMO//reponses//A%5FB_C.txt");
}

}  // namespace

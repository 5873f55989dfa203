// The quiz file: scrambling, the line roles, the splitting of question and
// answer lines, hostile files, the check made before a pupil starts, the
// quiz_encode tool and the demo's committed quiz file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "etat.h"
#include "fichier_quizz.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

const char* const QUIZ = "InfosQuizz/questions/vorlines_DEMO";

std::string Brouille(std::string texte) {
    BrouilleQuizz(reinterpret_cast<unsigned char*>(texte.data()), texte.size());
    return texte;
}

// A seven-line block whose fields name the question number.
std::string Bloc(int q, const std::string& bonne = "1") {
    const std::string n = std::to_string(q);
    return "Question " + n + "\nR1-" + n + "\nR2-" + n + "\nR3-" + n + "\nR4-" + n + "\n" + bonne +
           "\n--\n";
}

std::string Entete() { return "Titre du quiz\nTh\xE8me\nlibre\n"; }

class FichierQuizz : public ::testing::Test {
protected:
    // Writes the scrambled text as the quiz file and loads it for n questions.
    int Charge(const std::string& plain, int n) {
        WriteFile(QUIZ, Brouille(plain));
        Classe.NombreQuestions = n;
        PrepareQuizz(Jeu, Classe.NombreQuestions);
        char chemin[256];
        CheminQuizz(Classe.CheminDonnees, chemin, sizeof chemin);
        return GetInfoFile(chemin, Classe, Jeu);
    }

    // Loads one question whose question line and first answer line are given.
    const FicheQuestion& ChargeLignes(const std::string& question, const std::string& reponse = "R1") {
        EXPECT_EQ(Charge(Entete() + question + "\n" + reponse + "\nR2\nR3\nR4\n3\n--\n", 1), 0);
        return Jeu.Question[0];
    }

    ScratchDir dossier;
    // Fresh for each test.
    Reglages Classe;
    Partie Jeu;
};

TEST_F(FichierQuizz, ScramblingIsItsOwnInverseAndUsesKeyA5) {
    std::string texte = "A\n\xE9";
    const std::string brouille = Brouille(texte);
    EXPECT_EQ(brouille, std::string("\xE4\xAF\x4C"));
    EXPECT_EQ(Brouille(brouille), texte);
}

TEST_F(FichierQuizz, LinesTakeTheirRolesInEachBlock) {
    ASSERT_EQ(Charge(Entete() + Bloc(1, "2") + Bloc(2, "4"), 2), 0);
    EXPECT_STREQ(Classe.Questionnaire, "Titre du quiz");
    EXPECT_STREQ(Classe.Theme, "Th\xE8me");
    EXPECT_STREQ(Jeu.Question[0].Enonce1, "Question 1");
    EXPECT_STREQ(Jeu.Question[0].Reponse[3].Ligne1, "R4-1");
    EXPECT_STREQ(Jeu.Question[0].BonneReponse, "2");
    EXPECT_STREQ(Jeu.Question[1].Enonce1, "Question 2");
    EXPECT_STREQ(Jeu.Question[1].Reponse[0].Ligne1, "R1-2");
    EXPECT_STREQ(Jeu.Question[1].BonneReponse, "4");
    EXPECT_STREQ(Jeu.Question[1].Enonce2, "");
    EXPECT_STREQ(Jeu.Question[1].Reponse[0].Ligne2, "");
}

TEST_F(FichierQuizz, NoQuestionsReadsOnlyTheHeader) {
    std::strcpy(Jeu.Question[0].Enonce1, "intact");
    ASSERT_EQ(Charge(Entete() + Bloc(1), 0), 0);
    EXPECT_STREQ(Classe.Theme, "Th\xE8me");
    EXPECT_STREQ(Jeu.Question[0].Enonce1, "intact");
}

TEST_F(FichierQuizz, SixtyQuestionsFillTheTableAndLinesAfterThemAreNotRead) {
    std::string texte = Entete();
    for (int q = 1; q <= 60; ++q) texte += Bloc(q, std::to_string(1 + q % 4));
    texte += "Question 61\n";
    ASSERT_EQ(Charge(texte, 60), 0);
    EXPECT_STREQ(Jeu.Question[59].Enonce1, "Question 60");
    EXPECT_STREQ(Jeu.Question[59].Reponse[2].Ligne1, "R3-60");
    EXPECT_STREQ(Jeu.Question[59].BonneReponse, "1");
    EXPECT_STREQ(Jeu.Question[58].BonneReponse, "4");
}

TEST_F(FichierQuizz, QuestionLineSplitsIntoSegmentsAndOneMedium) {
    const FicheQuestion& q = ChargeLignes("A||C");
    EXPECT_STREQ(q.Enonce1, "A");
    EXPECT_STREQ(q.Enonce2, "");
    EXPECT_STREQ(q.Enonce3, "C");

    ChargeLignes("A|B|C|D");
    EXPECT_STREQ(q.Enonce3, "C|D");

    ChargeLignes("un|deux\xB5" "extrait.mp3");
    EXPECT_STREQ(q.Enonce1, "un");
    EXPECT_STREQ(q.Enonce2, "deux");
    EXPECT_STREQ(q.Son, "extrait.mp3");
    EXPECT_STREQ(q.Image, "");

    ChargeLignes("un|deux|trois\xA7" "image.png");
    EXPECT_STREQ(q.Enonce3, "trois");
    EXPECT_STREQ(q.Image, "image.png");

    ChargeLignes("Regarde~film.mp4");
    EXPECT_STREQ(q.Enonce1, "Regarde");
    EXPECT_STREQ(q.Video, "film.mp4");
}

TEST_F(FichierQuizz, MarkersCountOnlyInTheLastSegment) {
    const FicheQuestion& q = ChargeLignes("A\xA7" "b|C");
    EXPECT_STREQ(q.Enonce1, "A\xA7" "b");
    EXPECT_STREQ(q.Enonce2, "C");
    EXPECT_STREQ(q.Image, "");

    // The first marker cuts; the rest of the line, markers included, is the name.
    ChargeLignes("X\xB5" "a~b\xA7" "c");
    EXPECT_STREQ(q.Enonce1, "X");
    EXPECT_STREQ(q.Son, "a~b\xA7" "c");
    EXPECT_STREQ(q.Video, "");
}

TEST_F(FichierQuizz, MarkerAtAnEndOrAtTheStart) {
    const FicheQuestion& q = ChargeLignes("Sans nom\xA7");
    EXPECT_STREQ(q.Enonce1, "Sans nom");
    EXPECT_STREQ(q.Image, "");

    ChargeLignes("\xA7" "photo.jpg");
    EXPECT_STREQ(q.Enonce1, "");
    EXPECT_STREQ(q.Image, "photo.jpg");
}

TEST_F(FichierQuizz, AnswerLinesKnowOnlyThePictureMarker) {
    const FicheQuestion& q = ChargeLignes("Q", "5 \xB5m ~ 3|suite");
    EXPECT_STREQ(q.Reponse[0].Ligne1, "5 \xB5m ~ 3");
    EXPECT_STREQ(q.Reponse[0].Ligne2, "suite");
    EXPECT_STREQ(q.Reponse[0].Image, "");
    EXPECT_STREQ(q.Son, "");

    ChargeLignes("Q", "le carr\xE9\xA7" "carre.png");
    EXPECT_STREQ(q.Reponse[0].Ligne1, "le carr\xE9");
    EXPECT_STREQ(q.Reponse[0].Image, "carre.png");

    ChargeLignes("Q", "a|b|c\xA7" "d.png");
    EXPECT_STREQ(q.Reponse[0].Ligne3, "c");
    EXPECT_STREQ(q.Reponse[0].Image, "d.png");
}

TEST_F(FichierQuizz, RightAnswerIsTheFirstCharacterWhenItNamesAnAnswer) {
    const std::string debut = Entete() + "Q\nA\nB\nC\nD\n";
    ASSERT_EQ(Charge(debut + "2 (le deux)\n--\n", 1), 0);
    EXPECT_STREQ(Jeu.Question[0].BonneReponse, "2");
    ASSERT_EQ(Charge(debut + "\n--\n", 1), 0);
    EXPECT_STREQ(Jeu.Question[0].BonneReponse, "");
    ASSERT_EQ(Charge(debut + "5\n--\n", 1), 0);
    EXPECT_STREQ(Jeu.Question[0].BonneReponse, "");
}

TEST_F(FichierQuizz, LastLineWithoutLineFeedIsTakenWhole) {
    ASSERT_EQ(Charge(Entete() + "Q\nA\nB\nC\nD\n4", 1), 0);
    EXPECT_STREQ(Jeu.Question[0].BonneReponse, "4");
    ASSERT_EQ(Charge("Seul titre", 1), 0);
    EXPECT_STREQ(Classe.Questionnaire, "Seul titre");
}

TEST_F(FichierQuizz, CarriageReturnBeforeLineFeedIsDropped) {
    ASSERT_EQ(Charge("T\r\nTh\r\nx\r\nQ~film.mp4\r\nA\xA7" "a.png\r\nB\r\nC\r\nD\r\n3\r\n--\r\n", 1), 0);
    EXPECT_STREQ(Classe.Questionnaire, "T");
    EXPECT_STREQ(Jeu.Question[0].Video, "film.mp4");
    EXPECT_STREQ(Jeu.Question[0].Reponse[0].Image, "a.png");
    EXPECT_STREQ(Jeu.Question[0].BonneReponse, "3");
}

TEST_F(FichierQuizz, OverlongLinesAreCutWithoutShiftingTheRoles) {
    const std::string longue(400, 'x');
    ASSERT_EQ(Charge(longue + "\n" + longue + "\nx\n" + longue + "|" + longue + "\n" + longue +
                         "\xA7" + longue + "\nB\nC\nD\n2\n--\n",
                     1),
              0);
    EXPECT_EQ(std::strlen(Classe.Questionnaire), 63u);
    EXPECT_EQ(std::strlen(Classe.Theme), 63u);
    EXPECT_EQ(std::strlen(Jeu.Question[0].Enonce1), 254u);  // the line's limit
    EXPECT_STREQ(Jeu.Question[0].Enonce2, "");
    EXPECT_EQ(std::strlen(Jeu.Question[0].Reponse[0].Ligne1), 59u);
    EXPECT_STREQ(Jeu.Question[0].Reponse[1].Ligne1, "B");
    EXPECT_STREQ(Jeu.Question[0].BonneReponse, "2");
}

TEST_F(FichierQuizz, LongSegmentsAndNamesAreCutToTheirFields) {
    const std::string nom(100, 'n');
    const std::string segment(80, 's');
    const FicheQuestion& q = ChargeLignes("Q|R\xB5" + nom, segment + "|" + segment + "\xA7" + nom);
    EXPECT_EQ(std::strlen(q.Son), 59u);
    EXPECT_EQ(std::strlen(q.Reponse[0].Ligne1), 59u);
    EXPECT_EQ(std::strlen(q.Reponse[0].Ligne2), 59u);
    EXPECT_EQ(std::strlen(q.Reponse[0].Image), 59u);
    EXPECT_STREQ(q.Reponse[1].Ligne1, "R2");
}

TEST_F(FichierQuizz, NulBytesAreDroppedFromTheirLine) {
    ASSERT_EQ(Charge(Entete() + "Com\0bien ?\nA\nB\nC\nD\n1\n--\n"s, 1), 0);
    EXPECT_STREQ(Jeu.Question[0].Enonce1, "Combien ?");
    EXPECT_STREQ(Jeu.Question[0].Reponse[0].Ligne1, "A");
}

TEST_F(FichierQuizz, MissingLinesLeaveTheLaterQuestionsEmpty) {
    std::strcpy(Jeu.Question[2].Enonce1, "ancien");
    std::strcpy(Jeu.Question[2].BonneReponse, "1");
    ASSERT_EQ(Charge(Entete() + Bloc(1) + "Question 2\nR1", 3), 0);
    EXPECT_STREQ(Jeu.Question[0].BonneReponse, "1");
    EXPECT_STREQ(Jeu.Question[1].Reponse[0].Ligne1, "R1");
    EXPECT_STREQ(Jeu.Question[1].Reponse[1].Ligne1, "");
    EXPECT_STREQ(Jeu.Question[1].BonneReponse, "");
    EXPECT_STREQ(Jeu.Question[2].Enonce1, "");
    EXPECT_STREQ(Jeu.Question[2].BonneReponse, "");
}

TEST_F(FichierQuizz, AnUnscrambledFileIsDecodedAllTheSame) {
    WriteFile(QUIZ, Entete() + Bloc(1));
    Classe.NombreQuestions = 1;
    PrepareQuizz(Jeu, Classe.NombreQuestions);
    char chemin[256];
    CheminQuizz(Classe.CheminDonnees, chemin, sizeof chemin);
    ASSERT_EQ(GetInfoFile(chemin, Classe, Jeu), 0);
    EXPECT_STRNE(Classe.Questionnaire, "Titre du quiz");
    EXPECT_STREQ(Jeu.Question[0].BonneReponse, "");
}

TEST_F(FichierQuizz, NoPlainCopyIsWrittenToDisk) {
    ASSERT_EQ(Charge(Entete() + Bloc(1), 1), 0);
    int fichiers = 0;
    for (const auto& f : fs::recursive_directory_iterator(dossier.path())) {
        if (f.is_regular_file()) {
            ++fichiers;
            EXPECT_EQ(f.path().filename(), "vorlines_DEMO");
        }
    }
    EXPECT_EQ(fichiers, 1);
}

TEST_F(FichierQuizz, MissingFileLoadsNothingAndSaysWhich) {
    std::strcpy(Classe.Questionnaire, "avant");
    Classe.NombreQuestions = 1;
    EXPECT_EQ(GetInfoFile(".//InfosQuizz//questions//absent", Classe, Jeu), -1);
    EXPECT_STREQ(Classe.Questionnaire, "avant");
    EXPECT_NE(std::strstr(MessageErreur, "questions//absent"), nullptr);
}

TEST_F(FichierQuizz, CheckBeforeStartAcceptsAWholeQuiz) {
    WriteFile(QUIZ, Brouille(Entete() + Bloc(1, "2") + Bloc(2, "3").substr(0, Bloc(2).size() - 3)));
    Classe.NombreQuestions = 2;
    EXPECT_EQ(VerifieFichierQuizz(Classe, Jeu), 1) << MessageErreur;  // the free last line may be missing
    Classe.NombreQuestions = 1;
    EXPECT_EQ(VerifieFichierQuizz(Classe, Jeu), 1) << MessageErreur;
}

TEST_F(FichierQuizz, CheckBeforeStartRefusesMissingShortOrUnanswerableQuizzes) {
    Classe.NombreQuestions = 2;
    MessageErreur[0] = '\0';
    EXPECT_EQ(VerifieFichierQuizz(Classe, Jeu), 0);
    EXPECT_NE(std::strstr(MessageErreur, "vorlines_DEMO"), nullptr);

    WriteFile(QUIZ, Brouille(Entete() + Bloc(1) + "Question 2\nA\n"));
    EXPECT_EQ(VerifieFichierQuizz(Classe, Jeu), 0);
    EXPECT_NE(std::strstr(MessageErreur, " 1 question"), nullptr) << MessageErreur;
    EXPECT_NE(std::strstr(MessageErreur, "les 2 "), nullptr) << MessageErreur;

    WriteFile(QUIZ, Brouille(Entete() + Bloc(1) + Bloc(2, "0")));
    EXPECT_EQ(VerifieFichierQuizz(Classe, Jeu), 0);
    EXPECT_NE(std::strstr(MessageErreur, "question 2 "), nullptr) << MessageErreur;
}

// The teacher scrambles a new version while a pupil starts: the pupil plays
// the quiz that was checked, never blank questions, and a quiz over its
// size limit is refused by name.
TEST_F(FichierQuizz, WhatWasCheckedIsWhatIsPlayedEvenIfTheFileChanges) {
    const struct {
        const char* quoi;
        std::string remplacant;  // written between the check and the load; "" removes the file
    } cas[] = {
        {"shorter quiz", Brouille(Entete())},
        {"file removed", ""},
        {"other quiz", Brouille(Entete() + Bloc(7) + Bloc(8))},
    };
    for (const auto& c : cas) {
        WriteFile(QUIZ, Brouille(Entete() + Bloc(1, "2") + Bloc(2, "4")));
        Classe.NombreQuestions = 2;
        ASSERT_EQ(VerifieFichierQuizz(Classe, Jeu), 1) << MessageErreur;
        if (c.remplacant.empty()) fs::remove(QUIZ);
        else WriteFile(QUIZ, c.remplacant);
        PrepareQuizz(Jeu, Classe.NombreQuestions);
        ASSERT_EQ(ChargeQuizzVerifie(Classe, Jeu), 0) << c.quoi << ": " << MessageErreur;
        EXPECT_STREQ(Jeu.Question[0].Enonce1, "Question 1") << c.quoi;
        EXPECT_STREQ(Jeu.Question[1].Reponse[3].Ligne1, "R4-2") << c.quoi;
        EXPECT_STREQ(Jeu.Question[1].BonneReponse, "4") << c.quoi;
    }
    // Loaded once: without a new check, the next load reads the file again.
    WriteFile(QUIZ, Brouille(Entete() + Bloc(5) + Bloc(6)));
    ASSERT_EQ(ChargeQuizzVerifie(Classe, Jeu), 0) << MessageErreur;
    EXPECT_STREQ(Jeu.Question[0].Enonce1, "Question 5");

    fs::resize_file(QUIZ, 100 * 1024 * 1024);  // sparse: costs no disk
    MessageErreur[0] = '\0';
    EXPECT_EQ(VerifieFichierQuizz(Classe, Jeu), 0);
    EXPECT_NE(std::strstr(MessageErreur, "vorlines_DEMO"), nullptr) << MessageErreur;
    EXPECT_NE(std::strstr(MessageErreur, "trop grand"), nullptr) << MessageErreur;
}

TEST(Windows1252, TableCoversTheWholeRangeBothWays) {
    for (int octet = 0; octet < 256; ++octet) {
        const int point = Cp1252VersUnicode(static_cast<unsigned char>(octet));
        const bool indefini = octet == 0x81 || octet == 0x8D || octet == 0x8F || octet == 0x90 ||
                              octet == 0x9D;
        ASSERT_EQ(point < 0, indefini) << octet;
        if (!indefini) {
            EXPECT_EQ(UnicodeVersCp1252(point), octet);
        }
    }
    EXPECT_EQ(Cp1252VersUnicode(0x80), 0x20AC);
    EXPECT_EQ(UnicodeVersCp1252(0x2192), -1);
    EXPECT_EQ(UnicodeVersCp1252(0x81), -1);
    char utf8[4];
    ASSERT_EQ(EcritUtf8(0x20AC, utf8), 3);
    EXPECT_EQ(std::string(utf8, 3), "\xE2\x82\xAC");
    ASSERT_EQ(EcritUtf8(0xE9, utf8), 2);
    EXPECT_EQ(std::string(utf8, 2), "\xC3\xA9");
}

// --- The quiz_encode tool -------------------------------------------------------

int Outil(const std::string& arguments) {
    const std::string commande = std::string(QUIZ_ENCODE) + " " + arguments + " 2>erreurs.txt";
    const int etat = std::system(commande.c_str());
#ifdef _WIN32
    return etat;  // the tool's own exit code
#else
    return WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
#endif
}

const std::string PLAIN_UTF8 =
    "Quiz d\xC3\xA9mo\nTh\xC3\xA8me \xE2\x82\xAC\nlibre\n"
    "Combien co\xC3\xBBte \xC2\xA7 ?|ligne 2\xC2\xB5son.mp3\n"
    "1 \xE2\x82\xAC\nune r\xC3\xA9ponse\xC2\xA7image.png\n3\n4\n2\n--\n";

TEST_F(FichierQuizz, EncoderWritesWhatTheLoaderReads) {
    WriteFile("quiz.txt", PLAIN_UTF8);
    fs::create_directories("InfosQuizz/questions");
    ASSERT_EQ(Outil("quiz.txt " + std::string(QUIZ)), 0) << ReadFile("erreurs.txt");
    Classe.NombreQuestions = 1;
    PrepareQuizz(Jeu, Classe.NombreQuestions);
    char chemin[256];
    CheminQuizz(Classe.CheminDonnees, chemin, sizeof chemin);
    ASSERT_EQ(GetInfoFile(chemin, Classe, Jeu), 0);
    EXPECT_STREQ(Classe.Questionnaire, "Quiz d\xE9mo");
    EXPECT_STREQ(Classe.Theme, "Th\xE8me \x80");
    EXPECT_STREQ(Jeu.Question[0].Enonce1, "Combien co\xFBte \xA7 ?");
    EXPECT_STREQ(Jeu.Question[0].Son, "son.mp3");
    EXPECT_STREQ(Jeu.Question[0].Reponse[1].Image, "image.png");
    EXPECT_STREQ(Jeu.Question[0].BonneReponse, "2");
    EXPECT_FALSE(fs::exists(std::string(QUIZ) + ".tmp"));
}

TEST_F(FichierQuizz, EncoderAndDecoderRoundTrip) {
    WriteFile("quiz.txt", PLAIN_UTF8);
    ASSERT_EQ(Outil("quiz.txt quiz"), 0);
    ASSERT_EQ(Outil("--decode quiz retour.txt"), 0);
    EXPECT_EQ(ReadFile("retour.txt"), PLAIN_UTF8);

    // Windows line ends and a byte-order mark give the same file.
    std::string windows = "\xEF\xBB\xBF";
    for (char c : PLAIN_UTF8) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    WriteFile("windows.txt", windows);
    ASSERT_EQ(Outil("windows.txt quiz2"), 0);
    EXPECT_EQ(ReadFile("quiz2"), ReadFile("quiz"));
}

TEST_F(FichierQuizz, EncoderRefusesCharactersOutsideWindows1252WithLineAndColumn) {
    WriteFile("quiz.txt", "Titre\nTh\xC3\xA8me\nlibre\nA \xE2\x86\x92 B\n1\n2\n3\n4\n1\n--\n");
    EXPECT_EQ(Outil("quiz.txt quiz"), 1);
    EXPECT_NE(ReadFile("erreurs.txt").find("quiz.txt:4:3:"), std::string::npos)
        << ReadFile("erreurs.txt");
    EXPECT_FALSE(fs::exists("quiz"));

    WriteFile("quiz.txt", "Titre\n\xC3(\n");
    EXPECT_EQ(Outil("quiz.txt quiz"), 1);
    EXPECT_NE(ReadFile("erreurs.txt").find("quiz.txt:2:1:"), std::string::npos);
}

TEST_F(FichierQuizz, EncoderRefusesTextsTheGameWouldCut) {
    const std::string bloc = "Q\nA\nB\nC\nD\n";
    WriteFile("a.txt", "T\nTh\nx\n" + bloc + "7\n--\n");
    EXPECT_EQ(Outil("a.txt quiz"), 1);
    EXPECT_NE(ReadFile("erreurs.txt").find("a.txt:9:1:"), std::string::npos);

    WriteFile("b.txt", "T\nTh\nx\nQ\n" + std::string(60, 'r') + "\nB\nC\nD\n1\n--\n");
    EXPECT_EQ(Outil("b.txt quiz"), 1);
    EXPECT_NE(ReadFile("erreurs.txt").find("b.txt:5:"), std::string::npos);

    WriteFile("c.txt", "T\nTh\nx\n" + std::string(255, 'q') + "\nA\nB\nC\nD\n1\n--\n");
    EXPECT_EQ(Outil("c.txt quiz"), 1);
    EXPECT_NE(ReadFile("erreurs.txt").find("c.txt:4:"), std::string::npos);

    WriteFile("d.txt", "T\nTh\nx\n" + bloc + "1\n--\nQ2\nA\n");
    EXPECT_EQ(Outil("d.txt quiz"), 1);
    EXPECT_FALSE(fs::exists("quiz"));

    WriteFile("e.txt", "T\nTh\nx\n" + bloc + "1\n--\n");
    EXPECT_EQ(Outil("e.txt quiz"), 0) << ReadFile("erreurs.txt");
}

// --- The demo's quiz ----------------------------------------------------------------

std::string Cp1252VersUtf8(const std::string& texte) {
    std::string utf8;
    for (char c : texte) {
        char suite[4];
        const int point = Cp1252VersUnicode(static_cast<unsigned char>(c));
        EXPECT_GE(point, 0);
        utf8.append(suite, EcritUtf8(point < 0 ? 0xFFFD : point, suite));
    }
    return utf8;
}

TEST(QuizDemo, ScrambledFileIsExactlyTheEncodedPlainText) {
    const fs::path dossier = fs::path(SOURCE_DIR) / "demo/InfosQuizz/questions";
    const std::string plain = ReadFile(dossier / "vorlines_DEMO.txt");
    const std::string brouille = ReadFile(dossier / "vorlines_DEMO");
    ASSERT_FALSE(plain.empty());
    ASSERT_FALSE(brouille.empty()) << "regenerate it with tools/encode-demo.sh";
    EXPECT_EQ(Cp1252VersUtf8(Brouille(brouille)), plain)
        << "vorlines_DEMO differs from vorlines_DEMO.txt: run tools/encode-demo.sh";
}

TEST(QuizDemo, LoadsAsManyQuestionsAsTheClassSettingsAnnounce) {
    const fs::path demo = fs::path(SOURCE_DIR) / "demo";
    ScratchDir dossier;
    fs::copy(demo / "InfosQuizz", "InfosQuizz", fs::copy_options::recursive);
    for (signed char niveau : {3, 8}) {
        Reglages Classe;
        const auto jeu = std::make_unique<Partie>();
        Partie& Jeu = *jeu;
        Classe.QuelNiveau = niveau;
        ASSERT_EQ(LitInfosJeu(Classe), 1) << MessageErreur;
        EXPECT_EQ(VerifieFichierQuizz(Classe, Jeu), 1) << MessageErreur;
        PrepareQuizz(Jeu, Classe.NombreQuestions);
        char chemin[256];
        CheminQuizz(Classe.CheminDonnees, chemin, sizeof chemin);
        ASSERT_EQ(GetInfoFile(chemin, Classe, Jeu), 0);
        for (int q = 0; q < Classe.NombreQuestions; ++q) {
            EXPECT_NE(Jeu.Question[q].Enonce1[0], '\0') << q;
            EXPECT_NE(Jeu.Question[q].BonneReponse[0], '\0') << q;
        }
    }
}

}  // namespace

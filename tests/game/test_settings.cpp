// The class settings file (its choice by class level, its fields, its limits
// and the messages that refuse it) and the check of the pupil list file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "etat.h"
#include "test_support.h"

namespace {

using test_support::ScratchDir;
using test_support::WriteFile;

const char* const REGLAGES = "InfosQuizz/infos/infos_jeu_DEMO";
const char* const REGLAGES_PETITS = "InfosQuizz/infos/infos_jeu_DEMO0";
const char* const LISTE = "InfosQuizz/infos/infos_quizz_DEMO";

std::string Reglages(const std::string& questions = "10", const std::string& temps = "30",
                     const std::string& saisie = "1") {
    return "Mon quiz\nLe th\xE8me\nCE1 - CM2\n" + saisie + "\n" + questions + "\n5\n3\n" + temps +
           "\n";
}

class Reglage : public ::testing::Test {
protected:
    void SetUp() override { Classe.QuelNiveau = 4; }
    // Reads `contenu` as the settings file of the current level; 1 or 0.
    int Lit(const std::string& contenu) {
        WriteFile(REGLAGES, contenu);
        MessageErreur[0] = '\0';
        return LitInfosJeu(Classe);
    }
    // The message names the settings file and the given words.
    void MessageCite(const char* mots) {
        EXPECT_NE(std::strstr(MessageErreur, "infos_jeu_DEMO"), nullptr) << MessageErreur;
        EXPECT_NE(std::strstr(MessageErreur, mots), nullptr) << MessageErreur;
    }
    ScratchDir dossier;
    ::Reglages Classe;  // fresh for each test
};

TEST_F(Reglage, ReadsEveryField) {
    ASSERT_EQ(Lit(Reglages("12", "45", "1")), 1) << MessageErreur;
    EXPECT_STREQ(Classe.Questionnaire, "Mon quiz");
    EXPECT_STREQ(Classe.Theme, "Le th\xE8me");
    EXPECT_STREQ(Classe.EnteteClasse, "CE1 - CM2");
    EXPECT_EQ(Classe.GetInfosJoueur, 1);
    EXPECT_STREQ(Classe.NbQuestionsM0, "12");
    EXPECT_EQ(Classe.NombreQuestions, 12);
    EXPECT_EQ(Classe.TempsAttente1, 5);
    EXPECT_EQ(Classe.TempsAttente2, 3);
    EXPECT_EQ(Classe.TempsReponseAutorise, 45);
}

TEST_F(Reglage, NameEntryFlagChoosesListOrEntry) {
    ASSERT_EQ(Lit(Reglages("10", "30", "0")), 1);
    EXPECT_EQ(Classe.GetInfosJoueur, 0);
    ASSERT_EQ(Lit(Reglages("10", "30", "7")), 1);
    EXPECT_NE(Classe.GetInfosJoueur, 0);
}

TEST_F(Reglage, LevelChoosesTheFile) {
    WriteFile(REGLAGES, Reglages("10"));
    WriteFile(REGLAGES_PETITS, Reglages("4"));
    const struct {
        signed char niveau;
        int questions;
        const char* fichier;
    } cas[] = {{3, 10, "infos_jeu_DEMO"}, {4, 10, "infos_jeu_DEMO"}, {5, 10, "infos_jeu_DEMO"},
               {6, 10, "infos_jeu_DEMO"}, {7, 4, "infos_jeu_DEMO0"},  {8, 4, "infos_jeu_DEMO0"}};
    for (const auto& c : cas) {
        Classe.QuelNiveau = c.niveau;
        ASSERT_EQ(LitInfosJeu(Classe), 1);
        EXPECT_EQ(Classe.NombreQuestions, c.questions) << int(c.niveau);
        char chemin[TAILLE_CHEMIN];
        ASSERT_EQ(CheminInfosJeu(Classe, chemin, sizeof chemin), 1);
        EXPECT_EQ(std::string(chemin), std::string(".//InfosQuizz//infos//") + c.fichier) << int(c.niveau);
    }
}

TEST_F(Reglage, LimitsOfTheNumberOfQuestions) {
    EXPECT_EQ(Lit(Reglages("1")), 1);
    EXPECT_EQ(Lit(Reglages("60")), 1);
    EXPECT_EQ(Lit(Reglages("0")), 0);
    MessageCite("ligne 5");
    EXPECT_EQ(Lit(Reglages("61")), 0);
    MessageCite("61");
}

TEST_F(Reglage, LimitsOfTheTimePerAnswer) {
    EXPECT_EQ(Lit(Reglages("10", "1")), 1);
    EXPECT_EQ(Lit(Reglages("10", "360")), 1);
    EXPECT_EQ(Classe.TempsReponseAutorise, 360);
    EXPECT_EQ(Lit(Reglages("10", "0")), 0);
    MessageCite("ligne 8");
    EXPECT_EQ(Lit(Reglages("10", "361")), 0);
    MessageCite("361");
}

TEST_F(Reglage, NumberLinesMustBeNumbersOfThreeDigitsAtMost) {
    EXPECT_EQ(Lit(Reglages("dix")), 0);
    MessageCite("ligne 5");
    EXPECT_EQ(Lit(Reglages("0010")), 0);  // four digits would split the line
    MessageCite("ligne 5");
    EXPECT_EQ(Lit(Reglages("10", "")), 0);
    MessageCite("ligne 8");
    EXPECT_EQ(Lit(Reglages("10", "30", "-1")), 0);
    MessageCite("ligne 4");
    EXPECT_EQ(Lit(Reglages(" 10 ", "30")), 1);
}

TEST_F(Reglage, MissingOrShortFilesAreRefusedByName) {
    MessageErreur[0] = '\0';
    EXPECT_EQ(LitInfosJeu(Classe), 0);
    MessageCite("introuvable");
    EXPECT_EQ(Lit("Mon quiz\nLe theme\nCE1\n1\n10\n"), 0);
    MessageCite("ligne 5");
    EXPECT_EQ(Lit(""), 0);
    MessageCite("vide");
}

TEST_F(Reglage, LongTextLinesAreCutWithoutShiftingTheSettings) {
    const std::string titre(70, 't');
    ASSERT_EQ(Lit(titre + "\n" + std::string(48, 'h') + "\nCE1\n0\n15\n5\n3\n20\n"), 1)
        << MessageErreur;
    EXPECT_EQ(std::string(Classe.Questionnaire), std::string(48, 't'));
    EXPECT_EQ(std::string(Classe.Theme), std::string(48, 'h'));
    EXPECT_STREQ(Classe.EnteteClasse, "CE1");
    EXPECT_EQ(Classe.NombreQuestions, 15);
    EXPECT_EQ(Classe.TempsReponseAutorise, 20);
}

TEST_F(Reglage, WindowsLineEndsAndAMissingLastLineFeed) {
    ASSERT_EQ(Lit("Quiz\r\nTheme\r\nCE1\r\n1\r\n100\r\n5\r\n3\r\n120\r\n"), 0);
    MessageCite("100");  // read whole, then refused as a number of questions
    ASSERT_EQ(Lit("Quiz\r\nTheme\r\nCE1\r\n1\r\n12\r\n5\r\n3\r\n120\r\n"), 1) << MessageErreur;
    EXPECT_STREQ(Classe.Questionnaire, "Quiz");
    EXPECT_EQ(Classe.TempsReponseAutorise, 120);
    ASSERT_EQ(Lit("Quiz\nTheme\nCE1\n1\n12\n5\n3\n30"), 1) << MessageErreur;
    EXPECT_EQ(Classe.TempsReponseAutorise, 30);
}

// --- Pupil list -------------------------------------------------------------------

class ListeEleves : public ::testing::Test {
protected:
    int Verifie(const std::string& contenu) {
        WriteFile(LISTE, contenu);
        MessageErreur[0] = '\0';
        return VerifieListeJoueurs(Classe.CheminDonnees, Liste);
    }
    void MessageCite(const char* mots) {
        EXPECT_NE(std::strstr(MessageErreur, "infos_quizz_DEMO"), nullptr) << MessageErreur;
        EXPECT_NE(std::strstr(MessageErreur, mots), nullptr) << MessageErreur;
    }
    ScratchDir dossier;
    ::Reglages Classe;  // fresh for each test
    std::vector<FicheListe> Liste;
};

std::string Eleves(int n) {
    std::string texte;
    for (int k = 0; k < n; ++k) texte += "NOM" + std::to_string(k) + "\nPrenom\nCE1\n";
    return texte;
}

TEST_F(ListeEleves, AcceptsAWholeListAndGivesItsSize) {
    EXPECT_EQ(Verifie("3\n" + Eleves(3)), 3);
    EXPECT_EQ(Verifie("1\r\nMARTIN\r\nZo\xE9\r\nG.S.\r\n"), 1);
    EXPECT_EQ(Verifie("60\n" + Eleves(60)), 60);
    EXPECT_EQ(Verifie("2\n" + Eleves(2) + "NOM\n"), 2);  // extra lines are never read
}

TEST_F(ListeEleves, RefusesCountsOutsideOneToSixty) {
    EXPECT_EQ(Verifie("0\n"), 0);
    MessageCite("de 1 \xE0 60");
    EXPECT_EQ(Verifie("61\n" + Eleves(61)), 0);
    MessageCite("60");
    EXPECT_EQ(Verifie("trois\n" + Eleves(3)), 0);
    MessageCite("nombre");
}

TEST_F(ListeEleves, RefusesAMissingFileShortListsAndOverlongNames) {
    MessageErreur[0] = '\0';
    EXPECT_EQ(VerifieListeJoueurs(Classe.CheminDonnees, Liste), 0);
    MessageCite("introuvable");
    EXPECT_EQ(Verifie("4\n" + Eleves(3)), 0);
    MessageCite("ligne 10");
    EXPECT_EQ(Verifie("2\nNOM\n" + std::string(29, 'p') + "\nCE1\n" + Eleves(1)), 0);
    MessageCite("ligne 3");
    EXPECT_EQ(Verifie("1\n" + std::string(28, 'N') + "\nPrenom\nCE1"), 1) << MessageErreur;
}

}  // namespace

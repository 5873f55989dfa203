// pivolette results: a class folder with finished, unfinished and odd files,
// as a table and as a spreadsheet file.
#include <gtest/gtest.h>

#include <filesystem>

#include "ecriture.h"
#include "lecture_quizz.h"
#include "lance.h"

namespace fs = std::filesystem;
using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

const std::string J = "jeu/InfosQuizz/joueurs/DEMO/";

void Classe() {
    fs::create_directories(J);
    WriteFile("jeu/InfosQuizz/infos/infos_jeu_DEMO0", "T\nTh\nE\n0\n10\n5\n3\n40\n");
    WriteFile("jeu/InfosQuizz/infos/infos_jeu_DEMO", "T\nTh\nE\n1\n14\n5\n3\n30\n");
    WriteFile(J + "MARTIN_Zo\xC3\xAB.txt", "MARTIN\nZo\xEB\nDEMO\n09\n01\n0083\n");
    WriteFile(J + "\xC3\x89LIE_Paul.txt", "\xC9LIE\nPaul\nDEMO\n0\n0\n9999\n");
    WriteFile(J + "BERNARD_Lucas.txt", "BERNARD\nLucas\nDEMO\n05\n02\n0040\n");
    WriteFile(J + "DUBOIS_Noah.txt", "DUBOIS\nNoah\nDEMO\n10\n04\n0200\r\n");
    WriteFile(J + "=CMD_x.txt", "=CMD\nx\nDEMO\n01\n00\n0005\n");
    WriteFile(J + "O;NEIL_Ann.txt", "O;NEIL\nAnn\nDEMO\n02\n00\n0010\n");
    WriteFile(J + "court.txt", "COURT\nAnne\nDEMO\n");
    WriteFile(J + "texte.txt", "TEXTE\nLou\nDEMO\nabc\n00\n0010\n");
    WriteFile(J + "notes.doc", "notes du professeur");
    WriteFile(J + "PETIT_Ines.txt.tmp", "PETIT\nIn");
    WriteFile(J + ".gitkeep", "");
    WriteFile(J + ".pivolette-7-1-0badf00d.tmp", "PETIT\nIn");  // a rewrite stopped by a crash
    WriteFile(J + "ENORME_x.txt", "");
    fs::resize_file(J + "ENORME_x.txt", 3'000'000'000);  // sparse: costs no disk
}

TEST(Results, CsvForAFrenchSpreadsheet) {
    ScratchDir dossier;
    Classe();
    const Sortie s = Pivolette("results jeu --csv -o classe.csv");
    EXPECT_EQ(s.code, 1);  // three results files cannot be read
    EXPECT_EQ(ReadFile("classe.csv"),
              "\xEF\xBB\xBFNom;Pr\xC3\xA9nom;Bonnes;Mauvaises;Secondes;Questions;Score (%);Remarque;Date;Questionnaire\r\n"
              "'=CMD;x;1;0;5;10;10,0;arr\xC3\xAAt\xC3\xA9 avant la fin;;\r\n"
              "BERNARD;Lucas;5;2;40;10;50,0;arr\xC3\xAAt\xC3\xA9 avant la fin;;\r\n"
              "DUBOIS;Noah;10;4;200;14;71,4;;;\r\n"
              "\xC3\x89LIE;Paul;0;0;0;14;0,0;identifi\xC3\xA9, aucune question finie;;\r\n"
              "MARTIN;Zo\xC3\xAB;9;1;83;10;90,0;;;\r\n"
              "\"O;NEIL\";Ann;2;0;10;10;20,0;arr\xC3\xAAt\xC3\xA9 avant la fin;;\r\n");
    EXPECT_EQ(Occurrences(s.err, J + "court.txt:3: error:"), 1) << s.err;
    EXPECT_EQ(Occurrences(s.err, J + "texte.txt:4: error: un nombre est attendu"), 1) << s.err;
    EXPECT_EQ(Occurrences(s.err, J + "notes.doc: warning:"), 1) << s.err;
    EXPECT_EQ(Occurrences(s.err, ".tmp"), 0) << s.err;
    EXPECT_EQ(Occurrences(s.err, "gitkeep"), 0) << s.err;
    EXPECT_EQ(Occurrences(s.err, J + "ENORME_x.txt: error: "), 1) << s.err;
    for (const auto& f : fs::directory_iterator("."))  // nothing left beside classe.csv
        EXPECT_FALSE(EstFichierProvisoire(f.path().filename().string())) << f.path();
}

TEST(Results, TableSortedBySurnameWithScoresOverTheQuestions) {
    ScratchDir dossier;
    Classe();
    const Sortie s = Pivolette("results jeu");
    const std::size_t bernard = s.out.find("BERNARD");
    const std::size_t elie = s.out.find("\xC3\x89LIE");
    const std::size_t martin = s.out.find("MARTIN");
    ASSERT_NE(martin, std::string::npos) << s.out;
    EXPECT_LT(bernard, elie);
    EXPECT_LT(elie, martin);
    EXPECT_NE(s.out.find("9/10"), std::string::npos) << s.out;
    EXPECT_NE(s.out.find("0/14   identifi\xC3\xA9, aucune question finie"), std::string::npos) << s.out;
    EXPECT_NE(s.out.find("6 \xC3\xA9l\xC3\xA8ve(s)."), std::string::npos);
}

TEST(Results, AFolderWithoutProblemsAndBadUsage) {
    ScratchDir dossier;
    fs::create_directories(J);
    WriteFile(J + "MARTIN_Zo\xC3\xAB.txt", "MARTIN\nZo\xEB\nDEMO\n09\n01\n0083\n");
    WriteFile(J + "X_Y.txt", "X\x1B[2J\nY\tZ\nDEMO\n00\n01\n0010\n");
    WriteFile(J + "GRAND_Max.txt", "GRAND\nMax\nDEMO\n2147484\n0\n10\n");  // x 1000 passes an int
    const Sortie s = Pivolette("results jeu --csv -o -");
    EXPECT_NE(s.out.find("X?[2J;Y?Z;0;1;10;1;0,0;;;\r\n"), std::string::npos) << s.out;
    EXPECT_NE(s.out.find("GRAND;Max;2147484;0;10;2147484;100,0;;;\r\n"), std::string::npos) << s.out;
    EXPECT_EQ(s.code, 0) << s.err;
    // Without settings files the pupil's own count is his quiz.
    EXPECT_NE(s.out.find("MARTIN;Zo\xC3\xAB;9;1;83;10;90,0;;;\r\n"), std::string::npos) << s.out;
    EXPECT_EQ(Pivolette("results ailleurs").code, 2);
    EXPECT_EQ(Pivolette("results jeu -o x.csv").code, 2);  // -o without --csv
    EXPECT_FALSE(fs::exists("x.csv"));
}

// A class of three questions whose answers are known: the right answers are
// 3, 1 and 2; question 3's text needs escaping in a web page.
const std::string R = J + "reponses/";
const std::string ENTETE = "Questionnaire : Les animaux\nD\xE9" "but : 08/12/2026 09:41:05\n";

std::string Ligne(int question, int choix, bool juste, int secondes) {
    return "question " + std::to_string(question) + " : " +
           (choix ? "r\xE9ponse " + std::to_string(choix) : std::string("aucune r\xE9ponse")) + ", " +
           (juste ? "juste" : "fausse") + ", " + std::to_string(secondes) + " s, sans m\xE9" "dia\n";
}

void ClasseAvecReponses() {
    fs::create_directories(R);
    fs::create_directories("jeu/InfosQuizz/questions");
    WriteFile("jeu/InfosQuizz/infos/infos_jeu_DEMO", "T\nTh\nE\n1\n3\n5\n3\n30\n");
    std::string quizz = "Les animaux\nLa nature\n\n"
                        "Combien de pattes a une araign\xE9" "e ?\n2\n4\n8\n6\n3\n\n"
                        "Quel animal #ib\xEA" "le#| ?\nle mouton\nle chat\nle chien\nla vache\n1\n\n"
                        "Est-ce que 3 < 5 & \"2\" ?\noui\nnon\npeut-\xEA" "tre\nje ne sais pas\n2\n\n";
    BrouilleQuizz(quizz);
    WriteFile("jeu/InfosQuizz/questions/vorlines_DEMO", quizz);
    const struct {
        const char* nom;
        const char* resultats;
        std::string reponses;  // empty: no answers file
    } eleves[] = {
        {"ANNA", "02\n01\n0020\n", ENTETE + Ligne(1, 3, true, 4) + Ligne(2, 2, false, 10) + Ligne(3, 2, true, 6)},
        {"BRUNO", "00\n03\n0043\n", ENTETE + Ligne(2, 2, false, 8) + Ligne(1, 1, false, 5) + Ligne(3, 0, false, 30)},
        {"CLARA", "02\n00\n0010\n", ENTETE + Ligne(3, 2, true, 3) + Ligne(1, 3, true, 7)},  // left with Escape
        {"DAVID", "01\n02\n0050\n", ""},  // played before answers were kept
        {"EMMA", "01\n02\n0050\n", "Questionnaire : Les plantes\nD\xE9" "but : 08/12/2026 09:41:05\n" + Ligne(1, 3, true, 4)},
        {"FANNY", "01\n02\n0050\n", ENTETE + Ligne(1, 1, true, 4)},
        {"GUS", "01\n02\n0050\n", ENTETE + "question 1 : r\xE9pon"},
        {"HUGO", "01\n02\n0050\n", ENTETE + Ligne(4, 1, false, 4)},
    };
    for (const auto& e : eleves) {
        WriteFile(J + e.nom + "_x.txt", std::string(e.nom) + "\nx\nDEMO\n" + e.resultats);
        if (!e.reponses.empty()) WriteFile(R + e.nom + "_x.txt", e.reponses);
    }
}

TEST(Results, PerQuestionFiguresOfAClassMissedMostFirst) {
    ScratchDir dossier;
    ClasseAvecReponses();
    const Sortie s = Pivolette("results jeu");
    EXPECT_EQ(s.code, 1);
    // Bad answers files are named with their line; the pupil without one is
    // no error; the answers folder is no results file.
    for (const char* faute : {"EMMA_x.txt:1: error:", "FANNY_x.txt:3: error:", "GUS_x.txt: error:", "HUGO_x.txt:3: error:"})
        EXPECT_EQ(Occurrences(s.err, R + faute), 1) << faute << s.err;
    EXPECT_EQ(Occurrences(s.err, "DAVID"), 0) << s.err;
    EXPECT_EQ(Occurrences(s.err, "warning"), 0) << s.err;
    EXPECT_NE(s.out.find("8 \xC3\xA9l\xC3\xA8ve(s)."), std::string::npos) << s.out;
    const struct {
        const char* texte;
        const char* justes;
        const char* fausse;
        const char* temps;
    } attendus[] = {
        // Nobody got question 2; questions 1 and 3 tie at two out of three.
        {"Quel animal b\xC3\xAAle ", "0 %", "r\xC3\xA9ponse 2 : 100 %", "9 s"},
        {"Combien de pattes a une araign\xC3\xA9" "e ?", "67 %", "r\xC3\xA9ponse 1 : 33 %", "5 s"},
        {"Est-ce que 3 < 5 & \"2\" ?", "67 %", " - ", "6 s"},
    };
    std::size_t avant = s.out.find("Par question");
    ASSERT_NE(avant, std::string::npos) << s.out;
    for (const auto& a : attendus) {
        const std::size_t debut = s.out.find(a.texte, avant);
        ASSERT_NE(debut, std::string::npos) << a.texte << "\n" << s.out;
        const std::string ligne = s.out.substr(debut, s.out.find('\n', debut) - debut);
        EXPECT_NE(ligne.find(a.justes), std::string::npos) << ligne;
        EXPECT_NE(ligne.find(a.fausse), std::string::npos) << ligne;
        EXPECT_EQ(ligne.substr(ligne.size() - std::string(a.temps).size()), a.temps) << ligne;
        avant = debut;
    }
}

TEST(Results, CsvGainsTheDateTheQuizAndEachAnswer) {
    ScratchDir dossier;
    ClasseAvecReponses();
    const Sortie s = Pivolette("results jeu --csv -o -");
    const std::string debut = "Score (%);Remarque;Date;Questionnaire;Q1;Q2;Q3\r\n";
    EXPECT_EQ(s.out.rfind("\xEF\xBB\xBFNom;Pr\xC3\xA9nom;Bonnes;Mauvaises;Secondes;Questions;" + debut, 0), 0u) << s.out;
    for (const char* ligne :
         {"\r\nANNA;x;2;1;20;3;66,7;;08/12/2026 09:41:05;Les animaux;3 juste;2 fausse;2 juste\r\n",
          "\r\nBRUNO;x;0;3;43;3;0,0;;08/12/2026 09:41:05;Les animaux;1 fausse;2 fausse;aucune (temps \xC3\xA9" "coul\xC3\xA9)\r\n",
          "\r\nCLARA;x;2;0;10;3;66,7;arr\xC3\xAAt\xC3\xA9 avant la fin;08/12/2026 09:41:05;Les animaux;3 juste;;2 juste\r\n",
          "\r\nDAVID;x;1;2;50;3;33,3;;;;;;\r\n", "\r\nEMMA;x;1;2;50;3;33,3;;;;;;\r\n"})
        EXPECT_EQ(Occurrences(s.out, ligne), 1) << ligne << s.out;
}

TEST(Results, HtmlPageIsWellFormedSelfContainedAndHoldsEveryQuestion) {
    ScratchDir dossier;
    ClasseAvecReponses();
    ASSERT_EQ(Pivolette("results jeu --html -o page.html").code, 1);
    const std::string page = ReadFile("page.html");
    // Every tag closed in order (the void ones aside), the text well escaped.
    WriteFile("verifie.py",
              "import sys\nfrom html.parser import HTMLParser\n"
              "vides = {'meta', 'br', 'hr', 'img', 'link', 'input'}\n"
              "class V(HTMLParser):\n"
              "    def __init__(self):\n        super().__init__(); self.pile = []; self.fautes = []\n"
              "    def handle_starttag(self, t, a):\n        if t not in vides: self.pile.append(t)\n"
              "    def handle_endtag(self, t):\n"
              "        if not self.pile or self.pile.pop() != t: self.fautes.append(t)\n"
              "v = V(); v.feed(open(sys.argv[1], encoding='utf-8').read()); v.close()\n"
              "sys.exit(1 if v.fautes or v.pile else 0)\n");
#ifndef _WIN32  // the Windows build's tests run under Wine, where Python is not a Windows program
    EXPECT_EQ(std::system("python3 verifie.py page.html"), 0) << page;
#endif
    for (const char* attendu : {"<!DOCTYPE html>", "<meta charset=\"utf-8\">",
                                "Question 1 : Combien de pattes a une araign\xC3\xA9" "e ?</h3>",
                                "Question 2 : Quel animal b\xC3\xAAle ?</h3>",
                                "Question 3 : Est-ce que 3 &lt; 5 &amp; &quot;2&quot; ?</h3>",
                                "\xE2\x9C\x97 2 : 100 %", "sans r\xC3\xA9ponse 33 %", "<td class=\"n\">ANNA</td>"})
        EXPECT_EQ(Occurrences(page, attendu), 1) << attendu;
    EXPECT_EQ(Occurrences(page, "\xE2\x9C\x93 juste 67 %"), 2);  // questions 1 and 3
    EXPECT_EQ(Occurrences(page, "<script"), 0);
    EXPECT_EQ(Occurrences(page, "http"), 0);  // nothing fetched from the network
    EXPECT_EQ(Pivolette("results jeu --csv --html").code, 2);
}

}  // namespace

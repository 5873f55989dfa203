// pivolette results: a class folder with finished, unfinished and odd files,
// as a table and as a spreadsheet file.
#include <gtest/gtest.h>

#include <filesystem>

#include "ecriture.h"
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
              "\xEF\xBB\xBFNom;Pr\xC3\xA9nom;Bonnes;Mauvaises;Secondes;Questions;Score (%);Remarque\r\n"
              "'=CMD;x;1;0;5;10;10,0;arr\xC3\xAAt\xC3\xA9 avant la fin\r\n"
              "BERNARD;Lucas;5;2;40;10;50,0;arr\xC3\xAAt\xC3\xA9 avant la fin\r\n"
              "DUBOIS;Noah;10;4;200;14;71,4;\r\n"
              "\xC3\x89LIE;Paul;0;0;0;14;0,0;identifi\xC3\xA9, aucune question finie\r\n"
              "MARTIN;Zo\xC3\xAB;9;1;83;10;90,0;\r\n"
              "\"O;NEIL\";Ann;2;0;10;10;20,0;arr\xC3\xAAt\xC3\xA9 avant la fin\r\n");
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
    EXPECT_NE(s.out.find("X?[2J;Y?Z;0;1;10;1;0,0;\r\n"), std::string::npos) << s.out;
    EXPECT_NE(s.out.find("GRAND;Max;2147484;0;10;2147484;100,0;\r\n"), std::string::npos) << s.out;
    EXPECT_EQ(s.code, 0) << s.err;
    // Without settings files the pupil's own count is his quiz.
    EXPECT_NE(s.out.find("MARTIN;Zo\xC3\xAB;9;1;83;10;90,0;\r\n"), std::string::npos) << s.out;
    EXPECT_EQ(Pivolette("results ailleurs").code, 2);
    EXPECT_EQ(Pivolette("results jeu -o x.csv").code, 2);  // -o without --csv
    EXPECT_FALSE(fs::exists("x.csv"));
}

}  // namespace

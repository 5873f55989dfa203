// pivolette check: a data tree seeded with every kind of problem, each
// reported once with its line; a fresh tree from init reported clean.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include <sys/stat.h>

#include "chemins.h"
#include "lance.h"

namespace fs = std::filesystem;
using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

std::string Brouille(std::string t) {
    for (char& c : t) c = static_cast<char>(c ^ 0xA5);
    return t;
}

const std::string D = "jeu/InfosQuizz/";

void ArbreAbime() {
    fs::create_directories(D + "questions/images");
    fs::create_directories(D + "joueurs/DEMO");
    WriteFile("jeu/correct.mp3", "son");
    WriteFile("jeu/incorrect.mp3", "son");
    WriteFile(D + "questions/images/Chat.png", "image");
    // 75 questions and no time per answer: two errors in one file.
    WriteFile(D + "infos/infos_jeu_DEMO0", "T\nTh\nEntete\n0\n75\n5\n3\n0\n");
    // A title converted twice, a header too long: warnings only (the file
    // saved in UTF-8, which the game converts).
    WriteFile(D + "infos/infos_jeu_DEMO",
              "Quiz d\xC3\x83\xC2\xA9mo\nTh\nUn en-t\xC3\xAAte de classe bien plus long que quarante-huit\n"
              "0\n3\n5\n3\n30\n");
    WriteFile(D + "infos/infos_quizz_DEMO",
              "4\nDUPONT\nL\xE9" "a\nC.P.\nMARTIN\nHugo\nC.P.\ndupont\nL\xC9" "A\nC.P.\n"
              "A/B\nNoa\nC.P.\nEXTRA\n");
    WriteFile(D + "questions/vorlines_DEMO",
              Brouille("Titre\nTheme\nlibre\n"
                       "Question A\xA7" "b|suite\xA7" "chat.png\n" + std::string(60, 'x') +
                       "\nok\nok\nok\xA7" "absent.png\n5\n--\n"
                       "Question 2\r\na\r\nb\nc\nd\n2\n--\n"
                       "Q3\na\n"));
}

TEST(Check, ReportsEachSeededProblemOnceWithItsLine) {
    ScratchDir dossier;
    ArbreAbime();
    const Sortie s = Pivolette("check jeu");
    EXPECT_EQ(s.code, 1);
    const std::string r = D + "infos/infos_jeu_DEMO";
    const std::string l = D + "infos/infos_quizz_DEMO";
    const std::string q = D + "questions/vorlines_DEMO";
    const char* attendus[] = {"0:5: error: le nombre de questions vaut 75",
                              "0:8: error: le temps par r\xC3\xA9ponse vaut 0"};
    for (const char* a : attendus) EXPECT_EQ(Occurrences(s.out, r + a), 1) << a << "\n" << s.out;
    EXPECT_EQ(Occurrences(s.out, r + ":1: warning: \xC2\xAB Quiz d\xC3\x83\xC2\xA9mo"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, r + ":3: warning: ligne de 53 caract\xC3\xA8res"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, l + ":8: error: m\xC3\xAAme nom et m\xC3\xAAme pr\xC3\xA9nom que l'\xC3\xA9l\xC3\xA8ve de la ligne 2"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, l + ":11: warning: \xC2\xAB A/B \xC2\xBB ne peut pas servir"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, l + ":14: warning: la liste annonce 4"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, q + ":4:11: warning: \xC2\xAB \xC2\xA7 \xC2\xBB avant"), 1) << s.out;
    // "chat.png" for "Chat.png": lost where capitals count, found with a
    // warning on a disk where they do not (Windows).
    const bool casse = !fs::exists(D + "questions/images/chat.png");
    EXPECT_EQ(Occurrences(s.out, q + ":4: error: questions/images/chat.png est introuvable : le dossier a \xC2\xAB Chat.png"), casse ? 1 : 0) << s.out;
    EXPECT_EQ(Occurrences(s.out, q + ":4: warning: questions/images/chat.png est trouv\xC3\xA9 sous le nom \xC2\xAB Chat.png"), casse ? 0 : 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, q + ":5: error: ligne de r\xC3\xA9ponse de 60"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, q + ":8: error: questions/images/absent.png est introuvable\n"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, q + ":9:1: error: la bonne r\xC3\xA9ponse"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, q + ":11: warning: fins de ligne CR LF"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, q + ":19: error: le fichier n'a que 2 question(s)"), 1) << s.out;
    EXPECT_NE(s.out.find(casse ? "8 erreur(s), 6 avertissement(s)." : "7 erreur(s), 7 avertissement(s)."), std::string::npos) << s.out;
}

// A class folder with accents: made, checked and read back under its own
// name, which the messages write as the teacher typed it.
TEST(Check, AFolderWithAccentsIsMadeCheckedAndNamedAsTyped) {
    ScratchDir dossier;
    const std::string classe = "Cours de Zo\xC3\xAB et \xC5\x81ukasz \xE2\x82\xAC";  // Ł: no Windows-1252 letter
    ASSERT_EQ(Pivolette("init \"" + classe + "\"").code, 0);
    EXPECT_TRUE(fs::is_regular_file(CheminFs(classe + "/InfosQuizz/questions/vorlines_DEMO")));
    const Sortie s = Pivolette("check \"" + classe + "\"");
    EXPECT_EQ(s.code, 0) << s.out << s.err;
    WriteFile(CheminFs(classe + "/InfosQuizz/joueurs/DEMO/court.txt"), "A\nB\n");
    const Sortie r = Pivolette("results \"" + classe + "\"");
    EXPECT_EQ(Occurrences(r.err, classe + "/InfosQuizz/joueurs/DEMO/court.txt:2: error:"), 1) << r.err;
}

TEST(Check, MediaAreLookedForInTheirFolderUnderTheNameTheGameDraws) {
    ScratchDir dossier;
    ASSERT_EQ(Pivolette("init jeu").code, 0);
    fs::remove("jeu/quiz.txt");  // the quiz below is written scrambled, without its text
    WriteFile(D + "questions/images/carte.jpg", "image");
    WriteFile(D + "questions/sons/notes.mp3", "son");
    WriteFile(D + "infos/infos_jeu_DEMO", "T\nTh\nE\n1\n5\n5\n3\n30\n");
    WriteFile(D + "infos/infos_jeu_DEMO0", "T\nTh\nE\n1\n2\n5\n3\n30\n");
    WriteFile(D + "questions/vorlines_DEMO",
              Brouille("T\nTh\nx\n"
                       "Sur la carte\xA7_carte.jpg\nun\xA7notes.mp3\nb\nc\nd\n1\n--\n"
                       "Ecoute|bien\xB5notes.mp3\nun\xB5 ~\nb\nc\nd\xA7\n2\n--\n"
                       "Regarde~film.mp4\na\nb\nc\nd\n3\n--\n"
                       "Petite\xA7_ma_carte.jpg\na\nb\nc\nd\n3\n--\n"
                       "A|x\xA7|C~\na\nb\nc\nd\n3\n--\n"));
    const Sortie s = Pivolette("check jeu");
    const std::string q = D + "questions/vorlines_DEMO";
    // "_carte.jpg" is drawn from carte.jpg; notes.mp3 is no picture.
    EXPECT_EQ(Occurrences(s.out, q + ":4:"), 0) << s.out;
    EXPECT_EQ(Occurrences(s.out, q + ":5: error: questions/images/notes.mp3 est introuvable"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, q + ":11:"), 0) << s.out;
    EXPECT_EQ(Occurrences(s.out, q + ":12:"), 0) << s.out;  // "µ" and "~" are text in an answer
    EXPECT_EQ(Occurrences(s.out, q + ":15:2: warning: signe de m\xC3\xA9" "dia sans nom"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, q + ":18: error: questions/videos/film.mp4 est introuvable"), 1) << s.out;
    // A thumbnail-only name ends at its second "_": the message says so.
    EXPECT_EQ(Occurrences(s.out, q + ":25: error: questions/images/ma (nomm\xC3\xA9" "e \xC2\xAB _ma_carte.jpg"), 1) << s.out;
    // A marker in the middle line is text; the one that ends the last line names nothing.
    EXPECT_EQ(Occurrences(s.out, q + ":32:4: warning: \xC2\xAB \xC2\xA7 \xC2\xBB avant"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, q + ":32:7: warning: signe de m\xC3\xA9" "dia sans nom"), 1) << s.out;
    EXPECT_NE(s.out.find("3 erreur(s), 5 avertissement(s)."), std::string::npos) << s.out;
}

TEST(Check, MissingFilesAndAPupilListThatEndsEarly) {
    ScratchDir dossier;
    fs::create_directories(D + "infos");
    WriteFile(D + "infos/infos_jeu_DEMO", "T\nTh\nE\n0\n3\n5\n3\n30\n");
    WriteFile(D + "infos/infos_quizz_DEMO", "3\nDUPONT\nLea\nCP\nMARTIN\n");
    const Sortie s = Pivolette("check jeu/InfosQuizz");  // the data folder itself
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(Occurrences(s.out, D + "infos/infos_jeu_DEMO0: error: fichier de r\xC3\xA9glages introuvable"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, D + "questions/vorlines_DEMO: error: fichier de questions introuvable"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, D + "infos/infos_quizz_DEMO:5: error: la liste annonce 3"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, "correct.mp3: warning"), 2) << s.out;

    EXPECT_EQ(Pivolette("check nulle-part").code, 2);
    EXPECT_EQ(Pivolette("check jeu en-trop").code, 2);
}

TEST(Check, AGameReadsTheListOnlyWhenAClassUsesIt) {
    ScratchDir dossier;
    fs::create_directories(D + "infos");
    WriteFile(D + "infos/infos_jeu_DEMO", "T\nTh\nE\n1\n5\n5\n3\n30\n");
    WriteFile(D + "infos/infos_jeu_DEMO0", "T\nTh\nE\n1\n3\n5\n3\n30\n");
    const Sortie s = Pivolette("check jeu");
    EXPECT_EQ(Occurrences(s.out, "infos_quizz_DEMO"), 0) << s.out;
}

TEST(Check, AFreshTreeFromInitIsReadyToPlay) {
    ScratchDir dossier;
    ASSERT_EQ(Pivolette("init classe").code, 0);
    WriteFile("classe/correct.mp3", "son");
    WriteFile("classe/incorrect.mp3", "son");
    const Sortie s = Pivolette("check classe");
    EXPECT_EQ(s.code, 0) << s.out;
    EXPECT_NE(s.out.find("Aucun probl\xC3\xA8me"), std::string::npos) << s.out;
    // init never replaces a tree.
    WriteFile("classe/quiz.txt", "mon quiz");
    EXPECT_EQ(Pivolette("init classe").code, 1);
    EXPECT_EQ(ReadFile("classe/quiz.txt"), "mon quiz");
}

}  // namespace

namespace {

// Files a hostile pupil or a broken copy could leave: the tool refuses them
// as the game does, by name, at once (no hang on a FIFO, no endless read of
// a device, no 100 MB read).
TEST(Check, HostileFilesAreRefusedAsTheGameRefusesThem) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: a FIFO, a link to /dev/zero";
#else
    ScratchDir dossier;
    fs::create_directories(D + "questions/images");
    WriteFile("jeu/correct.mp3", "son");
    WriteFile("jeu/incorrect.mp3", "son");
    WriteFile(D + "infos/infos_jeu_DEMO", std::string("T\nTh\nE\n1\n1\0 4\n5\n3\n30\n", 21));
    ASSERT_EQ(::mkfifo((D + "infos/infos_jeu_DEMO0").c_str(), 0600), 0);
    WriteFile(D + "infos/secret.png", "image");
    WriteFile("dehors.png", "image");
    fs::create_symlink(fs::absolute("dehors.png"), D + "questions/images/lien.png");
    WriteFile(D + "questions/vorlines_DEMO",
              Brouille("T\nT\n\nQ1\xA7../../infos/secret.png\na\nb\nc\nd\n1\n--\n"
                       "Q2\xA7lien.png\na\nb\nc\nd\n1\n--\n"));
    Sortie s = Pivolette("check jeu");
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(Occurrences(s.out, D + "infos/infos_jeu_DEMO:5: error: un nombre de 1 \xC3\xA0 3 chiffres"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, D + "infos/infos_jeu_DEMO0: error: \xC2\xAB " + D + "infos/infos_jeu_DEMO0 \xC2\xBB n'est pas un fichier ordinaire"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, D + "questions/vorlines_DEMO:4: error: le nom \xC2\xAB ../../infos/secret.png \xC2\xBB sort du dossier"), 1) << s.out;
    EXPECT_EQ(Occurrences(s.out, D + "questions/vorlines_DEMO:11: error: questions/images/lien.png est un lien qui sort du dossier"), 1) << s.out;

    fs::remove(D + "questions/vorlines_DEMO");
    fs::create_symlink("/dev/zero", D + "questions/vorlines_DEMO");
    for (const char* commande : {"check jeu", "show jeu/InfosQuizz/questions/vorlines_DEMO",
                                 "decode jeu/InfosQuizz/questions/vorlines_DEMO"}) {
        s = Pivolette(commande);
        EXPECT_NE(s.code, 0) << commande;
        EXPECT_NE((s.out + s.err).find("vorlines_DEMO \xC2\xBB n'est pas un fichier ordinaire"), std::string::npos) << commande << s.out << s.err;
    }
    fs::remove(D + "questions/vorlines_DEMO");
    WriteFile(D + "questions/vorlines_DEMO", "");
    fs::resize_file(D + "questions/vorlines_DEMO", 100 * 1024 * 1024);  // sparse
    s = Pivolette("show jeu/InfosQuizz/questions/vorlines_DEMO");
    EXPECT_EQ(s.code, 2);
    EXPECT_NE(s.err.find("vorlines_DEMO \xC2\xBB est trop grand"), std::string::npos) << s.err;
#endif
}

}  // namespace

// The quiz text beside InfosQuizz must be the scrambled quiz's: an edit
// after the last `encode` is an error naming the command to run again.
TEST(Check, TheQuizTextBesideTheScrambledQuiz) {
    const struct {
        const char* texte;        // written over jeu/quiz.txt; nullptr: left as init wrote it
        int decalage;             // seconds the text is dated after the scrambled file
        const char* attendu;      // in check's output; nullptr: no word about the text
        int code;
    } cas[] = {
        {nullptr, 0, nullptr, 0},
        {"T\nTh\nx\nQ\nA\nB\nC\nD\n1\n--\n", 60, "jeu/quiz.txt: error: modifi\u00e9 le ", 1},
        {"T\nTh\nx\nQ\nA\nB\nC\nD\n1\n--\n", -60, "jeu/quiz.txt: warning: plus ancien (", 0},
    };
    for (const auto& c : cas) {
        ScratchDir dossier;
        ASSERT_EQ(Pivolette("init jeu").code, 0);
        if (c.texte) WriteFile("jeu/quiz.txt", c.texte);
        const auto quizz = fs::last_write_time(D + "questions/vorlines_DEMO");
        fs::last_write_time("jeu/quiz.txt", quizz + std::chrono::seconds(c.decalage));
        const Sortie s = Pivolette("check jeu");
        EXPECT_EQ(s.code, c.code) << s.out;
        EXPECT_EQ(Occurrences(s.out, "jeu/quiz.txt"), c.attendu ? 2 : 0) << s.out;  // the file and the command
        if (c.attendu) {
            EXPECT_EQ(Occurrences(s.out, c.attendu), 1) << s.out;
        }
    }
}

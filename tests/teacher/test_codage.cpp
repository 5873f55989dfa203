// pivolette encode and decode: the scrambled quiz file both ways.
#include <gtest/gtest.h>

#include <filesystem>

#include "lance.h"

namespace fs = std::filesystem;
using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

const std::string BLOC = "Q\nA\nB\nC\nD\n1\n--\n";

// The same quiz in UTF-8 and in Windows-1252.
const std::string QUIZ_UTF8 =
    "Quiz d\xC3\xA9mo\nTh\xC3\xA8me \xE2\x82\xAC\nlibre\n"
    "Combien co\xC3\xBBte \xC2\xA7 ?|ligne 2\xC2\xB5son.mp3\n"
    "1 \xE2\x82\xAC\nune r\xC3\xA9ponse\xC2\xA7image.png\n\xC5\x93uf\n4\n2\n--\n";
const std::string QUIZ_1252 =
    "Quiz d\xE9mo\nTh\xE8me \x80\nlibre\n"
    "Combien co\xFBte \xA7 ?|ligne 2\xB5son.mp3\n"
    "1 \x80\nune r\xE9ponse\xA7image.png\n\x9C" "uf\n4\n2\n--\n";

std::string Brouille(std::string t) {
    for (char& c : t) c = static_cast<char>(c ^ 0xA5);
    return t;
}

TEST(Encode, Utf8AndWindows1252TextsGiveTheSameScrambledFile) {
    ScratchDir dossier;
    WriteFile("utf8.txt", QUIZ_UTF8);
    WriteFile("cp1252.txt", QUIZ_1252);
    ASSERT_EQ(Pivolette("encode utf8.txt").code, 0);
    ASSERT_EQ(Pivolette("encode cp1252.txt -o autre").code, 0);
    EXPECT_EQ(ReadFile("utf8"), Brouille(QUIZ_1252));
    EXPECT_EQ(ReadFile("autre"), ReadFile("utf8"));
    EXPECT_FALSE(fs::exists("utf8.tmp-pivolette"));
}

TEST(Encode, DecodeGivesBackTheBytesBothWays) {
    ScratchDir dossier;
    WriteFile("quiz.txt", QUIZ_UTF8);
    ASSERT_EQ(Pivolette("encode quiz.txt").code, 0);
    ASSERT_EQ(Pivolette("decode quiz -o retour.txt").code, 0);
    EXPECT_EQ(ReadFile("retour.txt"), QUIZ_UTF8);
    ASSERT_EQ(Pivolette("decode quiz --cp1252 -o brut.txt").code, 0);
    EXPECT_EQ(ReadFile("brut.txt"), QUIZ_1252);
    // Without -o the plain text goes to standard output.
    EXPECT_EQ(Pivolette("decode quiz").out, QUIZ_UTF8);

    // A scrambled file holding the bytes Windows-1252 leaves undefined comes
    // back byte for byte through its UTF-8 text.
    const std::string etrange = "T\x81\x8D\nTh\x9D\nx\n" + BLOC;
    WriteFile("etrange", Brouille(etrange));
    ASSERT_EQ(Pivolette("decode etrange -o etrange.txt").code, 0);
    ASSERT_EQ(Pivolette("encode etrange.txt -o etrange2").code, 0) << ReadFile("sortie.err");
    EXPECT_EQ(ReadFile("etrange2"), ReadFile("etrange"));
}

TEST(Encode, LineEndsBecomeBareLineFeeds) {
    ScratchDir dossier;
    std::string windows = "\xEF\xBB\xBF";
    std::string mac;
    for (char c : QUIZ_UTF8) {
        windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
        mac += c == '\n' ? '\r' : c;
    }
    WriteFile("windows.txt", windows);
    WriteFile("mac.txt", mac);
    ASSERT_EQ(Pivolette("encode windows.txt").code, 0);
    ASSERT_EQ(Pivolette("encode mac.txt").code, 0);
    EXPECT_EQ(ReadFile("windows"), Brouille(QUIZ_1252));
    EXPECT_EQ(ReadFile("mac"), Brouille(QUIZ_1252));
}

TEST(Encode, RefusesCharactersWindows1252CannotHoldWithLineAndColumn) {
    ScratchDir dossier;
    WriteFile("quiz.txt", "Titre\nTh\xC3\xA8me\nlibre\nA \xE2\x86\x92 B\n1\n2\n3\n4\n1\n--\n");
    const Sortie s = Pivolette("encode quiz.txt");
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(Occurrences(s.err, "quiz.txt:4:3: error:"), 1) << s.err;
    EXPECT_FALSE(fs::exists("quiz"));

    // Forced to UTF-8, a malformed sequence is named too.
    WriteFile("mal.txt", "Titre\n\xC3(\nx\n" + BLOC);
    const Sortie m = Pivolette("encode --utf8 mal.txt");
    EXPECT_EQ(m.code, 1);
    EXPECT_NE(m.err.find("mal.txt:2:1: error:"), std::string::npos) << m.err;
}

TEST(Encode, RefusesTextsTheGameWouldCutOrMisread) {
    ScratchDir dossier;
    WriteFile("a.txt", "T\nTh\nx\nQ\nA\nB\nC\nD\n7\n--\n");
    const Sortie a = Pivolette("encode a.txt");
    EXPECT_EQ(a.code, 1);
    EXPECT_NE(a.err.find("a.txt:9:1: error: la bonne r\xC3\xA9ponse"), std::string::npos) << a.err;

    WriteFile("b.txt", "T\nTh\nx\nQ\n" + std::string(60, 'r') + "\nB\nC\nD\n1\n--\n");
    EXPECT_NE(Pivolette("encode b.txt").err.find("b.txt:5: error: ligne de r\xC3\xA9ponse de 60"), std::string::npos);

    WriteFile("c.txt", "T\nTh\nx\nQ\nA\nB\nC\nD\n1\n--\nQ2\nA\n");
    EXPECT_EQ(Pivolette("encode c.txt").code, 1);
    EXPECT_FALSE(fs::exists("a") || fs::exists("b") || fs::exists("c"));
}

TEST(Encode, NeverOverwritesItsInputAndReportsUsage) {
    ScratchDir dossier;
    WriteFile("quiz.txt", QUIZ_UTF8);
    EXPECT_EQ(Pivolette("encode quiz.txt -o quiz.txt").code, 2);
    EXPECT_EQ(Pivolette("encode quiz.txt -o ./quiz.txt").code, 2);
    EXPECT_EQ(ReadFile("quiz.txt"), QUIZ_UTF8);
    WriteFile("quiz", "ancien");
    EXPECT_EQ(Pivolette("encode quiz").code, 2);  // no .txt and no -o
    EXPECT_EQ(ReadFile("quiz"), "ancien");
    EXPECT_EQ(Pivolette("encode absent.txt").code, 2);
    EXPECT_EQ(Pivolette("encode").code, 2);
    EXPECT_EQ(Pivolette("encode quiz.txt --inconnue").code, 2);
    const Sortie aide = Pivolette("encode --help");
    EXPECT_EQ(aide.code, 0);
    EXPECT_NE(aide.out.find("usage : pivolette encode"), std::string::npos);
    EXPECT_EQ(Pivolette("frobnique").code, 2);
}

}  // namespace

// No command replaces a file it did not write without --force: the file
// stays as it was; a file the command wrote, or the same bytes, are fine.
TEST(Encode, NoCommandReplacesAFileItDidNotWrite) {
    const struct {
        const char* commande;
        const char* cible;
        std::string present;  // what the target held before
        bool remplace;
    } cas[] = {
        {"encode quiz.txt -o cible", "cible", "notes de la maîtresse\n", false},
        {"encode quiz.txt -o cible --force", "cible", "notes de la maîtresse\n", true},
        {"encode quiz.txt -o cible", "cible", Brouille("Ancien\nTh\nx\n" + BLOC), true},  // a scrambled quiz
        {"decode quiz -o cible", "cible", "mon quiz corrigé à la main\n", false},
        {"decode quiz -o cible --force", "cible", "mon quiz corrigé à la main\n", true},
        {"decode quiz -o cible", "cible", QUIZ_UTF8, true},  // the same bytes
        {"import gift export.gift -o cible", "cible", "Quiz\nTh\nlibre\n" + BLOC, false},
        {"import gift export.gift -o cible --force", "cible", "Quiz\nTh\nlibre\n" + BLOC, true},
        {"import gift export.gift -o cible", "cible", "Quiz\nTh\nImporté par pivolette import depuis a.gift\n", true},
    };
    ScratchDir dossier;
    WriteFile("quiz.txt", QUIZ_UTF8);
    WriteFile("export.gift", "Deux et deux ?{=quatre ~cinq}\n");
    ASSERT_EQ(Pivolette("encode quiz.txt").code, 0);
    for (const auto& c : cas) {
        WriteFile(c.cible, c.present);
        const Sortie s = Pivolette(c.commande);
        EXPECT_EQ(s.code, c.remplace ? 0 : 1) << c.commande << s.err;
        EXPECT_EQ(ReadFile(c.cible) != c.present || c.present == QUIZ_UTF8, c.remplace) << c.commande;
        if (!c.remplace) {
            EXPECT_NE(s.err.find("--force"), std::string::npos) << c.commande << s.err;
        }
    }
}

// A right answer the game would misread is an error with its line.
TEST(Encode, RightAnswersThatPointNowhere) {
    const struct {
        const char* bloc;
        const char* erreur;  // nullptr: accepted
    } cas[] = {
        {"Q\nA\nB\nC\nD\n4\n--\n", nullptr},
        {"Q\nA\nB\n\n\n2 (B)\n--\n", nullptr},
        {"Q\nA\nB\n\n\n3\n--\n", "quiz.txt:9:1: error: la bonne r\u00e9ponse 3 d\u00e9signe une case vide (ligne 7)"},
        {"Q\nA\nB\nC\nD\n23\n--\n", "quiz.txt:9:2: error: \u00ab 23 \u00bb : le jeu ne lit que le premier chiffre"},
        {"Q\nA\nB\nC\n\u00a7chat.png\n4\n--\n", nullptr},  // a picture alone is an answer
    };
    ScratchDir dossier;
    for (const auto& c : cas) {
        WriteFile("quiz.txt", std::string("T\nTh\nx\n") + c.bloc);
        const Sortie s = Pivolette("encode quiz.txt -o quiz --force");
        EXPECT_EQ(s.code, c.erreur ? 1 : 0) << c.bloc << s.err;
        if (c.erreur) {
            EXPECT_EQ(Occurrences(s.err, c.erreur), 1) << s.err;
        }
    }
}

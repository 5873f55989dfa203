// The quiz's texts measured with the game's fonts and boxes: `encode` says,
// line and column, which answer the game will shrink and which it must wrap.
#include <gtest/gtest.h>

#include <string>

#include "lance.h"

using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

// The size the game settles on, read from "… de la taille 28 à 19 (…".
int TailleFinale(const std::string& err, std::size_t debut) {
    const std::size_t a = err.find(" \u00e0 ", err.find("de la taille ", debut));
    return std::stoi(err.substr(a + 4));
}

// Answers of 2 to 58 "m", one a question: their growing widths cross first
// the layout's size (the game shrinks them, less and less large), then the
// smallest legible size (the game wraps them). The reports follow in that
// order, each answer once.
TEST(Mesure, AnswersCrossTheBoxAtTheBoundaries) {
    constexpr int QUESTIONS = 29;
    std::string quiz = "Largeurs\nTh\nx\n";
    for (int q = 0; q < QUESTIONS; ++q) quiz += "Q\n" + std::string(2 + 2 * q, 'm') + "\nb\nc\nd\n1\n--\n";
    ScratchDir dossier;
    WriteFile("quiz.txt", quiz);
    const Sortie s = Pivolette("encode quiz.txt");
    ASSERT_EQ(s.code, 0) << s.err;
    int etat = 0;  // 0 fits, 1 shrunk, 2 wrapped
    int premier_reduit = -1, premier_coupe = -1, taille = 28;
    for (int q = 0; q < QUESTIONS; ++q) {
        const std::string ligne = "quiz.txt:" + std::to_string(5 + 7 * q) + ":1: warning: texte ";
        const std::size_t reduit = s.err.find(ligne + "r\u00e9duit par le jeu");
        const std::size_t coupe = s.err.find(ligne + "coup\u00e9 par le jeu en ");
        const int e = coupe != std::string::npos ? 2 : reduit != std::string::npos ? 1 : 0;
        EXPECT_GE(e, etat) << q << s.err;
        EXPECT_LE(Occurrences(s.err, ligne), 1) << s.err;
        if (e == 1) {
            const int t = TailleFinale(s.err, reduit);
            EXPECT_LE(t, taille) << q << s.err;
            EXPECT_LT(t, 28) << q << s.err;
            taille = t;
            if (premier_reduit < 0) premier_reduit = q;
        }
        if (e == 2 && premier_coupe < 0) premier_coupe = q;
        etat = e;
    }
    EXPECT_GT(premier_reduit, 1) << s.err;  // short answers fit as laid out
    EXPECT_GT(premier_coupe, premier_reduit) << s.err;
    EXPECT_EQ(Occurrences(s.err, "quiz.txt:4:"), 0) << s.err;  // "Q" fits
}

}  // namespace

// The shuffle of the loaded quiz: records stay whole, only orders reached by
// an even number of exchanges occur, and small quizzes are handled.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "etat.h"
#include "internal.h"

namespace {

// Each test shuffles its own fresh records.
class Melange : public ::testing::Test {
protected:
    // Fills the n first records so that every field names its record.
    void RemplitQuestions(int n) {
        Classe.NombreQuestions = n;
        std::memset(Jeu.Question, 0, sizeof Jeu.Question);
        for (int q = 0; q < n; ++q) {
            FicheQuestion& r = Jeu.Question[q];
            std::snprintf(r.Enonce1, sizeof r.Enonce1, "E1-%d", q);
            std::snprintf(r.Enonce2, sizeof r.Enonce2, "E2-%d", q);
            std::snprintf(r.Enonce3, sizeof r.Enonce3, "E3-%d", q);
            std::snprintf(r.Image, sizeof r.Image, "I-%d", q);
            std::snprintf(r.Son, sizeof r.Son, "S-%d", q);
            std::snprintf(r.Video, sizeof r.Video, "V-%d", q);
            for (int a = 0; a < 4; ++a) {
                FicheReponse& rep = r.Reponse[a];
                std::snprintf(rep.Ligne1, sizeof rep.Ligne1, "L1-%d-%d", q, a);
                std::snprintf(rep.Ligne2, sizeof rep.Ligne2, "L2-%d-%d", q, a);
                std::snprintf(rep.Ligne3, sizeof rep.Ligne3, "L3-%d-%d", q, a);
                std::snprintf(rep.Image, sizeof rep.Image, "A-%d-%d", q, a);
            }
            std::snprintf(r.BonneReponse, sizeof r.BonneReponse, "%d", 1 + q % 4);
        }
    }

    // The record each position now holds, checking that every field of the
    // position came from that same record, its place in the file included.
    std::vector<int> Ordre(int n) {
        std::vector<int> ordre;
        for (int p = 0; p < n; ++p) {
            const FicheQuestion& r = Jeu.Question[p];
            int q = -1;
            EXPECT_EQ(std::sscanf(r.Enonce1, "E1-%d", &q), 1);
            char attendu[64];
            std::snprintf(attendu, sizeof attendu, "E3-%d", q);
            EXPECT_STREQ(r.Enonce3, attendu);
            std::snprintf(attendu, sizeof attendu, "V-%d", q);
            EXPECT_STREQ(r.Video, attendu);
            std::snprintf(attendu, sizeof attendu, "A-%d-3", q);
            EXPECT_STREQ(r.Reponse[3].Image, attendu);
            std::snprintf(attendu, sizeof attendu, "L2-%d-1", q);
            EXPECT_STREQ(r.Reponse[1].Ligne2, attendu);
            EXPECT_EQ(r.BonneReponse[0], '0' + 1 + q % 4);
            EXPECT_EQ(r.NumeroFichier, q + 1);
            ordre.push_back(q);
        }
        return ordre;
    }

    Reglages Classe;
    Partie Jeu;
};

// Even when the number of inversions is even.
bool Paire(const std::vector<int>& ordre) {
    int inversions = 0;
    for (size_t a = 0; a < ordre.size(); ++a)
        for (size_t b = a + 1; b < ordre.size(); ++b) inversions += ordre[a] > ordre[b];
    return inversions % 2 == 0;
}

std::vector<int> Identite(int n) {
    std::vector<int> ordre(n);
    for (int q = 0; q < n; ++q) ordre[q] = q;
    return ordre;
}

TEST_F(Melange, ZeroOrOneQuestionIsLeftAsItIs) {
    lc::SeedRandom(1);
    RemplitQuestions(0);
    MelangeQuestions(Jeu, Classe.NombreQuestions);
    EXPECT_STREQ(Jeu.Question[0].Enonce1, "");
    RemplitQuestions(1);
    MelangeQuestions(Jeu, Classe.NombreQuestions);  // must return: there is no second record to draw
    EXPECT_EQ(Ordre(1), Identite(1));
}

TEST_F(Melange, TwoQuestionsKeepTheFileOrder) {
    for (unsigned graine = 0; graine < 20; ++graine) {
        lc::SeedRandom(graine);
        RemplitQuestions(2);
        MelangeQuestions(Jeu, Classe.NombreQuestions);
        EXPECT_EQ(Ordre(2), Identite(2));
    }
}

TEST_F(Melange, ThreeQuestionsReachExactlyTheThreeEvenOrders) {
    std::set<std::vector<int>> vus;
    for (unsigned graine = 0; graine < 200; ++graine) {
        lc::SeedRandom(graine);
        RemplitQuestions(3);
        MelangeQuestions(Jeu, Classe.NombreQuestions);
        vus.insert(Ordre(3));
    }
    const std::set<std::vector<int>> pairs = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}};
    EXPECT_EQ(vus, pairs);
}

TEST_F(Melange, LargerQuizzesGetEvenPermutationsOfWholeRecords) {
    int deplaces = 0;
    for (int n : {4, 5, 14, 59, 60}) {
        for (unsigned graine = 0; graine < 10; ++graine) {
            lc::SeedRandom(graine * 7919 + n);
            RemplitQuestions(n);
            MelangeQuestions(Jeu, Classe.NombreQuestions);
            std::vector<int> ordre = Ordre(n);
            EXPECT_TRUE(Paire(ordre)) << "n = " << n;
            deplaces += ordre != Identite(n);
            std::sort(ordre.begin(), ordre.end());
            EXPECT_EQ(ordre, Identite(n));  // each record once
        }
    }
    EXPECT_GT(deplaces, 40);  // the order does change
}

TEST_F(Melange, TouchesNeitherTheRecordsBeyondTheQuizNorTheAnswers) {
    lc::SeedRandom(5);
    RemplitQuestions(6);
    Classe.NombreQuestions = 4;
    std::memset(Jeu.JoueurSolo, 0, sizeof Jeu.JoueurSolo);
    MelangeQuestions(Jeu, Classe.NombreQuestions);
    EXPECT_STREQ(Jeu.Question[4].Enonce1, "E1-4");
    EXPECT_STREQ(Jeu.Question[5].Enonce1, "E1-5");
    std::vector<int> ordre = Ordre(4);
    std::sort(ordre.begin(), ordre.end());
    EXPECT_EQ(ordre, Identite(4));
    for (unsigned char reponse : Jeu.JoueurSolo) EXPECT_EQ(reponse, 0);
}

TEST(EchangerStr, ExchangesTextsUpToTheirTerminators) {
    char a[8] = "abc\0XYZ";
    char b[8] = "d\0EFGHI";
    EchangerStr(a, b, sizeof a);
    EXPECT_STREQ(a, "d");
    EXPECT_STREQ(b, "abc");
    EXPECT_EQ(a[3], '\0');  // "d", its NUL, then the rest of "abc" stays
    EXPECT_EQ(a[2], 'c');
    EXPECT_EQ(b[6], 'I');
}

TEST(EchangerStr, LongestFieldsMoveWhole) {
    char a[256];
    char b[256];
    std::memset(a, 'a', 255);
    a[255] = '\0';
    std::strcpy(b, "court");
    EchangerStr(a, b, sizeof a);
    EXPECT_STREQ(a, "court");
    EXPECT_EQ(std::strlen(b), 255u);
    EXPECT_EQ(b[254], 'a');
}

}  // namespace

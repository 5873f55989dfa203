// Whole runs to the end of the quiz: the correction review of each question
// in the order the pupil met them, Escape, the final score, the credits,
// the exit code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "couleurs.h"
#include "correction.h"
#include "etat.h"
#include "test_extraits_outils.h"

namespace {

using partie::kBoites;

// Five questions whose right answer is always 2, so that the shuffled
// order does not change the colours.
std::vector<partie::QuestionTest> CinqQuestions() {
    std::vector<partie::QuestionTest> q;
    const char* enonces[5] = {"Quel fruit est jaune ?", "Quel fruit est rouge ?", "Quel fruit est vert ?",
                              "Quel fruit est violet ?", "Quel fruit est orange ?"};
    for (const char* e : enonces) q.push_back({e, {"la pomme", "la banane", "la fraise", "la prune"}, "2"});
    return q;
}

void Clique(int n) {
    const partie::Boite b = kBoites[n - 1];
    harness::ClickAt((b.x1 + b.x2) / 2, (b.y1 + b.y2) / 2);
}

// Plays the five questions: right, wrong 3, time out, right, wrong 1. The
// first review screen is then up (the five-second notice has passed).
void JoueCinq() {
    extraits::Arbre(CinqQuestions(), 5);
    extraits::JusquAuxQuestions();
    harness::Advance(1000);
    Clique(2);
    harness::Advance(1000);
    Clique(3);
    harness::Advance(5000);
    harness::Advance(1000);
    Clique(2);
    harness::Advance(1000);
    Clique(1);
}

int Pixels(Couleur c, int n) {
    const partie::Boite b = kBoites[n - 1];
    return partie::CompteCouleur(RGBDe(c), b.x1, b.y1, b.x2, b.y2);
}

// The review screen shows the expected answer (2) in green and answer
// `rouge` in red (0: none); the other answers in neither.
void VerifieCouleurs(int ecran, int rouge) {
    SCOPED_TRACE("review screen " + std::to_string(ecran));
    for (int n = 1; n <= 4; ++n) {
        if (n == 2)
            EXPECT_GT(Pixels(kReponseAttendue, n), 50) << "the expected answer is not green";
        else
            EXPECT_EQ(Pixels(kReponseAttendue, n), 0) << "answer " << n << " in green";
        if (n == rouge)
            EXPECT_GT(Pixels(kReponseFausse, n), 50) << "the wrong answer is not red";
        else
            EXPECT_EQ(Pixels(kReponseFausse, n), 0) << "answer " << n << " in red";
    }
    // The question line, black, in the band.
    EXPECT_GT(partie::CompteCouleur(0x000000, 200, 280, 780, 312), 100);
    // The two footer lines, in blue and dark blue, one above the other
    // without touching.
    int bas9 = -1, haut1 = 10000;
    for (int y = 700; y <= 767; ++y) {
        if (partie::CompteCouleur(RGBDe(kPiedCorrection), 0, y, 1023, y) > 0) bas9 = y;
        if (haut1 == 10000 && partie::CompteCouleur(PaletteRGB(1), 0, y, 1023, y) > 0) haut1 = y;
    }
    EXPECT_GT(bas9, 700) << "no footer in blue";
    EXPECT_LT(haut1, 767) << "no footer in colour 1";
    EXPECT_LT(bas9, haut1) << "the footer lines overlap";
}

class Fin : public ::testing::Test {
protected:
    void TearDown() override {
        if (HasFailure()) harness::SaveShot(::testing::UnitTest::GetInstance()->current_test_info()->name());
        harness::Stop();
    }
    test_support::ScratchDir dossier_;
};

TEST_F(Fin, EachQuestionIsReviewedThenTheScoreAndTheCreditsEndTheRun) {
    JoueCinq();
    ASSERT_TRUE(harness::Healthy());
    ASSERT_FALSE(harness::Finished());
    EXPECT_EQ(extraits::Resultats(), "DUPONT\nMarie\nDEMO\n02\n03\n0009\n");
    const unsigned char codes[5] = {62, 3, 0, 62, 1};
    for (int q = 0; q < 5; ++q) EXPECT_EQ(partie::EnCours().Jeu.JoueurSolo[q], codes[q]) << q;
    const int rouges[5] = {0, 3, 0, 0, 1};
    for (int ecran = 1; ecran <= 5; ++ecran) {
        VerifieCouleurs(ecran, rouges[ecran - 1]);
        EXPECT_EQ(partie::EnCours().Jeu.NumQuestion, ecran);
        // Screens alternately go on by a key and by a click.
        if (ecran % 2 == 1)
            harness::Key(' ');
        else
            harness::ClickAt(500, 700);
    }
    // The score screen: no answer box in green any more; a click is ignored.
    EXPECT_EQ(Pixels(kReponseAttendue, 2), 0);
    EXPECT_GT(partie::CompteCouleur(PaletteRGB(12), 300, 140, 724, 240), 100) << "no score box";
    const int presents = harness::Presents();
    harness::ClickAt(512, 384);
    EXPECT_EQ(harness::Presents(), presents);
    harness::Key('x');
    EXPECT_FALSE(harness::Finished()) << "the credits screen was not shown";
    EXPECT_GT(partie::CompteCouleur(RGBDe(kLigneApropos), 145, 300, 879, 330), 50) << "no credits";
    harness::Key(KEY_ESCAPE);
    ASSERT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 0);
}

TEST_F(Fin, EscapeOnTheThirdReviewScreenEndsTheRunWithoutTheScore) {
    JoueCinq();
    harness::Key('a');
    harness::ClickAt(500, 700);
    VerifieCouleurs(3, 0);
    EXPECT_EQ(partie::EnCours().Jeu.NumQuestion, 3);
    harness::Key(KEY_ESCAPE);
    ASSERT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 0);
    // The last frame shown is still the third review screen.
    VerifieCouleurs(3, 0);
    EXPECT_EQ(extraits::Resultats(), "DUPONT\nMarie\nDEMO\n02\n03\n0009\n");
}

TEST_F(Fin, AButtonHeldDownGoesOnByOneScreenOnly) {
    JoueCinq();
    harness::MoveTo(500, 700);
    harness::Press(1);
    ASSERT_EQ(partie::EnCours().Jeu.NumQuestion, 2);
    VerifieCouleurs(2, 3);
    harness::Advance(2000);
    EXPECT_EQ(partie::EnCours().Jeu.NumQuestion, 2) << "the held button ran through the next screen";
    harness::Release(1);
    EXPECT_EQ(partie::EnCours().Jeu.NumQuestion, 2);
    harness::ClickAt(500, 700);
    EXPECT_EQ(partie::EnCours().Jeu.NumQuestion, 3);
    VerifieCouleurs(3, 0);
}

TEST_F(Fin, AQuizOfOneQuestionShowsOneReviewScreenThenTheScore) {
    extraits::Arbre({{"Quel fruit est jaune ?", {"la pomme", "la banane", "la fraise", "la prune"}, "2"}}, 5);
    extraits::JusquAuxQuestions();
    harness::Advance(1000);
    Clique(4);
    // The review of the only question is up; the score follows one key later.
    VerifieCouleurs(1, 4);
    harness::Key(' ');
    EXPECT_EQ(partie::EnCours().Jeu.NumQuestion, 1);
    EXPECT_EQ(Pixels(kReponseAttendue, 2), 0) << "still on a review screen";
    harness::Key(' ');
    harness::Key(' ');
    ASSERT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 0);
}

}  // namespace

namespace {

// The marks beside the answer boxes of the first review screen, at a screen
// size: the pupil answered 3 (wrong) to the first question he met, and 2
// (right) to the second.
struct TailleMarques {
    int w, h;
};

class MarquesCorrection : public ::testing::TestWithParam<TailleMarques> {
protected:
    void TearDown() override {
        if (HasFailure()) harness::SaveShot("marques_" + std::to_string(GetParam().w));
        harness::Stop();
    }
    int X(int x) const { return x * GetParam().w / 1024; }
    int Y(int y) const { return y * GetParam().h / 768; }
    void Clique(int x, int y) { harness::ClickAt(X(x), Y(y)); }
    // The pixels of colour `c` in the strip beside answer box n, outside it.
    int Marque(Couleur c, int n) const {
        const partie::Boite b = kBoites[n - 1];
        const int x1 = n % 2 == 1 ? 0 : X(b.x2) + 1, x2 = n % 2 == 1 ? X(b.x1) - 1 : GetParam().w - 1;
        return partie::CompteCouleur(RGBDe(c), x1, Y(b.y1), x2, Y(b.y2));
    }
    test_support::ScratchDir dossier_;
};

TEST_P(MarquesCorrection, ACheckBesideTheExpectedAnswerAndACrossBesideTheWrongOneOnly) {
    const std::vector<partie::QuestionTest> cinq = CinqQuestions();
    const std::vector<partie::QuestionTest> deux(cinq.begin(), cinq.begin() + 2);
    extraits::Arbre(deux, 5);
    partie::EcritConfig(GetParam().w, GetParam().h);
    partie::Lance();
    Clique(260, 675);  // C.M.1, then the confirm button
    Clique(998, 30);
    extraits::Entre("dupont");
    extraits::Entre("marie");
    const partie::Point p = partie::CentreCouleur(PaletteRGB(46), 0, Y(400), GetParam().w - 1, GetParam().h - 1);
    harness::ClickAt(p.x, p.y);
    harness::Advance(1000);
    const partie::Boite b3 = kBoites[2], b2 = kBoites[1];
    Clique((b3.x1 + b3.x2) / 2, (b3.y1 + b3.y2) / 2);
    harness::Advance(1000);
    Clique((b2.x1 + b2.x2) / 2, (b2.y1 + b2.y2) / 2);
    harness::Advance(6000);
    ASSERT_FALSE(harness::Finished());
    // A stroke of a few pixels' width over some 40 reference units.
    const int assez = X(30) * Y(8);
    struct Attendu {
        int n, vert, rouge;  // answer, the check's and the cross's presence
    };
    for (const Attendu a : {Attendu{1, 0, 0}, Attendu{2, 1, 0}, Attendu{3, 0, 1}, Attendu{4, 0, 0}}) {
        SCOPED_TRACE("answer " + std::to_string(a.n));
        if (a.vert) EXPECT_GT(Marque(kReponseAttendue, a.n), assez); else EXPECT_EQ(Marque(kReponseAttendue, a.n), 0);
        if (a.rouge) EXPECT_GT(Marque(kReponseFausse, a.n), assez); else EXPECT_EQ(Marque(kReponseFausse, a.n), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(DeuxTailles, MarquesCorrection,
                         ::testing::Values(TailleMarques{640, 480}, TailleMarques{1920, 1080}));

}  // namespace

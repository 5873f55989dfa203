// pivolette show: the records the game's loader makes of the loader's edge
// cases, as JSON and as text.
#include <gtest/gtest.h>

#include "lance.h"

using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

std::string Brouille(std::string t) {
    for (char& c : t) c = static_cast<char>(c ^ 0xA5);
    return t;
}

// One question block whose question line is `q` and first answer `r1`.
std::string Bloc(const std::string& q, const std::string& r1, const std::string& bonne) {
    return q + "\n" + r1 + "\nb\nc\nd\n" + bonne + "\n--\n";
}

const std::string CAS =
    "Titre \"cit\xE9\"\nTh\xE8me\nlibre\n" +
    Bloc("A||C", "r\xB5 ~x", "2 suite") +        // 1: empty middle line; µ ~ plain in answers
    Bloc("A\xA7" "b|C", "un|deux\xA7" "img.png", "4") +  // 2: marker before the last "|"
    Bloc("fin\xA7", "x", "") +                     // 3: marker with no name; no right answer
    Bloc("\xA7" "seule.png", "x", "1") +           // 4: the line begins with the marker
    Bloc("A|B|C|D\xB5son\xA7.mp3", "x", "3");      // 5: a third "|" is text; the rest is the name

TEST(Show, JsonHoldsWhatTheLoaderMadeOfItsEdgeCases) {
    ScratchDir dossier;
    WriteFile("quiz", Brouille(CAS));
    const Sortie s = Pivolette("show quiz --json");
    ASSERT_EQ(s.code, 0) << s.err;
    const std::string& j = s.out;
    EXPECT_NE(j.find("\"titre\": \"Titre \\\"cit\xC3\xA9\\\"\""), std::string::npos) << j;
    EXPECT_NE(j.find("\"enonce\": [\"A\", \"\", \"C\"]"), std::string::npos) << j;
    EXPECT_NE(j.find("\"lignes\": [\"r\xC2\xB5 ~x\", \"\", \"\"], \"image\": \"\""), std::string::npos) << j;
    EXPECT_NE(j.find("\"bonne_reponse\": \"2\""), std::string::npos);
    EXPECT_NE(j.find("\"enonce\": [\"A\xC2\xA7" "b\", \"C\", \"\"],\n     \"image\": \"\""), std::string::npos) << j;
    EXPECT_NE(j.find("\"lignes\": [\"un\", \"deux\", \"\"], \"image\": \"img.png\""), std::string::npos) << j;
    EXPECT_NE(j.find("\"enonce\": [\"fin\", \"\", \"\"],\n     \"image\": \"\""), std::string::npos) << j;
    EXPECT_NE(j.find("\"bonne_reponse\": \"\""), std::string::npos);
    EXPECT_NE(j.find("\"enonce\": [\"\", \"\", \"\"],\n     \"image\": \"seule.png\""), std::string::npos) << j;
    EXPECT_NE(j.find("\"enonce\": [\"A\", \"B\", \"C|D\"],\n     \"image\": \"\", \"son\": \"son\xC2\xA7.mp3\""), std::string::npos) << j;
}

TEST(Show, ReadsAsManyQuestionsAsTheClassAsksAndLeavesMissingOnesEmpty) {
    ScratchDir dossier;
    WriteFile("quiz", Brouille(CAS));
    const Sortie un = Pivolette("show quiz --json --questions 1");
    EXPECT_EQ(Occurrences(un.out, "\"enonce\""), 1);
    const Sortie sept = Pivolette("show quiz --json --questions 7");
    EXPECT_EQ(Occurrences(sept.out, "\"enonce\": [\"\", \"\", \"\"],\n     \"image\": \"\""), 2) << sept.out;
    const Sortie aucune = Pivolette("show quiz --json --questions 0");
    EXPECT_NE(aucune.out.find("\"questions\": [\n  ]"), std::string::npos) << aucune.out;
    EXPECT_EQ(Pivolette("show quiz --questions 61").code, 2);
    EXPECT_EQ(Pivolette("show quiz --questions deux").code, 2);
    EXPECT_EQ(Pivolette("show absent").code, 2);
}

TEST(Show, TextMarksTheRightAnswerAndAQuestionWithout) {
    ScratchDir dossier;
    WriteFile("quiz", Brouille(CAS));
    const Sortie s = Pivolette("show quiz");
    ASSERT_EQ(s.code, 0);
    EXPECT_NE(s.out.find("Question 1\n  | A\n  | \n  | C\n"), std::string::npos) << s.out;
    EXPECT_NE(s.out.find("  2* b\n"), std::string::npos);
    EXPECT_NE(s.out.find("bonne r\xC3\xA9ponse : aucune"), std::string::npos);
    EXPECT_NE(s.out.find("  son : son\xC2\xA7.mp3\n"), std::string::npos);
}

}  // namespace

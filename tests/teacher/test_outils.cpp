// The tool's shared pieces: quoting file text in messages, text conversions,
// the command-line reading.
#include <gtest/gtest.h>

#include "outils.h"

namespace {

TEST(Outils, QuotedTextIsCutAndShowsNoControlCharacter) {
    EXPECT_EQ(Cite("Zo\xEB"), "Zo\xC3\xAB");
    EXPECT_EQ(Cite("a\x1B[2Jb\x81"), "a?[2Jb?");
    const std::string longue(50, 'x');
    EXPECT_EQ(Cite(longue), std::string(40, 'x') + "\xE2\x80\xA6");
}

TEST(Outils, Utf8ToWindows1252ReportsEachBadCharacterWhereItStands) {
    std::string sortie;
    std::vector<Diagnostic> d;
    EXPECT_FALSE(Utf8Vers1252("ab\n\xC3\xA9\xE2\x86\x92x\xFF\n", "f", sortie, d));
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].ligne, 2);
    EXPECT_EQ(d[0].colonne, 2);
    EXPECT_EQ(d[1].colonne, 4);
    EXPECT_EQ(sortie, "ab\n\xE9x\n");
    EXPECT_TRUE(EstUtf8("\xC5\x93"));
    EXPECT_FALSE(EstUtf8("\xE9t\xE9"));
    EXPECT_FALSE(EstUtf8("\xC0\x80"));  // an overlong NUL
    EXPECT_TRUE(ContientSuiteUtf8("Quiz d\xC3\xA9mo"));
    EXPECT_FALSE(ContientSuiteUtf8("Quiz d\xE9mo"));
}

TEST(Outils, LinesAndLineEnds) {
    EXPECT_EQ(FinsDeLigneLF("a\r\nb\rc\n\r"), "a\nb\nc\n\n");
    EXPECT_EQ(DecoupeLignes("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(DecoupeLignes("a\n").size(), 1u);
    EXPECT_EQ(LongueurUtf8("\xC3\xA9t\xC3\xA9"), 3u);
}

TEST(Outils, CommandLineOptionsAndTheirValues) {
    const char* mots[] = {"quiz.txt", "-o", "-", "--json", "--zut"};
    const Arguments a = LitArguments(5, const_cast<char**>(mots), {"--json"}, {"-o"});
    EXPECT_EQ(a.mots, std::vector<std::string>{"quiz.txt"});
    EXPECT_EQ(a.Valeur("-o"), "-");
    EXPECT_TRUE(a.A("--json"));
    EXPECT_EQ(a.inconnue, "--zut");
    const char* court[] = {"quiz.txt", "-o"};
    EXPECT_TRUE(LitArguments(2, const_cast<char**>(court), {}, {"-o"}).valeur_manquante);
}

}  // namespace

// Windows-1252 and UTF-8: the rule that decides a teacher's text file's
// encoding, and the conversions every program shares.
#include <gtest/gtest.h>

#include "encodage.h"

namespace {

struct CasCodage {
    const char* nom;
    std::string octets;
    CodageTexte codage;
    int ligne;    // of the offending byte, 0 when none
    int colonne;
};

TEST(Encodage, OneRuleDecidesATextsEncodingAndPointsAtTheByteItRefuses) {
    const CasCodage cas[] = {
        {"ASCII", "Quiz\nA\n", CodageTexte::Utf8, 0, 0},
        {"UTF-8", "Quiz d\xC3\xA9mo\n\xE2\x82\xAC\n", CodageTexte::Utf8, 0, 0},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBFQuiz d\xC3\xA9mo\n", CodageTexte::Utf8, 0, 0},
        {"Windows-1252", "Quiz d\xE9mo\r\n\x80 \x9C" "uf\n", CodageTexte::Windows1252, 0, 0},
        {"Windows-1252, undefined byte", "Quiz\r\nd\xE9\x81mo\n", CodageTexte::Windows1252, 2, 3},
        {"undefined byte after lone CRs", "a\rb\r\x9D", CodageTexte::Windows1252, 3, 1},
        // Columns count characters: "é" and "€" are one each.
        {"UTF-8 with one stray byte", "Quiz d\xC3\xA9mo\n\xE2\x82\xAC \xE9t\xC3\xA9\n", CodageTexte::Melange, 2, 3},
        {"UTF-8 cut short at the end", "\xC3\xA9t\xC3", CodageTexte::Melange, 1, 3},
        {"overlong sequence beside UTF-8", "\xC3\xA9\n\xC0\xAF", CodageTexte::Melange, 2, 1},
    };
    for (const CasCodage& c : cas) {
        const DecisionCodage d = DecideCodage(c.octets);
        EXPECT_EQ(d.codage, c.codage) << c.nom;
        EXPECT_EQ(d.faute, c.ligne != 0) << c.nom;
        EXPECT_EQ(d.ligne, c.ligne) << c.nom;
        EXPECT_EQ(d.colonne, c.colonne) << c.nom;
        EXPECT_EQ(MessageCodage(d).empty(), c.ligne == 0) << c.nom;
        std::string utf8 = "inchangé";
        DecisionCodage lue;
        EXPECT_EQ(TexteEnUtf8(c.octets, utf8, lue), c.ligne == 0) << c.nom;
        const bool lu = c.ligne == 0;
        EXPECT_TRUE(lu ? EstUtf8(utf8) && utf8.rfind("\xEF\xBB\xBF", 0) != 0 : utf8 == "inchangé") << c.nom;
    }
    std::string utf8;
    DecisionCodage d;
    ASSERT_TRUE(TexteEnUtf8("d\xE9mo \x80", utf8, d));
    EXPECT_EQ(utf8, "d\xC3\xA9mo \xE2\x82\xAC");
}

TEST(Encodage, ConversionsBothWaysKeepOrReplaceWhatWindows1252Lacks) {
    // Every byte goes to UTF-8 and back, the undefined ones included.
    std::string tous;
    for (int c = 1; c < 256; ++c) tous += static_cast<char>(c);
    std::string retour;
    std::vector<FauteUtf8> fautes;
    ASSERT_TRUE(Utf8Vers1252(Utf8De1252(tous), retour, fautes));
    EXPECT_EQ(retour, tous);

    EXPECT_EQ(Utf8De1252("\x80\x81|\x9D", Indefinis::Remplaces), "\xE2\x82\xAC?|?");
    EXPECT_EQ(Utf8De1252("\x80\x81|\x9D", Indefinis::Omis), "\xE2\x82\xAC|");
    // For the screens: what Windows-1252 cannot hold, C1 controls and
    // malformed bytes become "?".
    EXPECT_EQ(Cp1252DeUtf8("\xC5\x93" "uf \xE2\x86\x92 \xC2\x81 \xFF."), "\x9C" "uf ? ? ?.");

    fautes.clear();
    retour.clear();
    EXPECT_FALSE(Utf8Vers1252("\xEF\xBB\xBF" "ab\n\xC3\xA9\xE2\x86\x92x\xFF\n", retour, fautes));
    EXPECT_EQ(retour, "ab\n\xE9x\n");
    ASSERT_EQ(fautes.size(), 2u);
    EXPECT_EQ(fautes[0].ligne, 2);
    EXPECT_EQ(fautes[0].colonne, 2);
    EXPECT_EQ(fautes[0].point, 0x2192);
    EXPECT_EQ(fautes[1].colonne, 4);
    EXPECT_EQ(fautes[1].point, -1);
    EXPECT_EQ(LongueurUtf8("\xC3\xA9t\xE2\x82\xAC"), 3u);
}

}  // namespace

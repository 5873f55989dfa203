// Texts of the media layer, drawn headless onto a 1024 x 768 back buffer with
// the fonts of the example program's archive.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "internal.h"
#include "lumicanvas.h"
#include "test_support.h"

namespace {

// The box of the back buffer holding pixels of one colour.
struct Box {
    int count = 0;
    int x1 = INT_MAX, y1 = INT_MAX, x2 = INT_MIN, y2 = INT_MIN;
};

Box FindColour(uint32_t rgb, int x1 = 0, int y1 = 0, int x2 = -1, int y2 = -1) {
    if (x2 < 0) x2 = GetMaxX();
    if (y2 < 0) y2 = GetMaxY();
    Box box;
    for (int y = y1; y <= y2; ++y) {
        for (int x = x1; x <= x2; ++x) {
            if (GetPixelRGB(x, y) != rgb) continue;
            ++box.count;
            box.x1 = std::min(box.x1, x), box.x2 = std::max(box.x2, x);
            box.y1 = std::min(box.y1, y), box.y2 = std::max(box.y2, y);
        }
    }
    return box;
}

// Every pixel that is not black.
Box FindInk() {
    Box box;
    for (int y = 0; y <= GetMaxY(); ++y) {
        for (int x = 0; x <= GetMaxX(); ++x) {
            if (GetPixelRGB(x, y) == 0) continue;
            ++box.count;
            box.x1 = std::min(box.x1, x), box.x2 = std::max(box.x2, x);
            box.y1 = std::min(box.y1, y), box.y2 = std::max(box.y2, y);
        }
    }
    return box;
}

std::vector<uint32_t> Snapshot() {
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(GetMaxX() + 1) * (GetMaxY() + 1));
    for (int y = 0; y <= GetMaxY(); ++y)
        for (int x = 0; x <= GetMaxX(); ++x) pixels.push_back(GetPixelRGB(x, y));
    return pixels;
}

class TextTest : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::WriteFile("LCConfig.txt", "RESOLUTION_PREDEFINIE=4\nPLEIN_ECRAN=0\nMESSAGE_ERREUR=0\n");
        lc::SetHeadless(true);
        lc::SetFusedArchivePath(SHOWCASE_ARCHIVE);
        ASSERT_EQ(InitGraph(4, 1, 0), 1);
        ASSERT_EQ(GetMaxX(), 1023);
        ASSERT_EQ(GetMaxY(), 767);
        ASSERT_EQ(InitFont(), 1) << GetMediaError();
        SetFontMode(1);
        SetUFormat(U_ASCII8);
        SetFontAttribute(0);
        DimText(3);
        Clear();
    }
    void TearDown() override {
        SetUFormat(U_ASCII8);
        SetFontAttribute(0);
        CloseFont();
        CloseGraph();
        lc::SetFusedArchivePath("");
        lc::SetHeadless(false);
    }
    test_support::ScratchDir scratch_;
};

// --- Windows-1252 and UTF-8 -------------------------------------------------------

// The Unicode characters of bytes 0x80..0x9F in Windows-1252 (0: undefined).
const char32_t kHighTable[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string Utf8Of(char32_t u) {
    std::string s;
    if (u < 0x80) {
        s += static_cast<char>(u);
    } else if (u < 0x800) {
        s += static_cast<char>(0xC0 | (u >> 6));
        s += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (u >> 12));
        s += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (u & 0x3F));
    }
    return s;
}

TEST_F(TextTest, Windows1252BytesBecomeTheirUnicodeCharacters) {
    EXPECT_EQ(lc::ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(lc::ToUtf8("\x9C"), "\xC5\x93");      // oe
    EXPECT_EQ(lc::ToUtf8("coll\xE8ge"), "coll\xC3\xA8ge");
    for (int byte = 0x80; byte <= 0x9F; ++byte) {
        char text[2] = {static_cast<char>(byte), 0};
        char32_t u = kHighTable[byte - 0x80];
        EXPECT_EQ(lc::ToUtf8(text), u ? Utf8Of(u) : "?") << "byte " << byte;
    }
    for (int byte = 0xA0; byte <= 0xFF; ++byte) {
        char text[2] = {static_cast<char>(byte), 0};
        EXPECT_EQ(lc::ToUtf8(text), Utf8Of(static_cast<char32_t>(byte))) << "byte " << byte;
    }
    EXPECT_EQ(lc::ToUtf8("Ton nom\n"), "Ton nom\n");  // message boxes keep their line breaks
    EXPECT_EQ(lc::ToUtf8(nullptr), "");
}

TEST_F(TextTest, Utf8GoesBackToWindows1252AndUnknownCharactersBecomeQuestionMarks) {
    for (int byte = 1; byte <= 0xFF; ++byte) {
        if (byte >= 0x80 && byte <= 0x9F && kHighTable[byte - 0x80] == 0) continue;
        char text[2] = {static_cast<char>(byte), 0};
        EXPECT_EQ(lc::Utf8ToCp1252(lc::ToUtf8(text)), std::string(text)) << "byte " << byte;
    }
    EXPECT_EQ(lc::Utf8ToCp1252("\xE2\x82\xAC 5"), "\x80 5");
    EXPECT_EQ(lc::Utf8ToCp1252("\xCE\xA9"), "?");              // Greek omega
    EXPECT_EQ(lc::Utf8ToCp1252("\xF0\x9F\x98\x80!"), "?!");    // an emoji
    EXPECT_EQ(lc::Utf8ToCp1252("a\xE9z"), "a?z");              // a lone byte is no UTF-8
    EXPECT_EQ(lc::Utf8ToCp1252("\xC2\x81"), "?");              // C1 control
    EXPECT_EQ(lc::Utf8ToCp1252("\xC0\xAF"), "??");             // overlong form refused
}

TEST_F(TextTest, TextFormatFollowsSetUFormatAndIgnoresUnknownCodes) {
    SetUFormat(U_UTF8);
    EXPECT_EQ(lc::ToUtf8("\xC3\xA9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9");
    // A Windows-1252 byte met in UTF-8 text is still read as that character.
    EXPECT_EQ(lc::ToUtf8("caf\xE9"), "caf\xC3\xA9");
    SetUFormat(12345);
    EXPECT_EQ(lc::ToUtf8("\xC3\xA9"), "\xC3\xA9");  // still UTF-8
    EXPECT_TRUE(lc::TextIsUtf8());
    SetUFormat(U_ASCII8);
    EXPECT_FALSE(lc::TextIsUtf8());
    EXPECT_EQ(lc::ToUtf8("\xC3\xA9"), "\xC3\x83\xC2\xA9");
}

TEST_F(TextTest, NbToTxtKeepsEightResultsAlive) {
    std::vector<const char*> results;
    for (int n = 0; n < 8; ++n) results.push_back(NbToTxt(n * 11 - 20));
    for (int n = 0; n < 8; ++n) EXPECT_STREQ(results[n], std::to_string(n * 11 - 20).c_str());
    EXPECT_STREQ(NbToTxt(INT_MIN), "-2147483648");
    EXPECT_STREQ(NbToTxt(INT_MAX), "2147483647");
}

// --- Sizes -------------------------------------------------------------------------

TEST_F(TextTest, PresetsHaveTheirHeightsOnA768RowScreenAndGrowInWidth) {
    const int heights[6] = {14, 18, 24, 30, 40, 56};
    int previous = 0;
    for (int preset = 0; preset < 6; ++preset) {
        DimText(preset);
        EXPECT_EQ(TextHeight(), heights[preset]);
        int length = TextLength("Quelle est ta classe ?");
        EXPECT_GT(length, previous) << "preset " << preset;
        previous = length;
    }
    DimText(9);  // out of range: the nearest preset
    EXPECT_EQ(TextHeight(), 56);
    DimText(-3);
    EXPECT_EQ(TextHeight(), 14);
}

TEST_F(TextTest, ExplicitHeightsAreClampedAndScaleTheWidth) {
    SetDimText(20);
    int narrow = TextLength("Vermandi\xE8re");
    SetDimText(40);
    int wide = TextLength("Vermandi\xE8re");
    EXPECT_GT(wide, narrow * 17 / 10);
    EXPECT_LT(wide, narrow * 23 / 10);
    EXPECT_EQ(TextHeight(), 40);
    SetDimText(0);
    EXPECT_EQ(TextHeight(), 4);
    SetDimText(-50);
    EXPECT_EQ(TextHeight(), 4);
    TextXY(10, 10, "tiny");
    SetDimText(1000000);
    EXPECT_EQ(TextHeight(), 400);
    TextXY(-200, -100, "huge");  // mostly off the screen: drawn clipped, no crash
    EXPECT_GT(FindInk().count, 0);
    EXPECT_EQ(TextLength(""), 0);
    EXPECT_EQ(TextLength(nullptr), 0);
    // A line far wider than any screen is measured but not drawn.
    std::string endless(2000, 'W');
    EXPECT_GT(TextLength(endless.c_str()), 100000);
    TextXY(0, 0, endless.c_str());
    EXPECT_EQ(lc::CurrentTextX(), TextLength(endless.c_str()));
}

TEST_F(TextTest, StyleMarksAreNotCountedInTheLength) {
    int plain = TextLength("abc");
    EXPECT_EQ(TextLength("#uabc#"), plain);  // underlining does not widen
    SetFontAttribute(1);
    int bold = TextLength("abc");
    SetFontAttribute(0);
    EXPECT_GT(bold, plain);
    EXPECT_EQ(TextLength("#babc#"), bold);
    EXPECT_EQ(TextLength("#babc# "), bold + TextLength(" "));
    EXPECT_EQ(TextLength("x##1"), TextLength("x#1"));  // "##" is one "#", as is a lone one
    EXPECT_GT(TextLength("x#1"), TextLength("x1"));
}

TEST_F(TextTest, AMarkOfTheStyleAlreadySetStillHasItsClosingMarkHidden) {
    // The correction review leaves italic set, then draws "#i...#" headers.
    SetFontAttribute(2);
    EXPECT_EQ(TextLength("#iCorrection de la question 3#"), TextLength("Correction de la question 3"));
    SetColor(15);
    OutCenterTextXY(400, 200, "#iabc#");
    std::vector<uint32_t> marked = Snapshot();
    Clear();
    CenterTextXY(400, 200, "abc");
    EXPECT_TRUE(Snapshot() == marked);
}

// --- Drawing -------------------------------------------------------------------------

TEST_F(TextTest, TextIsDrawnInTheCurrentColour) {
    SetColor(14);
    TextXY(100, 100, "HHHH");
    int length = TextLength("HHHH");
    Box exact = FindColour(PaletteRGB(14));
    EXPECT_GT(exact.count, 100);  // the stems, not only a few edge pixels
    Box ink = FindInk();
    EXPECT_GE(ink.x1, 100);
    EXPECT_LE(ink.x2, 100 + length);
    EXPECT_GE(ink.y1, 100);
    EXPECT_LE(ink.y2, 100 + TextHeight());

    Clear();
    SetColorRGB(10, 200, 30);
    TextXY(100, 100, "HHHH");
    EXPECT_GT(FindColour(0x0AC81E).count, 100);
    EXPECT_EQ(FindColour(PaletteRGB(14)).count, 0);
}

TEST_F(TextTest, BothFormatsDrawTheSameAccentedLetter) {
    SetColor(15);
    DimText(5);
    TextXY(50, 50, "\xE9t\xE9 \x80");
    std::vector<uint32_t> cp1252 = Snapshot();
    EXPECT_GT(FindColour(PaletteRGB(15)).count, 50);
    Clear();
    SetUFormat(U_UTF8);
    TextXY(50, 50, "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");
    EXPECT_TRUE(Snapshot() == cp1252);
}

TEST_F(TextTest, CenterTextXYCentresBothWays) {
    SetColor(15);
    const char* text = "MMMMMMMM";
    CenterTextXY(500, 300, text);
    Box ink = FindInk();
    int centre_x = (ink.x1 + ink.x2) / 2;
    EXPECT_NEAR(centre_x, 500, 3);
    EXPECT_GE(ink.y1, 300 - TextHeight() / 2);
    EXPECT_LE(ink.y2, 300 + TextHeight() / 2);
    EXPECT_NEAR((ink.y1 + ink.y2) / 2, 300, TextHeight() / 4);
    std::vector<uint32_t> centred = Snapshot();
    Clear();
    TextXY(500 - TextLength(text) / 2, 300 - TextHeight() / 2, text);
    EXPECT_TRUE(Snapshot() == centred);
}

TEST_F(TextTest, TextGoesOnWhereThePreviousTextEnded) {
    SetColor(15);
    TextXY(50, 60, "ab");
    EXPECT_EQ(lc::CurrentTextX(), 50 + TextLength("ab"));
    EXPECT_EQ(lc::CurrentTextY(), 60);
    Box first = FindInk();
    Text("cd");
    EXPECT_EQ(lc::CurrentTextX(), 50 + TextLength("ab") + TextLength("cd"));
    Box both = FindInk();
    EXPECT_GT(both.x2, first.x2 + TextLength("cd") / 2);
    EXPECT_EQ(both.x1, first.x1);

    Clear();
    MoveTo(300, 400);
    Text("X");
    Box moved = FindInk();
    EXPECT_GE(moved.x1, 300);
    EXPECT_LE(moved.x2, 300 + TextLength("X"));
    EXPECT_GE(moved.y1, 400);
    EXPECT_LE(moved.y2, 400 + TextHeight());
    EXPECT_EQ(lc::CurrentTextX(), 300 + TextLength("X"));

    // The line-input echo draws without moving the position, and measures
    // a typed "#" as the character it is.
    lc::DrawTextAt(10, 10, "echo");
    EXPECT_EQ(lc::CurrentTextX(), 300 + TextLength("X"));
    EXPECT_EQ(lc::PlainTextWidth("a#b"), TextLength("a##b"));
    EXPECT_NE(lc::PlainTextWidth("a#b"), TextLength("a#b"));
}

// The number of rows where at least 90% of the columns x1..x2 are `rgb`.
int FullRows(uint32_t rgb, int x1, int x2) {
    int rows = 0;
    for (int y = 0; y <= GetMaxY(); ++y) {
        int hits = 0;
        for (int x = x1; x <= x2; ++x) hits += GetPixelRGB(x, y) == rgb;
        rows += hits * 10 >= (x2 - x1 + 1) * 9;
    }
    return rows;
}

TEST_F(TextTest, OutCenterTextXYDrawsTheMarkedStyles) {
    SetColor(15);
    int length = TextLength("nom");
    OutCenterTextXY(400, 200, "nom");
    EXPECT_EQ(FullRows(PaletteRGB(15), 400 - length / 2 + 1, 400 + length / 2 - 1), 0);
    Clear();
    OutCenterTextXY(400, 200, "#unom#");
    EXPECT_GE(FullRows(PaletteRGB(15), 400 - length / 2 + 1, 400 + length / 2 - 1), 1);

    // Bold is heavier than the plain run; the marks themselves draw nothing.
    Clear();
    OutCenterTextXY(400, 200, "nom");
    int plain = FindColour(PaletteRGB(15)).count;
    Clear();
    OutCenterTextXY(400, 200, "#bnom#");
    EXPECT_GT(FindColour(PaletteRGB(15)).count, plain * 5 / 4);
    std::vector<uint32_t> marked = Snapshot();
    Clear();
    SetFontAttribute(1);
    CenterTextXY(400, 200, "nom");
    EXPECT_TRUE(Snapshot() == marked);
}

TEST_F(TextTest, ControlCharactersDrawNothing) {
    SetColor(15);
    TextXY(20, 20, "ligne");
    std::vector<uint32_t> plain = Snapshot();
    Clear();
    TextXY(20, 20, "ligne\r");  // a line of a Windows text file
    EXPECT_TRUE(Snapshot() == plain);
    EXPECT_EQ(TextLength("ligne\r"), TextLength("ligne"));
}

TEST_F(TextTest, ClosingPutsTheTextSettingsBack) {
    SetUFormat(U_UTF8);
    SetFontAttribute(1);
    DimText(5);
    TextXY(10, 10, "x");
    CloseFont();
    ASSERT_EQ(InitFont(), 1);
    EXPECT_EQ(lc::ToUtf8("\xE9"), "\xC3\xA9");  // Windows-1252 again
    EXPECT_EQ(TextHeight(), 18);
    EXPECT_LT(TextLength("abc"), TextLength("#babc#"));  // regular again
    EXPECT_EQ(lc::CurrentTextX(), 0);
}

TEST_F(TextTest, WithoutFontsTextsMeasureButDrawNothing) {
    CloseFont();
    DimText(3);
    EXPECT_GT(TextLength("abc"), 0);
    EXPECT_GT(TextLength("abcdef"), TextLength("abc"));
    EXPECT_EQ(TextHeight(), 30);
    SetColor(15);
    TextXY(10, 10, "rien");
    CenterTextXY(300, 300, "rien");
    OutCenterTextXY(300, 300, "#brien#");
    Text("rien");
    EXPECT_EQ(FindInk().count, 0);

    lc::SetFusedArchivePath("/nonexistent/archive.zip");
    EXPECT_EQ(InitFont(), 0);
    EXPECT_NE(std::strstr(GetMediaError(), "DejaVuSans.ttf"), nullptr) << GetMediaError();
    TextXY(10, 10, "rien");
    EXPECT_EQ(FindInk().count, 0);
}

}  // namespace

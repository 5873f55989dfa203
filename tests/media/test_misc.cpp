// Letter case in Windows-1252 and the random numbers.
#include "internal.h"
#include "lumicanvas.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

TEST(LetterCase, PlainLetters) {
    for (int c = 'a'; c <= 'z'; ++c) {
        EXPECT_EQ(UToUpper(c), c - 32);
        EXPECT_EQ(UToLower(c - 32), c);
        EXPECT_EQ(UToLower(c), c);
        EXPECT_EQ(UToUpper(c - 32), c - 32);
    }
}

TEST(LetterCase, AccentedLettersOfWindows1252) {
    const int pairs[][2] = {{0xE0, 0xC0}, {0xE7, 0xC7}, {0xE8, 0xC8}, {0xE9, 0xC9}, {0xEA, 0xCA},
                            {0xEB, 0xCB}, {0xEE, 0xCE}, {0xEF, 0xCF}, {0xF4, 0xD4}, {0xF6, 0xD6},
                            {0xF9, 0xD9}, {0xFB, 0xDB}, {0xFC, 0xDC}, {0xFE, 0xDE}, {0xFF, 0x9F},
                            {0x9C, 0x8C}, {0x9A, 0x8A}, {0x9E, 0x8E}};
    for (const auto& p : pairs) {
        EXPECT_EQ(UToUpper(p[0]), p[1]) << std::hex << p[0];
        EXPECT_EQ(UToLower(p[1]), p[0]) << std::hex << p[1];
        EXPECT_EQ(UToUpper(p[1]), p[1]) << std::hex << p[1];
        EXPECT_EQ(UToLower(p[0]), p[0]) << std::hex << p[0];
    }
}

TEST(LetterCase, CharactersWithoutAnotherCaseStay) {
    // ß, ÷, ×, µ, ª, º, digits, punctuation, the euro sign, and key codes.
    for (int c : std::initializer_list<int>{0xDF, 0xF7, 0xD7, 0xB5, 0xAA, 0xBA, '0', '9', '@', '[', '{', 0x80, 0, 27, 256 + 41, -1}) {
        EXPECT_EQ(UToUpper(c), c) << c;
        EXPECT_EQ(UToLower(c), c) << c;
    }
}

TEST(LetterCase, EveryCharacterRoundTrips) {
    for (int c = 0; c < 256; ++c) {
        const int up = UToUpper(c);
        if (up != c) {
            EXPECT_EQ(UToLower(up), c) << c;
        }
        const int low = UToLower(c);
        if (low != c) {
            EXPECT_EQ(UToUpper(low), c) << c;
        }
    }
}

TEST(LetterCase, SignedCharsComeBackSigned) {
    const char e_acute = static_cast<char>(0xE9);
    const char e_acute_upper = static_cast<char>(0xC9);
    EXPECT_EQ(UToUpper(e_acute), e_acute_upper);
    EXPECT_EQ(UToLower(e_acute_upper), e_acute);
    EXPECT_EQ(UToUpper(static_cast<unsigned char>(e_acute)), 0xC9);
}

TEST(Random, StaysInRangeAndCoversIt) {
    lc::SeedRandom(7);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int r = Random(10);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 10);
        seen.insert(r);
    }
    EXPECT_EQ(seen.size(), 10u);
    EXPECT_EQ(Random(1), 0);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-5), 0);
}

TEST(Random, TheSameSeedGivesTheSameRun) {
    auto run = [] {
        std::vector<int> v;
        for (int i = 0; i < 20; ++i) v.push_back(Random(1000));
        return v;
    };
    lc::SeedRandom(42);
    const auto a = run();
    lc::SeedRandom(42);
    EXPECT_EQ(run(), a);
    lc::SeedRandom(43);
    EXPECT_NE(run(), a);
}

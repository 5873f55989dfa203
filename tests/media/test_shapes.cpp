// Shapes and flood fill on the headless back buffer, pixel by pixel.
#include "internal.h"
#include "lumicanvas.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A fresh black 800 x 600 back buffer for each test.
class Shapes : public ::testing::Test {
protected:
    void SetUp() override {
        lc::SetHeadless(true);
        ASSERT_EQ(InitGraph(4, 1, 0), 1) << GetMediaError();
    }
    void TearDown() override {
        CloseGraph();
        lc::SetHeadless(false);
    }
    bool Lit(int x, int y) const { return GetPixelRGB(x, y) != 0; }
    // Every lit pixel of the screen.
    std::vector<std::pair<int, int>> LitPixels() const {
        std::vector<std::pair<int, int>> lit;
        for (int y = 0; y <= GetMaxY(); ++y)
            for (int x = 0; x <= GetMaxX(); ++x)
                if (Lit(x, y)) lit.emplace_back(x, y);
        return lit;
    }
    int CountColour(uint32_t rgb) const {
        int n = 0;
        for (int y = 0; y <= GetMaxY(); ++y)
            for (int x = 0; x <= GetMaxX(); ++x) n += GetPixelRGB(x, y) == rgb;
        return n;
    }
    test_support::ScratchDir dir_;  // no LCConfig.txt: 800 x 600
};

}  // namespace

TEST_F(Shapes, RectangleOutlineIncludesItsFourCorners) {
    SetColor(15);
    DrawRectangle(10, 20, 30, 25);
    for (auto [x, y] : {std::pair{10, 20}, {30, 20}, {10, 25}, {30, 25}, {20, 20}, {10, 22}})
        EXPECT_EQ(GetPixelRGB(x, y), 0xFFFFFFu) << x << "," << y;
    EXPECT_FALSE(Lit(31, 20));
    EXPECT_FALSE(Lit(10, 26));
    EXPECT_FALSE(Lit(9, 20));
    EXPECT_FALSE(Lit(20, 22));  // the inside stays
    EXPECT_EQ(LitPixels().size(), 2u * 21 + 2u * 4);
    Clear();
    Rectangle(30, 25, 10, 20);  // corners given the other way round: the same outline
    EXPECT_EQ(LitPixels().size(), 2u * 21 + 2u * 4);
    EXPECT_TRUE(Lit(10, 20));
    EXPECT_TRUE(Lit(30, 25));
}

TEST_F(Shapes, FilledRectangleCoversBothCorners) {
    SetColor(4);
    DrawRectFill(100, 50, 109, 54);
    EXPECT_EQ(CountColour(0xAA0000), 10 * 5);
    EXPECT_EQ(GetPixelRGB(100, 50), 0xAA0000u);
    EXPECT_EQ(GetPixelRGB(109, 54), 0xAA0000u);
    EXPECT_FALSE(Lit(110, 54));
    EXPECT_FALSE(Lit(109, 55));
    DrawRectFill(-50, -50, 5, 5);  // partly off screen: clipped, no crash
    EXPECT_EQ(GetPixelRGB(0, 0), 0xAA0000u);
    EXPECT_EQ(GetPixelRGB(5, 5), 0xAA0000u);
    EXPECT_FALSE(Lit(6, 6));
}

TEST_F(Shapes, LinesIncludeBothEnds) {
    SetColor(14);
    DrawLine(5, 5, 15, 5);
    EXPECT_EQ(CountColour(0xFFFF55), 11);
    Clear();
    DrawLine(40, 10, 10, 40);  // a diagonal
    EXPECT_EQ(CountColour(0xFFFF55), 31);
    EXPECT_TRUE(Lit(40, 10));
    EXPECT_TRUE(Lit(10, 40));
    EXPECT_TRUE(Lit(25, 25));
    Clear();
    DrawLine(-100000, 300, 100000, 300);  // beyond 16-bit coordinates: held, not wrapped
    EXPECT_TRUE(Lit(0, 300));
    EXPECT_TRUE(Lit(799, 300));
    EXPECT_FALSE(Lit(400, 299));
}

TEST_F(Shapes, PutPixelOnAndOffTheScreen) {
    SetColor(13);
    PutPixel(0, 0);
    PutPixel(799, 599);
    PutPixel(800, 10);
    PutPixel(-1, 10);
    PutPixel(10, 600);
    EXPECT_EQ(LitPixels(), (std::vector<std::pair<int, int>>{{0, 0}, {799, 599}}));
}

TEST_F(Shapes, CircleTouchesItsFourPointsAndLeavesItsCentre) {
    SetColor(15);
    DrawCircle(200, 200, 30);
    for (auto [x, y] : {std::pair{230, 200}, {170, 200}, {200, 230}, {200, 170}}) EXPECT_TRUE(Lit(x, y));
    EXPECT_FALSE(Lit(200, 200));
    EXPECT_FALSE(Lit(231, 200));
    for (auto [x, y] : LitPixels()) {
        const double d = std::hypot(x - 200, y - 200);
        EXPECT_NEAR(d, 30.0, 1.0) << x << "," << y;
    }
}

TEST_F(Shapes, FilledCircleCoversItsDisc) {
    SetColor(2);
    DrawCircleFill(300, 300, 20);
    EXPECT_TRUE(Lit(300, 300));
    EXPECT_TRUE(Lit(320, 300));
    EXPECT_TRUE(Lit(300, 280));
    EXPECT_FALSE(Lit(321, 300));
    EXPECT_FALSE(Lit(300, 321));
    const int n = CountColour(0x00AA00);
    EXPECT_NEAR(n, 3.14159 * 20 * 20, 60);
}

// Angles start east and turn clockwise on the screen: 0 to 90 is the
// south-east quarter.
TEST_F(Shapes, ArcFromZeroToNinetyIsTheSouthEastQuarter) {
    SetColor(15);
    DrawArc(400, 300, 0, 90, 50);
    const auto lit = LitPixels();
    ASSERT_GT(lit.size(), 50u);
    for (auto [x, y] : lit) {
        EXPECT_GE(x, 400) << x << "," << y;
        EXPECT_GE(y, 300) << x << "," << y;
        EXPECT_NEAR(std::hypot(x - 400, y - 300), 50.0, 1.0);
    }
    EXPECT_TRUE(Lit(450, 300));  // east end
    EXPECT_TRUE(Lit(400, 350));  // south end
}

TEST_F(Shapes, ArcAnglesBelowZeroAndThroughZero) {
    SetColor(15);
    DrawArc(400, 300, -90, 0, 50);  // north-east quarter
    auto lit = LitPixels();
    ASSERT_GT(lit.size(), 50u);
    for (auto [x, y] : lit) {
        EXPECT_GE(x, 400);
        EXPECT_LE(y, 300);
    }
    EXPECT_TRUE(Lit(400, 250));
    Clear();
    DrawArc(400, 300, 270, 90, 50);  // the east half, through 0
    lit = LitPixels();
    ASSERT_GT(lit.size(), 100u);
    for (auto [x, y] : lit) EXPECT_GE(x, 400);
    EXPECT_TRUE(Lit(450, 300));
    EXPECT_TRUE(Lit(400, 250));
    EXPECT_TRUE(Lit(400, 350));
    Clear();
    DrawArc(400, 300, 180, 270, 50);  // north-west quarter
    for (auto [x, y] : LitPixels()) {
        EXPECT_LE(x, 400);
        EXPECT_LE(y, 300);
    }
    EXPECT_TRUE(Lit(350, 300));
}

TEST_F(Shapes, ArcOfAWholeTurnIsTheCircle) {
    SetColor(15);
    DrawArc(100, 100, -90, 270, 20);
    const auto arc = LitPixels();
    Clear();
    DrawCircle(100, 100, 20);
    EXPECT_EQ(LitPixels(), arc);
}

TEST_F(Shapes, AbsurdCirclesDrawNothingAndDoNotHang) {
    SetColor(15);
    DrawCircle(400, 300, 2000000000);
    DrawCircleFill(400, 300, 2000000000);
    DrawArc(400, 300, 0, 90, 2000000000);
    DrawCircle(2147483647, 300, 10);
    DrawCircleFill(-2147483647 - 1, 300, 10);
    DrawArc(400, 300, -2147483647 - 1, 2147483647, 10);  // more than a turn: the circle
    DrawCircle(400, 300, -5);
    const auto lit = LitPixels();
    for (auto [x, y] : lit) EXPECT_NEAR(std::hypot(x - 400, y - 300), 10.0, 1.0);
    EXPECT_FALSE(lit.empty());
    Clear();
    DrawCircle(-32000, 300, 32100);  // a huge circle whose edge crosses the screen
    EXPECT_TRUE(Lit(100, 300));
    EXPECT_FALSE(Lit(400, 300));
}

TEST_F(Shapes, ShapesBeforeTheDisplayOpensDoNothing) {
    CloseGraph();
    DrawLine(0, 0, 10, 10);
    DrawCircleFill(5, 5, 3);
    DrawFloodFill(1, 1);
    PutPixel(1, 1);
    EXPECT_EQ(lc::Screen(), nullptr);
    ASSERT_EQ(InitGraph(4, 1, 0), 1);
    EXPECT_TRUE(LitPixels().empty());
}

// --- Flood fill -----------------------------------------------------------------

TEST_F(Shapes, FloodFillPaintsTheBandBetweenTwoRings) {
    SetColor(15);
    DrawCircle(400, 300, 40);
    DrawCircle(400, 300, 80);
    SetColor(12);
    DrawFloodFill(460, 300);
    EXPECT_EQ(GetPixelRGB(460, 300), 0xFF5555u);
    EXPECT_EQ(GetPixelRGB(400, 240), 0xFF5555u);  // the band all round
    EXPECT_EQ(GetPixelRGB(340, 300), 0xFF5555u);
    EXPECT_EQ(GetPixelRGB(400, 300), 0u);         // inside the inner ring
    EXPECT_EQ(GetPixelRGB(400, 200), 0u);         // outside the outer ring
    EXPECT_EQ(GetPixelRGB(0, 0), 0u);
    EXPECT_EQ(GetPixelRGB(440, 300), 0xFFFFFFu);  // the rings themselves stay
    EXPECT_EQ(GetPixelRGB(480, 300), 0xFFFFFFu);
}

TEST_F(Shapes, FloodFillReachesEveryEdgeOfTheScreen) {
    SetColor(15);
    DrawRectangle(100, 100, 200, 200);
    SetColor(9);
    DrawFloodFill(0, 0);  // the whole screen but the square's inside
    EXPECT_EQ(GetPixelRGB(0, 0), 0x5555FFu);
    EXPECT_EQ(GetPixelRGB(799, 0), 0x5555FFu);
    EXPECT_EQ(GetPixelRGB(0, 599), 0x5555FFu);
    EXPECT_EQ(GetPixelRGB(799, 599), 0x5555FFu);
    EXPECT_EQ(GetPixelRGB(150, 150), 0u);
    EXPECT_EQ(CountColour(0x5555FF), 800 * 600 - 101 * 101);
    DrawFloodFill(799, 599);  // the same colour again: nothing changes
    EXPECT_EQ(CountColour(0x5555FF), 800 * 600 - 101 * 101);
}

TEST_F(Shapes, FloodFillStopsAtAnyOtherColourAndAtDiagonalGaps) {
    SetColor(4);
    DrawRectFill(50, 0, 59, 599);  // a red wall across the screen
    SetColorRGB(1, 0, 0);          // a colour hardly different from black stops it too
    DrawRectFill(20, 20, 29, 29);
    SetColor(15);
    PutPixel(5, 0);  // a white diagonal from (5,0) down-left cuts off the corner
    PutPixel(4, 1);
    PutPixel(3, 2);
    PutPixel(2, 3);
    PutPixel(1, 4);
    PutPixel(0, 5);
    SetColor(14);
    DrawFloodFill(40, 300);
    EXPECT_EQ(GetPixelRGB(40, 300), 0xFFFF55u);
    EXPECT_EQ(GetPixelRGB(49, 0), 0xFFFF55u);
    EXPECT_EQ(GetPixelRGB(50, 300), 0xAA0000u);   // the wall
    EXPECT_EQ(GetPixelRGB(60, 300), 0u);          // beyond the wall
    EXPECT_EQ(GetPixelRGB(25, 25), 0x010000u);    // the near-black square
    EXPECT_EQ(GetPixelRGB(0, 0), 0u);             // cut off by the diagonal
    EXPECT_EQ(GetPixelRGB(2, 2), 0u);
    EXPECT_EQ(GetPixelRGB(3, 3), 0xFFFF55u);      // just past the diagonal
}

TEST_F(Shapes, FloodFillOffTheScreenDoesNothing) {
    SetColor(15);
    DrawFloodFill(-1, 0);
    DrawFloodFill(800, 0);
    DrawFloodFill(0, 600);
    EXPECT_TRUE(LitPixels().empty());
}

// The countdown dial: white rings and spokes, then one sector of the band
// filled 2 degrees behind its spoke. The fill stays within that sector.
TEST_F(Shapes, FloodFillOfOneSectorOfTheCountdownDial) {
    const int x = 160, y = 296, r = 55;
    auto at = [&](int a, int rho) {
        const double rad = a * 3.14159 / 180;
        return std::pair<int, int>{static_cast<int>(x + std::cos(rad) * rho),
                                   static_cast<int>(y + std::sin(rad) * rho)};
    };
    auto spoke = [&](int a) {
        auto [x1, y1] = at(a, r / 2 + 1);
        auto [x2, y2] = at(a, 9 * r / 10 - 1);
        DrawLine(x1, y1, x2, y2);
    };
    SetColor(0);
    DrawCircleFill(x, y, r);
    SetColor(15);
    for (int rr : {r / 2, r / 2 + 1, 9 * r / 10, 9 * r / 10 - 1, r}) DrawCircle(x, y, rr);
    for (int a = -90; a < 270; a += 60) spoke(a);
    SetColorRGB(150, 150, 150);
    DrawFloodFill(x + r - 2, y);  // the outer ring turns grey
    EXPECT_EQ(GetPixelRGB(x + r - 2, y), 0x969696u);
    EXPECT_EQ(GetPixelRGB(x, y - r + 2), 0x969696u);
    // The first sector, -90..-30, in the colour of second 1.
    SetColorRGB(8, 247, 0);
    spoke(-78);
    auto [fx, fy] = at(-80, 3 * r / 4);
    DrawFloodFill(fx, fy);
    EXPECT_EQ(GetPixelRGB(fx, fy), 0x08F700u);
    auto [ox, oy] = at(-84, 3 * r / 4);  // between -90 and -78
    EXPECT_EQ(GetPixelRGB(ox, oy), 0x08F700u);
    auto [nx, ny] = at(-60, 3 * r / 4);  // the next sector stays black
    EXPECT_EQ(GetPixelRGB(nx, ny), 0u);
    EXPECT_EQ(GetPixelRGB(x + r - 2, y), 0x969696u);  // the outer ring untouched
    EXPECT_EQ(GetPixelRGB(x, y), 0u);                 // the centre untouched
}

TEST_F(Shapes, FloodFillOfAFullHdScreenIsSafe) {
    CloseGraph();
    test_support::WriteFile("LCConfig.txt", "RESOLUTION_PREDEFINIE=0\n");
    ASSERT_EQ(InitGraph(4, 1, 0), 1);
    ASSERT_EQ(GetMaxX(), 1919);
    // A comb: long thin teeth make the fill turn back on every row.
    SetColor(15);
    for (int cx = 10; cx < 1910; cx += 4) DrawLine(cx, cx % 8 == 2 ? 0 : 5, cx, cx % 8 == 2 ? 1074 : 1079);
    SetColor(10);
    DrawFloodFill(1, 1);
    EXPECT_EQ(GetPixelRGB(1919, 1079), 0x55FF55u);
    EXPECT_EQ(GetPixelRGB(12, 1079), 0x55FF55u);
    EXPECT_EQ(GetPixelRGB(10, 500), 0xFFFFFFu);
    EXPECT_EQ(CountColour(0xFFFFFF) + CountColour(0x55FF55), 1920 * 1080);
}

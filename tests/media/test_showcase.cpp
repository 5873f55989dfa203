// The example program played headless through the harness on a 1024 x 768
// screen: its shapes, ring, pictures, GIF, texts and boxes must show the
// colours they are drawn in, at the places they are drawn.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"
#include "lumicanvas.h"
#include "showcase.h"
#include "test_support.h"

namespace {

using namespace showcase;

constexpr uint32_t kGround = (kBackground[0] << 16) | (kBackground[1] << 8) | kBackground[2];

// Pixels of exactly `rgb` in the rectangle (x1, y1)–(x2, y2).
int CountColour(uint32_t rgb, int x1, int y1, int x2, int y2) {
    int count = 0;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) count += harness::Pixel(x, y) == rgb;
    return count;
}

class ShowcaseRun : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::WriteFile("LCConfig.txt", "RESOLUTION_PREDEFINIE=4\nPLEIN_ECRAN=0\nMESSAGE_ERREUR=0\n");
        error_before_ = GetMediaError();
        harness::Options options;
        options.archive = SHOWCASE_ARCHIVE;
        harness::Start([] { return ShowcaseMain(SOURCE_DIR "/assets/showcase/files"); }, options);
        ASSERT_TRUE(harness::Healthy());
        ASSERT_FALSE(harness::Finished());
    }
    // Each run ends by Escape, so that the program releases what it holds.
    void TearDown() override {
        if (!harness::Finished()) harness::Key(KEY_ESCAPE);
        EXPECT_TRUE(harness::Finished());
        harness::Stop();
    }

    // The probe point of box n: inside it, clear of its centred label.
    static uint32_t BoxColour(int n) { return harness::Pixel(kBoxes[n][0] + 10, kBoxes[n][1] + 25); }

    test_support::ScratchDir scratch_;
    std::string error_before_;  // what an earlier test left in GetMediaError()
};

TEST_F(ShowcaseRun, DrawsEverythingWithoutAnErrorAndPresentsIt) {
    EXPECT_EQ(GetMediaError(), error_before_);  // no call of the run failed
    EXPECT_GE(harness::Presents(), 1);
    int width = 0, height = 0;
    std::vector<uint32_t> frame = harness::Frame(&width, &height);
    ASSERT_EQ(width, 1024);
    ASSERT_EQ(height, 768);
    EXPECT_EQ(frame[8 + 50 * width], kGround);
    EXPECT_EQ(frame[kDisc[0] + kDisc[1] * width], PaletteRGB(3));
}

TEST_F(ShowcaseRun, ShapesShowTheirColours) {
    EXPECT_EQ(harness::Pixel(8, 50), kGround);
    EXPECT_EQ(harness::Pixel((kFillRect[0] + kFillRect[2]) / 2, (kFillRect[1] + kFillRect[3]) / 2),
              PaletteRGB(4));
    EXPECT_EQ(harness::Pixel(kOutlineRect[0], (kOutlineRect[1] + kOutlineRect[3]) / 2), PaletteRGB(12));
    EXPECT_EQ(harness::Pixel(kOutlineRect[0] + 5, (kOutlineRect[1] + kOutlineRect[3]) / 2), kGround);

    EXPECT_EQ(harness::Pixel(kDisc[0], kDisc[1]), PaletteRGB(3));
    EXPECT_EQ(harness::Pixel(kCircle[0], kCircle[1] + kCircle[2]), PaletteRGB(11));
    EXPECT_EQ(harness::Pixel(kCircle[0] + (kCircle[2] + kDisc[2]) / 2, kCircle[1]), kGround);

    // Angles turn clockwise from east: 0..180 is the lower half.
    EXPECT_EQ(harness::Pixel(kLowerArc[0], kLowerArc[1] + kLowerArc[2]), PaletteRGB(13));
    EXPECT_EQ(harness::Pixel(kLowerArc[0], kLowerArc[1] - kLowerArc[2]), kGround);
    EXPECT_EQ(harness::Pixel(kUpperArc[0], kUpperArc[1] - kUpperArc[2]), PaletteRGB(14));
    EXPECT_EQ(harness::Pixel(kUpperArc[0], kUpperArc[1] + kUpperArc[2]), kGround);
}

TEST_F(ShowcaseRun, RingIsFilledBetweenItsCirclesOnly) {
    const int x = kRing[0], y = kRing[1], middle = (kRing[2] + kRing[3]) / 2;
    EXPECT_EQ(harness::Pixel(x + middle, y), PaletteRGB(10));
    EXPECT_EQ(harness::Pixel(x - middle, y), PaletteRGB(10));
    EXPECT_EQ(harness::Pixel(x, y - middle), PaletteRGB(10));
    EXPECT_EQ(harness::Pixel(x, y + middle), PaletteRGB(10));
    EXPECT_EQ(harness::Pixel(x + kRing[2], y), PaletteRGB(15));  // the outer circle bounds it
    EXPECT_EQ(harness::Pixel(x, y - kRing[3]), PaletteRGB(15));  // the inner one too
    EXPECT_EQ(harness::Pixel(x, y), kGround);                    // the hole stays empty
    EXPECT_EQ(harness::Pixel(x + kRing[2] + 20, y), kGround);    // and so does the outside
}

TEST_F(ShowcaseRun, PicturesComeFromTheArchiveAndFromFiles) {
    // Archive object 0: 4 x 4 squares of 16 pixels, drawn twice as large.
    const int ox = kObject[0], oy = kObject[1];
    EXPECT_EQ(harness::Pixel(ox + 16, oy + 16), 0xE03020u);
    EXPECT_EQ(harness::Pixel(ox + 48, oy + 16), 0xF0C020u);
    EXPECT_EQ(harness::Pixel(ox + 16, oy + 48), 0x2060D0u);
    EXPECT_EQ(harness::Pixel(ox + 112, oy + 112), 0xE03020u);
    // Its top-left quarter, copied back from the screen at its size.
    EXPECT_EQ(harness::Pixel(kCopy[0] + 16, kCopy[1] + 16), 0xE03020u);
    EXPECT_EQ(harness::Pixel(kCopy[0] + 48, kCopy[1] + 48), 0xE03020u);
    EXPECT_EQ(harness::Pixel(kCopy[0] + 48, kCopy[1] + 16), 0xF0C020u);
    EXPECT_EQ(harness::Pixel(kCopy[0] + 80, kCopy[1] + 16), kGround);
    // The picture file at its own size: sky and sun.
    EXPECT_EQ(harness::Pixel(kPhoto[0] + 5, kPhoto[1] + 5), 0x87CEEBu);
    EXPECT_EQ(harness::Pixel(kPhoto[0] + 120, kPhoto[1] + 30), 0xFFD700u);
    // The GIF's first frame: red with a white disc.
    EXPECT_EQ(harness::Pixel(kGif[0] + 4, kGif[1] + 4), 0xFF0000u);
    EXPECT_EQ(harness::Pixel(kGif[0] + 48, kGif[1] + 48), 0xFFFFFFu);
}

TEST_F(ShowcaseRun, GifMovesOnEveryHalfSecond) {
    const int x = kGif[0] + 4, y = kGif[1] + 4;
    EXPECT_EQ(harness::Pixel(x, y), 0xFF0000u);
    harness::Advance(kGifFrameMs / 2);
    EXPECT_EQ(harness::Pixel(x, y), 0xFF0000u);
    harness::Advance(kGifFrameMs / 2);
    EXPECT_EQ(harness::Pixel(x, y), 0x00FF00u);
    harness::Advance(kGifFrameMs);
    EXPECT_EQ(harness::Pixel(x, y), 0x0000FFu);
    harness::Advance(kGifFrameMs);
    EXPECT_EQ(harness::Pixel(x, y), 0xFF0000u);  // and round again
}

TEST_F(ShowcaseRun, ClickedBoxLightsUpAndTheOthersGoBack) {
    for (int n = 0; n < 3; ++n) EXPECT_EQ(BoxColour(n), PaletteRGB(kBoxColour)) << "box " << n;

    harness::ClickAt(kBoxes[1][0] + 40, kBoxes[1][1] + 10);
    EXPECT_EQ(BoxColour(0), PaletteRGB(kBoxColour));
    EXPECT_EQ(BoxColour(1), PaletteRGB(kChosenColour));
    EXPECT_EQ(BoxColour(2), PaletteRGB(kBoxColour));

    harness::ClickAt(kBoxes[2][2] - 2, kBoxes[2][3] - 2);  // corners belong to the box
    EXPECT_EQ(BoxColour(1), PaletteRGB(kBoxColour));
    EXPECT_EQ(BoxColour(2), PaletteRGB(kChosenColour));

    harness::ClickAt(kBoxes[0][0] - 30, kBoxes[0][1]);  // outside every box
    for (int n = 0; n < 3; ++n) EXPECT_EQ(BoxColour(n), PaletteRGB(kBoxColour)) << "box " << n;
    EXPECT_FALSE(harness::Finished());
}

TEST_F(ShowcaseRun, TextsAreDrawnInTheirColours) {
    // The marks line in colour 14, the Windows-1252 line in 11, the title in 15.
    EXPECT_GT(CountColour(PaletteRGB(14), 530, kMarksLine[1] - 9, 1000, kMarksLine[1] + 9), 60);
    EXPECT_GT(CountColour(PaletteRGB(11), 530, 662, 1000, 682), 60);
    EXPECT_GT(CountColour(PaletteRGB(15), 300, 14, 724, 42), 100);
    // Nothing of the marks line spills out of its band.
    EXPECT_EQ(CountColour(PaletteRGB(14), 530, kMarksLine[1] + 12, 1000, kMarksLine[1] + 20), 0);
}

TEST_F(ShowcaseRun, EscapeEndsTheProgram) {
    harness::Key('a');
    EXPECT_FALSE(harness::Finished());
    harness::Key(KEY_ESCAPE);
    ASSERT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 0);
}

// On an 800 x 600 screen everything keeps its place in proportion.
TEST(ShowcaseSmallScreen, RingAndBoxesScaleWithTheScreen) {
    test_support::ScratchDir scratch;
    test_support::WriteFile("LCConfig.txt", "RESOLUTION_PREDEFINIE=3\nPLEIN_ECRAN=0\nMESSAGE_ERREUR=0\n");
    harness::Options options;
    options.archive = SHOWCASE_ARCHIVE;
    struct StopAtEnd {
        ~StopAtEnd() { harness::Stop(); }
    } stop_at_end;
    harness::Start([] { return ShowcaseMain(SOURCE_DIR "/assets/showcase/files"); }, options);
    ASSERT_TRUE(harness::Healthy());
    ASSERT_EQ(GetMaxX(), 799);
    const float cx = 800 / 1024.0f, cy = 600 / 768.0f;
    auto at = [&](int x, int y) { return harness::Pixel(static_cast<int>(x * cx), static_cast<int>(y * cy)); };
    const int middle = (kRing[2] + kRing[3]) / 2;
    EXPECT_EQ(at(kRing[0] + middle, kRing[1]), PaletteRGB(10));
    EXPECT_EQ(at(kRing[0], kRing[1]), kGround);
    EXPECT_EQ(at(kDisc[0], kDisc[1]), PaletteRGB(3));
    harness::ClickAt(static_cast<int>((kBoxes[2][0] + 20) * cx), static_cast<int>((kBoxes[2][1] + 20) * cy));
    EXPECT_EQ(at(kBoxes[2][0] + 10, kBoxes[2][1] + 25), PaletteRGB(kChosenColour));
    EXPECT_EQ(at(kBoxes[0][0] + 10, kBoxes[0][1] + 25), PaletteRGB(kBoxColour));
    harness::Key(KEY_ESCAPE);
    EXPECT_TRUE(harness::Finished());
}

}  // namespace

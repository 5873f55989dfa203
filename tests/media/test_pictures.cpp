// Bitmaps and picture files: copies exact to the pixel, scaling, the
// rectangles the "Adjust" calls cover, transparency, SVG drawn crisp, the
// caches, animated GIFs, and pictures that are missing, broken or huge.
#include "internal.h"
#include "lumicanvas.h"
#include "picture_files.h"
#include "pictures.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using picture_files::HalvesSvg;
using picture_files::Png;
using picture_files::SolidGif;
using picture_files::SolidPng;
using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

// A headless 800 x 600 back buffer in a scratch folder (no LCConfig.txt).
class PictureScreen : public ::testing::Test {
protected:
    void SetUp() override {
        lc::SetHeadless(true);
        ASSERT_EQ(InitGraph(4, 1, 0), 1);
        ASSERT_EQ(GetMaxX(), 799);
        ASSERT_EQ(GetMaxY(), 599);
    }
    void TearDown() override {
        FreeGIFS();
        CloseGraph();
        lc::SetHeadless(false);
    }
    void Fill(uint32_t rgb) {
        SetColorRGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
        DrawRectFill(0, 0, GetMaxX(), GetMaxY());
    }
    // The screen's pixels in the rectangle, row after row.
    std::vector<uint32_t> Pixels(int x1, int y1, int x2, int y2) {
        std::vector<uint32_t> out;
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) out.push_back(GetPixelRGB(x, y));
        return out;
    }
    ScratchDir dir_;
};

uint32_t Pixel(const Bitmap* b, int x, int y) {
    const SDL_Surface* s = b->pixels.get();
    return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) +
                                             y * s->pitch)[x];
}

// A bitmap of w x h whose pixel (x, y) is argb(x, y).
Bitmap* Painted(int w, int h, const std::function<uint32_t(int, int)>& argb) {
    Bitmap* b = CreateBitmap(w, h);
    lc::SurfacePtr s = picture_files::Surface(w, h, argb);
    SDL_SetSurfaceBlendMode(s.get(), SDL_BLENDMODE_NONE);
    SDL_BlitSurface(s.get(), nullptr, b->pixels.get(), nullptr);
    return b;
}

uint32_t Distinct(int x, int y) {
    return 0xFF000000u | static_cast<uint32_t>(x * 37 + y * 1000 + 5);
}

int Channel(uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); }

}  // namespace

// --- Bitmaps ---------------------------------------------------------------------

TEST(Bitmaps, CreatedBlackAtTheirSize) {
    Bitmap* b = CreateBitmap(7, 3);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(BitmapWidth(b), 7);
    EXPECT_EQ(BitmapHeight(b), 3);
    EXPECT_EQ(Pixel(b, 6, 2), 0xFF000000u);
    DestroyBitmap(b);
    EXPECT_EQ(CreateBitmap(0, 5), nullptr);
    EXPECT_EQ(CreateBitmap(5, -1), nullptr);
    EXPECT_EQ(CreateBitmap(1000000, 1000000), nullptr);
    EXPECT_EQ(BitmapWidth(nullptr), 0);
    EXPECT_EQ(BitmapHeight(nullptr), 0);
    DestroyBitmap(nullptr);
}

TEST(Bitmaps, BlitCopiesExactlyAndClipsAtTheEdges) {
    Bitmap* src = Painted(10, 10, Distinct);
    Bitmap* dst = CreateBitmap(6, 6);
    Blit(src, dst, 2, 3, 1, 1, 4, 4);
    EXPECT_EQ(Pixel(dst, 0, 0), 0xFF000000u);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(Pixel(dst, 1 + x, 1 + y), Distinct(2 + x, 3 + y));
    EXPECT_EQ(Pixel(dst, 5, 5), 0xFF000000u);
    // Past every edge: what falls inside is copied, the rest is dropped.
    Blit(src, dst, 8, 8, 4, -1, 10, 10);
    EXPECT_EQ(Pixel(dst, 4, 0), Distinct(8, 9));
    EXPECT_EQ(Pixel(dst, 5, 0), Distinct(9, 9));
    Blit(nullptr, dst, 0, 0, 0, 0, 5, 5);
    Blit(src, nullptr, 0, 0, 0, 0, 5, 5);
    DestroyBitmap(src);
    DestroyBitmap(dst);
}

TEST(Bitmaps, BlitWithinOneBitmapMayOverlap) {
    Bitmap* b = Painted(8, 1, Distinct);
    Blit(b, b, 0, 0, 2, 0, 6, 1);
    for (int x = 0; x < 6; ++x) EXPECT_EQ(Pixel(b, x + 2, 0), Distinct(x, 0));
    DestroyBitmap(b);
}

TEST(Bitmaps, StretchBlitAtTheSameSizeIsExact) {
    Bitmap* src = Painted(9, 7, Distinct);
    Bitmap* dst = CreateBitmap(9, 7);
    StretchBlit(src, dst, 0, 0, 9, 7, 0, 0, 9, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) ASSERT_EQ(Pixel(dst, x, y), Distinct(x, y));
    DestroyBitmap(src);
    DestroyBitmap(dst);
}

TEST(Bitmaps, StretchBlitShrinksByAveragingAndEnlargesSmoothly) {
    // A one-pixel checkerboard halved becomes an even grey, not one of its colours.
    Bitmap* board =
        Painted(8, 8, [](int x, int y) { return (x + y) % 2 ? 0xFFFFFFFFu : 0xFF000000u; });
    Bitmap* half = CreateBitmap(4, 4);
    StretchBlit(board, half, 0, 0, 8, 8, 0, 0, 4, 4);
    for (int x = 0; x < 4; ++x) {
        const int grey = Channel(Pixel(half, x, 1), 8);
        EXPECT_NEAR(grey, 128, 2);
    }
    // Black then white, enlarged 10 times: the ends keep their colour and the
    // middle passes through greys rather than jumping.
    Bitmap* two = Painted(2, 1, [](int x, int) { return x ? 0xFFFFFFFFu : 0xFF000000u; });
    Bitmap* wide = CreateBitmap(20, 1);
    StretchBlit(two, wide, 0, 0, 2, 1, 0, 0, 20, 1);
    EXPECT_EQ(Pixel(wide, 0, 0), 0xFF000000u);
    EXPECT_EQ(Pixel(wide, 19, 0), 0xFFFFFFFFu);
    const int middle = Channel(Pixel(wide, 9, 0), 0);
    EXPECT_GT(middle, 60);
    EXPECT_LT(middle, 195);
    for (int x = 1; x < 20; ++x)
        EXPECT_GE(Channel(Pixel(wide, x, 0), 0), Channel(Pixel(wide, x - 1, 0), 0));
    for (Bitmap* b : {board, half, two, wide}) DestroyBitmap(b);
}

TEST(Bitmaps, StretchBlitTakesOnlyTheSourceRectangle) {
    // Red on the left, a green column at x = 4 that the rectangle leaves out.
    Bitmap* src = Painted(5, 4, [](int x, int) { return x == 4 ? 0xFF00FF00u : 0xFFFF0000u; });
    Bitmap* dst = CreateBitmap(40, 10);
    StretchBlit(src, dst, 0, 0, 4, 4, 5, 0, 30, 10);
    for (int x = 5; x < 35; ++x) ASSERT_EQ(Pixel(dst, x, 5), 0xFFFF0000u) << x;
    EXPECT_EQ(Pixel(dst, 4, 5), 0xFF000000u);
    EXPECT_EQ(Pixel(dst, 35, 5), 0xFF000000u);
    DestroyBitmap(src);
    DestroyBitmap(dst);
}

TEST(Bitmaps, AnSvgStretchedIsRasterisedAtItsNewSize) {
    ScratchDir dir;
    WriteFile(dir.path() / "halves.svg", HalvesSvg(40, 20));
    Bitmap* svg = GetDataIMG((dir.path() / "halves.svg").string().c_str(), 0);
    ASSERT_NE(svg, nullptr);
    EXPECT_EQ(BitmapWidth(svg), 40);
    Bitmap* big = CreateBitmap(400, 200);
    StretchBlit(svg, big, 0, 0, 40, 20, 0, 0, 400, 200);
    // Crisp: one pixel on each side of the middle is pure (a scaled raster
    // would blend over several pixels there).
    EXPECT_EQ(Pixel(big, 198, 100), 0xFFFF0000u);
    EXPECT_EQ(Pixel(big, 201, 100), 0xFF0000FFu);
    EXPECT_EQ(BitmapWidth(svg), 40) << "the bitmap keeps its own size";
    DestroyBitmap(svg);
    DestroyBitmap(big);
}

TEST(Bitmaps, APartOfAnSvgStretchedKeepsToThatPart) {
    // The end-of-quiz panel is made from a rectangle of an archive picture.
    ScratchDir dir;
    WriteFile(dir.path() / "halves.svg", HalvesSvg(40, 20));
    Bitmap* svg = GetDataIMG((dir.path() / "halves.svg").string().c_str(), 0);
    ASSERT_NE(svg, nullptr);
    Bitmap* left = CreateBitmap(100, 100);
    StretchBlit(svg, left, 0, 0, 20, 20, 0, 0, 100, 100);
    for (int x = 0; x < 100; ++x) ASSERT_EQ(Pixel(left, x, 50), 0xFFFF0000u) << x;
    EXPECT_EQ(Pixel(left, 99, 99), 0xFFFF0000u);
    Bitmap* right = CreateBitmap(50, 60);
    StretchBlit(svg, right, 20, 0, 20, 20, 0, 0, 50, 50);
    EXPECT_EQ(Pixel(right, 0, 0), 0xFF0000FFu);
    EXPECT_EQ(Pixel(right, 49, 49), 0xFF0000FFu);
    EXPECT_EQ(Pixel(right, 49, 50), 0xFF000000u) << "below the destination rectangle";
    for (Bitmap* b : {svg, left, right}) DestroyBitmap(b);
}

// --- The screen ------------------------------------------------------------------

TEST_F(PictureScreen, GetImageThenPutImageRestoresTheScreenExactly) {
    SDL_Surface* screen = lc::Screen();
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 60; ++x)
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(screen->pixels) +
                                        (100 + y) * screen->pitch)[200 + x] =
                static_cast<uint32_t>(x * 4 << 16 | y * 5 << 8 | (x + y));
    const auto before = Pixels(200, 100, 259, 149);
    Bitmap* saved = GetImage(200, 100, 259, 149);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(BitmapWidth(saved), 60);
    EXPECT_EQ(BitmapHeight(saved), 50);
    Fill(kGreen);
    PutImage(saved, 200, 100);
    EXPECT_EQ(Pixels(200, 100, 259, 149), before);
    EXPECT_EQ(GetPixelRGB(199, 100), kGreen);
    EXPECT_EQ(GetPixelRGB(260, 149), kGreen);
    EXPECT_EQ(GetPixelRGB(200, 150), kGreen);
    DestroyBitmap(saved);
}

TEST_F(PictureScreen, GetImageOfTheWholeScreenAndClipped) {
    Bitmap* whole = GetImage(0, 0, GetMaxX(), GetMaxY());
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(BitmapWidth(whole), 800);
    EXPECT_EQ(BitmapHeight(whole), 600);
    Bitmap* corner = GetImage(790, 590, 900, 700);
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(BitmapWidth(corner), 10);
    EXPECT_EQ(BitmapHeight(corner), 10);
    EXPECT_EQ(GetImage(900, 900, 950, 950), nullptr);
    Bitmap* all = GetImage(INT_MAX, INT_MIN, INT_MIN, INT_MAX);
    ASSERT_NE(all, nullptr) << "corners far outside still mean the whole screen";
    EXPECT_EQ(BitmapWidth(all), 800);
    EXPECT_EQ(BitmapHeight(all), 600);
    DestroyBitmap(all);
    Bitmap* swapped = GetImage(20, 10, 11, 1);
    ASSERT_NE(swapped, nullptr);
    EXPECT_EQ(BitmapWidth(swapped), 10);
    EXPECT_EQ(BitmapHeight(swapped), 10);
    DestroyBitmap(swapped);
    DestroyBitmap(whole);
    DestroyBitmap(corner);
}

TEST_F(PictureScreen, PutImageAdjustCoversBothCornersIncluded) {
    Fill(kGreen);
    Bitmap* red = Painted(10, 10, [](int, int) { return 0xFFFF0000u; });
    PutImageAdjust(red, 5, 5, 20, 10);
    EXPECT_EQ(GetPixelRGB(5, 5), kRed);
    EXPECT_EQ(GetPixelRGB(25, 15), kRed);
    EXPECT_EQ(GetPixelRGB(4, 5), kGreen);
    EXPECT_EQ(GetPixelRGB(26, 15), kGreen);
    EXPECT_EQ(GetPixelRGB(25, 16), kGreen);
    // The whole screen, as the question screen draws its background.
    PutImageAdjust(red, 0, 0, GetMaxX(), GetMaxY());
    EXPECT_EQ(GetPixelRGB(GetMaxX(), GetMaxY()), kRed);
    EXPECT_EQ(GetPixelRGB(0, 0), kRed);
    DestroyBitmap(red);
}

TEST_F(PictureScreen, PutImageAdjustRedrawsAfterTheBitmapChanged) {
    Bitmap* b = Painted(4, 4, [](int, int) { return 0xFFFF0000u; });
    PutImageAdjust(b, 0, 0, 99, 99);
    EXPECT_EQ(GetPixelRGB(50, 50), kRed);
    Bitmap* blue = Painted(4, 4, [](int, int) { return 0xFF0000FFu; });
    Blit(blue, b, 0, 0, 0, 0, 4, 4);
    PutImageAdjust(b, 0, 0, 99, 99);
    EXPECT_EQ(GetPixelRGB(50, 50), kBlue) << "a stale scaled copy was drawn";
    DestroyBitmap(b);
    DestroyBitmap(blue);
}

TEST_F(PictureScreen, SvgIsDrawnCrispAtTheSizeItIsShown) {
    WriteFile(dir_.path() / "halves.svg", HalvesSvg(40, 20));
    Bitmap* svg = GetDataIMG((dir_.path() / "halves.svg").string().c_str(), 0);
    ASSERT_NE(svg, nullptr);
    PutImageAdjust(svg, 0, 0, 399, 199);
    EXPECT_EQ(GetPixelRGB(198, 100), kRed);
    EXPECT_EQ(GetPixelRGB(201, 100), kBlue);
    EXPECT_EQ(GetPixelRGB(399, 199), kBlue);
    PutImage(svg, 500, 300);  // at its own size
    EXPECT_EQ(GetPixelRGB(500, 300), kRed);
    EXPECT_EQ(GetPixelRGB(539, 319), kBlue);
    DestroyBitmap(svg);
}

TEST_F(PictureScreen, TransparentPixelsShowWhatIsBehind) {
    Fill(kGreen);
    // Red with transparent corners, and a half-transparent centre.
    const auto icon = [](int x, int y) -> uint32_t {
        if ((x == 0 || x == 9) && (y == 0 || y == 9)) return 0x00FF0000u;
        if (x == 5 && y == 5) return 0x80FF0000u;
        return 0xFFFF0000u;
    };
    Png(dir_.path() / "icon.png", 10, 10, icon);
    Bitmap* b = GetDataIMG((dir_.path() / "icon.png").string().c_str(), 0);
    ASSERT_NE(b, nullptr);
    PutImage(b, 100, 100);
    EXPECT_EQ(GetPixelRGB(100, 100), kGreen);
    EXPECT_EQ(GetPixelRGB(109, 109), kGreen);
    EXPECT_EQ(GetPixelRGB(101, 100), kRed);
    const uint32_t mix = GetPixelRGB(105, 105);
    EXPECT_NEAR(Channel(mix, 16), 128, 3);
    EXPECT_NEAR(Channel(mix, 8), 127, 3);
    DestroyBitmap(b);
}

TEST_F(PictureScreen, NullPicturesDrawNothing) {
    Fill(kGreen);
    PutImage(nullptr, 0, 0);
    PutImageAdjust(nullptr, 0, 0, 100, 100);
    ShowPictureAdjust(nullptr, 0, 0, 100, 100);
    EXPECT_EQ(ShowGIFAdjust(nullptr, 0, 0, 10, 10, nullptr), 0);
    PutImageAdjust(nullptr, INT_MAX, INT_MAX, INT_MAX, INT_MAX);
    EXPECT_EQ(GetPixelRGB(50, 50), kGreen);
}

TEST_F(PictureScreen, AbsurdRectanglesDrawNothingAndNeverOverflow) {
    Fill(kGreen);
    Bitmap* b = Painted(4, 4, [](int, int) { return 0xFFFF0000u; });
    PutImageAdjust(b, 0, 0, INT_MAX, INT_MAX);
    PutImageAdjust(b, INT_MIN, INT_MIN, 10, 10);
    PutImage(b, INT_MAX, INT_MAX);
    StretchBlit(b, b, 0, 0, 4, 4, 0, 0, INT_MAX, INT_MAX);
    StretchBlit(b, b, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0, 0, 4, 4);
    StretchBlit(b, b, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 4, 4);
    Blit(b, b, INT_MIN, INT_MIN, 0, 0, INT_MAX, INT_MAX);
    const auto gif = dir_.path() / "a.gif";
    WriteFile(gif, SolidGif(2, 2, {kRed}));
    int state = -1;
    EXPECT_EQ(ShowGIFAdjust(gif.string().c_str(), 0, 0, INT_MAX, INT_MAX, &state), 1);
    EXPECT_EQ(GetPixelRGB(0, 0), kGreen);
    EXPECT_EQ(GetPixelRGB(GetMaxX(), GetMaxY()), kGreen);
    EXPECT_EQ(Pixel(b, 3, 3), 0xFFFF0000u);
    DestroyBitmap(b);
}

// --- Picture files -------------------------------------------------------------------

TEST_F(PictureScreen, ShowPictureAdjustScalesTheFileIntoTheRectangle) {
    Fill(kGreen);
    SolidPng(dir_.path() / "blue.png", 300, 200, 0xFF0000FFu);
    ShowPictureAdjust((dir_.path() / "blue.png").string().c_str(), 10, 20, 120, 120);
    EXPECT_EQ(GetPixelRGB(10, 20), kBlue);
    EXPECT_EQ(GetPixelRGB(130, 140), kBlue);
    EXPECT_EQ(GetPixelRGB(131, 140), kGreen);
    EXPECT_EQ(GetPixelRGB(130, 141), kGreen);
}

TEST_F(PictureScreen, ShowPictureAdjustSeesAReplacedFile) {
    const auto path = dir_.path() / "pic.png";
    SolidPng(path, 20, 20, 0xFFFF0000u);
    ShowPictureAdjust(path.string().c_str(), 0, 0, 50, 50);
    EXPECT_EQ(GetPixelRGB(25, 25), kRed);
    SolidPng(path, 30, 10, 0xFF0000FFu);  // another size: another stamp
    ShowPictureAdjust(path.string().c_str(), 0, 0, 50, 50);
    EXPECT_EQ(GetPixelRGB(25, 25), kBlue);
}

TEST_F(PictureScreen, AThumbnailRedrawnIsNotReadAgain) {
    const auto path = dir_.path() / "thumb.png";
    const std::string red = SolidPng(path, 40, 40, 0xFFFF0000u);
    const auto stamp = std::filesystem::last_write_time(path);
    ShowPictureAdjust(path.string().c_str(), 0, 0, 119, 119);
    // Same size, same time, other bytes: only a cached picture still shows red.
    WriteFile(path, std::string(red.size(), 'x'));
    std::filesystem::last_write_time(path, stamp);
    Fill(kGreen);
    ShowPictureAdjust(path.string().c_str(), 0, 0, 119, 119);
    EXPECT_EQ(GetPixelRGB(60, 60), kRed);
}

TEST_F(PictureScreen, ABackgroundDrawnAgainAtTheSameSizeIsScaledOnce) {
    Bitmap* b = Painted(64, 48, Distinct);
    PutImageAdjust(b, 0, 0, GetMaxX(), GetMaxY());
    const SDL_Surface* scaled = b->rendition.get();
    ASSERT_NE(scaled, nullptr);
    const uint32_t corner = GetPixelRGB(GetMaxX(), GetMaxY());
    Fill(kGreen);
    PutImageAdjust(b, 0, 0, GetMaxX(), GetMaxY());
    EXPECT_EQ(b->rendition.get(), scaled);
    EXPECT_EQ(GetPixelRGB(GetMaxX(), GetMaxY()), corner);
    DestroyBitmap(b);
}

TEST_F(PictureScreen, AMissingOrBrokenPictureDrawsNothingAndIsToldOnce) {
    Fill(kGreen);
    const std::string missing = (dir_.path() / "absent.png").string();
    testing::internal::CaptureStderr();
    ShowPictureAdjust(missing.c_str(), 0, 0, 100, 100);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("absent.png"), std::string::npos) << said;
    testing::internal::CaptureStderr();
    ShowPictureAdjust(missing.c_str(), 0, 0, 100, 100);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the same missing file is told once";

    WriteFile(dir_.path() / "notes.png", "these are the teacher's notes, not a picture");
    testing::internal::CaptureStderr();
    ShowPictureAdjust((dir_.path() / "notes.png").string().c_str(), 0, 0, 100, 100);
    said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("notes.png"), std::string::npos) << said;
    EXPECT_EQ(GetPixelRGB(50, 50), kGreen);
    EXPECT_EQ(GetPixelRGB(0, 0), kGreen);
}

TEST(PictureFiles, GetDataIMGGivesThePictureAtItsOwnSize) {
    ScratchDir dir;
    SolidPng(dir.path() / "p.png", 123, 45, 0xFF102030u);
    Bitmap* b = GetDataIMG((dir.path() / "p.png").string().c_str(), 0);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(BitmapWidth(b), 123);
    EXPECT_EQ(BitmapHeight(b), 45);
    EXPECT_EQ(Pixel(b, 60, 20), 0xFF102030u);
    DestroyBitmap(b);
    EXPECT_EQ(GetDataIMG((dir.path() / "none.png").string().c_str(), 0), nullptr);
    EXPECT_EQ(GetDataIMG(nullptr, 0), nullptr);
    WriteFile(dir.path() / "empty.jpg", "");
    EXPECT_EQ(GetDataIMG((dir.path() / "empty.jpg").string().c_str(), 0), nullptr);
}

// The game names files in Windows-1252 (a quiz line, a typed name) while the
// files on Linux carry UTF-8 names: the same file is found either way.
TEST(PictureFiles, AnAccentedNameInWindows1252FindsTheUtf8File) {
    ScratchDir dir;
    const std::string dossier = dir.path().string() + "/";
    const std::string utf8 = dossier + "\xC3\xA9l\xC3\xA9phant.png";  // "éléphant.png"
    SolidPng(std::filesystem::path(std::u8string(utf8.begin(), utf8.end())), 10, 8, 0xFF405060u);
    const std::string cp1252 = dossier + "\xE9l\xE9phant.png";
    EXPECT_EQ(ModeAccessFile(cp1252.c_str(), 0), 1);
    Bitmap* b = GetDataIMG(cp1252.c_str(), 0);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(BitmapWidth(b), 10);
    DestroyBitmap(b);
    // A name already in UTF-8 is taken as it is, and a byte that is neither
    // finds nothing rather than something else.
    EXPECT_EQ(ModeAccessFile(utf8.c_str(), 0), 1);
    EXPECT_EQ(ModeAccessFile((dossier + "\x81l\xE9phant.png").c_str(), 0), 0);
}

TEST(PictureFiles, ALargePictureIsScaledDownOnLoading) {
    ScratchDir dir;
    SolidPng(dir.path() / "scan.png", 5000, 1250, 0xFF00FF00u);
    Bitmap* b = GetDataIMG((dir.path() / "scan.png").string().c_str(), 0);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(BitmapWidth(b), lc::MaxPictureSide());
    EXPECT_EQ(BitmapHeight(b), 1024);
    EXPECT_EQ(Pixel(b, 2000, 500), 0xFF00FF00u);
    DestroyBitmap(b);
}

TEST(PictureFiles, AnAbsurdHeaderIsRefusedBeforeDecoding) {
    ScratchDir dir;
    // A real PNG whose header is made to announce 100 000 x 100 000 pixels.
    std::string png = SolidPng(dir.path() / "p.png", 2, 2, 0xFFFFFFFFu);
    const char huge[4] = {0, 1, static_cast<char>(0x86), static_cast<char>(0xA0)};
    png.replace(16, 4, huge, 4);
    png.replace(20, 4, huge, 4);
    WriteFile(dir.path() / "bomb.png", png);
    EXPECT_EQ(GetDataIMG((dir.path() / "bomb.png").string().c_str(), 0), nullptr);
    EXPECT_NE(std::string(GetMediaError()).find("trop grande"), std::string::npos)
        << GetMediaError();
}

TEST(PictureFiles, AnAbsurdJpegIsRefusedToo) {
    ScratchDir dir;
    lc::SurfacePtr s = picture_files::Surface(8, 8, [](int, int) { return 0xFF808080u; });
    IMG_SaveJPG(s.get(), (dir.path() / "p.jpg").string().c_str(), 90);
    std::string jpg = picture_files::ReadAll(dir.path() / "p.jpg");
    const size_t frame = jpg.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    jpg.replace(frame + 5, 4, "\xEA\x60\xEA\x60", 4);  // 60 000 x 60 000
    WriteFile(dir.path() / "bomb.jpg", jpg);
    EXPECT_EQ(GetDataIMG((dir.path() / "bomb.jpg").string().c_str(), 0), nullptr);
    EXPECT_NE(std::string(GetMediaError()).find("60000 x 60000"), std::string::npos)
        << GetMediaError();
}

TEST(PictureFiles, AnSvgTakesItsSizeFromItsUnitsOrItsViewBox) {
    ScratchDir dir;
    const auto size_of = [&dir](const std::string& root) {
        WriteFile(dir.path() / "p.svg",
                  "<?xml version='1.0'?>\n<svg xmlns='http://www.w3.org/2000/svg'" + root +
                      "><rect width='10' height='10' fill='red'/></svg>");
        Bitmap* b = GetDataIMG((dir.path() / "p.svg").string().c_str(), 0);
        const std::pair<int, int> size{BitmapWidth(b), BitmapHeight(b)};
        DestroyBitmap(b);
        return size;
    };
    EXPECT_EQ(size_of(" width='10cm' height='5cm'"), std::make_pair(378, 189));
    EXPECT_EQ(size_of(" viewBox='0 0 30 10'"), std::make_pair(30, 10));
    EXPECT_EQ(size_of(" width='60' viewBox='0 0 30 10'"), std::make_pair(60, 20));
    EXPECT_EQ(size_of("\n  width=\"72pt\"\n  height=\"36pt\""), std::make_pair(96, 48));
    // Drawn for a wall: kept within the largest side a picture keeps.
    EXPECT_EQ(size_of(" width='100000' height='50000'"),
              std::make_pair(lc::MaxPictureSide(), 2048));
    EXPECT_EQ(size_of(""), std::make_pair(0, 0)) << "no size at all: refused";
}

TEST(PictureFiles, APhotoTakenWithThePhoneTurnedShowsTheRightWayUp) {
    ScratchDir dir;
    // Red on the left half, blue on the right, 40 x 20 as stored.
    lc::SurfacePtr s = picture_files::Surface(
        40, 20, [](int x, int) { return x < 20 ? 0xFFFF0000u : 0xFF0000FFu; });
    IMG_SaveJPG(s.get(), (dir.path() / "p.jpg").string().c_str(), 95);
    const std::string jpeg = picture_files::ReadAll(dir.path() / "p.jpg");
    const auto red = [](uint32_t p) { return Channel(p, 16) > 200 && Channel(p, 0) < 60; };
    const auto blue = [](uint32_t p) { return Channel(p, 0) > 200 && Channel(p, 16) < 60; };
    struct Case {
        int orientation;
        int w, h;
        int red_x, red_y;  // a pixel the red half must cover once turned
        int blue_x, blue_y;
    };
    for (const Case c : {Case{1, 40, 20, 2, 10, 37, 10}, Case{3, 40, 20, 37, 10, 2, 10},
                         Case{6, 20, 40, 10, 2, 10, 37}, Case{8, 20, 40, 10, 37, 10, 2},
                         Case{2, 40, 20, 37, 10, 2, 10}, Case{5, 20, 40, 10, 2, 10, 37}}) {
        for (const bool little : {true, false}) {
            WriteFile(dir.path() / "turned.jpg",
                      picture_files::WithOrientation(jpeg, c.orientation, little));
            Bitmap* b = GetDataIMG((dir.path() / "turned.jpg").string().c_str(), 0);
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(BitmapWidth(b), c.w) << c.orientation;
            EXPECT_EQ(BitmapHeight(b), c.h) << c.orientation;
            EXPECT_TRUE(red(Pixel(b, c.red_x, c.red_y))) << c.orientation << " " << little;
            EXPECT_TRUE(blue(Pixel(b, c.blue_x, c.blue_y))) << c.orientation << " " << little;
            DestroyBitmap(b);
        }
    }
}

TEST(PictureFiles, OtherFormatsRead) {
    ScratchDir dir;
    lc::SurfacePtr s = picture_files::Surface(16, 8, [](int, int) { return 0xFF2040E0u; });
    IMG_SaveJPG(s.get(), (dir.path() / "p.jpg").string().c_str(), 95);
    SDL_SaveBMP(s.get(), (dir.path() / "p.bmp").string().c_str());
    for (const char* name : {"p.jpg", "p.bmp"}) {
        Bitmap* b = GetDataIMG((dir.path() / name).string().c_str(), 0);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(BitmapWidth(b), 16) << name;
        EXPECT_EQ(BitmapHeight(b), 8) << name;
        EXPECT_NEAR(Channel(Pixel(b, 8, 4), 0), 0xE0, 6) << name;
        DestroyBitmap(b);
    }
}

TEST_F(PictureScreen, DamagedPicturesNeverCrash) {
    // Good files of every kind, then the same cut short and with bytes spoilt.
    lc::SurfacePtr s = picture_files::Surface(24, 16, Distinct);
    IMG_SaveJPG(s.get(), (dir_.path() / "p.jpg").string().c_str(), 80);
    SDL_SaveBMP(s.get(), (dir_.path() / "p.bmp").string().c_str());
    const std::vector<std::string> good = {
        Png(dir_.path() / "p.png", 24, 16, Distinct),
        picture_files::ReadAll(dir_.path() / "p.jpg"),
        picture_files::ReadAll(dir_.path() / "p.bmp"),
        picture_files::WithOrientation(picture_files::ReadAll(dir_.path() / "p.jpg"), 6, false),
        SolidGif(6, 4, {kRed, kGreen}),
        HalvesSvg(40, 20)};
    uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    int tried = 0;
    testing::internal::CaptureStderr();  // a complaint for each, deserved
    for (const std::string& file : good) {
        ASSERT_GT(file.size(), 20u);
        for (int round = 0; round < 40; ++round) {
            std::string bad = file.substr(0, round < 20 ? 1 + next() % file.size() : file.size());
            for (int flips = round < 20 ? 0 : 1 + static_cast<int>(next() % 8); flips > 0; --flips)
                bad[next() % bad.size()] = static_cast<char>(next());
            const std::string path = (dir_.path() / ("bad" + std::to_string(tried++))).string();
            WriteFile(path, bad);
            if (Bitmap* b = GetDataIMG(path.c_str(), 0)) {
                EXPECT_GE(BitmapWidth(b), 1);
                EXPECT_LE(BitmapWidth(b), lc::MaxPictureSide());
                PutImageAdjust(b, 0, 0, 50, 50);
                DestroyBitmap(b);
            }
            ShowPictureAdjust(path.c_str(), 0, 0, 30, 30);
            int state = -1;
            const int drawn = ShowGIFAdjust(path.c_str(), 0, 0, 30, 30, &state);
            EXPECT_TRUE(drawn == 0 || state == 0) << path;
        }
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Impossible de lire l'image"), std::string::npos);
    EXPECT_EQ(tried, 240);
}

// --- Animated GIFs ----------------------------------------------------------------------

TEST_F(PictureScreen, GifFramesAdvanceOneACallAndWrap) {
    const auto path = dir_.path() / "anim.gif";
    WriteFile(path, SolidGif(20, 10, {kRed, kGreen, kBlue}));
    int state = -1;
    const uint32_t expected[] = {kRed, kGreen, kBlue, kRed, kGreen};
    for (int call = 0; call < 5; ++call) {
        ASSERT_EQ(ShowGIFAdjust(path.string().c_str(), 100, 100, 39, 19, &state), 1);
        EXPECT_EQ(state, call % 3);
        EXPECT_EQ(GetPixelRGB(100, 100), expected[call]) << "call " << call;
        EXPECT_EQ(GetPixelRGB(139, 119), expected[call]) << "call " << call;
    }
    EXPECT_EQ(GetPixelRGB(140, 119), 0u) << "outside the rectangle";
    // A state the caller spoilt starts again at the first frame.
    state = 57;
    ASSERT_EQ(ShowGIFAdjust(path.string().c_str(), 0, 0, 19, 9, &state), 1);
    EXPECT_EQ(state, 0);
    EXPECT_EQ(GetPixelRGB(0, 0), kRed);
}

TEST_F(PictureScreen, GifsAreKeptUntilFreeGifs) {
    const auto path = dir_.path() / "anim.gif";
    WriteFile(path, SolidGif(4, 4, {kRed, kGreen}));
    int state = -1;
    ASSERT_EQ(ShowGIFAdjust(path.string().c_str(), 0, 0, 9, 9, &state), 1);
    WriteFile(path, SolidGif(4, 4, {kBlue, kBlue}));
    ASSERT_EQ(ShowGIFAdjust(path.string().c_str(), 0, 0, 9, 9, &state), 1);
    EXPECT_EQ(GetPixelRGB(5, 5), kGreen) << "the loaded frames are drawn, not the file again";
    FreeGIFS();
    state = -1;
    ASSERT_EQ(ShowGIFAdjust(path.string().c_str(), 0, 0, 9, 9, &state), 1);
    EXPECT_EQ(GetPixelRGB(5, 5), kBlue);
}

TEST_F(PictureScreen, BrokenGifsDrawWhatTheyCanAndNeverCrash) {
    Fill(kGreen);
    const std::string whole = SolidGif(20, 10, {kRed, kBlue, kRed});
    // Cut inside the second frame's picture data.
    const size_t second = whole.find(",", whole.find(",") + 1);
    ASSERT_NE(second, std::string::npos);
    WriteFile(dir_.path() / "cut.gif", whole.substr(0, second + 30));
    int state = -1;
    const int drawn = ShowGIFAdjust((dir_.path() / "cut.gif").string().c_str(), 0, 0, 19, 9, &state);
    if (drawn == 1) {
        EXPECT_EQ(state, 0);
        EXPECT_EQ(GetPixelRGB(0, 0), kRed);
    } else {
        EXPECT_EQ(GetPixelRGB(0, 0), kGreen);
    }
    // Cut inside the header: nothing readable.
    WriteFile(dir_.path() / "stub.gif", whole.substr(0, 9));
    state = -1;
    EXPECT_EQ(ShowGIFAdjust((dir_.path() / "stub.gif").string().c_str(), 0, 0, 19, 9, &state), 0);
    EXPECT_EQ(ShowGIFAdjust((dir_.path() / "none.gif").string().c_str(), 0, 0, 19, 9, &state), 0);
    EXPECT_EQ(GetPixelRGB(10, 5), drawn == 1 ? kRed : kGreen);
}

TEST_F(PictureScreen, AGifWhoseFramesWouldFillTheMemoryIsRefused) {
    // Forty tiny pictures on a canvas of 3000 x 3000: each frame is held whole.
    std::string gif = SolidGif(1, 1, std::vector<uint32_t>(40, kRed));
    const char side[2] = {static_cast<char>(3000 & 0xFF), static_cast<char>(3000 >> 8)};
    gif.replace(6, 2, side, 2);
    gif.replace(8, 2, side, 2);
    WriteFile(dir_.path() / "bomb.gif", gif);
    int state = -1;
    EXPECT_EQ(ShowGIFAdjust((dir_.path() / "bomb.gif").string().c_str(), 0, 0, 9, 9, &state), 0);
    EXPECT_NE(std::string(GetMediaError()).find("40 images"), std::string::npos) << GetMediaError();
    // The same with four pictures is a fair animation.
    gif = SolidGif(1, 1, std::vector<uint32_t>(4, kRed));
    gif.replace(6, 2, side, 2);
    gif.replace(8, 2, side, 2);
    WriteFile(dir_.path() / "big.gif", gif);
    EXPECT_EQ(ShowGIFAdjust((dir_.path() / "big.gif").string().c_str(), 0, 0, 9, 9, &state), 1);
}

TEST_F(PictureScreen, AStillPictureNamedGifShowsAsOneFrame) {
    SolidPng(dir_.path() / "still.gif", 8, 8, 0xFF0000FFu);
    int state = -1;
    ASSERT_EQ(ShowGIFAdjust((dir_.path() / "still.gif").string().c_str(), 0, 0, 7, 7, &state), 1);
    ASSERT_EQ(ShowGIFAdjust((dir_.path() / "still.gif").string().c_str(), 0, 0, 7, 7, &state), 1);
    EXPECT_EQ(state, 0);
    EXPECT_EQ(GetPixelRGB(3, 3), kBlue);
}

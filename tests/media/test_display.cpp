// The display: the size chosen from LCConfig.txt, the headless back buffer,
// the palette and the current colour.
#include "harness.h"
#include "internal.h"
#include "lumicanvas.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>

using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

lc::DisplaySettings Code(int code, int w = 800, int h = 600, int full = 0) {
    lc::DisplaySettings s;
    s.code = code;
    s.width = w;
    s.height = h;
    s.full_screen = full;
    return s;
}

// Opens the headless back buffer for the test and closes it at the end.
struct HeadlessScreen {
    explicit HeadlessScreen(int mode = 4) {
        lc::SetHeadless(true);
        ok = InitGraph(mode, 1, 0) == 1;
    }
    ~HeadlessScreen() {
        CloseGraph();
        lc::SetHeadless(false);
    }
    bool ok = false;
};

}  // namespace

// Long messages are wrapped inside the box: at spaces, a word longer than a
// line (a file's path) cut between characters, nothing lost.
TEST(MessageBox, LongMessagesWrapWithinTheLine) {
    const auto ten = [](const std::string& line) {
        std::size_t n = 0;
        for (char c : line) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        return n <= 10;
    };
    const struct {
        std::string text;
        std::string wrapped;
    } cases[] = {
        {"court", "court"},
        {"un deux trois quatre", "un deux\ntrois\nquatre"},
        {"abcdefghijklmnopqrstuvwxyz", "abcdefghij\nklmnopqrst\nuvwxyz"},
        {"voir /InfosQuizz/questions", "voir\n/InfosQuiz\nz/question\ns"},
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
         "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\n\xC3\xA9"},
        {"ligne 1\nligne 2 longue\n", "ligne 1\nligne 2\nlongue\n"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(lc::WrapText(c.text, ten), c.wrapped) << c.text;
}

TEST(DisplaySize, EachCodeGivesItsSize) {
    const struct {
        int code, w, h;
    } cases[] = {{1, 320, 200},   {2, 640, 480},   {3, 800, 600},   {4, 1024, 768},
                 {5, 1400, 1050}, {6, 1280, 1024}, {7, 1600, 1200}, {8, 2048, 1536}};
    for (const auto& c : cases) {
        const lc::DisplaySize s = lc::ChooseDisplaySize(Code(c.code), 2560, 1600);
        EXPECT_EQ(s.width, c.w) << "code " << c.code;
        EXPECT_EQ(s.height, c.h) << "code " << c.code;
        EXPECT_TRUE(s.fallback.empty()) << "code " << c.code;
    }
}

TEST(DisplaySize, CodeZeroIsTheDesktopAndNineTheFileSizes) {
    lc::DisplaySize s = lc::ChooseDisplaySize(Code(0), 1366, 768);
    EXPECT_EQ(s.width, 1366);
    EXPECT_EQ(s.height, 768);
    s = lc::ChooseDisplaySize(Code(9, 1111, 666), 1920, 1080);
    EXPECT_EQ(s.width, 1111);
    EXPECT_EQ(s.height, 666);
    EXPECT_TRUE(s.fallback.empty());
}

TEST(DisplaySize, FullScreenOnlyForOne) {
    EXPECT_TRUE(lc::ChooseDisplaySize(Code(4, 800, 600, 1), 1920, 1080).full_screen);
    EXPECT_FALSE(lc::ChooseDisplaySize(Code(4, 800, 600, 0), 1920, 1080).full_screen);
    EXPECT_FALSE(lc::ChooseDisplaySize(Code(4, 800, 600, 2), 1920, 1080).full_screen);
}

TEST(DisplaySize, TooLargeFallsBackToTheLargestStandardSizeThatFits) {
    // 2048 x 1536 on a 1920 x 1080 desktop: 1400 x 1050 is the largest that fits.
    lc::DisplaySize s = lc::ChooseDisplaySize(Code(8), 1920, 1080);
    EXPECT_EQ(s.width, 1400);
    EXPECT_EQ(s.height, 1050);
    EXPECT_NE(s.fallback.find("2048 x 1536"), std::string::npos) << s.fallback;
    // 1400 x 1050 on 1366 x 768: 1024 x 768.
    s = lc::ChooseDisplaySize(Code(5), 1366, 768);
    EXPECT_EQ(s.width, 1024);
    EXPECT_EQ(s.height, 768);
    EXPECT_FALSE(s.fallback.empty());
}

TEST(DisplaySize, AbsurdSizesFallBackToTheLargestThatFits) {
    const lc::DisplaySettings absurd[] = {Code(9, 0, 0), Code(9, -800, 600), Code(9, 100000, 600),
                                          Code(9, 100, 50)};
    for (const auto& a : absurd) {
        const lc::DisplaySize s = lc::ChooseDisplaySize(a, 1280, 1024);
        EXPECT_EQ(s.width, 1280) << a.width << "x" << a.height;
        EXPECT_EQ(s.height, 1024);
        EXPECT_NE(s.fallback.find("x " + std::to_string(a.height)), std::string::npos) << s.fallback;
    }
}

TEST(DisplaySize, UnknownCodesGiveTheDefaultWindow) {
    for (int code : {-1, 10, 2147483647}) {
        const lc::DisplaySize s = lc::ChooseDisplaySize(Code(code, 1111, 666), 1920, 1080);
        EXPECT_EQ(s.width, 800) << code;
        EXPECT_EQ(s.height, 600) << code;
        EXPECT_NE(s.fallback.find("RESOLUTION_PREDEFINIE=" + std::to_string(code)), std::string::npos);
    }
    // ... or what fits when even that does not.
    const lc::DisplaySize small = lc::ChooseDisplaySize(Code(-1), 700, 500);
    EXPECT_EQ(small.width, 640);
    EXPECT_EQ(small.height, 480);
}

TEST(DisplaySize, SmallerThanEveryStandardSize) {
    // A desktop smaller than every standard size: the desktop itself.
    const lc::DisplaySize tiny = lc::ChooseDisplaySize(Code(3), 300, 180);
    EXPECT_EQ(tiny.width, 300);
    EXPECT_EQ(tiny.height, 180);
}

TEST(DisplaySettingsFile, MissingFileGivesAnEightHundredBySixHundredWindow) {
    ScratchDir dir;
    const lc::DisplaySettings s = lc::ReadDisplaySettings("LCConfig.txt");
    EXPECT_EQ(s.code, 9);
    EXPECT_EQ(s.width, 800);
    EXPECT_EQ(s.height, 600);
    EXPECT_EQ(s.full_screen, 0);
    EXPECT_EQ(s.error_boxes, 0);
    EXPECT_TRUE(s.problems.empty());
}

TEST(DisplaySettingsFile, ReadsTheToolsFileAsTheToolWritesIt) {
    ScratchDir dir;
    WriteFile("LCConfig.txt",
              "RESOLUTION_HORIZONTALE=1152\nRESOLUTION_VERTICALE=864\nRESOLUTION_PREDEFINIE=4\n"
              "PLEIN_ECRAN=1\nMESSAGE_ERREUR=1\n\n--> Fichier g\xE9n\xE9r\xE9 par 'Tamarel.exe'");
    const lc::DisplaySettings s = lc::ReadDisplaySettings("LCConfig.txt");
    EXPECT_EQ(s.width, 1152);
    EXPECT_EQ(s.height, 864);
    EXPECT_EQ(s.code, 4);
    EXPECT_EQ(s.full_screen, 1);
    EXPECT_EQ(s.error_boxes, 1);
    EXPECT_TRUE(s.problems.empty()) << s.problems;
}

TEST(DisplaySettingsFile, ValuesReadLikeAtoiAndGarbageKeepsTheDefault) {
    ScratchDir dir;
    WriteFile("LCConfig.txt",
              "RESOLUTION_HORIZONTALE = 1000px\r\nRESOLUTION_VERTICALE=  +700\r\n"
              "RESOLUTION_PREDEFINIE=OUI\r\nPLEIN_ECRAN=99999999999999\r\n");
    const lc::DisplaySettings s = lc::ReadDisplaySettings("LCConfig.txt");
    EXPECT_EQ(s.width, 1000);
    EXPECT_EQ(s.height, 700);
    EXPECT_EQ(s.code, 9);         // no number: the default
    EXPECT_EQ(s.full_screen, 0);  // beyond an int: the default
    EXPECT_EQ(s.error_boxes, 0);  // absent: the default
    EXPECT_NE(s.problems.find("RESOLUTION_PREDEFINIE=OUI"), std::string::npos) << s.problems;
    EXPECT_NE(s.problems.find("PLEIN_ECRAN"), std::string::npos) << s.problems;
}

TEST(HeadlessDisplay, SizedFromTheFileOnAPretendFullHdDesktop) {
    ScratchDir dir;
    {
        HeadlessScreen screen;
        ASSERT_TRUE(screen.ok) << GetMediaError();
        EXPECT_EQ(GetMaxX(), 799);
        EXPECT_EQ(GetMaxY(), 599);
        ASSERT_NE(lc::Screen(), nullptr);
        EXPECT_EQ(lc::Screen()->format->format, static_cast<Uint32>(SDL_PIXELFORMAT_RGB888));
        EXPECT_EQ(lc::Window(), nullptr);
    }
    EXPECT_EQ(lc::Screen(), nullptr);
    WriteFile("LCConfig.txt", "RESOLUTION_PREDEFINIE=4\n");
    {
        HeadlessScreen screen;
        ASSERT_TRUE(screen.ok);
        EXPECT_EQ(GetMaxX(), 1023);
        EXPECT_EQ(GetMaxY(), 767);
    }
    WriteFile("LCConfig.txt", "RESOLUTION_PREDEFINIE=0\nPLEIN_ECRAN=1\n");
    {
        HeadlessScreen screen;
        ASSERT_TRUE(screen.ok);
        EXPECT_EQ(GetMaxX(), 1919);
        EXPECT_EQ(GetMaxY(), 1079);
    }
    WriteFile("LCConfig.txt", "RESOLUTION_PREDEFINIE=8\n");  // too big for the pretend desktop
    {
        HeadlessScreen screen;
        ASSERT_TRUE(screen.ok);
        EXPECT_EQ(GetMaxX(), 1399);
        EXPECT_NE(std::strstr(GetMediaError(), "2048 x 1536"), nullptr) << GetMediaError();
    }
}

TEST(HeadlessDisplay, ClearAndPixels) {
    ScratchDir dir;
    HeadlessScreen screen;
    ASSERT_TRUE(screen.ok);
    EXPECT_EQ(GetPixelRGB(0, 0), 0u);
    SetColor(14);
    DrawRectFill(0, 0, GetMaxX(), GetMaxY());
    EXPECT_EQ(GetPixelRGB(GetMaxX(), GetMaxY()), 0xFFFF55u);
    EXPECT_EQ(GetPixelRGB(GetMaxX() + 1, 0), 0u);  // off the screen
    EXPECT_EQ(GetPixelRGB(-1, 5), 0u);
    Clear();
    EXPECT_EQ(GetPixelRGB(GetMaxX(), GetMaxY()), 0u);
    EXPECT_EQ(GetPixelRGB(400, 300), 0u);
}

TEST(Palette, TheSixteenClassicColours) {
    const uint32_t expected[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA,
                                   0xAA5500, 0xAAAAAA, 0x555555, 0x5555FF, 0x55FF55, 0x55FFFF,
                                   0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(PaletteRGB(i), expected[i]) << "entry " << i;
}

TEST(Palette, TheVgaDefaultEntries) {
    EXPECT_EQ(PaletteRGB(16), 0x000000u);  // the grey ramp
    EXPECT_EQ(PaletteRGB(17), 0x141414u);
    EXPECT_EQ(PaletteRGB(24), 0x717171u);
    EXPECT_EQ(PaletteRGB(31), 0xFFFFFFu);
    EXPECT_EQ(PaletteRGB(32), 0x0000FFu);  // bright hues: blue, magenta, red, yellow, green, cyan
    EXPECT_EQ(PaletteRGB(33), 0x4100FFu);
    EXPECT_EQ(PaletteRGB(36), 0xFF00FFu);
    EXPECT_EQ(PaletteRGB(40), 0xFF0000u);
    EXPECT_EQ(PaletteRGB(44), 0xFFFF00u);
    EXPECT_EQ(PaletteRGB(48), 0x00FF00u);
    EXPECT_EQ(PaletteRGB(52), 0x00FFFFu);
    EXPECT_EQ(PaletteRGB(55), 0x0041FFu);
    EXPECT_EQ(PaletteRGB(56), 0x7D7DFFu);  // pale
    EXPECT_EQ(PaletteRGB(80), 0xB6B6FFu);  // paler
    EXPECT_EQ(PaletteRGB(104), 0x000071u);  // dark
    EXPECT_EQ(PaletteRGB(112), 0x710000u);
    EXPECT_EQ(PaletteRGB(176), 0x000041u);  // darkest
    EXPECT_EQ(PaletteRGB(224), 0x2C2C41u);
    EXPECT_EQ(PaletteRGB(247), 0x2C3041u);  // the last hue before the black entries
    for (int i = 248; i < 256; ++i) EXPECT_EQ(PaletteRGB(i), 0u) << "entry " << i;
    EXPECT_EQ(PaletteRGB(-1), 0u);
    EXPECT_EQ(PaletteRGB(256), 0u);
}

TEST(Palette, CurrentColourFromTheIndexOrRgb) {
    ScratchDir dir;
    HeadlessScreen screen;
    ASSERT_TRUE(screen.ok);
    SetColor(12);
    EXPECT_EQ(lc::ToRGB(lc::CurrentPixel()), 0xFF5555u);
    SetColor(300);  // refused: the colour stays and the error says why
    EXPECT_EQ(lc::ToRGB(lc::CurrentPixel()), 0xFF5555u);
    EXPECT_NE(std::strstr(GetMediaError(), "SetColor(300)"), nullptr);
    SetColorRGB(150, 150, 150);
    EXPECT_EQ(lc::ToRGB(lc::CurrentPixel()), 0x969696u);
    SetColorRGB(-5, 300, 7);  // levels held within 0..255
    EXPECT_EQ(lc::ToRGB(lc::CurrentPixel()), 0x00FF07u);
    PutPixel(3, 4);
    EXPECT_EQ(GetPixelRGB(3, 4), 0x00FF07u);
}

// With SDL's dummy video driver (no real window), the windowed path runs
// whole: the dummy desktop is 1024 x 768.
TEST(WindowDisplay, OpensOnTheDummyDriverAndFallsBackToTheDesktop) {
    ScratchDir dir;
    WriteFile("LCConfig.txt", "RESOLUTION_PREDEFINIE=5\n");
    ASSERT_EQ(InitGraph(3, 2, 0), 1) << GetMediaError();
    EXPECT_NE(lc::Window(), nullptr);
    EXPECT_EQ(GetMaxX(), 1023);
    EXPECT_EQ(GetMaxY(), 767);
    SetColor(10);
    DrawRectFill(10, 10, 20, 20);  // mode 3: shown at once
    EXPECT_EQ(GetPixelRGB(15, 15), 0x55FF55u);
    lc::Present();
    ShowScreen();
    CloseGraph();
    EXPECT_EQ(lc::Window(), nullptr);
    EXPECT_EQ(GetMaxX(), 0);
    CloseGraph();  // twice is harmless
}

// A whole headless run through the harness: the program opens its display
// from LCConfig.txt, draws, shows, says something and ends with a code.
TEST(HeadlessRun, ShowsSaysAndEndsThroughTheHarness) {
    ScratchDir dir;
    WriteFile("LCConfig.txt", "RESOLUTION_PREDEFINIE=4\nPLEIN_ECRAN=1\nMESSAGE_ERREUR=1\n");
    harness::Start([] {
        if (!InitGraph(4, 1, 0)) return 1;
        SetColor(12);
        DrawRectFill(100, 100, 199, 149);
        ShowScreen();
        SetColor(10);
        DrawRectFill(100, 100, 199, 149);  // drawn but not shown yet
        SetUFormat(U_ASCII8);
        Message("D\xE9j\xE0 jou\xE9 !");
        InitMouse();
        while (!ClickMouse()) {
        }
        ExitProgram(7);
    });
    ASSERT_TRUE(harness::Healthy());
    EXPECT_EQ(GetMaxX(), 1023);
    EXPECT_EQ(harness::Presents(), 1);
    EXPECT_EQ(harness::Pixel(150, 120), 0x55FF55u);  // the back buffer
    int w = 0, h = 0;
    const std::vector<uint32_t> frame = harness::Frame(&w, &h);
    ASSERT_EQ(w, 1024);
    ASSERT_EQ(h, 768);
    EXPECT_EQ(frame[120 * 1024 + 150], 0xFF5555u);  // what ShowScreen showed
    ASSERT_EQ(harness::Messages().size(), 1u);
    EXPECT_EQ(harness::Messages()[0], "D\xC3\xA9j\xC3\xA0 jou\xC3\xA9 !");
    EXPECT_FALSE(harness::Finished());
    harness::ClickAt(10, 10);
    EXPECT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 7);
    harness::Stop();
}

namespace {

// 0xRRGGBB of the window at (x, y), as last presented (dummy driver).
uint32_t Shown(int x, int y) {
    SDL_Renderer* r = SDL_GetRenderer(lc::Window());
    if (!r) return 0xDEADBEEF;
    SDL_RenderSetLogicalSize(r, 0, 0);  // read window pixels, not scaled ones
    const SDL_Rect at{x, y, 1, 1};
    uint32_t pixel = 0;
    const int failed = SDL_RenderReadPixels(r, &at, SDL_PIXELFORMAT_RGB888, &pixel, 4);
    SDL_RenderSetLogicalSize(r, GetMaxX() + 1, GetMaxY() + 1);
    return failed ? 0xDEADBEEF : (pixel & 0xFFFFFFu);
}

}  // namespace

// Mode 4 keeps drawing hidden until ShowScreen(); mode 3 shows each call.
TEST(WindowDisplay, ModeFourWaitsForShowScreenModeThreeDoesNot) {
    ScratchDir dir;
    ASSERT_EQ(InitGraph(4, 1, 0), 1) << GetMediaError();
    SetColor(12);
    DrawRectFill(0, 0, 99, 99);
    EXPECT_EQ(Shown(50, 50), 0u);
    ShowScreen();
    EXPECT_EQ(Shown(50, 50), 0xFF5555u);
    SetColor(10);
    DrawRectFill(0, 0, 99, 99);
    lc::Present();  // the window uncovered: the last shown picture, not the unfinished one
    EXPECT_EQ(Shown(50, 50), 0xFF5555u);
    CloseGraph();
    ASSERT_EQ(InitGraph(3, 2, 0), 1);
    EXPECT_EQ(Shown(50, 50), 0u);  // a fresh black screen
    SetColor(9);
    DrawCircleFill(50, 50, 10);
    EXPECT_EQ(Shown(50, 50), 0x5555FFu);
    SetColor(14);
    PutPixel(200, 200);
    EXPECT_EQ(Shown(200, 200), 0xFFFF55u);
    CloseGraph();
}

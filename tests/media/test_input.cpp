// Mouse areas, buttons and clicks, the key buffer and line input, played
// through the harness as a pupil would use them.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <string>
#include <vector>

#include "harness.h"
#include "lumicanvas.h"
#include "test_support.h"

namespace {

class InputTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (HasFailure()) harness::SaveShot(::testing::UnitTest::GetInstance()->current_test_info()->name());
        harness::Stop();
    }
    // Starts `body` after opening an 800 x 600 screen with the fonts.
    void Run(std::function<int()> body) {
        harness::Options o;
        o.archive = SHOWCASE_ARCHIVE;
        harness::Start([body] {
            InitGraph(4, 1, 0);
            InitMouse();
            InitFont();
            return body();
        }, o);
        ASSERT_TRUE(harness::Healthy());
    }
    test_support::ScratchDir dir_;
};

// --- Mouse areas ---------------------------------------------------------------------

TEST_F(InputTest, AreasAreNumberedInOrderAndForgottenByInitMouse) {
    std::vector<int> numbers;
    Run([&] {
        numbers.push_back(DefineMouseArea(0, 0, 10, 10));
        numbers.push_back(DefineMouseArea(20, 0, 30, 10));
        numbers.push_back(DefineMouseArea(40, 0, 50, 10));
        InitMouse();
        numbers.push_back(DefineMouseArea(60, 0, 70, 10));
        numbers.push_back(GetMouseArea());  // the pointer at (0, 0) lies in no area now
        return 0;
    });
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2, 0, -1}));
}

TEST_F(InputTest, DestroyedNumbersAreReusedLowestFirst) {
    std::vector<int> numbers;
    Run([&] {
        for (int i = 0; i < 4; ++i) DefineMouseArea(i * 10, 0, i * 10 + 5, 5);
        DestroyMouseArea(2);
        DestroyMouseArea(0);
        DestroyMouseArea(17);  // no such area: nothing happens
        DestroyMouseArea(-1);
        numbers.push_back(DefineMouseArea(0, 0, 1, 1));
        numbers.push_back(DefineMouseArea(0, 0, 1, 1));
        numbers.push_back(DefineMouseArea(0, 0, 1, 1));
        DestroyMouseArea(4);
        DestroyMouseArea(3);
        numbers.push_back(DefineMouseArea(0, 0, 1, 1));
        return 0;
    });
    EXPECT_EQ(numbers, (std::vector<int>{0, 2, 4, 3}));
}

TEST_F(InputTest, AreaUnderThePointerIsTheLowestOneCornersIncluded) {
    int area = -2;
    Run([&] {
        DefineMouseArea(100, 100, 200, 150);
        DefineMouseArea(150, 120, 300, 400);  // overlaps area 0
        DefineMouseArea(50, 50, 10, 10);      // corners given the other way round
        DestroyMouseArea(1);
        DefineMouseArea(150, 120, 300, 400);  // back as number 1
        for (;;) {
            area = GetMouseArea();
            if (GetKeyPressed() == KEY_ESCAPE) return 0;
        }
    });
    const struct {
        int x, y, area;
    } cases[] = {{100, 100, 0}, {200, 150, 0}, {201, 150, 1}, {160, 130, 0}, {300, 400, 1},
                 {301, 400, -1}, {99, 100, -1}, {10, 10, 2}, {30, 45, 2}, {400, 500, -1}};
    for (const auto& c : cases) {
        harness::MoveTo(c.x, c.y);
        EXPECT_EQ(area, c.area) << "at (" << c.x << ", " << c.y << ")";
    }
}

// --- Buttons and clicks --------------------------------------------------------------

TEST_F(InputTest, ClickMouseReportsEachPressOnce) {
    int clicks = 0;
    Run([&] {
        for (;;) {
            clicks += ClickMouse();
            if (GetKeyPressed() == KEY_ESCAPE) return 0;
        }
    });
    harness::ClickAt(10, 10);
    EXPECT_EQ(clicks, 1);
    harness::Advance(500);
    EXPECT_EQ(clicks, 1);
    harness::Press();
    EXPECT_EQ(clicks, 2);
    harness::Advance(200);  // held down: still one click
    harness::Release();
    EXPECT_EQ(clicks, 2);
    harness::ClickAt(10, 10, 2);  // the right button clicks too
    EXPECT_EQ(clicks, 3);
}

TEST_F(InputTest, ClicksMadeWhileTheProgramIsBusyElsewhereAreKept) {
    std::vector<int> seen;
    Run([&] {
        ReadKey();
        for (int i = 0; i < 3; ++i) seen.push_back(ClickMouse());
        ReadKey();
        InitMouse();  // a new screen starts without the clicks of the last one
        seen.push_back(ClickMouse());
        return 0;
    });
    harness::ClickAt(5, 5);
    harness::ClickAt(6, 6);
    harness::Key(' ');
    EXPECT_EQ(seen, (std::vector<int>{1, 1, 0}));
    harness::ClickAt(5, 5);
    harness::Key(' ');
    ASSERT_TRUE(harness::Finished());
    EXPECT_EQ(seen, (std::vector<int>{1, 1, 0, 0}));
}

TEST_F(InputTest, ButtonsReportLeftRightAndBoth) {
    std::vector<int> states;
    Run([&] {
        int last = 0;
        for (;;) {
            const int b = GetMouseButton();
            if (b != last) states.push_back(b);
            last = b;
            if (GetKeyPressed() == KEY_ESCAPE) return 0;
        }
    });
    harness::Press(1);
    harness::Press(2);
    harness::Release(1);
    harness::Release(2);
    EXPECT_EQ(states, (std::vector<int>{1, 3, 2, 0}));
}

// The wait for one complete click used by the game's screens: a click made
// all at once is still seen pressed, then released.
int WaitAClic() {
    int button = 0;
    while (button == 0) {
        button = GetMouseButton();
        if (KeyPressed()) ClearKeyBuf();
    }
    while (GetMouseButton() != 0) {
        if (KeyPressed()) ClearKeyBuf();
    }
    return button;
}

TEST_F(InputTest, QuickClickIsSeenByALoopWatchingTheButtons) {
    Run([] { return WaitAClic() * 10 + WaitAClic(); });
    harness::Type("keys do not end the wait");
    EXPECT_FALSE(harness::Finished());
    harness::ClickAt(50, 60, 2);
    EXPECT_FALSE(harness::Finished());
    harness::Press(1);
    EXPECT_FALSE(harness::Finished());  // still held
    harness::Release(1);
    ASSERT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 21);
}

TEST_F(InputTest, ClickTakenByClickMouseIsNotReportedAgainAsHeld) {
    std::vector<int> seen;
    Run([&] {
        ReadKey();
        seen.push_back(ClickMouse());
        seen.push_back(GetMouseButton());
        return 0;
    });
    harness::ClickAt(5, 5);
    harness::Key(' ');
    EXPECT_EQ(seen, (std::vector<int>{1, 0}));
}

TEST_F(InputTest, PointerPositionFollowsTheMouse) {
    int x = -1, y = -1;
    Run([&] {
        for (;;) {
            x = GetMouseX();
            y = GetMouseY();
            if (GetKeyPressed() >= 0) return 0;
        }
    });
    harness::MoveTo(123, 456);
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, 456);
}

// --- Key buffer ----------------------------------------------------------------------

TEST_F(InputTest, KeyPressedLeavesTheKeyAndGetKeyPressedTakesIt) {
    std::vector<int> seen;
    Run([&] {
        seen.push_back(GetKeyPressed());
        while (!KeyPressed()) {
        }
        seen.push_back(KeyPressed());
        seen.push_back(GetKeyPressed());
        seen.push_back(KeyPressed());
        seen.push_back(GetKeyPressed());
        seen.push_back(GetKeyPressed());
        seen.push_back(KeyPressed());
        return 0;
    });
    harness::Type("a\xE9");
    EXPECT_EQ(seen, (std::vector<int>{-1, 1, 'a', 1, 0xE9, -1, 0}));
}

TEST_F(InputTest, ClearKeyBufForgetsWaitingKeys) {
    std::vector<int> seen;
    Run([&] {
        while (!KeyPressed()) {
        }
        ClearKeyBuf();
        seen.push_back(GetKeyPressed());
        seen.push_back(ReadKey());
        return 0;
    });
    harness::Type("abc");
    EXPECT_EQ(seen, (std::vector<int>{-1}));
    harness::Key(KEY_ENTER);
    EXPECT_EQ(seen, (std::vector<int>{-1, KEY_ENTER}));
}

TEST_F(InputTest, OtherKeysCarryTheirScancodeAboveTheCharacters) {
    Run([] { return ReadKey(); });
    harness::Key(256 + SDL_SCANCODE_F1);
    EXPECT_EQ(harness::ExitCode(), 256 + SDL_SCANCODE_F1);
}

// --- Line input ----------------------------------------------------------------------

struct Line {
    std::string text;
    int count = -1;
};

// Reads one line into a field of `size` bytes.
std::function<int()> ReadInto(Line& line, int size, int (*accept)(int) = nullptr) {
    return [&line, size, accept] {
        std::vector<char> field(static_cast<size_t>(size) + 8, '*');
        MoveTo(100, 100);
        line.count = ReadLn(field.data(), size, accept);
        line.text = field.data();
        return field[static_cast<size_t>(size)] == '*' ? 0 : 99;  // 99: written past the field
    };
}

TEST_F(InputTest, ReadLnEndsAtEnterAndKeepsAtMostSizeMinusOne) {
    Line line;
    Run(ReadInto(line, 5));
    harness::Type("abcdefg");
    EXPECT_FALSE(harness::Finished());
    harness::Key(KEY_ENTER);
    ASSERT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 0);
    EXPECT_EQ(line.text, "abcd");
    EXPECT_EQ(line.count, 4);
}

TEST_F(InputTest, ReadLnBackspaceErasesAndEscapeAndOtherKeysAreIgnored) {
    Line line;
    Run(ReadInto(line, 30));
    harness::Type("\b\bDUPONT");
    harness::Key(KEY_BACKSPACE);
    harness::Key(KEY_BACKSPACE);
    harness::Key(KEY_ESCAPE);
    harness::Key(9);
    harness::Key(256 + SDL_SCANCODE_LEFT);
    EXPECT_FALSE(harness::Finished());
    harness::Type("RAND\r");
    EXPECT_EQ(line.text, "DUPORAND");
    EXPECT_EQ(line.count, 8);
}

int OnlyDigits(int ch) { return ch >= '0' && ch <= '9'; }

TEST_F(InputTest, ReadLnRefusesWhatTheFilterRefuses) {
    Line line;
    Run(ReadInto(line, 4, OnlyDigits));
    harness::Type("1a2-b3456\r");
    EXPECT_EQ(line.text, "123");
    EXPECT_EQ(line.count, 3);
}

TEST_F(InputTest, ReadLnInAFieldOfOneByteGivesAnEmptyLine) {
    Line line;
    Run(ReadInto(line, 1));
    harness::Type("xyz\r");
    EXPECT_EQ(line.text, "");
    EXPECT_EQ(line.count, 0);
    EXPECT_EQ(harness::ExitCode(), 0);
}

TEST_F(InputTest, ReadLnStoresUtf8WhenTheTextFormatIsUtf8AndNeverOverrunsTheField) {
    Line line;
    Run([&] {
        SetUFormat(U_UTF8);
        return ReadInto(line, 5)();
    });
    // "é" (2 bytes) and "t" fill 3 of the 4 bytes: the next "é" does not fit,
    // the "x" after it does.
    harness::Type("\xE9t\xE9x\xE9\r");
    EXPECT_EQ(line.text, "\xC3\xA9tx");
    EXPECT_EQ(line.count, 3);
    EXPECT_EQ(harness::ExitCode(), 0);
}

TEST_F(InputTest, ReadLnStoresWindows1252ByDefault) {
    Line line;
    Run(ReadInto(line, 30));
    harness::Type("Lo\xEFs\r");
    EXPECT_EQ(line.text, "Lo\xEFs");
}

// Counts the pixels of colour `rgb` in the rectangle.
int CountColour(int x1, int y1, int x2, int y2, uint32_t rgb) {
    int n = 0;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) n += harness::Pixel(x, y) == rgb;
    return n;
}

TEST_F(InputTest, ReadLnEchoesAndBackspaceRestoresWhatWasUnder) {
    Line line;
    Run([&] {
        SetColor(1);
        DrawRectFill(0, 0, GetMaxX(), GetMaxY());
        SetColor(4);
        DrawRectFill(120, 100, 125, 140);  // a mark under the line
        SetColor(15);
        DimText(3);
        ShowScreen();
        return ReadInto(line, 30)();
    });
    const uint32_t white = PaletteRGB(15);
    const uint32_t red = PaletteRGB(4);
    const int red_before = CountColour(100, 90, 400, 160, red);
    const int presents = harness::Presents();
    harness::Type("WWW");
    EXPECT_GT(harness::Presents(), presents);  // each key is shown at once
    int w = 0;
    const std::vector<uint32_t> frame = harness::Frame(&w);
    int white_shown = 0;
    for (int y = 100; y < 140; ++y)
        for (int x = 100; x < 400; ++x) white_shown += frame[static_cast<size_t>(y) * w + x] == white;
    EXPECT_GT(white_shown, 50);
    harness::Type("\b\b\b");
    EXPECT_EQ(CountColour(100, 90, 400, 160, red), red_before);
    harness::Key(KEY_ENTER);
    EXPECT_EQ(line.text, "");
    // Nothing is left of the echo or of the caret.
    EXPECT_EQ(CountColour(100, 90, 400, 160, white), 0);
    EXPECT_EQ(CountColour(100, 90, 400, 160, red), red_before);
}

TEST_F(InputTest, ReadLnLeavesTheTypedTextOnScreen) {
    Line line;
    Run([&] {
        SetColor(14);
        DimText(3);
        return ReadInto(line, 30)();
    });
    harness::Type("MARTIN\r");
    EXPECT_EQ(line.text, "MARTIN");
    EXPECT_GT(CountColour(100, 100, 400, 140, PaletteRGB(14)), 50);
}

// --- Window events -------------------------------------------------------------------
//
// With a window, SDL's events feed the same state. They are pushed here as
// SDL would deliver them, without a window.

class InputFromWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        InitMouse();
        ClearKeyBuf();
    }
    void TearDown() override {
        CloseMouse();
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
    }
    static void Text(const char* utf8) {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
        SDL_PushEvent(&e);
    }
    static void KeyDown(SDL_Keycode sym, SDL_Scancode scancode, Uint16 mod = 0) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.state = SDL_PRESSED;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = scancode;
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    }
    static void Button(Uint32 type, Uint8 button, int x, int y) {
        SDL_Event e{};
        e.type = type;
        e.button.button = button;
        e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.button.x = x;
        e.button.y = y;
        SDL_PushEvent(&e);
    }
    static std::vector<int> Keys() {
        std::vector<int> keys;
        for (int k = GetKeyPressed(); k >= 0; k = GetKeyPressed()) keys.push_back(k);
        return keys;
    }
};

TEST_F(InputFromWindow, TypedCharactersComeFromTextInputInWindows1252) {
    Text("a\xC3\xA9\xE2\x82\xAC");  // "aé€"
    EXPECT_EQ(Keys(), (std::vector<int>{'a', 0xE9, 0x80}));
}

TEST_F(InputFromWindow, CharacterKeysAreNotBufferedTwice) {
    KeyDown(SDLK_a, SDL_SCANCODE_A);
    Text("a");
    KeyDown(SDLK_SPACE, SDL_SCANCODE_SPACE);
    Text(" ");
    KeyDown(SDLK_KP_5, SDL_SCANCODE_KP_5, KMOD_NUM);
    Text("5");
    KeyDown(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT);
    KeyDown(SDLK_e, SDL_SCANCODE_E, KMOD_LCTRL | KMOD_LALT);  // AltGr+E on Windows
    Text("\xE2\x82\xAC");
    EXPECT_EQ(Keys(), (std::vector<int>{'a', ' ', '5', 0x80}));
}

TEST_F(InputFromWindow, OtherKeysGiveTheirCodes) {
    KeyDown(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
    KeyDown(SDLK_TAB, SDL_SCANCODE_TAB);
    KeyDown(SDLK_RETURN, SDL_SCANCODE_RETURN);
    KeyDown(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER);
    KeyDown(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    KeyDown(SDLK_F1, SDL_SCANCODE_F1);
    KeyDown(SDLK_KP_5, SDL_SCANCODE_KP_5);  // Num Lock off: not a digit
    KeyDown(SDLK_c, SDL_SCANCODE_C, KMOD_LCTRL);  // types nothing
    EXPECT_EQ(Keys(), (std::vector<int>{KEY_BACKSPACE, 9, KEY_ENTER, KEY_ENTER, KEY_ESCAPE,
                                        256 + SDL_SCANCODE_F1, 256 + SDL_SCANCODE_KP_5,
                                        256 + SDL_SCANCODE_C}));
}

TEST_F(InputFromWindow, ButtonsMoveThePointerAndClick) {
    DefineMouseArea(10, 10, 20, 20);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 15, 12);
    Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 15, 12);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 15, 12);  // not a button of the layer
    EXPECT_EQ(GetMouseArea(), 0);
    EXPECT_EQ(GetMouseX(), 15);
    EXPECT_EQ(GetMouseY(), 12);
    EXPECT_EQ(ClickMouse(), 1);
    EXPECT_EQ(ClickMouse(), 0);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 30, 30);
    EXPECT_EQ(GetMouseButton(), 2);
    EXPECT_EQ(GetMouseArea(), -1);
}

TEST_F(InputFromWindow, ReadLnTakesTypedTextWithoutAScreen) {
    Text("Jul");
    KeyDown(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
    Text("es");
    KeyDown(SDLK_RETURN, SDL_SCANCODE_RETURN);
    char name[30];
    EXPECT_EQ(ReadLn(name, sizeof name), 4);
    EXPECT_STREQ(name, "Jues");
}

TEST_F(InputFromWindow, ClosingTheWindowEndsTheProgramWithCodeZero) {
    EXPECT_EXIT(
        {
            SDL_Event e{};
            e.type = SDL_QUIT;
            SDL_PushEvent(&e);
            ClickMouse();
            std::exit(3);  // not reached
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace

namespace {

// A click made during a one-second pause (the chosen answer held on screen)
// is not taken later by a loop that waits for the button to go down.
TEST_F(InputTest, ClickLongGoneIsNotReportedAsHeldButStillCountsAsAClick) {
    std::vector<int> seen;
    Run([&] {
        ReadKey();
        Delay(1000);
        seen.push_back(GetMouseButton());
        seen.push_back(ClickMouse());
        return 0;
    });
    harness::ClickAt(5, 5);
    harness::Key(' ');
    EXPECT_EQ(seen, (std::vector<int>{0, 1}));
}

}  // namespace

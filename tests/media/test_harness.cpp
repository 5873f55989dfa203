// The test harness itself: turns between test and program, the clock the
// test drives, the end of a run by return, ExitProgram, the window's close
// button or Stop, and what the harness records of a run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "lumicanvas.h"
#include "test_support.h"

namespace {

class HarnessTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (HasFailure()) harness::SaveShot(::testing::UnitTest::GetInstance()->current_test_info()->name());
        harness::Stop();
    }
    test_support::ScratchDir dir_;  // no LCConfig.txt: an 800 x 600 screen
};

// Waits for Escape like a screen does, counting the passes of its loop.
int WaitForEscape(int* passes) {
    for (;;) {
        ++*passes;
        if (GetKeyPressed() == KEY_ESCAPE) return 5;
    }
}

TEST_F(HarnessTest, ProgramWaitsForTheTestThenEndsWithItsResult) {
    int passes = 0;
    harness::Start([&] { return WaitForEscape(&passes); });
    EXPECT_TRUE(harness::Healthy());
    EXPECT_FALSE(harness::Finished());
    const int before = passes;
    EXPECT_GT(before, 0);
    // The test's turn: the program stays where it is.
    EXPECT_EQ(passes, before);
    harness::Key('a');
    EXPECT_FALSE(harness::Finished());
    harness::Key(KEY_ESCAPE);
    EXPECT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 5);
}

TEST_F(HarnessTest, WaitingLoopGoesRoundOnlyAFewTimesPerTurn) {
    int passes = 0;
    harness::Start([&] { return WaitForEscape(&passes); });
    const int start = passes;
    harness::Advance(1000, 100);  // ten turns
    EXPECT_LE(passes - start, 10 * 3);
    EXPECT_GE(passes - start, 10);
}

TEST_F(HarnessTest, AdvanceMovesTheClockSecondsAndMillis) {
    std::time_t seen = 0;
    uint32_t millis = 0;
    harness::Options o;
    o.start_time = 1800000000;
    harness::Start([&] {
        for (;;) {
            seen = ClockSeconds();
            millis = ClockMillis();
            if (GetKeyPressed() == KEY_ESCAPE) return 0;
        }
    }, o);
    EXPECT_EQ(seen, 1800000000);
    EXPECT_EQ(millis, 0u);
    harness::Advance(2500, 100);
    EXPECT_EQ(seen, 1800000002);
    EXPECT_EQ(millis, 2500u);
    EXPECT_EQ(harness::Now(), 2500u);
    harness::Advance(500);
    EXPECT_EQ(seen, 1800000003);
}

TEST_F(HarnessTest, DelayMovesTheClockAtOnceWithoutHandingOver) {
    std::vector<uint32_t> times;
    harness::Start([&] {
        times.push_back(ClockMillis());
        Delay(1500);
        times.push_back(ClockMillis());
        Delay(250);
        times.push_back(ClockMillis());
        return ReadKey();
    });
    EXPECT_EQ(times, (std::vector<uint32_t>{0, 1500, 1750}));
    harness::Key('x');
    EXPECT_EQ(harness::ExitCode(), 'x');
}

// A program that waits on the clock alone never polls: the harness reports it.
TEST_F(HarnessTest, LoopThatNeverPollsIsReportedAndStillStopped) {
    harness::Options o;
    o.idle_timeout_ms = 200;
    ::testing::internal::CaptureStderr();
    harness::Start([] {
        const std::time_t end = ClockSeconds() + 5;
        while (ClockSeconds() < end) {
        }
        return 0;
    }, o);
    EXPECT_FALSE(harness::Healthy());
    harness::Stop();  // unwinds at its next reading of the clock
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("did not become idle"), std::string::npos);
    EXPECT_FALSE(harness::Finished());
}

struct Unwound {
    bool* flag;
    ~Unwound() { *flag = true; }
};

TEST_F(HarnessTest, StopUnwindsAWaitingProgramAndClosesTheLayer) {
    bool unwound = false;
    bool after = false;
    harness::Start([&] {
        InitGraph(4, 1, 0);
        Unwound guard{&unwound};
        ReadKey();
        after = true;
        return 0;
    });
    EXPECT_FALSE(unwound);
    harness::Stop();
    EXPECT_TRUE(unwound);
    EXPECT_FALSE(after);
    EXPECT_FALSE(harness::Finished());
    EXPECT_EQ(GetMaxX(), 0);  // the display is closed
    harness::Stop();          // a second Stop does nothing
}

[[noreturn]] void Leave(int depth) {
    if (depth == 0) ExitProgram(7);
    Leave(depth - 1);
}

TEST_F(HarnessTest, ExitProgramDeepInsideEndsTheRunWithItsCode) {
    bool after = false;
    harness::Start([&] {
        InitGraph(4, 1, 0);
        SetColor(12);
        DrawRectFill(0, 0, 9, 9);
        if (ReadKey() == 'q') Leave(5);
        after = true;
        return 1;
    });
    harness::Key('q');
    EXPECT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 7);
    EXPECT_FALSE(after);
    // What the program drew stays readable after its end, and after Stop.
    EXPECT_EQ(harness::Pixel(5, 5), PaletteRGB(12));
    harness::Stop();
    EXPECT_EQ(harness::Pixel(5, 5), PaletteRGB(12));
}

TEST_F(HarnessTest, ClosingTheWindowEndsTheProgramWithCodeZero) {
    harness::Start([]() -> int {
        for (;;) ClickMouse();
    });
    harness::CloseWindow();
    EXPECT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 0);
}

TEST_F(HarnessTest, FrameIsTheLastShownPictureAndBackBufferTheDrawing) {
    int hook_calls = 0;
    uint32_t seen_by_hook = 0;
    harness::OnPresent([&] {
        ++hook_calls;
        seen_by_hook = harness::Pixel(1, 1);
    });
    harness::Start([] {
        InitGraph(4, 1, 0);
        SetColor(14);
        DrawRectFill(0, 0, 3, 3);
        ShowScreen();
        SetColor(10);
        DrawRectFill(0, 0, 3, 3);  // drawn, not shown yet
        return ReadKey();
    });
    EXPECT_EQ(harness::Presents(), 1);
    EXPECT_EQ(hook_calls, 1);
    EXPECT_EQ(seen_by_hook, PaletteRGB(14));
    int w = 0, h = 0;
    const std::vector<uint32_t> frame = harness::Frame(&w, &h);
    ASSERT_EQ(w, 800);
    ASSERT_EQ(h, 600);
    EXPECT_EQ(frame[1 * 800 + 1], PaletteRGB(14));
    EXPECT_EQ(harness::BackBuffer()[1 * 800 + 1], PaletteRGB(10));
    EXPECT_EQ(harness::Pixel(1, 1), PaletteRGB(10));
    EXPECT_EQ(harness::Pixel(10, 10), 0u);
}

TEST_F(HarnessTest, SavesTheScreenAsAPicture) {
    harness::Start([] {
        InitGraph(4, 1, 0);
        return ReadKey();
    });
    const std::string path = (dir_.path() / "shot.png").string();
    EXPECT_TRUE(harness::SavePNG(path));
    EXPECT_EQ(test_support::ReadFile(path).substr(1, 3), "PNG");
    setenv("PIVOLETTE_SHOTS", dir_.path().string().c_str(), 1);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(harness::SaveShot("a/b"), (dir_.path() / "a_b.png").string());
    ::testing::internal::GetCapturedStderr();
    unsetenv("PIVOLETTE_SHOTS");
}

TEST_F(HarnessTest, SameSeedGivesTheSameRandomNumbers) {
    auto draw = [](unsigned seed) {
        std::vector<int> numbers;
        harness::Options o;
        o.random_seed = seed;
        harness::Start([&] {
            InitGraph(4, 1, 0);
            for (int i = 0; i < 8; ++i) numbers.push_back(Random(1000));
            return 0;
        }, o);
        harness::Stop();
        return numbers;
    };
    EXPECT_EQ(draw(3), draw(3));
    EXPECT_NE(draw(3), draw(4));
}

// A screen that reads the key, then the button, then the area under the
// pointer only while the button is down (the configuration tool's loop):
// a scripted click is seen by the button poll even though the key poll
// took in the events, and the test gets its turn only after that.
TEST_F(HarnessTest, ClickReachesEveryPollOfTheWaitingLoopBeforeTheTestResumes) {
    std::vector<int> chosen;
    harness::Start([&] {
        InitGraph(3, 2, 0);
        InitMouse();
        DefineMouseArea(0, 0, 99, 99);
        DefineMouseArea(100, 0, 199, 99);
        for (;;) {
            if (GetKeyPressed() >= 0) return 0;
            if (GetMouseButton() == 1) chosen.push_back(GetMouseArea());
        }
    });
    harness::ClickAt(150, 50);
    EXPECT_EQ(chosen, (std::vector<int>{1}));
    harness::ClickAt(10, 10);
    EXPECT_EQ(chosen, (std::vector<int>{1, 0}));
    harness::ClickAt(10, 10, 2);  // the right button is not the left one
    EXPECT_EQ(chosen.size(), 2u);
}

TEST_F(HarnessTest, RecordsPointerVisibility) {
    harness::Start([] {
        InitGraph(4, 1, 0);
        InitMouse();
        HideMouse();
        ReadKey();
        ShowMouse();
        return ReadKey();
    });
    EXPECT_FALSE(harness::PointerShown());
    harness::Key(' ');
    EXPECT_TRUE(harness::PointerShown());
}

}  // namespace

namespace {

// Opens the screen and the mouse, then waits until a button is down (or, if
// one already is at the start, reports it at once).
int WaitForButton() {
    InitGraph(4, 1, 0);
    InitMouse();
    int button = 0;
    while ((button = GetMouseButton()) == 0) {
    }
    CloseMouse();
    CloseGraph();
    return button;
}

}  // namespace

// A run that ends with the button held leaves no button held for the next
// run: a pupil's next game starts with nothing pressed.
TEST_F(HarnessTest, AButtonHeldAtTheEndIsNotHeldInTheNextRun) {
    harness::Start(WaitForButton);
    harness::Press(1);
    ASSERT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 1);
    harness::Start(WaitForButton);
    EXPECT_FALSE(harness::Finished());  // waiting: nothing is held
    harness::Press(2);
    ASSERT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 2);
}

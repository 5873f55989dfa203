// Video extracts: a real MP4 and WebM (0.6 s red, then 0.6 s blue, with a
// tone) play into the video screen's rectangle and end with their two times
// equal, on the harness's clock and in real time; files that cannot be
// played end at once; closing is always safe.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "harness.h"
#include "internal.h"
#include "lumicanvas.h"
#include "test_support.h"
#include "video_decoder.h"

namespace {

const std::string kData = std::string(SOURCE_DIR) + "/tests/media/data/";

struct Times {
    int current, end;
    bool operator==(const Times&) const = default;
};

bool Reddish(uint32_t rgb) { return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) < 60 && (rgb & 0xFF) < 60; }
bool Bluish(uint32_t rgb) { return (rgb >> 16 & 0xFF) < 60 && (rgb >> 8 & 0xFF) < 60 && (rgb & 0xFF) > 200; }

// The video screen's loop as the game runs it on a white screen: play until
// a left click on the cross or until the two times are equal, PlayVideo in
// every pass. Records each new pair of times; returns the clock at the end.
int VideoScreen(const std::string& path, std::vector<Times>* seen) {
    if (!InitGraph(4, 1, 0)) return -1;
    InitMouse();
    SetColor(15);
    DrawRectFill(0, 0, GetMaxX(), GetMaxY());
    OpenVideo(path.c_str());
    const int cross = DefineMouseArea(GetMaxX() - 80, 30, GetMaxX() - 30, 80);
    ShowScreen();
    bool done = false;
    while (!done) {
        const Times t{GetVideoCurrentTime(), GetVideoEndTime()};
        if (seen && (seen->empty() || !(seen->back() == t))) seen->push_back(t);
        done = (GetMouseArea() == cross && GetMouseButton() == 1) || t.current == t.end;
        PlayVideo(GetMaxX() / 2 - 200, GetMaxY() / 2 - 150, 400, 300, 0);
    }
    CloseVideo();
    DestroyMouseArea(cross);
    return static_cast<int>(ClockMillis());
}

class VideoTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (HasFailure()) harness::SaveShot(::testing::UnitTest::GetInstance()->current_test_info()->name());
        harness::Stop();
        CloseVideo();
        lc::SetVideoPluginPath("");
    }
    // The 800 x 600 headless screen: the video's rectangle is (199, 149)-(599, 449).
    static constexpr int kCx = 399, kCy = 299;
    std::vector<Times> seen_;
    test_support::ScratchDir dir_;
};

struct Format {
    const char* file;
    int length_ms;  // as the container gives it (MP3 sound pads an AVI)
};

void PrintTo(const Format& f, std::ostream* out) { *out << f.file; }

class VideoFormatTest : public VideoTest, public ::testing::WithParamInterface<Format> {};

TEST_P(VideoFormatTest, PlaysIntoTheRectangleOnTheHarnessClockToItsEnd) {
    const std::string path = kData + GetParam().file;
    const int length = GetParam().length_ms;
    harness::Start([&] { return VideoScreen(path, &seen_); });
    ASSERT_TRUE(harness::Healthy());
    ASSERT_FALSE(harness::Finished());
    // The first picture fills the rectangle, corners included, and nothing else.
    EXPECT_TRUE(Reddish(harness::Pixel(kCx, kCy))) << std::hex << harness::Pixel(kCx, kCy);
    EXPECT_TRUE(Reddish(harness::Pixel(201, 151)));
    EXPECT_TRUE(Reddish(harness::Pixel(597, 447)));
    EXPECT_EQ(harness::Pixel(197, kCy), 0xFFFFFFu);
    EXPECT_EQ(harness::Pixel(601, kCy), 0xFFFFFFu);
    EXPECT_EQ(harness::Pixel(kCx, 147), 0xFFFFFFu);
    EXPECT_EQ(harness::Pixel(kCx, 451), 0xFFFFFFu);
    // What the screen showed is the picture, not only the back buffer.
    int w = 0;
    const std::vector<uint32_t> frame = harness::Frame(&w);
    ASSERT_EQ(w, 800);
    EXPECT_TRUE(Reddish(frame[static_cast<size_t>(kCy) * 800 + kCx]));

    harness::Advance(400);
    EXPECT_TRUE(Reddish(harness::Pixel(kCx, kCy)));
    harness::Advance(300);  // 0.7 s: the blue half
    EXPECT_TRUE(Bluish(harness::Pixel(kCx, kCy))) << std::hex << harness::Pixel(kCx, kCy);
    harness::Advance(length - 40 - 700);
    EXPECT_FALSE(harness::Finished());
    harness::Advance(80);
    ASSERT_TRUE(harness::Finished());
    ASSERT_FALSE(seen_.empty());
    const int end = seen_.back().end;
    EXPECT_NEAR(end, length, 10);
    // Seen at the first 10 ms step past the end; the pass that saw it still
    // waits in PlayVideo for one more step.
    EXPECT_GE(harness::ExitCode(), end);
    EXPECT_LE(harness::ExitCode(), end + 20);
    // The end time stays put, the current time only grows and meets it last.
    EXPECT_EQ(seen_.front().current, 0);
    for (size_t i = 0; i < seen_.size(); ++i) {
        EXPECT_EQ(seen_[i].end, end);
        EXPECT_LE(seen_[i].current, end);
        if (i > 0) {
            EXPECT_GT(seen_[i].current, seen_[i - 1].current);
        }
        if (i + 1 < seen_.size()) {
            EXPECT_LT(seen_[i].current, end);
        }
    }
    EXPECT_EQ(seen_.back().current, end);
    EXPECT_GT(seen_.size(), 100u);  // one pair per 10 ms step of the clock
}

// H.264 and AAC; VP8 and Vorbis; MPEG-4 and MP3.
INSTANTIATE_TEST_SUITE_P(Formats, VideoFormatTest,
                         ::testing::Values(Format{"red_blue.mp4", 1200}, Format{"red_blue.webm", 1203},
                                           Format{"red_blue.avi", 1240}),
                         [](const ::testing::TestParamInfo<Format>& info) {
                             std::string name = info.param.file;
                             for (char& c : name) c = c == '.' ? '_' : c;
                             return name;
                         });

TEST_F(VideoTest, AnotherRectangleShowsTheSamePictureThere) {
    harness::Start([&] {
        InitGraph(4, 1, 0);
        SetColor(15);
        DrawRectFill(0, 0, GetMaxX(), GetMaxY());
        OpenVideo((kData + "red_blue.mp4").c_str());
        PlayVideo(10, 10, 79, 59, 0);
        PlayVideo(300, 200, 159, 119, 0);
        return 0;
    });
    ASSERT_TRUE(harness::Finished());
    EXPECT_TRUE(Reddish(harness::Pixel(10, 10)));
    EXPECT_TRUE(Reddish(harness::Pixel(89, 69)));
    EXPECT_EQ(harness::Pixel(90, 40), 0xFFFFFFu);
    EXPECT_EQ(harness::Pixel(50, 70), 0xFFFFFFu);
    EXPECT_TRUE(Reddish(harness::Pixel(301, 201)));
    EXPECT_TRUE(Reddish(harness::Pixel(458, 318)));
    EXPECT_EQ(harness::Pixel(460, 260), 0xFFFFFFu);
}

TEST_F(VideoTest, WaitingPassesDrawNothingAndShowNothing) {
    harness::Start([&] { return VideoScreen(kData + "red_blue.mp4", nullptr); });
    const int presents = harness::Presents();
    harness::MoveTo(10, 10);  // the program goes round its loop; the clock stands still
    harness::MoveTo(20, 20);
    EXPECT_EQ(harness::Presents(), presents);
    harness::Advance(100);  // two or three new pictures are due
    EXPECT_GT(harness::Presents(), presents);
    EXPECT_LE(harness::Presents(), presents + 10);
    EXPECT_TRUE(harness::Healthy());
}

TEST_F(VideoTest, LeftClickOnTheCrossEndsItRightClickDoesNot) {
    harness::Start([&] { return VideoScreen(kData + "red_blue.webm", &seen_); });
    harness::Advance(200);
    harness::ClickAt(800 - 55, 55, 2);
    EXPECT_FALSE(harness::Finished());
    harness::Advance(100);
    harness::MoveTo(800 - 55, 55);
    harness::Press(1);
    ASSERT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 300);
    EXPECT_LT(seen_.back().current, seen_.back().end);
}

// Anything that is not a playable video: both times are 0 at once, the
// loop ends at its first pass, and the reason is reported.
TEST_F(VideoTest, UnplayableFilesEndAtOnce) {
    test_support::WriteFile("notes.mp4", "These are a teacher's notes, not a video.\n");
    test_support::WriteFile("empty.webm", "");
    std::filesystem::create_directory("folder.avi");
    for (const char* name : {"absent.mp4", "notes.mp4", "empty.webm", "folder.avi"}) {
        SCOPED_TRACE(name);
        seen_.clear();
        ::testing::internal::CaptureStderr();
        harness::Start([&] { return VideoScreen(name, &seen_); });
        const std::string errors = ::testing::internal::GetCapturedStderr();
        ASSERT_TRUE(harness::Finished());
        EXPECT_EQ(harness::ExitCode(), 0);
        EXPECT_EQ(seen_, (std::vector<Times>{{0, 0}}));
        EXPECT_NE(errors.find(name), std::string::npos) << errors;
        // The pass that ended the loop drew the rectangle black.
        EXPECT_EQ(harness::Pixel(kCx, kCy), 0x000000u);
        EXPECT_EQ(harness::Pixel(197, kCy), 0xFFFFFFu);
        harness::Stop();
    }
}

TEST_F(VideoTest, ClosingTwiceOrWithoutAVideoIsHarmless) {
    CloseVideo();
    EXPECT_EQ(GetVideoCurrentTime(), 0);
    EXPECT_EQ(GetVideoEndTime(), 0);
    PlayVideo(0, 0, 400, 300, 0);  // no video, no screen: nothing to draw
    harness::Start([&] {
        InitGraph(4, 1, 0);
        OpenVideo((kData + "red_blue.mp4").c_str());
        seen_.push_back({GetVideoCurrentTime(), GetVideoEndTime()});
        CloseVideo();
        CloseVideo();
        seen_.push_back({GetVideoCurrentTime(), GetVideoEndTime()});
        PlayVideo(10, 10, 40, 30, 0);
        return 0;
    });
    ASSERT_TRUE(harness::Finished());
    ASSERT_EQ(seen_.size(), 2u);
    EXPECT_EQ(seen_[0].current, 0);
    EXPECT_NEAR(seen_[0].end, 1200, 10);
    EXPECT_EQ(seen_[1], (Times{0, 0}));
    EXPECT_EQ(harness::Pixel(20, 20), 0x000000u);  // nothing drawn over the black screen
}

TEST_F(VideoTest, OpensAgainAfterClosingAndFromTheStart) {
    std::vector<Times> second;
    harness::Start([&] {
        VideoScreen(kData + "red_blue.mp4", &seen_);
        return VideoScreen(kData + "red_blue.webm", &second);
    });
    harness::Advance(1300);
    ASSERT_FALSE(harness::Finished());
    EXPECT_TRUE(Reddish(harness::Pixel(kCx, kCy)));  // the second video's first picture
    harness::Advance(1300);
    ASSERT_TRUE(harness::Finished());
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second.front().current, 0);
    EXPECT_NEAR(second.back().end, 1200, 10);
    EXPECT_EQ(second.back().current, second.back().end);
}

TEST_F(VideoTest, OpeningAnotherVideoReplacesTheFirst) {
    harness::Start([&] {
        InitGraph(4, 1, 0);
        OpenVideo((kData + "red_blue.mp4").c_str());
        Delay(500);
        OpenVideo("absent.webm");
        seen_.push_back({GetVideoCurrentTime(), GetVideoEndTime()});
        OpenVideo((kData + "red_blue.webm").c_str());
        seen_.push_back({GetVideoCurrentTime(), GetVideoEndTime()});
        CloseVideo();
        return 0;
    });
    ASSERT_TRUE(harness::Finished());
    ASSERT_EQ(seen_.size(), 2u);
    EXPECT_EQ(seen_[0], (Times{0, 0}));
    EXPECT_EQ(seen_[1].current, 0);
    EXPECT_NEAR(seen_[1].end, 1200, 10);
}

// Without the decoder (its plug-in missing or not one, or ffmpeg's libraries
// missing) video is unavailable: every video behaves as an unplayable file,
// and the first says why. Found again, videos play.
TEST_F(VideoTest, WithoutTheDecoderEveryVideoEndsAtOnce) {
    test_support::WriteFile("not_a_plugin.so", "not a shared library\n");
    struct Case {
        std::string plugin;
        const char* reason;  // in the first report only
    };
    const Case cases[] = {{"absent/libpivolette_video.so", "introuvable"}, {"./not_a_plugin.so", "not_a_plugin.so"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.plugin);
        if (!lc::SetVideoPluginPath(c.plugin)) GTEST_SKIP() << "the decoder is linked in";
        for (const bool first : {true, false}) {
            seen_.clear();
            ::testing::internal::CaptureStderr();
            harness::Start([&] { return VideoScreen(kData + "red_blue.mp4", &seen_); });
            const std::string errors = ::testing::internal::GetCapturedStderr();
            ASSERT_TRUE(harness::Finished());
            EXPECT_EQ(seen_, (std::vector<Times>{{0, 0}}));
            EXPECT_NE(errors.find("red_blue.mp4 : lecteur vidéo indisponible"), std::string::npos) << errors;
            EXPECT_EQ(errors.find(c.reason) != std::string::npos, first) << errors;
            EXPECT_EQ(harness::Pixel(kCx, kCy), 0x000000u);
            harness::Stop();
        }
    }
    lc::SetVideoPluginPath("");
    seen_.clear();
    harness::Start([&] { return VideoScreen(kData + "red_blue.mp4", &seen_); });
    harness::Advance(1300);
    ASSERT_TRUE(harness::Finished());
    EXPECT_NEAR(seen_.back().end, 1200, 10);
}

// With a window (SDL's dummy driver) the video plays on in real time, with
// its sound on SDL's silent output.
TEST_F(VideoTest, PlaysInRealTimeWithAWindow) {
    ASSERT_EQ(InitGraph(4, 1, 0), 1) << GetMediaError();
    InitMouse();
    SetColor(15);
    DrawRectFill(0, 0, GetMaxX(), GetMaxY());
    OpenVideo((kData + "red_blue.mp4").c_str());
    // Paused on its first picture until the screen that shows it is drawn.
    SDL_Delay(150);
    EXPECT_EQ(GetVideoCurrentTime(), 0);
    EXPECT_NEAR(GetVideoEndTime(), 1200, 10);
    const int x = GetMaxX() / 2 - 200, y = GetMaxY() / 2 - 150;
    const auto start = std::chrono::steady_clock::now();
    bool red = false, blue = false;
    std::vector<Times> seen;
    for (;;) {
        const Times t{GetVideoCurrentTime(), GetVideoEndTime()};
        if (seen.empty() || !(seen.back() == t)) seen.push_back(t);
        if (t.current == t.end) break;
        PlayVideo(x, y, 400, 300, 0);
        red = red || Reddish(GetPixelRGB(x + 200, y + 150));
        blue = blue || Bluish(GetPixelRGB(x + 200, y + 150));
        // A guard against a video that never ends, not a speed target.
        ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    }
    CloseVideo();
    EXPECT_TRUE(red);
    EXPECT_TRUE(blue);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_NEAR(seen.back().end, 1200, 10);
    for (size_t i = 1; i < seen.size(); ++i) EXPECT_GE(seen[i].current, seen[i - 1].current);
    for (size_t i = 0; i + 1 < seen.size(); ++i) EXPECT_LT(seen[i].current, seen[i].end);
    EXPECT_EQ(GetPixelRGB(x - 2, y + 150), 0xFFFFFFu);
    CloseGraph();
}

}  // namespace

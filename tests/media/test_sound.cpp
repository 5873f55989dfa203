// Sounds: a file that cannot be played ends at once, a real one ends after
// its length (on the harness's clock, or for real on SDL's silent device),
// and the loops that wait for the end of a sound can cut it short.
#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "harness.h"
#include "lumicanvas.h"
#include "test_support.h"

namespace {

void Put16(std::string& s, uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}

void Put32(std::string& s, uint32_t v) {
    Put16(s, static_cast<uint16_t>(v & 0xFFFF));
    Put16(s, static_cast<uint16_t>(v >> 16));
}

// A mono 16-bit WAV file of `ms` milliseconds at 8000 Hz: a quiet tone.
std::string Wav(int ms) {
    const uint32_t samples = static_cast<uint32_t>(8 * ms);
    std::string s = "RIFF";
    Put32(s, 36 + samples * 2);
    s += "WAVEfmt ";
    Put32(s, 16);
    Put16(s, 1);  // PCM
    Put16(s, 1);  // mono
    Put32(s, 8000);
    Put32(s, 16000);
    Put16(s, 2);
    Put16(s, 16);
    s += "data";
    Put32(s, samples * 2);
    for (uint32_t i = 0; i < samples; ++i) Put16(s, static_cast<uint16_t>((i / 8) % 2 ? 800 : -800));
    return s;
}

// An MP3 file of `frames` silent MPEG-1 layer III frames, 128 kbit/s, 44.1
// kHz, mono: 1152 samples, 417 bytes each.
std::string Mp3(int frames) {
    std::string s;
    for (int f = 0; f < frames; ++f) {
        std::string frame(417, '\0');
        frame[0] = static_cast<char>(0xFF);
        frame[1] = static_cast<char>(0xFB);
        frame[2] = static_cast<char>(0x90);
        frame[3] = static_cast<char>(0xC0);
        s += frame;
    }
    return s;
}

class SoundTest : public ::testing::Test {
protected:
    void TearDown() override { harness::Stop(); }

    // Starts a program that plays `path` until it ends, then answers with
    // the time it ended at.
    void PlayToTheEnd(const std::string& path) {
        harness::Start([path] {
            InitSound();
            while (!PlaySnd(path.c_str(), 0)) {
            }
            StopSnd(path.c_str());
            return static_cast<int>(ClockMillis());
        });
        ASSERT_TRUE(harness::Healthy());
    }
    test_support::ScratchDir dir_;
};

TEST_F(SoundTest, FileThatCannotBePlayedCountsAsEndedAtOnce) {
    test_support::WriteFile("broken.wav", "not a sound at all");
    int first_missing = -1, first_broken = -1;
    ::testing::internal::CaptureStderr();
    harness::Start([&] {
        InitSound();
        first_missing = PlaySnd("absent.mp3", 0);
        first_broken = PlaySnd("broken.wav", 0);
        return PlaySnd("absent.mp3", 0);
    });
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(first_missing, 1);
    EXPECT_EQ(first_broken, 1);
    EXPECT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 1);
    EXPECT_NE(errors.find("absent.mp3"), std::string::npos);
    EXPECT_NE(errors.find("broken.wav"), std::string::npos);
    EXPECT_EQ(harness::Sounds(), (std::vector<std::string>{"absent.mp3", "broken.wav"}));
}

TEST_F(SoundTest, WavEndsAfterItsLengthOnTheHarnessClock) {
    test_support::WriteFile("bip.wav", Wav(500));
    PlayToTheEnd("bip.wav");
    EXPECT_FALSE(harness::Finished());
    harness::Advance(490);
    EXPECT_FALSE(harness::Finished());
    harness::Advance(20);
    ASSERT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), 500);
    EXPECT_EQ(harness::Sounds(), (std::vector<std::string>{"bip.wav"}));
}

TEST_F(SoundTest, Mp3EndsAfterItsLengthOnTheHarnessClock) {
    test_support::WriteFile("correct.mp3", Mp3(40));  // 40 x 1152 / 44100 s = 1045 ms
    PlayToTheEnd("correct.mp3");
    harness::Advance(1000, 50);
    EXPECT_FALSE(harness::Finished());
    harness::Advance(100, 10);
    ASSERT_TRUE(harness::Finished());
    EXPECT_NEAR(harness::ExitCode(), 1045, 30);
}

TEST_F(SoundTest, EndedSoundStaysEndedUntilStoppedThenStartsAgain) {
    test_support::WriteFile("bip.wav", Wav(200));
    std::vector<int> results;
    harness::Start([&] {
        InitSound();
        results.push_back(PlaySnd("bip.wav", 0));  // starts
        ReadKey();
        results.push_back(PlaySnd("bip.wav", 0));
        results.push_back(PlaySnd("bip.wav", 0));  // ended: not started again
        StopSnd("bip.wav");
        results.push_back(PlaySnd("bip.wav", 0));  // a new start
        return ReadKey();
    });
    harness::Advance(300);
    harness::Key(' ');
    EXPECT_EQ(results, (std::vector<int>{0, 1, 1, 0}));
    EXPECT_EQ(harness::Sounds(), (std::vector<std::string>{"bip.wav", "bip.wav"}));
}

// The feedback sound's loop: a left click or a key cuts the sound short; the
// key stays waiting for whoever reads it next.
int PlayMusic(const char* file) {
    for (;;) {
        const int r = PlaySnd(file, 0);
        if (GetMouseButton() == 1 || KeyPressed() == 1 || r == 1) break;
    }
    StopSnd(file);
    return ClockMillis();
}

TEST_F(SoundTest, KeyOrLeftClickCutsTheSoundShortButNotTheRightButton) {
    test_support::WriteFile("incorrect.mp3", Mp3(100));
    int cut_at = -1;
    harness::Start([&] {
        InitSound();
        cut_at = PlayMusic("incorrect.mp3");
        PlayMusic("incorrect.mp3");
        return GetKeyPressed();
    });
    harness::Advance(300);
    harness::ClickAt(10, 10, 2);
    EXPECT_EQ(cut_at, -1);
    harness::ClickAt(10, 10, 1);
    EXPECT_EQ(cut_at, 300);
    harness::Advance(200);
    EXPECT_FALSE(harness::Finished());
    harness::Key(KEY_ESCAPE);
    ASSERT_TRUE(harness::Finished());
    EXPECT_EQ(harness::ExitCode(), KEY_ESCAPE);
}

TEST_F(SoundTest, LoopWaitingForASoundIdles) {
    test_support::WriteFile("long.wav", Wav(3000));
    int passes = 0;
    harness::Start([&] {
        InitSound();
        while (!PlaySnd("long.wav", 0)) ++passes;
        return 0;
    });
    const int before = passes;
    harness::Advance(1000, 100);
    EXPECT_LE(passes - before, 10 * 3);
}

// Without the harness the sound plays on SDL's device (the silent "dummy"
// one under the tests) and ends for real.
TEST(SoundDevice, RealSoundEndsAfterPlaying) {
    test_support::ScratchDir dir;
    test_support::WriteFile("bip.wav", Wav(150));
    ASSERT_EQ(InitSound(), 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(PlaySnd("bip.wav", 0), 0);
    int r = 0;
    while (r == 0 && std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        r = PlaySnd("bip.wav", 0);
    }
    EXPECT_EQ(r, 1);
    StopSnd("bip.wav");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(PlaySnd("absent.wav", 0), 1);
    ::testing::internal::GetCapturedStderr();
    CloseSound();
}

TEST(SoundDevice, StopSndCutsAPlayingSound) {
    test_support::ScratchDir dir;
    test_support::WriteFile("long.wav", Wav(5000));
    ASSERT_EQ(InitSound(), 1);
    EXPECT_EQ(PlaySnd("long.wav", 0), 0);
    EXPECT_EQ(PlaySnd("long.wav", 0), 0);
    StopSnd("long.wav");
    StopSnd("never-started.wav");
    // Stopped: the next call starts it afresh.
    EXPECT_EQ(PlaySnd("long.wav", 0), 0);
    CloseSound();
}

}  // namespace

namespace {

// A classroom computer without a sound card: sounds are silent and still
// take their length, on the real clock.
TEST(SoundDevice, WithoutADeviceSoundsAreSilentAndTakeTheirLength) {
    test_support::ScratchDir dir;
    test_support::WriteFile("bip.wav", Wav(300));
    const char* before = std::getenv("SDL_AUDIODRIVER");
    const std::string kept = before ? before : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(InitSound(), 1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("muets"), std::string::npos) << said;
    const uint32_t start = SDL_GetTicks();
    EXPECT_EQ(PlaySnd("bip.wav", 0), 0);
    while (PlaySnd("bip.wav", 0) == 0 && SDL_GetTicks() - start < 5000) {
    }
    EXPECT_GE(SDL_GetTicks() - start, 300u);
    EXPECT_LT(SDL_GetTicks() - start, 5000u);
    CloseSound();
    if (before) {
        setenv("SDL_AUDIODRIVER", kept.c_str(), 1);
    } else {
        unsetenv("SDL_AUDIODRIVER");
    }
}

}  // namespace

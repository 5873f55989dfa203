// A video extract on the video screen: the processor the program's own
// thread uses while a 640 x 480, 30 pictures-a-second video plays (it reads,
// decodes, scales and shows; the decoder's helper threads and the sound's
// thread apart, then all together), and how many pictures never reached the
// screen. Headless: how fast the harness steps through one.
#include "bench.h"

#include "internal.h"
#include "lumicanvas.h"

#include <cstdint>
#include <cstdlib>
#include <string>


namespace {

constexpr int kSeconds = 8;
constexpr int kFps = 30;

// An MP4 (H.264, AAC) of test pictures whose colours turn a little at each
// picture, made with ffmpeg; "" when it could not be made.
std::string MakeVideo() {
    const std::string name = "bench_640x480.mp4";
    const std::string cmd = "ffmpeg -v error -y -f lavfi -i testsrc=size=640x480:rate=" + std::to_string(kFps) +
                            ":duration=" + std::to_string(kSeconds) + ",hue=H=2*PI*t " + "-f lavfi -i sine=frequency=440:duration=" +
                            std::to_string(kSeconds) +
                            " -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac -shortest " + name;
    return std::system(cmd.c_str()) == 0 ? name : "";
}

// A fingerprint of the middle row of the video's rectangle, to tell new
// pictures from the one already shown.
uint64_t RowPrint(int x, int y, int w) {
    uint64_t h = 1469598103934665603ull;
    for (int i = 0; i < w; i += 3) h = (h ^ GetPixelRGB(x + i, y)) * 1099511628211ull;
    return h;
}

void Windowed(const std::string& file) {
    InitMouse();
    const int x = GetMaxX() / 2 - 200, y = GetMaxY() / 2 - 150;
    OpenVideo(file.c_str());
    const auto wall0 = bench::Clock::now();
    const double own0 = bench::ThreadCpuSeconds(), all0 = bench::CpuSeconds();
    long passes = 0, pictures = 0;
    uint64_t last = 0;
    while (GetVideoCurrentTime() != GetVideoEndTime()) {
        GetMouseArea();
        GetMouseButton();
        PlayVideo(x, y, 400, 300, 0);
        const uint64_t print = RowPrint(x, y + 150, 400);
        if (print != last) ++pictures;
        last = print;
        ++passes;
    }
    const double wall = std::chrono::duration<double>(bench::Clock::now() - wall0).count();
    const double own = bench::ThreadCpuSeconds() - own0, all = bench::CpuSeconds() - all0;
    CloseVideo();
    bench::Report("video length played", wall, "s");
    bench::Report("processor used by the program's thread", 100.0 * own / wall, "% of a core");
    bench::Report("processor used with every thread (decoding, sound)", 100.0 * all / wall, "% of a core");
    bench::Report("passes of the video screen's loop per second", static_cast<double>(passes) / wall, "/s");
    const long expected = static_cast<long>(kSeconds) * kFps;
    bench::Report("pictures shown, of " + std::to_string(expected), static_cast<double>(pictures), "");
    bench::Report("pictures dropped", static_cast<double>(expected > pictures ? expected - pictures : 0), "");
}

// Without a window the video follows the layer's clock: each Delay of one
// picture's time makes PlayVideo decode and draw the next picture.
void Headless(const std::string& file) {
    OpenVideo(file.c_str());
    const auto wall0 = bench::Clock::now();
    long pictures = 0;
    while (GetVideoCurrentTime() != GetVideoEndTime()) {
        Delay(1000 / kFps + 1);
        PlayVideo(GetMaxX() / 2 - 200, GetMaxY() / 2 - 150, 400, 300, 0);
        ++pictures;
    }
    const double wall = std::chrono::duration<double, std::milli>(bench::Clock::now() - wall0).count();
    CloseVideo();
    bench::Report("one picture stepped and drawn, headless", wall / static_cast<double>(pictures), "ms");
}

}  // namespace

BENCH(70, "A video extract (640 x 480, 30 pictures a second)") {
    const std::string file = MakeVideo();
    if (file.empty()) {
        bench::Note("ffmpeg could not make the test video: not measured");
        return;
    }
    if (!bench::OpenDisplay(1024, 768)) return;
    if (bench::Windowed()) {
        Windowed(file);
    } else {
        Headless(file);
    }
}

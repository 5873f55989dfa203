// An animated GIF opened full screen from a question: the processor the view
// uses while the GIF plays, frame after frame, as the picture view draws it.
#include "bench.h"

#include "lumicanvas.h"

#include <string>

BENCH(75, "An animated GIF shown full screen") {
    if (!bench::OpenDisplay(1024, 768)) return;
    const std::string gif = std::string(SOURCE_DIR) + "/demo/InfosQuizz/questions/images/balle.gif";
    int state = -1;
    if (!ShowGIFAdjust(gif.c_str(), 0, 0, 10, 10, &state)) {
        bench::Note("the demo GIF could not be read: " + gif);
        return;
    }
    bench::Report("first frame read and drawn", bench::MedianMs(1, [&] {
                      FreeGIFS();
                      state = -1;
                      ShowGIFAdjust(gif.c_str(), 212, 84, 600, 600, &state);
                  }),
                  "ms");
    if (!bench::Windowed()) {
        bench::Note("headless: Delay does not wait, the view's processor is not measured");
        FreeGIFS();
        return;
    }
    // The view's loop: a key or a button ends it; each pass draws the next
    // frame scaled, waits 100 ms and shows the screen.
    const auto wall0 = bench::Clock::now();
    const double cpu0 = bench::CpuSeconds();
    int frames = 0;
    while (std::chrono::duration<double>(bench::Clock::now() - wall0).count() < 5.0) {
        if (KeyPressed() == 1 || GetMouseButton() != 0) break;
        ShowGIFAdjust(gif.c_str(), 212, 84, 600, 600, &state);
        Delay(100);
        ShowScreen();
        ++frames;
    }
    const double wall = std::chrono::duration<double>(bench::Clock::now() - wall0).count();
    bench::Report("processor used while the GIF plays (600 x 600)", 100.0 * (bench::CpuSeconds() - cpu0) / wall,
                  "% of a core");
    bench::Report("frames shown per second", frames / wall, "/s");
    FreeGIFS();
}

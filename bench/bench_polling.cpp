// The question screen's waiting loop with a window: the processor it uses,
// how late it sees each new second of the countdown, how soon it sees a
// click, and how long Delay really waits.
#include "bench.h"

#include "internal.h"
#include "lumicanvas.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>


namespace {

// Milliseconds past the start of the current calendar second.
double MsIntoSecond() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<double>(std::chrono::duration_cast<std::chrono::microseconds>(now).count() % 1000000) / 1000.0;
}

// A left press and release in the middle of the window, as SDL delivers them.
void PushClick() {
    for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
        SDL_Event e{};
        e.type = type;
        e.button.windowID = lc::Window() ? SDL_GetWindowID(lc::Window()) : 0;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.button.x = 100;
        e.button.y = 100;
        SDL_PushEvent(&e);
    }
}

}  // namespace

BENCH(61, "The question screen's waiting loop") {
    if (!bench::OpenDisplay(1024, 768)) return;
    if (!bench::Windowed()) {
        bench::Note("headless: polling hands over to a test, not measured without a window");
        return;
    }
    InitMouse();
    // The loop of the question screen: Escape?, the countdown's clock, a click?
    const auto wall0 = bench::Clock::now();
    const double cpu0 = bench::CpuSeconds();
    std::time_t last = ClockSeconds();
    std::vector<double> lags;
    long passes = 0;
    while (lags.size() < 5) {
        ++passes;
        if (GetKeyPressed() == KEY_ESCAPE) break;
        const std::time_t now = ClockSeconds();
        if (now != last) {
            lags.push_back(MsIntoSecond());
            last = now;
        }
        ClickMouse();
    }
    const double wall = std::chrono::duration<double>(bench::Clock::now() - wall0).count();
    bench::Report("processor used by the loop (GetKeyPressed, clock, ClickMouse)",
                  100.0 * (bench::CpuSeconds() - cpu0) / wall, "% of a core");
    bench::Report("passes of that loop per second", static_cast<double>(passes) / wall, "/s");
    std::sort(lags.begin(), lags.end());
    bench::Report("sight of a new second, after it began, median of 5", lags[2], "ms");
    bench::Report("the same, latest", lags.back(), "ms");

    // A click made while the loop waits: how long until ClickMouse reports it.
    std::vector<double> waits;
    for (int i = 0; i < 20; ++i) {
        std::atomic<bool> sent{false};
        bench::Clock::time_point at;
        std::thread clicker([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(7 + i));
            at = bench::Clock::now();
            sent = true;
            PushClick();
        });
        while (!ClickMouse()) {
        }
        const auto seen = bench::Clock::now();
        clicker.join();
        if (sent) waits.push_back(std::chrono::duration<double, std::milli>(seen - at).count());
    }
    std::sort(waits.begin(), waits.end());
    bench::Report("a click seen by a waiting ClickMouse() loop, median", waits[waits.size() / 2], "ms");
    bench::Report("the same, slowest of 20", waits.back(), "ms");

    bench::Report("Delay(100) lasts", bench::MedianMs(5, [] { Delay(100); }), "ms");
}

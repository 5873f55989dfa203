// The layer's clock: real time with a window, the test's clock under the
// harness, where Delay moves the clock forward at once instead of sleeping.
#include <chrono>

#include "internal.h"
#include "lumicanvas.h"

namespace lc {

uint32_t NowMs() { return Headless() ? HarnessNowMs() : SDL_GetTicks(); }

}  // namespace lc

std::time_t ClockSeconds() {
    if (lc::Headless()) {
        lc::HarnessCheckStop();
        return lc::HarnessStartTime() + static_cast<std::time_t>(lc::HarnessNowMs() / 1000);
    }
    // The precise real-time clock, not time(), whose coarse clock can lag a
    // new second by a tick or more: the countdown and the idle wait both
    // expect the second to change exactly when it does.
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::time_t>(std::chrono::duration_cast<std::chrono::seconds>(now).count());
}

uint32_t ClockMillis() {
    lc::HarnessCheckStop();
    return lc::NowMs();
}

void Delay(int milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    if (lc::Headless()) {
        lc::HarnessCheckStop();
        lc::HarnessAdvanceClock(static_cast<uint32_t>(milliseconds));
        return;
    }
    // Sleep while still taking in the window's events, so that the window
    // stays responsive and clicks and keys made meanwhile are kept.
    const uint32_t end = SDL_GetTicks() + static_cast<uint32_t>(milliseconds);
    for (;;) {
        lc::PumpEvents();
        const uint32_t now = SDL_GetTicks();
        if (static_cast<int32_t>(end - now) <= 0) return;
        const uint32_t left = end - now;
        if (SDL_WasInit(SDL_INIT_EVENTS)) {
            SDL_WaitEventTimeout(nullptr, static_cast<int>(left));
        } else {
            SDL_Delay(left);
        }
    }
}

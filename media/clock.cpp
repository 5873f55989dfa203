// The layer's clock: real time with a window, the test's clock under the
// harness, where Delay moves the clock forward at once instead of sleeping.
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
    return std::time(nullptr);
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

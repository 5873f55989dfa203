// The layer's calls to a test harness, through the hooks the harness fills
// when it starts a scripted run. In the programs every hook stays empty and
// the harness is not linked at all.
#include <cstdlib>

#include "internal.h"

namespace lc {

namespace {
HarnessHooks g_hooks;
}  // namespace

void SetHarnessHooks(const HarnessHooks& hooks) { g_hooks = hooks; }

void HarnessPresented() {
    if (g_hooks.presented) g_hooks.presented();
}

void HarnessMessage(const std::string& utf8_text) {
    if (g_hooks.message) g_hooks.message(utf8_text);
}

void HarnessSound(const std::string& path) {
    if (g_hooks.sound) g_hooks.sound(path);
}

void HarnessText(const std::string& utf8_text, int x, int y, int w, int h, uint32_t rgb) {
    if (g_hooks.text) g_hooks.text(utf8_text, x, y, w, h, rgb);
}

[[noreturn]] void HarnessExit(int code) {
    if (g_hooks.exit) g_hooks.exit(code);
    std::exit(code);  // headless, but no harness
}

uint32_t HarnessNowMs() { return g_hooks.now_ms ? g_hooks.now_ms() : 0; }
std::time_t HarnessStartTime() { return g_hooks.start_time ? g_hooks.start_time() : 0; }

void HarnessAdvanceClock(uint32_t ms) {
    if (g_hooks.advance_clock) g_hooks.advance_clock(ms);
}

void HarnessPump() {
    if (g_hooks.pump) g_hooks.pump();
}

void HarnessIdle(const void* site) {
    if (g_hooks.idle) g_hooks.idle(site);
}

void HarnessFound() {
    if (g_hooks.found) g_hooks.found();
}

void HarnessCheckStop() {
    if (g_hooks.check_stop) g_hooks.check_stop();
}

}  // namespace lc

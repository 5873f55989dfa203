// The headless test harness: a program's whole run on a thread of its own,
// taking turns with the test (see harness.h).
//
// The two threads never run the layer at the same time: the program runs
// while the test waits in RunProgram(), and the test runs while the program
// waits in Handover(). The mutex and the condition variable carry each turn,
// so whatever one side wrote is seen by the other.
#include "harness.h"

#include <SDL_image.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <exception>
#include <filesystem>
#include <mutex>
#include <thread>

#include "internal.h"
#include "lumicanvas.h"

namespace {

// Thrown on the program's thread to end the run (ExitProgram, Stop). Not a
// std::exception, so that a program's catch (const std::exception&) leaves
// it alone.
struct EndOfRun {
    int code;
};

struct Event {
    enum Kind { kMove, kPress, kRelease, kKey, kQuit } kind;
    int a = 0, b = 0;
};

enum class Turn { kProgram, kTest };

struct Run {
    std::mutex m;
    std::condition_variable cv;
    std::thread thread;
    harness::Options options;
    Turn turn = Turn::kTest;
    bool thread_done = true;
    bool finished = false;  // returned or called ExitProgram
    int exit_code = 0;
    bool healthy = true;
    std::atomic<bool> stopping{false};
    std::atomic<uint32_t> now_ms{0};
    std::deque<Event> script;
    // The polls that found nothing new since something last happened; the
    // program is idle when one of them comes round again.
    std::vector<const void*> idle_sites;
    std::vector<std::string> messages;
    std::vector<std::string> sounds;
    std::vector<harness::TextDrawn> texts;
    std::atomic<int> presents{0};
    std::function<void()> on_present;
    std::vector<uint32_t> frame;  // the last presented picture
    int frame_w = 0, frame_h = 0;
    std::vector<uint32_t> back;   // the back buffer as the run left it
    int back_w = 0, back_h = 0;
};

Run g;
thread_local bool t_program_thread = false;

// Copies the back buffer as 0xRRGGBB rows; false when there is none.
bool CopyScreen(std::vector<uint32_t>& out, int& w, int& h) {
    const SDL_Surface* s = lc::Screen();
    if (!s) return false;
    w = s->w;
    h = s->h;
    out.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) +
                                                            static_cast<ptrdiff_t>(y) * s->pitch);
        for (int x = 0; x < w; ++x) out[static_cast<size_t>(y) * w + x] = lc::ToRGB(row[x]);
    }
    return true;
}

void KeepBackBuffer() { CopyScreen(g.back, g.back_w, g.back_h); }

std::chrono::milliseconds Timeout() { return std::chrono::milliseconds(std::max(g.options.idle_timeout_ms, 1)); }

// Program side: waits for the test's next turn; unwinds when the run is
// being stopped.
void Handover() {
    std::unique_lock lock(g.m);
    g.turn = Turn::kTest;
    g.cv.notify_all();
    g.cv.wait(lock, [] { return g.turn == Turn::kProgram || g.stopping; });
    if (g.stopping) throw EndOfRun{-1};
}

// Test side: lets the program run until it is idle again or has ended.
void RunProgram() {
    if (t_program_thread) {
        std::fprintf(stderr, "harness: input scripted from the program's own thread is ignored\n");
        return;
    }
    std::unique_lock lock(g.m);
    if (g.thread_done || !g.healthy) return;
    g.idle_sites.clear();
    g.turn = Turn::kProgram;
    g.cv.notify_all();
    if (!g.cv.wait_for(lock, Timeout(), [] { return g.turn == Turn::kTest || g.thread_done; })) {
        g.healthy = false;
        std::fprintf(stderr, "harness: the program did not become idle within %d ms "
                     "(a loop that never polls, or a deadlock)\n", g.options.idle_timeout_ms);
    }
}

void Queue(std::initializer_list<Event> events) {
    {
        std::lock_guard lock(g.m);
        g.script.insert(g.script.end(), events.begin(), events.end());
    }
    RunProgram();
}

void ProgramMain(std::function<int()> program) {
    t_program_thread = true;
    int code = 0;
    bool ended = true;
    try {
        code = program();
    } catch (const EndOfRun& end) {
        code = end.code;
        ended = !g.stopping;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "harness: the program ended by an exception: %s\n", e.what());
        code = -1;
    } catch (...) {
        std::fprintf(stderr, "harness: the program ended by an unknown exception\n");
        code = -1;
    }
    KeepBackBuffer();
    SDL_TLSCleanup();  // SDL's per-thread data (its error text) for a thread it did not start
    std::lock_guard lock(g.m);
    if (ended) {
        g.finished = true;
        g.exit_code = code;
    }
    g.thread_done = true;
    g.turn = Turn::kTest;
    g.cv.notify_all();
}

void StopAtExit() { harness::Stop(); }

}  // namespace

// --- The layer's side ---------------------------------------------------------------------

namespace lc::harness_side {

void HarnessPresented() {
    g.presents.fetch_add(1);
    if (!t_program_thread) return;
    CopyScreen(g.frame, g.frame_w, g.frame_h);
    if (g.on_present) g.on_present();
}

void HarnessMessage(const std::string& utf8_text) {
    std::lock_guard lock(g.m);
    g.messages.push_back(utf8_text);
}

void HarnessText(const std::string& utf8_text, int x, int y, int w, int h, uint32_t rgb) {
    if (!t_program_thread) return;
    std::lock_guard lock(g.m);
    g.texts.push_back({utf8_text, x, y, w, h, rgb});
}

void HarnessSound(const std::string& path) {
    std::lock_guard lock(g.m);
    g.sounds.push_back(path);
}

[[noreturn]] void HarnessExit(int code) {
    if (t_program_thread) throw EndOfRun{code};
    std::exit(code);  // headless, but not in a harness run
}

uint32_t HarnessNowMs() { return g.now_ms.load(); }
std::time_t HarnessStartTime() { return g.options.start_time; }
void HarnessAdvanceClock(uint32_t ms) { g.now_ms.fetch_add(ms); }

void HarnessCheckStop() {
    // Never during unwinding: a destructor that reads the clock must not
    // throw a second time.
    if (t_program_thread && g.stopping && std::uncaught_exceptions() == 0) throw EndOfRun{-1};
}

void HarnessPump() {
    if (!t_program_thread) return;
    HarnessCheckStop();
    std::deque<Event> due;
    {
        std::lock_guard lock(g.m);
        due.swap(g.script);
        if (!due.empty()) g.idle_sites.clear();
    }
    for (const Event& e : due) {
        switch (e.kind) {
            case Event::kMove: InputPointer(e.a, e.b); break;
            case Event::kPress: InputButton(e.a, true); break;
            case Event::kRelease: InputButton(e.a, false); break;
            case Event::kKey: InputKey(e.a); break;
            case Event::kQuit: ExitProgram(0);
        }
    }
}

void HarnessFound() {
    if (!t_program_thread) return;
    std::lock_guard lock(g.m);
    g.idle_sites.clear();
}

void HarnessIdle(const void* site) {
    if (!t_program_thread) return;
    HarnessCheckStop();
    {
        std::lock_guard lock(g.m);
        if (!g.script.empty()) return;  // more to apply at the next poll
        if (std::find(g.idle_sites.begin(), g.idle_sites.end(), site) == g.idle_sites.end()) {
            g.idle_sites.push_back(site);
            return;
        }
    }
    Handover();
}

}  // namespace lc::harness_side

// --- The test's side ---------------------------------------------------------------------

namespace harness {

// The layer's hooks, pointed at this harness.
static void Accroche() {
    namespace h = lc::harness_side;
    lc::HarnessHooks hooks;
    hooks.presented = h::HarnessPresented;
    hooks.message = h::HarnessMessage;
    hooks.sound = h::HarnessSound;
    hooks.text = h::HarnessText;
    hooks.exit = h::HarnessExit;
    hooks.now_ms = h::HarnessNowMs;
    hooks.start_time = h::HarnessStartTime;
    hooks.advance_clock = h::HarnessAdvanceClock;
    hooks.pump = h::HarnessPump;
    hooks.idle = h::HarnessIdle;
    hooks.found = h::HarnessFound;
    hooks.check_stop = h::HarnessCheckStop;
    lc::SetHarnessHooks(hooks);
}

void Start(std::function<int()> program, const Options& options) {
    Stop();
    Accroche();
    static const bool registered = std::atexit(StopAtExit) == 0;
    (void)registered;
    {
        std::lock_guard lock(g.m);
        g.options = options;
        g.finished = false;
        g.exit_code = 0;
        g.healthy = true;
        g.stopping = false;
        g.now_ms = 0;
        g.script.clear();
        g.idle_sites.clear();
        g.messages.clear();
        g.sounds.clear();
        g.texts.clear();
        g.presents = 0;
        g.frame.clear();
        g.back.clear();
        g.thread_done = false;
        g.turn = Turn::kProgram;
    }
    lc::SetHeadless(true);
    lc::SetFusedArchivePath(options.archive);
    lc::SeedRandom(options.random_seed);
    g.thread = std::thread(ProgramMain, std::move(program));
    std::unique_lock lock(g.m);
    if (!g.cv.wait_for(lock, Timeout(), [] { return g.turn == Turn::kTest || g.thread_done; })) {
        g.healthy = false;
        std::fprintf(stderr, "harness: the program did not become idle within %d ms\n",
                     g.options.idle_timeout_ms);
    }
}

void Stop() {
    if (t_program_thread || !g.thread.joinable()) return;
    {
        std::unique_lock lock(g.m);
        g.stopping = true;
        g.cv.notify_all();
        // A program busy elsewhere unwinds at its next poll or clock reading.
        if (!g.cv.wait_for(lock, Timeout() * 2, [] { return g.thread_done; })) {
            std::fprintf(stderr, "harness: the program never polled again and cannot be stopped\n");
            std::abort();
        }
    }
    g.thread.join();
    if (g.back.empty()) KeepBackBuffer();
    CloseSound();
    CloseMouse();
    CloseFont();
    CloseGraph();
    lc::SetHeadless(false);
    lc::SetFusedArchivePath("");
    g.on_present = nullptr;
    g.stopping = false;
}

bool Finished() {
    std::lock_guard lock(g.m);
    return g.finished;
}

int ExitCode() {
    std::lock_guard lock(g.m);
    return g.exit_code;
}

bool Healthy() {
    std::lock_guard lock(g.m);
    return g.healthy;
}

void MoveTo(int x, int y) { Queue({{Event::kMove, x, y}}); }
void Press(int button) { Queue({{Event::kPress, button}}); }
void Release(int button) { Queue({{Event::kRelease, button}}); }

void ClickAt(int x, int y, int button) {
    Queue({{Event::kMove, x, y}, {Event::kPress, button}, {Event::kRelease, button}});
}

void Key(int code) { Queue({{Event::kKey, code}}); }

void Type(const std::string& text) {
    {
        std::lock_guard lock(g.m);
        for (unsigned char c : text) g.script.push_back({Event::kKey, c});
    }
    RunProgram();
}

void CloseWindow() { Queue({{Event::kQuit}}); }

void Advance(int ms, int step_ms) {
    if (ms <= 0) return;
    step_ms = std::max(step_ms, 1);
    const uint32_t target = g.now_ms + static_cast<uint32_t>(ms);
    while (static_cast<int32_t>(target - g.now_ms) > 0) {
        {
            std::lock_guard lock(g.m);
            if (g.thread_done || !g.healthy) return;
        }
        const uint32_t left = target - g.now_ms;
        g.now_ms += std::min(left, static_cast<uint32_t>(step_ms));
        RunProgram();
    }
}

uint32_t Now() { return g.now_ms; }

bool CentreOfColour(const std::vector<uint32_t>& image, int width, int height, uint32_t rgb, int x1, int y1,
                    int x2, int y2, int* cx, int* cy) {
    long sx = 0, sy = 0, n = 0;
    for (int y = std::max(y1, 0); y <= y2 && y < height; ++y)
        for (int x = std::max(x1, 0); x <= x2 && x < width; ++x)
            if (image[static_cast<size_t>(y) * width + x] == rgb) {
                sx += x;
                sy += y;
                ++n;
            }
    if (n == 0) return false;
    *cx = static_cast<int>(sx / n);
    *cy = static_cast<int>(sy / n);
    return true;
}

std::vector<uint32_t> BackBuffer(int* width, int* height) {
    std::vector<uint32_t> out;
    int w = 0, h = 0;
    if (!CopyScreen(out, w, h)) {
        out = g.back;
        w = g.back_w;
        h = g.back_h;
    }
    if (width) *width = w;
    if (height) *height = h;
    return out;
}

uint32_t Pixel(int x, int y) {
    if (lc::Screen()) return GetPixelRGB(x, y);
    if (x < 0 || y < 0 || x >= g.back_w || y >= g.back_h) return 0;
    return g.back[static_cast<size_t>(y) * g.back_w + x];
}

std::vector<uint32_t> Frame(int* width, int* height) {
    if (g.presents == 0 || g.frame.empty()) return BackBuffer(width, height);
    if (width) *width = g.frame_w;
    if (height) *height = g.frame_h;
    return g.frame;
}

bool SavePNG(const std::string& path) {
    int w = 0, h = 0;
    std::vector<uint32_t> pixels = BackBuffer(&w, &h);
    if (pixels.empty()) return false;
    lc::SurfacePtr s(SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), w, h, 32, w * 4,
                                                        SDL_PIXELFORMAT_RGB888));
    return s && IMG_SavePNG(s.get(), path.c_str()) == 0;
}

std::string SaveShot(const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const char* env = std::getenv("PIVOLETTE_SHOTS");
    const fs::path dir = env && *env ? fs::path(env) : fs::temp_directory_path(ec) / "pivolette-shots";
    fs::create_directories(dir, ec);
    std::string file = name;
    std::replace_if(file.begin(), file.end(), [](char c) { return c == '/' || c == '\\' || c == ':'; }, '_');
    const fs::path path = dir / (file + ".png");
    if (!SavePNG(path.string())) return "";
    std::fprintf(stderr, "harness: screen saved as %s\n", path.string().c_str());
    return path.string();
}

void OnPresent(std::function<void()> hook) { g.on_present = std::move(hook); }
int Presents() { return g.presents; }
bool PointerShown() { return lc::PointerShown(); }

const std::vector<std::string>& Messages() { return g.messages; }
const std::vector<std::string>& Sounds() { return g.sounds; }
const std::vector<TextDrawn>& Texts() { return g.texts; }
std::vector<Zone> MouseAreas() {
    std::vector<Zone> out;
    for (const auto& a : lc::MouseAreas()) out.push_back({a[0], a[1], a[2], a[3]});
    return out;
}
void ClearTexts() {
    std::lock_guard lock(g.m);
    g.texts.clear();
}

}  // namespace harness

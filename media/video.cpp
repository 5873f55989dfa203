// Video: the questions' video extracts, one at a time. libmpv reads and
// decodes the file on its own threads and plays its sound; its software
// renderer scales each new picture into the rectangle PlayVideo is given, and
// PlayVideo copies it onto the back buffer and shows the screen.
//
// With a window the video plays on in real time from the first PlayVideo
// (OpenVideo leaves it paused on its first picture while the program draws
// the screen around it) and each PlayVideo shows the newest picture. Under
// the test harness it follows the harness's clock instead: mpv stays paused
// and silent, and PlayVideo steps it one picture at a time up to the clock's
// time, so that a test sees the same pictures and the same end on every run,
// however fast the machine is.
//
// The program's thread only calls mpv's non-blocking functions while the
// video plays (events, observed properties, commands sent without waiting),
// as the render API asks of the thread that renders.
#include <mpv/client.h>
#include <mpv/render.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

#include "internal.h"
#include "lumicanvas.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr int kLoadWaitMs = 5000;   // longest OpenVideo waits for mpv to read the file
constexpr int kFrameWaitMs = 2000;  // longest the harness waits for one stepped picture
constexpr int kPictureWaitMs = 1000;  // harness: a file with no picture by then has no video
constexpr double kDefaultFps = 25.0;

// Ids of the properties observed (mpv passes them back with each change).
enum Observed : uint64_t { kDuration = 1, kTimePos, kEofReached, kFps };

struct MpvDestroy {
    void operator()(mpv_handle* h) const { mpv_terminate_destroy(h); }
};
struct RenderFree {
    void operator()(mpv_render_context* r) const { mpv_render_context_free(r); }
};
struct AlignedFree {
    void operator()(uint8_t* p) const { std::free(p); }
};

// mpv's render thread tells the program that a picture is ready.
struct Signal {
    std::mutex m;
    std::condition_variable cv;
    bool frame = false;
    Uint32 wake_event = 0;  // SDL event that wakes a poll waiting for the window; 0 none
};

struct Video {
    bool headless = false;
    Signal signal;  // declared before the handles, so it outlives the render context
    std::unique_ptr<mpv_handle, MpvDestroy> mpv;
    std::unique_ptr<mpv_render_context, RenderFree> render;  // freed before the core
    bool loaded = false;
    bool ended = false;    // played to its end, or could not be played
    int end_ms = INT_MAX;  // the length, INT_MAX while unknown
    int pos_ms = 0;        // the position mpv last reported (real time)
    bool eof = false;      // harness: no picture after the one shown
    bool has_video = false;
    bool started = false;  // with a window: unpaused by the first PlayVideo
    double fps = kDefaultFps;
    long pictures = 0;       // new pictures mpv has given
    long shown = 0;          // harness: index of the picture shown
    uint32_t opened_at = 0;  // harness: the clock when the video was opened
    // The picture as mpv last rendered it, and where it went on the screen.
    std::unique_ptr<uint8_t, AlignedFree> pixels;
    int pic_w = 0, pic_h = 0;
    size_t stride = 0;
    int want_w = 2, want_h = 2;  // the size a new picture is rendered at
    SDL_Rect drawn{0, 0, 0, 0};
};

std::unique_ptr<Video> g_video;

void OnUpdate(void* context) {
    auto* s = static_cast<Signal*>(context);
    {
        std::lock_guard lock(s->m);
        s->frame = true;
    }
    s->cv.notify_all();
    if (s->wake_event) {
        SDL_Event e{};
        e.type = s->wake_event;
        SDL_PushEvent(&e);
    }
}

Uint32 WakeEvent() {
    static Uint32 type = 0;
    if (!type && SDL_WasInit(SDL_INIT_EVENTS)) {
        const Uint32 t = SDL_RegisterEvents(1);
        if (t != static_cast<Uint32>(-1)) type = t;
    }
    return type;
}

int ToMs(double seconds) {
    if (!(seconds >= 0)) return 0;
    return seconds * 1000.0 >= INT_MAX - 1 ? INT_MAX - 1 : static_cast<int>(std::lround(seconds * 1000.0));
}

// The end reached: the position becomes the end. A file that never loaded
// ends at 0, so that the two times are equal at once.
void Finish(Video& v) {
    v.ended = true;
    if (!v.loaded) {
        v.end_ms = 0;
        v.pos_ms = 0;
    } else if (v.end_ms == INT_MAX) {
        v.end_ms = v.headless ? static_cast<int>(lc::NowMs() - v.opened_at) : v.pos_ms;
    }
}

void OnProperty(Video& v, const mpv_event& ev) {
    const auto* p = static_cast<const mpv_event_property*>(ev.data);
    if (p->format == MPV_FORMAT_DOUBLE) {
        const double value = *static_cast<const double*>(p->data);
        if (ev.reply_userdata == kDuration && value > 0) v.end_ms = ToMs(value);
        if (ev.reply_userdata == kTimePos) v.pos_ms = ToMs(value);
        if (ev.reply_userdata == kFps && value > 0) v.fps = value;
    } else if (p->format == MPV_FORMAT_FLAG && ev.reply_userdata == kEofReached) {
        v.eof = *static_cast<const int*>(p->data) != 0;
    }
}

void OnEndFile(Video& v, const mpv_event& ev, const char* path) {
    const auto* end = static_cast<const mpv_event_end_file*>(ev.data);
    if (end->reason == MPV_END_FILE_REASON_ERROR) {
        lc::Fail("Impossible de lire la vidéo %s : %s", path, mpv_error_string(end->error));
    }
    if (end->reason == MPV_END_FILE_REASON_EOF || end->reason == MPV_END_FILE_REASON_ERROR) Finish(v);
}

// Takes in what mpv has reported since the last look, without waiting.
void Drain(Video& v, const char* path = "") {
    if (!v.mpv) return;
    for (;;) {
        const mpv_event* ev = mpv_wait_event(v.mpv.get(), 0);
        switch (ev->event_id) {
            case MPV_EVENT_NONE: return;
            case MPV_EVENT_FILE_LOADED: v.loaded = true; break;
            case MPV_EVENT_END_FILE: OnEndFile(v, *ev, path); break;
            case MPV_EVENT_PROPERTY_CHANGE: OnProperty(v, *ev); break;
            default: break;
        }
    }
}

// Makes the video's buffer w x h and black; false when memory runs out.
bool Allocate(Video& v, int w, int h) {
    if (w == v.pic_w && h == v.pic_h && v.pixels) return true;
    v.stride = (static_cast<size_t>(w) * 4 + 63) / 64 * 64;
    v.pixels.reset(static_cast<uint8_t*>(std::aligned_alloc(64, v.stride * static_cast<size_t>(h))));
    if (!v.pixels) {
        v.pic_w = v.pic_h = 0;
        return false;
    }
    std::memset(v.pixels.get(), 0, v.stride * static_cast<size_t>(h));
    v.pic_w = w;
    v.pic_h = h;
    return true;
}

// Renders mpv's current picture at w x h into the video's own buffer (black
// where the picture does not cover it, or before the first picture).
void Render(Video& v, int w, int h) {
    if (!Allocate(v, w, h) || !v.render) return;
    int size[2] = {w, h};
    char format[] = "bgr0";  // the bytes of an XRGB8888 pixel in memory
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SW_SIZE, size},
        {MPV_RENDER_PARAM_SW_FORMAT, format},
        {MPV_RENDER_PARAM_SW_STRIDE, &v.stride},
        {MPV_RENDER_PARAM_SW_POINTER, v.pixels.get()},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(v.render.get(), params);
}

// True when mpv had a new picture, which is then rendered at once: mpv's
// output waits until its picture has been taken. A redraw of the picture
// already shown is rendered too but is no new picture. `look` asks mpv even
// without its signal.
bool TakeFrame(Video& v, bool look = false) {
    {
        std::lock_guard lock(v.signal.m);
        if (!v.signal.frame && !look) return false;
        v.signal.frame = false;
    }
    if (!(mpv_render_context_update(v.render.get()) & MPV_RENDER_UPDATE_FRAME)) return false;
    mpv_render_frame_info info{};
    mpv_render_param query[] = {{MPV_RENDER_PARAM_NEXT_FRAME_INFO, &info}, {MPV_RENDER_PARAM_INVALID, nullptr}};
    const bool known = mpv_render_context_get_info(v.render.get(), query[0]) >= 0;
    Render(v, v.want_w, v.want_h);
    if (known && (info.flags & MPV_RENDER_FRAME_INFO_REDRAW)) return false;
    ++v.pictures;
    return true;
}

// Waits (real time, `ms` at most) until `done` holds, taking in mpv's
// pictures and events meanwhile; false when it never does, or when the file
// ends or fails first.
template <typename Done>
bool WaitFor(Video& v, int ms, Done done, const char* path = "") {
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(ms);
    for (int pass = 1;; ++pass) {
        TakeFrame(v, pass % 10 == 0);
        Drain(v, path);
        if (done()) return true;
        if (v.eof || v.ended || SteadyClock::now() > deadline) return false;
        std::unique_lock lock(v.signal.m);
        v.signal.cv.wait_for(lock, std::chrono::milliseconds(2), [&] { return v.signal.frame; });
    }
}

// Waits for mpv's next picture.
bool WaitFrame(Video& v) {
    const long before = v.pictures;
    return WaitFor(v, kFrameWaitMs, [&] { return v.pictures > before; });
}

// Harness: steps mpv picture by picture up to the clock's time. Picture k
// shows from k / fps seconds on; none is stepped to past the end.
bool CatchUp(Video& v) {
    bool fresh = TakeFrame(v);
    if (!v.has_video) return fresh;
    const double t = (lc::NowMs() - v.opened_at) / 1000.0;
    const double length = v.end_ms == INT_MAX ? 1e18 : v.end_ms / 1000.0;
    while (!v.eof && (v.shown + 1) / v.fps <= t + 1e-9 && (v.shown + 1) / v.fps < length - 1e-6) {
        const char* step[] = {"frame-step", nullptr};
        if (mpv_command_async(v.mpv.get(), 0, step) < 0 || !WaitFrame(v)) {
            v.eof = true;  // no further picture: the last one stays
            break;
        }
        ++v.shown;
        fresh = true;
    }
    return fresh;
}

// Copies the rendered picture to the back buffer at `r`, clipped to it.
void Draw(const Video& v, SDL_Rect r) {
    if (!v.pixels) return;
    lc::SurfacePtr picture(SDL_CreateRGBSurfaceWithFormatFrom(v.pixels.get(), v.pic_w, v.pic_h, 32,
                                                              static_cast<int>(v.stride),
                                                              SDL_PIXELFORMAT_RGB888));
    if (!picture) return;
    SDL_SetSurfaceBlendMode(picture.get(), SDL_BLENDMODE_NONE);
    SDL_BlitSurface(picture.get(), nullptr, lc::Screen(), &r);
    lc::Drawn();
}

bool SetOptions(mpv_handle* h, bool headless) {
    const char* audio = std::getenv("SDL_AUDIODRIVER");
    const bool silent = headless || (audio && std::strcmp(audio, "dummy") == 0);
    const std::pair<const char*, const char*> options[] = {
        {"config", "no"},       {"terminal", "no"},      {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"}, {"osc", "no"},      {"load-scripts", "no"},
        {"ytdl", "no"},         {"osd-level", "0"},      {"sub-auto", "no"},
        {"hwdec", "no"},        {"vo", "libmpv"},        {"idle", "yes"},
        {"ao", silent ? "null" : "pulse,alsa,null"},
        // Paused at the start; under the harness also silent and untimed,
        // kept open at the end, each picture stepped to.
        {"pause", "yes"},
        {"keep-open", headless ? "yes" : "no"},
        {"aid", headless ? "no" : "auto"},
        {"untimed", headless ? "yes" : "no"},
    };
    for (const auto& [name, value] : options) {
        if (mpv_set_option_string(h, name, value) < 0) return false;
    }
    return true;
}

// Creates mpv and its software renderer; false (with the reason reported)
// when libmpv cannot start.
bool StartMpv(Video& v) {
    v.mpv.reset(mpv_create());
    if (!v.mpv || !SetOptions(v.mpv.get(), v.headless) || mpv_initialize(v.mpv.get()) < 0) {
        lc::Fail("Impossible de démarrer le lecteur vidéo (libmpv)");
        v.mpv.reset();
        return false;
    }
    char api[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, api}, {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context* render = nullptr;
    if (mpv_render_context_create(&render, v.mpv.get(), params) < 0) {
        lc::Fail("Impossible de préparer l'affichage des vidéos (libmpv)");
        v.mpv.reset();
        return false;
    }
    v.render.reset(render);
    v.signal.wake_event = v.headless ? 0 : WakeEvent();
    mpv_render_context_set_update_callback(render, OnUpdate, &v.signal);
    mpv_observe_property(v.mpv.get(), kDuration, "duration", MPV_FORMAT_DOUBLE);
    mpv_observe_property(v.mpv.get(), kFps, "container-fps", MPV_FORMAT_DOUBLE);
    if (v.headless) {
        mpv_observe_property(v.mpv.get(), kEofReached, "eof-reached", MPV_FORMAT_FLAG);
    } else {
        mpv_observe_property(v.mpv.get(), kTimePos, "time-pos", MPV_FORMAT_DOUBLE);
    }
    return true;
}

// The file as mpv must be given it: an absolute path, which mpv can never
// take for a web address or another protocol.
std::string AbsolutePath(const char* path) {
    if (path[0] == '/') return path;
    char cwd[4096];
    if (!::getcwd(cwd, sizeof cwd)) return std::string("./") + path;
    return std::string(cwd) + "/" + path;
}

// Starts the file and waits (real time, a few seconds at most) until mpv has
// read it or given up; under the harness, also for its first picture.
void Load(Video& v, const char* path) {
    const std::string file = AbsolutePath(path);
    const char* cmd[] = {"loadfile", file.c_str(), nullptr};
    if (mpv_command(v.mpv.get(), cmd) < 0) {
        lc::Fail("Impossible de lire la vidéo %s", path);
        return;
    }
    // Only events from now on: a call that waits for mpv's core could stall
    // its output, which waits for the picture to be taken.
    if (!WaitFor(v, kLoadWaitMs, [&] { return v.loaded; }, path)) {
        if (!v.ended) lc::Fail("La vidéo %s ne s'ouvre pas : lecteur trop lent ou fichier illisible", path);
        return;
    }
    v.has_video = !v.headless || WaitFor(v, kPictureWaitMs, [&] { return v.pictures > 0; }, path);
    v.opened_at = lc::NowMs();
}

void Release(Video& v) {
    v.render.reset();  // before the core, as libmpv requires
    v.mpv.reset();
}

}  // namespace

void OpenVideo(const char* path) {
    CloseVideo();
    auto v = std::make_unique<Video>();
    v->headless = lc::Headless();
    struct stat st {};
    const std::string file = lc::NativePath(path);
    if (!path || !*path) {
        lc::Fail("OpenVideo : aucun fichier vidéo donné");
    } else if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        lc::Fail("La vidéo %s n'existe pas ou n'est pas un fichier", path);
    } else if (StartMpv(*v)) {
        Load(*v, file.c_str());
    }
    if (!v->loaded) Finish(*v);
    if (v->ended) Release(*v);  // nothing to play: the two times are equal already
    g_video = std::move(v);
}

void PlayVideo(int x, int y, int w, int h, int /*flag*/) {
    const void* site = __builtin_return_address(0);
    lc::PumpEvents();
    if (!g_video || !lc::Screen() || w < 0 || h < 0 || w >= 16384 || h >= 16384) {
        lc::IdlePoll(site);
        return;
    }
    Video& v = *g_video;
    const SDL_Rect r{x, y, w + 1, h + 1};
    v.want_w = r.w;
    v.want_h = r.h;
    bool fresh = false;
    if (v.render) {
        Drain(v);
        if (!v.headless && !v.started) {
            // The video (and its sound) starts with the screen that shows it.
            int no = 0;
            mpv_set_property_async(v.mpv.get(), 0, "pause", MPV_FORMAT_FLAG, &no);
            v.started = true;
        }
        fresh = v.headless ? CatchUp(v) : TakeFrame(v);
    }
    const bool moved = r.x != v.drawn.x || r.y != v.drawn.y || r.w != v.drawn.w || r.h != v.drawn.h;
    if (!fresh && !moved) {
        lc::IdlePoll(site);
        return;
    }
    // The same picture at another size; a video that could not be played
    // shows a black rectangle.
    if (!fresh) Render(v, r.w, r.h);
    Draw(v, r);
    v.drawn = r;
    ShowScreen();
    lc::PollFound();
}

int GetVideoCurrentTime() {
    if (!g_video) return 0;
    Video& v = *g_video;
    Drain(v);
    if (v.ended) return v.end_ms;
    if (v.headless) {
        const int t = static_cast<int>(lc::NowMs() - v.opened_at);
        const bool unknown_end_passed = v.end_ms == INT_MAX && (v.eof || !v.has_video) &&
                                        t >= static_cast<int>((v.shown + 1) * 1000.0 / v.fps);
        if (t >= v.end_ms || unknown_end_passed) {
            if (v.end_ms == INT_MAX) v.end_ms = t;
            v.ended = true;
            return v.end_ms;
        }
        return t;
    }
    // Equal to the end only once mpv has played the file out, so that the
    // last picture is seen.
    return v.pos_ms < v.end_ms ? v.pos_ms : v.end_ms - 1;
}

int GetVideoEndTime() {
    if (!g_video) return 0;
    Drain(*g_video);
    return g_video->end_ms;
}

void CloseVideo() {
    if (!g_video) return;
    Release(*g_video);
    g_video.reset();
}

// Video: the questions' video extracts, one at a time. The video decoder
// (video_decoder.h, on ffmpeg's libraries) reads the file a little ahead of
// what is shown, on a thread of the video's own; the sound goes to a sound
// device of the video's own, through SDL's queue, and its clock says which
// picture is due (the wall clock does when the video has no sound or no
// device). PlayVideo, on the program's thread, scales the due picture into
// its rectangle on the back buffer and shows that rectangle.
//
// With a window the video plays on in real time from the first PlayVideo
// (OpenVideo leaves it on its first picture while the program draws the
// screen around it). Under the test harness it follows the harness's clock
// instead, silent: the current time is the clock's time since OpenVideo and
// PlayVideo decodes, on the program's thread, up to the last picture due by
// then and shows it, so that a test sees the same pictures and the same end
// on every run, however fast the machine is.
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "internal.h"
#include "lumicanvas.h"
#include "video_decoder.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr int kFirstPictureWaitMs = 3000;  // longest OpenVideo decodes for the first picture
constexpr int kIdleDecoderMs = 50;         // the decoding thread looks again this often when idle
constexpr double kSoundAhead = 0.3;        // seconds of sound queued ahead of the clock
constexpr double kPicturesAhead = 0.1;     // seconds of pictures decoded ahead of the clock
constexpr double kSoundSlack = 0.04;       // seconds the wall clock may stray from the sound
constexpr double kSoundDrift = 0.5;        // past this the sound is taken to have stalled
constexpr size_t kMostPictures = 32;       // pictures held at most
constexpr double kEpsilon = 1e-6;
// With no picture waiting, the program looks again this often (seconds):
// for the decoder's next one, or for the end of the sound.
constexpr double kNothingDueS = 0.02;

struct PictureRelease {
    const PvVideoTable* table = nullptr;
    void operator()(PvPicture* p) const { table->release(p); }
};
using PicturePtr = std::unique_ptr<PvPicture, PictureRelease>;

struct DecoderClose {
    const PvVideoTable* table = nullptr;
    void operator()(PvDecoder* d) const { table->close(d); }
};
using DecoderPtr = std::unique_ptr<PvDecoder, DecoderClose>;

struct Picture {
    PicturePtr picture;
    double time = 0;  // seconds from the start
};

// The video's own sound device, fed through SDL's queue.
struct SoundOut {
    SDL_AudioDeviceID device = 0;
    double bytes_per_second = 0;
    double queued_until = 0;  // the time at the end of the samples queued
    bool playing = false;

    SoundOut() = default;
    SoundOut(const SoundOut&) = delete;
    SoundOut& operator=(const SoundOut&) = delete;
    ~SoundOut() {
        if (!device) return;
        SDL_CloseAudioDevice(device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    // Seconds of sound queued and not yet played.
    double Queued() const { return device ? SDL_GetQueuedAudioSize(device) / bytes_per_second : 0; }
};

struct Video {
    const PvVideoTable* table = nullptr;
    DecoderPtr decoder;
    PvVideoInfo info{};
    bool headless = false;
    bool ended = false;      // played to its end, or could not be played
    int end_ms = INT_MAX;    // the length, INT_MAX while unknown
    // Shared with the decoding thread, under `m`: what it decoded and what
    // it needs to know to decode enough and no more.
    std::mutex m;
    std::condition_variable wake_decoder;
    bool exhausted = false;  // the decoder has given its last piece
    bool stop = false;       // the decoding thread must end
    double now = 0;          // the clock as the program's thread last read it
    double content_end = 0;  // where the last picture or sound decoded ends
    std::deque<Picture> pictures;  // decoded, not shown yet, in time order
    std::thread decoding;    // with a window, from the first PlayVideo
    // The program's thread alone.
    Picture shown;                 // the picture now due
    bool fresh = false;            // `shown` changed since it was drawn
    std::unique_ptr<SoundOut> sound;
    // The clock.
    bool started = false;           // with a window: by the first PlayVideo
    uint32_t opened_at = 0;         // harness: the clock when the video was opened
    SteadyClock::time_point origin;  // with a window: when the video's time 0 was
    double last_time = 0;            // the clock never goes back
    // The picture scaled for the screen, and where it went.
    std::vector<uint32_t> pixels;
    int pic_w = 0, pic_h = 0;
    SDL_Rect drawn{0, 0, 0, 0};

    Video() = default;
    Video(const Video&) = delete;
    Video& operator=(const Video&) = delete;
    // The decoding thread ends before anything it uses goes.
    ~Video() {
        {
            std::lock_guard lock(m);
            stop = true;
        }
        wake_decoder.notify_all();
        if (decoding.joinable()) decoding.join();
    }
};

// What the video layer keeps between videos.
struct VideoLayer {
    std::unique_ptr<Video> video;
};

VideoLayer g_layer;

int ToMs(double seconds) {
    if (!(seconds >= 0)) return 0;
    return seconds * 1000.0 >= INT_MAX - 1 ? INT_MAX - 1 : static_cast<int>(std::lround(seconds * 1000.0));
}

// --- The clock ----------------------------------------------------------------------

// Seconds of the video played: the harness's clock since OpenVideo; with a
// window the wall clock kept to the sound's while sound plays, 0 until the
// first PlayVideo. Called with `v.m` held.
double Clock(Video& v) {
    double t = 0;
    if (v.headless) {
        t = (lc::NowMs() - v.opened_at) / 1000.0;
    } else if (v.started) {
        const auto now = SteadyClock::now();
        t = std::chrono::duration<double>(now - v.origin).count();
        const double queued = v.sound ? v.sound->Queued() : 0;
        const double heard = v.sound ? v.sound->queued_until - queued : 0;
        // The sound leads while it plays: the wall clock, smoother than the
        // sound's (a device takes its samples a block at a time), is set to it
        // when they part. A device that stalls loses the lead.
        const double apart = std::abs(heard - t);
        if (queued > 0 && apart > kSoundSlack && apart < kSoundDrift) {
            t = heard;
            v.origin = now - std::chrono::duration_cast<SteadyClock::duration>(std::chrono::duration<double>(t));
        }
    }
    v.last_time = std::max(v.last_time, t);
    v.now = v.last_time;
    return v.last_time;
}

// --- Decoding ------------------------------------------------------------------------

Uint32 WakeEvent() {
    static Uint32 type = 0;
    if (!type && SDL_WasInit(SDL_INIT_EVENTS)) {
        const Uint32 t = SDL_RegisterEvents(1);
        if (t != static_cast<Uint32>(-1)) type = t;
    }
    return type;
}

// Ends the wait of the program's thread in its poll (any thread may call it).
void WakeProgram(Uint32 type) {
    if (!type) return;
    SDL_Event e{};
    e.type = type;
    SDL_PushEvent(&e);
}

// Keeps a piece the decoder gave. Called with `v.m` held.
void Store(Video& v, const PvPiece& piece, Uint32 wake) {
    v.content_end = std::max(v.content_end, piece.time + piece.duration);
    if (piece.kind == kPvSound) {
        SoundOut* s = v.sound.get();
        if (s && piece.bytes > 0 &&
            SDL_QueueAudio(s->device, piece.samples, static_cast<Uint32>(piece.bytes)) == 0) {
            s->queued_until = piece.time + piece.duration;
        }
    } else if (piece.kind == kPvPicture) {
        Picture p{PicturePtr(piece.picture, PictureRelease{v.table}), piece.time};
        // Pictures come in the order they show; a late one replaces what it passes.
        while (!v.pictures.empty() && v.pictures.back().time >= p.time) v.pictures.pop_back();
        // A picture already due while the program waited for one.
        if (v.pictures.empty() && p.time <= v.now) WakeProgram(wake);
        v.pictures.push_back(std::move(p));
    }
}

// True while more must be decoded to show time `t` and keep the sound going.
// Called with `v.m` held.
bool NeedsMore(const Video& v, double t) {
    if (v.exhausted || v.stop || v.pictures.size() >= kMostPictures) return false;
    const bool pictures = v.info.has_picture && (v.pictures.empty() || v.pictures.back().time <= t + kPicturesAhead);
    // Sound that is not heard (no device, or the harness) is decoded only to
    // find the end of a video without pictures.
    const bool sound = v.sound ? v.sound->queued_until < t + kSoundAhead
                               : !v.info.has_picture && v.content_end <= t + kSoundAhead;
    return pictures || sound;
}

// Decodes one piece, holding `lock` (on `v.m`) only while it keeps it:
// the decoder itself runs unlocked. False at the end of the file.
bool DecodeOne(Video& v, std::unique_lock<std::mutex>& lock, Uint32 wake = 0) {
    lock.unlock();
    PvPiece piece{};
    const bool got = v.table->next(v.decoder.get(), &piece) != 0;
    lock.lock();
    if (got) {
        Store(v, piece, wake);
    } else {
        v.exhausted = true;
    }
    return got;
}

// The decoding thread: keeps the pictures and the sound a little ahead of
// the clock the program's thread publishes, until the file ends or the
// video closes.
void DecodeAhead(Video& v, Uint32 wake) {
    std::unique_lock lock(v.m);
    while (!v.stop && !v.exhausted) {
        if (NeedsMore(v, v.now)) {
            DecodeOne(v, lock, wake);
        } else {
            v.wake_decoder.wait_for(lock, std::chrono::milliseconds(kIdleDecoderMs));
        }
    }
}

// Under the harness: decodes, on the program's thread, what time `t` needs.
void DecodeFor(Video& v, double t) {
    std::unique_lock lock(v.m);
    while (NeedsMore(v, t) && DecodeOne(v, lock)) {
    }
}

// Makes the last picture due at time `t` the one shown; the first picture
// shows from the start, even when the file gives it a later time. A picture
// at or past a known end is never shown: it is dropped once due. Called with
// `v.m` held.
void TakeDue(Video& v, double t) {
    const double limit = v.end_ms == INT_MAX ? 1e18 : v.end_ms / 1000.0 - kEpsilon;
    while (!v.pictures.empty()) {
        const double time = v.pictures.front().time;
        if (v.shown.picture && time > t + kEpsilon) break;
        if (!v.shown.picture || time < limit) {
            v.shown = std::move(v.pictures.front());
            v.fresh = true;
        }
        v.pictures.pop_front();
    }
}

// --- Opening ----------------------------------------------------------------------------

// Opens the video's own sound device, paused; none when there is no sound
// card (the video then plays silent on the wall clock).
std::unique_ptr<SoundOut> OpenSound(const PvVideoInfo& info) {
    if (info.sample_rate <= 0) return nullptr;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    auto s = std::make_unique<SoundOut>();
    SDL_AudioSpec want{};
    want.freq = info.sample_rate;
    want.format = AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(info.channels);
    want.samples = 1024;
    SDL_AudioSpec have{};
    s->device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);  // SDL converts to what the card takes
    if (!s->device) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    s->bytes_per_second = static_cast<double>(info.sample_rate) * info.channels * 2;
    return s;
}

// The end reached: the current time becomes the end. A video that could not
// be opened ends at 0, so that the two times are equal at once.
void Finish(Video& v, int at_ms) {
    v.ended = true;
    if (!v.decoder) {
        v.end_ms = 0;
    } else if (v.end_ms == INT_MAX) {
        v.end_ms = at_ms;
    }
}

// Opens the decoder on the file; false (reported) when the file cannot be
// played or video is unavailable.
bool Start(Video& v, const char* name, const std::string& file) {
    std::string why;
    v.table = lc::VideoDecoder(why);
    if (!v.table) {
        if (why.empty()) {
            lc::Fail("Impossible de lire la vidéo %s : lecteur vidéo indisponible", name);
        } else {
            lc::Fail("Impossible de lire la vidéo %s : lecteur vidéo indisponible (%s)", name, why.c_str());
        }
        return false;
    }
    char reason[512] = {};
    PvDecoder* d = v.table->open(file.c_str(), 1, reason, sizeof reason);
    if (!d) {
        lc::Fail("Impossible de lire la vidéo %s : %s", name, reason);
        return false;
    }
    v.decoder = DecoderPtr(d, DecoderClose{v.table});
    v.table->describe(d, &v.info);
    if (v.info.length > 0) v.end_ms = ToMs(v.info.length);
    if (!v.headless) v.sound = OpenSound(v.info);
    return true;
}

// Decodes up to the first picture, so that the first PlayVideo shows it.
void FirstPicture(Video& v) {
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(kFirstPictureWaitMs);
    std::unique_lock lock(v.m);
    while (v.info.has_picture && v.pictures.empty() && DecodeOne(v, lock)) {
        if (SteadyClock::now() > deadline) break;
    }
    TakeDue(v, 0);
}

// --- Drawing ----------------------------------------------------------------------------

// The part of `r` the picture fills, keeping its proportions, centred.
SDL_Rect Fitted(const PvVideoInfo& info, SDL_Rect r) {
    if (info.width <= 0 || info.height <= 0) return r;
    const double scale = std::min(static_cast<double>(r.w) / info.width, static_cast<double>(r.h) / info.height);
    const int w = std::clamp(static_cast<int>(std::lround(info.width * scale)), 1, r.w);
    const int h = std::clamp(static_cast<int>(std::lround(info.height * scale)), 1, r.h);
    return {r.x + (r.w - w) / 2, r.y + (r.h - h) / 2, w, h};
}

// Scales the shown picture to w x h into the video's own pixels; false when
// there is none to show.
bool ScalePicture(Video& v, int w, int h) {
    if (!v.shown.picture || !v.decoder) return false;
    const size_t size = static_cast<size_t>(w) * static_cast<size_t>(h);
    if (v.pixels.size() != size) v.pixels.assign(size, 0);
    v.pic_w = w;
    v.pic_h = h;
    return v.table->scale(v.decoder.get(), v.shown.picture.get(), v.pixels.data(), w * 4, w, h) != 0;
}

// Draws the shown picture into `r` on the back buffer, black bars around
// it; black alone when there is no picture.
void Draw(Video& v, SDL_Rect r) {
    SDL_Surface* screen = lc::Screen();
    SDL_FillRect(screen, &r, 0);
    const SDL_Rect inner = Fitted(v.info, r);
    if (!ScalePicture(v, inner.w, inner.h)) return;
    lc::SurfacePtr picture(SDL_CreateRGBSurfaceWithFormatFrom(v.pixels.data(), v.pic_w, v.pic_h, 32, v.pic_w * 4,
                                                              SDL_PIXELFORMAT_RGB888));
    if (!picture) return;
    SDL_SetSurfaceBlendMode(picture.get(), SDL_BLENDMODE_NONE);
    SDL_Rect at = inner;
    SDL_BlitSurface(picture.get(), nullptr, screen, &at);
}

// --- Waiting ------------------------------------------------------------------------------

// With a window: the poll's wait ends when the next picture is due, or soon
// while none is decoded yet or the end is still to come.
void WakeForNext(Video& v, double t) {
    if (v.headless || v.ended || !v.decoder) return;
    double wait = kNothingDueS;
    {
        std::lock_guard lock(v.m);
        if (!v.pictures.empty()) wait = v.pictures.front().time - t;
    }
    lc::WakeIn(wait <= 0 ? 0 : static_cast<uint32_t>(wait * 1000.0) + 1);
}

// With a window: the video and its sound start with the screen that shows
// it, and the decoding thread with them.
void StartPlaying(Video& v) {
    if (v.headless || v.started) return;
    v.started = true;
    v.origin = SteadyClock::now();
    if (v.sound) SDL_PauseAudioDevice(v.sound->device, 0);
    v.decoding = std::thread(DecodeAhead, std::ref(v), WakeEvent());
}

// True once everything decoded was shown and heard (or the clock went past
// the sound, when its device stalled). Called with `v.m` held.
bool PlayedOut(const Video& v) {
    const bool heard = !v.sound || v.sound->Queued() <= 0 || v.last_time >= v.sound->queued_until;
    return v.exhausted && v.pictures.empty() && heard;
}

}  // namespace

void OpenVideo(const char* path) {
    CloseVideo();
    auto v = std::make_unique<Video>();
    v->headless = lc::Headless();
    struct stat st {};
    const std::string file = path ? lc::NativePath(path) : "";
    if (!path || !*path) {
        lc::Fail("OpenVideo : aucun fichier vidéo donné");
    } else if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        lc::Fail("La vidéo %s n'existe pas ou n'est pas un fichier", path);
    } else if (Start(*v, path, file)) {
        FirstPicture(*v);
    }
    if (!v->decoder) Finish(*v, 0);  // nothing to play: the two times are equal already
    v->opened_at = lc::NowMs();
    g_layer.video = std::move(v);
}

void PlayVideo(int x, int y, int w, int h, int /*flag*/) {
    const void* site = __builtin_return_address(0);
    lc::PumpEvents();
    if (!g_layer.video || !lc::Screen() || w < 0 || h < 0 || w >= 16384 || h >= 16384) {
        lc::IdlePoll(site);
        return;
    }
    Video& v = *g_layer.video;
    const SDL_Rect r{x, y, w + 1, h + 1};
    double t = 0;
    if (v.decoder && !v.ended) {
        StartPlaying(v);
        std::unique_lock lock(v.m);
        t = Clock(v);
        if (v.headless) {
            lock.unlock();
            DecodeFor(v, t);
            lock.lock();
        } else {
            v.wake_decoder.notify_one();
        }
        TakeDue(v, t);
    }
    const bool moved = r.x != v.drawn.x || r.y != v.drawn.y || r.w != v.drawn.w || r.h != v.drawn.h;
    if (!v.fresh && !moved) {
        WakeForNext(v, t);
        lc::IdlePoll(site);
        return;
    }
    Draw(v, r);
    v.fresh = false;
    // The back buffer changed in the rectangle only: the rest of the screen
    // already shows what it holds.
    lc::ShowArea(r);
    v.drawn = r;
    // Under the harness a new picture keeps the program going round its
    // loop once more before the test's turn. With a window it is no input:
    // the loop's next poll may wait, until the next picture is due.
    if (v.headless) lc::PollFound();
}

int GetVideoCurrentTime() {
    if (!g_layer.video) return 0;
    Video& v = *g_layer.video;
    if (v.ended) return v.end_ms;
    if (!v.headless && !v.started) return 0;
    std::unique_lock lock(v.m);
    const double t = Clock(v);
    if (v.headless) {
        // The end may depend on what is left to decode.
        lock.unlock();
        DecodeFor(v, t);
        lock.lock();
    }
    const int ms = ToMs(t);
    const bool known = v.end_ms != INT_MAX;
    // The harness's clock alone says when a video of known length ends; in
    // real time the pictures and sound must also have been played out, so
    // that the last picture is seen.
    if (known && ms >= v.end_ms && (v.headless || PlayedOut(v))) {
        Finish(v, ms);
    } else if (!known && PlayedOut(v) && t >= v.content_end - kEpsilon) {
        Finish(v, ms);
    }
    if (v.ended) return v.end_ms;
    return known ? std::min(ms, v.end_ms - 1) : ms;
}

int GetVideoEndTime() { return g_layer.video ? g_layer.video->end_ms : 0; }

void CloseVideo() { g_layer.video.reset(); }

// Sound: the feedback sounds and the questions' sound extracts (MP3, OGG,
// WAV), played one at a time through SDL2_mixer's music stream.
//
// A program starts a sound with PlaySnd and keeps calling it while it waits;
// each call says whether the sound has ended. Without a sound device, and
// always under the test harness, sounds are silent but still take their
// length, measured on the layer's clock, so that a program waiting for the
// end of a sound behaves the same.
#include <SDL_mixer.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "internal.h"
#include "lumicanvas.h"

namespace {

struct MusicDeleter {
    void operator()(Mix_Music* m) const { Mix_FreeMusic(m); }
};
using MusicPtr = std::unique_ptr<Mix_Music, MusicDeleter>;

// One sound started by PlaySnd and not yet stopped.
struct Sound {
    bool audible = false;  // playing on the device (else timed on the clock)
    bool ended = false;
    uint32_t end_ms = 0;   // silent sounds: when it ends on the layer's clock
    int last_result = 0;
};

// How soon a waiting program sees a heard sound end (the mixer tells no one).
constexpr uint32_t kAudibleEndPollMs = 20;

struct SoundState {
    bool open = false;     // InitSound was called and not closed
    bool silent = true;    // sounds are timed, not heard
    bool device = false;   // the mixer is open on a real device
    std::map<std::string, Sound> sounds;
    MusicPtr music;        // the audible sound now on the device
    std::string music_path;
};

SoundState g_snd;

// The silent stand-in for a device, opened when a silent sound first needs
// its length. Under the harness it stays open from one run to the next:
// opening a device costs a tenth of a second, each run of each test.
struct StandIn {
    bool tried = false;
    bool open = false;
};

StandIn g_stand_in;

bool OpenMixer() {
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG);
    return Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) == 0;
}

// The stand-in device: SDL's "dummy" driver plays nothing, yet lets the
// mixer decode files, which gives their length.
bool OpenSilentMixer() {
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG);
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    const bool started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    if (started && OpenMixer()) return true;
    if (started) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

void CloseStandIn() {
    if (g_stand_in.open) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    g_stand_in = StandIn{};
}

bool StandInReady() {
    if (!g_stand_in.tried) {
        g_stand_in.tried = true;
        g_stand_in.open = OpenSilentMixer();
        static const bool closed_at_exit = std::atexit(CloseStandIn) == 0;
        (void)closed_at_exit;
    }
    return g_stand_in.open;
}

bool Readable(const std::string& path) {
    SDL_RWops* f = SDL_RWFromFile(path.c_str(), "rb");
    if (!f) return false;
    SDL_RWclose(f);
    return true;
}

// How long a file plays, in milliseconds; -1 when it cannot be decoded.
long LengthMs(const std::string& name) {
    const std::string path = lc::NativePath(name.c_str());
    if (!Readable(path)) return -1;
    if (StandInReady()) {
        MusicPtr m(Mix_LoadMUS(path.c_str()));
        if (!m) return -1;
        const double seconds = Mix_MusicDuration(m.get());
        m.reset();
        // With a window the stand-in closes again: its thread would wake
        // the program's process every few tens of milliseconds for nothing.
        if (!lc::Headless()) CloseStandIn();
        if (seconds >= 0) return static_cast<long>(seconds * 1000.0 + 0.5);
    }
    // Without a mixer, a WAV file still tells its length.
    SDL_AudioSpec wav;
    Uint8* data = nullptr;
    Uint32 bytes = 0;
    if (!SDL_LoadWAV(path.c_str(), &wav, &data, &bytes)) return -1;
    SDL_FreeWAV(data);
    const long per_second = static_cast<long>(wav.freq) * wav.channels * (SDL_AUDIO_BITSIZE(wav.format) / 8);
    return per_second > 0 ? static_cast<long>(static_cast<long long>(bytes) * 1000 / per_second) : -1;
}

void HaltMusic() {
    if (!g_snd.music) return;
    Mix_HaltMusic();
    g_snd.music.reset();
    auto it = g_snd.sounds.find(g_snd.music_path);
    if (it != g_snd.sounds.end()) it->second.ended = true;
    g_snd.music_path.clear();
}

// Starts a sound; a file that cannot be played counts as ended at once.
Sound Begin(const std::string& path) {
    Sound s;
    if (lc::Headless()) lc::HarnessSound(path);
    if (!g_snd.silent) {
        MusicPtr m(Mix_LoadMUS(lc::NativePath(path.c_str()).c_str()));
        if (m) {
            HaltMusic();  // one sound at a time: a new one cuts the one before
            if (Mix_PlayMusic(m.get(), 0) == 0) {
                g_snd.music = std::move(m);
                g_snd.music_path = path;
                s.audible = true;
                return s;
            }
        }
        lc::Fail("Impossible de jouer le son %s : %s", path.c_str(), Mix_GetError());
        s.ended = true;
        return s;
    }
    const long length = LengthMs(path);
    if (length < 0) {
        lc::Fail("Impossible de jouer le son %s : fichier absent ou illisible", path.c_str());
        s.ended = true;
        return s;
    }
    s.end_ms = lc::NowMs() + static_cast<uint32_t>(length);
    return s;
}

bool Ended(Sound& s, const std::string& path) {
    if (s.ended) return true;
    if (s.audible) {
        s.ended = g_snd.music_path != path || !Mix_PlayingMusic();
    } else {
        s.ended = static_cast<int32_t>(lc::NowMs() - s.end_ms) >= 0;
    }
    return s.ended;
}

}  // namespace

int InitSound() {
    if (g_snd.open) return 1;
    g_snd.open = true;
    lc::CloseAtExit(&CloseSound);
    g_snd.silent = true;
    if (lc::Headless()) return 1;  // the harness's sounds are always silent
    CloseStandIn();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        if (OpenMixer()) {
            g_snd.device = true;
            g_snd.silent = false;
            return 1;
        }
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    lc::Fail("Pas de carte son (%s) : les sons seront muets", SDL_GetError());
    return 1;
}

void CloseSound() {
    if (!g_snd.open) return;
    HaltMusic();
    g_snd.sounds.clear();
    if (g_snd.device) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    if (!lc::Headless()) CloseStandIn();
    g_snd = SoundState{};
}

int PlaySnd(const char* path, int /*flags*/) {
    const void* site = __builtin_return_address(0);
    lc::PumpEvents();
    if (!path || !*path) {
        lc::Fail("PlaySnd : aucun fichier son donné");
        return 1;
    }
    if (!g_snd.open) InitSound();
    auto [it, started] = g_snd.sounds.try_emplace(path);
    Sound& s = it->second;
    if (started) {
        s = Begin(path);
        s.last_result = s.ended ? 1 : 0;
        return s.last_result;
    }
    const int result = Ended(s, path) ? 1 : 0;
    // Nothing changed since the last call: the waiting loop idles here, until
    // the sound's end at the latest.
    if (result == s.last_result) {
        if (!result) lc::WakeIn(s.audible ? kAudibleEndPollMs : s.end_ms - lc::NowMs());
        lc::IdlePoll(site);
    } else {
        lc::PollFound();
    }
    s.last_result = result;
    return result;
}

void StopSnd(const char* path) {
    if (!path) return;
    auto it = g_snd.sounds.find(path);
    if (it == g_snd.sounds.end()) return;
    if (g_snd.music_path == path) HaltMusic();
    g_snd.sounds.erase(path);
}

// Mouse and keyboard: the event pump, mouse areas, the click latch, the key
// buffer and line input.
//
// Every polling call gathers what happened first (PumpEvents) and, when it
// found nothing new, idles (IdlePoll): with a window it sleeps until the
// next event, or until the start of the next second (a countdown on the
// screen moves then), or until what the layer itself plays needs the
// program again (a video's next picture, the end of a sound), whichever
// comes first. A program waiting for a click thus wakes about once a second.
// Under the test harness it hands over to the test.
#include <algorithm>
#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "encodage.h"
#include "internal.h"
#include "lumicanvas.h"

namespace {

// Longest a waiting poll sleeps: an event ends the sleep at once, and so
// does the start of a new second, which a countdown watches, or the time
// another concern of the layer asked for (WakeIn).
constexpr Uint32 kIdleWaitMs = 1000;
// Without an event queue (no window) a poll cannot be woken: it looks again
// this often.
constexpr Uint32 kUnwakeableWaitMs = 20;
// A waiting loop usually polls several times a pass (a key? a click?): the
// poll that comes right after one that slept does not sleep again.
constexpr Uint32 kSleptJustNowMs = 2;
// How long a quick click (pressed and released between two polls) still
// shows to GetMouseButton: about as long as a press of the button lasts.
constexpr uint32_t kQuickClickMs = 250;
// Keys typed ahead beyond this are dropped, as a keyboard buffer would.
constexpr size_t kKeyBufferSize = 64;

struct Area {
    int x1, y1, x2, y2;
    bool Contains(int x, int y) const { return x >= x1 && x <= x2 && y >= y1 && y <= y2; }
};

struct InputState {
    int x = 0, y = 0;
    int buttons = 0;       // bit 0 left, bit 1 right, as they are now
    int unseen_press = 0;  // buttons pressed and released again before GetMouseButton looked
    uint32_t pressed_at = 0;  // when, on the layer's clock
    int clicks = 0;        // presses not yet reported by ClickMouse
    bool pointer_shown = true;
    std::vector<std::optional<Area>> areas;
    std::deque<int> keys;
    // The last results of the polls that idle when their answer repeats.
    int last_button = 0;
    int last_area = -1;
    int last_key_waiting = 0;
};

InputState g_in;
Uint32 g_asked_at = 0;  // when the window system was last asked for events

int ButtonBit(int button) { return button == 1 ? 1 : (button == 2 ? 2 : 0); }

void SetCursorShown(bool shown) {
    g_in.pointer_shown = shown;
    if (!lc::Headless() && SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

// --- Window events -------------------------------------------------------------------

// Window coordinates to back-buffer pixels. The display's renderer scales a
// full-screen window with a logical size, and SDL then hands out logical
// coordinates already; a window without one is mapped here.
void ToScreen(Uint32 window_id, int& x, int& y) {
    SDL_Window* window = SDL_GetWindowFromID(window_id);
    const SDL_Surface* screen = lc::Screen();
    if (!window || !screen) return;
    if (SDL_Renderer* r = SDL_GetRenderer(window)) {
        int lw = 0, lh = 0;
        SDL_RenderGetLogicalSize(r, &lw, &lh);
        if (lw > 0 && lh > 0) return;
    }
    int ww = 0, wh = 0;
    SDL_GetWindowSize(window, &ww, &wh);
    if (ww > 0 && wh > 0 && (ww != screen->w || wh != screen->h)) {
        x = static_cast<int>(static_cast<long long>(x) * screen->w / ww);
        y = static_cast<int>(static_cast<long long>(y) * screen->h / wh);
    }
}

// True for a key whose press also brings a text-input event: the character
// comes from that event, so the key itself is not buffered a second time.
bool TypesCharacter(const SDL_Keysym& k) {
    // Ctrl+letter types nothing; Ctrl+Alt is AltGr on Windows, which does.
    if ((k.mod & KMOD_GUI) || ((k.mod & KMOD_CTRL) && !(k.mod & KMOD_ALT))) return false;
    if (k.sym >= 32 && k.sym < 256 && k.sym != SDLK_DELETE) return true;
    switch (k.sym) {
        case SDLK_KP_DIVIDE: case SDLK_KP_MULTIPLY: case SDLK_KP_MINUS: case SDLK_KP_PLUS:
            return true;
        case SDLK_KP_0: case SDLK_KP_1: case SDLK_KP_2: case SDLK_KP_3: case SDLK_KP_4:
        case SDLK_KP_5: case SDLK_KP_6: case SDLK_KP_7: case SDLK_KP_8: case SDLK_KP_9:
        case SDLK_KP_PERIOD:
            return (k.mod & KMOD_NUM) != 0;
        default:
            return false;
    }
}

bool IsModifier(SDL_Scancode s) {
    return (s >= SDL_SCANCODE_LCTRL && s <= SDL_SCANCODE_RGUI) || s == SDL_SCANCODE_CAPSLOCK ||
           s == SDL_SCANCODE_NUMLOCKCLEAR || s == SDL_SCANCODE_SCROLLLOCK || s == SDL_SCANCODE_MODE;
}

void OnKeyDown(const SDL_Keysym& k) {
    switch (k.sym) {
        case SDLK_BACKSPACE: lc::InputKey(KEY_BACKSPACE); return;
        case SDLK_TAB: lc::InputKey(9); return;
        case SDLK_RETURN: case SDLK_RETURN2: case SDLK_KP_ENTER: lc::InputKey(KEY_ENTER); return;
        case SDLK_ESCAPE: lc::InputKey(KEY_ESCAPE); return;
        default: break;
    }
    if (TypesCharacter(k) || IsModifier(k.scancode)) return;
    lc::InputKey(256 + static_cast<int>(k.scancode));
}

void OnText(const char* utf8) {
    for (unsigned char c : lc::Utf8ToCp1252(utf8)) lc::InputKey(c);
}

// The window was uncovered or resized: it is shown again once the events
// at hand are all taken in (a window that opens brings several at once).
bool g_present_due = false;

void OnWindowEvent(const SDL_WindowEvent& w) {
    switch (w.event) {
        case SDL_WINDOWEVENT_EXPOSED: case SDL_WINDOWEVENT_SHOWN: case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            g_present_due = true;
            break;
        default:
            break;
    }
}

void PresentIfDue() {
    if (!g_present_due) return;
    g_present_due = false;
    lc::Present();
}

void HandleEvent(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT:
            ExitProgram(0);  // the window's close button ends the program cleanly
        case SDL_MOUSEMOTION: {
            int x = e.motion.x, y = e.motion.y;
            ToScreen(e.motion.windowID, x, y);
            lc::InputPointer(x, y);
            break;
        }
        case SDL_MOUSEBUTTONDOWN: case SDL_MOUSEBUTTONUP: {
            int x = e.button.x, y = e.button.y;
            ToScreen(e.button.windowID, x, y);
            lc::InputPointer(x, y);
            const int b = e.button.button == SDL_BUTTON_LEFT ? 1 : (e.button.button == SDL_BUTTON_RIGHT ? 2 : 0);
            if (b) lc::InputButton(b, e.type == SDL_MOUSEBUTTONDOWN);
            break;
        }
        case SDL_KEYDOWN: OnKeyDown(e.key.keysym); break;
        case SDL_TEXTINPUT: OnText(e.text.text); break;
        case SDL_WINDOWEVENT: OnWindowEvent(e.window); break;
        default: break;
    }
}

// Milliseconds until the calendar second (ClockSeconds) next changes.
Uint32 MsToNextSecond() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count() % 1000;
    return static_cast<Uint32>(1000 - ms);
}

bool EventsRunning() { return !lc::Headless() && SDL_WasInit(SDL_INIT_EVENTS) != 0; }

// Typed characters arrive as text-input events, which SDL sends only while
// text input is on; it stays on for the whole run.
void KeepTextInput() {
    if (SDL_WasInit(SDL_INIT_VIDEO) && !SDL_IsTextInputActive()) SDL_StartTextInput();
}

// Ends a polling call: idles when it found nothing new, else tells the
// harness that the program is busy again.
void Report(bool nothing_new, const void* site) {
    if (nothing_new) {
        lc::IdlePoll(site);
    } else {
        lc::PollFound();
    }
}

// The next waiting key, taken from the buffer; -1 when none waits.
int TakeKey() {
    if (g_in.keys.empty()) return -1;
    const int k = g_in.keys.front();
    g_in.keys.pop_front();
    return k;
}

}  // namespace

// --- The layer's side ---------------------------------------------------------------------

namespace lc {

void InputPointer(int x, int y) {
    g_in.x = x;
    g_in.y = y;
}

void InputButton(int button, bool down) {
    const int bit = ButtonBit(button);
    if (!bit) return;
    if (down) {
        if (!(g_in.buttons & bit)) ++g_in.clicks;
        g_in.buttons |= bit;
        g_in.unseen_press |= bit;
        g_in.pressed_at = lc::NowMs();
    } else {
        g_in.buttons &= ~bit;
    }
}

void InputKey(int code) {
    if (g_in.keys.size() < kKeyBufferSize) g_in.keys.push_back(code);
}

void PumpEvents() {
    if (Headless()) {
        HarnessPump();
        return;
    }
    if (!EventsRunning()) return;
    KeepTextInput();
    // Asking the window system costs more than the rest of a poll: the polls
    // of one pass of a loop, and the poll after an idle wait (which asked it
    // on waking), share one asking per millisecond.
    const Uint32 now = SDL_GetTicks();
    if (now != g_asked_at) {
        SDL_PumpEvents();
        g_asked_at = now;
    }
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) HandleEvent(e);
    PresentIfDue();
}

// When a poll last found something, on SDL's clock.
static Uint32 g_found_at = 0;
// How long the next idle wait may last at most, as asked by WakeIn since the
// last one; kIdleWaitMs when nothing asked.
static Uint32 g_wake_in = kIdleWaitMs;

void WakeIn(uint32_t ms) { g_wake_in = std::min<Uint32>(g_wake_in, ms); }

void PollFound() {
    if (Headless()) {
        HarnessFound();
        return;
    }
    g_found_at = SDL_GetTicks();
}

void IdlePoll(const void* site) {
    if (Headless()) {
        HarnessIdle(site);
        return;
    }
    static Uint32 woke_at = 0;
    static bool slept = false;
    if (slept && SDL_GetTicks() - woke_at < kSleptJustNowMs) {
        slept = false;
        return;
    }
    // The program is answering what an earlier poll of this pass found (a
    // click it now places in an answer box): it must not wait here.
    if (SDL_GetTicks() - g_found_at < kSleptJustNowMs) return;
    const Uint32 wait = std::min(g_wake_in, MsToNextSecond() + 1);
    g_wake_in = kIdleWaitMs;
    if (!EventsRunning()) {
        SDL_Delay(std::min(wait, kUnwakeableWaitMs));
    } else {
        // Returns at once when an event comes; the next poll sees its effect.
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, static_cast<int>(wait))) HandleEvent(e);
        PresentIfDue();
    }
    woke_at = SDL_GetTicks();
    g_asked_at = woke_at;
    slept = true;
}

}  // namespace lc

namespace lc {

std::vector<std::array<int, 4>> MouseAreas() {
    std::vector<std::array<int, 4>> out;
    for (const auto& a : g_in.areas)
        if (a) out.push_back({a->x1, a->y1, a->x2, a->y2});
    return out;
}

}  // namespace lc

// --- Mouse ----------------------------------------------------------------------------------

void InitMouse() {
    lc::CloseAtExit(&CloseMouse);
    g_in.areas.clear();
    g_in.clicks = 0;
    g_in.unseen_press = 0;
    g_in.last_button = 0;
    g_in.last_area = -1;
    SetCursorShown(true);
}

void CloseMouse() {
    g_in.areas.clear();
    g_in.clicks = 0;
    g_in.unseen_press = 0;
    // A button still held when a program ends is not held in the next one.
    g_in.buttons = 0;
    g_in.keys.clear();
    SetCursorShown(true);
}

int DefineMouseArea(int x1, int y1, int x2, int y2) {
    const Area area{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    auto& areas = g_in.areas;
    auto free = std::find_if(areas.begin(), areas.end(), [](const auto& a) { return !a; });
    if (free != areas.end()) {
        *free = area;
        return static_cast<int>(free - areas.begin());
    }
    areas.push_back(area);
    return static_cast<int>(areas.size() - 1);
}

void DestroyMouseArea(int number) {
    auto& areas = g_in.areas;
    if (number < 0 || number >= static_cast<int>(areas.size())) return;
    areas[static_cast<size_t>(number)].reset();
    while (!areas.empty() && !areas.back()) areas.pop_back();
}

int GetMouseArea() {
    lc::PumpEvents();
    int found = -1;
    for (size_t i = 0; i < g_in.areas.size(); ++i) {
        if (g_in.areas[i] && g_in.areas[i]->Contains(g_in.x, g_in.y)) {
            found = static_cast<int>(i);
            break;
        }
    }
    Report(found == g_in.last_area, __builtin_return_address(0));
    g_in.last_area = found;
    return found;
}

int GetMouseButton() {
    lc::PumpEvents();
    // A press already released again still shows once, so that a quick click
    // between two polls is not missed by a loop that watches the buttons; but
    // not a press long gone, made while the program was busy elsewhere.
    const bool recent = lc::NowMs() - g_in.pressed_at <= kQuickClickMs;
    const int state = g_in.buttons | (recent ? g_in.unseen_press : 0);
    g_in.unseen_press = 0;
    Report(state == g_in.last_button, __builtin_return_address(0));
    g_in.last_button = state;
    return state;
}

int ClickMouse() {
    lc::PumpEvents();
    if (g_in.clicks > 0) {
        --g_in.clicks;
        // The click is seen: GetMouseButton no longer reports it once released.
        g_in.unseen_press &= g_in.buttons;
        lc::PollFound();
        return 1;
    }
    lc::IdlePoll(__builtin_return_address(0));
    return 0;
}

int GetMouseX() {
    lc::PumpEvents();
    return g_in.x;
}

int GetMouseY() {
    lc::PumpEvents();
    return g_in.y;
}

void HideMouse() { SetCursorShown(false); }
void ShowMouse() { SetCursorShown(true); }

namespace lc {
bool PointerShown() { return g_in.pointer_shown; }
}  // namespace lc

// --- Keyboard ----------------------------------------------------------------------------

int KeyPressed() {
    lc::PumpEvents();
    const int waiting = g_in.keys.empty() ? 0 : 1;
    Report(waiting == g_in.last_key_waiting, __builtin_return_address(0));
    g_in.last_key_waiting = waiting;
    return waiting;
}

int GetKeyPressed() {
    lc::PumpEvents();
    const int key = TakeKey();
    Report(key < 0, __builtin_return_address(0));
    return key;
}

int ReadKey() {
    const void* site = __builtin_return_address(0);
    for (;;) {
        lc::PumpEvents();
        const int key = TakeKey();
        if (key >= 0) {
            lc::PollFound();
            return key;
        }
        lc::IdlePoll(site);
    }
}

void ClearKeyBuf() {
    lc::PumpEvents();
    g_in.keys.clear();
}

// --- Line input ------------------------------------------------------------------------------

namespace {

// The UTF-8 bytes of a Windows-1252 character; "" for the five codes that
// stand for no character.
std::string Cp1252ToUtf8(int code) {
    const char byte = static_cast<char>(static_cast<unsigned char>(code));
    return Utf8De1252(std::string_view(&byte, 1), Indefinis::Omis);
}

// The echo of a line being typed: what lay under the line is kept so that
// each change puts it back and draws the text again, with a caret after it.
class LineEcho {
public:
    LineEcho(int x, int y) : x_(x), y_(y) {
        SDL_Surface* screen = lc::Screen();
        if (!screen) return;
        const int h = TextHeight();
        band_ = {std::max(x, 0), std::max(y, 0), 0, h + h / 3 + 2};
        band_.w = screen->w - band_.x;
        band_.h = std::min(band_.h, screen->h - band_.y);
        if (band_.w <= 0 || band_.h <= 0) return;
        under_.reset(SDL_CreateRGBSurfaceWithFormat(0, band_.w, band_.h, 32, screen->format->format));
        if (!under_) return;
        SDL_Rect from = band_;
        SDL_BlitSurface(screen, &from, under_.get(), nullptr);
    }

    void Show(const std::string& text, bool caret) {
        SDL_Surface* screen = lc::Screen();
        if (!screen) return;
        if (under_) {
            SDL_Rect to = band_;
            SDL_BlitSurface(under_.get(), nullptr, screen, &to);
        }
        if (!text.empty()) lc::DrawTextAt(x_, y_, text.c_str());
        if (caret) {
            SDL_Rect bar{x_ + Width(text) + 1, y_, std::max(2, TextHeight() / 12), TextHeight()};
            SDL_FillRect(screen, &bar, lc::CurrentPixel());
        }
        lc::Drawn();
        ShowScreen();
    }

    int Width(const std::string& text) const { return text.empty() ? 0 : TextLength(text.c_str()); }
    int x() const { return x_; }
    int y() const { return y_; }

private:
    int x_, y_;
    SDL_Rect band_{};
    lc::SurfacePtr under_;
};

}  // namespace

int ReadLn(char* buffer, int size, int (*accept)(int ch)) {
    if (!buffer || size <= 0) return 0;
    buffer[0] = '\0';
    const void* site = __builtin_return_address(0);
    const bool utf8 = lc::TextIsUtf8();  // the text format chosen by SetUFormat
    LineEcho echo(lc::CurrentTextX(), lc::CurrentTextY());
    std::string text;
    std::vector<size_t> widths;  // bytes of each character, for Backspace
    echo.Show(text, true);
    for (;;) {
        lc::PumpEvents();
        const int key = TakeKey();
        if (key < 0) {
            lc::IdlePoll(site);
            continue;
        }
        lc::PollFound();
        if (key == KEY_ENTER) break;
        if (key == KEY_BACKSPACE) {
            if (widths.empty()) continue;
            text.resize(text.size() - widths.back());
            widths.pop_back();
            echo.Show(text, true);
            continue;
        }
        // Escape, Tab and the keys that type nothing have no meaning in a line.
        if (key < 32 || key == 127 || key > 255) continue;
        if (accept && !accept(key)) continue;
        const std::string ch = utf8 ? Cp1252ToUtf8(key) : std::string(1, static_cast<char>(key));
        if (ch.empty() || text.size() + ch.size() > static_cast<size_t>(size - 1)) continue;
        text += ch;
        widths.push_back(ch.size());
        echo.Show(text, true);
    }
    echo.Show(text, false);
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = '\0';
    lc::SetCurrentTextPosition(echo.x() + echo.Width(text), echo.y());
    return static_cast<int>(widths.size());
}

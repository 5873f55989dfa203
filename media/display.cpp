// The display: LCConfig.txt, the window, the back buffer, the palette, errors.
//
// Every drawing call draws into one persistent back buffer (an XRGB8888
// surface the size of the screen). The window shows it through a streaming
// texture: in mode 4 (the game) at each ShowScreen(), in mode 3 (the
// configuration tool) after every drawing call. Headless (the test harness)
// there is only the back buffer.
#include "lumicanvas.h"
#include "internal.h"
#include "lcconfig.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

struct WindowDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};
struct RendererDeleter {
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
};
struct TextureDeleter {
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};
using WindowPtr = std::unique_ptr<SDL_Window, WindowDeleter>;
using RendererPtr = std::unique_ptr<SDL_Renderer, RendererDeleter>;
using TexturePtr = std::unique_ptr<SDL_Texture, TextureDeleter>;

constexpr const char* kTitle = "Pivolette";
constexpr int kHeadlessDesktopW = 1920;
constexpr int kHeadlessDesktopH = 1080;

// Everything the display holds between InitGraph and CloseGraph; CloseGraph
// releases it in a safe order.
struct Display {
    WindowPtr window;
    RendererPtr renderer;
    TexturePtr texture;
    lc::SurfacePtr screen;
    RendererPtr shapes;
    bool immediate = false;  // mode 3: every drawing call is shown at once
    bool unshown = true;     // drawn into since the whole back buffer was last uploaded
    bool keeps_frame = false;  // the renderer's picture outlives a present (software)
};

Display g_display;
bool g_headless = false;
bool g_error_boxes = false;
uint32_t g_colour = 0xFFFFFF;  // 0xRRGGBB of the current colour

// --- The palette --------------------------------------------------------------

// A 6-bit VGA DAC level as an 8-bit level (63 -> 255).
constexpr uint32_t Dac(int v) { return static_cast<uint32_t>((v << 2) | (v >> 4)); }
constexpr uint32_t Rgb6(int r, int g, int b) { return Dac(r) << 16 | Dac(g) << 8 | Dac(b); }

// One block of 24 hues of the VGA default palette: from blue through
// magenta, red, yellow, green and cyan back towards blue, the levels running
// between `lo` and `hi` in four steps.
void FillHueBlock(std::array<uint32_t, 256>& p, int first, const int (&step)[5]) {
    const int lo = step[0];
    const int hi = step[4];
    for (int i = 0; i < 4; ++i) {
        p[first + i] = Rgb6(step[i], lo, hi);            // blue -> magenta
        p[first + 4 + i] = Rgb6(hi, lo, step[4 - i]);    // magenta -> red
        p[first + 8 + i] = Rgb6(hi, step[i], lo);        // red -> yellow
        p[first + 12 + i] = Rgb6(step[4 - i], hi, lo);   // yellow -> green
        p[first + 16 + i] = Rgb6(lo, hi, step[i]);       // green -> cyan
        p[first + 20 + i] = Rgb6(lo, step[4 - i], hi);   // cyan -> blue
    }
}

std::array<uint32_t, 256> MakePalette() {
    std::array<uint32_t, 256> p{};
    const uint32_t classic[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA,
                                  0xAA5500, 0xAAAAAA, 0x555555, 0x5555FF, 0x55FF55, 0x55FFFF,
                                  0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
    for (int i = 0; i < 16; ++i) p[i] = classic[i];
    const int greys[16] = {0, 5, 8, 11, 14, 17, 20, 24, 28, 32, 36, 40, 45, 50, 56, 63};
    for (int i = 0; i < 16; ++i) p[16 + i] = Rgb6(greys[i], greys[i], greys[i]);
    const int blocks[9][5] = {{0, 16, 31, 47, 63},  {31, 39, 47, 55, 63}, {45, 49, 54, 58, 63},
                              {0, 7, 14, 21, 28},   {14, 17, 21, 24, 28}, {20, 22, 24, 26, 28},
                              {0, 4, 8, 12, 16},    {8, 10, 12, 14, 16},  {11, 12, 13, 15, 16}};
    for (int b = 0; b < 9; ++b) FillHueBlock(p, 32 + 24 * b, blocks[b]);
    // 248..255 stay black.
    return p;
}

const std::array<uint32_t, 256> kPalette = MakePalette();

// --- LCConfig.txt -------------------------------------------------------------------

struct Size {
    int w;
    int h;
};
// The sizes of codes 1..8 (5 and 6 in this order: 1400 x 1050 before 1280 x 1024).
constexpr Size kStandardSizes[8] = {{320, 200},   {640, 480},   {800, 600},   {1024, 768},
                                    {1400, 1050}, {1280, 1024}, {1600, 1200}, {2048, 1536}};
constexpr int kMinWidth = 320;
constexpr int kMinHeight = 200;

bool Fits(Size s, int desktop_w, int desktop_h) {
    return s.w >= kMinWidth && s.h >= kMinHeight && s.w <= desktop_w && s.h <= desktop_h;
}

// The largest standard size (by area) that fits; the desktop itself when none does.
Size LargestFitting(int desktop_w, int desktop_h) {
    Size best{0, 0};
    for (Size s : kStandardSizes) {
        if (Fits(s, desktop_w, desktop_h) && s.w * s.h > best.w * best.h) best = s;
    }
    if (best.w == 0) best = {std::max(desktop_w, 1), std::max(desktop_h, 1)};
    return best;
}

// --- Presenting -------------------------------------------------------------------

bool MakeTexture();

// Copies the back buffer into the texture, which then holds what is shown.
// The texture is made on the first upload, once the first screen is drawn:
// the passing buffers of that screen's pictures and the texture, each as
// large as the screen, are then never held at once.
bool Upload() {
    Display& d = g_display;
    if (!d.screen || !d.renderer || (!d.texture && !MakeTexture())) return false;
    if (SDL_UpdateTexture(d.texture.get(), nullptr, d.screen->pixels, d.screen->pitch) != 0) return false;
    d.unshown = false;
    return true;
}

// Draws the texture on the window (letterboxed when the window is larger).
bool Render() {
    Display& d = g_display;
    if (!d.renderer || !d.texture) return false;
    SDL_SetRenderDrawColor(d.renderer.get(), 0, 0, 0, 255);
    SDL_RenderClear(d.renderer.get());
    if (SDL_RenderCopy(d.renderer.get(), d.texture.get(), nullptr, nullptr) != 0) return false;
    SDL_RenderPresent(d.renderer.get());
    return true;
}

bool MakeTexture() {
    Display& d = g_display;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    d.texture.reset(SDL_CreateTexture(d.renderer.get(), SDL_PIXELFORMAT_RGB888,
                                      SDL_TEXTUREACCESS_STREAMING, d.screen->w, d.screen->h));
    return d.texture != nullptr;
}

// Opens the window and its renderer for a back buffer of w x h.
bool OpenWindow(const lc::DisplaySize& size, int desktop_w, int desktop_h) {
    Display& d = g_display;
    if (size.full_screen) {
        // A borderless window covering the desktop works without a window
        // manager too; the back buffer is scaled onto it, keeping its shape.
        d.window.reset(SDL_CreateWindow(kTitle, 0, 0, desktop_w, desktop_h,
                                        SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN));
    } else {
        d.window.reset(SDL_CreateWindow(kTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        size.width, size.height, SDL_WINDOW_SHOWN));
    }
    if (!d.window) return false;
    // Everything is drawn in software into the back buffer: the renderer only
    // copies it to the window. SDL's software renderer starts in a fraction of
    // a millisecond and presents fast, where an OpenGL one costs tens of
    // milliseconds to start and, on a machine without a graphics card
    // (software OpenGL), slower presents. SDL_RENDER_DRIVER still overrides.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // No vsync: the configuration tool presents after each of its drawing calls.
    d.renderer.reset(SDL_CreateRenderer(d.window.get(), -1, 0));
    if (!d.renderer) d.renderer.reset(SDL_CreateRenderer(d.window.get(), -1, SDL_RENDERER_SOFTWARE));
    if (!d.renderer) return false;
    SDL_RenderSetLogicalSize(d.renderer.get(), size.width, size.height);
    SDL_RendererInfo info{};
    d.keeps_frame = SDL_GetRendererInfo(d.renderer.get(), &info) == 0 && std::strcmp(info.name, "software") == 0;
    if (size.full_screen) SDL_RaiseWindow(d.window.get());
    return true;
}

bool DesktopSize(int& w, int& h) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0 || mode.w <= 0 || mode.h <= 0) return false;
    w = mode.w;
    h = mode.h;
    return true;
}

// Starts SDL's video subsystem once for the process. SDL falls back to its
// invisible "offscreen" driver when no real display answers: that is no
// display for a pupil, so unless it was asked for, try again for a moment
// (an X server may be resetting) and then give up.
bool StartVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    const bool offscreen_asked = asked && std::strstr(asked, "offscreen");
    // With no display named at all there is nothing to wait for.
    const bool named = SDL_getenv("DISPLAY") || SDL_getenv("WAYLAND_DISPLAY");
    const int attempts = named ? 20 : 1;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (attempt > 0) SDL_Delay(100);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) continue;
        const char* driver = SDL_GetCurrentVideoDriver();
        if (offscreen_asked || !driver || std::strcmp(driver, "offscreen") != 0) return true;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_SetError("aucun écran graphique ne répond");
    }
    lc::Fail("Impossible d'ouvrir l'affichage : %s", SDL_GetError());
    return false;
}

void SeedAtStart() {
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    lc::SeedRandom(static_cast<unsigned>(now) ^ static_cast<unsigned>(SDL_GetPerformanceCounter()));
}

// Opens the display for the settings; false (with the reason recorded) when
// no display could be opened.
bool Open(const lc::DisplaySettings& settings) {
    Display& d = g_display;
    int desktop_w = kHeadlessDesktopW;
    int desktop_h = kHeadlessDesktopH;
    if (!g_headless) {
        if (!StartVideo()) return false;
        if (!DesktopSize(desktop_w, desktop_h)) {
            desktop_w = 800;
            desktop_h = 600;
        }
    }
    const lc::DisplaySize size = lc::ChooseDisplaySize(settings, desktop_w, desktop_h);
    if (!size.fallback.empty()) lc::Fail("%s", size.fallback.c_str());
    d.screen.reset(SDL_CreateRGBSurfaceWithFormat(0, size.width, size.height, 32,
                                                  SDL_PIXELFORMAT_RGB888));
    if (!d.screen) {
        lc::Fail("Impossible de créer l'écran de %d x %d : %s", size.width, size.height,
                 SDL_GetError());
        return false;
    }
    SDL_FillRect(d.screen.get(), nullptr, 0);
    d.shapes.reset(SDL_CreateSoftwareRenderer(d.screen.get()));
    if (!d.shapes) {
        lc::Fail("Impossible de dessiner sur l'écran : %s", SDL_GetError());
        return false;
    }
    if (!g_headless && !OpenWindow(size, desktop_w, desktop_h)) {
        lc::Fail("Impossible d'ouvrir la fenêtre de %d x %d : %s", size.width, size.height,
                 SDL_GetError());
        return false;
    }
    return true;
}


// --- Message boxes ------------------------------------------------------------------

struct FontDeleter {
    void operator()(TTF_Font* f) const { TTF_CloseFont(f); }
};

constexpr int kBoxChars = 60;  // characters per line in the system's box, which does not wrap

// The wrapped text's lines rendered one by one, in black.
std::vector<lc::SurfacePtr> RenderLines(TTF_Font* font, const std::string& lines) {
    std::vector<lc::SurfacePtr> out;
    const SDL_Color black{0, 0, 0, 255};
    for (std::size_t start = 0; start <= lines.size();) {
        std::size_t end = lines.find('\n', start);
        if (end == std::string::npos) end = lines.size();
        const std::string line = lines.substr(start, end - start);
        // An empty line (between two paragraphs) still takes a line's height.
        out.emplace_back(TTF_RenderUTF8_Blended(font, line.empty() ? " " : line.c_str(), black));
        if (!out.back()) return {};
        start = end + 1;
    }
    return out;
}

// The box's picture for a font of `points`: the text wrapped in black on
// light grey within 6/10 of the screen's width, each line centred, a dark
// frame, and "OK" under it. nullptr when the font fails or the box would not
// fit the screen. Each line is rendered alone, so that the box is as wide as
// its longest line (SDL_ttf's own wrapping makes a text of several lines as
// wide as the wrapping width, whatever its lines).
lc::SurfacePtr BoxPictureAt(const std::string& font_bytes, const std::string& utf8, int points,
                            int screen_w, int screen_h) {
    SDL_RWops* rw = SDL_RWFromConstMem(font_bytes.data(), static_cast<int>(font_bytes.size()));
    std::unique_ptr<TTF_Font, FontDeleter> font(rw ? TTF_OpenFontRW(rw, 1, points) : nullptr);
    if (!font) return nullptr;
    const int wrap = std::max(100, screen_w * 6 / 10);
    // Wrapped here, by the text's real width: a long word (a file's path)
    // is cut too, never left to run past the box's edge.
    const std::string lines = lc::WrapText(utf8.empty() ? " " : utf8, [&](const std::string& line) {
        int w = 0;
        int h = 0;
        return TTF_SizeUTF8(font.get(), line.c_str(), &w, &h) == 0 && w <= wrap;
    });
    const std::vector<lc::SurfacePtr> text = RenderLines(font.get(), lines);
    lc::SurfacePtr ok(TTF_RenderUTF8_Blended(font.get(), "OK", SDL_Color{0, 0, 0, 255}));
    if (text.empty() || !ok) return nullptr;
    const int line_h = TTF_FontLineSkip(font.get());
    int text_w = 0;
    for (const auto& line : text) text_w = std::max(text_w, line->w);
    const int text_h = line_h * static_cast<int>(text.size());
    const int pad = points;
    const int w = std::max(text_w, ok->w + 2 * pad) + 2 * pad;
    const int h = text_h + ok->h + 3 * pad;
    if (w > screen_w || h > screen_h) return nullptr;
    lc::SurfacePtr box(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888));
    if (!box) return nullptr;
    const SDL_Rect whole{0, 0, w, h};
    const int frame = std::max(2, points / 8);
    const SDL_Rect inside{frame, frame, w - 2 * frame, h - 2 * frame};
    SDL_FillRect(box.get(), &whole, SDL_MapRGB(box->format, 40, 40, 40));
    SDL_FillRect(box.get(), &inside, SDL_MapRGB(box->format, 224, 224, 224));
    for (std::size_t i = 0; i < text.size(); ++i) {
        SDL_Rect at{(w - text[i]->w) / 2, pad + line_h * static_cast<int>(i), text[i]->w, text[i]->h};
        SDL_BlitSurface(text[i].get(), nullptr, box.get(), &at);
    }
    SDL_Rect at{(w - ok->w) / 2, h - pad - ok->h, ok->w, ok->h};
    const SDL_Rect button{at.x - pad, at.y - pad / 4, ok->w + 2 * pad, ok->h + pad / 2};
    const SDL_Rect button_inside{button.x + 1, button.y + 1, button.w - 2, button.h - 2};
    SDL_FillRect(box.get(), &button, SDL_MapRGB(box->format, 40, 40, 40));
    SDL_FillRect(box.get(), &button_inside, SDL_MapRGB(box->format, 245, 245, 245));
    SDL_BlitSurface(ok.get(), nullptr, box.get(), &at);
    return box;
}

// The box's picture, in a smaller font when a long message would not fit
// the screen in the usual one. nullptr when no font can be had.
lc::SurfacePtr MakeBoxPicture(const std::string& utf8, int screen_w, int screen_h) {
    std::string bytes;
    if (!lc::ReadFromArchive("fonts/DejaVuSans.ttf", bytes)) return nullptr;
    for (int points = std::max(10, screen_h / 32);; points = points * 4 / 5) {
        if (lc::SurfacePtr box = BoxPictureAt(bytes, utf8, points, screen_w, screen_h)) return box;
        if (points <= 6) return nullptr;
    }
}

bool ClosesTheBox(const SDL_Event& e) {
    if (e.type == SDL_MOUSEBUTTONDOWN) return true;
    if (e.type != SDL_KEYDOWN) return false;
    const SDL_Keycode k = e.key.keysym.sym;
    return k == SDLK_RETURN || k == SDLK_KP_ENTER || k == SDLK_ESCAPE || k == SDLK_SPACE;
}

// Whether the box must be drawn again: the window was uncovered or resized.
bool Uncovers(const SDL_Event& e) {
    if (e.type != SDL_WINDOWEVENT) return false;
    const Uint8 w = e.window.event;
    return w == SDL_WINDOWEVENT_EXPOSED || w == SDL_WINDOWEVENT_SHOWN || w == SDL_WINDOWEVENT_RESTORED ||
           w == SDL_WINDOWEVENT_SIZE_CHANGED;
}

// A box drawn over the window when the system shows none (no dialog
// program, no fonts for the X server): shown over the last presented
// picture until a click or Enter, Escape or Space; the picture then comes
// back. It sleeps between two events and draws itself again only when the
// window was uncovered.
bool DrawnBox(const std::string& utf8) {
    Display& d = g_display;
    if (!d.renderer || !d.screen) return false;
    if (TTF_Init() != 0) return false;
    bool shown = false;
    if (!d.texture) Upload();  // a box before the first screen was shown
    if (lc::SurfacePtr picture = MakeBoxPicture(utf8, d.screen->w, d.screen->h)) {
        TexturePtr texture(SDL_CreateTextureFromSurface(d.renderer.get(), picture.get()));
        const SDL_Rect where{(d.screen->w - picture->w) / 2, (d.screen->h - picture->h) / 2, picture->w,
                             picture->h};
        for (bool open = texture != nullptr, draw = true; open;) {
            if (draw) {
                SDL_RenderCopy(d.renderer.get(), d.texture.get(), nullptr, nullptr);
                SDL_RenderCopy(d.renderer.get(), texture.get(), nullptr, &where);
                SDL_RenderPresent(d.renderer.get());
                shown = true;
            }
            SDL_Event e;
            draw = false;
            if (!SDL_WaitEventTimeout(&e, 1000)) continue;
            if (e.type == SDL_QUIT) SDL_PushEvent(&e);  // the program still sees it
            open = !(ClosesTheBox(e) || e.type == SDL_QUIT);
            draw = Uncovers(e);
        }
    }
    TTF_Quit();
    // The key that closed the box must not reach the program as typed text.
    SDL_PumpEvents();
    SDL_FlushEvent(SDL_TEXTINPUT);
    Render();
    return shown;
}

}  // namespace

namespace lc {

SDL_Surface* Screen() { return g_display.screen.get(); }
SDL_Renderer* ShapeRenderer() { return g_display.shapes.get(); }
SDL_Window* Window() { return g_display.window.get(); }
uint32_t CurrentPixel() { return g_colour; }  // XRGB8888: the pixel is 0x00RRGGBB
bool Headless() { return g_headless; }
void SetHeadless(bool headless) { g_headless = headless; }
bool ErrorBoxes() { return g_error_boxes; }

// One box for each different error: a screen that retries a missing picture
// on every poll must not bury the pupil under boxes.
void BoxOnce(const std::string& error) {
    static std::set<std::string> boxed;
    if (g_error_boxes && !g_headless && boxed.insert(error).second) ShowBox(error, true);
}
// Errors are boxed once a program can open a window, that is once this file is in it.
[[maybe_unused]] const bool g_boxes_hooked = (SetFailureBox(&BoxOnce), true);

void Drawn() {
    g_display.unshown = true;
    if (g_display.immediate && Upload()) Render();
}

void ShowArea(const SDL_Rect& area) {
    Display& d = g_display;
    if (!d.screen) return;
    if (g_headless) {
        lc::HarnessPresented();
        return;
    }
    const SDL_Rect all{0, 0, d.screen->w, d.screen->h};
    SDL_Rect r{};
    if (d.unshown || !d.texture || !d.keeps_frame) {
        if (Upload()) Render();
        return;
    }
    if (!SDL_IntersectRect(&area, &all, &r)) return;
    const auto* from = static_cast<const uint8_t*>(d.screen->pixels) + static_cast<ptrdiff_t>(r.y) * d.screen->pitch +
                       static_cast<ptrdiff_t>(r.x) * d.screen->format->BytesPerPixel;
    // Only the area goes to the texture and the window's picture; the rest
    // of the window keeps what it showed.
    if (SDL_UpdateTexture(d.texture.get(), &r, from, d.screen->pitch) != 0 ||
        SDL_RenderCopy(d.renderer.get(), d.texture.get(), &r, &r) != 0) {
        if (Upload()) Render();
        return;
    }
    SDL_RenderPresent(d.renderer.get());
}

void Present() {
    Display& d = g_display;
    if (!d.renderer) return;
    if (Render()) return;
    // No texture yet, or the renderer lost it (a device reset): show the
    // back buffer.
    if ((!d.texture || MakeTexture()) && Upload()) Render();
}

std::string WrapText(const std::string& utf8, const std::function<bool(const std::string&)>& fits) {
    auto starts_character = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
    std::string out;
    std::size_t start = 0;
    while (start <= utf8.size()) {
        std::size_t end = utf8.find('\n', start);
        if (end == std::string::npos) end = utf8.size();
        std::string line;
        std::size_t k = start;
        while (k < end) {
            // The next word and the spaces before it.
            std::size_t word_end = utf8.find(' ', utf8.find_first_not_of(' ', k));
            if (word_end == std::string::npos || word_end > end) word_end = end;
            const std::string word = utf8.substr(k, word_end - k);
            if (fits(line + word)) {
                line += word;
                k = word_end;
                continue;
            }
            if (!line.empty()) {  // the word starts the next line
                out += line + "\n";
                line.clear();
                k = utf8.find_first_not_of(' ', k);
                if (k == std::string::npos || k > end) k = end;
                continue;
            }
            // A word longer than a line: as many characters as fit (one at least).
            std::size_t cut = k + 1;
            while (cut < word_end && !starts_character(utf8[cut])) ++cut;
            for (std::size_t next = cut; next < word_end;) {
                std::size_t after = next + 1;
                while (after < word_end && !starts_character(utf8[after])) ++after;
                if (!fits(utf8.substr(k, after - k))) break;
                cut = next = after;
            }
            out += utf8.substr(k, cut - k) + "\n";
            k = cut;
        }
        out += line;
        if (end < utf8.size()) out += "\n";
        start = end + 1;
    }
    return out;
}

bool ShowBox(const std::string& utf8_text, bool error) {
    const Uint32 kind = error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    // The system's box shows each line whole, however wide: wrapped first.
    const std::string wrapped = WrapText(utf8_text, [](const std::string& line) {
        std::size_t characters = 0;
        for (char c : line) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        return characters <= kBoxChars;
    });
    if (SDL_ShowSimpleMessageBox(kind, kTitle, wrapped.c_str(), g_display.window.get()) == 0) return true;
    return DrawnBox(utf8_text);
}

DisplaySettings ReadDisplaySettings(const char* path) {
    // One bounded read, with the parser Tamarel uses too (lcconfig.h).
    const ConfigAffichage c = LitFichierConfig(NativePath(path));
    DisplaySettings s;
    s.width = c.largeur;
    s.height = c.hauteur;
    s.code = c.code;
    s.full_screen = c.plein_ecran;
    s.error_boxes = c.messages;
    s.problems = c.problemes;
    return s;
}

DisplaySize ChooseDisplaySize(const DisplaySettings& settings, int desktop_w, int desktop_h) {
    DisplaySize out;
    out.full_screen = settings.full_screen == 1;
    Size want{DisplaySettings{}.width, DisplaySettings{}.height};
    if (settings.code == 0) {
        want = {desktop_w, desktop_h};
    } else if (settings.code >= 1 && settings.code <= 8) {
        want = kStandardSizes[settings.code - 1];
    } else if (settings.code == 9) {
        want = {settings.width, settings.height};
    } else {  // an unknown code: the size of a missing file
        out.fallback = "RESOLUTION_PREDEFINIE=" + std::to_string(settings.code) +
                       " n'est pas un code de 0 à 9";
    }
    if (!Fits(want, desktop_w, desktop_h)) {
        if (!out.fallback.empty()) out.fallback += " ; ";
        out.fallback += "la résolution " + std::to_string(want.w) + " x " + std::to_string(want.h) +
                        " ne peut pas être affichée sur cet écran de " + std::to_string(desktop_w) +
                        " x " + std::to_string(desktop_h);
        want = LargestFitting(desktop_w, desktop_h);
    }
    out.width = want.w;
    out.height = want.h;
    if (out.fallback.rfind("la ", 0) == 0) out.fallback[0] = 'L';
    if (!out.fallback.empty()) {
        out.fallback += " : affichage en " + std::to_string(want.w) + " x " + std::to_string(want.h) + ".";
    }
    return out;
}

}  // namespace lc

// --- Start and stop ---------------------------------------------------------------------

int InitGraph(int mode, int /*a*/, int /*b*/) {
    CloseGraph();
    const std::string config = CheminLCConfig();
    const lc::DisplaySettings settings = lc::ReadDisplaySettings(config.c_str());
    g_error_boxes = settings.error_boxes == 1;
    if (!settings.problems.empty()) lc::Fail("%s : %s", config.c_str(), settings.problems.c_str());
    g_display.immediate = mode == 3;
    g_colour = kPalette[15];
    if (!Open(settings)) {
        CloseGraph();
        return 0;
    }
    if (!g_headless) SeedAtStart();
    // Show the black screen at once rather than whatever the window held.
    if (Upload()) Render();
    return 1;
}

void SpriteMode(int /*on*/) {}
void DrawingMode(int /*on*/) {}

void CloseGraph() {
    CloseVideo();  // a video draws on the screen: it ends with it
    Display& d = g_display;
    d.shapes.reset();  // before the surface it draws on
    d.screen.reset();
    d.texture.reset();  // before its renderer, and the renderer before its window
    d.renderer.reset();
    d.window.reset();
    // The video subsystem stays for the rest of the process: closing the
    // connection to the X server and opening it again at once may meet the
    // server resetting (as Xvfb does when its last client leaves).
    d.immediate = false;
}

namespace {

std::vector<void (*)()>& ClosedAtExit() {
    static std::vector<void (*)()> closers;
    return closers;
}

}  // namespace

void lc::CloseAtExit(void (*close)()) {
    auto& closers = ClosedAtExit();
    if (std::find(closers.begin(), closers.end(), close) == closers.end()) closers.push_back(close);
}

[[noreturn]] void ExitProgram(int code) {
    if (g_headless) lc::HarnessExit(code);
    for (void (*close)() : ClosedAtExit()) close();
    CloseFont();
    CloseGraph();
    std::exit(code);
}

// --- Screen and colour --------------------------------------------------------------------

int GetMaxX() { return g_display.screen ? g_display.screen->w - 1 : 0; }
int GetMaxY() { return g_display.screen ? g_display.screen->h - 1 : 0; }

void Clear() {
    if (!g_display.screen) return;
    SDL_FillRect(g_display.screen.get(), nullptr, 0);
    lc::Drawn();
}

void ShowScreen() {
    if (!g_display.screen) return;
    if (g_headless) {
        lc::HarnessPresented();
        return;
    }
    if (Upload()) Render();
}

void SetColor(int index) {
    if (index < 0 || index > 255) {
        lc::Fail("SetColor(%d) : la palette va de 0 à 255", index);
        return;
    }
    g_colour = kPalette[index];
}

void SetColorRGB(int r, int g, int b) {
    auto level = [](int v) { return static_cast<uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
    g_colour = level(r) << 16 | level(g) << 8 | level(b);
}

uint32_t PaletteRGB(int index) { return index >= 0 && index <= 255 ? kPalette[index] : 0; }

uint32_t GetPixelRGB(int x, int y) {
    const SDL_Surface* s = g_display.screen.get();
    if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return 0;
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) +
                                                        static_cast<ptrdiff_t>(y) * s->pitch);
    return lc::ToRGB(row[x]);
}

void Message(const char* text) {
    const std::string utf8 = lc::ToUtf8(text ? text : "");
    if (lc::Headless()) {
        lc::HarnessMessage(utf8);
        return;
    }
    if (!lc::ShowBox(utf8, false)) std::fprintf(stderr, "%s\n", utf8.c_str());  // the text is not lost
}

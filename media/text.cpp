// Text of the media layer: the DejaVu fonts from the program's archive,
// drawn with SDL_ttf onto the back buffer in the current colour.
//
// - Texts arrive as Windows-1252 bytes (U_ASCII8, the default) or UTF-8
//   (U_UTF8) and are always handed to SDL_ttf as UTF-8, since its other
//   calls read Latin-1, which lacks the euro sign, the curly quotes, oe...
//   The five bytes Windows-1252 leaves undefined (0x81 0x8D 0x8F 0x90 0x9D)
//   are shown as '?', so that a damaged quiz line stays visible as such.
//   In UTF-8 a byte that starts no valid sequence is read as Windows-1252:
//   a data file saved in the other encoding still reads correctly.
// - A text height is the height of one line in pixels (TextHeight() gives it
//   back exactly); each font is opened at the largest size whose line fits.
// - The glyphs are rendered anti-aliased (SDL_ttf "blended") in white once,
//   kept in a small cache, and laid onto the back buffer in the current
//   colour: nearly opaque pixels are written exactly in that colour, the
//   edges are mixed with what lies below.
// - Style marks (OutCenterTextXY, TextLength): "#i" italic, "#b" bold,
//   "#u" underlined add their style to the run that follows; a "#" that is
//   not a mark ends the styled run (back to the SetFontAttribute style);
//   "##" is one "#" drawn; a "#" while no styled run is open is drawn as it
//   stands ("Question #3").
// - Every text call leaves the current position just after the drawn text
//   (top right of its line), where Text() goes on.
#include <SDL_ttf.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "encodage.h"
#include "internal.h"
#include "pictures.h"
#include "lumicanvas.h"

namespace {

// ---------------------------------------------------------------------------
// Fonts
// ---------------------------------------------------------------------------

constexpr int kStyleBold = 1;
constexpr int kStyleItalic = 2;
constexpr int kStyleUnderline = 4;
constexpr int kMinHeight = 4;
constexpr int kMaxHeight = 400;
constexpr int kDefaultHeight = 18;
// No screen is wider: a run beyond this is not rendered (its glyphs would
// take hundreds of megabytes).
constexpr int kMaxRunWidth = 16384;
constexpr std::array<int, 6> kPresetHeights = {14, 18, 24, 30, 40, 56};  // on 768 rows

// The four faces, by the bold (1) and italic (2) bits of a style.
constexpr std::array<const char*, 4> kFaceFiles = {
    "fonts/DejaVuSans.ttf", "fonts/DejaVuSans-Bold.ttf", "fonts/DejaVuSans-Oblique.ttf",
    "fonts/DejaVuSans-BoldOblique.ttf"};

struct FontCloser {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};
using FontPtr = std::unique_ptr<TTF_Font, FontCloser>;

// An opened font and what it needs to draw a line of `height` pixels.
struct OpenFont {
    FontPtr font;
    int synthetic_style = 0;  // TTF_STYLE_BOLD/ITALIC when its face is missing
    int line_height = 0;      // TTF_FontHeight, at most the asked height
};

// A run of text in one style, as UTF-8 ready for SDL_ttf.
struct Run {
    int style = 0;
    std::string utf8;
};

// A rendered run, cached: its advance and, once drawn, its white glyphs.
struct Rendered {
    int width = 0;
    lc::SurfacePtr glyphs;  // ARGB8888, alpha = coverage; null until drawn
};

class RenderCache {
public:
    // The entry for a run, measured (the width) on its first use.
    Rendered* Find(const std::string& key) {
        auto it = index_.find(key);
        if (it == index_.end()) return nullptr;
        order_.splice(order_.begin(), order_, it->second);
        return &it->second->second;
    }
    Rendered* Add(const std::string& key, Rendered value) {
        order_.emplace_front(key, std::move(value));
        index_[key] = order_.begin();
        Trim();
        return &order_.front().second;
    }
    // Counts the bytes of glyphs just attached to an entry, and forgets the
    // least recently used entries beyond the budget.
    // The freshest entry (the one just used) is never forgotten.
    void Charge(const Rendered* added) {
        if (added->glyphs) bytes_ += Bytes(*added);
        Trim();
    }
    void Clear() {
        index_.clear();
        order_.clear();
        bytes_ = 0;
    }

private:
    void Trim() {
        while ((bytes_ > kBudgetBytes || order_.size() > kMaxEntries) && order_.size() > 1) {
            bytes_ -= Bytes(order_.back().second);
            index_.erase(order_.back().first);
            order_.pop_back();
        }
    }
    static size_t Bytes(const Rendered& r) {
        return r.glyphs ? static_cast<size_t>(r.glyphs->pitch) * r.glyphs->h : 0;
    }
    static constexpr size_t kBudgetBytes = 24u << 20;
    static constexpr size_t kMaxEntries = 2048;
    std::list<std::pair<std::string, Rendered>> order_;
    std::unordered_map<std::string, std::list<std::pair<std::string, Rendered>>::iterator> index_;
    size_t bytes_ = 0;
};

struct TextState {
    bool ttf_started = false;
    bool loaded = false;                      // the regular face at least
    std::array<std::string, 4> face_bytes;    // font files, kept alive for SDL_ttf
    std::array<bool, 4> face_tried{};         // a styled face is read on its first use
    std::string archive;                      // where InitFont found the fonts
    std::map<std::pair<int, int>, OpenFont> fonts;  // (face, height)
    RenderCache cache;
    int format = U_ASCII8;
    int height = kDefaultHeight;
    int attribute = 0;
    int x = 0;
    int y = 0;
    std::array<std::array<char, 16>, 8> numbers{};
    int next_number = 0;
};

TextState& State() {
    static TextState state;
    return state;
}

int ScreenRows() {
    int rows = GetMaxY() + 1;
    return rows > 1 ? rows : 768;
}

void ForgetFonts() {
    TextState& s = State();
    s.cache.Clear();
    s.fonts.clear();
    for (auto& bytes : s.face_bytes) bytes.clear();
    s.face_tried = {};
    s.loaded = false;
    if (s.ttf_started) {
        TTF_Quit();
        s.ttf_started = false;
    }
}

TTF_Font* OpenAt(const std::string& bytes, int point_size) {
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    return rw ? TTF_OpenFontRW(rw, 1, point_size) : nullptr;
}

// Sets the largest point size whose line is at most `height` pixels.
void FitHeight(TTF_Font* font, int height, int point_size) {
    while (point_size > 1 && TTF_FontHeight(font) > height) TTF_SetFontSize(font, --point_size);
    while (true) {
        TTF_SetFontSize(font, point_size + 1);
        if (TTF_FontHeight(font) > height) break;
        ++point_size;
    }
    TTF_SetFontSize(font, point_size);
}

// Reads a styled face from the archive the first time it is asked for: a
// screen in one style never reads (nor keeps) the other three files.
void ReadFace(TextState& s, int face) {
    if (s.face_tried[face]) return;
    s.face_tried[face] = true;
    std::string& bytes = s.face_bytes[face];
    std::string why;
    const bool usable = lc::ReadArchiveFile(s.archive, kFaceFiles[face], bytes, why) &&
                        FontPtr(OpenAt(bytes, 12)) != nullptr;
    if (!usable) {
        // Not fatal: the style is then imitated from the regular face.
        lc::Fail("InitFont: the font %s is missing or unreadable; its style is imitated", kFaceFiles[face]);
        bytes.clear();
    }
}

// The font of a face (bold and italic bits) for lines of `height` pixels;
// nullptr without fonts. A missing styled face is imitated from the regular.
OpenFont* FontFor(int face, int height) {
    TextState& s = State();
    if (!s.loaded) return nullptr;
    auto key = std::make_pair(face, height);
    auto it = s.fonts.find(key);
    if (it != s.fonts.end()) return &it->second;
    if (s.fonts.size() >= 64) s.fonts.clear();  // many sizes met: start afresh

    OpenFont open;
    ReadFace(s, face);
    int source = s.face_bytes[face].empty() ? 0 : face;
    // DejaVu Sans lines are about 1.16 of the point size.
    int estimate = std::max(1, height * 100 / 116);
    open.font.reset(OpenAt(s.face_bytes[source], estimate));
    if (!open.font) return nullptr;
    FitHeight(open.font.get(), height, estimate);
    if (source != face) {
        if (face & kStyleBold) open.synthetic_style |= TTF_STYLE_BOLD;
        if (face & kStyleItalic) open.synthetic_style |= TTF_STYLE_ITALIC;
    }
    open.line_height = TTF_FontHeight(open.font.get());
    return &s.fonts.emplace(key, std::move(open)).first->second;
}

void SetStyle(OpenFont& open, int style) {
    int wanted = open.synthetic_style | ((style & kStyleUnderline) ? TTF_STYLE_UNDERLINE : 0);
    if (TTF_GetFontStyle(open.font.get()) != wanted) TTF_SetFontStyle(open.font.get(), wanted);
}

std::string CacheKey(const Run& run, int height) {
    std::string key;
    key.reserve(run.utf8.size() + 8);
    key += static_cast<char>('0' + run.style);
    key += std::to_string(height);
    key += ':';
    key += run.utf8;
    return key;
}

// The cached entry of a run at the current height, measured; nullptr
// without fonts.
Rendered* Lookup(const Run& run) {
    TextState& s = State();
    std::string key = CacheKey(run, s.height);
    if (Rendered* found = s.cache.Find(key)) return found;
    OpenFont* open = FontFor(run.style & (kStyleBold | kStyleItalic), s.height);
    if (!open) return nullptr;
    Rendered r;
    if (!run.utf8.empty()) {
        SetStyle(*open, run.style);
        int h = 0;
        if (TTF_SizeUTF8(open->font.get(), run.utf8.c_str(), &r.width, &h) != 0) r.width = 0;
    }
    return s.cache.Add(key, std::move(r));
}

// A width for when no font could be loaded: layouts still get numbers of
// the right order of size.
int GuessWidth(const Run& run) {
    int characters = 0;
    for (unsigned char c : run.utf8) characters += (c & 0xC0) != 0x80;
    return characters * State().height * 11 / 20;
}

int RunWidth(const Run& run) {
    Rendered* r = Lookup(run);
    return r ? r->width : GuessWidth(run);
}

int RunsWidth(const std::vector<Run>& runs) {
    int width = 0;
    for (const Run& run : runs) width += RunWidth(run);
    return width;
}

// ---------------------------------------------------------------------------
// Marks and runs
// ---------------------------------------------------------------------------

// The whole text in the current style, marks left as they stand.
std::vector<Run> PlainRuns(const char* text) {
    TextState& s = State();
    std::vector<Run> runs(1);
    runs[0].style = s.attribute;
    if (text) lc::ConvertToUtf8(text, text + std::strlen(text), s.format, true, runs[0].utf8);
    return runs;
}

int MarkStyle(char c) {
    switch (c) {
        case 'i': return kStyleItalic;
        case 'b': return kStyleBold;
        case 'u': return kStyleUnderline;
        default: return 0;
    }
}

// Splits a text into styled runs by its marks.
std::vector<Run> MarkedRuns(const char* text) {
    TextState& s = State();
    std::vector<Run> runs;
    if (!text) return runs;
    int base = s.attribute;
    int style = base;
    bool open = false;  // a mark started a run (which may add nothing to the base style)
    std::string pending;  // bytes of the run being gathered, in the text's format
    auto flush = [&] {
        if (pending.empty()) return;
        Run run;
        run.style = style;
        lc::ConvertToUtf8(pending.data(), pending.data() + pending.size(), s.format, true, run.utf8);
        runs.push_back(std::move(run));
        pending.clear();
    };
    for (const char* p = text; *p; ++p) {
        if (*p != '#') {
            pending += *p;
        } else if (p[1] == '#') {
            pending += '#';
            ++p;
        } else if (int added = MarkStyle(p[1])) {
            flush();
            style |= added;
            open = true;
            ++p;
        } else if (open) {
            flush();
            style = base;
            open = false;
        } else {
            pending += '#';
        }
    }
    flush();
    return runs;
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

// Coverage below this is left out, above the other end drawn solid: faint
// fringes vanish and the insides of the strokes are exactly the colour.
constexpr int kFaint = 12;
constexpr int kSolid = 192;

uint32_t Mix(uint32_t under, uint32_t colour, int alpha, const SDL_PixelFormat* f) {
    uint8_t r0, g0, b0, r1, g1, b1;
    SDL_GetRGB(under, f, &r0, &g0, &b0);
    SDL_GetRGB(colour, f, &r1, &g1, &b1);
    auto mix = [alpha](int a, int b) { return static_cast<uint8_t>((b * alpha + a * (255 - alpha) + 127) / 255); };
    return SDL_MapRGB(f, mix(r0, r1), mix(g0, g1), mix(b0, b1));
}

// Lays white glyphs (alpha = coverage) at (x, y) of the back buffer in the
// current colour, inside the screen's clipping rectangle.
void Compose(const SDL_Surface* glyphs, int x, int y) {
    SDL_Surface* screen = lc::Screen();
    if (!screen || !glyphs || screen->format->BytesPerPixel != 4) return;
    SDL_Rect clip;
    SDL_GetClipRect(screen, &clip);
    int x0 = std::max(x, clip.x), x1 = std::min(x + glyphs->w, clip.x + clip.w);
    int y0 = std::max(y, clip.y), y1 = std::min(y + glyphs->h, clip.y + clip.h);
    if (x0 >= x1 || y0 >= y1) return;
    uint32_t colour = lc::CurrentPixel();
    bool locked = SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) == 0;
    for (int row = y0; row < y1; ++row) {
        auto src = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(glyphs->pixels) +
                                                     (row - y) * glyphs->pitch);
        auto dst = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(screen->pixels) +
                                               row * screen->pitch);
        for (int col = x0; col < x1; ++col) {
            int alpha = static_cast<int>(src[col - x] >> 24);
            if (alpha < kFaint) continue;
            dst[col] = alpha >= kSolid ? colour : Mix(dst[col], colour, alpha, screen->format);
        }
    }
    if (locked) SDL_UnlockSurface(screen);
}

// Draws one run with its line's top at `top`; returns its advance.
int DrawRun(const Run& run, int x, int top) {
    Rendered* r = Lookup(run);
    if (!r) return GuessWidth(run);
    if (run.utf8.empty()) return r->width;
    TextState& s = State();
    OpenFont* open = FontFor(run.style & (kStyleBold | kStyleItalic), s.height);
    if (!open) return r->width;
    if (r->width > kMaxRunWidth) {
        lc::Fail("Text: a line of %d pixels is too wide to draw", r->width);
        return r->width;
    }
    if (!r->glyphs) {
        SetStyle(*open, run.style);
        SDL_Surface* made = TTF_RenderUTF8_Blended(open->font.get(), run.utf8.c_str(), SDL_Color{255, 255, 255, 255});
        if (made && made->format->format != SDL_PIXELFORMAT_ARGB8888) {
            SDL_Surface* converted = SDL_ConvertSurfaceFormat(made, SDL_PIXELFORMAT_ARGB8888, 0);
            SDL_FreeSurface(made);
            made = converted;
        }
        r->glyphs.reset(made);
        s.cache.Charge(r);
    }
    Compose(r->glyphs.get(), x, top + (s.height - open->line_height) / 2);
    return r->width;
}

// Draws runs with the top-left of their line at (x, y) and leaves the
// current position just after them.
void DrawRuns(const std::vector<Run>& runs, int x, int y) {
    int advance = 0;
    std::string whole;
    for (const Run& run : runs) {
        advance += DrawRun(run, x + advance, y);
        whole += run.utf8;
    }
    if (lc::Headless()) lc::HarnessText(whole, x, y, advance, State().height, lc::ToRGB(lc::CurrentPixel()));
    State().x = x + advance;
    State().y = y;
    lc::Drawn();
}

void DrawCentred(const std::vector<Run>& runs, int x, int y) {
    DrawRuns(runs, x - RunsWidth(runs) / 2, y - State().height / 2);
}

}  // namespace

// ---------------------------------------------------------------------------
// The layer's own calls
// ---------------------------------------------------------------------------

namespace lc {

std::string ToUtf8(const char* text) {
    std::string out;
    if (text) ConvertToUtf8(text, text + std::strlen(text), State().format, false, out);
    return out;
}

void DrawTextAt(int x, int y, const char* text) {
    int keep_x = State().x, keep_y = State().y;
    DrawRuns(PlainRuns(text), x, y);
    State().x = keep_x;
    State().y = keep_y;
}

int PlainTextWidth(const char* text) { return RunsWidth(PlainRuns(text)); }

bool TextIsUtf8() { return State().format == U_UTF8; }

int CurrentTextX() { return State().x; }
int CurrentTextY() { return State().y; }

void SetCurrentTextPosition(int x, int y) {
    State().x = x;
    State().y = y;
}

}  // namespace lc

// ---------------------------------------------------------------------------
// The programs' calls
// ---------------------------------------------------------------------------

int InitFont() {
    ForgetFonts();
    TextState& s = State();
    if (TTF_Init() != 0) {
        lc::Fail("InitFont: SDL_ttf cannot start: %s", TTF_GetError());
        return 0;
    }
    s.ttf_started = true;
    // The regular face now, the styled ones when first drawn (ReadFace).
    if (!lc::ReadFromArchive(kFaceFiles[0], s.face_bytes[0])) {
        lc::Fail("InitFont: the font %s is missing from the archive %s; texts will not be drawn",
                 kFaceFiles[0], lc::FusedArchivePath().c_str());
        ForgetFonts();
        return 0;
    }
    FontPtr probe(OpenAt(s.face_bytes[0], 12));
    if (!probe) {
        lc::Fail("InitFont: the font %s of the archive %s cannot be read: %s", kFaceFiles[0],
                 lc::FusedArchivePath().c_str(), TTF_GetError());
        ForgetFonts();
        return 0;
    }
    s.face_tried[0] = true;
    s.archive = lc::FusedArchivePath();
    s.loaded = true;
    return 1;
}

void SetFontMode(int /*transparent*/) {
    // Texts are always drawn without a box behind them; nothing to record.
}

// Also puts the text settings back as a program finds them at its start, so
// that runs of the test harness in one process do not inherit each other's.
void CloseFont() {
    ForgetFonts();
    TextState& s = State();
    s.format = U_ASCII8;
    s.height = kDefaultHeight;
    s.attribute = 0;
    s.x = s.y = 0;
}

void SetUFormat(int format) {
    if (format == U_ASCII8 || format == U_UTF8) State().format = format;
}

void DimText(int preset) {
    preset = std::clamp(preset, 0, static_cast<int>(kPresetHeights.size()) - 1);
    SetDimText(std::max(6, kPresetHeights[preset] * ScreenRows() / 768));
}

void SetDimText(int height) { State().height = std::clamp(height, kMinHeight, kMaxHeight); }

void SetFontAttribute(int attribute) {
    if (attribute >= 0 && attribute <= 7) State().attribute = attribute;
}

int TextHeight() { return State().height; }

int TextLength(const char* text) { return RunsWidth(MarkedRuns(text)); }

void TextXY(int x, int y, const char* text) { DrawRuns(PlainRuns(text), x, y); }

void CenterTextXY(int x, int y, const char* text) { DrawCentred(PlainRuns(text), x, y); }

void OutCenterTextXY(int x, int y, const char* text) { DrawCentred(MarkedRuns(text), x, y); }

void Text(const char* text) { DrawRuns(PlainRuns(text), State().x, State().y); }

const char* NbToTxt(int n) {
    TextState& s = State();
    auto& buffer = s.numbers[s.next_number];
    s.next_number = (s.next_number + 1) % static_cast<int>(s.numbers.size());
    std::snprintf(buffer.data(), buffer.size(), "%d", n);
    return buffer.data();
}

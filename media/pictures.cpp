// Pictures and bitmaps: the screen art of the archives, the pictures of the
// quiz (thumbnails, full-screen views, animated GIFs) and the copies of
// screen rectangles that the screens save and put back.
//
// Every bitmap is 32-bit ARGB with straight alpha. Copies between bitmaps
// (Blit, StretchBlit, GetImage) replace pixels as they are; drawing on the
// screen blends, so a PNG icon with transparent corners shows the background
// behind it. Scaling is a separable triangle filter over premultiplied
// colours: bilinear when enlarging, an area average when shrinking, exact at
// the same size.
#include "lumicanvas.h"
#include "chemins.h"
#include "internal.h"
#include "pictures.h"

#include <SDL_image.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <vector>

namespace {

using lc::SurfacePtr;

// A picture file larger than this is not a quiz picture.
constexpr uintmax_t kMaxFileBytes = 256u * 1024 * 1024;
// Pictures up to 10 000 x 10 000 are decoded (then scaled down); larger ones
// are refused before decoding, so a hostile header cannot exhaust memory.
constexpr uint64_t kMaxDecodePixels = 100'000'000;
// The largest rectangle a picture is scaled onto.
constexpr int kMaxDrawSide = 16384;
constexpr uint64_t kMaxDrawPixels = 64'000'000;

SurfacePtr NewArgb(int w, int h) {
    return SurfacePtr(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
}

SurfacePtr ToArgb(SDL_Surface* surface) {
    return SurfacePtr(SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0));
}

uint32_t* Row(SDL_Surface* s, int y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
}
const uint32_t* Row(const SDL_Surface* s, int y) {
    return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) + y * s->pitch);
}

bool DrawableSize(int w, int h) {
    return w >= 1 && h >= 1 && w <= kMaxDrawSide && h <= kMaxDrawSide &&
           static_cast<uint64_t>(w) * static_cast<uint64_t>(h) <= kMaxDrawPixels;
}

// --- Scaling -------------------------------------------------------------------

// The source pixels that make one destination pixel along one axis.
struct Taps {
    int first = 0;
    std::vector<float> weights;
};

// Triangle filter taps for `dst` pixels taken from the source span
// [start, start + span), clamped to that span.
std::vector<Taps> AxisTaps(int start, int span, int dst) {
    std::vector<Taps> taps(static_cast<size_t>(dst));
    const double scale = static_cast<double>(span) / dst;
    const double radius = std::max(1.0, scale);
    for (int i = 0; i < dst; ++i) {
        const double centre = (i + 0.5) * scale;  // relative to start
        const int lo = static_cast<int>(std::ceil(centre - radius - 0.5));
        const int hi = static_cast<int>(std::floor(centre + radius - 0.5));
        Taps& t = taps[static_cast<size_t>(i)];
        t.first = std::clamp(lo, 0, span - 1);
        const int last = std::clamp(hi, 0, span - 1);
        t.weights.assign(static_cast<size_t>(last - t.first + 1), 0.0f);
        double total = 0;
        for (int j = lo; j <= hi; ++j) {
            const double w = 1.0 - std::abs(j + 0.5 - centre) / radius;
            if (w <= 0) continue;
            t.weights[static_cast<size_t>(std::clamp(j, 0, span - 1) - t.first)] +=
                static_cast<float>(w);
            total += w;
        }
        if (total <= 0) {  // cannot happen with radius >= 1; keep the nearest pixel
            t.weights.assign(1, 1.0f);
            t.first = std::clamp(static_cast<int>(centre), 0, span - 1);
            continue;
        }
        for (float& w : t.weights) w = static_cast<float>(w / total);
        t.first += start;
    }
    return taps;
}

// One source row resampled across: premultiplied A, R, G, B floats.
std::vector<float> ScaleRowAcross(const uint32_t* row, int first, int count,
                                  const std::vector<Taps>& across) {
    std::vector<float> pre(static_cast<size_t>(count) * 4);  // the row premultiplied
    for (int i = 0; i < count; ++i) {
        const uint32_t p = row[first + i];
        const float a = static_cast<float>(p >> 24);
        const float k = a / 255.0f;
        float* q = pre.data() + i * 4;
        q[0] = a;
        q[1] = k * static_cast<float>((p >> 16) & 0xFF);
        q[2] = k * static_cast<float>((p >> 8) & 0xFF);
        q[3] = k * static_cast<float>(p & 0xFF);
    }
    std::vector<float> out(across.size() * 4);
    for (size_t i = 0; i < across.size(); ++i) {
        const Taps& t = across[i];
        const float* q = pre.data() + (t.first - first) * 4;
        float a = 0, r = 0, g = 0, b = 0;
        for (const float w : t.weights) {
            a += w * q[0];
            r += w * q[1];
            g += w * q[2];
            b += w * q[3];
            q += 4;
        }
        float* o = out.data() + i * 4;
        o[0] = a;
        o[1] = r;
        o[2] = g;
        o[3] = b;
    }
    return out;
}

uint32_t Unpremultiply(float a, float r, float g, float b) {
    const auto byte = [](float v) {
        return v <= 0.0f ? 0u : v >= 254.5f ? 255u : static_cast<uint32_t>(v + 0.5f);
    };
    const uint32_t alpha = byte(a);
    if (alpha == 0) return 0;
    const float k = 255.0f / a;
    return alpha << 24 | byte(r * k) << 16 | byte(g * k) << 8 | byte(b * k);
}

// The rectangle `area` of an ARGB surface scaled to dw x dh. Rows are scaled
// across as they are needed and dropped once passed, so shrinking a very
// large picture needs only a few rows of working memory.
SurfacePtr Resample(const SDL_Surface* src, SDL_Rect area, int dw, int dh) {
    SurfacePtr out = NewArgb(dw, dh);
    if (!out) return nullptr;
    if (area.w == dw && area.h == dh) {
        for (int y = 0; y < dh; ++y)
            std::memcpy(Row(out.get(), y), Row(src, area.y + y) + area.x,
                        static_cast<size_t>(dw) * 4);
        return out;
    }
    const std::vector<Taps> across = AxisTaps(area.x, area.w, dw);
    const std::vector<Taps> down = AxisTaps(area.y, area.h, dh);
    std::deque<std::pair<int, std::vector<float>>> rows;  // source row, scaled across
    std::vector<float> sum(static_cast<size_t>(dw) * 4);
    for (int y = 0; y < dh; ++y) {
        const Taps& t = down[static_cast<size_t>(y)];
        const int last = t.first + static_cast<int>(t.weights.size()) - 1;
        while (!rows.empty() && rows.front().first < t.first) rows.pop_front();
        for (int r = rows.empty() ? t.first : rows.back().first + 1; r <= last; ++r)
            rows.emplace_back(r, ScaleRowAcross(Row(src, r), area.x, area.w, across));
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (size_t k = 0; k < t.weights.size(); ++k) {
            const float w = t.weights[k];
            const float* p = rows[k].second.data();
            for (size_t i = 0; i < sum.size(); ++i) sum[i] += w * p[i];
        }
        uint32_t* dst = Row(out.get(), y);
        for (int x = 0; x < dw; ++x) {
            const float* p = sum.data() + x * 4;
            dst[x] = Unpremultiply(p[0], p[1], p[2], p[3]);
        }
    }
    return out;
}

// --- Reading picture files ----------------------------------------------------

uint32_t Be32(const std::string& s, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(s[at])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[at + 2])) << 8 |
           static_cast<uint8_t>(s[at + 3]);
}
uint32_t Be16(const std::string& s, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(s[at])) << 8 |
           static_cast<uint8_t>(s[at + 1]);
}
uint32_t Le16(const std::string& s, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(s[at + 1])) << 8 |
           static_cast<uint8_t>(s[at]);
}
uint32_t Le24(const std::string& s, size_t at) {
    return Le16(s, at) | static_cast<uint32_t>(static_cast<uint8_t>(s[at + 2])) << 16;
}
uint32_t Le32(const std::string& s, size_t at) { return Le16(s, at) | Le16(s, at + 2) << 16; }

struct Size {
    uint64_t w = 0;
    uint64_t h = 0;
};

Size JpegSize(const std::string& s) {
    size_t at = 2;
    while (at + 9 < s.size()) {
        if (static_cast<uint8_t>(s[at]) != 0xFF) return {};
        const auto marker = static_cast<uint8_t>(s[at + 1]);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) return {Be16(s, at + 7), Be16(s, at + 5)};
        if (marker == 0xDA) return {};
        at += 2 + Be16(s, at + 2);
    }
    return {};
}

// The size a picture file's header announces; {0, 0} when the format is not
// one whose header is read here (the decoder then decides).
Size HeaderSize(const std::string& s) {
    if (s.size() >= 24 && s.compare(0, 8, "\x89PNG\r\n\x1A\n") == 0)
        return {Be32(s, 16), Be32(s, 20)};
    if (s.size() >= 10 && (s.compare(0, 6, "GIF87a") == 0 || s.compare(0, 6, "GIF89a") == 0))
        return {Le16(s, 6), Le16(s, 8)};
    if (s.size() >= 26 && s.compare(0, 2, "BM") == 0) {
        if (Le32(s, 14) == 12) return {Le16(s, 18), Le16(s, 20)};
        const auto h = static_cast<int32_t>(Le32(s, 22));
        return {Le32(s, 18), static_cast<uint64_t>(h < 0 ? -static_cast<int64_t>(h) : h)};
    }
    if (s.size() >= 4 && static_cast<uint8_t>(s[0]) == 0xFF && static_cast<uint8_t>(s[1]) == 0xD8)
        return JpegSize(s);
    if (s.size() >= 30 && s.compare(0, 4, "RIFF") == 0 && s.compare(8, 4, "WEBP") == 0) {
        if (s.compare(12, 4, "VP8 ") == 0) return {Le16(s, 26) & 0x3FFF, Le16(s, 28) & 0x3FFF};
        if (s.compare(12, 4, "VP8L") == 0) {
            const uint32_t bits = Le32(s, 21);
            return {(bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1};
        }
        if (s.compare(12, 4, "VP8X") == 0) return {Le24(s, 24) + 1uLL, Le24(s, 27) + 1uLL};
    }
    return {};
}

// The value of attribute `name` in the text of an element's opening tag.
std::string SvgAttribute(const std::string& tag, const std::string& name) {
    size_t at = std::string::npos;
    for (const char before : {' ', '\n', '\t', '\r'}) {  // attributes may follow a line break
        at = tag.find(before + name + "=");
        if (at != std::string::npos) break;
    }
    if (at == std::string::npos) return {};
    at += name.size() + 2;
    if (at >= tag.size() || (tag[at] != '"' && tag[at] != '\'')) return {};
    const size_t end = tag.find(tag[at], at + 1);
    return end == std::string::npos ? std::string() : tag.substr(at + 1, end - at - 1);
}

// An SVG length in pixels at 96 per inch; 0 for none, a percentage or an
// unknown unit.
double SvgLength(const std::string& text) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || v <= 0) return 0;
    const std::string unit(end);
    if (unit.empty() || unit == "px") return v;
    if (unit == "pt") return v * 96.0 / 72.0;
    if (unit == "pc") return v * 16.0;
    if (unit == "mm") return v * 96.0 / 25.4;
    if (unit == "cm") return v * 96.0 / 2.54;
    if (unit == "in") return v * 96.0;
    return 0;
}

// The intrinsic size of an SVG picture in pixels, from the width and height
// of its root element, else from its viewBox.
Size SvgSize(const std::string& svg) {
    const size_t open = svg.find("<svg");
    if (open == std::string::npos) return {};
    const std::string tag = svg.substr(open, svg.find('>', open) - open);
    double w = SvgLength(SvgAttribute(tag, "width"));
    double h = SvgLength(SvgAttribute(tag, "height"));
    double vx = 0, vy = 0, vw = 0, vh = 0;
    std::string box = SvgAttribute(tag, "viewBox");
    std::replace(box.begin(), box.end(), ',', ' ');
    if (std::sscanf(box.c_str(), "%lf %lf %lf %lf", &vx, &vy, &vw, &vh) == 4 && vw > 0 && vh > 0) {
        if (w <= 0 && h <= 0) {
            w = vw;
            h = vh;
        } else if (w <= 0) {
            w = h * vw / vh;
        } else if (h <= 0) {
            h = w * vh / vw;
        }
    }
    if (w <= 0 || h <= 0 || w > 1e9 || h > 1e9) return {};
    return {static_cast<uint64_t>(std::lround(std::max(1.0, w))),
            static_cast<uint64_t>(std::lround(std::max(1.0, h)))};
}

// The orientation a camera wrote in a JPEG's EXIF block (1 to 8; 1 upright),
// so that a photo taken with the phone turned shows the right way up.
int JpegOrientation(const std::string& s) {
    if (s.size() < 4 || static_cast<uint8_t>(s[0]) != 0xFF || static_cast<uint8_t>(s[1]) != 0xD8)
        return 1;
    for (size_t at = 2; at + 4 <= s.size();) {
        if (static_cast<uint8_t>(s[at]) != 0xFF) return 1;
        const auto marker = static_cast<uint8_t>(s[at + 1]);
        if (marker == 0xDA || marker == 0xD9) return 1;
        const size_t length = Be16(s, at + 2);
        if (marker == 0xE1 && length >= 16 && at + 2 + length <= s.size() &&
            s.compare(at + 4, 6, std::string("Exif\0\0", 6)) == 0) {
            const size_t tiff = at + 10, end = at + 2 + length;
            const bool little = s.compare(tiff, 2, "II") == 0;
            const auto u16 = [&](size_t p) { return little ? Le16(s, p) : Be16(s, p); };
            const auto u32 = [&](size_t p) { return little ? Le32(s, p) : Be32(s, p); };
            const size_t ifd = tiff + u32(tiff + 4);
            if (ifd + 2 > end) return 1;
            const size_t count = u16(ifd);
            for (size_t i = 0; i < count && ifd + 2 + 12 * i + 12 <= end; ++i) {
                const size_t entry = ifd + 2 + 12 * i;
                if (u16(entry) != 0x0112) continue;
                const int value = static_cast<int>(u16(entry + 8));
                return value >= 1 && value <= 8 ? value : 1;
            }
            return 1;
        }
        at += 2 + length;
    }
    return 1;
}

// The picture turned and flipped as an EXIF orientation says.
SurfacePtr Oriented(SurfacePtr picture, int orientation) {
    if (orientation <= 1 || orientation > 8) return picture;
    const int w = picture->w, h = picture->h;
    const bool turned = orientation >= 5;
    SurfacePtr out = NewArgb(turned ? h : w, turned ? w : h);
    if (!out) return picture;
    for (int y = 0; y < out->h; ++y) {
        uint32_t* row = Row(out.get(), y);
        for (int x = 0; x < out->w; ++x) {
            int sx = x, sy = y;
            switch (orientation) {
                case 2:
                    sx = w - 1 - x;
                    break;
                case 3:
                    sx = w - 1 - x;
                    sy = h - 1 - y;
                    break;
                case 4:
                    sy = h - 1 - y;
                    break;
                case 5:
                    sx = y;
                    sy = x;
                    break;
                case 6:
                    sx = y;
                    sy = h - 1 - x;
                    break;
                case 7:
                    sx = w - 1 - y;
                    sy = h - 1 - x;
                    break;
                default:
                    sx = w - 1 - y;
                    sy = x;
                    break;  // 8
            }
            row[x] = Row(picture.get(), sy)[sx];
        }
    }
    return out;
}

// The size a picture of w x h keeps once loaded: within MaxPictureSide().
std::pair<int, int> Fitted(uint64_t w, uint64_t h) {
    const uint64_t side = static_cast<uint64_t>(lc::MaxPictureSide());
    if (w <= side && h <= side) return {static_cast<int>(w), static_cast<int>(h)};
    const double k = static_cast<double>(side) / static_cast<double>(std::max(w, h));
    return {std::max(1, static_cast<int>(std::lround(static_cast<double>(w) * k))),
            std::max(1, static_cast<int>(std::lround(static_cast<double>(h) * k)))};
}

// Rasterises SVG source to cover w x h (its aspect kept), then to exactly w x h.
SurfacePtr RasteriseSvg(const std::string& svg, int w, int h) {
    SDL_RWops* rw = SDL_RWFromConstMem(svg.data(), static_cast<int>(svg.size()));
    const Size own = SvgSize(svg);
    int rw_w = w, rw_h = h;
    if (own.w > 0 && own.h > 0) {  // the library keeps the aspect: ask for a cover
        const double k = std::max(w / static_cast<double>(own.w), h / static_cast<double>(own.h));
        rw_w = std::max(1, static_cast<int>(std::ceil(static_cast<double>(own.w) * k - 1e-6)));
        rw_h = std::max(1, static_cast<int>(std::ceil(static_cast<double>(own.h) * k - 1e-6)));
    }
    SurfacePtr raw(rw ? IMG_LoadSizedSVG_RW(rw, rw_w, rw_h) : nullptr);
    if (rw) SDL_RWclose(rw);
    if (!raw) return nullptr;
    SurfacePtr argb = ToArgb(raw.get());
    if (!argb || (argb->w == w && argb->h == h)) return argb;
    return Resample(argb.get(), SDL_Rect{0, 0, argb->w, argb->h}, w, h);
}

std::unique_ptr<Bitmap> DecodeSvg(const std::string& bytes, const std::string& name) {
    const Size own = SvgSize(bytes);
    if (own.w == 0 || own.h == 0) {
        lc::Fail("Impossible de lire l'image \"%s\" : un SVG sans largeur, hauteur ni viewBox",
                 name.c_str());
        return nullptr;
    }
    const auto [w, h] = Fitted(own.w, own.h);
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->pixels = RasteriseSvg(bytes, w, h);
    if (!bitmap->pixels) {
        lc::Fail("Impossible de lire l'image \"%s\" : %s", name.c_str(), IMG_GetError());
        return nullptr;
    }
    bitmap->svg = bytes;
    return bitmap;
}

bool IsSvg(const std::string& bytes) {
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!rw) return false;
    const bool svg = IMG_isSVG(rw) != 0;
    SDL_RWclose(rw);
    return svg;
}

// Reads a whole picture file; false after lc::Fail when it cannot be used.
bool ReadPictureFile(const std::string& path, std::string& bytes) {
    const std::string utf8 = lc::NativePath(path.c_str());
    // Through a UTF-8 path: Windows opens it by its UTF-16 name.
    const std::filesystem::path file = CheminFs(utf8);
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec) {
        lc::Fail("Impossible de lire l'image \"%s\" : le fichier n'existe pas", path.c_str());
        return false;
    }
    if (size > kMaxFileBytes) {
        lc::Fail("Impossible de lire l'image \"%s\" : le fichier est trop gros (%llu octets)",
                 path.c_str(), static_cast<unsigned long long>(size));
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    bytes.assign(static_cast<size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) {
        lc::Fail("Impossible de lire l'image \"%s\" : le fichier est illisible", path.c_str());
        return false;
    }
    return true;
}

// Clips a copy of `from` (inside a src_w x src_h picture) to (dx, dy) of a
// dst_w x dst_h picture, in 64 bits so that any int is a fair argument;
// false when nothing is left to copy.
bool ClipCopy(SDL_Rect& from, int& dx, int& dy, int src_w, int src_h, int dst_w, int dst_h) {
    const auto cut = [](int64_t& s, int64_t& d, int64_t& len, int64_t s_size, int64_t d_size) {
        if (s < 0) {
            d -= s;
            len += s;
            s = 0;
        }
        if (d < 0) {
            s -= d;
            len += d;
            d = 0;
        }
        len = std::min({len, s_size - s, d_size - d});
        return len > 0;
    };
    int64_t sx = from.x, sy = from.y, w = from.w, h = from.h, x = dx, y = dy;
    if (!cut(sx, x, w, src_w, dst_w) || !cut(sy, y, h, src_h, dst_h)) return false;
    from = SDL_Rect{static_cast<int>(sx), static_cast<int>(sy), static_cast<int>(w),
                    static_cast<int>(h)};
    dx = static_cast<int>(x);
    dy = static_cast<int>(y);
    return true;
}

// --- Drawing on the screen ------------------------------------------------------

// Blends an ARGB surface onto the back buffer with its top-left corner at (x, y).
void DrawOnScreen(SDL_Surface* argb, int x, int y) {
    SDL_Surface* screen = lc::Screen();
    if (!screen || !argb) return;
    SDL_Rect from{0, 0, argb->w, argb->h};
    if (!ClipCopy(from, x, y, argb->w, argb->h, screen->w, screen->h)) return;
    SDL_SetSurfaceBlendMode(argb, SDL_BLENDMODE_BLEND);
    SDL_Rect to{x, y, from.w, from.h};
    SDL_BlitSurface(argb, &from, screen, &to);
    lc::Drawn();
}

// The whole bitmap at w x h: its pixels when that is its size, else its last
// rendition, made again when the size or the pixels changed. SVG pictures
// are rasterised at the size itself.
SDL_Surface* Rendition(const Bitmap& b, int w, int h) {
    // At its own size a picture is its pixels, an SVG too: they were
    // rasterised at that size (and drawing on them forgets the source).
    if (w == b.pixels->w && h == b.pixels->h) return b.pixels.get();
    if (b.rendition && b.rendition_w == w && b.rendition_h == h && b.rendition_version == b.version)
        return b.rendition.get();
    if (!DrawableSize(w, h)) {
        lc::Fail("Une image ne peut pas être dessinée sur %d x %d pixels", w, h);
        return nullptr;
    }
    b.rendition = b.svg.empty()
                      ? Resample(b.pixels.get(), SDL_Rect{0, 0, b.pixels->w, b.pixels->h}, w, h)
                      : RasteriseSvg(b.svg, w, h);
    b.rendition_w = w;
    b.rendition_h = h;
    b.rendition_version = b.version;
    return b.rendition.get();
}

// Draws a bitmap scaled onto (x, y)–(x + w, y + h), corners included.
void DrawAdjusted(const Bitmap& b, int x, int y, int w, int h) {
    if (w < 0 || h < 0 || w >= kMaxDrawSide || h >= kMaxDrawSide) return;
    DrawOnScreen(Rendition(b, w + 1, h + 1), x, y);
}

// Replaces the pixels of `dst` at (dx, dy) with `src`, clipped to dst.
void CopyInto(SDL_Surface* src, SDL_Rect from, Bitmap* dst, int dx, int dy) {
    SDL_Surface* pixels = dst->pixels.get();
    if (!ClipCopy(from, dx, dy, src->w, src->h, pixels->w, pixels->h)) return;
    SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_NONE);
    SDL_Rect to{dx, dy, from.w, from.h};
    SDL_BlitSurface(src, &from, pixels, &to);
    dst->svg.clear();  // its pixels no longer come from the vector source
    ++dst->version;
}

// --- Caches of picture files -------------------------------------------------------

// What identifies a file's content well enough to reuse what was read of it.
struct FileStamp {
    uintmax_t size = 0;
    std::filesystem::file_time_type time{};
    bool operator==(const FileStamp&) const = default;
};

bool Stamp(const std::string& path, FileStamp& stamp) {
    const std::string utf8 = lc::NativePath(path.c_str());
    const std::filesystem::path file = CheminFs(utf8);
    std::error_code ec;
    stamp.size = std::filesystem::file_size(file, ec);
    if (ec) return false;
    stamp.time = std::filesystem::last_write_time(file, ec);
    return !ec;
}

size_t Bytes(const Bitmap& b) {
    size_t n = static_cast<size_t>(b.pixels->h) * static_cast<size_t>(b.pixels->pitch);
    if (b.rendition)
        n += static_cast<size_t>(b.rendition->h) * static_cast<size_t>(b.rendition->pitch);
    return n + b.svg.size();
}

// Pictures drawn by ShowPictureAdjust, by path, least recently used first out.
class PictureCache {
public:
    // The picture at `path`, read again only when the file changed; nullptr
    // when it cannot be read (said once per path and file content).
    const Bitmap* Get(const std::string& path) {
        FileStamp stamp;
        const bool exists = Stamp(path, stamp);
        auto hit = entries_.find(path);
        if (hit != entries_.end() && exists && hit->second.stamp == stamp) {
            hit->second.used = ++clock_;
            return hit->second.bitmap.get();
        }
        if (hit != entries_.end()) entries_.erase(hit);
        auto bad = unreadable_.find(path);
        if (bad != unreadable_.end() && bad->second.first == exists &&
            (!exists || bad->second.second == stamp))
            return nullptr;
        std::string bytes;
        std::unique_ptr<Bitmap> bitmap;
        if (ReadPictureFile(path, bytes)) bitmap = lc::DecodePicture(bytes, path);
        if (!bitmap) {
            unreadable_[path] = {exists, stamp};
            return nullptr;
        }
        unreadable_.erase(path);
        Entry& e = entries_[path];
        e = Entry{stamp, std::move(bitmap), ++clock_};
        Trim(path);
        return e.bitmap.get();
    }
    // Keeps the cache within its budget after a picture grew a rendition.
    void Trim(const std::string& keep) {
        constexpr size_t kBudget = 128u * 1024 * 1024;
        for (;;) {
            size_t total = 0;
            auto oldest = entries_.end();
            for (auto it = entries_.begin(); it != entries_.end(); ++it) {
                total += Bytes(*it->second.bitmap);
                if (it->first != keep &&
                    (oldest == entries_.end() || it->second.used < oldest->second.used))
                    oldest = it;
            }
            if (total <= kBudget || oldest == entries_.end()) return;
            entries_.erase(oldest);
        }
    }

private:
    struct Entry {
        FileStamp stamp;
        std::unique_ptr<Bitmap> bitmap;
        uint64_t used = 0;
    };
    std::map<std::string, Entry> entries_;
    std::map<std::string, std::pair<bool, FileStamp>> unreadable_;
    uint64_t clock_ = 0;
};

PictureCache& Pictures() {
    static PictureCache cache;
    return cache;
}

// The frames of an animated GIF, each the whole picture as it shows.
struct Animation {
    std::vector<SurfacePtr> frames;
};

struct AnimationDeleter {
    void operator()(IMG_Animation* a) const { IMG_FreeAnimation(a); }
};

// Skips the data sub-blocks that start at `at`; the position after them, or
// npos when the file ends first.
size_t SkipSubBlocks(const std::string& s, size_t at) {
    while (at < s.size()) {
        const auto n = static_cast<uint8_t>(s[at]);
        at += 1 + n;
        if (n == 0) return at;
    }
    return std::string::npos;
}

// The number of pictures a GIF file holds (those it holds whole or in part).
uint64_t GifFrameCount(const std::string& s) {
    size_t at = 13;
    if (s.size() < at) return 0;
    if (static_cast<uint8_t>(s[10]) & 0x80) at += 3u << ((static_cast<uint8_t>(s[10]) & 7) + 1);
    uint64_t frames = 0;
    while (at < s.size()) {
        const auto block = static_cast<uint8_t>(s[at]);
        if (block == 0x21) {
            at = SkipSubBlocks(s, at + 2);
        } else if (block == 0x2C) {
            ++frames;
            if (at + 10 >= s.size()) break;
            const auto flags = static_cast<uint8_t>(s[at + 9]);
            at += 10;
            if (flags & 0x80) at += 3u << ((flags & 7) + 1);
            at = SkipSubBlocks(s, at + 1);
        } else {
            break;  // the trailer, or damage
        }
    }
    return frames;
}

// All the frames of an animation are held at once: this bounds their bytes.
constexpr uint64_t kMaxAnimationBytes = 512ull * 1024 * 1024;

std::unique_ptr<Animation> LoadAnimation(const std::string& path) {
    std::string bytes;
    if (!ReadPictureFile(path, bytes)) return nullptr;
    const Size size = HeaderSize(bytes);
    const uint64_t frames = std::max<uint64_t>(1, GifFrameCount(bytes));
    if (size.w * size.h > kMaxDecodePixels / 4 ||
        size.w * size.h * 4 * frames > kMaxAnimationBytes) {
        lc::Fail("Impossible de lire l'image \"%s\" : elle est trop grande (%llu x %llu, %llu images)",
                 path.c_str(), static_cast<unsigned long long>(size.w),
                 static_cast<unsigned long long>(size.h), static_cast<unsigned long long>(frames));
        return nullptr;
    }
    auto animation = std::make_unique<Animation>();
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    std::unique_ptr<IMG_Animation, AnimationDeleter> loaded(rw ? IMG_LoadAnimation_RW(rw, 1)
                                                               : nullptr);
    if (loaded) {
        for (int i = 0; i < loaded->count; ++i) {
            if (SurfacePtr frame = ToArgb(loaded->frames[i]))
                animation->frames.push_back(std::move(frame));
        }
    }
    if (animation->frames.empty()) {  // not animated, or damaged: a still picture if it reads
        auto still = lc::DecodePicture(bytes, path);
        if (!still) return nullptr;
        animation->frames.push_back(std::move(still->pixels));
    }
    return animation;
}

struct Gifs {
    std::map<std::string, std::unique_ptr<Animation>> loaded;
    std::set<std::string> unreadable;  // said once; FreeGIFS forgets them
};

Gifs& GifCache() {
    static Gifs gifs;
    return gifs;
}

}  // namespace

// --- The layer's own decoder ------------------------------------------------------

namespace lc {

std::unique_ptr<Bitmap> DecodePicture(const std::string& bytes, const std::string& name) {
    if (bytes.empty()) {
        Fail("Impossible de lire l'image \"%s\" : le fichier est vide", name.c_str());
        return nullptr;
    }
    if (IsSvg(bytes)) return DecodeSvg(bytes, name);
    const Size announced = HeaderSize(bytes);
    if (announced.w > 0 && (announced.h == 0 || announced.w * announced.h > kMaxDecodePixels)) {
        Fail("Impossible de lire l'image \"%s\" : elle est trop grande (%llu x %llu)", name.c_str(),
             static_cast<unsigned long long>(announced.w),
             static_cast<unsigned long long>(announced.h));
        return nullptr;
    }
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    SurfacePtr loaded(rw ? IMG_Load_RW(rw, 1) : nullptr);
    if (!loaded) {
        Fail("Impossible de lire l'image \"%s\" : %s", name.c_str(), IMG_GetError());
        return nullptr;
    }
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->pixels = ToArgb(loaded.get());
    if (!bitmap->pixels) {
        Fail("Impossible de lire l'image \"%s\" : %s", name.c_str(), SDL_GetError());
        return nullptr;
    }
    loaded.reset();
    const auto [w, h] =
        Fitted(static_cast<uint64_t>(bitmap->pixels->w), static_cast<uint64_t>(bitmap->pixels->h));
    if (w != bitmap->pixels->w || h != bitmap->pixels->h) {
        bitmap->pixels = Resample(bitmap->pixels.get(),
                                  SDL_Rect{0, 0, bitmap->pixels->w, bitmap->pixels->h}, w, h);
        if (!bitmap->pixels) {
            Fail("Impossible de lire l'image \"%s\" : mémoire insuffisante", name.c_str());
            return nullptr;
        }
    }
    bitmap->pixels = Oriented(std::move(bitmap->pixels), JpegOrientation(bytes));
    return bitmap;
}

}  // namespace lc

// --- Bitmaps -------------------------------------------------------------------

Bitmap* CreateBitmap(int w, int h) {
    if (w < 1 || h < 1 || !DrawableSize(w, h)) {
        if (w >= 1 && h >= 1) lc::Fail("CreateBitmap(%d, %d) : image trop grande", w, h);
        return nullptr;
    }
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->pixels = NewArgb(w, h);
    if (!bitmap->pixels) {
        lc::Fail("CreateBitmap : %s", SDL_GetError());
        return nullptr;
    }
    SDL_FillRect(bitmap->pixels.get(), nullptr, 0xFF000000u);
    return bitmap.release();
}

void DestroyBitmap(Bitmap* bitmap) {
    if (bitmap && bitmap->from_archive) {
        lc::Fail(
            "DestroyBitmap : une image d'archive est libérée avec son archive (UnloadDatafile)");
        return;
    }
    delete bitmap;
}

// An archive's object decoded on its first use; its file is dropped then.
Bitmap* DataBitmap(Datafile* data, int index) {
    if (!data || index < 0 || static_cast<size_t>(index) >= data->names.size()) return nullptr;
    const auto i = static_cast<size_t>(index);
    if (data->bitmaps[i]) return data->bitmaps[i].get();
    if (data->names[i].empty() || data->unreadable[i]) return nullptr;
    data->bitmaps[i] = lc::DecodePicture(data->bytes[i], data->path + ":" + data->names[i]);
    std::string().swap(data->bytes[i]);
    if (!data->bitmaps[i]) {
        data->unreadable[i] = true;
        return nullptr;
    }
    data->bitmaps[i]->from_archive = true;
    return data->bitmaps[i].get();
}

int BitmapWidth(const Bitmap* bitmap) { return bitmap ? bitmap->pixels->w : 0; }
int BitmapHeight(const Bitmap* bitmap) { return bitmap ? bitmap->pixels->h : 0; }

void Blit(const Bitmap* src, Bitmap* dst, int sx, int sy, int dx, int dy, int w, int h) {
    if (!src || !dst || w < 1 || h < 1) return;
    SDL_Rect from{sx, sy, w, h};
    if (src == dst) {  // an overlapping copy within one bitmap goes through a copy
        SurfacePtr copy(SDL_DuplicateSurface(src->pixels.get()));
        if (copy) CopyInto(copy.get(), from, dst, dx, dy);
        return;
    }
    CopyInto(src->pixels.get(), from, dst, dx, dy);
}

// The part `inside` of an SVG bitmap, rasterised at the scale kx, ky as an
// ow x oh picture.
SurfacePtr SvgPart(const Bitmap& src, const SDL_Rect& inside, double kx, double ky, int ow,
                   int oh) {
    const int fw = std::max(1, static_cast<int>(std::lround(src.pixels->w * kx)));
    const int fh = std::max(1, static_cast<int>(std::lround(src.pixels->h * ky)));
    if (!DrawableSize(fw, fh)) return nullptr;
    SurfacePtr full = RasteriseSvg(src.svg, fw, fh);
    SurfacePtr part = NewArgb(ow, oh);
    if (!full || !part) return nullptr;
    SDL_Rect from{static_cast<int>(std::lround(inside.x * kx)),
                  static_cast<int>(std::lround(inside.y * ky)), ow, oh};
    int x = 0, y = 0;
    if (!ClipCopy(from, x, y, full->w, full->h, ow, oh)) return nullptr;
    SDL_Rect to{x, y, from.w, from.h};
    SDL_SetSurfaceBlendMode(full.get(), SDL_BLENDMODE_NONE);
    SDL_BlitSurface(full.get(), &from, part.get(), &to);
    return part;
}

void StretchBlit(const Bitmap* src, Bitmap* dst, int sx, int sy, int sw, int sh, int dx, int dy,
                 int dw, int dh) {
    if (!src || !dst || sw < 1 || sh < 1 || dw < 1 || dh < 1) return;
    // The part of the source rectangle inside the source, in 64 bits.
    const int64_t x0 = std::max<int64_t>(sx, 0), y0 = std::max<int64_t>(sy, 0);
    const int64_t x1 = std::min<int64_t>(int64_t{sx} + sw, src->pixels->w);
    const int64_t y1 = std::min<int64_t>(int64_t{sy} + sh, src->pixels->h);
    if (x1 <= x0 || y1 <= y0) return;
    const SDL_Rect inside{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                          static_cast<int>(y1 - y0)};
    // The part of the destination rectangle that it covers.
    const double kx = static_cast<double>(dw) / sw, ky = static_cast<double>(dh) / sh;
    const double ox = dx + std::round((x0 - sx) * kx), oy = dy + std::round((y0 - sy) * ky);
    const int ow = std::max(1, static_cast<int>(std::lround(inside.w * kx)));
    const int oh = std::max(1, static_cast<int>(std::lround(inside.h * ky)));
    if (!DrawableSize(ow, oh) || std::abs(ox) > 1e9 || std::abs(oy) > 1e9) return;
    SurfacePtr scaled = src->svg.empty() ? Resample(src->pixels.get(), inside, ow, oh)
                                         : SvgPart(*src, inside, kx, ky, ow, oh);
    if (scaled)
        CopyInto(scaled.get(), SDL_Rect{0, 0, ow, oh}, dst, static_cast<int>(ox),
                 static_cast<int>(oy));
}

Bitmap* GetImage(int x1, int y1, int x2, int y2) {
    SDL_Surface* screen = lc::Screen();
    if (!screen) return nullptr;
    // The corners are clipped to the screen first: any int is a fair argument.
    const auto clip = [](int v, int last) { return std::clamp(v, -1, last + 1); };
    const int left = clip(std::min(x1, x2), screen->w), right = clip(std::max(x1, x2), screen->w);
    const int top = clip(std::min(y1, y2), screen->h), bottom = clip(std::max(y1, y2), screen->h);
    const SDL_Rect asked{left, top, right - left + 1, bottom - top + 1};
    const SDL_Rect whole{0, 0, screen->w, screen->h};
    SDL_Rect area;
    if (!SDL_IntersectRect(&asked, &whole, &area)) return nullptr;
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->pixels = NewArgb(area.w, area.h);
    if (!bitmap->pixels) return nullptr;
    for (int y = 0; y < area.h; ++y) {
        const uint32_t* from = Row(screen, area.y + y) + area.x;
        uint32_t* to = Row(bitmap->pixels.get(), y);
        for (int x = 0; x < area.w; ++x) to[x] = from[x] | 0xFF000000u;  // the screen is opaque
    }
    return bitmap.release();
}

void PutImage(const Bitmap* bitmap, int x, int y) {
    if (bitmap) DrawOnScreen(bitmap->pixels.get(), x, y);
}

void PutImageAdjust(const Bitmap* bitmap, int x, int y, int w, int h) {
    if (bitmap) DrawAdjusted(*bitmap, x, y, w, h);
}

// --- Picture files -------------------------------------------------------------------

void ShowPictureAdjust(const char* path, int x, int y, int w, int h) {
    if (!path || !*path) return;
    const Bitmap* picture = Pictures().Get(path);
    if (!picture) return;
    DrawAdjusted(*picture, x, y, w, h);
    Pictures().Trim(path);
}

Bitmap* GetDataIMG(const char* path, int /*flags*/) {
    if (!path || !*path) {
        lc::Fail("GetDataIMG : aucun nom d'image");
        return nullptr;
    }
    std::string bytes;
    if (!ReadPictureFile(path, bytes)) return nullptr;
    return lc::DecodePicture(bytes, path).release();
}

int ShowGIFAdjust(const char* path, int x, int y, int w, int h, int* state) {
    if (!path || !*path) return 0;
    Gifs& gifs = GifCache();
    auto found = gifs.loaded.find(path);
    if (found == gifs.loaded.end()) {
        if (gifs.unreadable.count(path)) return 0;
        auto animation = LoadAnimation(path);
        if (!animation) {
            gifs.unreadable.insert(path);
            return 0;
        }
        found = gifs.loaded.emplace(path, std::move(animation)).first;
    }
    const auto& frames = found->second->frames;
    const int count = static_cast<int>(frames.size());
    int frame = state ? *state + 1 : 0;
    if (frame < 0 || frame >= count) frame = 0;
    if (state) *state = frame;
    if (w < 0 || h < 0 || w >= kMaxDrawSide || h >= kMaxDrawSide) return 1;
    if (!DrawableSize(w + 1, h + 1)) return 1;
    SDL_Surface* picture = frames[static_cast<size_t>(frame)].get();
    if (picture->w == w + 1 && picture->h == h + 1) {
        DrawOnScreen(picture, x, y);
    } else {
        SurfacePtr scaled = Resample(picture, SDL_Rect{0, 0, picture->w, picture->h}, w + 1, h + 1);
        DrawOnScreen(scaled.get(), x, y);
    }
    return 1;
}

void FreeGIFS() {
    GifCache().loaded.clear();
    GifCache().unreadable.clear();
}

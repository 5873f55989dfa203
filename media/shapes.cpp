// Shapes in the current colour, drawn into the back buffer: aliased, exact to
// the pixel, both end points and all four corners included. Lines and boxes
// go through SDL2_gfx and a software renderer on the back buffer; circles,
// discs and arcs are computed here, so that they share their pixels.
#include "lumicanvas.h"
#include "internal.h"

#include <SDL2_gfxPrimitives.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// SDL2_gfx takes 16-bit coordinates: larger ones are held at its limits
// rather than wrapped round.
Sint16 C(int v) { return static_cast<Sint16>(std::clamp(v, -32768, 32767)); }

struct Colour {
    Uint8 r, g, b;
};
Colour Current() {
    const uint32_t rgb = lc::ToRGB(lc::CurrentPixel());
    return {static_cast<Uint8>(rgb >> 16), static_cast<Uint8>(rgb >> 8), static_cast<Uint8>(rgb)};
}

// Runs `draw` with the renderer and the current colour, then lets the screen
// be shown (mode 3). Nothing is drawn before InitGraph.
template <typename Draw>
void WithRenderer(Draw draw) {
    SDL_Renderer* r = lc::ShapeRenderer();
    if (!r) return;
    draw(r, Current());
    SDL_RenderFlush(r);
    lc::Drawn();
}

struct Offset {
    int dx;
    int dy;
};

// The pixels of a circle of radius r around (0, 0), by the midpoint method:
// on each step the pixel nearest the true circle, mirrored into the eight
// octants (a pixel may come twice where octants meet).
std::vector<Offset> CirclePixels(int r) {
    std::vector<Offset> out;
    int x = r;
    int y = 0;
    int err = 1 - r;
    while (x >= y) {
        for (auto [a, b] : {std::pair{x, y}, {y, x}}) {
            out.push_back({a, b});
            out.push_back({-a, b});
            out.push_back({a, -b});
            out.push_back({-a, -b});
        }
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
    return out;
}

uint32_t* Row(SDL_Surface* s, int y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + static_cast<ptrdiff_t>(y) * s->pitch);
}

void Plot(int x, int y, uint32_t colour) {
    SDL_Surface* s = lc::Screen();
    if (x >= 0 && y >= 0 && x < s->w && y < s->h) Row(s, y)[x] = colour;
}

void Span(int x1, int x2, int y, uint32_t colour) {
    SDL_Surface* s = lc::Screen();
    if (y < 0 || y >= s->h) return;
    uint32_t* row = Row(s, y);
    for (int x = std::max(x1, 0); x <= std::min(x2, s->w - 1); ++x) row[x] = colour;
}

// Circles are drawn up to SDL2_gfx's own limit of radius, and not at all
// around a centre so far away that none of them could reach the screen.
constexpr int kMaxRadius = 32767;
constexpr int kFar = 1 << 24;
bool Drawable(int x, int y, int r) {
    return lc::Screen() && r >= 0 && r <= kMaxRadius && x > -kFar && x < kFar && y > -kFar && y < kFar;
}

constexpr double kPi = 3.14159265358979323846;
constexpr double kAngleSlack = 1e-6;

// An angle in degrees brought within [0, 360).
double Normalised(double degrees) {
    const double a = std::fmod(degrees, 360.0);
    return a < 0 ? a + 360.0 : a;
}

}  // namespace

void PutPixel(int x, int y) {
    if (!lc::Screen()) return;
    Plot(x, y, lc::CurrentPixel());
    lc::Drawn();
}

void DrawLine(int x1, int y1, int x2, int y2) {
    WithRenderer([&](SDL_Renderer* r, Colour c) {
        lineRGBA(r, C(x1), C(y1), C(x2), C(y2), c.r, c.g, c.b, 255);
    });
}

void DrawRectangle(int x1, int y1, int x2, int y2) {
    // Four lines rather than SDL2_gfx's rectangle, which leaves out the far
    // corners' row and column.
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    WithRenderer([&](SDL_Renderer* r, Colour c) {
        hlineRGBA(r, C(left), C(right), C(top), c.r, c.g, c.b, 255);
        hlineRGBA(r, C(left), C(right), C(bottom), c.r, c.g, c.b, 255);
        vlineRGBA(r, C(left), C(top), C(bottom), c.r, c.g, c.b, 255);
        vlineRGBA(r, C(right), C(top), C(bottom), c.r, c.g, c.b, 255);
    });
}

void Rectangle(int x1, int y1, int x2, int y2) { DrawRectangle(x1, y1, x2, y2); }

void DrawRectFill(int x1, int y1, int x2, int y2) {
    WithRenderer([&](SDL_Renderer* r, Colour c) {
        boxRGBA(r, C(x1), C(y1), C(x2), C(y2), c.r, c.g, c.b, 255);
    });
}

// Circles and arcs share one set of pixels, so that an arc lies exactly on
// the circle of the same radius and a disc exactly covers it.
void DrawCircle(int x, int y, int r) {
    if (!Drawable(x, y, r)) return;
    const uint32_t colour = lc::CurrentPixel();
    for (const Offset& o : CirclePixels(r)) Plot(x + o.dx, y + o.dy, colour);
    lc::Drawn();
}

void DrawCircleFill(int x, int y, int r) {
    if (!Drawable(x, y, r)) return;
    // The widest reach of the circle on each row below the centre, filled
    // across, and the same above.
    std::vector<int> half(static_cast<size_t>(r) + 1, 0);
    for (const Offset& o : CirclePixels(r)) {
        if (o.dy >= 0) half[static_cast<size_t>(o.dy)] = std::max(half[static_cast<size_t>(o.dy)], o.dx);
    }
    const uint32_t colour = lc::CurrentPixel();
    for (int dy = 0; dy <= r; ++dy) {
        const int w = half[static_cast<size_t>(dy)];
        Span(x - w, x + w, y + dy, colour);
        if (dy != 0) Span(x - w, x + w, y - dy, colour);
    }
    lc::Drawn();
}

void DrawArc(int x, int y, int from, int to, int r) {
    if (!Drawable(x, y, r)) return;
    if (static_cast<long long>(to) - from >= 360) {
        DrawCircle(x, y, r);
        return;
    }
    // Angles from east, clockwise on the screen (y grows downwards). The arc
    // runs from `from` to `to`, through 0 when `to` is the smaller.
    const double start = Normalised(from);
    double sweep = Normalised(static_cast<double>(to) - from);
    if (to == from) sweep = 0;
    const uint32_t colour = lc::CurrentPixel();
    bool drawn = false;
    for (const Offset& o : CirclePixels(r)) {
        const double a = (o.dx == 0 && o.dy == 0) ? start : Normalised(std::atan2(o.dy, o.dx) * 180.0 / kPi);
        double past = Normalised(a - start);
        if (past > 360.0 - kAngleSlack) past = 0;  // just before the start counts as the start
        if (past <= sweep + kAngleSlack) {
            Plot(x + o.dx, y + o.dy, colour);
            drawn = true;
        }
    }
    if (!drawn) {  // an arc of no length: the one point at its angle
        Plot(x + static_cast<int>(std::lround(r * std::cos(start * kPi / 180))),
             y + static_cast<int>(std::lround(r * std::sin(start * kPi / 180))), colour);
    }
    lc::Drawn();
}

void MoveTo(int x, int y) { lc::SetCurrentTextPosition(x, y); }

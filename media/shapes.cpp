// Shapes in the current colour, drawn by SDL2_gfx into the back buffer
// through a software renderer: aliased, exact to the pixel, both end points
// and all four corners included.
#include "lumicanvas.h"
#include "internal.h"

#include <SDL2_gfxPrimitives.h>

#include <algorithm>

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

}  // namespace

void PutPixel(int x, int y) {
    SDL_Surface* s = lc::Screen();
    if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return;
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) +
                                            static_cast<ptrdiff_t>(y) * s->pitch);
    row[x] = lc::CurrentPixel();
    lc::Drawn();
}

void DrawLine(int x1, int y1, int x2, int y2) {
    WithRenderer([&](SDL_Renderer* r, Colour c) {
        lineRGBA(r, C(x1), C(y1), C(x2), C(y2), c.r, c.g, c.b, 255);
    });
}

void DrawRectangle(int x1, int y1, int x2, int y2) {
    WithRenderer([&](SDL_Renderer* r, Colour c) {
        rectangleRGBA(r, C(x1), C(y1), C(x2), C(y2), c.r, c.g, c.b, 255);
    });
}

void Rectangle(int x1, int y1, int x2, int y2) { DrawRectangle(x1, y1, x2, y2); }

void DrawRectFill(int x1, int y1, int x2, int y2) {
    WithRenderer([&](SDL_Renderer* r, Colour c) {
        boxRGBA(r, C(x1), C(y1), C(x2), C(y2), c.r, c.g, c.b, 255);
    });
}

void DrawCircle(int x, int y, int r) {
    if (r < 0) return;
    WithRenderer([&](SDL_Renderer* rr, Colour c) {
        circleRGBA(rr, C(x), C(y), C(r), c.r, c.g, c.b, 255);
    });
}

void DrawCircleFill(int x, int y, int r) {
    if (r < 0) return;
    WithRenderer([&](SDL_Renderer* rr, Colour c) {
        filledCircleRGBA(rr, C(x), C(y), C(r), c.r, c.g, c.b, 255);
    });
}

void DrawArc(int x, int y, int from, int to, int r) {
    if (r < 0) return;
    if (to - from >= 360) {
        DrawCircle(x, y, r);
        return;
    }
    // SDL2_gfx counts from east, clockwise on screen, like the layer; it
    // wants both angles within 0..359 and goes through 0 when from > to.
    const int start = ((from % 360) + 360) % 360;
    const int end = ((to % 360) + 360) % 360;
    WithRenderer([&](SDL_Renderer* rr, Colour c) {
        arcRGBA(rr, C(x), C(y), C(r), static_cast<Sint16>(start), static_cast<Sint16>(end), c.r,
                c.g, c.b, 255);
    });
}

void MoveTo(int x, int y) { lc::SetCurrentTextPosition(x, y); }

// Flood fill over the back buffer: a scanline fill with a stack of its own
// (no recursion), so that a region as large as the screen is safe.
#include "lumicanvas.h"
#include "internal.h"

#include <vector>

namespace {

constexpr uint32_t kRgbMask = 0xFFFFFFu;  // the unused byte of XRGB8888 never counts

struct Seed {
    int x;
    int y;
};

class Filler {
public:
    explicit Filler(SDL_Surface* s)
        : pixels_(static_cast<uint8_t*>(s->pixels)), pitch_(s->pitch), w_(s->w), h_(s->h) {}

    void Fill(int x, int y, uint32_t colour) {
        target_ = At(x, y) & kRgbMask;
        if (target_ == (colour & kRgbMask)) return;  // already that colour: nothing would change
        std::vector<Seed> stack{{x, y}};
        while (!stack.empty()) {
            const Seed s = stack.back();
            stack.pop_back();
            if (!Inside(s.x, s.y)) continue;
            int left = s.x;
            while (left > 0 && Inside(left - 1, s.y)) --left;
            int right = s.x;
            while (right < w_ - 1 && Inside(right + 1, s.y)) ++right;
            uint32_t* row = Row(s.y);
            for (int i = left; i <= right; ++i) row[i] = colour;
            if (s.y > 0) PushRuns(stack, left, right, s.y - 1);
            if (s.y < h_ - 1) PushRuns(stack, left, right, s.y + 1);
        }
    }

private:
    uint32_t* Row(int y) const { return reinterpret_cast<uint32_t*>(pixels_ + static_cast<ptrdiff_t>(y) * pitch_); }
    uint32_t At(int x, int y) const { return Row(y)[x]; }
    bool Inside(int x, int y) const { return (At(x, y) & kRgbMask) == target_; }

    // Pushes one seed for each run of region pixels of row y within left..right.
    void PushRuns(std::vector<Seed>& stack, int left, int right, int y) const {
        bool in_run = false;
        for (int i = left; i <= right; ++i) {
            const bool inside = Inside(i, y);
            if (inside && !in_run) stack.push_back({i, y});
            in_run = inside;
        }
    }

    uint8_t* pixels_;
    int pitch_;
    int w_;
    int h_;
    uint32_t target_ = 0;
};

}  // namespace

void DrawFloodFill(int x, int y) {
    SDL_Surface* s = lc::Screen();
    if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return;
    Filler(s).Fill(x, y, lc::CurrentPixel());
    lc::Drawn();
}

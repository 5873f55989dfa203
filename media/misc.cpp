// Random numbers and Windows-1252 letter case: nothing here needs the display.
#include "lumicanvas.h"
#include "internal.h"

#include <random>

namespace {

std::mt19937& Generator() {
    static std::mt19937 generator{20261207u};
    return generator;
}

// The Windows-1252 letters that have another case outside a..z, as
// (lower, upper) pairs. ß (0xDF), ª, º and µ have none.
constexpr unsigned char kCasePairs[][2] = {
    {0x9A, 0x8A},  // š Š
    {0x9C, 0x8C},  // œ Œ
    {0x9E, 0x8E},  // ž Ž
    {0xFF, 0x9F},  // ÿ Ÿ
};

bool IsLowerAccented(int c) { return c >= 0xE0 && c <= 0xFE && c != 0xF7; }  // not ÷
bool IsUpperAccented(int c) { return c >= 0xC0 && c <= 0xDE && c != 0xD7; }  // not ×

// A character given as a (signed) char comes back as a char of the same sign,
// so that UToUpper(c) == 'É' holds where char is signed.
int AsGiven(int original, int result) {
    return original < 0 ? static_cast<int>(static_cast<signed char>(result)) : result;
}

}  // namespace

namespace lc {
void SeedRandom(unsigned seed) { Generator().seed(seed); }
}  // namespace lc

int Random(int n) {
    if (n < 1) return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(Generator());
}

int UToUpper(int ch) {
    if (ch < -128 || ch > 255 || ch == -1) return ch;  // -1: no key (GetKeyPressed), not ÿ
    const int c = ch & 0xFF;
    if (c >= 'a' && c <= 'z') return c - 32;
    if (IsLowerAccented(c)) return AsGiven(ch, c - 32);
    for (const auto& p : kCasePairs) {
        if (c == p[0]) return AsGiven(ch, p[1]);
    }
    return ch;
}

int UToLower(int ch) {
    if (ch < -128 || ch > 255 || ch == -1) return ch;  // -1: no key (GetKeyPressed), not ÿ
    const int c = ch & 0xFF;
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (IsUpperAccented(c)) return AsGiven(ch, c + 32);
    for (const auto& p : kCasePairs) {
        if (c == p[1]) return AsGiven(ch, p[0]);
    }
    return ch;
}

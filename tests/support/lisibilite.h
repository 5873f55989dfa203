// Whether the texts a program drew can be read, judged from the pixels: each
// text on the screen, inside the box it stands in, and in contrast with
// what lies around it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "harness.h"

namespace lisibilite {

// The contrast ratio of two colours 0xRRGGBB, from 1 to 21.
double Contraste(uint32_t a, uint32_t b);

// The smallest ratio a text of height h must reach against its
// surroundings: 4.5 : 1, or 3 : 1 for big text (24 pixels or more).
double ContrasteRequis(int h);

struct Image {
    std::vector<uint32_t> pixels;  // 0xRRGGBB rows
    int w = 0, h = 0;
};

// The faults of `textes` drawn on `image`, one line each ("" texts and
// texts of spaces only are left out):
// - a text not wholly on the screen;
// - a text whose centre lies in one of `boites` and which does not lie
//   wholly inside the smallest such box;
// - a text whose colour reaches less than ContrasteRequis against what it
//   is drawn on: the median of the pixels of its line and just around it,
//   its ink left out.
std::vector<std::string> Defauts(const Image& image, const std::vector<harness::TextDrawn>& textes,
                                 const std::vector<harness::Zone>& boites);

}  // namespace lisibilite

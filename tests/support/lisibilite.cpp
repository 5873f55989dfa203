#include "lisibilite.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace lisibilite {

namespace {

double Lineaire(int octet) {
    double v = octet / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double Luminance(uint32_t c) {
    return 0.2126 * Lineaire((c >> 16) & 0xFF) + 0.7152 * Lineaire((c >> 8) & 0xFF) + 0.0722 * Lineaire(c & 0xFF);
}

bool Vide(const std::string& texte) { return texte.find_first_not_of(' ') == std::string::npos; }

std::string Nom(const harness::TextDrawn& t) {
    std::ostringstream o;
    o << '"' << t.text << "\" at (" << t.x << ", " << t.y << ") " << t.w << " x " << t.h;
    return o.str();
}

// The contrast the text reaches against what it is drawn on: the middle
// (median) of the pixels of its line and of a two-pixel ring around it,
// its own ink left out.
double ContrasteAutour(const Image& image, const harness::TextDrawn& t) {
    std::vector<double> ratios;
    for (int y = t.y - 2; y < t.y + t.h + 2; ++y) {
        for (int x = t.x - 2; x < t.x + t.w + 2; ++x) {
            if (x < 0 || y < 0 || x >= image.w || y >= image.h) continue;
            const uint32_t p = image.pixels[static_cast<size_t>(y) * image.w + x];
            if (p != t.rgb) ratios.push_back(Contraste(t.rgb, p));
        }
    }
    if (ratios.empty()) return 1;
    auto milieu = ratios.begin() + static_cast<long>(ratios.size() / 2);
    std::nth_element(ratios.begin(), milieu, ratios.end());
    return *milieu;
}

}  // namespace

double Contraste(uint32_t a, uint32_t b) {
    double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double ContrasteRequis(int h) { return h >= 24 ? 3.0 : 4.5; }

std::vector<std::string> Defauts(const Image& image, const std::vector<harness::TextDrawn>& textes,
                                 const std::vector<harness::Zone>& boites) {
    std::vector<std::string> defauts;
    for (const harness::TextDrawn& t : textes) {
        if (Vide(t.text)) continue;
        const int x2 = t.x + t.w - 1, y2 = t.y + t.h - 1;
        if (t.x < 0 || t.y < 0 || x2 >= image.w || y2 >= image.h) defauts.push_back(Nom(t) + " off the screen");
        const int cx = t.x + t.w / 2, cy = t.y + t.h / 2;
        const harness::Zone* boite = nullptr;
        for (const harness::Zone& b : boites) {
            bool contient = cx >= b.x1 && cx <= b.x2 && cy >= b.y1 && cy <= b.y2;
            auto aire = [](const harness::Zone& z) { return static_cast<long>(z.x2 - z.x1) * (z.y2 - z.y1); };
            if (contient && (boite == nullptr || aire(b) < aire(*boite))) boite = &b;
        }
        if (boite && (t.x < boite->x1 || t.y < boite->y1 || x2 > boite->x2 || y2 > boite->y2)) {
            std::ostringstream o;
            o << " out of its box (" << boite->x1 << ", " << boite->y1 << ")-(" << boite->x2 << ", " << boite->y2 << ")";
            defauts.push_back(Nom(t) + o.str());
        }
        const double c = ContrasteAutour(image, t);
        if (c < ContrasteRequis(t.h)) {
            std::ostringstream o;
            o << " contrast " << std::round(c * 10) / 10 << " : 1 for colour " << std::hex << t.rgb;
            defauts.push_back(Nom(t) + o.str());
        }
    }
    return defauts;
}

}  // namespace lisibilite

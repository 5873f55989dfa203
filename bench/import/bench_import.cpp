// The importers' speed on long texts: what `pivolette import` does (the
// encoding rule, the reading of the export, the writing of the quiz text) on
// the inputs that once took quadratic time, each at its size and at twice
// its size. A linear import takes twice the time at twice the size.
// It asserts nothing; it prints one line a figure.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "importe.h"

namespace {

using Lecteur = std::vector<QuestionImportee> (*)(const std::string&, const std::string&,
                                                  std::vector<Diagnostic>&);

// Milliseconds of one import of `octets`, from its bytes to the quiz text.
double UnImportMs(const std::string& octets, Lecteur lecteur) {
    const auto debut = std::chrono::steady_clock::now();
    std::string texte;
    DecisionCodage decision;
    TexteEnUtf8(octets, texte, decision);
    std::vector<Diagnostic> d;
    const std::vector<QuestionImportee> q = lecteur(texte, "bench", d);
    TexteQuizz(q, "bench", "bench", d);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
}

// The fastest of three imports: the machine is shared, the slower runs
// measure the others' work.
double ImporteMs(const std::string& octets, Lecteur lecteur) {
    double meilleur = UnImportMs(octets, lecteur);
    for (int k = 0; k < 2; ++k) meilleur = std::min(meilleur, UnImportMs(octets, lecteur));
    return meilleur;
}

std::string Repete(const std::string& motif, std::size_t octets) {
    std::string r;
    r.reserve(octets + motif.size());
    while (r.size() < octets) r += motif;
    return r;
}

struct Cas {
    const char* nom;
    Lecteur lecteur;
    std::function<std::string(std::size_t)> texte;  // the export, about this many bytes
    std::size_t octets;
};

void Mesure(const Cas& c) {
    const std::string un = c.texte(c.octets);
    const std::string deux = c.texte(2 * c.octets);
    const double t1 = ImporteMs(un, c.lecteur);
    const double t2 = ImporteMs(deux, c.lecteur);
    std::printf("  %-56s %5.2f MB %8.1f ms   x2 size: %8.1f ms (ratio %.1f)\n", c.nom,
                static_cast<double>(un.size()) / 1e6, t1, t2, t2 / (t1 > 0.001 ? t1 : 0.001));
}

}  // namespace

int main() {
    const std::size_t MO = 1000 * 1000;
    const std::vector<Cas> cas = {
        {"GIFT: one question of 1.2 MB of words", &LitGift,
         [](std::size_t n) { return "::long::" + Repete("mot ", n) + "{=oui ~non}\n"; }, 1200 * 1000},
        {"GIFT: one answer of 1.2 MB of words", &LitGift,
         [](std::size_t n) { return "Question ?{=" + Repete("mot ", n) + " ~non}\n"; }, 1200 * 1000},
        {"GIFT: one question of 1.2 MB of escapes and blank lines", &LitGift,
         [](std::size_t n) { return "Question ?{=oui ~" + Repete("\\{ \\} \\= \\~\n\n", n) + "}\n"; }, 1200 * 1000},
        {"GIFT: [html] then 4 MB of <", &LitGift,
         [](std::size_t n) { return "[html]" + std::string(n, '<') + "{=oui ~non}\n"; }, 4 * MO},
        {"GIFT: [html] then 4 MB of <b> tags", &LitGift,
         [](std::size_t n) { return "[html]" + Repete("<b>x</b>&amp; ", n) + "{=oui ~non}\n"; }, 4 * MO},
        {"GIFT: an unclosed { before 200,000 lines", &LitGift,
         [](std::size_t n) { return "Ouverte {=oui ~non\n\n" + Repete("Q ?{=a ~b}\n\n", n); }, 200000 * 6},
        {"GIFT: 5,000 questions", &LitGift,
         [](std::size_t n) { return Repete("::Q:: Quelle est la capitale de la France ?{=Paris ~Lyon ~Lille}\n\n", n); }, 5000 * 67},
        {"Aiken: one question of 1.2 MB of words", &LitAiken,
         [](std::size_t n) { return Repete("mot ", n) + "\nA. oui\nB. non\nANSWER: A\n"; }, 1200 * 1000},
        {"Aiken: one question on 200,000 lines", &LitAiken,
         [](std::size_t n) { return "Question\n" + Repete("suite\n", n) + "A. oui\nB. non\nANSWER: A\n"; }, 200000 * 6},
        {"Windows-1252 export of 4 MB (encoding rule, conversion)", &LitGift,
         [](std::size_t n) { return Repete("\xC9t\xE9 ?{=oui ~non}\n\n", n); }, 4 * MO},
    };
    std::printf("pivolette import on long texts\n");
    for (const Cas& c : cas) Mesure(c);
    return 0;
}

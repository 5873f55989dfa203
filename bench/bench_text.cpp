// The text figures beyond the plain line: opening the fonts, measuring,
// marked lines, the largest preset, and the texts of a whole question screen.
#include "bench.h"

#include "internal.h"
#include "lumicanvas.h"

#include <string>

namespace {

// The texts a question screen draws: header, footer, mark, counters, three
// question lines, four answers.
void QuestionScreenTexts(int n) {
    SetColor(14);
    DimText(3);
    const char* header = "DUPONT L\xE9on (C.M.2)";
    TextXY(GetMaxX() / 2 - TextLength(header) / 2, 5, header);
    SetColor(1);
    DimText(1);
    CenterTextXY(GetMaxX() / 2, GetMaxY() - TextHeight(), "'Pivolette' du coll\xE8ge Vermandi\xE8re de BRUNOIS");
    DimText(3);
    TextXY(GetMaxX() - 40, GetMaxY() - 50, "@");
    SetColor(0);
    DimText(4);
    CenterTextXY(170, 137, NbToTxt(n % 20));
    CenterTextXY(855, 137, NbToTxt(20 - n % 20));
    SetDimText(28);
    int h = TextHeight();
    OutCenterTextXY(512, 296 - 2 * h / 3, "Quel est le #bfleuve# qui traverse");
    OutCenterTextXY(512, 296, ("la ville num\xE9ro " + std::string(NbToTxt(n))).c_str());
    OutCenterTextXY(512, 296 + 2 * h / 3, "#ien France ?# ");
    SetDimText(25);
    const int centres[4][2] = {{262, 470}, {762, 470}, {262, 620}, {762, 620}};
    const char* answers[4] = {"La Seine", "La Loire", "Le Rh\xF4ne", "La Garonne"};
    for (int i = 0; i < 4; ++i) OutCenterTextXY(centres[i][0], centres[i][1], answers[i]);
}

}  // namespace

BENCH(55, "Text in detail") {
    bench::UseGameArchive();
    if (!bench::OpenDisplay(1024, 768)) return;
    bench::Report("InitFont (four faces read from the archive)", bench::MedianMs(5, [] { InitFont(); }), "ms");
    SetUFormat(U_ASCII8);
    DimText(3);
    bench::Report("TextLength of a line at preset 3",
                  bench::MedianMs(200, [] { TextLength("Quelle est la capitale de la France ?"); }), "ms");
    bench::Report("a marked line at preset 1 (italic, bold, underlined runs)", bench::MedianMs(50, [] {
                      DimText(1);
                      OutCenterTextXY(512, 260, "#iChoisis ton niveau# puis #bclique# sur #u'JE VALIDE'# ");
                  }), "ms");
    int n = 0;
    bench::Report("a new line at preset 5 each time", bench::MedianMs(50, [&] {
                      DimText(5);
                      CenterTextXY(512, 400, (std::string("A bient\xF4t ") + NbToTxt(n++)).c_str());
                  }), "ms");
    bench::Report("the texts of a whole question screen (a new question each time)",
                  bench::MedianMs(50, [&] { QuestionScreenTexts(n++); }), "ms");
    CloseFont();
}

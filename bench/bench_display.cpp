// The display's figures: start-up, presenting, pictures, flood fill, text,
// and the processor a waiting loop uses.
#include "bench.h"

#include "internal.h"
#include "lumicanvas.h"

#include <cmath>


namespace {

// The countdown dial as the game draws it at (x, y) with outer radius r for
// 30 seconds: rings, spokes every 60 degrees, the outer ring grey.
// A spoke of the dial at angle a: from radius r/2 + 1 to 9r/10 - 1.
void Spoke(int x, int y, int r, int a) {
    const double rad = a * 3.14159 / 180;
    DrawLine(static_cast<int>(x + std::cos(rad) * (r / 2 + 1)), static_cast<int>(y + std::sin(rad) * (r / 2 + 1)),
             static_cast<int>(x + std::cos(rad) * (9 * r / 10 - 1)),
             static_cast<int>(y + std::sin(rad) * (9 * r / 10 - 1)));
}

void DrawDial(int x, int y, int r) {
    auto spoke = [&](int a) { Spoke(x, y, r, a); };
    SetColor(0);
    DrawCircleFill(x, y, r);
    SetColor(15);
    for (int rr : {r / 2, r / 2 + 1, 9 * r / 10, 9 * r / 10 - 1, r}) DrawCircle(x, y, rr);
    for (int a = -90; a < 270; a += 60) spoke(a);
    SetColorRGB(150, 150, 150);
    DrawFloodFill(x + r - 2, y);
}

}  // namespace

// The game's start: display, mouse, fonts, sound, archive, the question
// screen's background, shown.
BENCH(10, "Start-up") {
    const double t0 = bench::SinceStart();
    bench::UseGameArchive();
    if (!bench::OpenDisplay(1024, 768)) return;
    InitMouse();
    InitFont();
    InitSound();
    Datafile* data = GetData("#");
    if (Bitmap* background = DataBitmap(data, 0)) PutImageAdjust(background, 0, 0, GetMaxX(), GetMaxY());
    ShowScreen();
    bench::Report("start to the first presented frame (program start)", bench::SinceStart() * 1000, "ms");
    bench::Report("start to the first presented frame (from InitGraph)", (bench::SinceStart() - t0) * 1000, "ms");
    UnloadDatafile(data);
    CloseSound();
    CloseFont();
}

BENCH(20, "Presenting the back buffer") {
    for (auto [w, h] : {std::pair{1024, 768}, {1920, 1080}}) {
        if (!bench::OpenDisplay(w, h)) continue;
        if (!bench::Windowed()) {
            bench::Note("headless: ShowScreen() only tells the harness; run under Xvfb for the window");
            break;
        }
        const std::string size = std::to_string(GetMaxX() + 1) + " x " + std::to_string(GetMaxY() + 1);
        bench::Report("ShowScreen() at " + size + " (window)",
                      bench::MedianMs(30, [] { ShowScreen(); }), "ms");
    }
    // Mode 3 shows every drawing call: the configuration tool's start draws about 60.
    if (bench::OpenDisplay(800, 600, 3)) {
        bench::Report("one filled rectangle shown at once (mode 3, 800 x 600)",
                      bench::MedianMs(30, [] { DrawRectFill(10, 10, 200, 40); }), "ms");
    }
}

BENCH(30, "Pictures") {
    bench::UseGameArchive();
    if (!bench::OpenDisplay(1920, 1080)) return;
    Datafile* data = GetData("#");
    Bitmap* background = DataBitmap(data, 0);
    if (!background) {
        bench::Note("no game archive at " GRELINOR_ARCHIVE ": build grelinor_archive first");
        UnloadDatafile(data);
        return;
    }
    bench::Report("PutImageAdjust of the question background over the whole screen",
                  bench::MedianMs(20, [&] { PutImageAdjust(background, 0, 0, GetMaxX(), GetMaxY()); }), "ms");
    UnloadDatafile(data);
}

BENCH(40, "Shapes") {
    if (!bench::OpenDisplay(1024, 768)) return;
    const int x = 160, y = 296, r = 55;
    bench::Report("the countdown dial drawn whole (r = 55)", bench::MedianMs(30, [&] { DrawDial(x, y, r); }), "ms");
    // The sector of second 1: its spoke at -78 degrees, then the fill 2 degrees behind it.
    DrawDial(x, y, r);
    SetColorRGB(8, 247, 0);
    Spoke(x, y, r, -78);
    const double rad = -80 * 3.14159 / 180;
    const int fx = static_cast<int>(x + std::cos(rad) * (3 * r / 4));
    const int fy = static_cast<int>(y + std::sin(rad) * (3 * r / 4));
    int level = 0;
    bench::Report("flood fill of one sector of the dial's band", bench::MedianMs(30, [&] {
                      level = (level + 8) % 256;
                      SetColorRGB(level, 255 - level, 0);
                      DrawFloodFill(fx, fy);
                  }), "ms");
    SetColor(0);
    DrawRectFill(0, 0, GetMaxX(), GetMaxY());
    int n = 0;
    bench::Report("flood fill of the whole 1024 x 768 screen", bench::MedianMs(10, [&] {
                      SetColor(1 + (n++ % 14));
                      DrawFloodFill(0, 0);
                  }), "ms");
}

BENCH(50, "Text") {
    bench::UseGameArchive();
    if (!bench::OpenDisplay(1024, 768)) return;
    if (!InitFont()) {
        bench::Note(std::string("no fonts: ") + GetMediaError());
        return;
    }
    SetUFormat(U_ASCII8);
    DimText(3);
    SetColor(14);
    int n = 0;
    bench::Report("a line of text at preset 3 (the same line again)",
                  bench::MedianMs(50, [] { CenterTextXY(512, 300, "Quelle est la capitale de la France ?"); }), "ms");
    bench::Report("a line of text at preset 3 (a new line each time)", bench::MedianMs(50, [&] {
                      CenterTextXY(512, 400, (std::string("Question num\xE9ro ") + NbToTxt(n++)).c_str());
                  }), "ms");
    CloseFont();
}

BENCH(60, "Waiting for a click") {
    if (!bench::OpenDisplay(1024, 768)) return;
    if (!bench::Windowed()) {
        bench::Note("headless: polling hands over to a test, not measured without a window");
        return;
    }
    InitMouse();
    const double cpu0 = bench::CpuSeconds();
    const auto t0 = bench::Clock::now();
    long polls = 0;
    while (bench::Clock::now() - t0 < std::chrono::seconds(10)) {
        ClickMouse();
        ++polls;
    }
    const double wall = std::chrono::duration<double>(bench::Clock::now() - t0).count();
    bench::Report("processor used by a ClickMouse() loop over 10 s", 100.0 * (bench::CpuSeconds() - cpu0) / wall, "% of a core");
    bench::Report("polls per second in that loop", static_cast<double>(polls) / wall, "/s");
    CloseMouse();
}

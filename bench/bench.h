// The benchmark program: figures for the speed of the media layer and the
// programs on this machine. It asserts nothing; it prints one line a figure.
//
// A file of bench/ adds its measures with
//   BENCH(20, "Pictures") { ...; bench::Report("what", value, "unit"); }
// The number orders the groups; the display (size, window or headless) is
// opened by each group with bench::OpenDisplay.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace bench {

using Clock = std::chrono::steady_clock;

// Prints "what: value unit".
void Report(const std::string& what, double value, const char* unit);
void Note(const std::string& text);  // a line of its own, for context

// Opens the display at w x h (mode 4 by default) in a window when DISPLAY is
// set, else headless; returns false (and says why) when it could not.
bool OpenDisplay(int w, int h, int mode = 4);
bool Windowed();  // whether the display opened by OpenDisplay has a window
// Sets the archive "#" (fonts, screen art) to the game's built archive.
void UseGameArchive();

// Milliseconds per run of `fn`, the median of `runs` runs after one warm-up.
double MedianMs(int runs, const std::function<void()>& fn);

// Seconds since the program started.
double SinceStart();
// Processor seconds the whole process has used (every thread), user and system.
double CpuSeconds();
// Processor time of the calling thread, in seconds.
double ThreadCpuSeconds();

struct Registration {
    Registration(int order, const char* name, void (*fn)());
};

}  // namespace bench

#define BENCH_CAT2(a, b) a##b
#define BENCH_CAT(a, b) BENCH_CAT2(a, b)
#define BENCH(order, name)                                                            \
    static void BENCH_CAT(BenchBody_, __LINE__)();                                   \
    static const bench::Registration BENCH_CAT(bench_reg_, __LINE__)(order, name,    \
                                                                     &BENCH_CAT(BenchBody_, __LINE__)); \
    static void BENCH_CAT(BenchBody_, __LINE__)()

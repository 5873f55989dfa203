// Runs every registered group of measures in order, in a scratch folder.
#include "bench.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

#include "internal.h"
#include "lumicanvas.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include <unistd.h>

namespace bench {
namespace {

const Clock::time_point g_start = Clock::now();

struct Group {
    int order;
    const char* name;
    void (*fn)();
};

std::vector<Group>& Groups() {
    static std::vector<Group> groups;
    return groups;
}

}  // namespace

Registration::Registration(int order, const char* name, void (*fn)()) {
    Groups().push_back({order, name, fn});
}

double SinceStart() { return std::chrono::duration<double>(Clock::now() - g_start).count(); }

#ifdef _WIN32
namespace {
double Seconds(const FILETIME& kernel, const FILETIME& user) {
    const auto ticks = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 1e7;  // 100 ns ticks
}
}  // namespace

double CpuSeconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    return Seconds(kernel, user);
}

double ThreadCpuSeconds() {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    return Seconds(kernel, user);
}
#else
namespace {
double Seconds(int who) {
    rusage u{};
    getrusage(who, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
}  // namespace

double CpuSeconds() { return Seconds(RUSAGE_SELF); }
double ThreadCpuSeconds() { return Seconds(RUSAGE_THREAD); }
#endif

void Report(const std::string& what, double value, const char* unit) {
    std::printf("  %-58s %10.3f %s\n", what.c_str(), value, unit);
    std::fflush(stdout);
}

void Note(const std::string& text) {
    std::printf("  (%s)\n", text.c_str());
    std::fflush(stdout);
}

bool Windowed() { return lc::Window() != nullptr; }

bool OpenDisplay(int w, int h, int mode) {
    CloseGraph();
    {
        std::ofstream config("LCConfig.txt", std::ios::trunc);
        config << "RESOLUTION_HORIZONTALE=" << w << "\nRESOLUTION_VERTICALE=" << h
               << "\nRESOLUTION_PREDEFINIE=9\nPLEIN_ECRAN=0\nMESSAGE_ERREUR=0\n";
    }
    lc::SetHeadless(std::getenv("DISPLAY") == nullptr);
    if (!InitGraph(mode, 1, 0)) {
        Note(std::string("no display: ") + GetMediaError());
        return false;
    }
    if (GetMaxX() + 1 != w || GetMaxY() + 1 != h) {
        Note("asked " + std::to_string(w) + " x " + std::to_string(h) + ", got " +
             std::to_string(GetMaxX() + 1) + " x " + std::to_string(GetMaxY() + 1));
    }
    return true;
}

void UseGameArchive() { lc::SetFusedArchivePath(GRELINOR_ARCHIVE); }

double MedianMs(int runs, const std::function<void()>& fn) {
    fn();
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = Clock::now();
        fn();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace bench

// pivolette_bench [WORDS]: every group, or only those whose name holds WORDS.
int main(int argc, char* argv[]) {
    const std::string only = argc > 1 ? argv[1] : "";
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("pivolette-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::current_path(dir);
    auto& groups = bench::Groups();
    std::stable_sort(groups.begin(), groups.end(),
                     [](const auto& a, const auto& b) { return a.order < b.order; });
    std::printf("Pivolette benchmark (%s)\n", std::getenv("DISPLAY") ? "window" : "headless");
    for (const auto& g : groups) {
        if (std::string(g.name).find(only) == std::string::npos) continue;
        std::printf("%s\n", g.name);
        g.fn();
        CloseGraph();
    }
    fs::current_path(fs::temp_directory_path());
    std::error_code ec;
    fs::remove_all(dir, ec);
    return 0;
}

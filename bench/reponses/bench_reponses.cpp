// The times of `pivolette results` on a school's worth of answers: 30
// classes of 60 pupils who each met the 40 questions of their quiz. For each
// class, the table with the per-question view, and the web page, timed as
// the teacher runs them (reading the folder included). It asserts nothing;
// it prints one line a figure.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "classe_bench.h"
#include "commandes.h"

namespace fs = std::filesystem;

namespace {

constexpr int CLASSES = 30;
constexpr int ELEVES = 60;
constexpr int QUESTIONS = 40;

// Milliseconds of one `pivolette results` with these words, its output kept
// away from the terminal.
double CommandeMs(std::vector<std::string> mots) {
    std::vector<char*> argv;
    for (std::string& m : mots) argv.push_back(m.data());
    std::ostringstream sortie, erreurs;
    std::streambuf* out = std::cout.rdbuf(sortie.rdbuf());
    std::streambuf* err = std::cerr.rdbuf(erreurs.rdbuf());
    const auto debut = std::chrono::steady_clock::now();
    const int code = CommandeResults(static_cast<int>(argv.size()), argv.data());
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
    std::cout.rdbuf(out);
    std::cerr.rdbuf(err);
    if (code != 0) std::fprintf(stderr, "results a rendu %d : %s\n", code, erreurs.str().c_str());
    return ms;
}

void Ligne(const char* quoi, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    double total = 0;
    for (double m : ms) total += m;
    std::printf("%-40s median %7.1f ms  max %7.1f ms  30 classes %8.1f ms\n", quoi, ms[ms.size() / 2], ms.back(),
                total);
}

}  // namespace

int main() {
    const fs::path racine = fs::temp_directory_path() / ("pivolette-bench-reponses-" + std::to_string(::getpid()));
    std::mt19937 hasard(42);
    for (int c = 0; c < CLASSES; ++c) FaitClasseBench(racine / ("classe" + std::to_string(c)), ELEVES, QUESTIONS, hasard);
    std::vector<double> vue, page;
    for (int c = 0; c < CLASSES; ++c) {
        const std::string jeu = (racine / ("classe" + std::to_string(c))).string();
        vue.push_back(CommandeMs({jeu}));
        page.push_back(CommandeMs({jeu, "--html", "-o", (racine / ("page" + std::to_string(c) + ".html")).string()}));
    }
    std::printf("%d classes de %d élèves, %d questions chacune ; objectif : moins de 500 ms par classe\n", CLASSES,
                ELEVES, QUESTIONS);
    Ligne("tableau et vue par question", vue);
    Ligne("page web", page);
    std::error_code e;
    fs::remove_all(racine, e);
    return 0;
}

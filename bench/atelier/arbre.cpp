// The school the workshop's bench opens: ROOT/classe00 … classe29, each a
// copy of the demo folder whose quiz, settings and results are those of a
// class of 60 pupils who each answered the 40 questions (the tree of
// `pivolette_bench_reponses`).
//
//   pivolette_bench_atelier_arbre DEMO ROOT
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "classe_bench.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage : pivolette_bench_atelier_arbre DEMO RACINE\n");
        return 2;
    }
    std::mt19937 hasard(42);
    std::error_code erreur;
    for (int c = 0; c < 30; ++c) {
        char nom[16];
        std::snprintf(nom, sizeof nom, "classe%02d", c);
        const fs::path jeu = fs::path(argv[2]) / nom;
        fs::create_directories(jeu, erreur);
        fs::copy(argv[1], jeu, fs::copy_options::recursive | fs::copy_options::overwrite_existing, erreur);
        if (erreur) {
            std::fprintf(stderr, "copie de %s dans %s : %s\n", argv[1], jeu.c_str(), erreur.message().c_str());
            return 2;
        }
        FaitClasseBench(jeu, 60, 40, hasard);
    }
    return 0;
}

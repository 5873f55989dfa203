// The times of `pivolette results` on a school's worth of answers: 30
// classes of 60 pupils who each met the 40 questions of their quiz. For each
// class, the table with the per-question view, and the web page, timed as
// the teacher runs them (reading the folder included). It asserts nothing;
// it prints one line a figure.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "commandes.h"
#include "lecture_quizz.h"
#include "reponses.h"
#include "resultats.h"

namespace fs = std::filesystem;

namespace {

constexpr int CLASSES = 30;
constexpr int ELEVES = 60;
constexpr int QUESTIONS = 40;

void Ecrit(const fs::path& chemin, const std::string& octets) {
    fs::create_directories(chemin.parent_path());
    std::ofstream(chemin, std::ios::binary) << octets;
}

// One game folder: settings, scrambled quiz, results and answers files.
void FaitClasse(const fs::path& jeu, std::mt19937& hasard) {
    const fs::path d = jeu / "InfosQuizz";
    Ecrit(d / "infos/infos_jeu_DEMO", "T\nTh\nE\n1\n" + std::to_string(QUESTIONS) + "\n5\n3\n30\n");
    std::string quizz = "Le grand quiz\nTout\n\n";
    for (int q = 1; q <= QUESTIONS; ++q)
        quizz += "Question num\xE9ro " + std::to_string(q) + " : que vaut " + std::to_string(q) +
                 " + 1 ?\nun\ndeux\ntrois\nquatre\n" + std::to_string(1 + q % 4) + "\n\n";
    BrouilleQuizz(quizz);
    Ecrit(d / "questions/vorlines_DEMO", quizz);
    std::vector<int> ordre(QUESTIONS);
    for (int q = 0; q < QUESTIONS; ++q) ordre[q] = q + 1;
    for (int e = 0; e < ELEVES; ++e) {
        FicheResultats f{"NOM" + std::to_string(e), "Pr\xE9nom", "DEMO"};
        FicheReponses r{"Le grand quiz", "08/12/2026 09:41:05", {}};
        std::shuffle(ordre.begin(), ordre.end(), hasard);
        for (int q : ordre) {
            const int choix = static_cast<int>(hasard() % 5);
            const bool juste = choix == 1 + q % 4;
            (juste ? f.bonnes : f.mauvaises) += 1;
            f.secondes += 1 + static_cast<int>(hasard() % 30);
            r.reponses.push_back({q, choix, juste, 1 + static_cast<int>(hasard() % 30), MediaQuestion::Aucun});
        }
        const std::string nom = NomFichierResultats(f.nom, f.prenom);
        Ecrit(d / "joueurs/DEMO" / nom, TexteResultats(f));
        Ecrit(d / "joueurs/DEMO/reponses" / nom, TexteReponses(r));
    }
}

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
    for (int c = 0; c < CLASSES; ++c) FaitClasse(racine / ("classe" + std::to_string(c)), hasard);
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

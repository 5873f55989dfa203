#include "classe_bench.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "lecture_quizz.h"
#include "reponses.h"
#include "resultats.h"

namespace fs = std::filesystem;

namespace {

void Ecrit(const fs::path& chemin, const std::string& octets) {
    fs::create_directories(chemin.parent_path());
    std::ofstream(chemin, std::ios::binary) << octets;
}

}  // namespace

void FaitClasseBench(const fs::path& jeu, int eleves, int questions, std::mt19937& hasard) {
    const fs::path d = jeu / "InfosQuizz";
    Ecrit(d / "infos/infos_jeu_DEMO", "T\nTh\nE\n1\n" + std::to_string(questions) + "\n5\n3\n30\n");
    std::string quizz = "Le grand quiz\nTout\n\n";
    for (int q = 1; q <= questions; ++q)
        quizz += "Question num\xE9ro " + std::to_string(q) + " : que vaut " + std::to_string(q) +
                 " + 1 ?\nun\ndeux\ntrois\nquatre\n" + std::to_string(1 + q % 4) + "\n\n";
    BrouilleQuizz(quizz);
    Ecrit(d / "questions/vorlines_DEMO", quizz);
    std::vector<int> ordre(questions);
    for (int q = 0; q < questions; ++q) ordre[q] = q + 1;
    for (int e = 0; e < eleves; ++e) {
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

// The class settings files, read by the game's own reader so that the tool
// accepts and refuses exactly what the game does.
#include "arbre.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "etat.h"
#include "outils.h"

namespace fs = std::filesystem;

void PointeDonnees(const std::string& donnees) {
    std::snprintf(CheminDonnees, sizeof CheminDonnees, "%s/", donnees.c_str());
}

namespace {

ReglagesClasse LitUnReglage(const std::string& donnees, const char* nom, signed char niveau,
                            const char* classes) {
    ReglagesClasse r;
    r.chemin = (fs::path(donnees) / nom).string();
    r.classes = classes;
    std::error_code e;
    r.existe = fs::is_regular_file(r.chemin, e);
    if (!r.existe) return r;
    PointeDonnees(donnees);
    QuelNiveau = niveau;
    r.lu = LitInfosJeu() == 1;
    if (r.lu) {
        r.questions = NombreQuestions;
        r.liste = GetInfosJoueur == 0;
    } else {
        r.message = Utf8De1252(MessageErreur);
    }
    return r;
}

}  // namespace

std::vector<ReglagesClasse> LitReglages(const std::string& donnees) {
    return {LitUnReglage(donnees, REGLAGES_PETITS, 8, "G.S. et C.P."),
            LitUnReglage(donnees, REGLAGES_GRANDS, 3, "C.E.1 à C.M.2")};
}

std::vector<int> NombresDeQuestions(const std::vector<ReglagesClasse>& reglages) {
    std::vector<int> n;
    for (const ReglagesClasse& r : reglages) {
        if (r.lu && std::find(n.begin(), n.end(), r.questions) == n.end()) n.push_back(r.questions);
    }
    std::sort(n.begin(), n.end());
    return n;
}

// The class settings files, read by the game's own reader (the core
// library's) so that the tool accepts and refuses exactly what the game does.
#include "arbre.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "chemins.h"
#include "classe.h"
#include "lecture.h"
#include "outils.h"

namespace fs = std::filesystem;

namespace {

ReglagesClasse LitUnReglage(const std::string& donnees, const char* nom, const char* classes) {
    ReglagesClasse r;
    r.chemin = Utf8DeChemin(CheminFs(donnees) / nom);
    r.classes = classes;
    const ResultatLecture lu = LitFichierBorne(r.chemin, LIMITE_REGLAGES, r.octets);
    r.existe = lu.echec != EchecLecture::Absent;
    if (!r.existe) return r;
    r.octets_lus = static_cast<bool>(lu);
    FicheReglages fiche;
    r.lu = r.octets_lus && AnalyseReglages(r.octets, r.chemin, fiche, r.message);
    if (!r.octets_lus) r.message = lu.message;
    if (r.lu) {
        r.questions = fiche.questions;
        r.liste = fiche.saisie == 0;
    }
    return r;
}

}  // namespace

std::vector<ReglagesClasse> LitReglages(const std::string& donnees) {
    return {LitUnReglage(donnees, REGLAGES_PETITS, "G.S. et C.P."),
            LitUnReglage(donnees, REGLAGES_GRANDS, "C.E.1 à C.M.2")};
}

std::vector<int> NombresDeQuestions(const std::vector<ReglagesClasse>& reglages) {
    std::vector<int> n;
    for (const ReglagesClasse& r : reglages) {
        if (r.lu && std::find(n.begin(), n.end(), r.questions) == n.end()) n.push_back(r.questions);
    }
    std::sort(n.begin(), n.end());
    return n;
}

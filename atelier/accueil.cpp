// The home page's figures (what `check` finds), and choosing or making the
// game folder (what `init` makes).
#include <filesystem>

#include "arbre.h"
#include "chemins.h"
#include "classe.h"
#include "ecriture.h"
#include "lecture_quizz.h"
#include "operations.h"
#include "ressources.h"

namespace fs = std::filesystem;

namespace {

int NombreEleves(const Atelier& a) {
    std::vector<FicheListe> eleves;
    std::string raison;
    return LitFichierListe(Utf8DeChemin(CheminFs(a.donnees) / LISTE_ELEVES), eleves, raison)
               ? static_cast<int>(eleves.size()) : 0;
}

int NombreQuestions(const Atelier& a) {
    std::string clair, raison;
    if (!LitFichierQuizz(Utf8DeChemin(CheminFs(a.donnees) / FICHIER_QUIZZ), clair, raison)) return 0;
    const std::size_t lignes = LignesQuizz(clair, static_cast<std::size_t>(-1)).size();
    return lignes <= LIGNES_ENTETE ? 0 : static_cast<int>((lignes - LIGNES_ENTETE + 1) / LIGNES_PAR_QUESTION);
}

int NombreResultats(const Atelier& a) {
    int n = 0;
    std::error_code e;
    for (fs::directory_iterator it(CheminFs(a.donnees) / DOSSIER_RESULTATS, e), fin; !e && it != fin; it.increment(e)) {
        const std::string nom = Utf8DeChemin(it->path().filename());
        if (!nom.empty() && nom[0] != '.' && !EstFichierProvisoire(nom) && it->path().extension() == ".txt" &&
            it->is_regular_file(e))
            ++n;
    }
    return n;
}

}  // namespace

Reponse GetAccueil(Atelier& a, const Requete&) {
    if (a.dossier.empty())
        return EnJson({{"dossier", nullptr}, {"diagnostics", Json::array()}, {"eleves", 0}, {"questions", 0}, {"resultats", 0}});
    return EnJson({{"dossier", a.dossier},
                   {"diagnostics", DiagnosticsJson(VerifieDossier(a.donnees), a.dossier)},
                   {"eleves", NombreEleves(a)},
                   {"questions", NombreQuestions(a)},
                   {"resultats", NombreResultats(a)}});
}

Reponse PostDossier(Atelier& a, const Requete& r) {
    const Json corps = Json::parse(r.corps);
    const std::string chemin = corps.at("chemin").get<std::string>();
    const bool creer = corps.value("creer", false);
    if (chemin.empty()) return Refus(422, "Donnez le chemin du dossier de jeu.");
    std::string erreur;
    if (creer && !CreeDossierJeu(chemin, erreur)) return Refus(422, erreur);
    if (!ChoisitDossier(a, chemin))
        return Refus(422, chemin + " n'est pas un dossier de jeu (il ne contient pas de dossier InfosQuizz).");
    return EnJson({{"dossier", a.dossier}});
}

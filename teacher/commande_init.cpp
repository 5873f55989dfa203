// `pivolette init`: a complete game folder for a new class, with a short
// example quiz, that the game runs as it is.
#include <filesystem>
#include <iostream>

#include "arbre.h"
#include "chemins.h"
#include "classe.h"
#include "commandes.h"
#include "fichier_quizz.h"
#include "operations.h"

namespace fs = std::filesystem;

namespace {

const char* const AIDE_INIT =
    "usage : pivolette init DOSSIER\n"
    "\n"
    "Crée dans DOSSIER un dossier de jeu complet : InfosQuizz avec les réglages des\n"
    "deux groupes de classes, une liste d'élèves, un quiz d'exemple brouillé, les\n"
    "dossiers des images, sons et vidéos et celui des résultats ; et, à côté,\n"
    "quiz.txt, le texte de ce quiz à modifier puis à brouiller avec\n"
    "« pivolette encode quiz.txt -o InfosQuizz/questions/vorlines_DEMO ».\n"
    "Aucun fichier existant n'est remplacé.\n"
    "Codes de sortie : 0 créé, 1 un fichier existe déjà ou ne peut être écrit,\n"
    "2 usage.\n";

// The example class, in UTF-8: converted to Windows-1252 when written.
const FicheReglages REGLAGES_PETITS_FICHE{"Mon premier quiz", "Quiz d'exemple",
                                          "Grande section et cours préparatoire", 0, 3, 5, 3, 40};
const FicheReglages REGLAGES_GRANDS_FICHE{"Mon premier quiz", "Quiz d'exemple", "Du CE1 au CM2", 1, 3, 5, 3, 30};
const std::vector<FicheListe> LISTE_FICHE{
    {"DUPONT", "Léa", "C.P."}, {"MARTIN", "Hugo", "C.P."}, {"NGUYEN", "Chloé", "G.S."}};
const char* const QUIZZ_TEXTE =
    "Mon premier quiz\n"
    "Quiz d'exemple\n"
    "Trois lignes d'en-tête, puis sept lignes par question.\n"
    "Combien font 2 + 3 ?\n4\n5\n6\n7\n2\n--\n"
    "Quel animal|dit « miaou » ?\nle chien\nle chat\nla vache\nle coq\n2\n--\n"
    "Quelle saison vient|après l'été ?\nle printemps\nl'hiver\nl'automne\nla #bsaison# des pluies\n3\n--\n";

struct Fichier {
    const char* nom;     // relative to the game folder
    std::string texte;   // UTF-8
    bool brouille;       // the quiz file
    bool donnees;        // Windows-1252, as the game reads it
};

std::vector<Fichier> Fichiers() {
    return {
        {"InfosQuizz/infos/infos_jeu_DEMO0", TexteReglages(REGLAGES_PETITS_FICHE), false, true},
        {"InfosQuizz/infos/infos_jeu_DEMO", TexteReglages(REGLAGES_GRANDS_FICHE), false, true},
        {"InfosQuizz/infos/infos_quizz_DEMO", TexteListe(LISTE_FICHE), false, true},
        {"InfosQuizz/questions/vorlines_DEMO", QUIZZ_TEXTE, true, true},
        {"quiz.txt", QUIZZ_TEXTE, false, false},
    };
}

const char* const DOSSIERS[] = {"InfosQuizz/infos", "InfosQuizz/questions/images",
                                "InfosQuizz/questions/sons", "InfosQuizz/questions/videos",
                                "InfosQuizz/joueurs/DEMO"};

std::string Contenu(const Fichier& f) {
    if (!f.donnees) return f.texte;
    std::string texte;
    std::vector<Diagnostic> ignores;  // the texts above are all Windows-1252
    Utf8Vers1252(f.texte, f.nom, texte, ignores);
    if (f.brouille) BrouilleQuizz(reinterpret_cast<unsigned char*>(texte.data()), texte.size());
    return texte;
}

}  // namespace

bool CreeDossierJeu(const std::string& dossier, std::string& erreur) {
    const fs::path racine = CheminFs(dossier);
    const std::vector<Fichier> fichiers = Fichiers();
    std::error_code e;
    for (const Fichier& f : fichiers) {
        if (fs::exists(racine / f.nom, e))
            return erreur = Utf8DeChemin(racine / f.nom) + " existe déjà : rien n'est créé", false;
    }
    for (const char* d : DOSSIERS) {
        fs::create_directories(racine / d, e);
        if (!fs::is_directory(racine / d, e)) return erreur = "impossible de créer " + Utf8DeChemin(racine / d), false;
    }
    for (const Fichier& f : fichiers) {
        if (!EcritFichierEntier(Utf8DeChemin(racine / f.nom), Contenu(f), erreur)) return false;
    }
    return true;
}

int CommandeInit(int argc, char** argv) {
    const Arguments a = LitArguments(argc, argv, {"--help", "-h"}, {});
    if (a.A("--help") || a.A("-h")) return std::cout << AIDE_INIT, SORTIE_OK;
    if (!a.inconnue.empty() || a.mots.size() != 1) return std::cerr << AIDE_INIT, SORTIE_USAGE;
    std::string erreur;
    if (!CreeDossierJeu(a.mots[0], erreur)) return Echec(SORTIE_PROBLEMES, erreur);
    const fs::path racine = CheminFs(a.mots[0]);
    std::cout << "Dossier de jeu créé dans " << Utf8DeChemin(racine) << ".\n"
              << "Modifiez " << Utf8DeChemin(racine / "quiz.txt") << ", puis :\n"
              << "  pivolette encode " << Utf8DeChemin(racine / "quiz.txt") << " -o "
              << Utf8DeChemin(racine / "InfosQuizz" / FICHIER_QUIZZ) << "\n";
    return SORTIE_OK;
}

// pivolette: the teacher's tool. Writes, scrambles, checks and imports
// quizzes, and gathers the class's results.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "atelier.h"
#include "chemins.h"
#include "commandes.h"
#include "outils.h"

namespace {

const char* const AIDE =
    "usage : pivolette COMMANDE [ARGUMENTS]\n"
    "\n"
    "L'outil du professeur pour Pivolette :\n"
    "  atelier [DOSSIER]       ouvre l'atelier du professeur dans le navigateur\n"
    "  init DOSSIER            crée un dossier de jeu complet, avec un quiz d'exemple\n"
    "  encode TEXTE [-o QUIZZ] brouille le texte d'un quiz pour le jeu\n"
    "  decode QUIZZ [-o TEXTE] remet en clair un quiz brouillé\n"
    "  check [DOSSIER]         vérifie le dossier de jeu comme le jeu le lira\n"
    "  show QUIZZ              montre le quiz tel que le jeu le charge\n"
    "  import aiken|gift FICHIER [-o TEXTE]\n"
    "                          convertit des questions exportées d'une autre plateforme\n"
    "  results [DOSSIER]       les résultats de la classe (--csv pour un tableur)\n"
    "  preview QUIZZ [-o DOSSIER] [--size LxH] [--answers]\n"
    "                          dessine chaque écran de question en PNG, et une planche\n"
    "\n"
    "« pivolette COMMANDE --help » détaille chaque commande.\n"
    "Codes de sortie : 0 tout va bien, 1 problèmes trouvés, 2 usage ou fichier illisible.\n";

struct Sous {
    const char* nom;
    int (*commande)(int, char**);
};

constexpr Sous SOUS_COMMANDES[] = {
    {"init", CommandeInit},     {"encode", CommandeEncode},   {"decode", CommandeDecode},
    {"check", CommandeCheck},   {"show", CommandeShow},       {"import", CommandeImport},
    {"results", CommandeResults}, {"preview", CommandePreview}, {"atelier", CommandeAtelier},
};

}  // namespace

int main(int argc, char* argv[]) {
    // The file names the commands take are UTF-8 on every system.
    std::vector<std::string> arguments = ArgumentsUtf8(argc, argv);
    std::vector<char*> pointeurs;
    for (std::string& a : arguments) pointeurs.push_back(a.data());
    pointeurs.push_back(nullptr);
    argv = pointeurs.data();
    if (argc < 2) return std::cerr << AIDE, SORTIE_USAGE;
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 ||
        std::strcmp(argv[1], "help") == 0)
        return std::cout << AIDE, SORTIE_OK;
    for (const Sous& s : SOUS_COMMANDES) {
        if (std::strcmp(argv[1], s.nom) == 0) return s.commande(argc - 2, argv + 2);
    }
    std::cerr << "pivolette: commande inconnue « " << argv[1] << " »\n\n" << AIDE;
    return SORTIE_USAGE;
}

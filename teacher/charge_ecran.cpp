// The program's side of the screen plug-in (module_ecran.h): the commands
// that measure or draw texts reach the plug-in through these functions, of
// the same names as the plug-in's own. Without the plug-in, the fit of the
// texts is not measured (one warning says why) and nothing is drawn.
#include <iostream>

#include "commandes.h"
#include "mesure.h"
#include "module_ecran.h"
#include "plugin.h"

namespace {

bool BonneVersion(const void* table) { return static_cast<const TableEcran*>(table)->version == VERSION_ECRAN; }

// The plug-in's table, loaded on the first call; nullptr and `pourquoi` when
// it cannot be had.
const TableEcran* Ecran(std::string& pourquoi) {
    static std::string raison;
    static const TableEcran* const table = static_cast<const TableEcran*>(
        lc::LoadPlugin(MODULE_ECRAN, ENTREE_ECRAN, "", PIVOLETTE_MODULES_RELDIR, PIVOLETTE_MODULES_DIR,
                       &BonneVersion, raison));
    pourquoi = "l'écran du jeu n'est pas disponible (" + raison + ")";
    return table;
}

}  // namespace

void MesureQuizz(const std::string& texte, const std::string& fichier, std::vector<Diagnostic>& d) {
    std::string pourquoi;
    if (const TableEcran* ecran = Ecran(pourquoi)) return ecran->mesure_quizz(texte, fichier, d);
    d.push_back({fichier, 0, 0, false, "les textes n'ont pas pu être mesurés : " + pourquoi});
}

bool SurEcranMesure(const std::function<void(const TientDansCase&)>& travail, std::string& erreur) {
    const TableEcran* ecran = Ecran(erreur);
    return ecran && ecran->sur_ecran_mesure(travail, erreur);
}

int CommandePreview(int argc, char** argv) {
    std::string pourquoi;
    if (const TableEcran* ecran = Ecran(pourquoi)) return ecran->commande_preview(argc, argv);
    return Echec(SORTIE_PROBLEMES, pourquoi);
}

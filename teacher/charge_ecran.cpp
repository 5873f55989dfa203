// The program's side of the screen plug-ins (module_ecran.h): the commands
// that measure or draw texts reach the plug-ins through these functions, of
// the same names as the plug-ins' own. Without the measure's plug-in, the
// fit of the texts is not measured (one warning says why); without the
// screen's, nothing is drawn.
#include <iostream>

#include "commandes.h"
#include "mesure.h"
#include "module_ecran.h"
#include "plugin.h"

namespace {

template <typename Table>
bool BonneVersion(const void* table) {
    return static_cast<const Table*>(table)->version == VERSION_ECRAN;
}

// A plug-in's table, loaded on the first call; nullptr and `pourquoi` when
// it cannot be had.
template <typename Table>
const Table* Charge(const char* module, const char* entree, std::string& pourquoi) {
    static std::string raison;
    static const Table* const table = static_cast<const Table*>(lc::LoadPlugin(
        module, entree, "", PIVOLETTE_MODULES_RELDIR, PIVOLETTE_MODULES_DIR, &BonneVersion<Table>, raison));
    pourquoi = "l'écran du jeu n'est pas disponible (" + raison + ")";
    return table;
}

const TableMesure* Mesure(std::string& pourquoi) { return Charge<TableMesure>(MODULE_MESURE, ENTREE_MESURE, pourquoi); }
const TableEcran* Ecran(std::string& pourquoi) { return Charge<TableEcran>(MODULE_ECRAN, ENTREE_ECRAN, pourquoi); }

}  // namespace

void MesureQuizz(const std::string& texte, const std::string& fichier, std::vector<Diagnostic>& d) {
    std::string pourquoi;
    if (const TableMesure* mesure = Mesure(pourquoi)) return mesure->mesure_quizz(texte, fichier, d);
    d.push_back({fichier, 0, 0, false, "les textes n'ont pas pu être mesurés : " + pourquoi});
}

bool SurEcranMesure(const std::function<void(const TientDansCase&)>& travail, std::string& erreur) {
    const TableMesure* mesure = Mesure(erreur);
    return mesure && mesure->sur_ecran_mesure(travail, erreur);
}

int CommandePreview(int argc, char** argv) {
    std::string pourquoi;
    if (const TableEcran* ecran = Ecran(pourquoi)) return ecran->commande_preview(argc, argv);
    return Echec(SORTIE_PROBLEMES, pourquoi);
}

bool ApercuQuestion(const DemandeApercu& demande, std::string& png, std::string& erreur) {
    if (const TableEcran* ecran = Ecran(erreur)) return ecran->apercu_question(demande, png, erreur);
    return false;
}

bool ImageDuJeu(const std::string& octets, const std::string& nom, std::string& raison) {
    if (const TableEcran* ecran = Ecran(raison)) return ecran->image_du_jeu(octets, nom, raison);
    return false;
}

void FermeEcranDuJeu() {
    std::string pourquoi;
    if (const TableEcran* ecran = Ecran(pourquoi)) ecran->ferme_ecran();
}

// The measure that `pivolette import` cuts its lines by.
#include "ajuste.h"
#include "boites.h"
#include "etat.h"
#include "lumicanvas.h"
#include "mesure.h"
#include "module_ecran.h"

bool SurEcranMesure(const std::function<void(const TientDansCase&)>& travail, std::string& erreur) {
    return AvecPolicesDuJeu([&]() {
        FicheQuestion modele{};
        modele.Enonce2[0] = modele.Reponse[0].Ligne2[0] = 'x';
        const BoiteLignes enonce = BoiteEnonce(modele), reponse = BoiteReponse(modele, 1);
        SetUFormat(U_ASCII8);
        travail([&](const std::string& ligne, bool question) {
            const BoiteLignes& b = question ? enonce : reponse;
            SetDimText(b.taille);
            return TextLength(Cp1252DeUtf8(ligne).c_str()) <= b.largeur;
        });
    }, erreur);
}

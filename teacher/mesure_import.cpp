// The measure that `pivolette import` cuts its lines by.
#include <atomic>

#include "ajuste.h"
#include "boites.h"
#include "etat.h"
#include "lumicanvas.h"
#include "mesure.h"
#include "module_ecran.h"

namespace {

std::atomic<std::size_t> caracteres_mesures{0};

}  // namespace

std::size_t CaracteresMesures() { return caracteres_mesures.load(); }

bool SurEcranMesure(const std::function<void(const TientDansCase&)>& travail, std::string& erreur) {
    return AvecPolicesDuJeu([&]() {
        FicheQuestion modele{};
        modele.Enonce2[0] = modele.Reponse[0].Ligne2[0] = 'x';
        const BoiteLignes enonce = BoiteEnonce(modele), reponse = BoiteReponse(modele, 1);
        SetUFormat(U_ASCII8);
        travail([&](const std::string& ligne, bool question) {
            const BoiteLignes& b = question ? enonce : reponse;
            caracteres_mesures += ligne.size();
            const std::string texte = Cp1252DeUtf8(ligne);
            // No character the game draws is less than a pixel wide: a line
            // of more characters than its box has pixels cannot fit, and is
            // not measured (a long text's line would be rendered whole).
            if (texte.size() > static_cast<std::size_t>(b.largeur)) return false;
            SetDimText(b.taille);
            return TextLength(texte.c_str()) <= b.largeur;
        });
    }, erreur);
}

// "KEY=value" files and the display settings of LCConfig.txt.
#include "lcconfig.h"

#include <climits>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "chemins.h"
#include "lecture.h"
#include "nombres.h"

namespace {

constexpr std::size_t LIGNE_GARDEE = 65536;  // the part of a line that is looked at

bool Blanc(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string Rogne(const std::string& s) {
    std::size_t d = 0;
    std::size_t f = s.size();
    while (d < f && Blanc(s[d])) ++d;
    while (f > d && Blanc(s[f - 1])) --f;
    return s.substr(d, f - d);
}

}  // namespace

bool ValeurDeCle(const std::string& octets, const std::string& cle, std::string& valeur) {
    if (cle.empty()) return false;
    std::size_t debut = octets.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    while (debut < octets.size()) {
        std::size_t fin = octets.find('\n', debut);
        if (fin == std::string::npos) fin = octets.size();
        const std::size_t longueur = fin - debut < LIGNE_GARDEE ? fin - debut : LIGNE_GARDEE;
        const std::string ligne = octets.substr(debut, longueur);
        debut = fin + 1;
        const std::size_t egal = ligne.find('=');
        if (egal == std::string::npos || Rogne(ligne.substr(0, egal)) != cle) continue;
        valeur = Rogne(ligne.substr(egal + 1));
        return true;
    }
    return false;
}

bool LitReglageConfig(const std::string& octets, const char* cle, int& reglage,
                      std::string& problemes) {
    std::string valeur;
    if (!ValeurDeCle(octets, cle, valeur)) return false;
    // The value is cut at a NUL byte, as the C string it used to be.
    const std::string texte = valeur.substr(0, valeur.find('\0'));
    std::int64_t n = 0;
    const std::int64_t bas = static_cast<std::int64_t>(INT_MIN) - 1;
    const std::int64_t haut = static_cast<std::int64_t>(INT_MAX) + 1;
    if (!LitEntierDebut(texte.c_str(), bas, haut, &n)) {
        problemes += std::string(cle) + "=" + texte + " n'est pas un nombre : valeur par défaut " +
                     std::to_string(reglage) + ". ";
        return false;
    }
    if (n == bas || n == haut) {
        problemes += std::string(cle) + "=" + texte + " est trop grand : valeur par défaut " +
                     std::to_string(reglage) + ". ";
        return false;
    }
    reglage = static_cast<int>(n);
    return true;
}

ConfigAffichage AnalyseConfig(const std::string& octets) {
    ConfigAffichage c;
    LitReglageConfig(octets, "RESOLUTION_HORIZONTALE", c.largeur, c.problemes);
    LitReglageConfig(octets, "RESOLUTION_VERTICALE", c.hauteur, c.problemes);
    LitReglageConfig(octets, "RESOLUTION_PREDEFINIE", c.code, c.problemes);
    LitReglageConfig(octets, "PLEIN_ECRAN", c.plein_ecran, c.problemes);
    LitReglageConfig(octets, "MESSAGE_ERREUR", c.messages, c.problemes);
    return c;
}

bool LitOctetsConfig(const std::string& chemin, std::string& octets, std::size_t limite) {
    return static_cast<bool>(LitFichierBorne(chemin, limite, octets, true));
}

ConfigAffichage LitFichierConfig(const std::string& chemin) {
    std::string octets;
    const ResultatLecture lu = LitFichierBorne(chemin, LIMITE_CONFIG, octets, true);
    if (lu.echec == EchecLecture::Absent) return {};
    if (!lu) {
        ConfigAffichage c;
        c.problemes = lu.message + " Valeurs par défaut. ";
        return c;
    }
    return AnalyseConfig(octets);
}

std::string CheminLCConfig() {
    const std::string ici = "LCConfig.txt";
    if (!DossierDistant("")) return ici;
    const std::string dossier = DossierDeCetOrdinateur();
    if (dossier.empty()) return ici;
    // A folder that cannot be made leaves the path as it is: its reading
    // gives the defaults, and Tamarel's saving names it in its message.
    std::error_code e;
    std::filesystem::create_directories(CheminFs(dossier), e);
    return dossier + ici;
}

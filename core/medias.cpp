// Media names resolved inside their folder.
#include "medias.h"
#include "chemins.h"

#include "encodage.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A component ".." anywhere, or a name that starts at a root or a drive.
bool SortDuDossier(const std::string& nom) {
    if (nom[0] == '/' || nom[0] == '\\') return true;
    if (nom.size() >= 2 && nom[1] == ':') return true;
    std::size_t debut = 0;
    while (debut <= nom.size()) {
        std::size_t fin = nom.find_first_of("/\\", debut);
        if (fin == std::string::npos) fin = nom.size();
        if (nom.compare(debut, fin - debut, "..") == 0 && fin - debut == 2) return true;
        debut = fin + 1;
    }
    return false;
}

// True when `chemin` lies in `dossier` (both canonical).
bool Dedans(const fs::path& chemin, const fs::path& dossier) {
    auto d = dossier.begin();
    auto c = chemin.begin();
    for (; d != dossier.end(); ++d, ++c) {
        if (c == chemin.end() || *c != *d) return false;
    }
    return c != chemin.end();
}

}  // namespace

std::string NomMediaNatif(const std::string& nom) {
    return EstUtf8(nom) ? nom : Utf8De1252(nom);
}

MediaResolu ResoutMedia(const std::string& donnees, const std::string& dossier,
                        const std::string& nom) {
    MediaResolu r;
    if (nom.empty()) return r;  // no name: nothing to find
    if (nom.find('\0') != std::string::npos || SortDuDossier(nom)) {
        r.etat = EtatMedia::Refuse;
        r.raison = "le nom « " + NomMediaNatif(nom.substr(0, nom.find('\0'))) +
                   " » sort du dossier questions/" + dossier + " : le média n'est pas ouvert";
        return r;
    }
    const fs::path dans = CheminFs(donnees) / "questions" / CheminFs(dossier);
    const fs::path chemin = dans / CheminFs(NomMediaNatif(nom));
    std::error_code e;
    const fs::file_status etat = fs::status(chemin, e);
    if (e || !fs::is_regular_file(etat)) {
        r.chemin = Utf8DeChemin(chemin);
        return r;  // absent, or a folder: nothing to open
    }
    const fs::path vrai = fs::canonical(chemin, e);
    std::error_code e2;
    const fs::path racine = fs::canonical(dans, e2);
    if (e || e2 || !Dedans(vrai, racine)) {
        r.etat = EtatMedia::Refuse;
        r.raison = "questions/" + dossier + "/" + NomMediaNatif(nom) +
                   " est un lien qui sort du dossier : le média n'est pas ouvert";
        return r;
    }
    r.etat = EtatMedia::Trouve;
    r.chemin = Utf8DeChemin(chemin);
    return r;
}

#include "fichiers.h"

#include "chemins.h"
#include "ecriture.h"
#include "outils.h"

std::string CheminDonnees(const Atelier& a, const char* relatif) {
    return Utf8DeChemin(CheminFs(a.donnees) / relatif);
}

FichierLu LitAvecVersion(const std::string& chemin, std::size_t limite) {
    FichierLu f;
    f.lecture = LitFichierBorne(chemin, limite, f.octets);
    f.version = f.Absent() ? VERSION_ABSENT : VersionOctets(f.octets);
    return f;
}

Reponse Perime(const std::string& version_actuelle) {
    Reponse r = EnJson({{"erreur", "Le fichier a changé depuis que la page l'a chargé (un autre onglet, une "
                                   "modification à la main ou le jeu). Rien n'est enregistré : rechargez la page."},
                        {"diagnostics", Json::array()},
                        {"version", version_actuelle}},
                       409);
    return r;
}

std::optional<Reponse> EcritSiVersion(const std::string& chemin, std::size_t limite, const std::string& attendue,
                                      const std::string& octets, std::string& version) {
    const FichierLu actuel = LitAvecVersion(chemin, limite);
    if (!actuel.lecture && !actuel.Absent()) return Refus(500, actuel.lecture.message);
    if (actuel.version != attendue) return Perime(actuel.version);
    std::string erreur;
    if (!EcritFichierSur(chemin, octets, erreur)) return Refus(500, erreur);
    version = VersionOctets(octets);
    return std::nullopt;
}

bool TexteEn1252(const std::string& utf8, const std::string& fichier, int ligne, std::string& sortie,
                 std::vector<Diagnostic>& d) {
    if (utf8.find_first_of("\r\n") != std::string::npos) {
        d.push_back({fichier, ligne, 0, true, "un texte tient sur une ligne : pas de retour à la ligne"});
        return false;
    }
    std::vector<Diagnostic> refus;
    const bool ok = Utf8Vers1252(utf8, fichier, sortie, refus);
    for (Diagnostic& x : refus) x.ligne = ligne, d.push_back(x);
    return ok;
}

// « La classe »: the pupil list, checked as the game reads it.
#include <map>

#include "arbre.h"
#include "classe.h"
#include "controle_classe.h"
#include "fichiers.h"
#include "ressources.h"

namespace {

std::vector<Diagnostic> Controle(const std::string& octets, const std::string& chemin) {
    std::vector<Diagnostic> d;
    ControleListe(octets, chemin, d);
    std::vector<FicheListe> eleves;
    std::string raison;
    if (!AUneErreur(d) && !AnalyseListe(octets, chemin, eleves, raison)) d.push_back({chemin, 0, 0, true, raison});
    return d;
}

// The pupils line by line, as far as they can be read.
Json Eleves(const std::string& octets) {
    std::string texte;
    RefusCodage refus;
    if (!ClasseEn1252(octets, texte, refus)) texte = octets;
    const std::vector<std::string> l = LignesDonnees(texte);
    const std::int64_t annonce = l.empty() ? -1 : NombreDeTexte(l[0], ELEVES_CHIFFRES_MAX);
    std::size_t n = (l.size() > 0 ? l.size() - 1 : 0) / 3;
    if (annonce >= 0 && static_cast<std::size_t>(annonce) < n) n = static_cast<std::size_t>(annonce);
    Json eleves = Json::array();
    for (std::size_t k = 0; k < n && k < MAX_JOUEURS; ++k)
        eleves.push_back({{"nom", Utf8De1252(l[1 + 3 * k])}, {"prenom", Utf8De1252(l[2 + 3 * k])},
                          {"classe", Utf8De1252(l[3 + 3 * k])}});
    return eleves;
}

// The check names the second of two pupils with one results file; the page
// shows both.
void NommeLesDeux(const std::vector<FicheListe>& eleves, const std::string& chemin, std::vector<Diagnostic>& d) {
    std::map<std::string, std::size_t> premiers;
    for (std::size_t k = 0; k < eleves.size(); ++k) {
        const auto [place, nouveau] = premiers.emplace(CleEleve(eleves[k].nom, eleves[k].prenom), k);
        if (!nouveau)
            d.push_back({chemin, static_cast<int>(2 + 3 * place->second), 0, true,
                         "même nom et même prénom que l'élève de la ligne " + std::to_string(2 + 3 * k) +
                             " : ils auraient le même fichier de résultats"});
    }
}

}  // namespace

Reponse GetClasse(Atelier& a, const Requete&) {
    if (a.dossier.empty()) return SansDossier();
    const std::string chemin = CheminDonnees(a, LISTE_ELEVES);
    const FichierLu f = LitAvecVersion(chemin, LIMITE_LISTE);
    std::vector<Diagnostic> d;
    if (!f.lecture) d.push_back({chemin, 0, 0, !f.Absent(), f.Absent() ? "liste des élèves absente" : f.lecture.message});
    else d = Controle(f.octets, chemin);
    return EnJson({{"version", f.version}, {"eleves", Eleves(f.octets)}, {"diagnostics", DiagnosticsJson(d, a.dossier)}});
}

Reponse PutClasse(Atelier& a, const Requete& r) {
    if (a.dossier.empty()) return SansDossier();
    const Json corps = Json::parse(r.corps);
    const std::string chemin = CheminDonnees(a, LISTE_ELEVES);
    std::vector<Diagnostic> d;
    std::vector<FicheListe> eleves;
    for (const Json& e : corps.at("eleves")) {
        FicheListe fiche;
        const int ligne = static_cast<int>(2 + 3 * eleves.size());
        TexteEn1252(e.at("nom").get<std::string>(), chemin, ligne, fiche.nom, d);
        TexteEn1252(e.at("prenom").get<std::string>(), chemin, ligne + 1, fiche.prenom, d);
        TexteEn1252(e.at("classe").get<std::string>(), chemin, ligne + 2, fiche.classe, d);
        eleves.push_back(std::move(fiche));
    }
    const std::string octets = TexteListe(eleves);
    if (d.empty()) d = Controle(octets, chemin), NommeLesDeux(eleves, chemin, d);
    if (AUneErreur(d)) return Refus(422, "Liste refusée : le jeu ne la lirait pas.", DiagnosticsJson(d, a.dossier));
    std::string version;
    if (auto refus = EcritSiVersion(chemin, LIMITE_LISTE, corps.at("version").get<std::string>(), octets, version))
        return *refus;
    return EnJson({{"version", version}, {"diagnostics", DiagnosticsJson(d, a.dossier)}});
}

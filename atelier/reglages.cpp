// « Réglages »: the two settings files, each value as the game reads it.
#include "arbre.h"
#include "classe.h"
#include "controle_classe.h"
#include "fichiers.h"
#include "ressources.h"

namespace {

struct Groupe {
    const char* cle;
    const char* niveaux;
    const char* fichier;
};
const Groupe GROUPES[] = {{"DEMO0", "G.S., C.P.", REGLAGES_PETITS}, {"DEMO", "C.E.1 à C.M.2", REGLAGES_GRANDS}};

const char* const TEXTES[] = {"questionnaire", "theme", "entete"};
const char* const NOMBRES[] = {"saisie", "questions", "attente1", "attente2", "temps"};

// What the game and the check find in the bytes; the game's reader has the last word.
std::vector<Diagnostic> Controle(const std::string& octets, const std::string& chemin) {
    std::vector<Diagnostic> d;
    ControleReglages(octets, chemin, d);
    FicheReglages fiche;
    std::string raison;
    if (!AnalyseReglages(octets, chemin, fiche, raison) && !AUneErreur(d)) d.push_back({chemin, 0, 0, true, raison});
    return d;
}

// The values line by line, as far as they can be read: a damaged file still
// shows what it holds (null where a number cannot be read).
Json Valeurs(const std::string& octets) {
    std::string texte;
    RefusCodage refus;
    if (!ClasseEn1252(octets, texte, refus)) texte = octets;
    const std::vector<std::string> lignes = LignesDonnees(texte);
    auto ligne = [&](std::size_t k) { return k < lignes.size() ? lignes[k] : std::string(); };
    Json v;
    for (std::size_t k = 0; k < 3; ++k) v[TEXTES[k]] = Utf8De1252(ligne(k));
    for (std::size_t k = 0; k < 5; ++k) {
        const std::int64_t n = NombreDeTexte(ligne(k + 3), REGLAGE_CHIFFRES_MAX);
        v[NOMBRES[k]] = n < 0 ? Json(nullptr) : Json(k == 0 ? (n != 0 ? 1 : 0) : n);
    }
    return v;
}

Json GroupeJson(const Atelier& a, const Groupe& g) {
    const std::string chemin = CheminDonnees(a, g.fichier);
    const FichierLu f = LitAvecVersion(chemin, LIMITE_REGLAGES);
    std::vector<Diagnostic> d;
    if (!f.lecture) d.push_back({chemin, 0, 0, true, f.Absent() ? "fichier de réglages absent" : f.lecture.message});
    else d = Controle(f.octets, chemin);
    return {{"cle", g.cle}, {"niveaux", g.niveaux}, {"version", f.version},
            {"reglages", Valeurs(f.octets)}, {"diagnostics", DiagnosticsJson(d, a.dossier)}};
}

int Nombre(const Json& v, const char* nom) {
    const Json& n = v.at(nom);
    if (n.is_boolean()) return n.get<bool>() ? 1 : 0;
    return n.get<int>();
}

}  // namespace

Reponse GetReglages(Atelier& a, const Requete&) {
    if (a.dossier.empty()) return SansDossier();
    Json groupes = Json::array();
    for (const Groupe& g : GROUPES) groupes.push_back(GroupeJson(a, g));
    return EnJson({{"groupes", groupes}});
}

Reponse PutReglages(Atelier& a, const Requete& r) {
    if (a.dossier.empty()) return SansDossier();
    const Groupe* g = nullptr;
    for (const Groupe& x : GROUPES) g = r.reste == x.cle ? &x : g;
    if (!g) return Refus(404, "Ce groupe de classes n'existe pas.");
    const Json corps = Json::parse(r.corps);
    const Json& v = corps.at("reglages");
    const std::string chemin = CheminDonnees(a, g->fichier);
    std::vector<Diagnostic> d;
    FicheReglages fiche;
    std::string* textes[] = {&fiche.questionnaire, &fiche.theme, &fiche.entete};
    for (int k = 0; k < 3; ++k) {
        TexteEn1252(v.at(TEXTES[k]).get<std::string>(), chemin, k + 1, *textes[k], d);
    }
    int* nombres[] = {&fiche.saisie, &fiche.questions, &fiche.attente1, &fiche.attente2, &fiche.temps};
    for (int k = 0; k < 5; ++k) *nombres[k] = Nombre(v, NOMBRES[k]);
    const std::string octets = TexteReglages(fiche);
    if (d.empty()) d = Controle(octets, chemin);
    if (AUneErreur(d)) return Refus(422, "Réglages refusés : le jeu ne les lirait pas.", DiagnosticsJson(d, a.dossier));
    std::string version;
    if (auto refus = EcritSiVersion(chemin, LIMITE_REGLAGES, corps.at("version").get<std::string>(), octets, version))
        return *refus;
    return EnJson({{"version", version}, {"diagnostics", DiagnosticsJson(d, a.dossier)}});
}

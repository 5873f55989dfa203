// « Résultats »: the class's results as `results` gathers them, its two
// exports, and « Rejouer », the one change made to the results folder.
#include <chrono>
#include <ctime>
#include <filesystem>

#include "arbre.h"
#include "chemins.h"
#include "fichiers.h"
#include "operations.h"
#include "ressources.h"

namespace fs = std::filesystem;

namespace {

Json EleveJson(const Resultat& r, const fs::path& classe) {
    Json reponses = Json::array();
    for (const ReponseDonnee& x : r.reponses.reponses)
        reponses.push_back({{"question", x.question}, {"reponse", x.choix}, {"juste", x.juste}, {"secondes", x.secondes}});
    return {{"cle", r.fichier}, {"nom", r.nom}, {"prenom", r.prenom}, {"justes", r.bonnes}, {"fausses", r.mauvaises},
            {"secondes", r.secondes}, {"questions", r.questions},
            {"score", r.questions > 0 ? Json(100.0 * static_cast<double>(r.bonnes) / static_cast<double>(r.questions)) : Json(nullptr)},
            {"note", r.remarque}, {"reponses", reponses},
            {"version", LitAvecVersion(Utf8DeChemin(classe / CheminFs(r.fichier)), LIMITE_RESULTATS).version}};
}

Json QuestionJson(const StatQuestion& s, const QuizzVue& quizz) {
    const std::size_t k = static_cast<std::size_t>(s.numero - 1);
    const QuestionVue* q = k < quizz.questions.size() ? &quizz.questions[k] : nullptr;
    Json reponses = Json::array();
    for (int n = 0; n < 4; ++n) reponses.push_back(q ? q->reponses[n] : "");
    return {{"numero", s.numero}, {"texte", q ? q->texte : ""}, {"reponses", reponses}, {"bonne", s.bonne ? s.bonne : (q && q->bonne >= '1' && q->bonne <= '4' ? q->bonne - '0' : 0)},
            {"vus", s.rencontres}, {"justes", s.justes},
            {"choix", {s.choix[1], s.choix[2], s.choix[3], s.choix[4], s.choix[0]}}, {"mediane", s.mediane}};
}

Reponse Fichier(std::string corps, const char* type, const char* nom) {
    Reponse r;
    r.type = type;
    r.corps = std::move(corps);
    r.entetes.emplace_back("Content-Disposition", std::string("attachment; filename=\"") + nom + "\"");
    return r;
}

// "AAAA-MM-JJ_HHMMSS" of now, local time.
std::string Horodatage() {
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    char texte[32];
    std::strftime(texte, sizeof texte, "%Y-%m-%d_%H%M%S", &local);
    return texte;
}

// A new folder of the archives, "-2", "-3"… when that second has one already.
fs::path NouvelleArchive(const fs::path& classe, std::error_code& e) {
    const fs::path archives = classe / NOM_DOSSIER_ARCHIVES;
    fs::create_directories(archives, e);
    const std::string base = Horodatage();
    for (int n = 1; n < 100 && !e; ++n) {
        const fs::path p = archives / CheminFs(n == 1 ? base : base + "-" + std::to_string(n));
        if (fs::create_directory(p, e)) return p;
    }
    if (!e) e = std::make_error_code(std::errc::file_exists);
    return {};
}

// The results file named `cle` among those of the folder: a name the
// folder lists, never a path the page made up.
bool FichierDeLaClasse(const fs::path& classe, const std::string& cle, fs::path& trouve) {
    std::error_code e;
    for (fs::directory_iterator it(classe, e), fin; !e && it != fin; it.increment(e)) {
        if (Utf8DeChemin(it->path().filename()) == cle && it->path().extension() == ".txt" && it->is_regular_file(e))
            return trouve = it->path(), true;
    }
    return false;
}

}  // namespace

Reponse GetResultats(Atelier& a, const Requete&) {
    if (a.dossier.empty()) return SansDossier();
    BilanClasse bilan;
    std::string erreur;
    if (!LitBilanClasse(a.donnees, bilan, erreur))
        return EnJson({{"eleves", Json::array()}, {"questions", Json::array()},
                       {"diagnostics", DiagnosticsJson({{a.donnees, 0, 0, false, erreur}}, a.dossier)}});
    Json eleves = Json::array(), questions = Json::array();
    const fs::path classe = CheminFs(a.donnees) / DOSSIER_RESULTATS;
    for (const Resultat& r : bilan.classe) eleves.push_back(EleveJson(r, classe));
    for (const StatQuestion& s : bilan.stats) questions.push_back(QuestionJson(s, bilan.quizz));
    return EnJson({{"eleves", eleves}, {"questions", questions}, {"diagnostics", DiagnosticsJson(bilan.diagnostics, a.dossier)}});
}

Reponse GetResultatsCsv(Atelier& a, const Requete&) {
    if (a.dossier.empty()) return SansDossier();
    BilanClasse bilan;
    std::string erreur;
    if (!LitBilanClasse(a.donnees, bilan, erreur)) return Refus(404, erreur);
    return Fichier(ResultatsCsv(bilan), "text/csv; charset=utf-8", "resultats.csv");
}

Reponse GetResultatsHtml(Atelier& a, const Requete&) {
    if (a.dossier.empty()) return SansDossier();
    BilanClasse bilan;
    std::string erreur;
    if (!LitBilanClasse(a.donnees, bilan, erreur)) return Refus(404, erreur);
    return Fichier(ResultatsHtml(bilan), "text/html; charset=utf-8", "resultats.html");
}

Reponse PostRejouer(Atelier& a, const Requete& r) {
    if (a.dossier.empty()) return SansDossier();
    const Json corps = Json::parse(r.corps);
    const fs::path classe = CheminFs(a.donnees) / DOSSIER_RESULTATS;
    fs::path resultats;
    if (!FichierDeLaClasse(classe, corps.at("cle").get<std::string>(), resultats))
        return Refus(404, "Cet élève n'a pas de fichier de résultats.");
    const FichierLu lu = LitAvecVersion(Utf8DeChemin(resultats), LIMITE_RESULTATS);
    if (lu.version != corps.at("version").get<std::string>()) return Perime(lu.version);
    std::error_code e;
    const fs::path archive = NouvelleArchive(classe, e);
    if (e) return Refus(500, "Impossible de créer le dossier d'archive : " + e.message());
    const fs::path reponses = classe / NOM_DOSSIER_REPONSES / resultats.filename();
    if (fs::is_regular_file(reponses, e)) {
        fs::create_directory(archive / NOM_DOSSIER_REPONSES, e);
        fs::rename(reponses, archive / NOM_DOSSIER_REPONSES / resultats.filename(), e);
        if (e) return Refus(500, "Impossible de ranger le fichier de réponses : " + e.message());
    }
    fs::rename(resultats, archive / resultats.filename(), e);
    if (e) return Refus(500, "Impossible de ranger le fichier de résultats : " + e.message());
    return EnJson({{"archive", Utf8DeChemin(fs::relative(archive, CheminFs(a.donnees), e))}});
}

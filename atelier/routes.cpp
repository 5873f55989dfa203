#include "routes.h"

#include "ressources.h"

namespace {

// Exact paths first, then the prefixes, longest first.
const Route ROUTES[] = {
    {"GET", "/", 0, &GetRacine},
    {"GET", "/api/session", 0, &GetSession},
    {"POST", "/api/present", LIMITE_JSON, &PostPresent},
    {"POST", "/api/fermer", LIMITE_JSON, &PostFermer},
    {"GET", "/api/accueil", 0, &GetAccueil},
    {"POST", "/api/dossier", LIMITE_JSON, &PostDossier},
    {"GET", "/api/reglages", 0, &GetReglages},
    {"PUT", "/api/reglages/*", LIMITE_JSON, &PutReglages},
    {"GET", "/api/classe", 0, &GetClasse},
    {"PUT", "/api/classe", LIMITE_JSON, &PutClasse},
    {"GET", "/api/quiz", 0, &GetQuiz},
    {"PUT", "/api/quiz", LIMITE_JSON, &PutQuiz},
    {"POST", "/api/apercu", LIMITE_JSON, &PostApercu},
    {"POST", "/api/import", LIMITE_IMPORT, &PostImport},
    {"GET", "/api/medias", 0, &GetMedias},
    {"POST", "/api/medias/images", LIMITE_IMAGE, &PostMedia},
    {"POST", "/api/medias/sons", LIMITE_SON, &PostMedia},
    {"POST", "/api/medias/videos", LIMITE_VIDEO, &PostMedia},
    {"GET", "/medias/*", 0, &GetMedia},
    {"GET", "/api/resultats", 0, &GetResultats},
    {"GET", "/api/resultats.csv", 0, &GetResultatsCsv},
    {"GET", "/api/resultats.html", 0, &GetResultatsHtml},
    {"POST", "/api/rejouer", LIMITE_JSON, &PostRejouer},
    {"GET", "/*", 0, &GetPage},
};

bool Correspond(const Route& route, const std::string& chemin, std::string& reste) {
    const std::string c = route.chemin;
    if (c.back() != '*') return chemin == c;
    const std::string prefixe = c.substr(0, c.size() - 1);
    if (chemin.compare(0, prefixe.size(), prefixe) != 0) return false;
    reste = chemin.substr(prefixe.size());
    return true;
}

}  // namespace

const Route* TrouveRoute(const std::string& methode, const std::string& chemin, std::string& reste,
                         bool& chemin_connu) {
    chemin_connu = false;
    for (const Route& route : ROUTES) {
        std::string r;
        if (!Correspond(route, chemin, r)) continue;
        // The pages' catch-all does not make every path of the API "known".
        if (std::string(route.chemin) == "/*" && chemin.compare(0, 5, "/api/") == 0) continue;
        if (methode == route.methode) return reste = r, &route;
        chemin_connu = true;
    }
    return nullptr;
}

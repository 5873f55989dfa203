// The token exchange, the pages, the session's figures, and how the workshop
// is kept alive and closed.
#include "garde.h"
#include "navigateur.h"
#include "ressources.h"
#include "statique.h"

namespace {

Reponse JetonRefuse() {
    Reponse r;
    r.statut = 403;
    r.type = "text/html; charset=utf-8";
    r.corps = "<!DOCTYPE html>\n<html lang=\"fr\"><head><meta charset=\"utf-8\"><title>Adresse déjà utilisée</title>"
              "</head><body><h1>Adresse déjà utilisée</h1><p>L'adresse de l'atelier ne sert qu'une fois. "
              "Relancez l'atelier (pivolette atelier) : il donne une nouvelle adresse.</p></body></html>\n";
    return r;
}

}  // namespace

Reponse GetRacine(Atelier& a, const Requete& r) {
    if (r.parametres.count("jeton") == 0) return ServirPage(a, r);
    if (a.jeton_utilise || !EgalSecret(r.Parametre("jeton"), a.jeton)) return JetonRefuse();
    const std::string session = HexAleatoire(16);
    if (session.empty()) return Refus(500, "Le système ne donne pas de nombres au hasard.");
    a.jeton_utilise = true;
    a.session = session;
    Reponse reponse;
    reponse.statut = 303;
    reponse.type = "text/plain; charset=utf-8";
    reponse.entetes.emplace_back("Location", "/");
    reponse.entetes.emplace_back("Set-Cookie", "atelier=" + session + "; HttpOnly; SameSite=Strict; Path=/");
    return reponse;
}

Reponse GetPage(Atelier& a, const Requete& r) { return ServirPage(a, r); }

Reponse GetSession(Atelier& a, const Requete&) {
    return EnJson({{"csrf", a.csrf},
                   {"dossier", a.dossier.empty() ? Json(nullptr) : Json(a.dossier)},
                   {"programme", "pivolette 1.0"}});
}

Reponse PostPresent(Atelier&, const Requete&) { return EnJson(Json::object()); }

Reponse PostFermer(Atelier&, const Requete&) {
    Reponse r = EnJson({{"ferme", true}});
    r.arret_apres = true;
    return r;
}

Reponse SansDossier() {
    Diagnostic d{"", 0, 0, true, "Aucun dossier de jeu n'est choisi : choisissez-le ou créez-le sur la page d'accueil."};
    return Refus(422, d.message, DiagnosticsJson({d}, ""));
}

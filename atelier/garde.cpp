#include "garde.h"

#include <cstring>

namespace {

bool EstEcriture(const std::string& m) { return m == "POST" || m == "PUT" || m == "DELETE"; }

bool MethodeConnue(const std::string& m) { return m == "GET" || m == "HEAD" || EstEcriture(m); }

bool EstApi(const Requete& r) { return r.chemin.compare(0, 5, "/api/") == 0; }

bool HoteLocal(const Atelier& a, const std::string& hote) {
    const std::string port = ":" + std::to_string(a.port);
    return hote == "127.0.0.1" + port || hote == "localhost" + port;
}

bool OrigineLocale(const Atelier& a, const std::string& origine) {
    return origine.empty() || HoteLocal(a, origine.compare(0, 7, "http://") == 0 ? origine.substr(7) : "?");
}

Reponse PageRefus(int statut, const char* titre, const char* texte) {
    Reponse r;
    r.statut = statut;
    r.type = "text/html; charset=utf-8";
    r.corps = std::string("<!DOCTYPE html>\n<html lang=\"fr\"><head><meta charset=\"utf-8\"><title>") + titre +
              "</title></head><body><h1>" + titre + "</h1><p>" + texte + "</p></body></html>\n";
    return r;
}

Reponse NonConnecte(const Requete& r) {
    const char* texte = "Cette page n'est ouverte qu'au navigateur qui a ouvert l'adresse de l'atelier. "
                        "Relancez l'atelier (pivolette atelier) et ouvrez l'adresse qu'il donne.";
    if (EstApi(r)) return Refus(401, texte);
    return PageRefus(401, "Atelier fermé à ce navigateur", texte);
}

// The token exchange: "/?jeton=…" needs no cookie, it gives one.
bool EchangeDeJeton(const Requete& r) { return r.chemin == "/" && r.parametres.count("jeton") > 0; }

}  // namespace

bool EgalSecret(const std::string& a, const std::string& b) {
    if (a.size() != b.size() || a.empty()) return false;
    unsigned char d = 0;
    for (std::size_t k = 0; k < a.size(); ++k) d |= static_cast<unsigned char>(a[k] ^ b[k]);
    return d == 0;
}

bool SessionValide(const Atelier& atelier, const Requete& requete) {
    return !atelier.session.empty() && EgalSecret(requete.cookie, atelier.session);
}

std::optional<Reponse> Garde(const Atelier& a, const Requete& r, const Route* route, bool chemin_connu,
                             long long longueur) {
    if (!MethodeConnue(r.methode)) return Refus(405, "Méthode refusée.");
    if (!HoteLocal(a, r.Entete("host")))
        return Refus(403, "Cet atelier ne répond qu'à l'adresse 127.0.0.1 ou localhost de son port.");
    if (!EchangeDeJeton(r) && !SessionValide(a, r)) return NonConnecte(r);
    if (EstEcriture(r.methode) &&
        (!EgalSecret(r.Entete("x-atelier-csrf"), a.csrf) || !OrigineLocale(a, r.Entete("origin"))))
        return Refus(403, "Modification refusée : elle ne vient pas d'une page de l'atelier.");
    if (EstEcriture(r.methode) && longueur < 0)
        return Refus(411, "La taille de l'envoi n'est pas annoncée (Content-Length).");
    const std::size_t limite = route ? route->limite : 0;
    if (longueur > 0 && static_cast<unsigned long long>(longueur) > limite)
        return Refus(413, "Envoi trop gros : au plus " + std::to_string(limite / 1024) + " Kio ici.");
    if (!route) return chemin_connu ? Refus(405, "Méthode refusée pour cette adresse.")
                                    : Refus(404, "Cette adresse n'existe pas dans l'atelier.");
    return std::nullopt;
}

void EntetesDeSecurite(Reponse& reponse, bool api) {
    // A handler's own directives (a medium's sandbox) join the one policy.
    std::string politique = "default-src 'self'; img-src 'self' blob:; media-src 'self' blob:; "
                            "frame-ancestors 'none'; base-uri 'none'; form-action 'self'";
    for (auto it = reponse.entetes.begin(); it != reponse.entetes.end();) {
        if (it->first != "Content-Security-Policy") {
            ++it;
            continue;
        }
        politique += "; " + it->second;
        it = reponse.entetes.erase(it);
    }
    reponse.entetes.emplace_back("Content-Security-Policy", politique);
    reponse.entetes.emplace_back("X-Content-Type-Options", "nosniff");
    reponse.entetes.emplace_back("Referrer-Policy", "no-referrer");
    reponse.entetes.emplace_back("X-Frame-Options", "DENY");
    if (api) reponse.entetes.emplace_back("Cache-Control", "no-store");
}

// Every check a request goes through before it is routed (API.md, in its
// order), and the headers every answer carries. No handler repeats them.
#pragma once

#include <optional>

#include "atelier.h"
#include "http.h"
#include "routes.h"

// The answer that refuses `requete`, or nothing when it may go on. Its body
// is not read yet: `longueur` is its announced Content-Length (-1: none).
// `route` may be null (no such resource: 404 once the request is let in).
std::optional<Reponse> Garde(const Atelier& atelier, const Requete& requete, const Route* route,
                             bool chemin_connu, long long longueur);

// The security headers, and the cache's (no-store for the API).
void EntetesDeSecurite(Reponse& reponse, bool api);

// Compares two secrets in a time that does not depend on where they differ;
// an empty one matches nothing.
bool EgalSecret(const std::string& a, const std::string& b);

// Whether `requete` carries the session's cookie.
bool SessionValide(const Atelier& atelier, const Requete& requete);

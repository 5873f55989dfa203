// The workshop's one table of routes, from method and path to handler.
#pragma once

#include <cstddef>
#include <string>

#include "atelier.h"
#include "http.h"

using Gestionnaire = Reponse (*)(Atelier& atelier, const Requete& requete);

struct Route {
    const char* methode;   // "GET" (HEAD too), "POST", "PUT", "DELETE"
    const char* chemin;    // exact, or a prefix ending in '*'
    std::size_t limite;    // the largest body it takes, bytes
    Gestionnaire gestionnaire;
};

// The route of `methode` and `chemin`, with in `reste` what a prefix route
// leaves of the path; nullptr when none: `chemin_connu` then says whether
// another method has it (405 rather than 404).
const Route* TrouveRoute(const std::string& methode, const std::string& chemin, std::string& reste,
                         bool& chemin_connu);

// The body limits by kind (API.md).
inline constexpr std::size_t MIO = 1024 * 1024;
inline constexpr std::size_t LIMITE_JSON = 2 * MIO;
inline constexpr std::size_t LIMITE_IMPORT = 4 * MIO;
inline constexpr std::size_t LIMITE_IMAGE = 16 * MIO;
inline constexpr std::size_t LIMITE_SON = 32 * MIO;
inline constexpr std::size_t LIMITE_VIDEO = 256 * MIO;

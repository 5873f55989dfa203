// A request and its answer as the workshop's handlers see them: no HTTP
// parsing here, the server library (libmicrohttpd, serveur.cpp) fills them.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "diagnostic.h"

using Json = nlohmann::json;

struct Requete {
    std::string methode;   // "GET", "HEAD", "POST", "PUT", "DELETE"
    std::string chemin;    // "/api/quiz", decoded, without the query
    std::map<std::string, std::string> parametres;  // the query's, decoded
    std::map<std::string, std::string> entetes;     // the ones the workshop reads, lowercase names
    std::string cookie;    // the session cookie "atelier", if sent
    std::string corps;
    std::string reste;     // for a route that ends in "*": the path after its prefix

    std::string Entete(const std::string& nom) const;
    std::string Parametre(const std::string& nom) const;
};

struct Reponse {
    int statut = 200;
    std::string type = "application/json; charset=utf-8";
    std::string corps;
    std::vector<std::pair<std::string, std::string>> entetes;
    bool arret_apres = false;  // the workshop stops once this answer is sent
};

// 200 (or `statut`) with a JSON body.
Reponse EnJson(const Json& corps, int statut = 200);
// A refusal: {"erreur": message, "diagnostics": [...]}.
Reponse Refus(int statut, const std::string& message, const Json& diagnostics = Json::array());

// A diagnostic as the pages receive it (API.md): its file relative to the
// game folder `dossier`, and where it is mended (`lieu`), worked out from
// the file and line by the file's own layout.
Json DiagnosticJson(const Diagnostic& d, const std::string& dossier);
Json DiagnosticsJson(const std::vector<Diagnostic>& diagnostics, const std::string& dossier);

// A hash of a file's bytes, the version a save is checked against; "absent"
// for a file that does not exist.
std::string VersionOctets(const std::string& octets);
inline const char* const VERSION_ABSENT = "absent";

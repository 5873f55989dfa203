// The pages (atelier/pages/ in the source tree), packed under "pages/" in
// the archive appended to the program, read once at start, and served with
// their MIME type and an ETag.
#pragma once

#include <string>

#include "atelier.h"
#include "http.h"

// Reads every "pages/…" file of the archive appended to `programme` into
// atelier.pages. False with `erreur` when there is none (the API still works).
bool ChargePages(Atelier& atelier, const std::string& programme, std::string& erreur);

// GET of a page: "/" is "/index.html"; 304 when If-None-Match holds its ETag.
Reponse ServirPage(Atelier& atelier, const Requete& requete);

// The MIME type of a file name, by its extension.
std::string TypeMime(const std::string& nom);

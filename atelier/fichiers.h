// The data files as the workshop's resources see them: read with their
// version, written only when the version the page loaded is still the
// file's, and only through core/'s safe writer.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "atelier.h"
#include "http.h"
#include "lecture.h"

struct FichierLu {
    ResultatLecture lecture;
    std::string octets;
    std::string version;  // VersionOctets, or VERSION_ABSENT
    bool Absent() const { return lecture.echec == EchecLecture::Absent; }
};

// The file `relatif` of the data folder (or `chemin` itself, absolute).
std::string CheminDonnees(const Atelier& a, const char* relatif);
FichierLu LitAvecVersion(const std::string& chemin, std::size_t limite);

// The refusal of a save made against a version the file no longer has
// (409, with the current one).
Reponse Perime(const std::string& version_actuelle);

// Writes `octets` over `chemin` when its version is still `attendue`:
// nothing (and the new version in `version`), or the answer that refuses it.
std::optional<Reponse> EcritSiVersion(const std::string& chemin, std::size_t limite, const std::string& attendue,
                                      const std::string& octets, std::string& version);

// A one-line text of a page (UTF-8) as the data files hold it, Windows-1252:
// a character it cannot hold, or a line break, is reported at line `ligne`
// of `fichier`.
bool TexteEn1252(const std::string& utf8, const std::string& fichier, int ligne, std::string& sortie,
                 std::vector<Diagnostic>& diagnostics);

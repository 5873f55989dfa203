// Where a medium named by a quiz (picture, sound, video, answer picture,
// thumbnail) is found: only inside its media folder of the data tree. The
// game and `pivolette check` both ask here, so they agree on what is found.
#pragma once

#include <string>

enum class EtatMedia {
    Trouve,   // a regular file inside the media folder
    Absent,   // a lawful name, but no such file
    Refuse,   // a name that leaves the folder (absolute, "..", a link going out)
};

struct MediaResolu {
    EtatMedia etat = EtatMedia::Absent;
    std::string chemin;  // UTF-8 path of the file (also when absent); empty when refused
    std::string raison;  // UTF-8, when refused
};

// The name as the file system knows it: the bytes themselves when they are
// UTF-8, else Windows-1252 bytes converted to UTF-8.
std::string NomMediaNatif(const std::string& nom);

// Resolves `nom` (bytes as written in the quiz) in the folder
// `questions/<dossier>` of the data folder `donnees` (UTF-8 path).
MediaResolu ResoutMedia(const std::string& donnees, const std::string& dossier,
                        const std::string& nom);

// One problem found in a data file, the one error record every front end of
// the teacher's tools shares: the command line prints it "file:line: error:
// message", the workshop sends it to its pages.
#pragma once

#include <string>
#include <vector>

// ligne 0: the file as a whole; colonne 0: the whole line.
struct Diagnostic {
    std::string fichier;
    int ligne = 0;
    int colonne = 0;
    bool erreur = true;  // false: a warning
    std::string message;  // UTF-8
};

// Whether any of them is an error.
inline bool AUneErreur(const std::vector<Diagnostic>& diagnostics) {
    for (const Diagnostic& d : diagnostics) {
        if (d.erreur) return true;
    }
    return false;
}

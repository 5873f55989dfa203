// Runs the built `pivolette` program from the tests and keeps what it wrote.
#pragma once

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <string>

#include "chemins.h"
#include "test_support.h"

struct Sortie {
    int code = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs "pivolette ARGUMENTS" in the working directory (arguments are given
// as a shell would read them, in UTF-8; on Windows through the wide call, as
// a teacher's console passes them); `programme`: another copy of the program.
inline Sortie Pivolette(const std::string& arguments, const std::string& programme = PIVOLETTE) {
    const std::string commande = programme + " " + arguments + " >sortie.out 2>sortie.err";
#ifdef _WIN32
    const int etat = _wsystem(CheminLarge(commande).c_str());
#else
    const int etat = std::system(commande.c_str());
#endif
    Sortie s;
#ifdef _WIN32
    s.code = etat;  // the program's own exit code
#else
    s.code = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
#endif
    s.out = test_support::ReadFile("sortie.out");
    s.err = test_support::ReadFile("sortie.err");
    return s;
}

// How many times `motif` appears in `texte`.
inline int Occurrences(const std::string& texte, const std::string& motif) {
    int n = 0;
    for (std::size_t k = texte.find(motif); k != std::string::npos; k = texte.find(motif, k + 1)) ++n;
    return n;
}

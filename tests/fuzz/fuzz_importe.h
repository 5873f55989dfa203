// What every import must give, whatever bytes it reads: questions the game
// can play (two to four answers, the right one among them) and a quiz text of
// exactly seven lines a question after its three header lines.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "encodage.h"
#include "importe.h"

using Lecteur = std::vector<QuestionImportee> (*)(const std::string&, const std::string&,
                                                  std::vector<Diagnostic>&);

inline void ImporteEtVerifie(const std::string& octets, Lecteur lecteur) {
    std::string texte;
    DecisionCodage decision;
    // The importer must hold on any bytes, also those the encoding rule refuses.
    if (!TexteEnUtf8(octets, texte, decision)) texte = octets;
    std::vector<Diagnostic> d;
    const std::vector<QuestionImportee> q = lecteur(texte, "f", d);
    for (const QuestionImportee& x : q) {
        if (x.reponses.size() < 2 || x.reponses.size() > 4) std::abort();
        if (x.bonne < 0 || x.bonne >= static_cast<int>(x.reponses.size())) std::abort();
    }
    const std::string quizz = TexteQuizz(q, "titre", "f", d);
    std::size_t lignes = 0;
    for (char c : quizz) lignes += c == '\n' ? 1 : 0;
    if (lignes != 3 + 7 * q.size()) std::abort();
}

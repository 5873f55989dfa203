// Aiken: one question a block, its text on the first line, then answers
// "A. text" (or "A) text", the space optional), then "ANSWER: B".
#include <cctype>

#include "importe.h"

namespace {

struct Bloc {
    int ligne = 0;
    std::string texte;
    std::vector<std::string> reponses;
    std::vector<char> lettres;
    bool ouvert = false;
};

void Avertit(std::vector<Diagnostic>& d, const std::string& f, int ligne, const std::string& m) {
    d.push_back({f, ligne, 0, false, "question non reprise : " + m});
}

std::string Nettoie(const std::string& t) {
    const std::size_t debut = t.find_first_not_of(" \t");
    if (debut == std::string::npos) return "";
    return t.substr(debut, t.find_last_not_of(" \t") - debut + 1);
}

// "A. text", "A) text", "A)text": the letter, and the text in `reste`.
bool EstReponse(const std::string& t, char& lettre, std::string& reste) {
    if (t.size() < 2 || t[0] < 'A' || t[0] > 'Z' || (t[1] != '.' && t[1] != ')'))
        return false;
    lettre = t[0];
    reste = Nettoie(t.substr(2));
    return true;
}

// "ANSWER: B" (any case of the word, spaces allowed).
bool EstSolution(const std::string& t, std::string& lettre) {
    if (t.size() < 7) return false;
    std::string mot = t.substr(0, 6);
    for (char& c : mot) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (mot != "ANSWER") return false;
    const std::string reste = Nettoie(t.substr(6));
    if (reste.empty() || reste[0] != ':') return false;
    lettre = Nettoie(reste.substr(1));
    return true;
}

void Termine(Bloc& b, const std::string& lettre, std::vector<QuestionImportee>& q,
             const std::string& f, std::vector<Diagnostic>& d) {
    b.ouvert = false;
    int bonne = -1;
    for (std::size_t k = 0; k < b.lettres.size(); ++k) {
        if (lettre.size() == 1 && std::toupper(static_cast<unsigned char>(lettre[0])) == b.lettres[k]) bonne = static_cast<int>(k);
    }
    if (b.reponses.size() > 4) return Avertit(d, f, b.ligne, "plus de quatre réponses (" + std::to_string(b.reponses.size()) + ")");
    if (b.reponses.size() < 2) return Avertit(d, f, b.ligne, "moins de deux réponses");
    if (bonne < 0) return Avertit(d, f, b.ligne, "la réponse « " + lettre + " » n'est pas une des lettres des réponses");
    q.push_back({b.ligne, b.texte, b.reponses, bonne, "", "", {}});
}

}  // namespace

std::vector<QuestionImportee> LitAiken(const std::string& texte, const std::string& f,
                                       std::vector<Diagnostic>& d) {
    std::vector<QuestionImportee> questions;
    const std::vector<std::string> lignes = DecoupeLignes(FinsDeLigneLF(texte));
    Bloc b;
    for (std::size_t n = 0; n < lignes.size(); ++n) {
        const int numero = static_cast<int>(n) + 1;
        std::string t = Nettoie(lignes[n]);
        if (n == 0 && t.compare(0, 3, "\xEF\xBB\xBF") == 0) t = Nettoie(t.substr(3));
        char lettre = 0;
        std::string reste;
        if (t.empty()) {
            // A blank line after the answers ends a question that has no answer line.
            if (b.ouvert && !b.reponses.empty()) {
                Avertit(d, f, b.ligne, "pas de ligne « ANSWER: » après les réponses");
                b.ouvert = false;
            }
            continue;
        }
        if (!b.ouvert) {
            b = Bloc{numero, t, {}, {}, true};
        } else if (EstSolution(t, reste)) {
            Termine(b, reste, questions, f, d);
        } else if (EstReponse(t, lettre, reste)) {
            b.reponses.push_back(reste);
            b.lettres.push_back(lettre);
        } else if (b.reponses.empty()) {
            b.texte += " " + t;  // a question written on several lines
        } else {
            b.reponses.back() += " " + t;
        }
    }
    if (b.ouvert) Avertit(d, f, b.ligne, "pas de ligne « ANSWER: » à la fin");
    return questions;
}

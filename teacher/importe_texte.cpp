// The imported questions written as the game's quiz text: texts cut into
// display lines between words, the quiz text's own signs replaced, and
// lines cut to the game's fields with a warning.
#include <algorithm>

#include "importe.h"

namespace {

constexpr std::size_t LARGEUR_QUESTION = 35;  // characters of a question display line
constexpr std::size_t LARGEUR_REPONSE = 20;   // of an answer display line
constexpr std::size_t CHAMP_COURT = 59;       // an answer line's field
constexpr std::size_t LIGNE_MAX = 254;        // a line of the quiz text

// The characters the quiz text gives a meaning to become plain ones: "|"
// would start a display line, "§", "µ" and "~" would name a medium.
std::string SansSignes(const std::string& t, const std::string& f, int ligne, std::vector<Diagnostic>& d) {
    std::string r;
    bool change = false;
    for (std::size_t k = 0; k < t.size(); ++k) {
        if (t[k] == '|') r += '/', change = true;
        else if (t[k] == '~') r += '-', change = true;
        else if (t.compare(k, 2, "\xC2\xA7") == 0 || t.compare(k, 2, "\xC2\xB5") == 0) ++k, change = true;
        else r += t[k];
    }
    if (change) d.push_back({f, ligne, 0, false, "« | », « ~ », « § » ou « µ » remplacés : ils ont un sens dans le texte du quiz"});
    return r;
}

// The first `n` characters of a UTF-8 text.
std::string Debut(const std::string& t, std::size_t n) {
    std::size_t k = 0;
    for (std::size_t vus = 0; k < t.size(); ++k) {
        if ((static_cast<unsigned char>(t[k]) & 0xC0) != 0x80 && vus++ == n) break;
    }
    return t.substr(0, k);
}

// A "#" starts a style mark in the game's texts ("#i" italics); "##" shows
// one "#".
std::string DiesesDoubles(const std::string& t) {
    std::string r;
    for (char c : t) r += c == '#' ? "##" : std::string(1, c);
    return r;
}

std::string Joint(const std::vector<std::string>& lignes) {
    std::string r;
    for (const std::string& l : lignes) r += (r.empty() ? "" : "|") + DiesesDoubles(l);
    return r;
}

// The measure of one kind of box, or none.
std::function<bool(const std::string&)> Pour(const TientDansCase& tient, bool question) {
    if (!tient) return {};
    return [&tient, question](const std::string& l) { return tient(l, question); };
}

std::string LigneReponse(const std::string& t, const std::string& f, int ligne, std::vector<Diagnostic>& d,
                         const TientDansCase& tient) {
    std::vector<std::string> l = CoupeEnLignes(SansSignes(t, f, ligne, d), LARGEUR_REPONSE, 3, Pour(tient, false));
    for (std::string& s : l) {
        if (LongueurUtf8(DiesesDoubles(s)) <= CHAMP_COURT) continue;
        s = Debut(s, CHAMP_COURT);  // then one "#" less for each doubled one
        while (LongueurUtf8(DiesesDoubles(s)) > CHAMP_COURT) s = Debut(s, LongueurUtf8(s) - 1);
        d.push_back({f, ligne, 0, false, "réponse trop longue pour trois lignes : coupée à « " + s + " »"});
    }
    return Joint(l);
}

std::string LigneQuestion(const std::string& t, const std::string& f, int ligne, std::vector<Diagnostic>& d,
                          const TientDansCase& tient) {
    const std::vector<std::string> l = CoupeEnLignes(SansSignes(t, f, ligne, d), LARGEUR_QUESTION, 3, Pour(tient, true));
    if (tient ? !tient(l.back(), true) : LongueurUtf8(l.back()) > 2 * LARGEUR_QUESTION)
        d.push_back({f, ligne, 0, false, "question longue : sa troisième ligne risque de dépasser de l'écran"});
    std::string r = Joint(l);
    if (LongueurUtf8(r) > LIGNE_MAX) {
        r = Debut(r, LIGNE_MAX);
        const std::size_t dieses = r.size() - 1 - r.find_last_not_of('#');  // npos + 1 is 0
        if (dieses % 2 == 1) r.pop_back();  // never half a "##"
        d.push_back({f, ligne, 0, false, "question de plus de 254 caractères : coupée"});
    }
    return r;
}

}  // namespace

namespace {

// "?", "!", ":", ";", "»" alone: never at the start of a display line.
bool PonctuationSeule(std::string_view mot) {
    return mot == "?" || mot == "!" || mot == ":" || mot == ";" || mot == "\xC2\xBB";
}

// The words of a text, a lone punctuation mark joined to the word before it
// and an opening "«" to the word after it, by a space as written.
std::vector<std::string> Mots(const std::string& texte) {
    std::vector<std::string> mots;
    bool guillemet = false;  // the last word is a "«" waiting for the next
    std::size_t debut = 0;
    while (debut < texte.size()) {
        const std::size_t espace = texte.find(' ', debut);
        const std::size_t fin = espace == std::string::npos ? texte.size() : espace;
        const std::string_view mot = std::string_view(texte).substr(debut, fin - debut);
        debut = fin + 1;
        if (mot.empty()) continue;
        if (!mots.empty() && (guillemet || PonctuationSeule(mot))) (mots.back() += ' ') += mot;
        else mots.emplace_back(mot);
        guillemet = mot == "\xC2\xAB";
    }
    return mots;
}

}  // namespace

std::vector<std::string> CoupeEnLignes(const std::string& texte, std::size_t largeur, std::size_t lignes,
                                       const std::function<bool(const std::string&)>& tient) {
    std::vector<std::string> r(1);
    std::size_t longueur = 0;  // of the last line, in characters: counted once per word
    for (const std::string& mot : Mots(texte)) {
        const std::size_t n = LongueurUtf8(mot);
        std::string& l = r.back();
        // Measured only when it decides: the last line takes all the rest.
        if (l.empty()) {
            l = mot, longueur = n;
        } else if (r.size() == lignes || (tient ? tient(l + ' ' + mot) : longueur + 1 + n <= largeur)) {
            (l += ' ') += mot, longueur += 1 + n;
        } else {
            r.emplace_back(mot), longueur = n;
        }
    }
    return r;
}

std::string TexteQuizz(const std::vector<QuestionImportee>& questions, const std::string& titre,
                       const std::string& f, std::vector<Diagnostic>& d, const TientDansCase& tient) {
    std::string t = Debut(titre, 63) + "\nQuestions importées\nImporté par pivolette import depuis " + f + "\n";
    for (const QuestionImportee& q : questions) {
        t += LigneQuestion(q.texte, f, q.ligne, d, tient);
        // The medium's marker ends the line: "§" a picture, "µ" a sound.
        t += (q.image.empty() ? "" : "\xC2\xA7" + q.image) + (q.son.empty() ? "" : "\xC2\xB5" + q.son) + "\n";
        for (std::size_t r = 0; r < 4; ++r) {
            if (r < q.reponses.size()) t += LigneReponse(q.reponses[r], f, q.ligne, d, tient);
            if (r < q.images.size() && !q.images[r].empty()) t += "\xC2\xA7" + q.images[r];
            t += "\n";
        }
        t += std::to_string(q.bonne + 1) + "\n--\n";
    }
    return t;
}


void RangeDiagnostics(std::vector<Diagnostic>& d) {
    std::stable_sort(d.begin(), d.end(), [](const Diagnostic& a, const Diagnostic& b) { return a.ligne < b.ligne; });
    std::vector<Diagnostic> uniques;
    for (Diagnostic& x : d) {
        bool vu = false;
        for (auto k = uniques.rbegin(); !vu && k != uniques.rend() && k->ligne == x.ligne; ++k)
            vu = k->message == x.message && k->fichier == x.fichier;
        if (!vu) uniques.push_back(std::move(x));
    }
    d = std::move(uniques);
}

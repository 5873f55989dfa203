// GIFT: questions separated by blank lines, "//" comment lines, an optional
// "::title::", the text, then the answers between braces: "=right",
// "~wrong", "#feedback", "%50%" weights; "\" escapes ~ = # { } : and itself.
#include <cctype>
#include <string_view>
#include <utility>

#include "importe.h"
#include "nombres.h"

namespace {

struct Reponse {
    std::string texte;
    bool juste = false;
    bool partielle = false;  // a weight between 0 and 100: several right answers
};

void Avertit(std::vector<Diagnostic>& d, const std::string& f, int ligne, const std::string& m) {
    d.push_back({f, ligne, 0, false, "question non reprise : " + m});
}

std::string Nettoie(const std::string& t) {
    const std::size_t debut = t.find_first_not_of(" \t\n");
    if (debut == std::string::npos) return "";
    return t.substr(debut, t.find_last_not_of(" \t\n") - debut + 1);
}

// The position of the first `c` not escaped by "\" from `debut`; npos if none.
std::size_t Cherche(const std::string& t, char c, std::size_t debut = 0) {
    for (std::size_t k = debut; k < t.size(); ++k) {
        if (t[k] == '\\') ++k;
        else if (t[k] == c) return k;
    }
    return std::string::npos;
}

// Drops the escapes; "\n" is a line end, shown as a space, as is a line
// end itself, escaped or not: a text must stay on its line of the quiz text.
std::string SansEchappement(const std::string& t) {
    std::string r;
    for (std::size_t k = 0; k < t.size(); ++k) {
        if (t[k] == '\\' && k + 1 < t.size()) ++k, r += t[k] == 'n' || t[k] == '\n' ? ' ' : t[k];
        else r += t[k] == '\n' ? ' ' : t[k];
    }
    return Nettoie(r);
}

// Plain text of an "[html]" text: tags dropped, the common entities read.
// A "<" with no ">" after it stays as written.
std::string SansHtml(const std::string& t) {
    static constexpr std::pair<std::string_view, std::string_view> entites[] = {
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&nbsp;", " "}};
    std::string r;
    std::size_t chevron = t.find('>');  // the first ">" not before k; npos stays npos
    for (std::size_t k = 0; k < t.size(); ++k) {
        if (t[k] == '<' && chevron != std::string::npos && chevron < k) chevron = t.find('>', k);
        if (t[k] == '<' && chevron != std::string::npos) {
            k = chevron;
            r += ' ';
            continue;
        }
        bool entite = false;
        for (const auto& [code, lettre] : entites) {
            if (entite || t.compare(k, code.size(), code) != 0) continue;
            r += lettre, k += code.size() - 1, entite = true;
        }
        if (!entite) r += t[k];
    }
    std::string compact;
    for (char c : r) {
        if (c != ' ' || compact.empty() || compact.back() != ' ') compact += c;
    }
    return compact;
}

// "%50%" at the start of an answer: its weight, removed from the text. The
// weight's whole part is read with the bounded reader: "%33.3%" is 33, and
// no text ("%1e120%", "%nan%") gives more than the percent it can mean.
int Poids(std::string& t, bool juste) {
    if (t.empty() || t[0] != '%') return juste ? 100 : 0;
    const std::size_t fin = t.find('%', 1);
    if (fin == std::string::npos) return juste ? 100 : 0;
    const std::string n = t.substr(1, fin - 1);
    t = t.substr(fin + 1);
    return static_cast<int>(LitEntierSature(n.c_str(), -1000, 1000));
}

// Splits the inside of the braces at the unescaped "=" and "~"; feedback
// after "#" and the general feedback after "####" are dropped.
std::vector<Reponse> LitReponses(const std::string& dedans) {
    std::vector<Reponse> r;
    std::string courante;
    char signe = 0;
    auto range = [&]() {
        if (signe == 0) return;
        std::string t = courante;
        const std::size_t diese = Cherche(t, '#');
        if (diese != std::string::npos) t = t.substr(0, diese);
        t = Nettoie(t);
        const int poids = Poids(t, signe == '=');
        r.push_back({t, poids >= 100, poids > 0 && poids < 100});
    };
    for (std::size_t k = 0; k < dedans.size(); ++k) {
        if (dedans[k] == '\\' && k + 1 < dedans.size()) {
            courante += dedans.substr(k++, 2);
        } else if (dedans[k] == '=' || dedans[k] == '~') {
            range();
            signe = dedans[k];
            courante.clear();
        } else if (dedans.compare(k, 4, "####") == 0) {
            break;
        } else {
            courante += dedans[k];
        }
    }
    range();
    return r;
}

// Why the answers between the braces are not a multiple-choice question
// with one right answer; empty when they are.
std::string AutreType(const std::string& dedans, const std::vector<Reponse>& r) {
    const std::string t = Nettoie(dedans);
    std::string mot = t;
    for (char& c : mot) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (t.empty()) return "question ouverte (composition)";
    if (mot == "T" || mot == "F" || mot == "TRUE" || mot == "FALSE" || mot.rfind("T#", 0) == 0 ||
        mot.rfind("F#", 0) == 0 || mot.rfind("TRUE#", 0) == 0 || mot.rfind("FALSE#", 0) == 0)
        return "question vrai/faux";
    if (t[0] == '#') return "question numérique";
    if (t.find("->") != std::string::npos) return "question d'appariement";
    bool faux = false;
    int justes = 0;
    for (const Reponse& x : r) {
        faux = faux || !x.juste;
        justes += x.juste ? 1 : 0;
        if (x.partielle) return "plusieurs bonnes réponses (réponses pondérées)";
    }
    if (!faux) return "question à réponse courte";
    if (justes > 1) return "plusieurs bonnes réponses";
    if (justes == 0) return "aucune bonne réponse";
    if (r.size() > 4) return "plus de quatre réponses (" + std::to_string(r.size()) + ")";
    return "";
}

// The question text before the braces: no "::title::", no "[format]".
std::string Enonce(std::string avant, bool& html) {
    avant = Nettoie(avant);
    if (avant.rfind("::", 0) == 0) {
        const std::size_t fin = avant.find("::", 2);
        if (fin != std::string::npos) avant = Nettoie(avant.substr(fin + 2));
    }
    html = avant.rfind("[html]", 0) == 0;
    for (const char* format : {"[html]", "[moodle]", "[plain]", "[markdown]"}) {
        const std::string f = format;
        if (avant.rfind(f, 0) == 0) avant = avant.substr(f.size());
    }
    return avant;
}

void LitQuestion(const std::string& bloc, int ligne, std::vector<QuestionImportee>& q,
                 const std::string& f, std::vector<Diagnostic>& d) {
    const std::size_t ouvre = Cherche(bloc, '{');
    const std::size_t ferme = ouvre == std::string::npos ? ouvre : Cherche(bloc, '}', ouvre);
    if (ouvre == std::string::npos) return Avertit(d, f, ligne, "pas de réponses entre accolades (texte de description)");
    if (ferme == std::string::npos) return Avertit(d, f, ligne, "accolade « { » sans « } »");
    bool html = false;
    std::string texte = Enonce(bloc.substr(0, ouvre), html);
    const std::string apres = Nettoie(bloc.substr(ferme + 1));
    // A missing-word question: the blank stands where the answers were.
    if (!apres.empty()) texte += std::string(" ___") + (std::string(".,)").find(apres[0]) == std::string::npos ? " " : "") + apres;
    const std::string dedans = bloc.substr(ouvre + 1, ferme - ouvre - 1);
    const std::vector<Reponse> r = LitReponses(dedans);
    const std::string autre = AutreType(dedans, r);
    if (!autre.empty()) return Avertit(d, f, ligne, autre);
    QuestionImportee iq{ligne, SansEchappement(html ? SansHtml(texte) : texte), {}, 0};
    if (iq.texte.empty()) return Avertit(d, f, ligne, "question sans texte");
    for (const Reponse& x : r) {
        if (x.juste) iq.bonne = static_cast<int>(iq.reponses.size());
        iq.reponses.push_back(SansEchappement(html ? SansHtml(x.texte) : x.texte));
    }
    q.push_back(iq);
}

// Whether a block's braces are open, followed line after line as the block
// grows, so that each byte is looked at once: the first unescaped "{" opens
// them, the first unescaped "}" after it closes them.
struct Accolades {
    bool ouverte = false;
    bool fermee = false;
    bool echappe = false;  // the last byte read was a backslash that escapes the next

    void Lit(const std::string& ligne) {
        for (char c : ligne) {
            if (echappe) echappe = false;
            else if (c == '\\') echappe = true;
            else if (c == '{' && !ouverte) ouverte = true;
            else if (c == '}' && ouverte) fermee = true;
        }
    }
    bool Ouvertes() const { return ouverte && !fermee; }
};

bool Commentaire(const std::string& t) {
    const std::size_t debut = t.find_first_not_of(" \t");
    return debut != std::string::npos && t.compare(debut, 2, "//") == 0;
}

}  // namespace

std::vector<QuestionImportee> LitGift(const std::string& texte, const std::string& f,
                                      std::vector<Diagnostic>& d) {
    std::vector<QuestionImportee> questions;
    std::string source = FinsDeLigneLF(texte);
    if (source.compare(0, 3, "\xEF\xBB\xBF") == 0) source = source.substr(3);
    const std::vector<std::string> lignes = DecoupeLignes(source);
    std::string bloc;
    Accolades accolades;
    int debut = 0;
    for (std::size_t n = 0; n <= lignes.size(); ++n) {
        const bool fin = n == lignes.size() || Nettoie(lignes[n]).empty();
        if (n < lignes.size() && Commentaire(lignes[n])) continue;
        if (!fin) {
            if (bloc.empty()) debut = static_cast<int>(n) + 1;
            bloc += lignes[n] + "\n";
            accolades.Lit(lignes[n] + "\n");
            continue;
        }
        // A blank line inside open braces does not end the question.
        if (n < lignes.size() && accolades.Ouvertes()) continue;
        const std::string net = Nettoie(bloc);
        if (net.rfind("$CATEGORY:", 0) != 0 && !net.empty()) LitQuestion(bloc, debut, questions, f, d);
        bloc.clear();
        accolades = Accolades{};
    }
    return questions;
}

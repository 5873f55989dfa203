// GIFT: questions separated by blank lines, "//" comment lines, "$CATEGORY:"
// lines, an optional "::title::", an optional format "[html]", "[moodle]",
// "[plain]" or "[markdown]", the text, then the answers between braces:
// "=right", "~wrong", "#feedback", "%50%" weights; "\" escapes ~ = # { } :
// and itself. The kind of question is told by the whole answer block, as the
// platforms that write GIFT read it back.
#include <cctype>
#include <filesystem>
#include <utility>

#include "importe.h"
#include "nombres.h"
#include "texte_html.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t NOM_MAX = 59;  // a media file name's field in the game

enum class Format { Moodle, Html, Plain, Markdown };

struct Reponse {
    std::string texte;   // as written, escapes kept; no feedback, no weight
    char signe = 0;      // '=' or '~'
    int poids = 0;
    bool paire = false;  // "a -> b": an answer of a matching question
};

// Where the questions are read from, and what is said about them.
struct Lecture {
    const std::string& fichier;
    fs::path dossier;  // the export's folder, where its pictures and sounds are
    std::vector<Diagnostic>& d;
};

void Avertit(Lecture& l, int ligne, const std::string& m) {
    l.d.push_back({l.fichier, ligne, 0, false, m});
}

void Saute(Lecture& l, int ligne, const std::string& raison) {
    Avertit(l, ligne, "question non reprise : " + raison);
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

// The same for a two-character mark ("::", "->").
std::size_t Cherche(const std::string& t, const char* marque, std::size_t debut = 0) {
    for (std::size_t k = Cherche(t, marque[0], debut); k != std::string::npos; k = Cherche(t, marque[0], k + 1)) {
        if (k + 1 < t.size() && t[k + 1] == marque[1]) return k;
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

// A leading "[html]", "[moodle]", "[plain]" or "[markdown]": removed, and
// the format it names returned; `defaut` without one.
Format Retire(std::string& t, Format defaut) {
    static const std::pair<const char*, Format> formats[] = {
        {"[html]", Format::Html}, {"[moodle]", Format::Moodle}, {"[plain]", Format::Plain}, {"[markdown]", Format::Markdown}};
    t = Nettoie(t);
    for (const auto& [tag, format] : formats) {
        const std::string f = tag;
        if (t.compare(0, f.size(), f) == 0) return t = t.substr(f.size()), format;
    }
    return defaut;
}

// The text a pupil reads of a text as written in the export.
std::string Lisible(std::string t, Format defaut, MediasTexte& medias) {
    const Format format = Retire(t, defaut);
    t = SansEchappement(t);
    switch (format) {
        case Format::Plain: return t;
        case Format::Markdown: return SansMarkdown(t, medias);
        default: return SansHtml(t, medias);
    }
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
        r.push_back({t, signe, poids, Cherche(t, "->") != std::string::npos});
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

// "T", "TRUE", "F", "FALSE" (any case, feedback after "#"): 1 true, 0
// false, -1 another kind of question.
int VraiFaux(const std::string& dedans) {
    std::string mot = Nettoie(dedans.substr(0, Cherche(dedans, '#')));
    for (char& c : mot) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (mot == "T" || mot == "TRUE") return 1;
    if (mot == "F" || mot == "FALSE") return 0;
    return -1;
}

// Why the answers between the braces are not a multiple-choice question
// with one right answer; empty when they are.
std::string AutreType(const std::string& dedans, const std::vector<Reponse>& r) {
    const std::string t = Nettoie(dedans);
    if (t.empty()) return "question ouverte (composition)";
    if (t[0] == '#') return "question numérique";
    bool faux = false, paires = true;
    int justes = 0;
    for (const Reponse& x : r) {
        faux = faux || x.signe == '~';
        paires = paires && x.signe == '=' && x.paire;
        justes += x.poids >= 100 ? 1 : 0;
    }
    if (r.empty()) return "pas de réponse « = » ou « ~ » entre les accolades";
    if (paires) return "question d'appariement";
    if (!faux) return "question à réponse courte (à taper)";
    for (const Reponse& x : r) {
        if (x.poids > 0 && x.poids < 100) return "plusieurs bonnes réponses (réponses pondérées)";
    }
    if (justes > 1) return "plusieurs bonnes réponses";
    if (justes == 0) return "aucune bonne réponse";
    if (r.size() > 4) return "plus de quatre réponses (" + std::to_string(r.size()) + ")";
    if (r.size() < 2) return "une seule réponse";
    return "";
}

// The question text before the braces, without its "::title::".
std::string SansTitre(std::string avant) {
    avant = Nettoie(avant);
    if (avant.compare(0, 2, "::") == 0) {
        const std::size_t fin = Cherche(avant, "::", 2);
        if (fin != std::string::npos) avant = avant.substr(fin + 2);
    }
    return avant;
}

// The file a text names, when it is beside the export and fits the game's
// field; a warning otherwise. `quoi`: "image" or "son".
std::string Media(Lecture& l, int ligne, const std::vector<std::string>& noms, const char* quoi) {
    if (noms.empty()) return "";
    const std::string& nom = noms[0];
    if (noms.size() > 1)
        Avertit(l, ligne, std::string(quoi) + " « " + noms[1] + " » laissé(e) de côté : une seule par texte");
    std::error_code e;
    if (LongueurUtf8(nom) > NOM_MAX || nom.find_first_of("|\n") != std::string::npos) {
        Avertit(l, ligne, std::string(quoi) + " « " + nom + " » laissé(e) de côté : nom de plus de 59 caractères ou avec « | »");
    } else if (!fs::is_regular_file(l.dossier / fs::u8path(nom), e)) {
        Avertit(l, ligne, std::string(quoi) + " « " + nom + " » introuvable à côté de l'export : question reprise sans elle");
    } else {
        return nom;
    }
    return "";
}

void LitQuestion(const std::string& bloc, int ligne, std::vector<QuestionImportee>& q, Lecture& l) {
    const std::size_t ouvre = Cherche(bloc, '{');
    const std::size_t ferme = ouvre == std::string::npos ? ouvre : Cherche(bloc, '}', ouvre);
    if (ouvre == std::string::npos) return Saute(l, ligne, "pas de réponses entre accolades (texte de description)");
    if (ferme == std::string::npos) return Saute(l, ligne, "accolade « { » sans « } »");
    std::string avant = SansTitre(bloc.substr(0, ouvre));
    const Format format = Retire(avant, Format::Moodle);
    const std::string dedans = bloc.substr(ouvre + 1, ferme - ouvre - 1);
    const std::vector<Reponse> r = LitReponses(dedans);
    const int vrai = VraiFaux(dedans);
    const std::string autre = vrai >= 0 ? "" : AutreType(dedans, r);
    if (!autre.empty()) return Saute(l, ligne, autre);
    MediasTexte medias;
    QuestionImportee iq{ligne, Lisible(avant, format, medias), {}, 0, "", "", {}};
    // A missing-word question: the blank stands where the answers were.
    const std::string apres = Lisible(bloc.substr(ferme + 1), format, medias);
    if (!apres.empty()) iq.texte += std::string(" ___") + (std::string(".,)").find(apres[0]) == std::string::npos ? " " : "") + apres;
    if (iq.texte.empty()) return Saute(l, ligne, "question sans texte");
    iq.image = Media(l, ligne, medias.images, "image");
    iq.son = Media(l, ligne, medias.sons, "son");
    if (!iq.image.empty() && !iq.son.empty()) {
        Avertit(l, ligne, "son « " + iq.son + " » laissé de côté : une question n'a qu'un média, son image");
        iq.son.clear();
    }
    if (vrai >= 0) {
        iq.reponses = {"Vrai", "Faux"};
        iq.bonne = vrai ? 0 : 1;
        return q.push_back(iq);
    }
    for (const Reponse& x : r) {
        if (x.poids >= 100) iq.bonne = static_cast<int>(iq.reponses.size());
        MediasTexte m;
        iq.reponses.push_back(Lisible(x.texte, format, m));
        iq.images.push_back(Media(l, ligne, m.images, "image"));
        if (iq.reponses.back().empty() && iq.images.back().empty()) return Saute(l, ligne, "une réponse sans texte");
    }
    q.push_back(iq);
}

// Whether a block's braces are open, followed line after line as the block
// grows, so that each byte is looked at once: the first unescaped "{" opens
// them, the first unescaped "}" after it closes them.
struct Accolades {
    bool ouvertes = false;
    bool fermees = false;

    void Lit(const std::string& ligne) {
        for (std::size_t k = 0; k < ligne.size(); ++k) {
            if (ligne[k] == '\\') ++k;
            else if (ligne[k] == '{' && !ouvertes && !fermees) ouvertes = true;
            else if (ligne[k] == '}' && ouvertes) ouvertes = false, fermees = true;
        }
    }
};

bool Blanche(const std::string& t) { return t.find_first_not_of(" \t\r") == std::string::npos; }

// A line the questions leave out: a "//" comment, a "$CATEGORY:" line.
bool Ignoree(const std::string& t) {
    const std::size_t debut = t.find_first_not_of(" \t");
    return debut != std::string::npos && (t.compare(debut, 2, "//") == 0 || t.compare(debut, 10, "$CATEGORY:") == 0);
}

// Where the braces left open before the blank line `n` close: the line of
// the first unescaped "}" after it, when no "{" comes before it; npos
// otherwise. A question whose answers run over blank lines goes on to there;
// an unclosed "{" does not swallow the next question.
std::size_t Suite(const std::vector<std::string>& lignes, std::size_t n) {
    for (; n < lignes.size(); ++n) {
        if (Ignoree(lignes[n])) continue;
        const std::size_t ouvre = Cherche(lignes[n], '{');
        const std::size_t ferme = Cherche(lignes[n], '}');
        if (ferme != std::string::npos) return ouvre == std::string::npos || ferme < ouvre ? n : std::string::npos;
        if (ouvre != std::string::npos) return std::string::npos;
    }
    return std::string::npos;
}

}  // namespace

std::vector<QuestionImportee> LitGift(const std::string& texte, const std::string& f,
                                      std::vector<Diagnostic>& d) {
    std::vector<QuestionImportee> questions;
    Lecture l{f, fs::u8path(f).parent_path(), d};
    std::string source = FinsDeLigneLF(texte);
    if (source.compare(0, 3, "\xEF\xBB\xBF") == 0) source = source.substr(3);
    const std::vector<std::string> lignes = DecoupeLignes(source);
    std::string bloc;
    Accolades accolades;
    std::size_t suite = 0;  // the open braces close on this line: the question goes on to it
    int debut = 0;
    for (std::size_t n = 0; n <= lignes.size(); ++n) {
        const bool fin = n == lignes.size() || Blanche(lignes[n]);
        if (n < lignes.size() && Ignoree(lignes[n])) continue;
        if (!fin) {
            if (bloc.empty()) debut = static_cast<int>(n) + 1;
            bloc += lignes[n] + "\n";
            accolades.Lit(lignes[n] + "\n");
            continue;
        }
        // Looked for once, up to the closing line: each line is read twice at most.
        if (n < lignes.size() && accolades.ouvertes && (n < suite || (suite = Suite(lignes, n)) != std::string::npos))
            continue;
        if (!Nettoie(bloc).empty()) LitQuestion(bloc, debut, questions, l);
        bloc.clear();
        suite = 0;
        accolades = Accolades{};
    }
    return questions;
}

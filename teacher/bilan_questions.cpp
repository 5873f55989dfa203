// The per-question figures of a class and the pages that show them.
#include "bilan_questions.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "arbre.h"
#include "classe.h"
#include "echappe.h"
#include "encodage.h"
#include "lecture_quizz.h"

namespace {

// The game keeps the title in a field of 64 bytes.
constexpr std::size_t TITRE_MAX = 63;

// A display line without the style marks "#i", "#b", "#u" and their "#".
std::string SansMarques(const std::string& t) {
    std::string s;
    for (std::size_t k = 0; k < t.size(); ++k) {
        if (t[k] != '#') {
            s += t[k];
        } else if (k + 1 < t.size() && std::string("ibu").find(t[k + 1]) != std::string::npos) {
            ++k;
        }
    }
    return s;
}

std::string Joint(const std::string lignes[3]) {
    std::string t;
    for (int k = 0; k < 3; ++k) {
        // Display lines are centred: their outer spaces mean nothing here.
        const std::string l = SansMarques(lignes[k]);
        const std::size_t debut = l.find_first_not_of(' ');
        if (debut == std::string::npos) continue;
        if (!t.empty()) t += ' ';
        t += l.substr(debut, l.find_last_not_of(' ') + 1 - debut);
    }
    return Utf8De1252(t);
}

// The first `n` characters of a UTF-8 text, "…" marking a cut.
std::string Coupe(const std::string& utf8, std::size_t n) {
    std::size_t caracteres = 0;
    for (std::size_t k = 0; k < utf8.size(); ++k) {
        if ((static_cast<unsigned char>(utf8[k]) & 0xC0) == 0x80) continue;
        if (++caracteres > n) return utf8.substr(0, k) + "…";
    }
    return utf8;
}

std::string Colonne(const std::string& t, std::size_t largeur) {
    const std::size_t n = LongueurUtf8(t);
    return t + std::string(n < largeur ? largeur - n : 1, ' ');
}

// "48 %" of a share; "-" of nothing.
std::string Part(int n, int sur) {
    if (sur <= 0) return "-";
    return std::to_string((n * 100 + sur / 2) / sur) + " %";
}

std::string Secondes(double s) {
    char texte[32];
    if (s == static_cast<double>(static_cast<long long>(s)))
        std::snprintf(texte, sizeof texte, "%lld s", static_cast<long long>(s));
    else
        std::snprintf(texte, sizeof texte, "%.1f s", s);
    std::string t = texte;
    std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

double Mediane(std::vector<int> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2.0;
}

const ReponseDonnee* Trouve(const Resultat& r, int numero) {
    if (!r.avec_reponses) return nullptr;
    for (const ReponseDonnee& d : r.reponses.reponses)
        if (d.question == numero) return &d;
    return nullptr;
}

std::string TexteQuestion(const QuizzVue& q, int numero) {
    if (numero >= 1 && numero <= static_cast<int>(q.questions.size())) return q.questions[numero - 1].texte;
    return "";
}

// The colours read in black and white too: the right part plain dark, the
// wrong answers hatched, the unanswered part dotted, and each part labelled.
const char* const STYLE =
    "body{font-family:sans-serif;margin:1.5em;color:#000;background:#fff}"
    "table{border-collapse:collapse;font-size:.85em}"
    "th,td{border:1px solid #444;padding:.15em .4em;text-align:center}"
    "td.n{text-align:left}td.j{background:#d4edd4}td.f{background:#f5d0d0;font-style:italic}"
    ".barre{display:flex;height:1.8em;border:1px solid #000;margin:.3em 0;"
    "-webkit-print-color-adjust:exact;print-color-adjust:exact}"
    ".barre span{display:flex;align-items:center;justify-content:center;overflow:hidden;"
    "white-space:nowrap;font-size:.8em;border-right:1px solid #000}"
    ".juste{background:#1b5e20;color:#fff;font-weight:bold}"
    ".fausse{background:repeating-linear-gradient(45deg,#b71c1c 0 3px,#fff 3px 7px)}"
    ".aucune{background:repeating-radial-gradient(circle,#555 0 1px,#fff 1px 4px)}"
    ".barre span.fausse,.barre span.aucune{color:#000;text-shadow:0 0 3px #fff,0 0 3px #fff}"
    "section{break-inside:avoid;margin-bottom:1.2em}ol{margin:.2em 0}li.b{font-weight:bold}"
    "@media print{body{margin:0}}";

void Segment(std::ostringstream& o, const char* classe, int n, int sur, const std::string& etiquette) {
    if (n == 0) return;
    const double largeur = 100.0 * n / sur;
    char style[48];
    std::snprintf(style, sizeof style, "width:%.2f%%", largeur);
    o << "<span class=\"" << classe << "\" style=\"" << style << "\">" << EchappeHtml(etiquette) << "</span>";
}

void SectionQuestion(std::ostringstream& o, const StatQuestion& s, const QuizzVue& quizz) {
    const std::string texte = TexteQuestion(quizz, s.numero);
    o << "<section>\n<h3>Question " << s.numero << (texte.empty() ? "" : " : " + EchappeHtml(texte)) << "</h3>\n";
    if (s.numero <= static_cast<int>(quizz.questions.size())) {
        const QuestionVue& q = quizz.questions[s.numero - 1];
        o << "<ol>";
        for (int k = 0; k < 4; ++k) {
            const bool bonne = q.bonne == '1' + k;
            o << "<li" << (bonne ? " class=\"b\"" : "") << ">" << EchappeHtml(q.reponses[k])
              << (bonne ? " ✓ (bonne réponse)" : "") << "</li>";
        }
        o << "</ol>\n";
    }
    if (s.rencontres == 0) {
        o << "<p>Aucun élève n'a rencontré cette question.</p>\n</section>\n";
        return;
    }
    o << "<div class=\"barre\">";
    Segment(o, "juste", s.justes, s.rencontres, "✓ juste " + Part(s.justes, s.rencontres));
    for (int c = 1; c <= 4; ++c)
        if (c != s.bonne)
            Segment(o, "fausse", s.choix[c], s.rencontres, "✗ " + std::to_string(c) + " : " + Part(s.choix[c], s.rencontres));
    Segment(o, "aucune", s.choix[0], s.rencontres, "sans réponse " + Part(s.choix[0], s.rencontres));
    o << "</div>\n<p>Vue par " << s.rencontres << " élève(s) ; justes : " << s.justes << " ("
      << Part(s.justes, s.rencontres) << ")";
    for (int c = 1; c <= 4; ++c)
        if (c != s.bonne && s.choix[c] > 0)
            o << " ; réponse " << c << " : " << s.choix[c] << " (" << Part(s.choix[c], s.rencontres) << ")";
    if (s.choix[0] > 0) o << " ; sans réponse : " << s.choix[0] << " (" << Part(s.choix[0], s.rencontres) << ")";
    o << " ; temps médian : " << Secondes(s.mediane) << ".</p>\n</section>\n";
}

}  // namespace

std::string Pourcentage(const Resultat& r) {
    if (r.questions <= 0) return "";
    const std::int64_t dixiemes = (r.bonnes * 1000 + r.questions / 2) / r.questions;
    return std::to_string(dixiemes / 10) + "," + std::to_string(dixiemes % 10);
}

QuizzVue LitQuizzVue(const std::string& donnees, const std::vector<int>& nombres) {
    QuizzVue vue;
    std::string clair, raison;
    if (!LitFichierQuizz(donnees + "/" + FICHIER_QUIZZ, clair, raison)) return vue;
    int n = nombres.empty() ? 0 : *std::max_element(nombres.begin(), nombres.end());
    if (n == 0) {
        const int lignes = static_cast<int>(LignesQuizz(clair, 3 + LIGNES_PAR_QUESTION * MAX_QUESTIONS).size());
        n = (lignes - LIGNES_ENTETE + 1) / LIGNES_PAR_QUESTION;
    }
    const FicheQuizz fiche = AnalyseQuizz(clair, std::clamp(n, 0, MAX_QUESTIONS));
    vue.lu = true;
    vue.titre = TitreSurUneLigne(fiche.titre.substr(0, TITRE_MAX));
    for (const QuestionQuizz& q : fiche.questions) {
        QuestionVue v;
        v.texte = Joint(q.enonce);
        v.premiere = Utf8De1252(SansMarques(q.enonce[0]));
        for (int k = 0; k < 4; ++k) v.reponses[k] = Joint(q.reponses[k].lignes);
        v.bonne = q.bonne;
        vue.questions.push_back(std::move(v));
    }
    return vue;
}

bool AccordeAuQuizz(const FicheReponses& fiche, const QuizzVue& quizz, int& ligne, std::string& raison) {
    if (!quizz.lu) return true;
    if (fiche.titre != quizz.titre) {
        ligne = 1;
        raison = "réponses à un autre questionnaire (« " + Coupe(Utf8De1252(fiche.titre), 40) + " »)";
        return false;
    }
    const int n = static_cast<int>(quizz.questions.size());
    for (const ReponseDonnee& r : fiche.reponses) {
        ligne = r.ligne;
        if (r.question > n) {
            raison = "le questionnaire n'a pas de question " + std::to_string(r.question) + " (" +
                     std::to_string(n) + " questions)";
            return false;
        }
        const bool juste = r.choix != 0 && quizz.questions[r.question - 1].bonne == '0' + r.choix;
        if (juste != r.juste) {
            raison = std::string("« ") + (r.juste ? "juste" : "fausse") +
                     " » contredit la bonne réponse du questionnaire";
            return false;
        }
    }
    return true;
}

int NombreColonnes(const std::vector<Resultat>& classe, const QuizzVue& quizz) {
    if (quizz.lu) return static_cast<int>(quizz.questions.size());
    int n = 0;
    for (const Resultat& r : classe)
        for (const ReponseDonnee& d : r.reponses.reponses)
            if (r.avec_reponses) n = std::max(n, d.question);
    return n;
}

std::vector<StatQuestion> StatistiquesQuestions(const std::vector<Resultat>& classe, int colonnes) {
    std::vector<StatQuestion> stats(static_cast<std::size_t>(std::max(colonnes, 0)));
    std::vector<std::vector<int>> temps(stats.size());
    for (std::size_t k = 0; k < stats.size(); ++k) stats[k].numero = static_cast<int>(k) + 1;
    for (const Resultat& r : classe) {
        if (!r.avec_reponses) continue;
        for (const ReponseDonnee& d : r.reponses.reponses) {
            if (d.question < 1 || d.question > colonnes) continue;
            StatQuestion& s = stats[static_cast<std::size_t>(d.question - 1)];
            ++s.rencontres;
            ++s.choix[d.choix];
            if (d.juste) ++s.justes, s.bonne = d.choix;
            temps[static_cast<std::size_t>(d.question - 1)].push_back(d.secondes);
        }
    }
    for (std::size_t k = 0; k < stats.size(); ++k) stats[k].mediane = Mediane(std::move(temps[k]));
    // Missed most first: the lower share of right answers, compared without
    // rounding; the questions nobody met at the end.
    std::stable_sort(stats.begin(), stats.end(), [](const StatQuestion& a, const StatQuestion& b) {
        if ((a.rencontres == 0) != (b.rencontres == 0)) return b.rencontres == 0;
        return static_cast<long long>(a.justes) * b.rencontres < static_cast<long long>(b.justes) * a.rencontres;
    });
    return stats;
}

int FaussePlusChoisie(const StatQuestion& s) {
    int meilleure = 0;
    for (int c = 1; c <= 4; ++c)
        if (c != s.bonne && s.choix[c] > 0 && (meilleure == 0 || s.choix[c] > s.choix[meilleure])) meilleure = c;
    return meilleure;
}

std::string CelluleReponse(const Resultat& r, int numero) {
    const ReponseDonnee* d = Trouve(r, numero);
    if (d == nullptr) return "";
    if (d->choix == 0) return "aucune (temps écoulé)";
    return std::to_string(d->choix) + (d->juste ? " juste" : " fausse");
}

void EnVueQuestions(std::ostream& o, const std::vector<StatQuestion>& stats, const QuizzVue& quizz) {
    o << "\nPar question, les plus manquées d'abord :\n"
      << Colonne("N°", 4) << Colonne("Question", 42) << Colonne("Vue", 5) << Colonne("Justes", 8)
      << Colonne("Fausse la plus choisie", 24) << "Temps médian\n";
    for (const StatQuestion& s : stats) {
        std::string premiere = TexteQuestion(quizz, s.numero);
        if (s.numero <= static_cast<int>(quizz.questions.size()))
            premiere = quizz.questions[s.numero - 1].premiere;
        const int fausse = FaussePlusChoisie(s);
        const std::string f = fausse == 0 ? "-" : "réponse " + std::to_string(fausse) + " : " + Part(s.choix[fausse], s.rencontres);
        o << Colonne(std::to_string(s.numero), 4) << Colonne(Coupe(premiere, 40), 42)
          << Colonne(std::to_string(s.rencontres), 5) << Colonne(Part(s.justes, s.rencontres), 8) << Colonne(f, 24)
          << (s.rencontres ? Secondes(s.mediane) : "-") << "\n";
    }
}

std::string PageHtml(const std::vector<Resultat>& classe, const std::vector<StatQuestion>& stats,
                     const QuizzVue& quizz, int colonnes) {
    std::ostringstream o;
    const std::string titre = EchappeHtml(Utf8De1252(quizz.titre));
    o << "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n<title>Résultats"
      << (titre.empty() ? "" : " : " + titre) << "</title>\n<style>" << STYLE << "</style>\n</head>\n<body>\n"
      << "<h1>Résultats de la classe</h1>\n<p>Questionnaire : " << (titre.empty() ? "inconnu" : titre) << " ; "
      << classe.size() << " élève(s).</p>\n<h2>Les élèves</h2>\n<table>\n<thead><tr><th>Nom</th><th>Prénom</th>"
      << "<th>Bonnes</th><th>Mauvaises</th><th>Secondes</th><th>Score (%)</th><th>Début</th>";
    for (int q = 1; q <= colonnes; ++q) o << "<th>Q" << q << "</th>";
    o << "</tr></thead>\n<tbody>\n";
    for (const Resultat& r : classe) {
        o << "<tr><td class=\"n\">" << EchappeHtml(r.nom) << "</td><td class=\"n\">" << EchappeHtml(r.prenom) << "</td><td>"
          << r.bonnes << "</td><td>" << r.mauvaises << "</td><td>" << r.secondes << "</td><td>" << Pourcentage(r)
          << "</td><td>" << (r.avec_reponses ? EchappeHtml(r.reponses.debut) : "") << "</td>";
        for (int q = 1; q <= colonnes; ++q) {
            const ReponseDonnee* d = Trouve(r, q);
            if (d == nullptr) {
                o << "<td></td>";
                continue;
            }
            o << "<td class=\"" << (d->juste ? "j" : "f") << "\">"
              << (d->choix == 0 ? std::string("–") : std::to_string(d->choix)) << (d->juste ? " ✓" : " ✗") << "</td>";
        }
        o << "</tr>\n";
    }
    o << "</tbody>\n</table>\n<p>✓ juste, ✗ fausse, – sans réponse (temps écoulé) ; case vide : question "
         "non rencontrée ou réponses non enregistrées.</p>\n<h2>Les questions, les plus manquées d'abord</h2>\n";
    for (const StatQuestion& s : stats) SectionQuestion(o, s, quizz);
    o << "</body>\n</html>\n";
    return o.str();
}

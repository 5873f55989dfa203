// `pivolette results`: the class's results files gathered into one table,
// for the terminal or for a spreadsheet.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "arbre.h"
#include "bilan_questions.h"
#include "chemins.h"
#include "commandes.h"
#include "ecriture.h"
#include "operations.h"
#include "reponses.h"
#include "resultats.h"

namespace fs = std::filesystem;

namespace {

const char* const AIDE_RESULTS =
    "usage : pivolette results [DOSSIER] [--csv | --html] [-o FICHIER]\n"
    "\n"
    "Rassemble les fichiers de résultats de la classe (InfosQuizz/joueurs/DEMO) :\n"
    "une ligne par élève, triée par nom : nom, prénom, bonnes et mauvaises réponses,\n"
    "secondes, score sur le nombre de questions. Un élève identifié qui n'a fini\n"
    "aucune question est signalé. Puis, d'après les fichiers de réponses\n"
    "(joueurs/DEMO/reponses), chaque question : combien d'élèves l'ont vue, la part\n"
    "de réponses justes, la fausse réponse la plus choisie, le temps médian ; les\n"
    "questions les plus manquées d'abord.\n"
    "--csv écrit un fichier pour un tableur (point-virgule, UTF-8 avec BOM) :\n"
    "resultats.csv dans le dossier courant, ou FICHIER avec -o (« - » : sortie standard),\n"
    "avec la date, le questionnaire et la réponse de chaque élève à chaque question.\n"
    "--html écrit une page web autonome (resultats.html, ou FICHIER avec -o) : le\n"
    "tableau de la classe et une barre par question, lisible imprimée en noir et blanc.\n"
    "Codes de sortie : 0 tout est lu, 1 des fichiers sont illisibles (signalés),\n"
    "2 usage ou dossier introuvable.\n";

// The number of questions of the pupil's quiz: the class settings say it,
// and when the two settings files differ, the one his count matches.
void Completer(Resultat& r, const std::vector<int>& nombres, bool aucune_finie) {
    const std::int64_t faites = r.bonnes + r.mauvaises;
    if (aucune_finie) {
        r.secondes = 0;
        r.questions = nombres.empty() ? 0 : nombres.back();
        r.remarque = "identifié, aucune question finie";
        return;
    }
    r.questions = faites;
    for (int n : nombres) {
        if (n == faites) return;
    }
    for (int n : nombres) {
        if (n > faites) {
            r.questions = n;
            r.remarque = "arrêté avant la fin";
            return;
        }
    }
    if (!nombres.empty()) r.remarque = "plus de réponses que de questions";
}

// The pupil's answers file, beside his results file in the folder
// "reponses": none is no fault (he played before answers were kept); a bad
// one is reported with its line and left out of the figures.
void LitReponsesEleve(const fs::path& resultats, const QuizzVue& quizz, Resultat& r, std::vector<Diagnostic>& d) {
    const fs::path f = resultats.parent_path() / NOM_DOSSIER_REPONSES / resultats.filename();
    const LectureReponses lecture = LitReponses(Utf8DeChemin(f), r.reponses);
    int ligne = lecture.ligne;
    std::string raison = lecture.raison;
    if (lecture.absent) return;
    if (lecture && AccordeAuQuizz(r.reponses, quizz, ligne, raison)) {
        r.avec_reponses = true;
        return;
    }
    d.push_back({Utf8DeChemin(f), ligne, 0, true, raison + " : réponses laissées de côté"});
    r.reponses = FicheReponses{};
}

bool LitResultat(const fs::path& f, const std::vector<int>& nombres, Resultat& r, std::vector<Diagnostic>& d) {
    FicheResultats fiche;
    const LectureResultats lecture = LitResultats(Utf8DeChemin(f), fiche);
    if (!lecture) {
        std::string message = lecture.raison;
        if (lecture.nombre) message += ", pas « " + Cite(lecture.texte) + " »";
        d.push_back({Utf8DeChemin(f), lecture.ligne, 0, true, message});
        return false;
    }
    // Names pass through Cite: a damaged file cannot send control characters
    // to the terminal or the spreadsheet.
    r = Resultat{};
    r.nom = Cite(fiche.nom);
    r.prenom = Cite(fiche.prenom);
    r.bonnes = fiche.bonnes;
    r.mauvaises = fiche.mauvaises;
    r.secondes = fiche.secondes;
    Completer(r, nombres, AucuneQuestionFinie(fiche));
    return true;
}

// Sorting key: capitals without accents, so that "Émile" sorts with "E".
std::string Cle(const std::string& utf8) {
    static const std::pair<const char*, char> accents[] = {
        {"À", 'A'}, {"Â", 'A'}, {"Ä", 'A'}, {"Ç", 'C'}, {"É", 'E'}, {"È", 'E'}, {"Ê", 'E'},
        {"Ë", 'E'}, {"Î", 'I'}, {"Ï", 'I'}, {"Ô", 'O'}, {"Ö", 'O'}, {"Ù", 'U'}, {"Û", 'U'},
        {"Ü", 'U'}, {"à", 'A'}, {"â", 'A'}, {"ä", 'A'}, {"ç", 'C'}, {"é", 'E'}, {"è", 'E'},
        {"ê", 'E'}, {"ë", 'E'}, {"î", 'I'}, {"ï", 'I'}, {"ô", 'O'}, {"ö", 'O'}, {"ù", 'U'},
        {"û", 'U'}, {"ü", 'U'}, {"ÿ", 'Y'}, {"Ÿ", 'Y'}, {"œ", 'O'}, {"Œ", 'O'}};
    std::string cle;
    for (std::size_t k = 0; k < utf8.size();) {
        bool trouve = false;
        for (const auto& [lettre, base] : accents) {
            const std::size_t n = std::char_traits<char>::length(lettre);
            if (utf8.compare(k, n, lettre) == 0) {
                cle += base;
                k += n;
                trouve = true;
                break;
            }
        }
        if (!trouve) cle += static_cast<char>(std::toupper(static_cast<unsigned char>(utf8[k++])));
    }
    return cle;
}

std::vector<Resultat> LitClasse(const fs::path& dossier, const std::vector<int>& nombres, const QuizzVue& quizz,
                                std::vector<Diagnostic>& d) {
    // Each pupil with his sorting key, built once.
    std::vector<std::pair<std::string, Resultat>> tries;
    std::error_code e;
    for (fs::directory_iterator it(dossier, e), fin; !e && it != fin; it.increment(e)) {
        const fs::path f = it->path();
        const std::string nom = Utf8DeChemin(f.filename());
        // Hidden files of the folder, and the temporary files of a write in
        // progress or stopped by a crash.
        // The answers folder is read beside each results file; the archives
        // hold the runs of pupils let play again.
        if (nom.empty() || nom[0] == '.' || EstFichierProvisoire(nom) || nom == NOM_DOSSIER_REPONSES ||
            nom == NOM_DOSSIER_ARCHIVES)
            continue;
        if (f.extension() != ".txt" || !it->is_regular_file(e)) {
            if (f.extension() != ".tmp")  // left by an older game's rewrite
                d.push_back({Utf8DeChemin(f), 0, 0, false, "ce n'est pas un fichier de résultats : ignoré"});
            continue;
        }
        Resultat r;
        if (!LitResultat(f, nombres, r, d)) continue;
        r.fichier = nom;
        LitReponsesEleve(f, quizz, r, d);
        tries.emplace_back(Cle(r.nom) + '\0' + Cle(r.prenom), std::move(r));
    }
    std::stable_sort(tries.begin(), tries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Resultat> classe;
    classe.reserve(tries.size());
    for (auto& t : tries) classe.push_back(std::move(t.second));
    return classe;
}

// A field for the spreadsheet: quoted when it holds the separator, a quote or
// a line end; a leading "=", "+", "-" or "@" is kept as text, not a formula.
std::string Csv(const std::string& t) {
    std::string v = t;
    if (!v.empty() && std::string("=+-@").find(v[0]) != std::string::npos) v = "'" + v;
    if (v.find_first_of(";\"\r\n") == std::string::npos) return v;
    std::string q = "\"";
    for (char c : v) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

// One row per pupil; after his totals, the start of his run, the quiz's
// title and his answer to each question (empty without an answers file).
std::string EnCsv(const std::vector<Resultat>& classe, int colonnes) {
    std::ostringstream o;
    o << "\xEF\xBB\xBF" << "Nom;Prénom;Bonnes;Mauvaises;Secondes;Questions;Score (%);Remarque;Date;Questionnaire";
    for (int q = 1; q <= colonnes; ++q) o << ";Q" << q;
    o << "\r\n";
    for (const Resultat& r : classe) {
        o << Csv(r.nom) << ";" << Csv(r.prenom) << ";" << r.bonnes << ";" << r.mauvaises << ";"
          << r.secondes << ";" << r.questions << ";" << Pourcentage(r) << ";" << Csv(r.remarque) << ";"
          << (r.avec_reponses ? Csv(r.reponses.debut) + ";" + Csv(Cite(r.reponses.titre)) : ";");
        for (int q = 1; q <= colonnes; ++q) o << ";" << CelluleReponse(r, q);
        o << "\r\n";
    }
    return o.str();
}

std::string Colonne(const std::string& t, std::size_t largeur) {
    const std::size_t n = LongueurUtf8(t);
    return t + std::string(n < largeur ? largeur - n : 1, ' ');
}

void EnTableau(std::ostream& o, const std::vector<Resultat>& classe) {
    o << Colonne("Nom", 22) << Colonne("Prénom", 18) << "Bonnes  Mauvaises  Secondes  Score\n";
    for (const Resultat& r : classe) {
        o << Colonne(r.nom, 22) << Colonne(r.prenom, 18) << Colonne(std::to_string(r.bonnes), 8)
          << Colonne(std::to_string(r.mauvaises), 11) << Colonne(std::to_string(r.secondes), 10)
          << Colonne(std::to_string(r.bonnes) + "/" + std::to_string(r.questions), 7) << r.remarque << "\n";
    }
    o << classe.size() << " élève(s).\n";
}

}  // namespace

bool LitBilanClasse(const std::string& donnees, BilanClasse& bilan, std::string& erreur) {
    bilan = BilanClasse{};
    const fs::path dossier = CheminFs(donnees) / DOSSIER_RESULTATS;
    std::error_code e;
    if (!fs::is_directory(dossier, e)) return erreur = Utf8DeChemin(dossier) + " : dossier des résultats introuvable", false;
    const std::vector<int> nombres = NombresDeQuestions(LitReglages(donnees));
    bilan.quizz = LitQuizzVue(donnees, nombres);
    bilan.classe = LitClasse(dossier, nombres, bilan.quizz, bilan.diagnostics);
    bilan.colonnes = NombreColonnes(bilan.classe, bilan.quizz);
    bilan.stats = StatistiquesQuestions(bilan.classe, bilan.colonnes);
    return true;
}

std::string ResultatsCsv(const BilanClasse& bilan) { return EnCsv(bilan.classe, bilan.colonnes); }

std::string ResultatsHtml(const BilanClasse& bilan) {
    return PageHtml(bilan.classe, bilan.stats, bilan.quizz, bilan.colonnes);
}

int CommandeResults(int argc, char** argv) {
    const Arguments a = LitArguments(argc, argv, {"--help", "-h", "--csv", "--html"}, {"-o"});
    if (a.A("--help") || a.A("-h")) return std::cout << AIDE_RESULTS, SORTIE_OK;
    const bool fichier = a.A("--csv") || a.A("--html");
    if (!a.inconnue.empty() || a.valeur_manquante || a.mots.size() > 1 || (a.A("-o") && !fichier) ||
        (a.A("--csv") && a.A("--html")))
        return std::cerr << AIDE_RESULTS, SORTIE_USAGE;
    BilanClasse bilan;
    std::string erreur;
    if (!LitBilanClasse(DossierDonnees(a.mots.empty() ? "." : a.mots[0]), bilan, erreur))
        return Echec(SORTIE_USAGE, erreur);
    const int code = SignaleTout(std::cerr, bilan.diagnostics, false);
    const std::vector<Resultat>& classe = bilan.classe;
    if (!fichier) {
        EnTableau(std::cout, classe);
        if (std::any_of(classe.begin(), classe.end(), [](const Resultat& r) { return r.avec_reponses; }))
            EnVueQuestions(std::cout, bilan.stats, bilan.quizz);
        return code;
    }
    const bool html = a.A("--html");
    const std::string sortie = a.Valeur("-o", html ? "resultats.html" : "resultats.csv");
    const std::string contenu = html ? ResultatsHtml(bilan) : ResultatsCsv(bilan);
    if (!EcritFichierEntier(sortie, contenu, erreur)) return Echec(SORTIE_PROBLEMES, erreur);
    if (sortie != "-") std::cerr << classe.size() << " élève(s) écrit(s) dans " << sortie << "\n";
    return code;
}

// `pivolette results`: the class's results files gathered into one table,
// for the terminal or for a spreadsheet.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "arbre.h"
#include "commandes.h"
#include "ecriture.h"
#include "resultats.h"

namespace fs = std::filesystem;

namespace {

const char* const AIDE_RESULTS =
    "usage : pivolette results [DOSSIER] [--csv] [-o FICHIER]\n"
    "\n"
    "Rassemble les fichiers de résultats de la classe (InfosQuizz/joueurs/DEMO) :\n"
    "une ligne par élève, triée par nom : nom, prénom, bonnes et mauvaises réponses,\n"
    "secondes, score sur le nombre de questions. Un élève identifié qui n'a fini\n"
    "aucune question est signalé.\n"
    "--csv écrit un fichier pour un tableur (point-virgule, UTF-8 avec BOM) :\n"
    "resultats.csv dans le dossier courant, ou FICHIER avec -o (« - » : sortie standard).\n"
    "Codes de sortie : 0 tout est lu, 1 des fichiers sont illisibles (signalés),\n"
    "2 usage ou dossier introuvable.\n";

struct Resultat {
    std::string nom;     // UTF-8
    std::string prenom;
    std::int64_t bonnes = 0;  // counts read back from the files: wide, held at COMPTE_MAX
    std::int64_t mauvaises = 0;
    std::int64_t secondes = 0;
    std::int64_t questions = 0;  // of the pupil's quiz
    std::string remarque;
};

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

bool LitResultat(const fs::path& f, const std::vector<int>& nombres, Resultat& r, std::vector<Diagnostic>& d) {
    FicheResultats fiche;
    const LectureResultats lecture = LitResultats(f.string(), fiche);
    if (!lecture) {
        std::string message = lecture.raison;
        if (lecture.nombre) message += ", pas « " + Cite(lecture.texte) + " »";
        d.push_back({f.string(), lecture.ligne, 0, true, message});
        return false;
    }
    // Names pass through Cite: a damaged file cannot send control characters
    // to the terminal or the spreadsheet.
    r = {Cite(fiche.nom), Cite(fiche.prenom), fiche.bonnes, fiche.mauvaises, fiche.secondes, 0, ""};
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

std::vector<Resultat> LitClasse(const fs::path& dossier, const std::vector<int>& nombres, std::vector<Diagnostic>& d) {
    // Each pupil with his sorting key, built once.
    std::vector<std::pair<std::string, Resultat>> tries;
    std::error_code e;
    for (fs::directory_iterator it(dossier, e), fin; !e && it != fin; it.increment(e)) {
        const fs::path f = it->path();
        const std::string nom = f.filename().string();
        // Hidden files of the folder, and the temporary files of a write in
        // progress or stopped by a crash.
        if (nom.empty() || nom[0] == '.' || EstFichierProvisoire(nom)) continue;
        if (f.extension() != ".txt" || !it->is_regular_file(e)) {
            if (f.extension() != ".tmp")  // left by an older game's rewrite
                d.push_back({f.string(), 0, 0, false, "ce n'est pas un fichier de résultats : ignoré"});
            continue;
        }
        Resultat r;
        if (LitResultat(f, nombres, r, d)) tries.emplace_back(Cle(r.nom) + '\0' + Cle(r.prenom), std::move(r));
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

std::string Pourcentage(const Resultat& r) {
    if (r.questions <= 0) return "";
    const std::int64_t dixiemes = (r.bonnes * 1000 + r.questions / 2) / r.questions;
    return std::to_string(dixiemes / 10) + "," + std::to_string(dixiemes % 10);
}

std::string EnCsv(const std::vector<Resultat>& classe) {
    std::ostringstream o;
    o << "\xEF\xBB\xBF" << "Nom;Prénom;Bonnes;Mauvaises;Secondes;Questions;Score (%);Remarque\r\n";
    for (const Resultat& r : classe)
        o << Csv(r.nom) << ";" << Csv(r.prenom) << ";" << r.bonnes << ";" << r.mauvaises << ";"
          << r.secondes << ";" << r.questions << ";" << Pourcentage(r) << ";" << Csv(r.remarque) << "\r\n";
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

int CommandeResults(int argc, char** argv) {
    const Arguments a = LitArguments(argc, argv, {"--help", "-h", "--csv"}, {"-o"});
    if (a.A("--help") || a.A("-h")) return std::cout << AIDE_RESULTS, SORTIE_OK;
    if (!a.inconnue.empty() || a.valeur_manquante || a.mots.size() > 1 || (a.A("-o") && !a.A("--csv")))
        return std::cerr << AIDE_RESULTS, SORTIE_USAGE;
    const std::string donnees = DossierDonnees(a.mots.empty() ? "." : a.mots[0]);
    const fs::path dossier = fs::path(donnees) / DOSSIER_RESULTATS;
    std::error_code e;
    if (!fs::is_directory(dossier, e)) return Echec(SORTIE_USAGE, dossier.string() + " : dossier des résultats introuvable");
    std::vector<Diagnostic> d;
    const std::vector<Resultat> classe = LitClasse(dossier, NombresDeQuestions(LitReglages(donnees)), d);
    const int code = SignaleTout(std::cerr, d, false);
    if (!a.A("--csv")) {
        EnTableau(std::cout, classe);
        return code;
    }
    const std::string sortie = a.Valeur("-o", "resultats.csv");
    std::string erreur;
    if (!EcritFichierEntier(sortie, EnCsv(classe), erreur)) return Echec(SORTIE_PROBLEMES, erreur);
    if (sortie != "-") std::cerr << classe.size() << " élève(s) écrit(s) dans " << sortie << "\n";
    return code;
}

// `pivolette import`: questions exported by another quiz system (Aiken or
// GIFT) written as the game's quiz text, texts cut into display lines.
#include <filesystem>
#include <iostream>

#include "commandes.h"
#include "importe.h"

namespace fs = std::filesystem;

namespace {

const char* const AIDE_IMPORT =
    "usage : pivolette import aiken|gift FICHIER [-o TEXTE]\n"
    "\n"
    "Convertit les questions à choix multiple d'un export Aiken ou GIFT (Moodle et\n"
    "d'autres plateformes) en texte de quiz pour Pivolette (UTF-8, sur la sortie\n"
    "standard sans -o), à brouiller ensuite avec « pivolette encode ». Les textes\n"
    "sont coupés en lignes d'affichage entre les mots. Une question qui ne peut\n"
    "être reprise (plus de quatre réponses, plusieurs bonnes réponses, autre type)\n"
    "est signalée et laissée de côté.\n"
    "Codes de sortie : 0 tout est repris, 1 des questions sont laissées de côté,\n"
    "2 usage ou fichier illisible.\n";

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

std::string Joint(const std::vector<std::string>& lignes) {
    std::string r;
    for (const std::string& l : lignes) r += (r.empty() ? "" : "|") + l;
    return r;
}

std::string LigneReponse(const std::string& t, const std::string& f, int ligne, std::vector<Diagnostic>& d) {
    std::vector<std::string> l = CoupeEnLignes(SansSignes(t, f, ligne, d), LARGEUR_REPONSE, 3);
    for (std::string& s : l) {
        if (LongueurUtf8(s) <= CHAMP_COURT) continue;
        s = Debut(s, CHAMP_COURT);
        d.push_back({f, ligne, 0, false, "réponse trop longue pour trois lignes : coupée à « " + s + " »"});
    }
    return Joint(l);
}

std::string LigneQuestion(const std::string& t, const std::string& f, int ligne, std::vector<Diagnostic>& d) {
    const std::vector<std::string> l = CoupeEnLignes(SansSignes(t, f, ligne, d), LARGEUR_QUESTION, 3);
    if (LongueurUtf8(l.back()) > 2 * LARGEUR_QUESTION)
        d.push_back({f, ligne, 0, false, "question longue : sa troisième ligne risque de dépasser de l'écran"});
    std::string r = Joint(l);
    if (LongueurUtf8(r) > LIGNE_MAX) {
        r = Debut(r, LIGNE_MAX);
        d.push_back({f, ligne, 0, false, "question de plus de 254 caractères : coupée"});
    }
    return r;
}

}  // namespace

std::vector<std::string> CoupeEnLignes(const std::string& texte, std::size_t largeur, std::size_t lignes) {
    std::vector<std::string> r(1);
    std::size_t debut = 0;
    while (debut < texte.size()) {
        const std::size_t espace = texte.find(' ', debut);
        const std::size_t fin = espace == std::string::npos ? texte.size() : espace;
        const std::string mot = texte.substr(debut, fin - debut);
        debut = fin + 1;
        if (mot.empty()) continue;
        std::string& l = r.back();
        if (l.empty()) l = mot;
        else if (LongueurUtf8(l) + 1 + LongueurUtf8(mot) <= largeur || r.size() == lignes) l += " " + mot;
        else r.push_back(mot);
    }
    return r;
}

std::string TexteQuizz(const std::vector<QuestionImportee>& questions, const std::string& titre,
                       const std::string& f, std::vector<Diagnostic>& d) {
    std::string t = Debut(titre, 63) + "\nQuestions importées\nImporté par pivolette import depuis " + f + "\n";
    for (const QuestionImportee& q : questions) {
        t += LigneQuestion(q.texte, f, q.ligne, d) + "\n";
        for (std::size_t r = 0; r < 4; ++r)
            t += (r < q.reponses.size() ? LigneReponse(q.reponses[r], f, q.ligne, d) : "") + "\n";
        t += std::to_string(q.bonne + 1) + "\n--\n";
    }
    return t;
}

int CommandeImport(int argc, char** argv) {
    const Arguments a = LitArguments(argc, argv, {"--help", "-h"}, {"-o"});
    if (a.A("--help") || a.A("-h")) return std::cout << AIDE_IMPORT, SORTIE_OK;
    if (!a.inconnue.empty() || a.valeur_manquante || a.mots.size() != 2 || (a.mots[0] != "aiken" && a.mots[0] != "gift"))
        return std::cerr << AIDE_IMPORT, SORTIE_USAGE;
    const std::string& source = a.mots[1];
    std::string octets;
    if (!LitFichierEntier(source, octets)) return Echec(SORTIE_USAGE, source + " : fichier introuvable ou illisible");
    if (!EstUtf8(octets)) octets = Utf8De1252(octets);  // an older export in Windows-1252
    std::vector<Diagnostic> d;
    const std::vector<QuestionImportee> q = a.mots[0] == "aiken" ? LitAiken(octets, source, d) : LitGift(octets, source, d);
    const std::string texte = TexteQuizz(q, fs::path(source).stem().string(), source, d);
    int code = SignaleTout(std::cerr, d, false);
    for (const Diagnostic& x : d) code = x.message.rfind("question non reprise", 0) == 0 ? SORTIE_PROBLEMES : code;
    if (q.empty()) return Echec(SORTIE_PROBLEMES, source + " : aucune question à choix multiple n'a pu être reprise");
    std::string erreur;
    if (a.Valeur("-o", "-") != "-" && fs::exists(a.Valeur("-o")) && fs::equivalent(a.Valeur("-o"), source))
        return Echec(SORTIE_USAGE, "le texte remplacerait l'export " + source);
    if (!EcritFichierEntier(a.Valeur("-o", "-"), texte, erreur)) return Echec(SORTIE_PROBLEMES, erreur);
    std::cerr << q.size() << " question(s) reprise(s).\n";
    return code;
}

// `pivolette encode` and `pivolette decode`: the quiz's plain text to its
// scrambled file and back, byte for byte.
#include <filesystem>
#include <iostream>

#include "chemins.h"
#include "commandes.h"
#include "controle_quizz.h"
#include "fichier_quizz.h"
#include "mesure.h"
#include "operations.h"

namespace fs = std::filesystem;

namespace {

const char* const AIDE_ENCODE =
    "usage : pivolette encode TEXTE [-o QUIZZ] [--utf8 | --cp1252] [--force]\n"
    "\n"
    "Brouille le texte d'un quiz pour que les élèves ne puissent pas lire les réponses.\n"
    "Sans -o, QUIZZ est TEXTE sans son extension .txt (vorlines_DEMO.txt donne\n"
    "vorlines_DEMO). Le texte peut être en UTF-8 ou en Windows-1252 (reconnu seul ;\n"
    "--utf8 ou --cp1252 l'imposent). Les fins de ligne deviennent LF. Un caractère\n"
    "que le jeu ne sait pas afficher, un texte trop long ou une bonne réponse qui\n"
    "n'est pas 1 à 4 sont signalés avec leur ligne, et rien n'est écrit. Chaque\n"
    "question et chaque réponse est mesurée avec les polices du jeu sur un écran de\n"
    "1024 x 768 : un texte que le jeu réduira ou qui débordera de sa case est\n"
    "signalé (avertissement), avec sa ligne, sa colonne et de combien.\n"
    "Le fichier TEXTE n'est jamais remplacé ; un QUIZZ qui existe déjà ne l'est que\n"
    "s'il est un quiz brouillé, ou avec --force.\n"
    "Codes de sortie : 0 écrit, 1 problèmes dans le texte, 2 usage ou fichier illisible.\n";

const char* const AIDE_DECODE =
    "usage : pivolette decode QUIZZ [-o TEXTE] [--cp1252] [--force]\n"
    "\n"
    "Remet en clair un fichier de quiz brouillé, en UTF-8 (sur la sortie standard\n"
    "sans -o). Avec --cp1252, écrit les octets exacts du texte en Windows-1252.\n"
    "Un TEXTE qui existe déjà n'est remplacé qu'avec --force.\n"
    "Codes de sortie : 0 écrit, 2 usage ou fichier illisible.\n";

// The quiz file's name when -o is not given: the plain text's name without
// ".txt"; empty when it has no such extension.
std::string SortieParDefaut(const std::string& entree) {
    const std::string ext = ".txt";
    if (entree.size() <= ext.size() || entree.compare(entree.size() - ext.size(), ext.size(), ext) != 0)
        return "";
    return entree.substr(0, entree.size() - ext.size());
}

bool MemeFichier(const std::string& a, const std::string& b) {
    std::error_code e;
    if (a == b) return true;
    return fs::exists(CheminFs(b), e) && fs::equivalent(CheminFs(a), CheminFs(b), e);
}

}  // namespace

bool TexteClairQuizz(const std::string& octets, const std::string& nom, Codage codage, std::string& texte,
                     std::vector<Diagnostic>& d) {
    bool utf8 = codage == Codage::Utf8;
    if (codage == Codage::Auto) {
        // The one rule of the teacher's texts; a text it refuses is not guessed.
        const DecisionCodage decision = DecideCodage(octets);
        if (decision.faute) {
            d.push_back({nom, decision.ligne, decision.colonne, true, MessageCodage(decision)});
            return false;
        }
        utf8 = decision.codage == CodageTexte::Utf8;
    }
    if (!utf8) {
        texte = FinsDeLigneLF(octets);
        return true;
    }
    return Utf8Vers1252(FinsDeLigneLF(octets), nom, texte, d);
}

namespace {

// A scrambled quiz, as this command writes them: its plain text holds the
// header and at least one whole question with its right answer.
bool Brouille(const std::string& octets) {
    std::string clair = octets, raison;
    BrouilleQuizz(reinterpret_cast<unsigned char*>(clair.data()), clair.size());
    return VerifieQuizz(clair, 1, "", raison);
}

Codage CodageDemande(const Arguments& a) {
    if (a.A("--utf8")) return Codage::Utf8;
    if (a.A("--cp1252")) return Codage::Cp1252;
    return Codage::Auto;
}

}  // namespace

bool PrepareQuizzPourLeJeu(const std::string& octets, const std::string& nom, Codage codage,
                           std::string& texte, std::vector<Diagnostic>& d) {
    if (TexteClairQuizz(octets, nom, codage, texte, d)) ControleTexteQuizz(texte, nom, -1, "", d, nullptr);
    // A well-formed quiz is measured as the game will draw it.
    if (!AUneErreur(d) && !texte.empty()) MesureQuizz(texte, nom, d);
    return !AUneErreur(d);
}

int EncodeQuizz(const std::string& entree, const std::string& sortie, Codage codage, bool force) {
    if (sortie != "-" && MemeFichier(entree, sortie))
        return Echec(SORTIE_USAGE, "le quiz brouillé remplacerait son texte " + entree + " : choisissez un autre nom avec -o");
    std::string octets;
    if (!LitFichierEntier(entree, octets)) return Echec(SORTIE_USAGE, entree + " : fichier introuvable ou illisible");
    std::string texte;
    std::vector<Diagnostic> d;
    PrepareQuizzPourLeJeu(octets, entree, codage, texte, d);
    const int code = SignaleTout(std::cerr, d, false);
    if (code != SORTIE_OK) return code;
    BrouilleQuizz(reinterpret_cast<unsigned char*>(texte.data()), texte.size());
    std::string erreur;
    if (!RemplacementPermis(sortie, texte, force, Brouille, erreur) || !EcritFichierEntier(sortie, texte, erreur))
        return Echec(SORTIE_PROBLEMES, erreur);
    return SORTIE_OK;
}

int DecodeQuizz(const std::string& entree, const std::string& sortie, Codage codage, bool force) {
    std::string octets;
    std::string raison;
    if (!LitFichierQuizz(entree, octets, raison)) return Echec(SORTIE_USAGE, raison);
    if (sortie != "-" && MemeFichier(entree, sortie))
        return Echec(SORTIE_USAGE, "le texte remplacerait le quiz " + entree + " : choisissez un autre nom avec -o");
    const std::string texte = codage == Codage::Cp1252 ? octets : Utf8De1252(octets);
    std::string erreur;
    if (!RemplacementPermis(sortie, texte, force, nullptr, erreur) || !EcritFichierEntier(sortie, texte, erreur))
        return Echec(SORTIE_PROBLEMES, erreur);
    return SORTIE_OK;
}

int CommandeEncode(int argc, char** argv) {
    const Arguments a = LitArguments(argc, argv, {"--help", "-h", "--utf8", "--cp1252", "--force"}, {"-o"});
    if (a.A("--help") || a.A("-h")) return std::cout << AIDE_ENCODE, SORTIE_OK;
    if (!a.inconnue.empty() || a.valeur_manquante || a.mots.size() != 1 || (a.A("--utf8") && a.A("--cp1252")))
        return std::cerr << AIDE_ENCODE, SORTIE_USAGE;
    const std::string sortie = a.Valeur("-o", SortieParDefaut(a.mots[0]));
    if (sortie.empty())
        return Echec(SORTIE_USAGE, a.mots[0] + " ne finit pas par .txt : donnez le nom du quiz brouillé avec -o");
    return EncodeQuizz(a.mots[0], sortie, CodageDemande(a), a.A("--force"));
}

int CommandeDecode(int argc, char** argv) {
    const Arguments a = LitArguments(argc, argv, {"--help", "-h", "--cp1252", "--force"}, {"-o"});
    if (a.A("--help") || a.A("-h")) return std::cout << AIDE_DECODE, SORTIE_OK;
    if (!a.inconnue.empty() || a.valeur_manquante || a.mots.size() != 1)
        return std::cerr << AIDE_DECODE, SORTIE_USAGE;
    return DecodeQuizz(a.mots[0], a.Valeur("-o", "-"), CodageDemande(a), a.A("--force"));
}

// `pivolette import`: questions exported by another quiz system (Aiken or
// GIFT) written as the game's quiz text, texts cut into display lines.
#include <filesystem>
#include <iostream>

#include "chemins.h"
#include "commandes.h"
#include "importe.h"
#include "operations.h"
#include "module_ecran.h"

namespace fs = std::filesystem;

namespace {

const char* const AIDE_IMPORT =
    "usage : pivolette import aiken|gift FICHIER [-o TEXTE] [--force]\n"
    "\n"
    "Convertit les questions à choix multiple d'un export Aiken ou GIFT (Moodle et\n"
    "d'autres plateformes) en texte de quiz pour Pivolette (UTF-8, sur la sortie\n"
    "standard sans -o), à brouiller ensuite avec « pivolette encode ». Les textes\n"
    "sont coupés en lignes d'affichage entre les mots, là où le jeu peut les\n"
    "dessiner à la taille prévue (mesurés avec ses polices). Une question qui ne peut\n"
    "être reprise (plus de quatre réponses, plusieurs bonnes réponses, autre type)\n"
    "est signalée et laissée de côté.\n"
    "Le fichier peut être en UTF-8 ou en Windows-1252 ; un fichier en UTF-8 qui\n"
    "contient un octet qui n'en est pas est refusé, avec sa ligne et sa colonne.\n"
    "Les images et les sons que nomme le HTML d'une question sont repris quand ils\n"
    "sont à côté de FICHIER (à copier ensuite dans questions/images ou questions/sons).\n"
    "Un TEXTE qui existe déjà n'est remplacé que s'il vient d'une importation, ou\n"
    "avec --force.\n"
    "Codes de sortie : 0 tout est repris, 1 des questions sont laissées de côté,\n"
    "2 usage, fichier illisible ou refusé pour son codage.\n";

// The quiz text with its lines cut where they fit the game's boxes, as
// measured on the game's screen (two display lines, the layout's size); by
// a count of characters when the screen cannot be had.
std::string TexteMesure(const std::vector<QuestionImportee>& q, const std::string& titre, const std::string& source,
                        std::vector<Diagnostic>& d) {
    std::string texte, erreur;
    std::vector<Diagnostic> avertissements;
    const bool mesure = SurEcranMesure([&](const TientDansCase& tient) {
        texte = TexteQuizz(q, titre, source, avertissements, tient);
    }, erreur);
    if (!mesure) return TexteQuizz(q, titre, source, d);
    d.insert(d.end(), avertissements.begin(), avertissements.end());
    return texte;
}

// The quiz texts this command writes say so on their free third line.
bool Importe(const std::string& octets) {
    const std::vector<std::string> lignes = DecoupeLignes(FinsDeLigneLF(octets.substr(0, 4096)));
    return lignes.size() > 2 && lignes[2].rfind("Importé par pivolette import", 0) == 0;
}

}  // namespace

Importation ImporteExport(const std::string& format, const std::string& octets, const std::string& source) {
    Importation imp;
    std::string utf8;
    imp.lisible = TexteEnseignant(octets, source, utf8, imp.diagnostics);
    if (!imp.lisible) return imp;
    imp.questions = format == "aiken" ? LitAiken(utf8, source, imp.diagnostics) : LitGift(utf8, source, imp.diagnostics);
    imp.texte = TexteMesure(imp.questions, Utf8DeChemin(CheminFs(source).stem()), source, imp.diagnostics);
    RangeDiagnostics(imp.diagnostics);
    return imp;
}

int CommandeImport(int argc, char** argv) {
    const Arguments a = LitArguments(argc, argv, {"--help", "-h", "--force"}, {"-o"});
    if (a.A("--help") || a.A("-h")) return std::cout << AIDE_IMPORT, SORTIE_OK;
    if (!a.inconnue.empty() || a.valeur_manquante || a.mots.size() != 2 || (a.mots[0] != "aiken" && a.mots[0] != "gift"))
        return std::cerr << AIDE_IMPORT, SORTIE_USAGE;
    const std::string& source = a.mots[1];
    std::string octets;
    if (!LitFichierEntier(source, octets)) return Echec(SORTIE_USAGE, source + " : fichier introuvable ou illisible");
    Importation imp = ImporteExport(a.mots[0], octets, source);
    std::vector<Diagnostic>& d = imp.diagnostics;
    if (!imp.lisible) return SignaleTout(std::cerr, d, false), SORTIE_USAGE;
    const std::vector<QuestionImportee>& q = imp.questions;
    const std::string& texte = imp.texte;
    int code = SignaleTout(std::cerr, d, false);
    for (const Diagnostic& x : d) code = x.message.rfind("question non reprise", 0) == 0 ? SORTIE_PROBLEMES : code;
    if (q.empty()) return Echec(SORTIE_PROBLEMES, source + " : aucune question à choix multiple n'a pu être reprise");
    std::string erreur;
    if (a.Valeur("-o", "-") != "-" && fs::exists(CheminFs(a.Valeur("-o"))) &&
        fs::equivalent(CheminFs(a.Valeur("-o")), CheminFs(source)))
        return Echec(SORTIE_USAGE, "le texte remplacerait l'export " + source);
    if (!RemplacementPermis(a.Valeur("-o", "-"), texte, a.A("--force"), Importe, erreur) ||
        !EcritFichierEntier(a.Valeur("-o", "-"), texte, erreur))
        return Echec(SORTIE_PROBLEMES, erreur);
    std::cerr << q.size() << " question(s) reprise(s).\n";
    return code;
}

// `pivolette check`: reads the data tree as the game will and reports every
// problem the way compilers do, "file:line: error: message".
#include <chrono>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <sstream>

#include "arbre.h"
#include "chemins.h"
#include "commandes.h"
#include "controle_classe.h"
#include "controle_quizz.h"
#include "etat.h"
#include "classe.h"
#include "fichier_quizz.h"
#include "lecture.h"
#include "medias.h"
#include "mesure.h"
#include "operations.h"

namespace fs = std::filesystem;

namespace {

const char* const AIDE_CHECK =
    "usage : pivolette check [DOSSIER]\n"
    "\n"
    "Vérifie le dossier du jeu (celui qui contient InfosQuizz, ou InfosQuizz\n"
    "lui-même ; le dossier courant par défaut) comme le jeu le lira : réglages des\n"
    "classes, liste des élèves, quiz brouillé, images, sons et vidéos nommés ; le\n"
    "texte quiz.txt à côté d'InfosQuizz doit être celui du quiz brouillé. Les textes\n"
    "des questions sont mesurés comme le jeu les dessine (voir pivolette encode).\n"
    "Chaque problème est écrit « fichier:ligne: error|warning: message ».\n"
    "Codes de sortie : 0 aucune erreur (des avertissements peut-être), 1 erreurs\n"
    "trouvées, 2 usage ou dossier introuvable.\n";

struct Verification {
    std::string donnees;
    std::vector<Diagnostic> d;

    std::string Chemin(const char* nom) const { return Utf8DeChemin(CheminFs(donnees) / nom); }
};

void VerifieReglages(Verification& v, const std::vector<ReglagesClasse>& reglages) {
    for (const ReglagesClasse& r : reglages) {
        if (!r.existe || !r.octets_lus) {
            const std::string pourquoi = r.existe ? r.message : "fichier de réglages introuvable ou illisible";
            v.d.push_back({r.chemin, 0, 0, true, pourquoi + " : les classes " + r.classes + " ne peuvent pas jouer"});
            continue;
        }
        const std::size_t avant = v.d.size();
        ControleReglages(r.octets, r.chemin, v.d);
        bool erreur = false;
        for (std::size_t k = avant; k < v.d.size(); ++k) erreur = erreur || v.d[k].erreur;
        // The game's own reader has the last word on what it refuses.
        if (!r.lu && !erreur) v.d.push_back({r.chemin, 0, 0, true, r.message});
    }
}

void VerifieListe(Verification& v, const std::vector<ReglagesClasse>& reglages) {
    bool utile = false;
    for (const ReglagesClasse& r : reglages) utile = utile || (r.lu && r.liste);
    const std::string chemin = v.Chemin(LISTE_ELEVES);
    std::string octets;
    const ResultatLecture lu = LitFichierBorne(chemin, LIMITE_LISTE, octets);
    if (lu.echec == EchecLecture::Absent && !utile) return;  // every class types its names
    if (!lu) {
        v.d.push_back({chemin, 0, 0, true, lu.echec == EchecLecture::Absent ? "liste des élèves introuvable ou illisible" : lu.message});
        return;
    }
    const std::size_t avant = v.d.size();
    ControleListe(octets, chemin, v.d);
    // The game's own reader has the last word, on the same bytes.
    std::vector<FicheListe> eleves;
    std::string raison;
    if (v.d.size() == avant && utile && !AnalyseListe(octets, chemin, eleves, raison))
        v.d.push_back({chemin, 0, 0, true, raison});
}

// The name the game draws a question picture from: a leading "_" marks a
// thumbnail-only picture whose name runs to the next "_".
std::string NomAffiche(const MediaNomme& m) {
    if (m.dossier != "images" || m.nom.empty() || m.nom[0] != '_') return m.nom;
    const std::size_t debut = m.nom.find_first_not_of('_');
    if (debut == std::string::npos) return "";
    return m.nom.substr(debut, m.nom.find('_', debut) - debut);
}

bool MemeNomSansCasse(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (std::tolower(static_cast<unsigned char>(a[k])) != std::tolower(static_cast<unsigned char>(b[k])))
            return false;
    }
    return true;
}

// The name in the media folder written like `nom` but for its capitals; `nom`
// itself when the folder holds it exactly; empty when neither.
std::string NomDansLeDossier(const fs::path& dossier, const std::string& nom) {
    std::error_code e;
    std::string approchant;
    for (fs::directory_iterator it(dossier, e), fin; !e && it != fin; it.increment(e)) {
        const std::string present = Utf8DeChemin(it->path().filename());
        if (present == nom) return present;
        if (MemeNomSansCasse(present, nom)) approchant = present;
    }
    return approchant;
}

// A medium named by the quiz must be found where the game looks for it
// (inside its folder only), with the exact case of its name. A disk that
// does not tell capitals apart (Windows, a USB key) finds it anyway: then a
// warning, since the same tree copied to Linux would lose the medium.
void VerifieMedia(const std::string& donnees, std::vector<Diagnostic>& d, const std::string& quizz, const MediaNomme& m) {
    const MediaResolu trouve = ResoutMedia(donnees, m.dossier, NomAffiche(m));
    if (trouve.etat == EtatMedia::Refuse) {
        d.push_back({quizz, m.ligne, 0, true, trouve.raison});
        return;
    }
    const std::string nom = NomMediaNatif(NomAffiche(m));
    const std::string approchant = NomDansLeDossier(CheminFs(donnees) / "questions" / CheminFs(m.dossier), nom);
    std::string ou = "questions/" + m.dossier + "/" + nom;
    if (trouve.etat == EtatMedia::Trouve) {
        if (!approchant.empty() && approchant != nom)
            d.push_back({quizz, m.ligne, 0, false, ou + " est trouvé sous le nom « " + approchant +
                                                         " », écrit avec d'autres majuscules : un ordinateur qui distingue les majuscules (Linux) ne le trouvera pas"});
        return;
    }
    if (NomAffiche(m) != m.nom)
        ou += " (nommée « " + Cite(m.nom) + " » : après le « _ » du début, le nom s'arrête au « _ » suivant)";
    if (!approchant.empty())
        d.push_back({quizz, m.ligne, 0, true, ou + " est introuvable : le dossier a « " + approchant + " », écrit avec d'autres majuscules"});
    else
        d.push_back({quizz, m.ligne, 0, true, ou + " est introuvable"});
}

std::string Date(const fs::file_time_type& t) {
    const std::time_t secondes = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(t));
    std::ostringstream r;
    r << std::put_time(std::localtime(&secondes), "%d/%m/%Y %H:%M");
    return r.str();
}

// The quiz text the teacher edits lies beside InfosQuizz ("classe/quiz.txt"
// beside "classe/InfosQuizz/questions/vorlines_DEMO"): when it says another
// quiz than the scrambled file, the pupils would play the older one.
void VerifieTexteAJour(Verification& v, const std::string& clair) {
    const std::string quizz = v.Chemin(FICHIER_QUIZZ);
    const std::string texte = Utf8DeChemin(CheminFs(v.donnees).parent_path() / "quiz.txt");
    std::string octets, converti;
    std::vector<Diagnostic> refus;
    std::error_code e;
    if (!fs::is_regular_file(CheminFs(texte), e) || !LitFichierEntier(texte, octets)) return;
    if (!TexteClairQuizz(octets, texte, Codage::Auto, converti, refus)) {
        v.d.push_back({texte, 0, 0, false, "texte du quiz illisible : impossible de dire s'il est celui du quiz brouillé (pivolette encode dit pourquoi)"});
        return;
    }
    if (converti == clair) return;
    const fs::file_time_type date_texte = fs::last_write_time(CheminFs(texte), e),
                               date_quizz = fs::last_write_time(CheminFs(quizz), e);
    const std::string encode = "pivolette encode " + texte + " -o " + quizz;
    if (date_texte >= date_quizz)
        v.d.push_back({texte, 0, 0, true,
                       "modifié le " + Date(date_texte) + ", après le brouillage de " + quizz + " (le " + Date(date_quizz) +
                           ") : le jeu poserait l'ancien quiz ; relancez « " + encode + " »"});
    else
        v.d.push_back({texte, 0, 0, false,
                       "plus ancien (" + Date(date_texte) + ") que " + quizz + " (" + Date(date_quizz) +
                           "), qui pose un autre quiz : ce texte n'est plus celui que jouent les élèves "
                           "(« pivolette decode " + quizz + " -o " + texte + " --force » le redonne)"});
}

void VerifieLeQuizz(Verification& v, const std::vector<ReglagesClasse>& reglages) {
    const std::string chemin = v.Chemin(FICHIER_QUIZZ);
    std::string texte;
    std::string pourquoi;
    std::error_code e;
    if (!LitFichierQuizz(chemin, texte, pourquoi)) {
        v.d.push_back({chemin, 0, 0, true, fs::exists(CheminFs(chemin), e) ? pourquoi : "fichier de questions introuvable ou illisible"});
        return;
    }
    int questions = -1;
    std::string raison;
    for (const ReglagesClasse& r : reglages) {
        if (r.lu && r.questions > questions) questions = r.questions, raison = r.chemin;
    }
    std::vector<MediaNomme> medias;
    const std::size_t avant = v.d.size();
    ControleTexteQuizz(texte, chemin, questions, raison, v.d, &medias);
    VerifieTexteAJour(v, texte);
    for (const MediaNomme& m : medias) VerifieMedia(v.donnees, v.d, chemin, m);
    bool erreur = false;
    for (std::size_t k = avant; k < v.d.size(); ++k) erreur = erreur || v.d[k].erreur;
    if (!erreur) MesureQuizz(texte, chemin, v.d);
    if (erreur || questions < 0) return;
    // The game's own check before play has the last word, on the same bytes.
    if (!VerifieQuizz(texte, questions, chemin, pourquoi)) v.d.push_back({chemin, 0, 0, true, pourquoi});
}

void VerifieSons(Verification& v, const std::string& dossier) {
    for (const char* son : {"correct.mp3", "incorrect.mp3"}) {
        const std::string chemin = Utf8DeChemin(CheminFs(dossier) / son);
        std::error_code e;
        if (!fs::is_regular_file(CheminFs(chemin), e))
            v.d.push_back({chemin, 0, 0, false, "son introuvable : le jeu restera muet après une réponse (copiez-le depuis le dossier du jeu)"});
    }
}

int Bilan(const std::string& donnees, const std::vector<Diagnostic>& d) {
    int erreurs = 0;
    for (const Diagnostic& x : d) erreurs += x.erreur ? 1 : 0;
    const int avertissements = static_cast<int>(d.size()) - erreurs;
    SignaleTout(std::cout, d, false);
    if (d.empty()) std::cout << "Aucun problème : le dossier " << donnees << " est prêt pour le jeu.\n";
    else std::cout << erreurs << " erreur(s), " << avertissements << " avertissement(s).\n";
    return erreurs > 0 ? SORTIE_PROBLEMES : SORTIE_OK;
}

}  // namespace

void ControleMediasQuizz(const std::string& donnees, const std::string& clair, const std::string& fichier,
                         std::vector<Diagnostic>& d) {
    std::vector<Diagnostic> texte;  // the text's own checks are the caller's
    std::vector<MediaNomme> medias;
    ControleTexteQuizz(clair, fichier, -1, "", texte, &medias);
    for (const MediaNomme& m : medias) VerifieMedia(donnees, d, fichier, m);
}

std::vector<Diagnostic> VerifieDossier(const std::string& donnees) {
    Verification v{donnees, {}};
    const std::vector<ReglagesClasse> reglages = LitReglages(v.donnees);
    VerifieReglages(v, reglages);
    VerifieListe(v, reglages);
    VerifieLeQuizz(v, reglages);
    VerifieSons(v, Utf8DeChemin(CheminFs(v.donnees).parent_path()));
    return v.d;
}

int CommandeCheck(int argc, char** argv) {
    const Arguments a = LitArguments(argc, argv, {"--help", "-h"}, {});
    if (a.A("--help") || a.A("-h")) return std::cout << AIDE_CHECK, SORTIE_OK;
    if (!a.inconnue.empty() || a.mots.size() > 1) return std::cerr << AIDE_CHECK, SORTIE_USAGE;
    const std::string dossier = a.mots.empty() ? "." : a.mots[0];
    const std::string donnees = DossierDonnees(dossier);
    std::error_code e;
    if (!fs::is_directory(CheminFs(donnees), e))
        return Echec(SORTIE_USAGE, dossier + " n'est pas un dossier de jeu (pas de dossier InfosQuizz)");
    return Bilan(donnees, VerifieDossier(donnees));
}

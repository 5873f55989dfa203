// `pivolette atelier`: the folder, the token, the server, the browser, then
// a sleep until the workshop is closed or left alone.
#include "atelier.h"

#include <filesystem>
#include <iostream>

#include "chemins.h"
#include "navigateur.h"
#include "operations.h"
#include "outils.h"
#include "serveur.h"
#include "statique.h"

namespace fs = std::filesystem;

namespace {

const char* const AIDE_ATELIER =
    "usage : pivolette atelier [DOSSIER] [--port N] [--no-browser]\n"
    "\n"
    "Ouvre l'atelier du professeur dans le navigateur : la classe, ses réglages,\n"
    "le quiz avec l'aperçu de chaque question, et les résultats, sans internet.\n"
    "DOSSIER est le dossier de jeu (celui qui contient InfosQuizz) ; sans lui, le\n"
    "dossier courant s'il en contient un, sinon la première page le fait choisir ou\n"
    "créer. La première ligne écrite est l'adresse à ouvrir (bonne une fois) ;\n"
    "--no-browser n'ouvre pas de navigateur. --port N écoute sur ce port (0, par\n"
    "défaut : un port libre). L'atelier s'arrête par « Fermer l'atelier », ou trois\n"
    "minutes après la fermeture de sa dernière page.\n"
    "Codes de sortie : 0 fermé, 1 serveur impossible, 2 usage.\n";

bool LitPort(const std::string& t, int& port) {
    if (t.empty() || t.size() > 5 || t.find_first_not_of("0123456789") != std::string::npos) return false;
    port = std::stoi(t);
    return port <= 65535;
}

// The folder given, else the working folder when it holds InfosQuizz; else
// none yet (the first page chooses or makes one). False: the one given is
// no game folder.
bool PremierDossier(Atelier& atelier, const Arguments& a) {
    if (!a.mots.empty()) return ChoisitDossier(atelier, a.mots[0]);
    ChoisitDossier(atelier, ".");
    return true;
}

// Sleeps until asked to stop, or until no request came for ATTENTE_MAX.
void AttendLaFin(Vie& vie) {
    std::unique_lock<std::mutex> verrou(vie.verrou);
    while (!vie.arret) {
        const auto echeance = vie.derniere + ATTENTE_MAX;
        if (vie.reveil.wait_until(verrou, echeance) == std::cv_status::timeout &&
            std::chrono::steady_clock::now() >= vie.derniere + ATTENTE_MAX)
            return;
    }
}

}  // namespace

bool ChoisitDossier(Atelier& atelier, const std::string& dossier) {
    std::error_code e;
    const std::string donnees = DossierDonnees(dossier);
    if (!fs::is_directory(CheminFs(donnees), e)) return false;
    const fs::path absolu = fs::absolute(CheminFs(donnees), e).lexically_normal();
    atelier.donnees = Utf8DeChemin(absolu);
    if (!atelier.donnees.empty() && atelier.donnees.back() == '/') atelier.donnees.pop_back();
    atelier.dossier = Utf8DeChemin(CheminFs(atelier.donnees).parent_path());
    return true;
}

int CommandeAtelier(int argc, char** argv) {
    const Arguments a = LitArguments(argc, argv, {"--help", "-h", "--no-browser"}, {"--port"});
    if (a.A("--help") || a.A("-h")) return std::cout << AIDE_ATELIER, SORTIE_OK;
    int port = 0;
    if (!a.inconnue.empty() || a.valeur_manquante || a.mots.size() > 1 ||
        (a.A("--port") && !LitPort(a.Valeur("--port"), port)))
        return std::cerr << AIDE_ATELIER, SORTIE_USAGE;
    Atelier atelier;
    if (!PremierDossier(atelier, a))
        return Echec(SORTIE_USAGE, a.mots[0] + " n'est pas un dossier de jeu (pas de dossier InfosQuizz)");
    atelier.jeton = HexAleatoire(16);
    atelier.csrf = HexAleatoire(16);
    if (atelier.jeton.empty() || atelier.csrf.empty())
        return Echec(SORTIE_PROBLEMES, "le système ne donne pas de nombres au hasard : atelier impossible");
    std::string erreur;
    if (!ChargePages(atelier, ProgrammeEnCours(), erreur)) std::cerr << "pivolette: " << erreur << "\n";
    Serveur serveur;
    if (!serveur.Demarre(atelier, port, erreur)) return Echec(SORTIE_PROBLEMES, erreur);
    const std::string adresse = "http://127.0.0.1:" + std::to_string(atelier.port) + "/?jeton=" + atelier.jeton;
    std::cout << adresse << std::endl;
    if (!a.A("--no-browser") && !OuvreNavigateur(adresse))
        std::cerr << "pivolette: le navigateur ne s'ouvre pas : ouvrez l'adresse ci-dessus\n";
    AttendLaFin(atelier.vie);
    serveur.Arrete();
    FermeEcranDuJeu();
    std::cerr << "Atelier fermé.\n";
    return SORTIE_OK;
}

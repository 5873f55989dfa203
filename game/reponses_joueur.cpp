// The answers file of the pupil on the current run: the record of the
// questions he met, written whole through the shared writer.
#include "reponses_joueur.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>

#include "chemins.h"
#include "ecriture.h"
#include "etat.h"
#include "reponses.h"
#include "resultats.h"

namespace {

// Messages for the terminal, in UTF-8 whatever the game's own charset.
const char* Utf8(const char8_t* texte) { return reinterpret_cast<const char*>(texte); }

void Signale(const std::string& raison) {
    std::cerr << Utf8(u8"Grelinor : les réponses de l'élève ne sont pas enregistrées (") << raison
              << Utf8(u8") ; son fichier de résultats est à jour.\n");
}

// The folder "reponses" of the class folder, a real folder (not a link).
bool PrepareDossier(const std::string& dossier) {
    std::error_code e;
    const std::filesystem::path p = CheminFs(dossier);
    if (!std::filesystem::exists(std::filesystem::symlink_status(p, e))) std::filesystem::create_directory(p, e);
    if (std::filesystem::is_directory(std::filesystem::symlink_status(p, e))) {
        // The temporary files of a write a stopped run left behind.
        NettoieProvisoires(dossier, std::chrono::hours{1});
        return true;
    }
    Signale(dossier + Utf8(u8" n'est pas un dossier"));
    return false;
}

void Ecrit(CarnetReponses& c) {
    std::string erreur;
    if (EcritFichierSur(c.chemin, TexteReponses(c.fiche), erreur)) return;
    Signale(erreur);
}

// Whether the question had a medium the pupil could open, and did he. A
// picture shown as a thumbnail only cannot be opened.
MediaQuestion MediaDe(const Partie& jeu, const FicheQuestion& q) {
    const bool image = q.Image[0] != '\0' && q.Image[0] != '_';
    if (!image && q.Son[0] == '\0' && q.Video[0] == '\0') return MediaQuestion::Aucun;
    return jeu.VueImage || jeu.ExtraitSonEcoute || jeu.VideoVue ? MediaQuestion::Ouvert : MediaQuestion::NonOuvert;
}

}  // namespace

void DebutReponses(CarnetReponses& c, const Reglages& reglages, const Eleve& eleve) {
    c = CarnetReponses{};
    const FicheJoueur& joueur = eleve.Joueur;
    const FicheResultats fiche{joueur.Nom, joueur.Prenom, joueur.Classe};
    if (!PrepareDossier(DossierReponses(reglages.CheminDonnees, joueur.Classe))) return;
    c.chemin = CheminReponses(reglages.CheminDonnees, fiche);
    c.fiche.titre = reglages.Questionnaire;
    c.fiche.debut = DateDebut(static_cast<long long>(std::time(nullptr)));
    c.actif = true;
    Ecrit(c);
}

void NoteReponse(CarnetReponses& c, const Partie& jeu, int choix, int secondes) {
    if (!c.actif || jeu.NumQuestion < 0 || jeu.NumQuestion >= MAX_QUESTIONS) return;
    const FicheQuestion& q = jeu.Question[jeu.NumQuestion];
    ReponseDonnee r;
    // A record the shuffle has not numbered keeps its place in the file.
    r.question = q.NumeroFichier > 0 ? q.NumeroFichier : jeu.NumQuestion + 1;
    r.choix = choix >= 1 && choix <= 4 ? choix : 0;
    r.juste = r.choix != 0 && q.BonneReponse[0] == '0' + r.choix;
    r.secondes = secondes < 0 ? 0 : secondes > TEMPS_REPONSE_MAX ? TEMPS_REPONSE_MAX : secondes;
    r.media = MediaDe(jeu, q);
    c.fiche.reponses.push_back(r);
    Ecrit(c);
}

// The pupil's results file as the game drives it: the record of Joueur and
// the counters handed to the shared writer (core/resultats, core/ecriture).
// The file is created whole when the pupil is identified and published only
// if no file of his exists, so that its existence keeps meaning "has
// played"; it is replaced whole after every question.
#include <chrono>
#include <cstring>
#include <filesystem>

#include "chemins.h"
#include "ecriture.h"
#include "etat.h"
#include "fichier_quizz.h"
#include "resultats.h"

namespace {

// A write lasts well under a second: a temporary file an hour old was left
// by a run stopped in the middle of one.
constexpr std::chrono::hours AGE_PROVISOIRES{1};

// The pupil's record, with the counters of `jeu` or none yet.
FicheResultats FicheDuJoueur(const FicheJoueur& joueur, const Partie* jeu = nullptr) {
    if (jeu == nullptr) return {joueur.Nom, joueur.Prenom, joueur.Classe, 0, 0, 0};
    return {joueur.Nom, joueur.Prenom, joueur.Classe, jeu->BonnesReponses, jeu->MauvaisesReponses, jeu->TempsJeu};
}

// Bounded copy of `texte` into `dest`; 0 (and an empty `dest`) when it does
// not fit.
int Copie(const std::string& texte, char* dest, std::size_t taille) {
    if (taille == 0) return 0;
    if (texte.size() >= taille) return dest[0] = '\0', 0;
    std::memcpy(dest, texte.c_str(), texte.size() + 1);
    return 1;
}

// A UTF-8 text of the file layer in Windows-1252 for the game's message box;
// what that code page cannot hold becomes "?".
std::string En1252(const std::string& utf8) {
    std::string texte;
    for (std::size_t k = 0; k < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[k]);
        const int longueur = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        long point = longueur == 1 ? c : c & (0x3F >> (longueur - 1));
        for (int i = 1; i < longueur && k + i < utf8.size(); ++i)
            point = (point << 6) | (static_cast<unsigned char>(utf8[k + i]) & 0x3F);
        const int octet = longueur == 1 && c >= 0x80 ? -1 : UnicodeVersCp1252(point);
        texte += octet < 0 ? '?' : static_cast<char>(octet);
        k += longueur;
    }
    return texte;
}

void ErreurChemin(const FicheJoueur& joueur) {
    std::snprintf(MessageErreur, sizeof MessageErreur,
                  "Le chemin du fichier de résultats de %s %s est trop long.", joueur.Nom, joueur.Prenom);
}

void ErreurEcriture(const FicheJoueur& joueur, const char* action, const std::string& raison) {
    std::snprintf(MessageErreur, sizeof MessageErreur,
                  "Le fichier de résultats de %s %s ne peut pas être %s (%s).", joueur.Nom, joueur.Prenom,
                  action, En1252(raison).c_str());
}

// Whether the data folder can still be reached: a network share that went
// away (cable, server restart) takes the whole folder with it.
bool DonneesAccessibles(const char* donnees) {
    std::error_code erreur;
    return std::filesystem::is_directory(CheminFs(donnees), erreur);
}

void ErreurDossierPerdu() {
    std::snprintf(MessageErreur, sizeof MessageErreur,
                  "Le dossier du jeu n'est plus accessible (réseau coupé ?).\n"
                  "Ta partie ne peut pas commencer.\nAppelle ton professeur.");
}

// The pupil's file holds the questions before `question` (1, 2, …), the one
// whose answer could not be written.
void ErreurEnCours(const char* donnees, const FicheJoueur& joueur, int question, const std::string& raison) {
    char enregistre[160];
    if (question <= 1)
        std::snprintf(enregistre, sizeof enregistre, "Ta réponse à la question 1 n'a pas pu être enregistrée.");
    else
        std::snprintf(enregistre, sizeof enregistre,
                      "Tes réponses jusqu'à la question %d sont enregistrées, pas celle de la question %d.",
                      question - 1, question);
    if (DonneesAccessibles(donnees))
        std::snprintf(MessageErreur, sizeof MessageErreur,
                      "Le fichier de résultats de %s %s ne peut pas être écrit (%s).\n%s\nAppelle ton professeur.",
                      joueur.Nom, joueur.Prenom, En1252(raison).c_str(), enregistre);
    else
        std::snprintf(MessageErreur, sizeof MessageErreur,
                      "Le dossier du jeu n'est plus accessible (réseau coupé ?).\n%s\nAppelle ton professeur.",
                      enregistre);
}

// Creates "joueurs//<class>//" in the data folder when it is missing, and
// clears it of the temporary files a stopped run left there.
int PrepareDossierClasse(const char* donnees, const FicheJoueur& joueur) {
    const std::string dossier = DossierResultats(donnees, joueur.Classe);
    // Only inside a data folder that is there: a share gone away must not
    // get a new, empty one on this computer.
    if (!DonneesAccessibles(donnees)) return ErreurDossierPerdu(), 0;
    std::error_code erreur;
    std::filesystem::create_directories(CheminFs(dossier), erreur);
    if (!std::filesystem::is_directory(CheminFs(dossier), erreur)) {
        std::snprintf(MessageErreur, sizeof MessageErreur,
                      "Le dossier des résultats %s ne peut pas être créé.", En1252(dossier).c_str());
        return 0;
    }
    NettoieProvisoires(dossier, AGE_PROVISOIRES);
    return 1;
}

}  // namespace

int NomDeFichier(const char* nom1252, char* dest, std::size_t taille) {
    return Copie(PartieDeNom(nom1252), dest, taille);
}

int CheminJoueur(const char* donnees, const FicheJoueur& joueur, char* dest, std::size_t taille) {
    if (Copie(CheminResultats(donnees, FicheDuJoueur(joueur)), dest, taille)) return 1;
    ErreurChemin(joueur);
    return 0;
}

int JoueurDejaJoue(const char* donnees, const FicheJoueur& joueur) {
    const std::string chemin = CheminResultats(donnees, FicheDuJoueur(joueur));
    return chemin.size() < TAILLE_CHEMIN && ModeAccessFile(chemin.c_str(), 0) == 1;
}

int CreeFichierJoueur(const char* donnees, const FicheJoueur& joueur) {
    char chemin[TAILLE_CHEMIN];
    if (!CheminJoueur(donnees, joueur, chemin, sizeof chemin) || !PrepareDossierClasse(donnees, joueur))
        return RESULTATS_ERREUR;
    std::string erreur;
    switch (PublieExclusif(chemin, TexteDepart(FicheDuJoueur(joueur)), erreur)) {
    case Publication::Publiee:
        return RESULTATS_CREE;
    case Publication::Existe:
        return RESULTATS_EXISTE;
    case Publication::Echec:
        break;
    }
    if (DonneesAccessibles(donnees)) ErreurEcriture(joueur, "créé", erreur);
    else ErreurDossierPerdu();
    return RESULTATS_ERREUR;
}

int SetInfosJoueur(const char* donnees, FicheJoueur& joueur, Partie& jeu) {
    const FicheResultats fiche = FicheDuJoueur(joueur, &jeu);
    const std::string chemin = CheminResultats(donnees, fiche);
    if (chemin.size() >= TAILLE_CHEMIN) {
        ErreurChemin(joueur);
        return 0;
    }
    jeu.PremiereJoueur = 0;
    std::snprintf(joueur.Bonnes, sizeof joueur.Bonnes, "%02d\n", jeu.BonnesReponses);
    std::snprintf(joueur.Mauvaises, sizeof joueur.Mauvaises, "%02d\n", jeu.MauvaisesReponses);
    std::snprintf(joueur.Temps, sizeof joueur.Temps, "%04d\n", jeu.TempsJeu);
    std::string erreur;
    if (EcritFichierSur(chemin, TexteResultats(fiche), erreur)) return 1;
    ErreurEnCours(donnees, joueur, jeu.NumQuestion + 1, erreur);
    return 0;
}

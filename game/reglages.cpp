// The class settings file and the check of the pupil list file, read by the
// core library's readers (classe.h) into the game's settings.
//
// The class settings file, chosen by the class level, has eight lines: the
// quiz title, its theme, a class header (at most 48 characters each), then
// five numbers of at most 3 digits: the name-entry flag, the number of
// questions, two waiting times and the seconds allowed per answer.
#include <cstdio>
#include <cstring>

#include "etat.h"
#include "fichier_quizz.h"
#include "medias.h"

namespace {

void CopieChamp(char* dest, std::size_t taille, const std::string& texte) {
    std::snprintf(dest, taille, "%s", texte.c_str());  // cut to the field, and at a NUL
}

void RangeReglages(const FicheReglages& r, Reglages& classe) {
    CopieChamp(classe.Questionnaire, sizeof classe.Questionnaire, r.questionnaire);
    CopieChamp(classe.Theme, sizeof classe.Theme, r.theme);
    CopieChamp(classe.EnteteClasse, sizeof classe.EnteteClasse, r.entete);
    classe.GetInfosJoueur = static_cast<unsigned char>(r.saisie);
    // At most 3 digits: the text always fits NbQuestionsM0.
    CopieChamp(classe.NbQuestionsM0, sizeof classe.NbQuestionsM0, std::to_string(r.questions));
    classe.TempsAttente1 = r.attente1;
    classe.TempsAttente2 = r.attente2;
    classe.NombreQuestions = r.questions;
    classe.TempsReponseAutorise = r.temps;
}

}  // namespace

int CheminInfosJeu(const Reglages& classe, char* dest, std::size_t taille) {
    const char* nom = (classe.QuelNiveau == 7 || classe.QuelNiveau == 8) ? "infos//infos_jeu_DEMO0"
                                                           : "infos//infos_jeu_DEMO";
    const int n = std::snprintf(dest, taille, "%s%s", classe.CheminDonnees, nom);
    return n >= 0 && static_cast<std::size_t>(n) < taille;
}

int LitInfosJeu(Reglages& classe) {
    char chemin[256];
    if (!CheminInfosJeu(classe, chemin, sizeof chemin)) {
        std::snprintf(MessageErreur, sizeof MessageErreur,
                      "Le fichier de réglages de la classe %s est introuvable ou illisible.", chemin);
        return 0;
    }
    FicheReglages r;
    std::string raison;
    if (!LitFichierReglages(NomMediaNatif(chemin), r, raison)) {
        PoseMessageErreur(raison);
        return 0;
    }
    RangeReglages(r, classe);
    return 1;
}

int VerifieListeJoueurs(const char* donnees, std::vector<FicheListe>& liste) {
    liste.clear();
    char chemin[256];
    const int c = std::snprintf(chemin, sizeof chemin, "%s%s", donnees,
                                "infos//infos_quizz_DEMO");
    if (c < 0 || static_cast<std::size_t>(c) >= sizeof chemin) {
        std::snprintf(MessageErreur, sizeof MessageErreur,
                      "La liste des élèves %s est introuvable ou illisible.", chemin);
        return 0;
    }
    std::vector<FicheListe> eleves;
    std::string raison;
    if (!LitFichierListe(NomMediaNatif(chemin), eleves, raison)) {
        PoseMessageErreur(raison);
        return 0;
    }
    liste = std::move(eleves);
    return static_cast<int>(liste.size());
}

// The class settings file and the check of the pupil list file.
//
// The class settings file, chosen by the class level, has eight lines: the
// quiz title, its theme, a class header (at most 48 characters each), then
// five numbers of at most 3 digits: the name-entry flag, the number of
// questions, two waiting times and the seconds allowed per answer.
//
// A text line longer than its limit is cut to it, and the rest of the line
// is dropped: it never runs into the next setting, which would shift every
// setting after it. A number line that is not a number of at most 3 digits,
// or a value the quiz cannot play, refuses the file with a message that
// names the file, the line and the problem, before anything is written.
#include <cstdlib>
#include <cstring>

#include "etat.h"

namespace {

constexpr int TEXTE_MAX = REGLAGE_TEXTE_MAX;
constexpr int CHIFFRES_MAX = REGLAGE_CHIFFRES_MAX;
constexpr int TEMPS_MAX = TEMPS_REPONSE_MAX;

// Reads one whole line of `f` into `dest` (at most taille - 1 characters,
// the rest of a longer line dropped and *trop_longue set), without its LF
// and without a CR just before it. 0 at the end of the file.
int LitLigneBornee(FILE* f, char* dest, std::size_t taille, int* trop_longue) {
    std::size_t n = 0;
    int vus = 0;
    int c;
    *trop_longue = 0;
    while ((c = std::fgetc(f)) != EOF && c != '\n') {
        ++vus;
        if (n < taille - 1) dest[n++] = static_cast<char>(c);
        else if (c != '\r') *trop_longue = 1;
    }
    if (vus == 0 && c == EOF) return 0;
    if (n > 0 && dest[n - 1] == '\r') --n;
    dest[n] = '\0';
    return 1;
}

struct LectureReglages {
    const char* chemin;
    int ligne;  // number of the last line read, from 1
};

int FinPrematuree(const LectureReglages& l) {
    if (l.ligne == 0) {
        std::snprintf(MessageErreur, sizeof MessageErreur,
                      "Le fichier de réglages de la classe %s est vide : il doit avoir 8 lignes.",
                      l.chemin);
        return 0;
    }
    std::snprintf(MessageErreur, sizeof MessageErreur,
                  "Le fichier de réglages de la classe %s s'arrête à la ligne %d : "
                  "il doit avoir 8 lignes.",
                  l.chemin, l.ligne);
    return 0;
}

// Reads the next text line, cut to TEXTE_MAX characters, into `dest`.
int LitTexte(LectureReglages& l, char* dest, std::size_t taille) {
    char ligne[TEXTE_MAX + 1];
    int trop_longue;
    if (!LitLigneBornee(Fichier, ligne, sizeof ligne, &trop_longue)) return FinPrematuree(l);
    ++l.ligne;
    std::snprintf(dest, taille, "%s", ligne);
    return 1;
}

// Reads the next number line into *valeur and its text into `texte`.
int LitNombre(LectureReglages& l, int* valeur, char* texte, std::size_t taille) {
    char ligne[16];
    int trop_longue;
    if (!LitLigneBornee(Fichier, ligne, sizeof ligne, &trop_longue)) return FinPrematuree(l);
    ++l.ligne;
    *valeur = trop_longue ? -1 : NombreDeLigne(ligne, CHIFFRES_MAX);
    if (*valeur < 0) {
        std::snprintf(MessageErreur, sizeof MessageErreur,
                      "Le fichier de réglages de la classe %s, ligne %d : un nombre de 1 à 3 "
                      "chiffres est attendu.",
                      l.chemin, l.ligne);
        return 0;
    }
    // At most 3 digits: the text always fits NbQuestionsM0.
    if (texte != nullptr && std::snprintf(texte, taille, "%d", *valeur) < 0) texte[0] = '\0';
    return 1;
}

int HorsLimites(const char* chemin, int ligne, const char* quoi, int valeur, int max) {
    std::snprintf(MessageErreur, sizeof MessageErreur,
                  "Le fichier de réglages de la classe %s, ligne %d : %s vaut %d, "
                  "il doit aller de 1 à %d.",
                  chemin, ligne, quoi, valeur, max);
    return 0;
}

// The eight lines, in order; 1 when all are read and valid.
int LitLignesReglages(const char* chemin) {
    LectureReglages l{chemin, 0};
    int drapeau = 0;
    int questions = 0;
    int temps = 0;
    if (!LitTexte(l, Questionnaire, sizeof Questionnaire) || !LitTexte(l, Theme, sizeof Theme) ||
        !LitTexte(l, EnteteClasse, sizeof EnteteClasse) ||
        !LitNombre(l, &drapeau, nullptr, 0) ||
        !LitNombre(l, &questions, NbQuestionsM0, sizeof NbQuestionsM0) ||
        !LitNombre(l, &TempsAttente1, nullptr, 0) || !LitNombre(l, &TempsAttente2, nullptr, 0) ||
        !LitNombre(l, &temps, nullptr, 0))
        return 0;
    if (questions < 1 || questions > MAX_QUESTIONS)
        return HorsLimites(chemin, 5, "le nombre de questions", questions, MAX_QUESTIONS);
    if (temps < 1 || temps > TEMPS_MAX)
        return HorsLimites(chemin, 8, "le temps de réponse en secondes", temps, TEMPS_MAX);
    GetInfosJoueur = static_cast<unsigned char>(drapeau);
    NombreQuestions = questions;
    TempsReponseAutorise = temps;
    return 1;
}

// Refuses a pupil list line that the list screen could not hold.
int LigneEleveValable(const char* chemin, int numero, int trop_longue) {
    if (!trop_longue) return 1;
    std::snprintf(MessageErreur, sizeof MessageErreur,
                  "La liste des élèves %s, ligne %d : trop longue (%d caractères au plus).",
                  chemin, numero, NOM_ELEVE_MAX);
    return 0;
}

// Reads the 3 lines of each of `eleves` pupils; 1 when all are there.
int LitLignesEleves(const char* chemin, int eleves) {
    char ligne[NOM_ELEVE_MAX + 1];
    int trop_longue = 0;
    for (int numero = 2; numero <= 1 + 3 * eleves; ++numero) {
        if (!LitLigneBornee(Fichier, ligne, sizeof ligne, &trop_longue)) {
            std::snprintf(MessageErreur, sizeof MessageErreur,
                          "La liste des élèves %s annonce %d élèves mais s'arrête à la ligne "
                          "%d (3 lignes par élève : nom, prénom, classe).",
                          chemin, eleves, numero - 1);
            return 0;
        }
        if (!LigneEleveValable(chemin, numero, trop_longue)) return 0;
    }
    return 1;
}

// Reads the announced number of pupils; 1 … 60, or 0 with the message set.
int LitNombreEleves(const char* chemin) {
    char ligne[16];
    int trop_longue;
    int n = -1;
    if (LitLigneBornee(Fichier, ligne, sizeof ligne, &trop_longue) && !trop_longue)
        n = NombreDeLigne(ligne, 9);
    if (n >= 1 && n <= MAX_JOUEURS) return n;
    std::snprintf(MessageErreur, sizeof MessageErreur,
                  "La liste des élèves %s doit commencer par le nombre d'élèves, de 1 à %d.",
                  chemin, MAX_JOUEURS);
    return 0;
}

}  // namespace

int NombreDeLigne(const char* texte, int chiffres) {
    while (*texte == ' ' || *texte == '\t') ++texte;
    int n = 0;
    int valeur = 0;
    for (; *texte >= '0' && *texte <= '9'; ++texte, ++n) valeur = valeur * 10 + (*texte - '0');
    while (*texte == ' ' || *texte == '\t') ++texte;
    if (n == 0 || n > chiffres || *texte != '\0') return -1;
    return valeur;
}

int LitInfosJeu() {
    const char* nom = (QuelNiveau == 7 || QuelNiveau == 8) ? "infos//infos_jeu_DEMO0"
                                                           : "infos//infos_jeu_DEMO";
    const int n = std::snprintf(Chemin, sizeof Chemin, "%s%s", CheminDonnees, nom);
    Fichier = n > 0 && static_cast<std::size_t>(n) < sizeof Chemin ? WaitAccessFile(Chemin, 0)
                                                                    : nullptr;
    if (Fichier == nullptr) {
        std::snprintf(MessageErreur, sizeof MessageErreur,
                      "Le fichier de réglages de la classe %s est introuvable ou illisible.",
                      Chemin);
        return 0;
    }
    const int lu = LitLignesReglages(Chemin);
    FClose(Fichier);
    Fichier = nullptr;
    return lu;
}

int VerifieListeJoueurs() {
    char chemin[256];
    const int c = std::snprintf(chemin, sizeof chemin, "%s%s", CheminDonnees,
                                "infos//infos_quizz_DEMO");
    Fichier = c > 0 && static_cast<std::size_t>(c) < sizeof chemin ? WaitAccessFile(chemin, 0)
                                                                   : nullptr;
    if (Fichier == nullptr) {
        std::snprintf(MessageErreur, sizeof MessageErreur,
                      "La liste des élèves %s est introuvable ou illisible.", chemin);
        return 0;
    }
    int n = LitNombreEleves(chemin);
    if (n > 0 && !LitLignesEleves(chemin, n)) n = 0;
    FClose(Fichier);
    Fichier = nullptr;
    return n;
}

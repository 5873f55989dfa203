// The pupil's results file, "joueurs//<class>//<surname>_<first name>.txt"
// in the data folder: six lines (surname, first name, class, right answers,
// wrong answers, seconds used), Windows-1252 like every data file. It is
// created when the pupil is identified, and its existence refuses the same
// pupil at a later run; it is rewritten whole after every question.
//
// The file NAME is made of the pupil's names converted to UTF-8, so that the
// teacher sees the accents in the file manager of the classroom computer.
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "etat.h"
#include "fichier_quizz.h"

namespace {

// Characters that may not stand in a name part: they would lead out of the
// class folder or are refused by the file systems a data folder may live on.
bool Interdit(unsigned char c) {
    return c < 0x20 || c == 0x7F || std::strchr("/\\:*?\"<>|", c) != nullptr;
}

// Builds the results path of Joueur into `dest`; 1, or 0 when it does not fit.
int ConstruitChemin(char* dest, std::size_t taille) {
    char classe[64];
    char nom[128];
    char prenom[128];
    if (!NomDeFichier(Joueur.Classe, classe, sizeof classe) ||
        !NomDeFichier(Joueur.Nom, nom, sizeof nom) ||
        !NomDeFichier(Joueur.Prenom, prenom, sizeof prenom))
        return 0;
    const int n = std::snprintf(dest, taille, "%s%s%s//%s_%s.txt", CheminDonnees, "joueurs//",
                                classe, nom, prenom);
    return n > 0 && static_cast<std::size_t>(n) < taille;
}

void ErreurChemin() {
    std::snprintf(MessageErreur, sizeof MessageErreur,
                  "Le chemin du fichier de résultats de %s %s est trop long.", Joueur.Nom,
                  Joueur.Prenom);
}

// Creates "joueurs//<class>//" in the data folder when it is missing.
int CreeDossierClasse() {
    char classe[64];
    char dossier[256];
    NomDeFichier(Joueur.Classe, classe, sizeof classe);
    const int n = std::snprintf(dossier, sizeof dossier, "%sjoueurs//%s", CheminDonnees, classe);
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof dossier) {
        ErreurChemin();
        return 0;
    }
    std::error_code erreur;
    std::filesystem::create_directories(dossier, erreur);
    if (std::filesystem::is_directory(dossier, erreur)) return 1;
    std::snprintf(MessageErreur, sizeof MessageErreur,
                  "Le dossier des résultats %s ne peut pas être créé.", dossier);
    return 0;
}

// Writes the six lines; 1 when every byte reached the file and it closed well.
int EcritFiche(FILE* f, const char* bonnes, const char* mauvaises, const char* temps) {
    const int n = std::fprintf(f, "%s\n%s\n%s\n%s%s%s", Joueur.Nom, Joueur.Prenom, Joueur.Classe,
                               bonnes, mauvaises, temps);
    const bool ecrit = n > 0 && std::fflush(f) == 0 && !std::ferror(f);
    const bool ferme = std::fclose(f) == 0;
    return ecrit && ferme;
}

void ErreurEcriture(const char* action) {
    std::snprintf(MessageErreur, sizeof MessageErreur,
                  "Le fichier de résultats de %s %s ne peut pas être %s (%s).", Joueur.Nom,
                  Joueur.Prenom, action, std::strerror(errno));
}

}  // namespace

int NomDeFichier(const char* nom1252, char* dest, std::size_t taille) {
    std::size_t n = 0;
    if (taille == 0) return 0;
    for (const char* p = nom1252; *p != '\0'; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        long point = Cp1252VersUnicode(c);
        if (point < 0 || Interdit(c) || (p == nom1252 && c == '.')) point = '_';
        char octets[4];
        const int longueur = EcritUtf8(point, octets);
        if (n + longueur >= taille) {
            dest[0] = '\0';
            return 0;
        }
        std::memcpy(dest + n, octets, longueur);
        n += longueur;
    }
    if (n == 0) {
        if (taille < 2) return dest[0] = '\0', 0;
        dest[n++] = '_';
    }
    dest[n] = '\0';
    return 1;
}

int CheminJoueur() {
    if (ConstruitChemin(Chemin, sizeof Chemin)) return 1;
    ErreurChemin();
    return 0;
}

int JoueurDejaJoue() {
    char chemin[256];
    return ConstruitChemin(chemin, sizeof chemin) && ModeAccessFile(chemin, 0) == 1;
}

int CreeFichierJoueur() {
    if (!CheminJoueur()) return RESULTATS_ERREUR;
    if (!CreeDossierClasse()) return RESULTATS_ERREUR;
    // "x": the creation fails if the file exists, even when another computer
    // sharing the data folder created it a moment ago.
    Fichier = std::fopen(Chemin, "wbx");
    if (Fichier == nullptr) {
        if (errno == EEXIST) return RESULTATS_EXISTE;
        ErreurEcriture("créé");
        return RESULTATS_ERREUR;
    }
    const int ecrit = EcritFiche(Fichier, "0\n", "0\n", "9999\n");
    Fichier = nullptr;
    if (ecrit) return RESULTATS_CREE;
    ErreurEcriture("écrit");
    std::remove(Chemin);
    return RESULTATS_ERREUR;
}

int SetInfosJoueur() {
    char chemin[256];
    char provisoire[256 + 8];
    if (!ConstruitChemin(chemin, sizeof chemin)) {
        ErreurChemin();
        return 0;
    }
    PremiereJoueur = 0;
    std::snprintf(Joueur.Bonnes, sizeof Joueur.Bonnes, "%02d\n", BonnesReponses);
    std::snprintf(Joueur.Mauvaises, sizeof Joueur.Mauvaises, "%02d\n", MauvaisesReponses);
    std::snprintf(Joueur.Temps, sizeof Joueur.Temps, "%04d\n", TempsJeu);
    std::snprintf(provisoire, sizeof provisoire, "%s.tmp", chemin);
    Fichier = WaitAccessFile(provisoire, 1);
    if (Fichier == nullptr) {
        ErreurEcriture("écrit");
        return 0;
    }
    const int ecrit = EcritFiche(Fichier, Joueur.Bonnes, Joueur.Mauvaises, Joueur.Temps);
    Fichier = nullptr;
    if (!ecrit) {
        ErreurEcriture("écrit");
        std::remove(provisoire);
        return 0;
    }
    if (std::rename(provisoire, chemin) != 0) {
        ErreurEcriture("remplacé");
        std::remove(provisoire);
        return 0;
    }
    return 1;
}
